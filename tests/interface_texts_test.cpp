// The text tables pair by pair, their addressing by language, and the texts
// the real dialog shows in English and in Chinese, as the user chose them.
// Runs with the code page of a Chinese Windows (936), of a Western one (1252,
// which cannot hold the Chinese texts: English stays), and with UTF-8.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "model/session_state.h"
#include "platform/code_page_text.h"
#include "test_support.h"
#include "resources/control_groups.h"
#include "texts/interface_texts.h"
#include "texts/shown_language.h"

namespace {

// Every pair as it should read, in UTF-8, {Chinese, English}, in the order
// of its table.
const char* const kExpectedMessages[][2] = {
    {"”的源目录：", "\" selected: "},
    {"选择了“", "Source directory of \""},
    {"目录创建失败！\n", "Failed to create directory!\n"},
    {"目录已经存在。\n", "Directory existed.\n"},
    {"目录创建成功！\n", "Directory created!\n"},
    {"失败", "Failed"},
    {"成功", "Sucess"},
    {"”...", "\" ..."},
    {"复制“", "Copy \""},
    {"生配置文件失败！", "Failed to generate configuration!"},
    {"成功生成配置文件!", "Configuration generated!"},
    {"”生成了配置文件：", "\": "},
    {"在“", "Configuration file generated in\""},
    {"通知", "Note"},
    {"选择了“定时B”的源目录：", "The \"Timing B\" source directory is selected: "},
    {"选择了“定时A”的源目录：", "The \"Timing A\" source directory is selected: "},
    {"选择了“狗”的源目录：", "The \"Dog\" source directory is selected: "},
    {"选择了“虎”的源目录：", "The \"Tiger\" source directory is selected: "},
    {"选择了“豹”的源目录：", "The \"Leopard\" source directory is selected: "},
    {"选择了“人”的源目录：", "The \"Human\" source directory is selected: "},
    {"选择了“猞猁”的源目录：", "The \"Lynx\" source directory is selected: "},
    {"选择了“赤狐”的源目录：", "The \"Red fox\" source directory is selected: "},
    {"选择了“黑熊”的源目录：", "The \"Black Bear\" source directory is selected: "},
    {"选择了“鸟A”的源目录：", "The \"Bird A\" source directory is selected: "},
    {"选择了“鸟B”的源目录：", "The \"Bird B\" source directory is selected: "},
    {"选择了“鸟C”的源目录：", "The \"Bird C\" source directory is selected: "},
    {"选择了“定时随机B”源目录：", "The \"Timing Random B\" source directory is selected: "},
    {"选择了“定时随机A”源目录：", "The \"Timing Random A\" source directory is selected: "},
    {"选择了“感应随机”源目录：", "The \"Random on Sense\" source directory is selected: "},
    {"简体中文", "Chinese"},
    {"英语", "English"},
    {"正在检查卡上已复制的文件...", "Checking the copied files on the card..."},
    {"正在向SD卡复制声音文件", "Copying sounds to the SD card"},
    {"此文件夹的名称无法在本Windows上使用；请重命名或另选一个",
     "This folder's name cannot be used on this Windows; rename it or choose another"},
    {"复制未完成：%d 个声音不在卡上（共 %d 个），第一个是“%s”",
     "Copy incomplete: %d of %d sounds are not on the card, first \"%s\""},
    {"卡上空间不足：需要 %llu MB，可用 %llu MB",
     "Not enough space on the card: %llu MB needed, %llu MB free"},
    {"此文件夹的路径对本工具来说太长；请选择更靠近驱动器根目录的文件夹",
     "This folder's path is too long for this tool; choose a folder nearer the drive's root"},
    {"此文件夹中有以前保存的设置（CFG_BROADCAST.bin）。在窗口中显示这些设置吗？"
     "选“否”将保留窗口中的设置，“生成配置”会替换此文件夹中的设置。",
     "This folder holds settings saved earlier (CFG_BROADCAST.bin). Show them in the window? "
     "No keeps the window's settings, and Generate will replace the folder's."},
    {"已从“%s”载入设置", "Settings loaded from \"%s\""},
    {"%d 秒", "%d Sec"},
    {"无法在本Windows上显示简体中文", "Simplified Chinese cannot be shown on this Windows"},
    {"未就绪：设置所用的声音文件夹中有 %d 个没有声音（共 %d 个），第一个是“%s”",
     "Not ready: %d of %d sound folders the settings play from hold no sound, first \"%s\""},
};

const char* const kExpectedLabels[][2] = {
    {"开", "On"},
    {"关", "Off"},
    {"狗", "Dog"},
    {"虎", "Tiger"},
    {"豹", "Leopard"},
    {"人", "Human"},
    {"猞猁", "Lynx"},
    {"赤狐", "Red fox"},
    {"黑熊", "Black Bear"},
    {"鸟A", "Bird A"},
    {"鸟B", "Bird B"},
    {"鸟C", "Bird C"},
    {"随机播放", "Random Playback"},
    {"据时指定", "Time & File Specified"},
    {"关闭", "Off"},
    {"随机播放", "Random Playback"},
    {"据时指定", "Time & File Specified"},
    {"关闭", "Off"},
    {"周期循环", "Periodic Loop"},
    {"感应播放", "Sensing Playback"},
    {"定时播放A", "Timing Playback A"},
    {"定时播放B", "Timing Playback B"},
    {"感应随机", "Random Sen"},
    {"定时随机A", "Timing Rndm A"},
    {"定时随机B", "Timing Rnd B"},
    {"感应据时", "Sense&Sched"},
    {"定时据时A", "Timed&SchedA"},
    {"定时据时B", "Timed&SchedB"},
    {"生成配置", "Generate"},
    {"复制", "Copy"},
    {"据时指定计划", "Time-specified Plan"},
    {"状态：空闲", "Status: Idle"},
    {"B播放天数", "Playback Days B"},
    {"A播放天数", "Playback Days A"},
    {"定时随机B", "Timing Random B"},
    {"定时随机A", "Timing Random A"},
    {"感应随机", "Random on Sense"},
    {"复制文件", "Copy File"},
    {"秒", "S"},
    {"分", "M"},
    {"时", "H"},
    {"拍摄间隔", "Shooting Interval"},
    {"定时拍摄", "Time Lapse"},
    {"播放暂停天数", "Playback Pause Days"},
    {"周期循环", "Periodic Loop"},
    {"播放延时", "Playback Delay"},
    {"定时播放模式", "Timing Playback Mode"},
    {"感应播放模式", "Sensing Playback Mode"},
    {"播放音量", "Volume"},
    {"关", "Off"},
    {"开", "On"},
    {"播放开关", "Playback Switch"},
    {"选择保存路径", "Browse"},
    {"保存目录", "Save Directory"},
};

const char* const kExpectedTitles[][2] = {
    {"中文", "English"},
    {"音频播放设置", "Audio Playback Settings"},
};

// A few Chinese texts as code page 936 bytes, spelled out.
const struct {
    const BilingualText* Table;
    int Pair;
    const char* Bytes;
} kSpelledIn936[] = {
    {MessageTable, kMsgSelectedClose, "\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2\xbc\xa3\xba"},
    {MessageTable, kMsgCopySucceeded, "\xb3\xc9\xb9\xa6"},
    {MessageTable, kMsgDelayItemFormat, "%d \xc3\xeb"},
    {LabelTable, kLabelLynx, "\xe2\xa6\xe1\xfb"},
    {TitleTable, kTitleWindowCaption, "\xd2\xf4\xc6\xb5\xb2\xa5\xb7\xc5\xc9\xe8\xd6\xc3"},
};

bool IsAscii(const std::wstring& text)
{
    for (wchar_t c : text) {
        if (c > 0x7f)
            return false;
    }
    return true;
}

// Strict conversion: an invalid code page 936 sequence fails the test.
std::wstring Strict936(const char* text)
{
    int length = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    EXPECT_GT(length, 0) << "not valid code page 936: " << text;
    return FromCodePage(text, 936);
}

// A UTF-8 text in code page 936; a character it lacks fails the test.
std::string In936(const char* text)
{
    std::wstring wide = FromUtf8(text);
    char bytes[512] = {};
    BOOL lacking = FALSE;
    WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, bytes, sizeof bytes, nullptr,
                        &lacking);
    EXPECT_FALSE(lacking) << "not all in code page 936: " << text;
    return bytes;
}

