#include "ui/control_map.h"

#include "model/session_state.h"

namespace {

struct SingleControl {
    int id;
    HWND ControlMap::*handle;
};

const SingleControl kSingleControls[] = {
    {kOnRadioId, &ControlMap::OnRadio},
    {kOffRadioId, &ControlMap::OffRadio},
    {kVolumeValueId, &ControlMap::VolumeValue},
    {kVolumeTrackbarId, &ControlMap::VolumeTrackbar},
    {kSenModComboId, &ControlMap::SenModCombo},
    {kTimerModComboId, &ControlMap::TimerModCombo},
    {kDlyComboId, &ControlMap::DlyCombo},
    {kCopyButtonId, &ControlMap::CopyButton},
    {kSaveDirEditId, &ControlMap::SaveDirEdit},
    {kStatusLineId, &ControlMap::StatusLine},
    {kTimeLapseLabelId, &ControlMap::TimeLapseLabel},
    {kTMLPenComboId, &ControlMap::TMLPenCombo},
    {kPlanTabId, &ControlMap::PlanTab},
    {kCopyTabId, &ControlMap::CopyTab},
    {kPauseDaysLabelId, &ControlMap::PauseDaysLabel},
    {kPauseDaysComboId, &ControlMap::PauseDaysCombo},
    {kAlarmAComboId, &ControlMap::AlarmACombo},
    {kAlarmBComboId, &ControlMap::AlarmBCombo},
    {kPlayDaysAComboId, &ControlMap::PlayDaysACombo},
    {kPlayDaysBComboId, &ControlMap::PlayDaysBCombo},
};

struct ShotControl {
    int id;
    HWND ShotIntervalControls::*handle;
};

const ShotControl kShotControls[] = {
    {kShotLabelId, &ShotIntervalControls::ShotLabel},
    {kShotHourUnitId, &ShotIntervalControls::ShotHourUnit},
    {kShotMinUnitId, &ShotIntervalControls::ShotMinUnit},
    {kShotSecUnitId, &ShotIntervalControls::ShotSecUnit},
    {kShotHourComboId, &ShotIntervalControls::ShotHourCombo},
    {kShotMinComboId, &ShotIntervalControls::ShotMinCombo},
    {kShotSecComboId, &ShotIntervalControls::ShotSecCombo},
};

CopyRow FetchRow(HWND dialog, const CopyRowIds& ids)
{
    CopyRow row;
    row.Label = GetDlgItem(dialog, ids.Label);
    row.PickButton = GetDlgItem(dialog, ids.PickButton);
    row.Check = GetDlgItem(dialog, ids.Check);
    return row;
}

} // namespace

void FetchControlMap(HWND dialog)
{
    ControlMap& map = g_Session.ControlMap;
    for (const SingleControl& control : kSingleControls)
        map.*control.handle = GetDlgItem(dialog, control.id);
    for (const ShotControl& control : kShotControls)
        map.ShotInterval.*control.handle = GetDlgItem(dialog, control.id);
    for (int hour = 0; hour < kHours; ++hour) {
        map.ComboSensePlan[hour] = GetDlgItem(dialog, kComboSensePlanIds[hour]);
        map.ComboTMPA[hour] = GetDlgItem(dialog, kComboTMPAIds[hour]);
        map.ComboTMPB[hour] = GetDlgItem(dialog, kComboTMPBIds[hour]);
    }
    for (int animal = 0; animal < kAnimals; ++animal) {
        map.SenseSpecRow[animal] = FetchRow(dialog, kSenseSpecRowIds[animal]);
        map.TimingARow[animal] = FetchRow(dialog, kTimingARowIds[animal]);
        map.TimingBRow[animal] = FetchRow(dialog, kTimingBRowIds[animal]);
    }
    map.SenseRandRow = FetchRow(dialog, kSenseRandRowIds);
    map.TimingRandARow = FetchRow(dialog, kTimingRandARowIds);
    map.TimingRandBRow = FetchRow(dialog, kTimingRandBRowIds);
}
