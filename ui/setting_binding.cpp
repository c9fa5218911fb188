#include "ui/setting_binding.h"

#include <windowsx.h>

#include <cstdio>

#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "platform/trace.h"
#include "ui/enable_rules.h"
#include "texts/interface_texts.h"
#include "texts/shown_language.h"

// The record is the truth: every accepted change is written into its field
// at once, unvalidated, and the controls are only filled and selected from it.

namespace {

// What follows the store of a setting combo's field.
enum class AfterChange {
    kNothing,
    kTraceDelay,     // the delay combo: trace the stored delay
    kRules,          // fields that steer the shown rows and the enabled controls
    kSensingRules,   // the rules, then the delay is read again
    kTimingRules,    // the rules, then the periodic loop combos follow the mode
    kTimeLapseRules, // only the shooting interval follows
};

struct SettingCombo {
    int Id;
    const HWND* Combo; // the handle in the control map
    uint8_t BroadcastConfig::*Field;
    int Base; // the field holds the item index plus this
    AfterChange After;
};

const ControlMap& kMap = g_Session.ControlMap;

const SettingCombo kSettingCombos[] = {
    {IDC_SEN_MOD_COMBO, &kMap.SenModCombo, &BroadcastConfig::SenMod, 0, AfterChange::kSensingRules},
    {IDC_TIMER_MOD_COMBO, &kMap.TimerModCombo, &BroadcastConfig::TimerMod, 0,
     AfterChange::kTimingRules},
    {IDC_DLY_COMBO, &kMap.DlyCombo, &BroadcastConfig::Dly, 5, AfterChange::kTraceDelay},
    {IDC_PAUSE_DAYS_COMBO, &kMap.PauseDaysCombo, &BroadcastConfig::PauseDays, 1,
     AfterChange::kNothing},
    {IDC_ALARM_A_COMBO, &kMap.AlarmACombo, &BroadcastConfig::AlarmA, 0, AfterChange::kRules},
    {IDC_ALARM_B_COMBO, &kMap.AlarmBCombo, &BroadcastConfig::AlarmB, 0, AfterChange::kRules},
    {IDC_PLAY_DAYS_A_COMBO, &kMap.PlayDaysACombo, &BroadcastConfig::PlayDaysA, 1,
     AfterChange::kNothing},
    {IDC_PLAY_DAYS_B_COMBO, &kMap.PlayDaysBCombo, &BroadcastConfig::PlayDaysB, 1,
     AfterChange::kNothing},
    {IDC_TMLPEN_COMBO, &kMap.TMLPenCombo, &BroadcastConfig::TMLPen, 0,
     AfterChange::kTimeLapseRules},
    {IDC_SHOT_HOUR_COMBO, &kMap.ShotInterval.ShotHourCombo, &BroadcastConfig::ShotHour, 0,
     AfterChange::kNothing},
    {IDC_SHOT_MIN_COMBO, &kMap.ShotInterval.ShotMinCombo, &BroadcastConfig::ShotMin, 0,
     AfterChange::kNothing},
    {IDC_SHOT_SEC_COMBO, &kMap.ShotInterval.ShotSecCombo, &BroadcastConfig::ShotSec, 0,
     AfterChange::kNothing},
};

struct RadioValue {
    int Id;
    uint8_t Ena;
};

const RadioValue kPlaybackRadios[] = {
    {IDC_OFF_RADIO, 0},
    {IDC_ON_RADIO, 1},
};

const int kDayCountMax = 30;
const int kDelayMin = 5;
const int kDelayMax = 30;
const int kHourMax = 23;
const int kMinuteMax = 59;

const SettingCombo* FindSettingCombo(int id)
{
    for (const SettingCombo& setting : kSettingCombos) {
        if (setting.Id == id)
            return &setting;
    }
    return nullptr;
}

// For identifiers known to be in the table.
const SettingCombo& SettingComboOf(int id)
{
    return *FindSettingCombo(id);
}

int HourOf(const int (&ids)[kHours], int id)
{
    for (int hour = 0; hour < kHours; ++hour) {
        if (ids[hour] == id)
            return hour;
    }
    return -1;
}

// Selects the item that shows the stored value; a value outside the list
// selects nothing.
void SelectStoredValue(int id)
{
    const SettingCombo& setting = SettingComboOf(id);
    ComboSelect(*setting.Combo, g_Session.Config.*setting.Field - setting.Base);
}

void StoreIndex(const SettingCombo& setting, int index)
{
    g_Session.Config.*setting.Field = static_cast<uint8_t>(index + setting.Base);
}

void AddListItems(HWND combo, ItemList list)
{
    ComboClear(combo);
    for (int index = 0; index < list.Count; ++index)
        ComboAddItem(combo, ListItem(list, index));
}

// Adds the numbers first..last to one combo, or to two combos in turn.
void AddNumberItems(HWND combo, HWND twin, int first, int last, const char* format)
{
    char text[32];
    ComboClear(combo);
    if (twin)
        ComboClear(twin);
    for (int number = first; number <= last; ++number) {
        snprintf(text, sizeof text, format, number);
        ComboAddItem(combo, text);
        if (twin)
            ComboAddItem(twin, text);
    }
}

void TraceDelay(int index)
{
    Trace("Index_Dly = %d, lapse = %d\n", index, g_Session.Config.Dly);
}

// Choosing a sensing mode stores the delay shown again. A delay combo without
// a selection (a loaded delay outside its list) keeps the stored delay.
void RereadDelay()
{
    int index = ComboSelection(kMap.DlyCombo);
    if (index >= 0)
        StoreIndex(SettingComboOf(IDC_DLY_COMBO), index);
    TraceDelay(index);
}

void OnSettingComboChanged(const SettingCombo& setting)
{
    int index = ComboSelection(*setting.Combo);
    if (setting.After == AfterChange::kSensingRules)
        Trace("Index = %d\n", index);
    StoreIndex(setting, index);
    switch (setting.After) {
        case AfterChange::kNothing: {
            break;
        }
        case AfterChange::kTraceDelay: {
            TraceDelay(index);
            break;
        }
        case AfterChange::kRules: {
            ApplyCopyPageVisibility();
            ApplyEnableRules();
            break;
        }
        case AfterChange::kSensingRules: {
            ApplyCopyPageVisibility();
            ApplyEnableRules();
            RereadDelay();
            break;
        }
        case AfterChange::kTimingRules: {
            ApplyCopyPageVisibility();
            ApplyEnableRules();
            bool timingOn = g_Session.Config.TimerMod != 0;
            EnableControl(kMap.AlarmACombo, timingOn);
            EnableControl(kMap.AlarmBCombo, timingOn);
            break;
        }
        case AfterChange::kTimeLapseRules: {
            ApplyTimeLapseRules(g_Session.Config.TMLPen == 0, false);
            break;
        }
    }
}

// Stores the animal chosen for one hour of a plan grid; returns its index.
int StorePlanChoice(HWND combo, uint8_t& slot)
{
    int index = ComboSelection(combo);
    slot = static_cast<uint8_t>(index);
    return index;
}

// Selects, in every setting combo and hourly combo, the item that shows the
// stored value.
void SelectStoredValues()
{
    for (const SettingCombo& setting : kSettingCombos)
        SelectStoredValue(setting.Id);
    const BroadcastConfig& config = g_Session.Config;
    for (int hour = 0; hour < kHours; ++hour) {
        ComboSelect(kMap.ComboSensePlan[hour], config.type[hour]);
        ComboSelect(kMap.ComboTMPA[hour], config.typeA[hour]);
        ComboSelect(kMap.ComboTMPB[hour], config.typeB[hour]);
    }
}

} // namespace

