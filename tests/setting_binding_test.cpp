// The setting controls of the real dialog: their items, the selections that
// show a loaded record, and the field each selection change writes.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "model/session_state.h"
#include "test_support.h"
#include "resources/resource.h"
#include "ui/setting_binding.h"

namespace {

const int kOffRadio = IDC_OFF_RADIO;
const int kOnRadio = IDC_ON_RADIO;
const int kVolumeValue = IDC_VOLUME_VALUE;
const int kVolumeTrackbar = IDC_VOLUME_TRACKBAR;
const int kSenModCombo = IDC_SEN_MOD_COMBO;
const int kTimerModCombo = IDC_TIMER_MOD_COMBO;
const int kDlyCombo = IDC_DLY_COMBO;
const int kPauseDaysCombo = IDC_PAUSE_DAYS_COMBO;
const int kAlarmACombo = IDC_ALARM_A_COMBO;
const int kAlarmBCombo = IDC_ALARM_B_COMBO;
const int kPlayDaysACombo = IDC_PLAY_DAYS_A_COMBO;
const int kPlayDaysBCombo = IDC_PLAY_DAYS_B_COMBO;
const int kTMLPenCombo = IDC_TMLPEN_COMBO;
const int kShotHourCombo = IDC_SHOT_HOUR_COMBO;
const int kShotMinCombo = IDC_SHOT_MIN_COMBO;
const int kShotSecCombo = IDC_SHOT_SEC_COMBO;

const std::vector<std::string> kAnimals(kExpectedAnimalNames, kExpectedAnimalNames + 10);

std::vector<std::string> Numbers(int first, int last, const char* suffix)
{
    std::vector<std::string> items;
    for (int number = first; number <= last; ++number)
        items.push_back(std::to_string(number) + suffix);
    return items;
}

std::vector<std::string> ComboItems(HWND dialog, int id)
{
    std::vector<std::string> items;
    int count = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        char text[256] = {};
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

// Each single setting combo with its items, its field and the base the
// field adds to the item index.
struct SettingRow {
    int id;
    std::vector<std::string> items;
    int offset;
    int base;
};

const std::vector<SettingRow>& SettingRows()
{
    static const std::vector<SettingRow> rows = {
        {kTimerModCombo, {"Off", "Periodic Loop"}, kTimerMod, 0},
        {kSenModCombo, {"Off", "Random Playback", "Time & File Specified"}, kSenMod, 0},
        {kAlarmACombo, {"Random Playback", "Time & File Specified"}, kAlarmA, 0},
        {kAlarmBCombo, {"Random Playback", "Time & File Specified"}, kAlarmB, 0},
        {kTMLPenCombo, {"On", "Off"}, kTMLPen, 0},
        {kPauseDaysCombo, Numbers(1, 30, ""), kPauseDays, 1},
        {kPlayDaysACombo, Numbers(1, 30, ""), kPlayDaysA, 1},
        {kPlayDaysBCombo, Numbers(1, 30, ""), kPlayDaysB, 1},
        {kDlyCombo, Numbers(5, 30, " Sec"), kDly, 5},
        {kShotHourCombo, Numbers(0, 23, ""), kShotHour, 0},
        {kShotMinCombo, Numbers(0, 59, ""), kShotMin, 0},
        {kShotSecCombo, Numbers(0, 59, ""), kShotSec, 0},
    };
    return rows;
}

// A grid combo with the record byte it edits.
struct GridCell {
    int id;
    int offset;
    int hour;
    char grid; // 'S' sensing, 'A', 'B'
};

std::vector<GridCell> GridCells()
{
    std::vector<GridCell> cells;
    for (int hour = 0; hour < 24; ++hour) {
        const ExpectedHourIds& ids = kExpectedHourIds[hour];
        cells.push_back({ids.sensePlan, kType + hour, hour, 'S'});
        cells.push_back({ids.planA, kTypeA + hour, hour, 'A'});
        cells.push_back({ids.planB, kTypeB + hour, hour, 'B'});
    }
    return cells;
}

class SettingBinding : public DialogTest {
  protected:
    // Starts the program's dialog in a folder holding this record.
    void OpenWithRecord(const Bytes& record)
    {
        CloseDialog();
        WriteBytes(start_.File(kConfigName), record);
        ResetSession();
        OpenDialog();
        ASSERT_EQ(ConfigBytes(), record);
    }
};

// The default record with some bytes changed: {offset, value} pairs.
Bytes RecordWith(std::initializer_list<std::pair<int, int>> changes)
{
    Bytes record = DefaultConfigBytes();
    for (const auto& change : changes)
        record[change.first] = static_cast<unsigned char>(change.second);
    return record;
}

Bytes ValidRecord()
{
    Bytes record = RecordWith({{kEna, 1},
                               {kVol, 3},
                               {kPauseDays, 9},
                               {kPlayDaysA, 1},
                               {kPlayDaysB, 30},
                               {kTimerMod, 0},
                               {kSenMod, 2},
                               {kDly, 17},
                               {kAlarmA, 1},
                               {kAlarmB, 0},
                               {kTMLPen, 1},
                               {kShotHour, 23},
                               {kShotMin, 59},
                               {kShotSec, 7}});
    for (int hour = 0; hour < 24; ++hour) {
        record[kType + hour] = static_cast<unsigned char>(hour % 10);
        record[kTypeA + hour] = static_cast<unsigned char>((hour + 3) % 10);
        record[kTypeB + hour] = static_cast<unsigned char>((hour + 7) % 10);
    }
    return record;
}

TEST_F(SettingBinding, ItemsAndSelectionsShowTheLoadedRecord)
{
    Bytes record = ValidRecord();
    OpenWithRecord(record);
    // Binding again on the live dialog fills each list anew, not twice.
    for (int binding = 0; binding < 2; ++binding) {
        if (binding == 1)
            BindSettingControls(dialog_);
        for (const SettingRow& row : SettingRows()) {
            EXPECT_EQ(ComboItems(dialog_, row.id), row.items) << row.id;
            EXPECT_EQ(ComboSelection(dialog_, row.id), record[row.offset] - row.base) << row.id;
        }
        for (const GridCell& cell : GridCells()) {
            EXPECT_EQ(ComboItems(dialog_, cell.id), kAnimals) << cell.id;
            EXPECT_EQ(ComboSelection(dialog_, cell.id), record[cell.offset]) << cell.id;
        }
    }
    EXPECT_EQ(ControlText(dialog_, kDlyCombo), "17 Sec");
    EXPECT_EQ(ControlText(dialog_, kSenModCombo), "Time & File Specified");
    EXPECT_EQ(IsDlgButtonChecked(dialog_, kOnRadio), BST_CHECKED);
    EXPECT_EQ(ControlText(dialog_, kVolumeValue), "3");
    EXPECT_EQ(SendDlgItemMessageA(dialog_, kVolumeTrackbar, TBM_GETPOS, 0, 0), 3);
}

TEST_F(SettingBinding, ValuesOutsideTheListsSelectNothingAndStay)
{
    Bytes record = RecordWith({{kEna, 2},
                               {kVol, 0},
                               {kPauseDays, 0},
                               {kPlayDaysA, 31},
                               {kPlayDaysB, 0},
                               {kTimerMod, 2},
                               {kSenMod, 3},
                               {kDly, 40},
                               {kAlarmA, 2},
                               {kAlarmB, 255},
                               {kType + 5, 10},
                               {kTypeA + 0, 200},
                               {kTypeB + 23, 11},
                               {kTMLPen, 2},
                               {kShotHour, 24},
                               {kShotMin, 60},
                               {kShotSec, 255}});
    OpenWithRecord(record);
    EXPECT_EQ(ConfigBytes(), record); // start-up and the rules leave every byte
    for (const SettingRow& row : SettingRows()) {
        EXPECT_EQ(ComboSelection(dialog_, row.id), CB_ERR) << row.id;
        EXPECT_EQ(ControlText(dialog_, row.id), "") << row.id;
    }
    for (int id :
         {kExpectedHourIds[5].sensePlan, kExpectedHourIds[0].planA, kExpectedHourIds[23].planB})
        EXPECT_EQ(ComboSelection(dialog_, id), CB_ERR) << id;
    EXPECT_EQ(IsDlgButtonChecked(dialog_, kOffRadio), BST_CHECKED);
    // The thumb stops at the nearer end; the label shows the stored value.
    EXPECT_EQ(SendDlgItemMessageA(dialog_, kVolumeTrackbar, TBM_GETPOS, 0, 0), 1);
    EXPECT_EQ(ControlText(dialog_, kVolumeValue), "0");

    // A field changes once the user picks an item of its list.
    SelectComboItem(dialog_, kPauseDaysCombo, 3);
    Bytes expected = record;
    expected[kPauseDays] = 4;
    EXPECT_EQ(ConfigBytes(), expected);
    ClickButton(dialog_, kOffRadio);
    expected[kEna] = 0;
    EXPECT_EQ(ConfigBytes(), expected);

    record = RecordWith({{kVol, 12}, {kDly, 0}});
    OpenWithRecord(record);
    EXPECT_EQ(SendDlgItemMessageA(dialog_, kVolumeTrackbar, TBM_GETPOS, 0, 0), 8);
    EXPECT_EQ(ControlText(dialog_, kVolumeValue), "12");
    EXPECT_EQ(ComboSelection(dialog_, kDlyCombo), CB_ERR);
    EXPECT_EQ(ConfigBytes(), record);
}

TEST_F(SettingBinding, SensingModeChangeStoresTheDelayShown)
{
    OpenWithRecord(RecordWith({{kDly, 40}}));
    {
        // No delay selected: the loaded delay stays.
        TraceCapture trace;
        SelectComboItem(dialog_, kSenModCombo, 2);
        EXPECT_EQ(trace.Text(), "Index = 2\nIndex_Dly = -1, lapse = 40\n");
    }
    EXPECT_EQ(g_Session.Config.SenMod, 2);
    EXPECT_EQ(g_Session.Config.Dly, 40);
    {
        TraceCapture trace;
        SelectComboItem(dialog_, kDlyCombo, 7);
        EXPECT_EQ(trace.Text(), "Index_Dly = 7, lapse = 12\n");
    }
    EXPECT_EQ(g_Session.Config.Dly, 12);
    {
        // The delay combo is read again even when nothing announced a change.
        SendDlgItemMessageA(dialog_, kDlyCombo, CB_SETCURSEL, 3, 0);
        TraceCapture trace;
        SelectComboItem(dialog_, kSenModCombo, 0);
        EXPECT_EQ(trace.Text(), "Index = 0\nIndex_Dly = 3, lapse = 8\n");
    }
    EXPECT_EQ(g_Session.Config.Dly, 8);
    EXPECT_EQ(g_Session.Config.SenMod, 0);
}

TEST_F(SettingBinding, EachSettingWritesItsOwnFieldOnlyOnSelectionChange)
{
    OpenWithRecord(DefaultConfigBytes());
    struct Choice {
        int id;
        int index;
        int offset;
        int value;
        const char* trace;
    };
    const Choice choices[] = {
        {kSenModCombo, 2, kSenMod, 2, "Index = 2\nIndex_Dly = 0, lapse = 5\n"},
        {kTimerModCombo, 0, kTimerMod, 0, ""},
        {kDlyCombo, 3, kDly, 8, "Index_Dly = 3, lapse = 8\n"},
        {kPauseDaysCombo, 29, kPauseDays, 30, ""},
        {kAlarmACombo, 1, kAlarmA, 1, ""},
        {kAlarmBCombo, 1, kAlarmB, 1, ""},
        {kPlayDaysACombo, 0, kPlayDaysA, 1, ""},
        {kPlayDaysBCombo, 14, kPlayDaysB, 15, ""},
        {kTMLPenCombo, 1, kTMLPen, 1, ""},
        {kShotHourCombo, 23, kShotHour, 23, ""},
        {kShotMinCombo, 45, kShotMin, 45, ""},
        {kShotSecCombo, 59, kShotSec, 59, ""},
    };
    const int otherCodes[] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (const Choice& choice : choices) {
        Bytes before = ConfigBytes();
        // Opening the list, focus and typing into the edit field change nothing.
        SendDlgItemMessageA(dialog_, choice.id, CB_SETCURSEL, static_cast<WPARAM>(choice.index), 0);
        {
            TraceCapture trace;
            for (int code : otherCodes)
                SendCommand(dialog_, choice.id, code);
            EXPECT_EQ(trace.Text(), "") << choice.id;
        }
        EXPECT_EQ(ConfigBytes(), before) << choice.id;

        Bytes expected = before;
        expected[choice.offset] = static_cast<unsigned char>(choice.value);
        TraceCapture trace;
        SelectComboItem(dialog_, choice.id, choice.index);
        EXPECT_EQ(trace.Text(), choice.trace) << choice.id;
        EXPECT_EQ(ConfigBytes(), expected) << choice.id;
    }

    // The radio buttons act on any notification code.
    SendCommand(dialog_, kOnRadio, 5);
    EXPECT_EQ(g_Session.Config.Ena, 1);
    SendCommand(dialog_, kOffRadio, 0);
    EXPECT_EQ(g_Session.Config.Ena, 0);
}

TEST_F(SettingBinding, TimingModeSetsThePeriodicLoopCombosWhateverThePlaybackSwitch)
{
    OpenWithRecord(DefaultConfigBytes()); // playback off
    EXPECT_FALSE(IsEnabled(dialog_, kAlarmACombo));
    SelectComboItem(dialog_, kTimerModCombo, 1);
    EXPECT_TRUE(IsEnabled(dialog_, kAlarmACombo));
    EXPECT_TRUE(IsEnabled(dialog_, kAlarmBCombo));
    EXPECT_FALSE(IsEnabled(dialog_, kPauseDaysCombo));
    SelectComboItem(dialog_, kTimerModCombo, 0);
    EXPECT_FALSE(IsEnabled(dialog_, kAlarmACombo));
    EXPECT_FALSE(IsEnabled(dialog_, kAlarmBCombo));
}

TEST_F(SettingBinding, EveryHourOfTheGridsWritesItsOwnByte)
{
    OpenWithRecord(DefaultConfigBytes());
    for (const GridCell& cell : GridCells()) {
        int index = 1 + (cell.hour + cell.grid) % 9;
        Bytes before = ConfigBytes();
        SendDlgItemMessageA(dialog_, cell.id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        {
            TraceCapture trace;
            for (int code : {0, 3, 5, 7, 8})
                SendCommand(dialog_, cell.id, code);
            EXPECT_EQ(trace.Text(), "") << cell.id;
        }
        EXPECT_EQ(ConfigBytes(), before) << cell.id;

        std::string expectedTrace;
        if (cell.grid != 'S') {
            char line[96];
            snprintf(line, sizeof line, "wIDList_ComboTMP%c patch - %d, lIndex = %d.\n", cell.grid,
                     cell.hour, index);
            expectedTrace = line;
        }
        Bytes expected = before;
        expected[cell.offset] = static_cast<unsigned char>(index);
        TraceCapture trace;
        SelectComboItem(dialog_, cell.id, index);
        EXPECT_EQ(trace.Text(), expectedTrace) << cell.id;
        EXPECT_EQ(ConfigBytes(), expected) << cell.id;
    }
}

} // namespace
