// The built program in its own process and its own window, used the way a
// person uses it. Everything checked is what a person or the device sees:
// the controls, the status line, the message box, the files on disk, the
// trace on standard output and the exit code.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "app_version.h"
#include "e2e_support.h"
#include "test_support.h"
#include "resources/control_groups.h"

namespace {

const char kCaption[] = "Audio Playback Settings";
const char* const kSenModItems[] = {"Off", "Random Playback", "Time & File Specified"};
const char* const kTimerModItems[] = {"Off", "Periodic Loop"};
const char* const kAlarmItems[] = {"Random Playback", "Time & File Specified"};
const char* const kTimeLapseItems[] = {"On", "Off"};
const char* const kPlanPages[] = {"Sensing Playback", "Timing Playback A", "Timing Playback B"};
const char* const kCopyPages[] = {"Random Sen",  "Timing Rndm A", "Timing Rnd B",
                                  "Sense&Sched", "Timed&SchedA",  "Timed&SchedB"};

Bytes DefaultRecord()
{
    const unsigned char head[] = {0x00, 0x05, 0x07, 0x1C, 0x1C, 0x01, 0x01, 0x05, 0x00, 0x00};
    Bytes record(kRecordSize, 0);
    std::copy(head, head + sizeof head, record.begin());
    record[kShotHour] = 1;
    return record;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

std::string Hex(const Bytes& bytes)
{
    std::string text;
    char piece[4];
    for (unsigned char byte : bytes) {
        snprintf(piece, sizeof piece, "%02X ", byte);
        text += piece;
    }
    return text;
}

class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override
    {
        startDir_ = SubFolder(scratch_, "start");
        ASSERT_TRUE(FileExists(ProgramPath())) << ProgramPath();
    }

    void TearDown() override
    {
        if (program_.Running())
            ADD_FAILURE() << "the program was still running and is stopped\ntrace:\n"
                          << program_.Trace();
        program_.Terminate();
    }

    void Launch(const std::string& program = ProgramPath())
    {
        std::string error;
        ASSERT_TRUE(program_.Start(program, startDir_, scratch_.Path() + "\\trace.txt", &error))
            << error;
    }

    std::string StartFile() const
    {
        return startDir_ + "\\" + kConfigName;
    }

    // Closes the window as its close box does; the program ends with 0.
    void CloseAndExpectExitZero(UINT how)
    {
        if (how == WM_SYSCOMMAND)
            PostMessageA(program_.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            PostMessageA(program_.Window(), WM_CLOSE, 0, 0);
        DWORD exitCode = 1234;
        ASSERT_TRUE(program_.WaitForExit(10000, &exitCode)) << "the window did not close";
        EXPECT_EQ(exitCode, 0u);
    }

    // Picks an item in each combo box and notes the field value it stands for.
    struct Choice {
        int combo;
        int index;
        int offset;
        int value;
    };
    void Choose(Bytes& expected, std::initializer_list<Choice> choices)
    {
        for (const Choice& choice : choices) {
            ASSERT_TRUE(program_.SelectComboItem(choice.combo, choice.index));
            expected[choice.offset] = static_cast<unsigned char>(choice.value);
        }
    }

    // Presses Generate and answers the message box; returns its contents.
    MessageBoxSeen GenerateAndConfirm()
    {
        MessageBoxSeen seen;
        if (!program_.ClickLater(IDC_GENERATE_BUTTON))
            return seen;
        HWND box = program_.WaitForOwnedDialog();
        if (!box) {
            ADD_FAILURE() << "no message box after Generate; status: "
                          << program_.Text(IDC_STATUS_LINE);
            return seen;
        }
        EXPECT_EQ(GetWindow(box, GW_OWNER), program_.Window()) << "the box belongs to the window";
        EXPECT_FALSE(IsWindowEnabled(program_.Window())) << "the box holds the window";
        seen = ReadMessageBox(box);
        statusDuringBox_ = program_.Text(IDC_STATUS_LINE);
        EXPECT_TRUE(CloseWithButton(box, IDOK)) << "the box did not close on OK";
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(program_.Window()) != 0; }));
        return seen;
    }

    // After the box, the status line ends on notReady where that is given.
    void ExpectGenerated(const std::string& saveDir, const Bytes& expected,
                         const std::string& notReady = "")
    {
        MessageBoxSeen box = GenerateAndConfirm();
        EXPECT_EQ(box.caption, "Note");
        EXPECT_EQ(box.text, "Configuration generated!");
        std::string generated = Generated(saveDir);
        EXPECT_EQ(statusDuringBox_, generated);
        std::string end = notReady.empty() ? generated : notReady;
        EXPECT_TRUE(WaitUntil([&] { return program_.Text(IDC_STATUS_LINE) == end; }))
            << program_.Text(IDC_STATUS_LINE);
        Bytes written = ReadBytes(saveDir + "\\" + kConfigName);
        EXPECT_EQ(Hex(written), Hex(expected));
        std::string trace = program_.Trace();
        std::string path = saveDir + "\\" + kConfigName;
        EXPECT_TRUE(Contains(trace, "Open file - \"" + path + "\" success!\n" +
                                        std::string(48, '_') +
                                        "\nsizeof = 86\niGetFileSize = 86\n"))
            << trace;
    }

    // A source folder of sound files, with a file that is no sound and one
    // whose name begins with a full stop.
    std::vector<std::string> MakeSounds(const std::string& folder, int seed, int count)
    {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            char name[32];
            snprintf(name, sizeof name, "sound%d_%d.wav", seed, i);
            WriteBytes(folder + "\\" + name, WaveFile(seed * 10 + i, 400 + 100 * i));
            names.push_back(name);
        }
        WriteBytes(folder + "\\notes.txt", Bytes{'x'});
        WriteBytes(folder + "\\.hidden.wav", WaveFile(99, 100));
        return names;
    }

    // Opens the folder browser with a button and picks the folder in it. By
    // automation, the button's command comes while another window is in front.
    void ChooseFolderWith(int buttonId, const std::string& folder, bool byAutomation = false)
    {
        if (byAutomation)
            PostMessageA(program_.Window(), WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(program_.Control(buttonId)));
        else
            ASSERT_TRUE(program_.ClickLater(buttonId));
        // The shell fills the browser's tree before it shows; a loaded machine
        // can take a while.
        HWND browser = program_.WaitForOwnedDialog(30000);
        ASSERT_NE(browser, nullptr) << "no folder browser after button " << buttonId;
        // It belongs to the tool's window, which takes no command meanwhile.
        EXPECT_EQ(GetWindow(browser, GW_OWNER), program_.Window());
        EXPECT_FALSE(IsWindowEnabled(program_.Window()));
        std::string error;
        ASSERT_TRUE(ChooseInFolderBrowser(program_, browser, folder, &error)) << error;
        ASSERT_TRUE(program_.Answering());
    }

    // Picks the source folder of a category row: the status line names it
    // and the row's box is ticked.
    void ChooseSource(const CopyRowIds& row, const std::string& folder, const std::string& message)
    {
        ASSERT_NO_FATAL_FAILURE(ChooseFolderWith(row.PickButton, folder));
        EXPECT_EQ(program_.Text(IDC_STATUS_LINE), message + folder);
        EXPECT_TRUE(program_.Checked(row.Check));
    }

    void ExpectCopies(const std::string& source, const std::string& target,
                      const std::vector<std::string>& names)
    {
        for (const std::string& name : names) {
            Bytes original = ReadBytes(source + "\\" + name);
            ASSERT_FALSE(original.empty());
            EXPECT_EQ(ReadBytes(target + "\\" + name), original) << target << "\\" << name;
        }
        EXPECT_FALSE(FileExists(target + "\\notes.txt"));
        EXPECT_FALSE(FileExists(target + "\\.hidden.wav"));
    }

    TempFolder scratch_{ScratchBase()};
    std::string startDir_;
    RunningProgram program_;
    std::string statusDuringBox_;
};