// The language shown when the user chooses one: 1252 cannot hold Chinese.
Language ShownLanguage(Language language)
{
    return GetACP() == 1252 ? kEnglish : language;
}

// A text as the window's narrow functions take it.
std::wstring Shown(const char* text)
{
    return FromCodePage(text, CP_ACP);
}

// Every pair as written, its Chinese exactly in code page 936, and both
// texts as the window shows them in each language.
TEST(TextTables, EveryPairReadsAsWritten)
{
    const struct {
        const char* Name;
        const BilingualText* Pairs;
        const char* const (*Expected)[2];
        int Count;
        int ExpectedCount;
    } tables[] = {
        {"MessageTable", MessageTable, kExpectedMessages, kMessagePairs,
         static_cast<int>(sizeof kExpectedMessages / sizeof *kExpectedMessages)},
        {"LabelTable", LabelTable, kExpectedLabels, kLabelPairs,
         static_cast<int>(sizeof kExpectedLabels / sizeof *kExpectedLabels)},
        {"TitleTable", TitleTable, kExpectedTitles, kTitlePairs,
         static_cast<int>(sizeof kExpectedTitles / sizeof *kExpectedTitles)},
    };
    ResetSession();
    for (Language language : {kChinese, kEnglish}) {
        EXPECT_EQ(ShownLanguage(language) == language, ShowLanguage(language));
        for (const auto& table : tables) {
            ASSERT_EQ(table.ExpectedCount, table.Count) << table.Name;
            for (int pair = 0; pair < table.Count; ++pair) {
                SCOPED_TRACE(std::string(table.Name) + " pair " + std::to_string(pair));
                const BilingualText& text = table.Pairs[pair];
                EXPECT_STREQ(table.Expected[pair][kEnglish], text.English);
                EXPECT_TRUE(IsAscii(FromUtf8(text.English)));
                EXPECT_EQ(FromUtf8(table.Expected[pair][kChinese]),
                          Strict936(In936(text.Chinese).c_str()));
                EXPECT_FALSE(IsAscii(FromUtf8(text.Chinese))) << "holds no Chinese text";
                EXPECT_EQ(FromUtf8(table.Expected[pair][ShownLanguage(language)]),
                          Shown(TextPair(table.Pairs, pair)));
            }
        }
    }
    for (const auto& spelled : kSpelledIn936) {
        EXPECT_EQ(spelled.Bytes, In936(spelled.Table[spelled.Pair].Chinese));
        if (GetACP() == 936 && ShowLanguage(kChinese)) {
            EXPECT_STREQ(spelled.Bytes, TextPair(spelled.Table, spelled.Pair));
        }
    }
    ResetSession();
}

