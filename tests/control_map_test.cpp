// The control map fetched from the real dialog: every handle names the
// control of its identifier, the groups run in hour and animal order, and
// the controls left out of the map are the ones nothing reaches by name.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "model/session_state.h"
#include "test_support.h"
#include "ui/control_map_fetch.h"
#include "resources/resource.h"

namespace {

const int kFetchedCount = 198;
const int kControlCount = 253;

static_assert(sizeof(ControlMap) == kFetchedCount * sizeof(HWND),
              "the map holds the 198 handles and nothing else");

struct NamedHandle {
    std::string name;
    HWND handle;
    int id;
};

std::string Indexed(const char* name, int index, const char* part = "")
{
    char text[64];
    snprintf(text, sizeof text, "%s[%d]%s", name, index, part);
    return text;
}

void AddRow(std::vector<NamedHandle>& handles, const std::string& name, const CopyRow& row,
            const ExpectedRowIds& ids)
{
    handles.push_back({name + ".Label", row.Label, ids.label});
    handles.push_back({name + ".PickButton", row.PickButton, ids.pick});
    handles.push_back({name + ".Check", row.Check, ids.check});
}

// Every handle of the map with the identifier of the control it must name.
std::vector<NamedHandle> NamedHandles(const ControlMap& map)
{
    std::vector<NamedHandle> handles = {
        {"OnRadio", map.OnRadio, IDC_ON_RADIO},
        {"OffRadio", map.OffRadio, IDC_OFF_RADIO},
        {"VolumeValue", map.VolumeValue, IDC_VOLUME_VALUE},
        {"VolumeTrackbar", map.VolumeTrackbar, IDC_VOLUME_TRACKBAR},
        {"SenModCombo", map.SenModCombo, IDC_SEN_MOD_COMBO},
        {"TimerModCombo", map.TimerModCombo, IDC_TIMER_MOD_COMBO},
        {"DlyCombo", map.DlyCombo, IDC_DLY_COMBO},
        {"CopyButton", map.CopyButton, IDC_COPY_BUTTON},
        {"SaveDirEdit", map.SaveDirEdit, IDC_SAVE_DIR_EDIT},
        {"StatusLine", map.StatusLine, IDC_STATUS_LINE},
        {"ShotLabel", map.ShotInterval.ShotLabel, IDC_SHOT_LABEL},
        {"ShotHourUnit", map.ShotInterval.ShotHourUnit, IDC_SHOT_HOUR_UNIT},
        {"ShotMinUnit", map.ShotInterval.ShotMinUnit, IDC_SHOT_MIN_UNIT},
        {"ShotSecUnit", map.ShotInterval.ShotSecUnit, IDC_SHOT_SEC_UNIT},
        {"ShotHourCombo", map.ShotInterval.ShotHourCombo, IDC_SHOT_HOUR_COMBO},
        {"ShotMinCombo", map.ShotInterval.ShotMinCombo, IDC_SHOT_MIN_COMBO},
        {"ShotSecCombo", map.ShotInterval.ShotSecCombo, IDC_SHOT_SEC_COMBO},
        {"TimeLapseLabel", map.TimeLapseLabel, IDC_TIME_LAPSE_LABEL},
        {"TMLPenCombo", map.TMLPenCombo, IDC_TMLPEN_COMBO},
        {"PlanTab", map.PlanTab, IDC_PLAN_TAB},
        {"CopyTab", map.CopyTab, IDC_COPY_TAB},
        {"PauseDaysLabel", map.PauseDaysLabel, IDC_PAUSE_DAYS_LABEL},
        {"PauseDaysCombo", map.PauseDaysCombo, IDC_PAUSE_DAYS_COMBO},
        {"AlarmACombo", map.AlarmACombo, IDC_ALARM_A_COMBO},
        {"AlarmBCombo", map.AlarmBCombo, IDC_ALARM_B_COMBO},
        {"PlayDaysACombo", map.PlayDaysACombo, IDC_PLAY_DAYS_A_COMBO},
        {"PlayDaysBCombo", map.PlayDaysBCombo, IDC_PLAY_DAYS_B_COMBO},
    };
    for (int hour = 0; hour < 24; ++hour) {
        handles.push_back({Indexed("ComboSensePlan", hour), map.ComboSensePlan[hour],
                           kExpectedHourIds[hour].sensePlan});
        handles.push_back(
            {Indexed("ComboTMPA", hour), map.ComboTMPA[hour], kExpectedHourIds[hour].planA});
        handles.push_back(
            {Indexed("ComboTMPB", hour), map.ComboTMPB[hour], kExpectedHourIds[hour].planB});
    }
    AddRow(handles, "SenseRandRow", map.SenseRandRow, ExpectedCopyRow(0, 0));
    AddRow(handles, "TimingRandARow", map.TimingRandARow, ExpectedCopyRow(1, 0));
    AddRow(handles, "TimingRandBRow", map.TimingRandBRow, ExpectedCopyRow(2, 0));
    for (int animal = 0; animal < 10; ++animal) {
        AddRow(handles, Indexed("SenseSpecRow", animal), map.SenseSpecRow[animal],
               ExpectedCopyRow(3, animal));
        AddRow(handles, Indexed("TimingARow", animal), map.TimingARow[animal],
               ExpectedCopyRow(4, animal));
        AddRow(handles, Indexed("TimingBRow", animal), map.TimingBRow[animal],
               ExpectedCopyRow(5, animal));
    }
    return handles;
}

// The controls nothing fetches: group boxes, hour labels, separators and
// letters, four captions, Browse, Generate, the version label, hidden rows.
std::vector<int> UnfetchedIds()
{
    std::vector<int> ids = {
        IDC_SAVE_DIR_GROUP,   IDC_SWITCH_GROUP,      IDC_VOLUME_GROUP,        IDC_DELAY_GROUP,
        IDC_SEN_MOD_GROUP,    IDC_TIMER_MOD_GROUP,   IDC_PERIODIC_LOOP_GROUP, IDC_PAUSE_DAYS_GROUP,
        IDC_TIME_LAPSE_GROUP, IDC_SHOT_GROUP,        IDC_PLAY_DAYS_GROUP,     IDC_ALARM_A_LETTER,
        IDC_ALARM_B_LETTER,   IDC_SHOT_HOUR_COLON,   IDC_SHOT_MIN_COLON,      IDC_PLAN_CAPTION,
        IDC_COPY_CAPTION,     IDC_PLAY_DAYS_A_LABEL, IDC_PLAY_DAYS_B_LABEL,   IDC_BROWSE_BUTTON,
        IDC_GENERATE_BUTTON,  IDC_VERSION_LABEL};
    for (const ExpectedHourIds& hour : kExpectedHourIds)
        ids.push_back(hour.label);
    for (const ExpectedRowIds& row : kExpectedHiddenRows)
        ids.insert(ids.end(), {row.label, row.pick, row.check});
    return ids;
}

HWND ChildWithId(HWND dialog, int id)
{
    for (HWND child : ChildrenInTemplateOrder(dialog)) {
        if (static_cast<WORD>(GetDlgCtrlID(child)) == static_cast<WORD>(id))
            return child;
    }
    return nullptr;
}

std::vector<HWND> AllSlots(const ControlMap& map)
{
    const HWND* slots = reinterpret_cast<const HWND*>(&map);
    return std::vector<HWND>(slots, slots + kFetchedCount);
}

// The map names the controls of this dialog, each by its identifier, and
// together with the unfetched controls covers every control once.
void ExpectMapOf(HWND dialog)
{
    const ControlMap& map = g_Session.ControlMap;
    std::vector<NamedHandle> handles = NamedHandles(map);
    ASSERT_EQ(static_cast<int>(handles.size()), kFetchedCount);
    for (const NamedHandle& named : handles) {
        SCOPED_TRACE(named.name);
        ASSERT_NE(named.handle, nullptr);
        EXPECT_EQ(GetParent(named.handle), dialog);
        EXPECT_EQ(GetDlgCtrlID(named.handle), named.id);
    }

    std::vector<HWND> slots = AllSlots(map);
    std::set<HWND> fetched(slots.begin(), slots.end());
    EXPECT_EQ(static_cast<int>(fetched.size()), kFetchedCount) << "a control fetched twice";

    std::vector<int> unfetched = UnfetchedIds();
    EXPECT_EQ(static_cast<int>(unfetched.size()), kControlCount - kFetchedCount);
    std::set<HWND> all = fetched;
    for (int id : unfetched) {
        SCOPED_TRACE(id);
        HWND control = ChildWithId(dialog, id);
        ASSERT_NE(control, nullptr) << "unfetched control missing";
        EXPECT_EQ(fetched.count(control), 0u) << "must not be fetched";
        all.insert(control);
    }
    std::vector<HWND> children = ChildrenInTemplateOrder(dialog);
    EXPECT_EQ(all, std::set<HWND>(children.begin(), children.end()));
}

TEST(ControlMap, FetchNamesEveryControlOfTheDialogReplacingTheOldMap)
{
    HWND dialog = CreateTemplateDialog();
    ASSERT_NE(dialog, nullptr);
    ResetSession();
    memset(&g_Session.ControlMap, 0x5A, sizeof g_Session.ControlMap);

    FetchControlMap(dialog);

    ExpectMapOf(dialog);
    DestroyWindow(dialog);
}

TEST(ControlMap, InitialisationFetchesTheMapOfEachNewDialog)
{
    ResetSession();
    HWND first = CreateMainDialog();
    ASSERT_NE(first, nullptr);
    DestroyWindow(first);
    HWND second = CreateMainDialog();
    ASSERT_NE(second, nullptr);

    ExpectMapOf(second);
    DestroyWindow(second);
}

} // namespace