// What the window shows for a record: the switch, the volume and every
// setting combo box with its selected item.
void ExpectWindowShows(const RunningProgram& program, const Bytes& record)
{
    EXPECT_EQ(program.Checked(IDC_ON_RADIO), record[kEna] == 1);
    EXPECT_EQ(program.Checked(IDC_OFF_RADIO), record[kEna] != 1);
    EXPECT_EQ(program.TrackbarPosition(IDC_VOLUME_TRACKBAR), record[kVol]);
    EXPECT_EQ(program.Text(IDC_VOLUME_VALUE), std::to_string(record[kVol]));

    EXPECT_EQ(program.ComboSelectedText(IDC_SEN_MOD_COMBO), kSenModItems[record[kSenMod]]);
    EXPECT_EQ(program.ComboSelectedText(IDC_TIMER_MOD_COMBO), kTimerModItems[record[kTimerMod]]);
    EXPECT_EQ(program.ComboSelectedText(IDC_ALARM_A_COMBO), kAlarmItems[record[kAlarmA]]);
    EXPECT_EQ(program.ComboSelectedText(IDC_ALARM_B_COMBO), kAlarmItems[record[kAlarmB]]);
    EXPECT_EQ(program.ComboSelectedText(IDC_TMLPEN_COMBO), kTimeLapseItems[record[kTMLPen]]);
    EXPECT_EQ(program.ComboSelectedText(IDC_DLY_COMBO), std::to_string(record[kDly]) + " Sec");
    EXPECT_EQ(program.ComboSelectedText(IDC_PAUSE_DAYS_COMBO), std::to_string(record[kPauseDays]));
    EXPECT_EQ(program.ComboSelectedText(IDC_PLAY_DAYS_A_COMBO), std::to_string(record[kPlayDaysA]));
    EXPECT_EQ(program.ComboSelectedText(IDC_PLAY_DAYS_B_COMBO), std::to_string(record[kPlayDaysB]));
    EXPECT_EQ(program.ComboSelectedText(IDC_SHOT_HOUR_COMBO), std::to_string(record[kShotHour]));
    EXPECT_EQ(program.ComboSelectedText(IDC_SHOT_MIN_COMBO), std::to_string(record[kShotMin]));
    EXPECT_EQ(program.ComboSelectedText(IDC_SHOT_SEC_COMBO), std::to_string(record[kShotSec]));
    for (int h = 0; h < kHours; ++h) {
        EXPECT_EQ(program.ComboSelectedText(kComboSensePlanIds[h]),
                  kExpectedAnimalNames[record[kType + h]])
            << "hour " << h;
        EXPECT_EQ(program.ComboSelectedText(kComboTMPAIds[h]),
                  kExpectedAnimalNames[record[kTypeA + h]])
            << "hour " << h;
        EXPECT_EQ(program.ComboSelectedText(kComboTMPBIds[h]),
                  kExpectedAnimalNames[record[kTypeB + h]])
            << "hour " << h;
    }
}