struct ItemCase {
    ItemList List;
    int Index;
    const char* Chinese;
    const char* English;
};

TEST(TextTables, ListItemsFollowTheLanguage)
{
    const ItemCase items[] = {
        {kTimeLapseItems, 0, "开", "On"},
        {kTimeLapseItems, 1, "关", "Off"},
        {kAnimalItems, 0, "狗", "Dog"},
        {kAnimalItems, 4, "猞猁", "Lynx"},
        {kAnimalItems, 9, "鸟C", "Bird C"},
        {kPeriodicLoopItems, 1, "据时指定", "Time & File Specified"},
        {kSensingModeItems, 0, "关闭", "Off"},
        {kSensingModeItems, 2, "据时指定", "Time & File Specified"},
        {kTimingModeItems, 1, "周期循环", "Periodic Loop"},
        {kPlanPageItems, 0, "感应播放", "Sensing Playback"},
        {kPlanPageItems, 2, "定时播放B", "Timing Playback B"},
        {kCopyPageItems, 0, "感应随机", "Random Sen"},
        {kCopyPageItems, 5, "定时据时B", "Timed&SchedB"},
    };
    ResetSession();
    for (Language language : {kChinese, kEnglish}) {
        if (!ShowLanguage(language))
            continue;
        SCOPED_TRACE("LanguageIndex " + std::to_string(language));
        for (const ItemCase& item : items) {
            std::wstring expected = FromUtf8(language == kChinese ? item.Chinese : item.English);
            EXPECT_EQ(expected, Shown(ListItem(item.List, item.Index)))
                << "list from pair " << item.List.First << ", item " << item.Index;
        }
        // The delay items are formatted, not looked up.
        char delay[32];
        snprintf(delay, sizeof delay, DelayItemFormat(), 30);
        EXPECT_EQ(FromUtf8(language == kChinese ? "30 秒" : "30 Sec"), Shown(delay));
    }
    ResetSession();
}

