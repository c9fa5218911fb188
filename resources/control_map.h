// Handles of the 198 dialog controls that the logic reaches by name. The
// dialog owns them; the map only refers to them.
#pragma once

#include <windows.h>

#include "resources/control_groups.h"

struct CopyRow {
    HWND Label;
    HWND PickButton;
    HWND Check;
};

struct ShotIntervalControls {
    HWND ShotLabel;
    HWND ShotHourUnit;
    HWND ShotMinUnit;
    HWND ShotSecUnit;
    HWND ShotHourCombo;
    HWND ShotMinCombo;
    HWND ShotSecCombo;
};

struct ControlMap {
    HWND OnRadio;
    HWND OffRadio;
    HWND VolumeValue;
    HWND VolumeTrackbar;
    HWND SenModCombo;
    HWND TimerModCombo;
    HWND DlyCombo;
    HWND CopyButton;
    HWND SaveDirEdit;
    HWND StatusLine;
    ShotIntervalControls ShotInterval;
    HWND TimeLapseLabel;
    HWND TMLPenCombo;
    HWND PlanTab;
    HWND CopyTab;
    HWND PauseDaysLabel;
    HWND PauseDaysCombo;
    HWND AlarmACombo;
    HWND AlarmBCombo;
    HWND PlayDaysACombo;
    HWND PlayDaysBCombo;
    HWND ComboSensePlan[kHours];
    HWND ComboTMPA[kHours];
    HWND ComboTMPB[kHours];
    CopyRow SenseSpecRow[kAnimals];
    CopyRow TimingARow[kAnimals];
    CopyRow TimingBRow[kAnimals];
    CopyRow SenseRandRow;
    CopyRow TimingRandARow;
    CopyRow TimingRandBRow;
};
