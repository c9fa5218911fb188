#include "ui/enable_rules.h"

#include "sounds/sound_categories.h"
#include "model/session_state.h"
#include "platform/dialog_ops.h"

// Every rule recomputes all the controls it owns from Config and the two
// page indices. A record loaded from a file may hold values outside the
// combo ranges, so each test compares the stored byte exactly as it reads:
// some ask whether a field is 1, others whether it is not 0.

namespace {

enum PlanPage : uint32_t {
    kSensingPlanPage = 0,
    kTimingAPlanPage = 1,
    kTimingBPlanPage = 2,
};

// The playback settings that matter whenever playback is on.
HWND ControlMap::*const kPlaybackControls[] = {
    &ControlMap::VolumeTrackbar, &ControlMap::SenModCombo,    &ControlMap::TimerModCombo,
    &ControlMap::DlyCombo,       &ControlMap::PauseDaysLabel,
};

// The settings that only the timing playback uses.
HWND ControlMap::*const kTimingControls[] = {
    &ControlMap::PauseDaysCombo, &ControlMap::AlarmACombo,    &ControlMap::AlarmBCombo,
    &ControlMap::PlayDaysACombo, &ControlMap::PlayDaysBCombo,
};

HWND ShotIntervalControls::*const kShotIntervalControls[] = {
    &ShotIntervalControls::ShotLabel,     &ShotIntervalControls::ShotHourUnit,
    &ShotIntervalControls::ShotMinUnit,   &ShotIntervalControls::ShotSecUnit,
    &ShotIntervalControls::ShotHourCombo, &ShotIntervalControls::ShotMinCombo,
    &ShotIntervalControls::ShotSecCombo,
};

template <size_t Count> void EnableControls(HWND ControlMap::*const (&controls)[Count], bool enable)
{
    for (HWND ControlMap::*control : controls)
        EnableControl(g_Session.ControlMap.*control, enable);
}

// Each combo of a grid is shown or hidden first, then enabled or disabled.
void ApplyGridRule(const HWND (&grid)[kHours], bool shown, bool enabled)
{
    for (HWND combo : grid) {
        ShowControl(combo, shown);
        EnableControl(combo, enabled);
    }
}

void ShowRow(const CopyRow& row, bool shown)
{
    ShowControl(row.Label, shown);
    ShowControl(row.PickButton, shown);
    ShowControl(row.Check, shown);
}

// A row's check box is never enabled; only its label and "..." follow the rules.
void EnableRowPicker(const CopyRow& row, bool enable)
{
    EnableControl(row.Label, enable);
    EnableControl(row.PickButton, enable);
}

// Whether the Copy button has anything to copy on the given page.
bool CopyPageApplies(const BroadcastConfig& config, int page)
{
    switch (page) {
        case kSenseRandPage: {
            return config.SenMod == 1;
        }
        case kTimingRandAPage: {
            return config.TimerMod == 1 && config.AlarmA == 0;
        }
        case kTimingRandBPage: {
            return config.TimerMod == 1 && config.AlarmB == 0;
        }
        case kSenseSpecPage: {
            return config.SenMod == 2;
        }
        case kTimingAPage: {
            return config.TimerMod == 1 && config.AlarmA == 1;
        }
        case kTimingBPage: {
            return config.TimerMod == 1 && config.AlarmB == 1;
        }
        default: {
            return false;
        }
    }
}

} // namespace

void ApplyEnableRules()
{
    const ControlMap& map = g_Session.ControlMap;
    BroadcastConfig& config = g_Session.Config;
    bool playbackOn = config.Ena == 1;
    bool timingOn = config.TimerMod != 0;

    ApplyPlanGridRules();
    EnableControls(kPlaybackControls, playbackOn);
    EnableControls(kTimingControls, playbackOn && timingOn);
    EnableRowPicker(map.SenseRandRow, playbackOn && config.SenMod == 1);
    EnableRowPicker(map.TimingRandARow, playbackOn && timingOn && config.AlarmA == 0);
    EnableRowPicker(map.TimingRandBRow, playbackOn && timingOn && config.AlarmB == 0);
    ApplyCopyPanelRules(playbackOn);

    // Switched back on here, whatever the playback switch says.
    if (KeepTimeLapseOnForLoop(config)) {
        ComboSelect(map.TMLPenCombo, 0);
        ApplyTimeLapseRules(true, true);
    } else {
        ApplyTimeLapseRules(config.TMLPen == 0, true);
    }
}

