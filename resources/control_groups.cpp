#include "resources/control_groups.h"

// The 24 hours of a grid whose symbols end in _00 .. _23.
#define HOUR_IDS(grid)                                                                             \
    grid##00, grid##01, grid##02, grid##03, grid##04, grid##05, grid##06, grid##07, grid##08,      \
        grid##09, grid##10, grid##11, grid##12, grid##13, grid##14, grid##15, grid##16, grid##17,  \
        grid##18, grid##19, grid##20, grid##21, grid##22, grid##23

const int kComboSensePlanIds[kHours] = {HOUR_IDS(IDC_SENSE_PLAN_)};
const int kComboTMPAIds[kHours] = {HOUR_IDS(IDC_TIMING_A_PLAN_)};
const int kComboTMPBIds[kHours] = {HOUR_IDS(IDC_TIMING_B_PLAN_)};

// clang-format off
#define ROW_IDS(row) {row##_LABEL, row##_PICK, row##_CHECK}
// clang-format on

// The ten animal rows of a page, in AnimalIndex order.
#define ANIMAL_ROW_IDS(page)                                                                       \
    ROW_IDS(page##DOG), ROW_IDS(page##TIGER), ROW_IDS(page##LEOPARD), ROW_IDS(page##HUMAN),        \
        ROW_IDS(page##LYNX), ROW_IDS(page##FOX), ROW_IDS(page##BEAR), ROW_IDS(page##BIRD_A),       \
        ROW_IDS(page##BIRD_B), ROW_IDS(page##BIRD_C)

const CopyRowIds kSenseSpecRowIds[kAnimals] = {ANIMAL_ROW_IDS(IDC_SENSE_SPEC_)};
const CopyRowIds kTimingARowIds[kAnimals] = {ANIMAL_ROW_IDS(IDC_TIMING_A_)};
const CopyRowIds kTimingBRowIds[kAnimals] = {ANIMAL_ROW_IDS(IDC_TIMING_B_)};

const CopyRowIds kSenseRandRowIds = ROW_IDS(IDC_SENSE_RAND);
const CopyRowIds kTimingRandARowIds = ROW_IDS(IDC_TIMING_RAND_A);
const CopyRowIds kTimingRandBRowIds = ROW_IDS(IDC_TIMING_RAND_B);