struct StartCase {
    const char* name;
    int fileSize; // -1: no file
    bool loaded;
};

// A record unlike the defaults in every field the window shows.
Bytes LoadableRecord()
{
    Bytes record(kRecordSize, 0);
    record[kEna] = 1;
    record[kVol] = 3;
    record[kPauseDays] = 4;
    record[kPlayDaysA] = 5;
    record[kPlayDaysB] = 6;
    record[kTimerMod] = 0;
    record[kSenMod] = 2;
    record[kDly] = 12;
    record[kAlarmA] = 1;
    record[kAlarmB] = 0;
    for (int h = 0; h < kHours; ++h) {
        record[kType + h] = static_cast<unsigned char>(h % 10);
        record[kTypeA + h] = static_cast<unsigned char>((h + 3) % 10);
        record[kTypeB + h] = static_cast<unsigned char>(9 - h % 10);
    }
    record[kTMLPen] = 1;
    record[kShotHour] = 5;
    record[kShotMin] = 6;
    record[kShotSec] = 7;
    return record;
}

TEST_F(EndToEnd, FirstStartShowsTheStartDirectoryAndTheRecordFoundThere)
{
    const StartCase cases[] = {
        {"no file", -1, false},
        {"85 bytes", 85, false},
        {"87 bytes", 87, false},
        {"86 bytes", 86, true},
    };
    for (const StartCase& start : cases) {
        SCOPED_TRACE(start.name);
        RemoveTree(StartFile());
        Bytes onDisk;
        if (start.fileSize >= 0) {
            onDisk = LoadableRecord();
            onDisk.resize(start.fileSize, 0x01);
            WriteBytes(StartFile(), onDisk);
        }
        ULONGLONG writeTime = LastWriteTime(StartFile());

        Launch();
        EXPECT_EQ(program_.Caption(), kCaption);
        EXPECT_EQ(program_.Text(IDC_SAVE_DIR_EDIT), startDir_);
        ExpectWindowShows(program_, start.loaded ? LoadableRecord() : DefaultRecord());

        std::string trace = program_.Trace();
        char sizeLine[64];
        snprintf(sizeLine, sizeof sizeLine, "sizeof = 86\niGetFileSize = %d\n",
                 start.fileSize < 0 ? 0 : start.fileSize);
        EXPECT_EQ(trace.rfind("uwLangID=0x", 0), 0u) << trace;
        EXPECT_EQ(trace.find('\n'), std::string("uwLangID=0x1234").size()) << trace;
        EXPECT_TRUE(Contains(trace, sizeLine)) << trace;
        EXPECT_EQ(Contains(trace, "File szie != struct size!\n"), !start.loaded) << trace;
        if (start.loaded) {
            EXPECT_TRUE(Contains(trace, "Ena = 1\nVol = 3\nTimerMod = 0\nSenMod = 2\nAlarmA = 1\n"
                                        "AlarmB = 0\nTMLPen = 1\nDly = 12\ntype[0] = 0\n"))
                << trace;
            EXPECT_TRUE(Contains(trace, "type[23] = 3\n")) << trace;
        }

        CloseAndExpectExitZero(WM_CLOSE);
        EXPECT_EQ(ReadBytes(StartFile()), onDisk) << "closing writes nothing";
        EXPECT_EQ(LastWriteTime(StartFile()), writeTime);
    }
}