// A text longer than a path converts whole; only a code page that lacks its
// characters refuses it.
TEST(TextTables, ALongTextConvertsWhole)
{
    std::string birds;
    for (int i = 0; i < 300; ++i)
        birds += "鸟";
    std::vector<char> shown(1024, 'x');
    int bytes = NarrowFromCodePage(kTextCodePage, birds.c_str(), shown.data(), 1024);
    bool held = ShownLanguage(kChinese) == kChinese;
    EXPECT_EQ(bytes, held ? static_cast<int>(strlen(shown.data())) + 1 : 0);
    EXPECT_EQ(Shown(shown.data()), held ? FromUtf8(birds.c_str()) : L"");
    EXPECT_EQ(NarrowFromCodePage(kTextCodePage, birds.c_str(), nullptr, 0), bytes);
}

TEST(TextTables, ChineseTraceLines)
{
    EXPECT_EQ(FromUtf8("复制:\n"), Strict936(kCopyTrace));
    char line[64];
    snprintf(line, sizeof line, kCreateFolderFailTrace, 80);
    EXPECT_EQ(FromUtf8("创建文件夹失败-80！\n"), Strict936(line));
}

// A caption the dialog shows and the LabelTable pair that gives it.
struct CaptionCase {
    int id;
    int pair;
};

std::vector<CaptionCase> ExpectedCaptions()
{
    std::vector<CaptionCase> captions = {
        {IDC_SAVE_DIR_GROUP, kLabelSaveDirectory},
        {IDC_BROWSE_BUTTON, kLabelBrowse},
        {IDC_SWITCH_GROUP, kLabelPlaybackSwitch},
        {IDC_OFF_RADIO, kLabelOff},
        {IDC_ON_RADIO, kLabelOn},
        {IDC_VOLUME_GROUP, kLabelVolume},
        {IDC_SEN_MOD_GROUP, kLabelSensingMode},
        {IDC_TIMER_MOD_GROUP, kLabelTimingMode},
        {IDC_DELAY_GROUP, kLabelPlaybackDelay},
        {IDC_PERIODIC_LOOP_GROUP, kLabelPeriodicLoop},
        {IDC_PAUSE_DAYS_LABEL, kLabelPauseDays},
        {IDC_TIME_LAPSE_LABEL, kLabelTimeLapse},
        {IDC_SHOT_LABEL, kLabelShootingInterval},
        {IDC_SHOT_HOUR_UNIT, kLabelHourUnit},
        {IDC_SHOT_MIN_UNIT, kLabelMinuteUnit},
        {IDC_SHOT_SEC_UNIT, kLabelSecondUnit},
        {IDC_COPY_CAPTION, kLabelCopyFile},
        {kSenseRandRowIds.Label, kLabelSenseRand},
        {kTimingRandARowIds.Label, kLabelTimingRandA},
        {kTimingRandBRowIds.Label, kLabelTimingRandB},
        {IDC_PLAY_DAYS_A_LABEL, kLabelPlayDaysA},
        {IDC_PLAY_DAYS_B_LABEL, kLabelPlayDaysB},
        {IDC_COPY_BUTTON, kLabelCopy},
        {IDC_STATUS_LINE, kLabelStatusIdle},
        {IDC_PLAN_CAPTION, kLabelPlan},
        {IDC_GENERATE_BUTTON, kLabelGenerate},
    };
    for (int animal = 0; animal < kAnimals; ++animal) {
        int pair = kAnimalItems.First + animal;
        captions.push_back({kTimingARowIds[animal].Label, pair});
        captions.push_back({kSenseSpecRowIds[animal].Label, pair});
        captions.push_back({kTimingBRowIds[animal].Label, pair});
    }
    return captions;
}

std::wstring WindowTextW(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::vector<std::wstring> TabLabels(HWND tab)
{
    std::vector<std::wstring> labels;
    int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int page = 0; page < count; ++page) {
        wchar_t text[256] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
        labels.push_back(text);
    }
    return labels;
}

std::vector<std::wstring> ComboItems(HWND combo)
{
    std::vector<std::wstring> items;
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 256)
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