void BindSettingControls(HWND)
{
    AddListItems(kMap.TimerModCombo, kTimingModeItems);
    AddListItems(kMap.SenModCombo, kSensingModeItems);
    AddListItems(kMap.AlarmACombo, kPeriodicLoopItems);
    AddListItems(kMap.AlarmBCombo, kPeriodicLoopItems);
    AddListItems(kMap.TMLPenCombo, kTimeLapseItems);
    AddNumberItems(kMap.PauseDaysCombo, nullptr, 1, kDayCountMax, "%d");
    AddNumberItems(kMap.PlayDaysACombo, kMap.PlayDaysBCombo, 1, kDayCountMax, "%d");
    AddNumberItems(kMap.DlyCombo, nullptr, kDelayMin, kDelayMax, DelayItemFormat());
    for (int hour = 0; hour < kHours; ++hour) {
        ComboClear(kMap.ComboSensePlan[hour]);
        ComboClear(kMap.ComboTMPA[hour]);
        ComboClear(kMap.ComboTMPB[hour]);
        for (int animal = 0; animal < kAnimalItems.Count; ++animal) {
            const char* item = ListItem(kAnimalItems, animal);
            ComboAddItem(kMap.ComboSensePlan[hour], item);
            ComboAddItem(kMap.ComboTMPA[hour], item);
            ComboAddItem(kMap.ComboTMPB[hour], item);
        }
    }
    AddNumberItems(kMap.ShotInterval.ShotHourCombo, nullptr, 0, kHourMax, "%d");
    AddNumberItems(kMap.ShotInterval.ShotMinCombo, kMap.ShotInterval.ShotSecCombo, 0, kMinuteMax,
                   "%d");
    SelectStoredValues();
}

