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
#include "ui/control_map.h"

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
        {"OnRadio", map.OnRadio, 40014},
        {"OffRadio", map.OffRadio, 40011},
        {"VolumeValue", map.VolumeValue, 40005},
        {"VolumeTrackbar", map.VolumeTrackbar, 40020},
        {"SenModCombo", map.SenModCombo, 40027},
        {"TimerModCombo", map.TimerModCombo, 40034},
        {"DlyCombo", map.DlyCombo, 40038},
        {"CopyButton", map.CopyButton, 40151},
        {"SaveDirEdit", map.SaveDirEdit, 40154},
        {"StatusLine", map.StatusLine, 40191},
        {"ShotLabel", map.ShotInterval.ShotLabel, 40252},
        {"ShotHourUnit", map.ShotInterval.ShotHourUnit, 40196},
        {"ShotMinUnit", map.ShotInterval.ShotMinUnit, 40199},
        {"ShotSecUnit", map.ShotInterval.ShotSecUnit, 40201},
        {"ShotHourCombo", map.ShotInterval.ShotHourCombo, 40193},
        {"ShotMinCombo", map.ShotInterval.ShotMinCombo, 40198},
        {"ShotSecCombo", map.ShotInterval.ShotSecCombo, 40200},
        {"TimeLapseLabel", map.TimeLapseLabel, 40239},
        {"TMLPenCombo", map.TMLPenCombo, 40238},
        {"PlanTab", map.PlanTab, 40026},
        {"CopyTab", map.CopyTab, 40042},
        {"PauseDaysLabel", map.PauseDaysLabel, 40240},
        {"PauseDaysCombo", map.PauseDaysCombo, 40242},
        {"AlarmACombo", map.AlarmACombo, 40244},
        {"AlarmBCombo", map.AlarmBCombo, 40245},
        {"PlayDaysACombo", map.PlayDaysACombo, 40250},
        {"PlayDaysBCombo", map.PlayDaysBCombo, 40251},
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
    std::vector<int> ids = {40155, 40008, 40017, 40023, 40033, 40002, 40241, 40030,
                            65535, 40192, 40247, 40246, 40243, 40197, 40202, 40046,
                            40237, 40248, 40249, 40153, 40152, 40182};
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