// The English or Chinese items of a list, from the expected rows.
std::vector<std::wstring> ExpectedItems(ItemList list, int language)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < list.Count; ++i)
        items.push_back(FromUtf8(kExpectedLabels[list.First + i][language]));
    return items;
}

// The selection of every combo box of the dialog (other controls answer 0).
std::vector<LRESULT> ComboSelections(HWND dialog)
{
    std::vector<LRESULT> selections;
    for (HWND child : ChildrenInTemplateOrder(dialog))
        selections.push_back(SendMessageW(child, CB_GETCURSEL, 0, 0));
    return selections;
}

// The real dialog, started in an empty folder so that no stray
// configuration file is read, in the language the registry remembers.
class DialogTexts : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(directory_.Entered());
        ResetSession();
        script_ = &ScriptShellDialogs();
    }

    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
        RestoreShellDialogs();
        ResetSession();
    }

    void Open(Language language)
    {
        RememberedLanguageValue::Set(language == kChinese ? "zh-CN" : nullptr);
        Start();
    }

    void Start()
    {
        if (dialog_)
            DestroyWindow(dialog_);
        ResetSession();
        // Start-up selects page 0 of both tabs whatever pages were left before.
        g_Session.CopyTabIndex = 5;
        g_Session.PlanTabIndex = 2;
        dialog_ = CreateMainDialog();
        ASSERT_NE(nullptr, dialog_);
    }

    void ExpectCaptionsAndTabs(int language, int copyPage = 0, int planPage = 0)
    {
        EXPECT_EQ(FromUtf8(kExpectedTitles[kTitleWindowCaption][language]), WindowTextW(dialog_));
        for (const CaptionCase& caption : ExpectedCaptions()) {
            if (caption.id == IDC_STATUS_LINE)
                continue; // its text is a message
            EXPECT_EQ(FromUtf8(kExpectedLabels[caption.pair][language]),
                      ControlTextW(dialog_, caption.id))
                << "control " << caption.id;
        }
        HWND copyTab = GetDlgItem(dialog_, IDC_COPY_TAB);
        HWND planTab = GetDlgItem(dialog_, IDC_PLAN_TAB);
        EXPECT_EQ(ExpectedItems(kCopyPageItems, language), TabLabels(copyTab));
        EXPECT_EQ(ExpectedItems(kPlanPageItems, language), TabLabels(planTab));
        EXPECT_EQ(copyPage, SendMessageW(copyTab, TCM_GETCURSEL, 0, 0));
        EXPECT_EQ(planPage, SendMessageW(planTab, TCM_GETCURSEL, 0, 0));
        EXPECT_EQ(static_cast<uint32_t>(copyPage), g_Session.CopyTabIndex);
        EXPECT_EQ(static_cast<uint32_t>(planPage), g_Session.PlanTabIndex);
    }

    // The check marks and greying of the language items, English first.
    std::vector<UINT> LanguageItemStates()
    {
        HMENU menu = GetSystemMenu(dialog_, FALSE);
        SendMessageW(dialog_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, 1));
        return {GetMenuState(menu, IDM_LANGUAGE_ENGLISH, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED),
                GetMenuState(menu, IDM_LANGUAGE_CHINESE, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED)};
    }

    void Choose(UINT languageItem)
    {
        SendMessageW(dialog_, WM_SYSCOMMAND, languageItem, 0);
    }

    TempCurrentDirectory directory_;
    RememberedLanguageValue remembered_;
    ShellScript* script_ = nullptr;
    HWND dialog_ = nullptr;
};

TEST_F(DialogTexts, EnglishCaptionsAndTabs)
{
    Open(kEnglish);
    ExpectCaptionsAndTabs(kEnglish);
    char caption[256] = {};
    GetWindowTextA(dialog_, caption, sizeof caption);
    EXPECT_STREQ("Audio Playback Settings", caption);
    EXPECT_EQ("Status: Idle", ControlText(dialog_, IDC_STATUS_LINE));
    EXPECT_EQ("Time-specified Plan", ControlText(dialog_, IDC_PLAN_CAPTION));
}

