#include "ui/control_map_fetch.h"

#include "model/session_state.h"
#include "resources/control_groups.h"

namespace {

struct SingleControl {
    int Id;
    HWND ControlMap::*Handle;
};

const SingleControl kSingleControls[] = {
    {IDC_ON_RADIO, &ControlMap::OnRadio},
    {IDC_OFF_RADIO, &ControlMap::OffRadio},
    {IDC_VOLUME_VALUE, &ControlMap::VolumeValue},
    {IDC_VOLUME_TRACKBAR, &ControlMap::VolumeTrackbar},
    {IDC_SEN_MOD_COMBO, &ControlMap::SenModCombo},
    {IDC_TIMER_MOD_COMBO, &ControlMap::TimerModCombo},
    {IDC_DLY_COMBO, &ControlMap::DlyCombo},
    {IDC_COPY_BUTTON, &ControlMap::CopyButton},
    {IDC_SAVE_DIR_EDIT, &ControlMap::SaveDirEdit},
    {IDC_STATUS_LINE, &ControlMap::StatusLine},
    {IDC_TIME_LAPSE_LABEL, &ControlMap::TimeLapseLabel},
    {IDC_TMLPEN_COMBO, &ControlMap::TMLPenCombo},
    {IDC_PLAN_TAB, &ControlMap::PlanTab},
    {IDC_COPY_TAB, &ControlMap::CopyTab},
    {IDC_PAUSE_DAYS_LABEL, &ControlMap::PauseDaysLabel},
    {IDC_PAUSE_DAYS_COMBO, &ControlMap::PauseDaysCombo},
    {IDC_ALARM_A_COMBO, &ControlMap::AlarmACombo},
    {IDC_ALARM_B_COMBO, &ControlMap::AlarmBCombo},
    {IDC_PLAY_DAYS_A_COMBO, &ControlMap::PlayDaysACombo},
    {IDC_PLAY_DAYS_B_COMBO, &ControlMap::PlayDaysBCombo},
};

struct ShotControl {
    int Id;
    HWND ShotIntervalControls::*Handle;
};

const ShotControl kShotControls[] = {
    {IDC_SHOT_LABEL, &ShotIntervalControls::ShotLabel},
    {IDC_SHOT_HOUR_UNIT, &ShotIntervalControls::ShotHourUnit},
    {IDC_SHOT_MIN_UNIT, &ShotIntervalControls::ShotMinUnit},
    {IDC_SHOT_SEC_UNIT, &ShotIntervalControls::ShotSecUnit},
    {IDC_SHOT_HOUR_COMBO, &ShotIntervalControls::ShotHourCombo},
    {IDC_SHOT_MIN_COMBO, &ShotIntervalControls::ShotMinCombo},
    {IDC_SHOT_SEC_COMBO, &ShotIntervalControls::ShotSecCombo},
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
        map.*control.Handle = GetDlgItem(dialog, control.Id);
    for (const ShotControl& control : kShotControls)
        map.ShotInterval.*control.Handle = GetDlgItem(dialog, control.Id);
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