TEST_F(EndToEnd, TheFirstViewIsPageZeroOfBothTabsInEnglish)
{
    Launch();
    EXPECT_EQ(program_.Caption(), kCaption);
    EXPECT_EQ(program_.Text(IDC_STATUS_LINE), "Status: Idle");
    EXPECT_EQ(program_.Text(IDC_BROWSE_BUTTON), "Browse");
    EXPECT_EQ(program_.Text(IDC_GENERATE_BUTTON), "Generate");
    EXPECT_EQ(program_.Text(IDC_COPY_BUTTON), "Copy");
    EXPECT_EQ(program_.Text(IDC_VERSION_LABEL), APP_VERSION_LABEL);
    ASSERT_EQ(program_.TabCount(IDC_PLAN_TAB), 3);
    ASSERT_EQ(program_.TabCount(IDC_COPY_TAB), 6);
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(program_.TabLabel(IDC_PLAN_TAB, page), kPlanPages[page]);
    for (int page = 0; page < 6; ++page)
        EXPECT_EQ(program_.TabLabel(IDC_COPY_TAB, page), kCopyPages[page]);
    EXPECT_EQ(program_.TabSelection(IDC_PLAN_TAB), 0);
    EXPECT_EQ(program_.TabSelection(IDC_COPY_TAB), 0);

    for (int h = 0; h < kHours; ++h) {
        EXPECT_TRUE(program_.Visible(kComboSensePlanIds[h])) << h;
        EXPECT_FALSE(program_.Visible(kComboTMPAIds[h])) << h;
        EXPECT_FALSE(program_.Visible(kComboTMPBIds[h])) << h;
        EXPECT_TRUE(program_.InsideWindow(kComboSensePlanIds[h])) << h;
    }
    EXPECT_TRUE(program_.Visible(kSenseRandRowIds.PickButton));
    EXPECT_FALSE(program_.Visible(kTimingRandARowIds.PickButton));
    EXPECT_FALSE(program_.Visible(kSenseSpecRowIds[0].PickButton));
    // Playback is off: its settings wait for the switch.
    EXPECT_FALSE(program_.Enabled(IDC_VOLUME_TRACKBAR));
    EXPECT_FALSE(program_.Enabled(IDC_COPY_BUTTON));
    EXPECT_TRUE(program_.Enabled(IDC_TMLPEN_COMBO));
    EXPECT_TRUE(program_.Enabled(IDC_SHOT_HOUR_COMBO));
    EXPECT_EQ(program_.FocusedWindow(), program_.Control(IDC_SAVE_DIR_EDIT));
    for (int id : {IDC_STATUS_LINE, IDC_GENERATE_BUTTON, IDC_COPY_BUTTON, IDC_PLAY_DAYS_B_COMBO,
                   IDC_BROWSE_BUTTON})
        EXPECT_TRUE(program_.InsideWindow(id)) << id;

    CloseAndExpectExitZero(WM_SYSCOMMAND);
    EXPECT_FALSE(FileExists(StartFile())) << "nothing is saved on closing";
}

