// The shown and enabled states of the real dialog, driven with real messages,
// against an oracle written from the resulting-state tables of the rules.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/session_state.h"
#include "test_support.h"
#include "resources/resource.h"

namespace {

const int kOffRadio = IDC_OFF_RADIO;
const int kOnRadio = IDC_ON_RADIO;
const int kPlanTab = IDC_PLAN_TAB;
const int kCopyTab = IDC_COPY_TAB;
const int kTimerModCombo = IDC_TIMER_MOD_COMBO;
const int kAlarmACombo = IDC_ALARM_A_COMBO;
const int kTMLPenCombo = IDC_TMLPEN_COMBO;
const int kCopyButton = IDC_COPY_BUTTON;

const std::vector<int> kPlaybackSettings = {IDC_VOLUME_TRACKBAR, IDC_SEN_MOD_COMBO,
                                            IDC_TIMER_MOD_COMBO, IDC_DLY_COMBO,
                                            IDC_PAUSE_DAYS_LABEL};
const std::vector<int> kTimingSettings = {IDC_PAUSE_DAYS_COMBO, IDC_ALARM_A_COMBO,
                                          IDC_ALARM_B_COMBO, IDC_PLAY_DAYS_A_COMBO,
                                          IDC_PLAY_DAYS_B_COMBO};
const std::vector<int> kTimeLapseLock = {IDC_TIME_LAPSE_LABEL, IDC_TMLPEN_COMBO};
const std::vector<int> kShotInterval = {IDC_SHOT_LABEL,    IDC_SHOT_HOUR_UNIT,  IDC_SHOT_MIN_UNIT,
                                        IDC_SHOT_SEC_UNIT, IDC_SHOT_HOUR_COMBO, IDC_SHOT_MIN_COMBO,
                                        IDC_SHOT_SEC_COMBO};

// Controls that the template creates disabled and that no rule enables.
const std::set<int> kTemplateDisabled = {IDC_STATUS_LINE, IDC_VERSION_LABEL};

struct Inputs {
    int Ena, SenMod, TimerMod, AlarmA, AlarmB, TMLPen;
};

std::string Describe(const Inputs& in, int planPage, int copyPage)
{
    std::ostringstream text;
    text << "Ena " << in.Ena << " SenMod " << in.SenMod << " TimerMod " << in.TimerMod << " AlarmA "
         << in.AlarmA << " AlarmB " << in.AlarmB << " TMLPen " << in.TMLPen << " plan page "
         << planPage << " copy page " << copyPage;
    return text.str();
}

// What the rules own, and the state each owned control must have.
struct Expected {
    std::map<int, bool> shown;
    std::map<int, bool> enabled;
};

void Expect(std::map<int, bool>& states, const std::vector<int>& ids, bool state)
{
    for (int id : ids)
        states[id] = state;
}

Expected ExpectedRuleState(const Inputs& in, int planPage, int copyPage)
{
    Expected out;
    bool on = in.Ena == 1;
    bool timing = in.TimerMod != 0;

    // Settings.
    Expect(out.enabled, kPlaybackSettings, on);
    Expect(out.enabled, kTimingSettings, on && timing);
    Expect(out.enabled, kTimeLapseLock, !(in.TimerMod == 1 && on));
    int timeLapse = in.TimerMod == 1 ? 0 : in.TMLPen;
    Expect(out.enabled, kShotInterval, timeLapse == 0);

    // Plan grid by PlanTab page; the other two grids are hidden and disabled.
    bool gridEnabled[3] = {
        in.Ena != 0 && in.SenMod == 2,
        in.Ena != 0 && timing && in.AlarmA == 1,
        in.Ena != 0 && timing && in.AlarmB == 1,
    };
    for (const ExpectedHourIds& hour : kExpectedHourIds) {
        int grid[3] = {hour.sensePlan, hour.planA, hour.planB};
        for (int page = 0; page < 3; ++page) {
            out.shown[grid[page]] = planPage == page;
            out.enabled[grid[page]] = planPage == page && gridEnabled[page];
        }
    }

    // Copy panel by CopyTab page. The random rows follow their condition on
    // every page; the animal rows only on their own page.
    bool rowsEnabled[kExpectedCopyPages] = {
        in.SenMod == 1, timing && in.AlarmA == 0, timing && in.AlarmB == 0,
        in.SenMod == 2, in.AlarmA == 1,           in.AlarmB == 1,
    };
    bool copyEnabled[kExpectedCopyPages] = {
        in.SenMod == 1, in.TimerMod == 1 && in.AlarmA == 0, in.TimerMod == 1 && in.AlarmB == 0,
        in.SenMod == 2, in.TimerMod == 1 && in.AlarmA == 1, in.TimerMod == 1 && in.AlarmB == 1,
    };
    for (int page = 0; page < kExpectedCopyPages; ++page) {
        bool random = page < kExpectedRandomPages;
        for (int row = 0; row < ExpectedRowCount(page); ++row) {
            ExpectedRowIds ids = ExpectedCopyRow(page, row);
            Expect(out.shown, {ids.label, ids.pick, ids.check}, copyPage == page);
            Expect(out.enabled, {ids.label, ids.pick},
                   on && (random || copyPage == page) && rowsEnabled[page]);
        }
    }
    out.enabled[kCopyButton] = on && copyEnabled[copyPage];
    return out;
}

struct ControlState {
    bool shown;
    bool enabled;
};
typedef std::map<int, ControlState> Snapshot;

typedef std::vector<std::pair<int, HWND>> Controls;

BOOL CALLBACK AddChild(HWND child, LPARAM context)
{
    auto* controls = reinterpret_cast<std::pair<HWND, Controls*>*>(context);
    if (GetParent(child) == controls->first)
        controls->second->push_back({GetDlgCtrlID(child), child});
    return TRUE;
}

// The controls of the dialog itself (not the edit fields inside the combo
// boxes), by identifier.
Controls DialogControls(HWND dialog)
{
    Controls controls;
    std::pair<HWND, Controls*> context = {dialog, &controls};
    EnumChildWindows(dialog, AddChild, reinterpret_cast<LPARAM>(&context));
    return controls;
}

Snapshot TakeSnapshot(const Controls& controls)
{
    Snapshot snapshot;
    for (const auto& control : controls) {
        LONG style = GetWindowLongA(control.second, GWL_STYLE);
        snapshot[control.first] = {(style & WS_VISIBLE) != 0, (style & WS_DISABLED) == 0};
    }
    return snapshot;
}

// Lists every difference between the dialog and the expected states; the
// controls the rules do not own must be as in the reference snapshot.
std::string Differences(const Controls& controls, const Expected& expected,
                        const Snapshot& reference)
{
    std::ostringstream out;
    Snapshot now = TakeSnapshot(controls);
    for (const auto& entry : now) {
        int id = entry.first;
        auto shown = expected.shown.find(id);
        bool wantShown = shown != expected.shown.end() ? shown->second : reference.at(id).shown;
        auto enabled = expected.enabled.find(id);
        bool wantEnabled =
            enabled != expected.enabled.end() ? enabled->second : reference.at(id).enabled;
        if (entry.second.shown != wantShown)
            out << id << (wantShown ? " hidden, " : " shown, ");
        if (entry.second.enabled != wantEnabled)
            out << id << (wantEnabled ? " disabled, " : " enabled, ");
    }
    return out.str();
}

// The template's own state of the controls the rules do not own: visible and
// enabled, except the disabled status line, version label and check boxes
// and the hidden rows.
std::string TemplateStateDifferences(const Controls& controls, const Expected& owned)
{
    std::set<int> hiddenRows;
    for (const ExpectedRowIds& row : kExpectedHiddenRows)
        hiddenRows.insert({row.label, row.pick, row.check});
    std::set<int> checkBoxes;
    for (int page = 0; page < kExpectedCopyPages; ++page) {
        for (int row = 0; row < ExpectedRowCount(page); ++row)
            checkBoxes.insert(ExpectedCopyRow(page, row).check);
    }
    std::ostringstream out;
    for (const auto& entry : TakeSnapshot(controls)) {
        int id = entry.first;
        bool hidden = hiddenRows.count(id) != 0;
        bool disabled = hidden || checkBoxes.count(id) || kTemplateDisabled.count(id);
        if (!owned.shown.count(id) && entry.second.shown == hidden)
            out << id << (hidden ? " shown, " : " hidden, ");
        if (!owned.enabled.count(id) && entry.second.enabled == disabled)
            out << id << (disabled ? " enabled, " : " disabled, ");
    }
    return out.str();
}

// Writes the inputs into the record, as a loaded file could hold them.
void StoreInputs(const Inputs& in)
{
    BroadcastConfig& config = g_Session.Config;
    config.Ena = static_cast<uint8_t>(in.Ena);
    config.SenMod = static_cast<uint8_t>(in.SenMod);
    config.TimerMod = static_cast<uint8_t>(in.TimerMod);
    config.AlarmA = static_cast<uint8_t>(in.AlarmA);
    config.AlarmB = static_cast<uint8_t>(in.AlarmB);
    config.TMLPen = static_cast<uint8_t>(in.TMLPen);
}

class EnableRules : public DialogTest {
  protected:
    // Opens the dialog on a record as if loaded before start-up.
    void Open(const Inputs& in)
    {
        CloseDialog();
        ResetSession();
        g_Session.FirstInit = 0;
        StoreInputs(in);
        OpenDialog();
    }