void ApplyPlanGridRules()
{
    const ControlMap& map = g_Session.ControlMap;
    const BroadcastConfig& config = g_Session.Config;
    uint32_t page = g_Session.PlanTabIndex;
    bool timingOn = config.Ena != 0 && config.TimerMod != 0;

    ApplyGridRule(map.ComboSensePlan, page == kSensingPlanPage,
                  page == kSensingPlanPage && config.SenMod == 2 && config.Ena != 0);
    ApplyGridRule(map.ComboTMPA, page == kTimingAPlanPage,
                  page == kTimingAPlanPage && timingOn && config.AlarmA == 1);
    ApplyGridRule(map.ComboTMPB, page == kTimingBPlanPage,
                  page == kTimingBPlanPage && timingOn && config.AlarmB == 1);
}

void ApplyCopyPageVisibility()
{
    const ControlMap& map = g_Session.ControlMap;
    int page = static_cast<int>(g_Session.CopyTabIndex);

    bool senseSpecShown = page == kSenseSpecPage;
    for (const CopyRow& row : map.SenseSpecRow)
        ShowControl(row.Label, senseSpecShown);
    for (const CopyRow& row : map.SenseSpecRow)
        ShowControl(row.PickButton, senseSpecShown);
    for (const CopyRow& row : map.SenseSpecRow)
        ShowControl(row.Check, senseSpecShown);

    ShowRow(map.SenseRandRow, page == kSenseRandPage);
    ShowRow(map.TimingRandARow, page == kTimingRandAPage);
    ShowRow(map.TimingRandBRow, page == kTimingRandBPage);

    for (int animal = 0; animal < kAnimals; ++animal) {
        ShowRow(map.TimingARow[animal], page == kTimingAPage);
        ShowRow(map.TimingBRow[animal], page == kTimingBPage);
    }
}

void ApplyCopyPanelRules(bool playbackOn)
{
    const ControlMap& map = g_Session.ControlMap;
    const BroadcastConfig& config = g_Session.Config;
    int page = static_cast<int>(g_Session.CopyTabIndex);

    bool senseSpecOn = playbackOn && page == kSenseSpecPage && config.SenMod == 2;
    for (const CopyRow& row : map.SenseSpecRow)
        EnableControl(row.PickButton, senseSpecOn);
    for (const CopyRow& row : map.SenseSpecRow)
        EnableControl(row.Label, senseSpecOn);

    // The animal rows of the timing pages follow their periodic loop choice
    // alone; the timing mode decides only the Copy button.
    bool timingAOn = playbackOn && page == kTimingAPage && config.AlarmA == 1;
    bool timingBOn = playbackOn && page == kTimingBPage && config.AlarmB == 1;
    for (int animal = 0; animal < kAnimals; ++animal) {
        EnableRowPicker(map.TimingARow[animal], timingAOn);
        EnableRowPicker(map.TimingBRow[animal], timingBOn);
    }

    EnableControl(map.CopyButton, playbackOn && CopyPageApplies(config, page));
}

void ApplyTimeLapseRules(bool enable, bool checkTimingMode)
{
    const ControlMap& map = g_Session.ControlMap;
    const BroadcastConfig& config = g_Session.Config;

    if (checkTimingMode) {
        // Time lapse is locked on while the periodic loop plays.
        bool locked = config.TimerMod == 1 && config.Ena == 1;
        EnableControl(map.TimeLapseLabel, !locked);
        EnableControl(map.TMLPenCombo, !locked);
    }
    for (HWND ShotIntervalControls::*control : kShotIntervalControls)
        EnableControl(map.ShotInterval.*control, enable);
}

// Any value but 0 counts as off, so a damaged byte cannot leave the combo
// empty and the interval locked.
bool KeepTimeLapseOnForLoop(BroadcastConfig& config)
{
    if (config.TimerMod != 1 || config.TMLPen == 0)
        return false;
    config.TMLPen = 0;
    return true;
}
