// The identifier lists of the dialog's control groups: the hourly plan grids,
// the animal rows and the random rows of the copy panel, built from the
// symbols of resource.h.
#pragma once

#include "resources/resource.h"

const int kHours = 24;
const int kAnimals = 10;

// Hourly plan grids, indexed by hour 0..23.
extern const int kComboSensePlanIds[kHours];
extern const int kComboTMPAIds[kHours];
extern const int kComboTMPBIds[kHours];

// One category row of the copy panel: label, "..." button, check box.
struct CopyRowIds {
    int Label;
    int PickButton;
    int Check;
};

// Animal rows, indexed by AnimalIndex (Dog .. Bird C).
extern const CopyRowIds kSenseSpecRowIds[kAnimals];
extern const CopyRowIds kTimingARowIds[kAnimals];
extern const CopyRowIds kTimingBRowIds[kAnimals];

// The three random rows, one per copy page 0..2.
extern const CopyRowIds kSenseRandRowIds;
extern const CopyRowIds kTimingRandARowIds;
extern const CopyRowIds kTimingRandBRowIds;