    std::string Check(const Inputs& in)
    {
        int planPage = static_cast<int>(g_Session.PlanTabIndex);
        int copyPage = static_cast<int>(g_Session.CopyTabIndex);
        std::string differences =
            Differences(controls_, ExpectedRuleState(in, planPage, copyPage), reference_);
        return differences.empty() ? "" : Describe(in, planPage, copyPage) + ": " + differences;
    }

    // Shows each page of PlanTab, then the first copy pages of CopyTab.
    void CheckPages(const Inputs& in, int copyPages)
    {
        for (int planPage = 0; planPage < 3; ++planPage) {
            SelectTabPage(dialog_, kPlanTab, planPage);
            EXPECT_EQ(Check(in), "");
        }
        for (int copyPage = 0; copyPage < copyPages; ++copyPage) {
            SelectTabPage(dialog_, kCopyTab, copyPage);
            EXPECT_EQ(Check(in), "");
        }
    }

    Controls controls_;
    Snapshot reference_;

  private:
    void Opened() override
    {
        controls_ = DialogControls(dialog_);
        reference_ = TakeSnapshot(controls_);
    }
};

// Every combination the resulting-state tables tell apart, with the values
// outside the combo ranges that the exact tests judge differently.
std::vector<Inputs> AllInputs()
{
    std::vector<Inputs> rows;
    for (int ena : {0, 1, 2})
        for (int senMod : {0, 1, 2, 3})
            for (int timerMod : {0, 1, 2})
                for (int alarmA : {0, 1})
                    for (int alarmB : {0, 1})
                        for (int timeLapse : {0, 1, 2, 255})
                            rows.push_back({ena, senMod, timerMod, alarmA, alarmB, timeLapse});
    return rows;
}

// Stores the inputs, then has the rules run by choosing the periodic loop A value already stored.
void LoadInputsAndRerunRules(HWND dialog, const Inputs& in)
{
    StoreInputs(in);
    SelectComboItem(dialog, kAlarmACombo, in.AlarmA);
}

TEST_F(EnableRules, EveryCombinationOfInputsAndPages)
{
    Open({0, 1, 1, 0, 0, 0});
    EXPECT_EQ(TemplateStateDifferences(controls_, ExpectedRuleState({0, 1, 1, 0, 0, 0}, 0, 0)), "");
    std::vector<Inputs> rows = AllInputs();
    for (size_t rowIndex = 0; rowIndex < rows.size(); ++rowIndex) {
        const Inputs& in = rows[rowIndex];
        // All the rules, run on varying pages.
        SelectTabPage(dialog_, kPlanTab, static_cast<int>(rowIndex % 3));
        SelectTabPage(dialog_, kCopyTab, static_cast<int>(rowIndex % kExpectedCopyPages));
        LoadInputsAndRerunRules(dialog_, in);
        EXPECT_EQ(Check(in), "");
        int timeLapse = in.TimerMod == 1 ? 0 : in.TMLPen;
        EXPECT_EQ(g_Session.Config.TMLPen, timeLapse) << Describe(in, 0, 0);
        if (in.TimerMod == 1 && in.TMLPen != 0) {
            EXPECT_EQ(ComboSelection(dialog_, kTMLPenCombo), 0) << Describe(in, 0, 0);
        }

        // A tab change re-runs only the rules of its tab, which do not read
        // the time lapse: each tab's pages once per remaining combination.
        if (in.TMLPen == 0)
            CheckPages(in, kExpectedCopyPages);
    }
}

// Start-up runs the rules on page 0 of both tabs, over a loaded record.
TEST_F(EnableRules, StartUpAppliesTheRulesToTheLoadedRecord)
{
    for (const Inputs& in : std::vector<Inputs>{
             {2, 3, 2, 1, 1, 1}, {1, 2, 1, 1, 1, 1}, {2, 2, 0, 1, 0, 1}, {1, 0, 2, 0, 1, 0}}) {
        Open(in);
        EXPECT_EQ(Check(in), "");
        EXPECT_EQ(TemplateStateDifferences(controls_, ExpectedRuleState(in, 0, 0)), "")
            << Describe(in, 0, 0);
        EXPECT_EQ(g_Session.Config.TMLPen, in.TimerMod == 1 ? 0 : in.TMLPen) << Describe(in, 0, 0);
    }
}

TEST_F(EnableRules, StartUpWithoutFileThenChoosingOn)
{
    g_Session.FirstInit = 1; // reads the empty start folder
    OpenDialog();
    Inputs defaults = {0, 1, 1, 0, 0, 0};
    EXPECT_EQ(Check(defaults), "");
    EXPECT_EQ(TemplateStateDifferences(controls_, ExpectedRuleState(defaults, 0, 0)), "");

    // Spelled out for the first state the user sees.
    for (const ExpectedHourIds& hour : kExpectedHourIds) {
        EXPECT_TRUE(IsShown(dialog_, hour.sensePlan));
        EXPECT_FALSE(IsEnabled(dialog_, hour.sensePlan));
        EXPECT_FALSE(IsShown(dialog_, hour.planA));
        EXPECT_FALSE(IsShown(dialog_, hour.planB));
    }
    ExpectedRowIds senseRandom = ExpectedCopyRow(0, 0);
    EXPECT_TRUE(IsShown(dialog_, senseRandom.label));
    EXPECT_FALSE(IsEnabled(dialog_, senseRandom.pick));
    EXPECT_FALSE(IsEnabled(dialog_, kCopyButton));
    for (int id : kPlaybackSettings)
        EXPECT_FALSE(IsEnabled(dialog_, id)) << id;
    for (int id : kTimingSettings)
        EXPECT_FALSE(IsEnabled(dialog_, id)) << id;
    EXPECT_TRUE(IsEnabled(dialog_, kTMLPenCombo));
    EXPECT_EQ(ControlText(dialog_, kTMLPenCombo), "On");
    for (int id : kShotInterval)
        EXPECT_TRUE(IsEnabled(dialog_, id)) << id;

    ClickButton(dialog_, kOnRadio);
    EXPECT_EQ(g_Session.Config.Ena, 1);
    Inputs on = defaults;
    on.Ena = 1;
    EXPECT_EQ(Check(on), "");
    for (int id : kPlaybackSettings)
        EXPECT_TRUE(IsEnabled(dialog_, id)) << id;
    for (int id : kTimingSettings)
        EXPECT_TRUE(IsEnabled(dialog_, id)) << id;
    for (int page = 0; page < kExpectedRandomPages; ++page) {
        EXPECT_TRUE(IsEnabled(dialog_, ExpectedCopyRow(page, 0).label)) << page;
        EXPECT_TRUE(IsEnabled(dialog_, ExpectedCopyRow(page, 0).pick)) << page;
    }
    EXPECT_TRUE(IsEnabled(dialog_, kCopyButton));
    EXPECT_FALSE(IsEnabled(dialog_, kTMLPenCombo));
    EXPECT_FALSE(IsEnabled(dialog_, IDC_TIME_LAPSE_LABEL));
    EXPECT_FALSE(IsEnabled(dialog_, kExpectedHourIds[0].sensePlan));

    ClickButton(dialog_, kOffRadio);
    EXPECT_EQ(g_Session.Config.Ena, 0);
    EXPECT_EQ(Check(defaults), "");
}

TEST_F(EnableRules, PeriodicLoopSwitchesTimeLapseBackOnWhateverThePlaybackSwitch)
{
    // "Off", and bytes no combo item stands for, from a damaged file.
    for (int timeLapse : {1, 2, 255})
        for (int ena : {1, 0}) {
            Bytes record = DefaultConfigBytes();
            record[kEna] = static_cast<unsigned char>(ena);
            record[kTimerMod] = 1;
            record[kTMLPen] = static_cast<unsigned char>(timeLapse);
            WriteBytes(start_.File(kConfigName), record);
            CloseDialog();
            ResetSession();
            OpenDialog();
            EXPECT_EQ(g_Session.Config.TMLPen, 0) << ena << " " << timeLapse;
            EXPECT_EQ(ControlText(dialog_, kTMLPenCombo), "On") << ena << " " << timeLapse;
            EXPECT_EQ(Check({ena, 1, 1, 0, 0, 0}), "");
        }

    // While playback is off the time-lapse combo stays operable: "Off" holds
    // until the rules run again.
    SelectComboItem(dialog_, kTMLPenCombo, 1);
    EXPECT_EQ(g_Session.Config.TMLPen, 1);
    for (int id : kShotInterval)
        EXPECT_FALSE(IsEnabled(dialog_, id)) << id;
    EXPECT_TRUE(IsEnabled(dialog_, kTMLPenCombo));
    EXPECT_TRUE(IsEnabled(dialog_, IDC_TIME_LAPSE_LABEL));
    ClickButton(dialog_, kOffRadio);
    EXPECT_EQ(g_Session.Config.TMLPen, 0);
    EXPECT_EQ(ComboSelection(dialog_, kTMLPenCombo), 0);
    for (int id : kShotInterval)
        EXPECT_TRUE(IsEnabled(dialog_, id)) << id;
}

TEST_F(EnableRules, TimingModeOffWithPlaybackOn)
{
    Open({1, 1, 1, 1, 1, 0});
    SelectComboItem(dialog_, kTimerModCombo, 0);
    EXPECT_EQ(g_Session.Config.TimerMod, 0);
    for (int id : kTimingSettings)
        EXPECT_FALSE(IsEnabled(dialog_, id)) << id;
    EXPECT_TRUE(IsEnabled(dialog_, kTMLPenCombo));
    EXPECT_EQ(g_Session.Config.TMLPen, 0);
    CheckPages({1, 1, 0, 1, 1, 0}, kExpectedRandomPages);

    // Unlocked, "Off" can be chosen and stays while the timing mode is off.
    SelectComboItem(dialog_, kTMLPenCombo, 1);
    SelectComboItem(dialog_, kAlarmACombo, 0);
    EXPECT_EQ(g_Session.Config.TMLPen, 1);
    EXPECT_EQ(Check({1, 1, 0, 0, 1, 1}), "");
}

TEST_F(EnableRules, TimingRowsFollowTheirLoopChoiceAloneCopyAlsoTheMode)
{
    // Timing mode off, loop A specified: the rows of page 4 are enabled while
    // Copy is not.
    Open({1, 1, 0, 1, 0, 0});
    SelectTabPage(dialog_, kCopyTab, 4);
    for (int animal = 0; animal < 10; ++animal) {
        ExpectedRowIds row = ExpectedCopyRow(4, animal);
        EXPECT_TRUE(IsShown(dialog_, row.label));
        EXPECT_TRUE(IsEnabled(dialog_, row.label)) << animal;
        EXPECT_TRUE(IsEnabled(dialog_, row.pick)) << animal;
        EXPECT_FALSE(IsEnabled(dialog_, row.check)) << animal;
    }
    EXPECT_FALSE(IsEnabled(dialog_, kCopyButton));

    // Periodic loop with loop A random: page 4 shown and disabled, page 1 on.
    Open({1, 1, 1, 0, 0, 0});
    SelectTabPage(dialog_, kCopyTab, 4);
    for (int animal = 0; animal < 10; ++animal) {
        EXPECT_TRUE(IsShown(dialog_, ExpectedCopyRow(4, animal).pick));
        EXPECT_FALSE(IsEnabled(dialog_, ExpectedCopyRow(4, animal).pick)) << animal;
    }
    EXPECT_FALSE(IsEnabled(dialog_, kCopyButton));
    SelectTabPage(dialog_, kCopyTab, 1);
    EXPECT_TRUE(IsEnabled(dialog_, ExpectedCopyRow(1, 0).pick));
    EXPECT_TRUE(IsEnabled(dialog_, kCopyButton));
}

TEST_F(EnableRules, PlanTabChangeTouchesOnlyTheGridsAndNotTheRecord)
{
    Open({0, 2, 1, 1, 1, 0});
    Bytes before = ConfigBytes();
    Snapshot beforeTab = TakeSnapshot(controls_);
    for (int page : {1, 2, 0, 2}) {
        SelectTabPage(dialog_, kPlanTab, page);
        EXPECT_EQ(g_Session.PlanTabIndex, static_cast<uint32_t>(page));
        for (const ExpectedHourIds& hour : kExpectedHourIds) {
            int grid[3] = {hour.sensePlan, hour.planA, hour.planB};
            for (int shown = 0; shown < 3; ++shown) {
                EXPECT_EQ(IsShown(dialog_, grid[shown]), shown == page) << grid[shown];
                EXPECT_FALSE(IsEnabled(dialog_, grid[shown])) << grid[shown];
            }
        }
        // Outside the grids nothing moved.
        Snapshot now = TakeSnapshot(controls_);
        std::set<int> grids;
        for (const ExpectedHourIds& hour : kExpectedHourIds)
            grids.insert({hour.sensePlan, hour.planA, hour.planB});
        for (const auto& entry : now) {
            if (grids.count(entry.first))
                continue;
            EXPECT_EQ(entry.second.shown, beforeTab.at(entry.first).shown) << entry.first;
            EXPECT_EQ(entry.second.enabled, beforeTab.at(entry.first).enabled) << entry.first;
        }
    }
    EXPECT_EQ(ConfigBytes(), before);
}

} // namespace