TEST_F(DialogTexts, EnglishWindowShowsNoChinese)
{
    Open(kEnglish);
    ASSERT_TRUE(IsAscii(WindowTextW(dialog_)));
    std::vector<HWND> children;
    EnumChildWindows(
        dialog_,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    ASSERT_FALSE(children.empty());
    for (HWND child : children) {
        if (!IsWindowVisible(child))
            continue;
        int id = GetDlgCtrlID(child);
        EXPECT_TRUE(IsAscii(WindowTextW(child))) << "control " << id;
        for (const std::wstring& item : ComboItems(child))
            EXPECT_TRUE(IsAscii(item)) << "combo " << id;
        for (const std::wstring& label : TabLabels(child))
            EXPECT_TRUE(IsAscii(label)) << "tab " << id;
    }
}

TEST_F(DialogTexts, ChineseCaptionsAndTabs)
{
    if (ShownLanguage(kChinese) != kChinese)
        GTEST_SKIP() << "this code page cannot hold the Chinese texts";
    Open(kChinese);
    ExpectCaptionsAndTabs(kChinese);
    EXPECT_EQ(FromUtf8("状态：空闲"), ControlTextW(dialog_, IDC_STATUS_LINE));
}

// The combo items come from the settings binding, in the same language.
TEST_F(DialogTexts, ChineseComboItems)
{
    if (ShownLanguage(kChinese) != kChinese)
        GTEST_SKIP() << "this code page cannot hold the Chinese texts";
    Open(kChinese);
    struct ListCombo {
        int id;
        ItemList list;
    };
    std::vector<ListCombo> combos = {
        {IDC_TMLPEN_COMBO, kTimeLapseItems},     {IDC_ALARM_A_COMBO, kPeriodicLoopItems},
        {IDC_ALARM_B_COMBO, kPeriodicLoopItems}, {IDC_SEN_MOD_COMBO, kSensingModeItems},
        {IDC_TIMER_MOD_COMBO, kTimingModeItems},
    };
    for (int hour = 0; hour < kHours; ++hour) {
        combos.push_back({kComboSensePlanIds[hour], kAnimalItems});
        combos.push_back({kComboTMPAIds[hour], kAnimalItems});
        combos.push_back({kComboTMPBIds[hour], kAnimalItems});
    }
    for (const ListCombo& combo : combos) {
        EXPECT_EQ(ExpectedItems(combo.list, 0), ComboItems(GetDlgItem(dialog_, combo.id)))
            << "combo " << combo.id;
    }
    std::vector<std::wstring> delays;
    for (int seconds = 5; seconds <= 30; ++seconds)
        delays.push_back(FromUtf8((std::to_string(seconds) + " 秒").c_str()));
    EXPECT_EQ(delays, ComboItems(GetDlgItem(dialog_, IDC_DLY_COMBO)));
}

// Start-up shows the language remembered: Chinese for "zh-CN", else English.
// The trace and Generate's record are the same; its messages follow.
TEST_F(DialogTexts, StartsInTheRememberedLanguage)
{
    const std::pair<const char*, int> starts[] = {
        {nullptr, 1}, {"en", 1}, {"zh-Hans-nonsense", 1}, {"zh-CN", ShownLanguage(kChinese)}};
    std::string firstTrace;
    for (const auto& start : starts) {
        SCOPED_TRACE(start.first ? start.first : "no value");
        int language = start.second;
        RememberedLanguageValue::Set(start.first);
        TraceCapture trace;
        Start();
        std::string text = trace.Text();
        EXPECT_EQ(firstTrace.empty() ? text : firstTrace, text);
        firstTrace = text;
        EXPECT_EQ(FromUtf8(kExpectedTitles[kTitleWindowCaption][language]), WindowTextW(dialog_));
        EXPECT_EQ(ExpectedItems(kAnimalItems, language),
                  ComboItems(GetDlgItem(dialog_, kComboTMPBIds[23])));
        EXPECT_EQ(language ? L"5 Sec" : FromUtf8("5 秒"),
                  ComboItems(GetDlgItem(dialog_, IDC_DLY_COMBO))[0]);
        EXPECT_EQ(FromUtf8(kExpectedLabels[kLabelStatusIdle][language]),
                  ControlTextW(dialog_, IDC_STATUS_LINE));
        ClickButton(dialog_, IDC_GENERATE_BUTTON);
        ASSERT_FALSE(script_->boxes.empty());
        EXPECT_EQ(FromUtf8(kExpectedMessages[kMsgGenerated][language]),
                  Shown(script_->boxes.back().text.c_str()));
        EXPECT_EQ(FromUtf8(kExpectedMessages[kMsgNote][language]),
                  Shown(script_->boxes.back().caption.c_str()));
        EXPECT_EQ(FromUtf8(kExpectedMessages[kMsgGeneratedInOpen][language]) +
                      FromCodePage(directory_.Folder().Path().c_str(), CP_ACP) +
                      FromUtf8(kExpectedMessages[kMsgGeneratedInClose][language]) +
                      L"CFG_BROADCAST.bin",
                  ControlTextW(dialog_, IDC_STATUS_LINE));
        std::string file = directory_.Folder().File("CFG_BROADCAST.bin");
        EXPECT_EQ(DefaultConfigBytes(), ReadBytes(file));
        DeleteFileA(file.c_str());
    }
}

// The system menu's items switch the texts both ways, and only the texts;
// the registry follows for the next start. Choosing the one shown does nothing.
TEST_F(DialogTexts, TheSystemMenuSwitchesTheTextsOnly)
{
    Bytes record = DefaultConfigBytes();
    record[0] = record[8] = 1, record[4] = 31, record[7] = 17, record[12] = 4; // 31: no item
    WriteBytes(directory_.Folder().File("CFG_BROADCAST.bin"), record);
    Open(kEnglish);
    wchar_t names[2][32] = {};
    for (UINT item : {IDM_LANGUAGE_ENGLISH, IDM_LANGUAGE_CHINESE})
        GetMenuStringW(GetSystemMenu(dialog_, FALSE), item, names[item != IDM_LANGUAGE_ENGLISH], 32,
                       MF_BYCOMMAND);
    EXPECT_EQ(FromUtf8("English简体中文"), std::wstring(names[0]) + names[1]);
    SelectTabPage(dialog_, IDC_COPY_TAB, 3);
    SelectTabPage(dialog_, IDC_PLAN_TAB, 2);
    const std::vector<LRESULT> selections = ComboSelections(dialog_);
    const Bytes shown = ConfigBytes();
    int language = ShownLanguage(kChinese);
    TraceCapture trace;
    Choose(IDM_LANGUAGE_CHINESE);
    ExpectCaptionsAndTabs(language, 3, 2);
    EXPECT_EQ(ExpectedItems(kSensingModeItems, language),
              ComboItems(GetDlgItem(dialog_, IDC_SEN_MOD_COMBO)));
    EXPECT_EQ(language ? L"5 Sec" : FromUtf8("5 秒"),
              ComboItems(GetDlgItem(dialog_, IDC_DLY_COMBO))[0]);
    EXPECT_EQ(FromUtf8(language ? kExpectedMessages[kMsgChineseUnshowable][kEnglish]
                                : kExpectedLabels[kLabelStatusIdle][kChinese]),
              ControlTextW(dialog_, IDC_STATUS_LINE));
    EXPECT_EQ((std::vector<UINT>{language ? MF_CHECKED : 0u, language ? 0u : MF_CHECKED}),
              LanguageItemStates());
    EXPECT_EQ("zh-CN", RememberedLanguageValue::Get());
    EXPECT_EQ(selections, ComboSelections(dialog_));

    SetDlgItemTextA(dialog_, IDC_STATUS_LINE, "C:\\");
    Choose(IDM_LANGUAGE_ENGLISH);
    ExpectCaptionsAndTabs(kEnglish, 3, 2);
    EXPECT_EQ(ExpectedItems(kSensingModeItems, 1),
              ComboItems(GetDlgItem(dialog_, IDC_SEN_MOD_COMBO)));
    EXPECT_EQ("C:\\", ControlText(dialog_, IDC_STATUS_LINE));
    EXPECT_EQ((std::vector<UINT>{MF_CHECKED, 0}), LanguageItemStates());
    EXPECT_EQ(language ? "zh-CN" : "en", RememberedLanguageValue::Get()); // 1252: English was shown
    EXPECT_EQ(selections, ComboSelections(dialog_));
    EXPECT_EQ(shown, ConfigBytes());
    EXPECT_EQ("", trace.Text());

    RememberedLanguageValue::Set(nullptr);
    Choose(IDM_LANGUAGE_ENGLISH);
    EXPECT_EQ("", RememberedLanguageValue::Get()) << "the language shown was chosen";
    Choose(IDM_LANGUAGE_CHINESE);
    Start();
    ExpectCaptionsAndTabs(language);
}

} // namespace
