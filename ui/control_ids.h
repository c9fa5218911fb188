// Resource identifiers of the main dialog and the identifier lists of its
// control groups. Every user of an identifier takes it from here.
#pragma once

const int kMainDialogId = 104;
const int kAppIconId = 101;

enum ControlId : int {
    kSaveDirGroupId = 40155,
    kSaveDirEditId = 40154,
    kBrowseButtonId = 40153,
    kSwitchGroupId = 40008,
    kOffRadioId = 40011,
    kOnRadioId = 40014,
    kVolumeGroupId = 40017,
    kVolumeTrackbarId = 40020,
    kVolumeValueId = 40005,
    kDelayGroupId = 40023,
    kDlyComboId = 40038,
    kSenModGroupId = 40033,
    kSenModComboId = 40027,
    kTimerModGroupId = 40002,
    kTimerModComboId = 40034,
    kPeriodicLoopGroupId = 40241,
    kAlarmAComboId = 40244,
    kAlarmBComboId = 40245,
    kPauseDaysLabelId = 40240,
    kPauseDaysComboId = 40242,
    kTimeLapseLabelId = 40239,
    kTMLPenComboId = 40238,
    kShotLabelId = 40252,
    kShotHourComboId = 40193,
    kShotHourUnitId = 40196,
    kShotMinComboId = 40198,
    kShotMinUnitId = 40199,
    kShotSecComboId = 40200,
    kShotSecUnitId = 40201,
    kPlayDaysALabelId = 40248,
    kPlayDaysAComboId = 40250,
    kPlayDaysBLabelId = 40249,
    kPlayDaysBComboId = 40251,
    kStatusLineId = 40191,
    kPlanCaptionId = 40046,
    kPlanTabId = 40026,
    kGenerateButtonId = 40152,
    kVersionLabelId = 40182,
    kCopyCaptionId = 40237,
    kCopyTabId = 40042,
    kCopyButtonId = 40151,
};

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
