#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "sounds/source_folder.h"
#include "library_fixture.h"
#include "resources/resource.h"

namespace {

// What the window shows, the status line and the save directory aside: each
// control's text, whether it is shown and enabled, and its selection and item
// count, tick, position or page (a control answers its own of these queries).
std::string WindowState(HWND dialog)
{
    std::string state;
    for (HWND control : ChildrenInTemplateOrder(dialog)) {
        int id = GetDlgCtrlID(control);
        char text[256] = {};
        GetWindowTextA(control, text, sizeof text);
        state += id == IDC_STATUS_LINE || id == IDC_SAVE_DIR_EDIT ? "" : text;
        state += std::to_string(GetWindowLongA(control, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED));
        for (UINT query : {CB_GETCURSEL, CB_GETCOUNT, BM_GETCHECK, TBM_GETPOS, TCM_GETCURSEL})
            state += " " + std::to_string(SendMessageA(control, query, 0, 0));
        state += "\n";
    }
    return state;
}

class SourceFolderTest : public LibraryTest {
  protected:
    std::map<int, std::string> AllSlots()
    {
        std::map<int, std::string> slots;
        for (int slot = -1; slot < 10; ++slot)
            slots[slot] = SlotOf(slot);
        return slots;
    }

    // A start-up in folder: the window, the record, and the trace after the
    // language line.
    struct Startup {
        std::string state;
        Bytes record;
        std::string trace;
    };
    Startup StartIn(const std::string& folder)
    {
        CloseDialog();
        ResetSession();
        SetCurrentDirectoryA(folder.c_str());
        TraceCapture trace;
        OpenDialog();
        std::string text = trace.Text();
        return {WindowState(dialog_), ConfigBytes(), text.substr(text.find('\n') + 1)};
    }
};

TEST_F(SourceFolderTest, EachPickButtonFillsItsSlotAnnouncesAndTicksOnlyItsOwnBox)
{
    std::map<int, std::string> slots = AllSlots();
    std::vector<int> ticked;
    for (const ExpectedCategory& category : kExpectedCategories) {
        SCOPED_TRACE(category.pick);
        std::string folder = start_.File("source " + std::to_string(category.pick));
        Choose(category.pick, folder);
        slots[category.slot] = folder;
        ticked.push_back(category.check);
        std::sort(ticked.begin(), ticked.end());
        EXPECT_EQ(AllSlots(), slots);
        EXPECT_EQ(Status(), category.message + folder);
        EXPECT_EQ(TickedBoxes(), ticked);
    }
    EXPECT_EQ(script_->folderRequests, 33);
}

TEST_F(SourceFolderTest, CancelAndUnconvertibleChoiceChangeNothing)
{
    Choose(IDC_SENSE_SPEC_DOG_PICK, start_.File("dog"));
    std::map<int, std::string> slots = AllSlots();
    std::string status = Status();
    std::vector<int> ticked = TickedBoxes();
    for (FolderChoice answer : {kFolderCancelled, kFolderUnconvertible}) {
        for (const ExpectedCategory& category : kExpectedCategories) {
            SCOPED_TRACE(category.pick);
            Pick(category.pick, answer, start_.File("other"));
            EXPECT_EQ(AllSlots(), slots);
            EXPECT_EQ(Status(), status);
            EXPECT_EQ(TickedBoxes(), ticked);
        }
    }
    EXPECT_EQ(script_->folderRequests, 1 + 2 * 33);
}

TEST_F(SourceFolderTest, AnswersOneForThePickButtonsOnlyWhateverTheNotification)
{
    std::vector<int> taken;
    for (int id = 0; id < 40300; ++id) {
        if (SelectSourceFolder(dialog_, MAKEWPARAM(id, 0x1234)) == 1)
            taken.push_back(id);
    }
    std::vector<int> picks;
    for (const ExpectedCategory& category : kExpectedCategories)
        picks.push_back(category.pick);
    std::sort(picks.begin(), picks.end());
    EXPECT_EQ(taken, picks);
    // Every press was cancelled: nothing is ticked.
    EXPECT_EQ(script_->folderRequests, 33);
    EXPECT_TRUE(TickedBoxes().empty());
}

// An animal's pages share one slot, and so do the random pages: the last
// choice made on any of them is the one a Copy takes.
TEST_F(SourceFolderTest, PagesShareOneSlotAndTheLastChoiceWins)
{
    // Dog on the sensing and the timing A page; Random on both. The boxes
    // ticked, in the order of their ids.
    const struct {
        const char* target;
        int copyPage, slot, firstPick, secondPick, lowerTick, higherTick;
    } cases[] = {
        {"audio\\SenseSpecify\\dog", 3, 0, IDC_SENSE_SPEC_DOG_PICK, IDC_TIMING_A_DOG_PICK,
         IDC_TIMING_A_DOG_CHECK, IDC_SENSE_SPEC_DOG_CHECK},
        {"audio\\SenseRand", 0, -1, IDC_SENSE_RAND_PICK, IDC_TIMING_RAND_A_PICK,
         IDC_TIMING_RAND_A_CHECK, IDC_SENSE_RAND_CHECK},
    };
    std::string first = MakeSource("X", {"x.wav"});
    std::string second = MakeSource("Y", {"y.wav"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        ResetSession();
        OpenDialog();
        Choose(c.firstPick, first);
        Choose(c.secondPick, second);
        EXPECT_EQ(SlotOf(c.slot), second);
        EXPECT_EQ(TickedBoxes(), (std::vector<int>{c.lowerTick, c.higherTick}));

        Copy(c.copyPage);
        std::string target = start_.File(c.target);
        EXPECT_TRUE(FileExists(target + "\\y.wav"));
        EXPECT_FALSE(FileExists(target + "\\x.wav"));
    }
}

TEST_F(SourceFolderTest, ChoosingTheSameFolderTwiceRepeatsTheAnnouncement)
{
    std::string folder = start_.File("fox");
    statuses_.clear();
    Choose(IDC_TIMING_B_FOX_PICK, folder);
    Choose(IDC_TIMING_B_FOX_PICK, folder);
    ASSERT_EQ(statuses_.size(), 2u);
    EXPECT_EQ(statuses_[0].text, "Source directory of \"Red fox\" selected: " + folder);
    EXPECT_EQ(statuses_[1].text, statuses_[0].text);
    EXPECT_EQ(TickedBoxes(), std::vector<int>{IDC_TIMING_B_FOX_CHECK});
}

TEST_F(SourceFolderTest, ChooseFolderReportsChoiceCancelAndMissingDestination)
{
    EXPECT_EQ(ChooseFolder(nullptr, nullptr), -1);
    EXPECT_EQ(script_->folderRequests, 0);

    char destination[kPathSize] = "kept";
    HWND edit = GetDlgItem(dialog_, IDC_SAVE_DIR_EDIT);
    script_->folderAnswers = {
        {kFolderCancelled, ""}, {kFolderUnconvertible, ""}, {kFolderChosen, "D:\\card"}};
    EXPECT_EQ(ChooseFolder(destination, edit), 1);
    EXPECT_EQ(ChooseFolder(destination, edit), 1);
    EXPECT_STREQ(destination, "kept");
    EXPECT_EQ(ChooseFolder(destination, edit), 0);
    EXPECT_STREQ(destination, "D:\\card");
    EXPECT_EQ(ControlText(dialog_, IDC_SAVE_DIR_EDIT), "D:\\card");
}

// The columns the control's text covers as the control paints it.
int InkWidth(HWND control)
{
    RECT room;
    GetClientRect(control, &room);
    HDC screen = GetDC(control), dc = CreateCompatibleDC(screen);
    HBITMAP image = CreateCompatibleBitmap(screen, room.right, room.bottom);
    HGDIOBJ old = SelectObject(dc, image);
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT | PRF_ERASEBKGND);
    int left = room.right, right = -1;
    for (int x = 0; x < room.right; ++x) {
        for (int y = 0; y < room.bottom; ++y) {
            if (GetPixel(dc, x, y) != GetPixel(dc, 0, 0))
                left = std::min(left, x), right = std::max(right, x);
        }
    }
    SelectObject(dc, old);
    DeleteObject(image);
    DeleteDC(dc);
    ReleaseDC(control, screen);
    return right < left ? 0 : right - left + 1;
}

// A folder named with "&" reads as typed: the status line draws the "&".
TEST_F(SourceFolderTest, APathWithAnAmpersandReadsAsTyped)
{
    std::string folder = start_.File("Rock & Roll");
    Choose(IDC_SENSE_SPEC_DOG_PICK, folder);
    std::string shown = "Source directory of \"Dog\" selected: " + folder;
    EXPECT_EQ(Status(), shown);
    HWND status = GetDlgItem(dialog_, IDC_STATUS_LINE);
    int drawn = InkWidth(status);
    shown.erase(shown.find('&'), 1);
    SetWindowTextA(status, shown.c_str());
    int without = InkWidth(status);
    SetWindowTextA(status, "&");
    EXPECT_NEAR(drawn - without, InkWidth(status), 1) << "the \"&\" drawn as wide as it is";
}

TEST_F(SourceFolderTest, BrowseReplacesTheSaveDirectoryOnlyOnAChoice)
{
    ASSERT_EQ(std::string(g_Session.SaveDir), start_.Path());
    Browse(kFolderCancelled, "");
    Browse(kFolderUnconvertible, "");
    EXPECT_EQ(std::string(g_Session.SaveDir), start_.Path());
    EXPECT_EQ(ControlText(dialog_, IDC_SAVE_DIR_EDIT), start_.Path());

    TempFolder card;
    Browse(kFolderChosen, card.Path());
    EXPECT_EQ(std::string(g_Session.SaveDir), card.Path());
    EXPECT_EQ(ControlText(dialog_, IDC_SAVE_DIR_EDIT), card.Path());

    // Generate and Copy both go to the new save directory.
    ClickButton(dialog_, IDC_GENERATE_BUTTON);
    EXPECT_EQ(ReadBytes(card.File(kConfigName)).size(), 86u);
    Choose(IDC_SENSE_RAND_PICK, MakeSource("R", {"r.wav"}));
    Copy(0);
    EXPECT_TRUE(FileExists(card.File("audio\\SenseRand\\r.wav")));
    EXPECT_FALSE(FileExists(start_.File("audio")));
}

// Browse to a folder whose settings, as a start-up there shows them (time
// lapse forced on with the periodic loop included), differ from the window's
// asks; Yes shows them, No and every other folder leave the window as it
// was, and Generate then writes what the window holds. Browse neither puts in
// place nor removes a record an interrupted write left.
TEST_F(SourceFolderTest, BrowseOffersToShowOtherSettingsTheFolderHolds)
{
    Bytes own = DefaultConfigBytes(), on = {1, 3, 9, 2, 3, 1, 2, 12, 1, 0}, zeros(86, 0);
    own[kEna] = 1;
    own[kTMLPen] = 7; // off, which the periodic loop (TimerMod 1) shows on
    on.resize(86, 4); // every plan hour Lynx, shooting every 4 h 4 min 4 s
    on[kTMLPen] = 1;  // off
    WriteBytes(start_.File(kConfigName), own);
    const struct {
        const char* name;
        std::vector<std::pair<std::string, Bytes>> files;
        int answer; // 0: no question
        bool shown, goneBeforeAnswer = false;
    } cases[] = {
        {"other settings, Yes", {{kConfigName, on}}, IDYES, true},
        {"values no list holds, Yes", {{kConfigName, zeros}}, IDYES, true},
        {"other settings, No", {{kConfigName, on}}, IDNO, false},
        {"the same settings as shown", {{kConfigName, own}}, 0, false},
        {"none", {}, 0, false},
        {"85 bytes", {{kConfigName, Bytes(85, 1)}}, 0, false},
        {"an interrupted write's", {{"CFGBCAST.TMP", on}, {"CFGBCAST.OLD", zeros}}, 0, false},
        {"gone before Yes", {{"CFGBCAST.TMP", on}, {kConfigName, on}}, IDYES, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder card;
        for (const auto& file : c.files)
            WriteBytes(card.File(file.first), file.second);
        Startup want = c.shown ? StartIn(card.Path()) : Startup{};
        Startup before = StartIn(start_.Path());
        if (!c.shown)
            want = {before.state, before.record, ""};
        std::string status = c.shown ? "Settings loaded from \"" + card.Path() + "\"" : Status();
        script_->boxes.clear();
        script_->answerBox = [&](const ShellScript::Box&) {
            if (c.goneBeforeAnswer)
                DeleteFileA(card.File(kConfigName).c_str());
            return c.answer;
        };
        TraceCapture trace;
        Browse(kFolderChosen, card.Path());
        EXPECT_EQ(trace.Text(), want.trace);
        EXPECT_EQ(WindowState(dialog_), want.state);
        EXPECT_EQ(ConfigBytes(), want.record);
        EXPECT_EQ(Status(), status);
        EXPECT_EQ(ControlText(dialog_, IDC_SAVE_DIR_EDIT), card.Path());
        ASSERT_EQ(script_->boxes.size(), c.answer ? 1u : 0u);
        for (const auto& box : script_->boxes)
            EXPECT_TRUE(box.owner == dialog_ && box.type == (MB_YESNO | MB_ICONQUESTION) &&
                        box.caption == "Audio Playback Settings" &&
                        box.text.rfind("This folder holds settings saved earlier", 0) == 0);
        for (const auto& file : c.files)
            EXPECT_EQ(ReadBytes(card.File(file.first)),
                      c.goneBeforeAnswer && file.first == kConfigName ? Bytes() : file.second);
        script_->answerBox = nullptr;
        ClickButton(dialog_, IDC_GENERATE_BUTTON);
        EXPECT_EQ(ReadBytes(card.File(kConfigName)), want.record);
    }
}

} // namespace