void ShowRecordAgain()
{
    TickButton(kMap.OnRadio, g_Session.Config.Ena == 1);
    TickButton(kMap.OffRadio, g_Session.Config.Ena != 1);
    TrackbarSetPosition(kMap.VolumeTrackbar, g_Session.Config.Vol);
    SelectStoredValues();
    TabSelect(kMap.PlanTab, static_cast<int>(g_Session.PlanTabIndex));
    TabSelect(kMap.CopyTab, static_cast<int>(g_Session.CopyTabIndex));
}

bool OnSettingCommand(HWND, int id, int code)
{
    for (const RadioValue& radio : kPlaybackRadios) {
        if (radio.Id == id) {
            g_Session.Config.Ena = radio.Ena;
            ApplyEnableRules();
            return true;
        }
    }

    // Opening the list, focus changes and typing into the edit field leave
    // the record alone; only a new list selection is taken.
    bool selectionChanged = code == CBN_SELCHANGE;
    if (const SettingCombo* setting = FindSettingCombo(id)) {
        if (selectionChanged)
            OnSettingComboChanged(*setting);
        return true;
    }
    int hour = HourOf(kComboSensePlanIds, id);
    if (hour >= 0) {
        if (selectionChanged)
            StorePlanChoice(kMap.ComboSensePlan[hour], g_Session.Config.type[hour]);
        return true;
    }
    return false;
}

int PlanComboChanged(WPARAM command)
{
    int id = GET_WM_COMMAND_ID(command, 0);
    int code = GET_WM_COMMAND_CMD(command, 0);
    if (code != CBN_SELCHANGE)
        return 0;
    for (int hour = 0; hour < kHours; ++hour) {
        if (id == kComboTMPAIds[hour]) {
            int index = StorePlanChoice(kMap.ComboTMPA[hour], g_Session.Config.typeA[hour]);
            Trace("wIDList_ComboTMPA patch - %d, lIndex = %d.\n", hour, index);
            return 1;
        }
        if (id == kComboTMPBIds[hour]) {
            int index = StorePlanChoice(kMap.ComboTMPB[hour], g_Session.Config.typeB[hour]);
            Trace("wIDList_ComboTMPB patch - %d, lIndex = %d.\n", hour, index);
            return 1;
        }
    }
    return 0;
}