TEST_F(EndToEnd, ASessionChangesEverySettingAndGenerateWritesExactlyThoseBytes)
{
    Launch();
    Bytes expected = DefaultRecord();

    ASSERT_TRUE(program_.Click(IDC_ON_RADIO));
    expected[kEna] = 1;
    EXPECT_TRUE(program_.Checked(IDC_ON_RADIO));
    EXPECT_FALSE(program_.Checked(IDC_OFF_RADIO));
    EXPECT_TRUE(program_.Enabled(IDC_VOLUME_TRACKBAR));
    EXPECT_FALSE(program_.Enabled(IDC_TMLPEN_COMBO)) << "periodic loop locks the time lapse on";

    // Volume: arrow key on the focused trackbar, then a drag that ends.
    ASSERT_TRUE(program_.Focus(IDC_VOLUME_TRACKBAR));
    program_.PressKey(program_.Control(IDC_VOLUME_TRACKBAR), VK_RIGHT);
    EXPECT_TRUE(WaitUntil([&] { return program_.Text(IDC_VOLUME_VALUE) == "6"; }, 5000))
        << program_.Text(IDC_VOLUME_VALUE);
    HWND trackbar = program_.Control(IDC_VOLUME_TRACKBAR);
    SendMessageA(trackbar, TBM_SETPOS, TRUE, 8);
    SendMessageA(program_.Window(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 8),
                 reinterpret_cast<LPARAM>(trackbar));
    EXPECT_EQ(program_.Text(IDC_VOLUME_VALUE), "8") << "the label follows the thumb";
    SendMessageA(trackbar, TBM_SETPOS, TRUE, 2);
    SendMessageA(program_.Window(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                 reinterpret_cast<LPARAM>(trackbar));
    EXPECT_EQ(program_.Text(IDC_VOLUME_VALUE), "2");
    expected[kVol] = 2;

    // Modes, delay and day counts.
    ASSERT_NO_FATAL_FAILURE(
        Choose(expected, {{IDC_DLY_COMBO, 10, kDly, 15}, {IDC_SEN_MOD_COMBO, 2, kSenMod, 2}}));
    EXPECT_TRUE(Contains(program_.Trace(),
                         "Index_Dly = 10, lapse = 15\nIndex = 2\nIndex_Dly = 10, lapse = 15\n"))
        << program_.Trace();
    ASSERT_NO_FATAL_FAILURE(Choose(expected, {{IDC_ALARM_A_COMBO, 1, kAlarmA, 1},
                                              {IDC_ALARM_B_COMBO, 1, kAlarmB, 1},
                                              {IDC_PAUSE_DAYS_COMBO, 2, kPauseDays, 3},
                                              {IDC_PLAY_DAYS_A_COMBO, 9, kPlayDaysA, 10},
                                              {IDC_PLAY_DAYS_B_COMBO, 29, kPlayDaysB, 30}}));

    // The three hourly plans, each on its own page.
    const struct {
        int page;
        const int* ids;
        int offset;
    } plans[] = {
        {0, kComboSensePlanIds, kType}, {1, kComboTMPAIds, kTypeA}, {2, kComboTMPBIds, kTypeB}};
    for (const auto& plan : plans) {
        SCOPED_TRACE(plan.page);
        if (plan.page != 0) {
            ASSERT_TRUE(program_.ClickTabPage(IDC_PLAN_TAB, plan.page));
        }
        for (const auto& other : plans)
            EXPECT_EQ(program_.Visible(other.ids[5]), other.page == plan.page);
        const int hours[] = {0, 7, 12, 23};
        for (int i = 0; i < 4; ++i) {
            int animal = (plan.page * 3 + i * 2 + 1) % 10;
            ASSERT_TRUE(program_.SelectComboItem(plan.ids[hours[i]], animal));
            EXPECT_EQ(program_.ComboSelectedText(plan.ids[hours[i]]), kExpectedAnimalNames[animal]);
            expected[plan.offset + hours[i]] = static_cast<unsigned char>(animal);
        }
    }
    EXPECT_TRUE(Contains(program_.Trace(), "wIDList_ComboTMPA patch - 0, lIndex = 4.\n"));
    EXPECT_TRUE(Contains(program_.Trace(), "wIDList_ComboTMPB patch - 23, lIndex = 3.\n"));

    // Shooting interval, then timing off, which unlocks the time lapse.
    ASSERT_NO_FATAL_FAILURE(Choose(expected, {{IDC_SHOT_HOUR_COMBO, 2, kShotHour, 2},
                                              {IDC_SHOT_MIN_COMBO, 30, kShotMin, 30},
                                              {IDC_SHOT_SEC_COMBO, 45, kShotSec, 45},
                                              {IDC_TIMER_MOD_COMBO, 0, kTimerMod, 0}}));
    EXPECT_FALSE(program_.Enabled(IDC_PAUSE_DAYS_COMBO));
    EXPECT_FALSE(program_.Enabled(IDC_ALARM_A_COMBO));
    ASSERT_NO_FATAL_FAILURE(Choose(expected, {{IDC_TMLPEN_COMBO, 1, kTMLPen, 1}}));
    EXPECT_FALSE(program_.Enabled(IDC_SHOT_HOUR_COMBO))
        << "no shooting interval without time lapse";

    ExpectGenerated(startDir_, expected,
                    NotReady(5, 5, startDir_ + "\\audio\\SenseSpecify\\tiger"));
    // Generate changes what the window shows in nothing.
    ExpectWindowShows(program_, expected);

    ULONGLONG writeTime = LastWriteTime(StartFile());
    ASSERT_TRUE(program_.SelectComboItem(IDC_SEN_MOD_COMBO, 1));
    CloseAndExpectExitZero(WM_CLOSE);
    EXPECT_EQ(Hex(ReadBytes(StartFile())), Hex(expected)) << "closing saves nothing";
    EXPECT_EQ(LastWriteTime(StartFile()), writeTime);
}

TEST_F(EndToEnd, BrowseMovesGenerateAndCopyFillsTheAudioTreeThere)
{
    std::string card = SubFolder(scratch_, "card");
    std::string randomSounds = SubFolder(scratch_, "sounds\\random");
    std::string dogSounds = SubFolder(scratch_, "sounds\\dog");
    std::string birdSounds = SubFolder(scratch_, "sounds\\birdC");
    std::vector<std::string> randomNames = MakeSounds(randomSounds, 1, 3);
    std::vector<std::string> dogNames = MakeSounds(dogSounds, 2, 2);
    std::vector<std::string> birdNames = MakeSounds(birdSounds, 3, 1);
    Launch();

    HWND inFront = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                                   100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(inFront);
    ASSERT_NO_FATAL_FAILURE(ChooseFolderWith(IDC_BROWSE_BUTTON, card, true));
    DestroyWindow(inFront);
    EXPECT_EQ(program_.Text(IDC_SAVE_DIR_EDIT), card);
    ExpectGenerated(card, DefaultRecord());
    EXPECT_FALSE(FileExists(StartFile())) << "Generate writes into the chosen folder only";

    // Random on Sense, page 0.
    ASSERT_TRUE(program_.Click(IDC_ON_RADIO));
    ASSERT_NO_FATAL_FAILURE(ChooseSource(kSenseRandRowIds, randomSounds,
                                         "The \"Random on Sense\" source directory is selected: "));
    ASSERT_TRUE(program_.Click(IDC_COPY_BUTTON));
    ExpectCopies(randomSounds, card + "\\audio\\SenseRand", randomNames);
    // Timing Playback A and B play from folders not yet filled.
    EXPECT_EQ(program_.Text(IDC_STATUS_LINE), NotReady(2, 3, card + "\\audio\\Alarm\\A"));
    std::string trace = program_.Trace();
    EXPECT_TRUE(Contains(trace, "\xb8\xb4\xd6\xc6:\n")) << trace;
    EXPECT_TRUE(Contains(trace, "<NewFolder>" + card + "\\audio\\SenseRand\n")) << trace;
    for (const std::string& name : randomNames)
        EXPECT_TRUE(Contains(trace, "Find_0:" + name + "\r\n") ||
                    Contains(trace, "Find_1:" + name + "\r\n"))
            << trace;
    EXPECT_FALSE(Contains(trace, ".hidden.wav")) << trace;

    // Timing Random A, page 1: the random folder is shared, its files go to
    // the folder of timing group A itself.
    ASSERT_TRUE(program_.ClickTabPage(IDC_COPY_TAB, 1));
    EXPECT_FALSE(program_.Visible(kSenseRandRowIds.PickButton));
    ASSERT_NO_FATAL_FAILURE(ChooseSource(kTimingRandARowIds, birdSounds,
                                         "The \"Timing Random A\" source directory is selected: "));
    ASSERT_TRUE(program_.Click(IDC_COPY_BUTTON));
    ExpectCopies(birdSounds, card + "\\audio\\Alarm\\A", birdNames);
    EXPECT_FALSE(FileExists(card + "\\audio\\SenseRand\\" + birdNames[0]))
        << "only the page shown is copied";

    // Sense-specified animals, page 3: Dog and Bird C, each into its folder.
    ASSERT_TRUE(program_.SelectComboItem(IDC_SEN_MOD_COMBO, 2));
    ASSERT_TRUE(program_.ClickTabPage(IDC_COPY_TAB, 3));
    EXPECT_FALSE(program_.Visible(kSenseRandRowIds.PickButton));
    EXPECT_TRUE(program_.Visible(kSenseSpecRowIds[0].PickButton));
    EXPECT_EQ(program_.Text(kSenseSpecRowIds[9].Label), "Bird C");
    ASSERT_NO_FATAL_FAILURE(
        ChooseSource(kSenseSpecRowIds[0], dogSounds, "Source directory of \"Dog\" selected: "));
    ASSERT_NO_FATAL_FAILURE(
        ChooseSource(kSenseSpecRowIds[9], birdSounds, "Source directory of \"Bird C\" selected: "));
    EXPECT_TRUE(program_.Checked(kSenseSpecRowIds[0].Check));
    EXPECT_FALSE(program_.Checked(kSenseSpecRowIds[1].Check));

    // A cancelled browser changes nothing.
    std::string before = program_.Text(IDC_STATUS_LINE);
    ASSERT_TRUE(program_.ClickLater(kSenseSpecRowIds[1].PickButton));
    HWND browser = program_.WaitForOwnedDialog();
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(CloseWithButton(browser, IDCANCEL));
    ASSERT_TRUE(program_.Answering());
    EXPECT_EQ(program_.Text(IDC_STATUS_LINE), before);
    EXPECT_FALSE(program_.Checked(kSenseSpecRowIds[1].Check));

    ASSERT_TRUE(program_.Click(IDC_COPY_BUTTON));
    ExpectCopies(dogSounds, card + "\\audio\\SenseSpecify\\dog", dogNames);
    ExpectCopies(birdSounds, card + "\\audio\\SenseSpecify\\bird C", birdNames);
    EXPECT_FALSE(FileExists(card + "\\audio\\SenseSpecify\\tiger"));
    trace = program_.Trace();
    size_t dog = trace.find("<SenseSpecPath[0]>" + dogSounds + "\n");
    size_t bird = trace.find("<SenseSpecPath[0]>" + birdSounds + "\n");
    EXPECT_NE(dog, std::string::npos) << trace;
    EXPECT_NE(bird, std::string::npos) << trace;
    EXPECT_LT(dog, bird) << "Dog is copied before Bird C";
    EXPECT_TRUE(program_.Enabled(IDC_COPY_BUTTON)) << "the panel is usable again after the copy";

    // The sensing plan names Tiger for noon, whose folder the card lacks.
    ASSERT_TRUE(program_.SelectComboItem(kComboSensePlanIds[12], 1));
    Bytes record = DefaultRecord();
    record[kEna] = 1;
    record[kSenMod] = 2;
    record[kType + 12] = 1;
    ExpectGenerated(card, record, NotReady(2, 4, card + "\\audio\\SenseSpecify\\tiger"));

    CloseAndExpectExitZero(WM_CLOSE);
    EXPECT_FALSE(FileExists(startDir_ + "\\audio"))
        << "the start folder is not the save folder now";
}

// During a long copy another program clicks "Off", picks a delay, clicks a
// plan page and moves the volume, by the messages a person's input makes, and
// selects a copy page silently. No change is carried out: the controls show
// the record again at once, the copy page once the copy ends, and Generate
// then writes what the window shows.
TEST_F(EndToEnd, SettingsChangedByAnotherProgramDuringACopyAreUndone)
{
    std::string sounds = SubFolder(scratch_, "many");
    MakeSounds(sounds, 4, 300);
    Launch();
    ASSERT_TRUE(program_.Click(IDC_ON_RADIO));
    ASSERT_NO_FATAL_FAILURE(ChooseSource(kSenseRandRowIds, sounds,
                                         "The \"Random on Sense\" source directory is selected: "));
    ASSERT_TRUE(program_.ClickLater(IDC_COPY_BUTTON));
    ASSERT_TRUE(WaitUntil([&] { return !program_.Enabled(IDC_COPY_BUTTON); }));

    ASSERT_TRUE(program_.Click(IDC_OFF_RADIO) && program_.SelectComboItem(IDC_DLY_COMBO, 10));
    EXPECT_EQ(program_.ComboSelection(IDC_DLY_COMBO), 0) << "the tool's pick stayed";
    HWND planTab = program_.Control(IDC_PLAN_TAB), trackbar = program_.Control(IDC_VOLUME_TRACKBAR);
    RemoteMemory label(program_.Process(), sizeof(RECT));
    RECT page = {};
    ASSERT_TRUE(
        SendMessageA(planTab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(label.Address())) &&
        label.Read(&page, sizeof page));
    LPARAM at = MAKELPARAM((page.left + page.right) / 2, (page.top + page.bottom) / 2);
    SendMessageA(planTab, WM_LBUTTONDOWN, MK_LBUTTON, at); // the tab notifies the window
    SendMessageA(planTab, WM_LBUTTONUP, 0, at);
    SendMessageA(trackbar, TBM_SETPOS, TRUE, 8);
    SendMessageA(program_.Window(), WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(trackbar));
    SendMessageA(program_.Control(IDC_COPY_TAB), TCM_SETCURSEL, 3, 0);
    EXPECT_TRUE(program_.Checked(IDC_ON_RADIO) && !program_.Checked(IDC_OFF_RADIO));
    EXPECT_EQ(program_.ComboSelection(IDC_DLY_COMBO), 0);
    EXPECT_EQ(program_.TabSelection(IDC_PLAN_TAB), 0);
    EXPECT_EQ(program_.TrackbarPosition(IDC_VOLUME_TRACKBAR), 5);
    ASSERT_FALSE(program_.Enabled(IDC_COPY_BUTTON)) << "the copy ended first: make it longer";

    EXPECT_TRUE(WaitUntil([&] { return program_.TabSelection(IDC_COPY_TAB) == 0; }, 60000));
    EXPECT_TRUE(WaitUntil([&] { return program_.Enabled(IDC_COPY_BUTTON); }));
    EXPECT_TRUE(program_.Visible(kSenseRandRowIds.PickButton) &&
                program_.Visible(kComboSensePlanIds[0]));
    Bytes expected = DefaultRecord();
    expected[kEna] = 1;
    ExpectWindowShows(program_, expected);
    ExpectGenerated(startDir_, expected, NotReady(2, 3, startDir_ + "\\audio\\Alarm\\A"));
    EXPECT_FALSE(Contains(program_.Trace(), "Index_Dly")) << program_.Trace();
    CloseAndExpectExitZero(WM_CLOSE);
}

// Folder and file names in Polish, Russian and Chinese, on a system whose
// code page (1252) holds none of them. The program, whose manifest sets the
// UTF-8 code page, writes into exactly those folders under exactly those
// names. Built without that setting, as Windows before 10 1903 run it, it
// refuses each such folder with a text, copies no file under a look-alike
// name ("Łodz.wav" is "Lodz.wav" by best fit) and writes nowhere else.
TEST_F(EndToEnd, FolderAndFileNamesInAnyScriptAreTakenExactlyOrRefused)
{
    const std::vector<std::string> names = {"Łodz.wav", "Lodz.wav", "Звук.wav", "鸟鸣.wav"};
    const std::string unusable =
        "This folder's name cannot be used on this Windows; rename it or choose another";
    const std::string selected = "The \"Random on Sense\" source directory is selected: ";
    const std::string tooLong =
        "This folder's path is too long for this tool; choose a folder nearer the drive's root";
    startDir_ = SubFolder(scratch_, "start Łódź");
    std::string card = SubFolder(scratch_, "Łódź karta");
    std::string sounds = SubFolder(scratch_, "Звуки\\鸟声");
    std::string plainCard = SubFolder(scratch_, "card");
    std::string plainSounds = SubFolder(scratch_, "sounds");
    // clang-format off
    std::set<std::string> expected = {"card\\", "card\\audio\\", "card\\audio\\SenseRand\\",
        "card\\audio\\SenseRand\\Lodz.wav", "sounds\\", "start\\", "start Łódź\\", "trace.txt",
        "Łódź karta\\", "Łódź karta\\CFG_BROADCAST.bin", "Łódź karta\\audio\\",
        "Łódź karta\\audio\\SenseRand\\", "Звуки\\", "Звуки\\鸟声\\"};
    // clang-format on
    for (size_t i = 0; i < names.size(); ++i) {
        for (const std::string& folder : {sounds, plainSounds}) {
            WriteBytes(folder + "\\" + names[i], WaveFile(static_cast<int>(i), 300));
            expected.insert(folder.substr(scratch_.Path().size() + 1) + "\\" + names[i]);
        }
        expected.insert("Łódź karta\\audio\\SenseRand\\" + names[i]);
    }

    Launch();
    EXPECT_EQ(program_.Text(IDC_SAVE_DIR_EDIT), startDir_);
    ASSERT_NO_FATAL_FAILURE(ChooseFolderWith(IDC_BROWSE_BUTTON, card));
    ExpectGenerated(card, DefaultRecord());
    ASSERT_TRUE(program_.Click(IDC_ON_RADIO));
    ASSERT_NO_FATAL_FAILURE(ChooseSource(kSenseRandRowIds, sounds, selected));
    ASSERT_TRUE(program_.Click(IDC_COPY_BUTTON));
    ExpectCopies(sounds, card + "\\audio\\SenseRand", names);
    CloseAndExpectExitZero(WM_CLOSE);

    Launch(ProgramPath("SystemCodePage.exe"));
    EXPECT_EQ(program_.Text(IDC_SAVE_DIR_EDIT), "C:\\") << "no look-alike of the start folder";
    EXPECT_EQ(program_.Text(IDC_STATUS_LINE), unusable);
    ASSERT_NO_FATAL_FAILURE(ChooseFolderWith(IDC_BROWSE_BUTTON, plainCard));
    ASSERT_TRUE(program_.Click(IDC_ON_RADIO));
    ASSERT_NO_FATAL_FAILURE(ChooseSource(kSenseRandRowIds, plainSounds, selected));
    ASSERT_NO_FATAL_FAILURE(ChooseFolderWith(kSenseRandRowIds.PickButton, sounds));
    EXPECT_EQ(program_.Text(IDC_STATUS_LINE), unusable);
    ASSERT_TRUE(program_.Click(IDC_COPY_BUTTON)); // from the folder kept
    ASSERT_NO_FATAL_FAILURE(ChooseFolderWith(IDC_BROWSE_BUTTON, card));
    EXPECT_EQ(program_.Text(IDC_STATUS_LINE), unusable);
    EXPECT_EQ(program_.Text(IDC_SAVE_DIR_EDIT), plainCard);
    CloseAndExpectExitZero(WM_CLOSE);
    // Each file found once; '?' for each character the code page lacks.
    std::string trace = program_.Trace();
    for (std::string found : {":?odz.wav\r\n", ":Lodz.wav\r\n", ":????.wav\r\n", ":??.wav\r\n"})
        EXPECT_TRUE(Contains(trace, found) && trace.find(found) == trace.rfind(found)) << trace;
    ExpectCopies(plainSounds, plainCard + "\\audio\\SenseRand", {"Lodz.wav"});

    // 100 Chinese characters are 300 bytes in UTF-8, more than a path holds:
    // as the start folder and as a chosen folder, refused with a text of its
    // own, and nothing changes.
    std::string longName;
    for (int i = 0; i < 50; ++i)
        longName += "鸟";
    std::string deep = SubFolder(scratch_, longName + "\\" + longName);
    expected.insert({longName + "\\", longName + "\\" + longName + "\\"});
    startDir_ = deep;
    Launch();
    EXPECT_EQ(program_.Text(IDC_SAVE_DIR_EDIT), "C:\\");
    EXPECT_EQ(program_.Text(IDC_STATUS_LINE), tooLong);
    ASSERT_TRUE(program_.Click(IDC_ON_RADIO));
    for (int button : {IDC_BROWSE_BUTTON, kSenseRandRowIds.PickButton}) {
        SetWindowTextA(program_.Control(IDC_STATUS_LINE), "");
        ASSERT_NO_FATAL_FAILURE(ChooseFolderWith(button, deep));
        EXPECT_EQ(program_.Text(IDC_STATUS_LINE), tooLong);
    }
    EXPECT_EQ(program_.Text(IDC_SAVE_DIR_EDIT), "C:\\");
    EXPECT_FALSE(program_.Checked(kSenseRandRowIds.Check));
    CloseAndExpectExitZero(WM_CLOSE);

    EXPECT_EQ(ListTree(scratch_.Path()), expected);
}

TEST_F(EndToEnd, EscAndEnterDoNotCloseTheWindowOnlyTheCloseCommandDoes)
{
    Bytes onDisk = LoadableRecord();
    WriteBytes(StartFile(), onDisk);
    ULONGLONG writeTime = LastWriteTime(StartFile());
    Launch();
    ASSERT_TRUE(program_.SelectComboItem(IDC_DLY_COMBO, 20));

    HWND edit = program_.Control(IDC_SAVE_DIR_EDIT);
    ASSERT_TRUE(program_.Focus(IDC_SAVE_DIR_EDIT));
    for (UINT key : {VK_ESCAPE, VK_RETURN}) {
        program_.PressKey(edit, key);
        EXPECT_EQ(WaitForSingleObject(program_.Process(), 700), static_cast<DWORD>(WAIT_TIMEOUT))
            << "key " << key << " on the save directory closed the window";
        ASSERT_TRUE(program_.Answering());
    }
    ASSERT_TRUE(program_.Focus(IDC_VOLUME_TRACKBAR));
    HWND focused = program_.FocusedWindow();
    for (UINT key : {VK_ESCAPE, VK_RETURN}) {
        program_.PressKey(focused, key);
        EXPECT_EQ(WaitForSingleObject(program_.Process(), 700), static_cast<DWORD>(WAIT_TIMEOUT))
            << "key " << key << " on another control closed the window";
        ASSERT_TRUE(program_.Answering());
    }
    EXPECT_TRUE(IsWindowVisible(program_.Window()));
    EXPECT_EQ(DialogWindowsOf(program_.ProcessId()).size(), 1u) << "no other window opened";

    CloseAndExpectExitZero(WM_SYSCOMMAND);
    EXPECT_EQ(ReadBytes(StartFile()), onDisk);
    EXPECT_EQ(LastWriteTime(StartFile()), writeTime);
}

} // namespace
