// The text tables row by row, their addressing by language, and the texts
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

// Every row as it should read, in UTF-8; Chinese at even rows of a pair.
const char* const kExpectedMessages[] = {
    "”的源目录：",
    "\" selected: ", // 0
    "选择了“",
    "Source directory of \"", // 2
    "目录创建失败！\n",
    "Failed to create directory!\n", // 4
    "目录已经存在。\n",
    "Directory existed.\n", // 6
    "目录创建成功！\n",
    "Directory created!\n", // 8
    "失败",
    "Failed", // 10
    "成功",
    "Sucess", // 12
    "”...",
    "\" ...", // 14
    "复制“",
    "Copy \"", // 16
    "生配置文件失败！",
    "Failed to generate configuration!", // 18
    "成功生成配置文件!",
    "Configuration generated!", // 20
    "”生成了配置文件：",
    "\": ", // 22
    "在“",
    "Configuration file generated in\"", // 24
    "通知",
    "Note", // 26
    "选择了“定时B”的源目录：",
    "The \"Timing B\" source directory is selected: ", // 28
    "选择了“定时A”的源目录：",
    "The \"Timing A\" source directory is selected: ", // 30
    "选择了“鸟C”的源目录：",
    "The \"Bird C\" source directory is selected: ", // 32
    "选择了“鸟B”的源目录：",
    "The \"Bird B\" source directory is selected: ", // 34
    "选择了“鸟A”的源目录：",
    "The \"Bird A\" source directory is selected: ", // 36
    "选择了“黑熊”的源目录：",
    "The \"Black Bear\" source directory is selected: ", // 38
    "选择了“赤狐”的源目录：",
    "The \"Red fox\" source directory is selected: ", // 40
    "选择了“猞猁”的源目录：",
    "The \"Lynx\" source directory is selected: ", // 42
    "选择了“人”的源目录：",
    "The \"Human\" source directory is selected: ", // 44
    "选择了“豹”的源目录：",
    "The \"Leopard\" source directory is selected: ", // 46
    "选择了“虎”的源目录：",
    "The \"Tiger\" source directory is selected: ", // 48
    "选择了“狗”的源目录：",
    "The \"Dog\" source directory is selected: ", // 50
    "选择了“定时随机B”源目录：",
    "The \"Timing Random B\" source directory is selected: ", // 52
    "选择了“定时随机A”源目录：",
    "The \"Timing Random A\" source directory is selected: ", // 54
    "选择了“感应随机”源目录：",
    "The \"Random on Sense\" source directory is selected: ", // 56
    "",
    "",
    "",
    "",
    "",
    "", // 58..63
    "简体中文",
    "Chinese", // 64
    "英语",
    "English", // 66
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "", // 68..75
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "", // 76..83
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "", // 84..91
    "正在检查卡上已复制的文件...",
    "Checking the copied files on the card...", // 92
    "正在向SD卡复制声音文件",
    "Copying sounds to the SD card", // 94
    "此文件夹的名称无法在本Windows上使用；请重命名或另选一个",
    "This folder's name cannot be used on this Windows; rename it or choose another", // 96
    "复制未完成：%d 个声音不在卡上（共 %d 个），第一个是“%s”",
    "Copy incomplete: %d of %d sounds are not on the card, first \"%s\"", // 98
    "卡上空间不足：需要 %llu MB，可用 %llu MB",
    "Not enough space on the card: %llu MB needed, %llu MB free", // 100
    "此文件夹的路径对本工具来说太长；请选择更靠近驱动器根目录的文件夹",
    "This folder's path is too long for this tool; choose a folder nearer the drive's root", // 102
    "此文件夹中有以前保存的设置（CFG_BROADCAST.bin）。在窗口中显示这些设置吗？选“否”将保留窗口中的"
    "设置，“生成配置”会替换此文件夹中的设置。",
    "This folder holds settings saved earlier (CFG_BROADCAST.bin). Show them in the window? No "
    "keeps the window's settings, and Generate will replace the folder's.", // 104
    "已从“%s”载入设置",
    "Settings loaded from \"%s\"", // 106
    "%d 秒",
    "%d Sec", // 108
    "无法在本Windows上显示简体中文",
    "Simplified Chinese cannot be shown on this Windows", // 110
    "未就绪：设置所用的声音文件夹中有 %d 个没有声音（共 %d 个），第一个是“%s”",
    "Not ready: %d of %d sound folders the settings play from hold no sound, first \"%s\"", // 112
};

// Rows 0..55: each list's Chinese items, then its English items.
const char* const kExpectedLabels[] = {
    "开",
    "关", // 0
    "On",
    "Off",
    "狗",
    "虎",
    "豹",
    "人",
    "猞猁",
    "赤狐",
    "黑熊",
    "鸟A",
    "鸟B",
    "鸟C", // 4
    "Dog",
    "Tiger",
    "Leopard",
    "Human",
    "Lynx",
    "Red fox",
    "Black Bear",
    "Bird A",
    "Bird B",
    "Bird C",
    "随机播放",
    "据时指定", // 24
    "Random Playback",
    "Time & File Specified",
    "关闭",
    "随机播放",
    "据时指定", // 28
    "Off",
    "Random Playback",
    "Time & File Specified",
    "关闭",
    "周期循环", // 34
    "Off",
    "Periodic Loop",
    "感应播放",
    "定时播放A",
    "定时播放B", // 38
    "Sensing Playback",
    "Timing Playback A",
    "Timing Playback B",
    "感应随机",
    "定时随机A",
    "定时随机B",
    "感应据时",
    "定时据时A",
    "定时据时B", // 44
    "Random Sen",
    "Timing Rndm A",
    "Timing Rnd B",
    "Sense&Sched",
    "Timed&SchedA",
    "Timed&SchedB",
    "生成配置",
    "Generate", // 56
    "复制",
    "Copy", // 58
    "据时指定计划",
    "Time-specified Plan", // 60
    "状态：空闲",
    "Status: Idle", // 62
    "B播放天数",
    "Playback Days B", // 64
    "A播放天数",
    "Playback Days A", // 66
    "定时随机B",
    "Timing Random B", // 68
    "定时随机A",
    "Timing Random A", // 70
    "感应随机",
    "Random on Sense", // 72
    "鸟C",
    "Bird C", // 74
    "鸟B",
    "Bird B", // 76
    "鸟A",
    "Bird A", // 78
    "黑熊",
    "Black Bear", // 80
    "赤狐",
    "Red fox", // 82
    "猞猁",
    "Lynx", // 84
    "人",
    "Human", // 86
    "豹",
    "Leopard", // 88
    "虎",
    "Tiger", // 90
    "狗",
    "Dog", // 92
    "复制文件",
    "Copy File", // 94
    "秒",
    "S", // 96
    "分",
    "M", // 98
    "时",
    "H", // 100
    "拍摄间隔",
    "Shooting Interval", // 102
    "定时拍摄",
    "Time Lapse", // 104
    "播放暂停天数",
    "Playback Pause Days", // 106
    "周期循环",
    "Periodic Loop", // 108
    "播放延时",
    "Playback Delay", // 110
    "定时播放模式",
    "Timing Playback Mode", // 112
    "感应播放模式",
    "Sensing Playback Mode", // 114
    "播放音量",
    "Volume", // 116
    "关",
    "Off", // 118
    "开",
    "On", // 120
    "播放开关",
    "Playback Switch", // 122
    "选择保存路径",
    "Browse", // 124
    "保存目录",
    "Save Directory", // 126
};

const char* const kExpectedTitles[] = {
    "中文", "English",                         // 0
    "音频播放设置", "Audio Playback Settings", // 2
};

struct TableCase {
    const char* name;
    const char* const* rows;
    const char* const* expected;
    int rowCount;
    int expectedCount;
};

const ItemList kAllLists[] = {kTimeLapseItems,   kAnimalItems,     kPeriodicLoopItems,
                              kSensingModeItems, kTimingModeItems, kPlanPageItems,
                              kCopyPageItems};

// A row holds English text when it is the odd row of a pair or in the
// second half of an item list.
bool IsEnglishRow(const char* const* table, int row)
{
    if (table == LabelTable) {
        for (const ItemList& list : kAllLists) {
            if (row >= list.first && row < list.first + 2 * list.count)
                return row >= list.first + list.count;
        }
    }
    return row % 2 == 1;
}

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

TEST(TextTables, EveryRowReadsAsWritten)
{
    const TableCase tables[] = {
        {"MessageTable", MessageTable, kExpectedMessages, kMessageRows,
         static_cast<int>(sizeof kExpectedMessages / sizeof *kExpectedMessages)},
        {"LabelTable", LabelTable, kExpectedLabels, kLabelRows,
         static_cast<int>(sizeof kExpectedLabels / sizeof *kExpectedLabels)},
        {"TitleTable", TitleTable, kExpectedTitles, kTitleRows,
         static_cast<int>(sizeof kExpectedTitles / sizeof *kExpectedTitles)},
    };
    EXPECT_EQ(114, kMessageRows);
    EXPECT_EQ(128, kLabelRows);
    EXPECT_EQ(4, kTitleRows);
    for (const TableCase& table : tables) {
        ASSERT_EQ(table.expectedCount, table.rowCount) << table.name;
        for (int row = 0; row < table.rowCount; ++row) {
            SCOPED_TRACE(std::string(table.name) + " row " + std::to_string(row));
            const char* text = table.rows[row];
            ASSERT_NE(nullptr, text);
            const char* expected = table.expected[row];
            if (expected[0] == '\0') {
                EXPECT_STREQ("", text);
                continue;
            }
            std::wstring wide = Strict936(text);
            EXPECT_EQ(FromUtf8(expected), wide);
            if (IsEnglishRow(table.rows, row)) {
                EXPECT_STREQ(expected, text);
                EXPECT_TRUE(IsAscii(wide));
            } else {
                EXPECT_FALSE(IsAscii(wide)) << "Chinese row holds no Chinese text";
            }
        }
    }
}

struct ItemCase {
    ItemList list;
    int index;
    const char* chinese;
    const char* english;
};

// The language shown when the user chooses one: 1252 cannot hold Chinese.
int ShownLanguage(int language)
{
    return GetACP() == 1252 ? kEnglish : language;
}

// A text as the window's narrow functions take it.
std::wstring Shown(const char* text)
{
    return FromCodePage(text, CP_ACP);
}

TEST(TextTables, PairsAndListItemsFollowTheLanguage)
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
    for (int language = 0; language <= 1; ++language) {
        EXPECT_EQ(ShownLanguage(language) == language, ShowLanguage(language));
        if (ShownLanguage(language) != language)
            continue;
        SCOPED_TRACE("LanguageIndex " + std::to_string(language));
        for (const ItemCase& item : items) {
            std::wstring expected = FromUtf8(language == 0 ? item.chinese : item.english);
            EXPECT_EQ(expected, Shown(ListItem(item.list, item.index)))
                << "list at row " << item.list.first << ", item " << item.index;
        }
        EXPECT_EQ(FromUtf8(language == 0 ? "成功" : "Sucess"),
                  Shown(TextPair(MessageTable, kMsgCopySucceeded)));
        EXPECT_EQ(FromUtf8(language == 0 ? "在“" : "Configuration file generated in\""),
                  Shown(TextPair(MessageTable, kMsgGeneratedInOpen)));
        EXPECT_EQ(FromUtf8(language == 0
                               ? "选择了“感应随机”源目录："
                               : "The \"Random on Sense\" source directory is selected: "),
                  Shown(TextPair(MessageTable, kMsgSenseRandSelected)));
        EXPECT_EQ(FromUtf8(language == 0 ? "音频播放设置" : "Audio Playback Settings"),
                  Shown(TextPair(TitleTable, kTitleWindowCaption)));
        // The delay items are formatted, not looked up.
        char delay[32];
        snprintf(delay, sizeof delay, DelayItemFormat(), 30);
        EXPECT_EQ(FromUtf8(language == 0 ? "30 秒" : "30 Sec"), Shown(delay));
    }
    ResetSession();
}

// A text longer than a path converts whole; only a code page that lacks its
// characters refuses it.
TEST(TextTables, ALongTextConvertsWhole)
{
    std::string birds;
    for (int i = 0; i < 300; ++i)
        birds += "\xc4\xf1"; // 鸟
    std::vector<char> shown(1024, 'x');
    int bytes = NarrowFromCodePage(kTextCodePage, birds.c_str(), shown.data(), 1024);
    bool held = ShownLanguage(0) == 0;
    EXPECT_EQ(bytes, held ? static_cast<int>(strlen(shown.data())) + 1 : 0);
    EXPECT_EQ(Shown(shown.data()), held ? FromCodePage(birds.c_str(), 936) : L"");
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
        {IDC_SAVE_DIR_GROUP, 126},
        {IDC_BROWSE_BUTTON, 124},
        {IDC_SWITCH_GROUP, 122},
        {IDC_OFF_RADIO, 118},
        {IDC_ON_RADIO, 120},
        {IDC_VOLUME_GROUP, 116},
        {IDC_SEN_MOD_GROUP, 114},
        {IDC_TIMER_MOD_GROUP, 112},
        {IDC_DELAY_GROUP, 110},
        {IDC_PERIODIC_LOOP_GROUP, 108},
        {IDC_PAUSE_DAYS_LABEL, 106},
        {IDC_TIME_LAPSE_LABEL, 104},
        {IDC_SHOT_LABEL, 102},
        {IDC_SHOT_HOUR_UNIT, 100},
        {IDC_SHOT_MIN_UNIT, 98},
        {IDC_SHOT_SEC_UNIT, 96},
        {IDC_COPY_CAPTION, 94},
        {kSenseRandRowIds.Label, 72},
        {kTimingRandARowIds.Label, 70},
        {kTimingRandBRowIds.Label, 68},
        {IDC_PLAY_DAYS_A_LABEL, 66},
        {IDC_PLAY_DAYS_B_LABEL, 64},
        {IDC_COPY_BUTTON, 58},
        {IDC_STATUS_LINE, 62},
        {IDC_PLAN_CAPTION, 60},
        {IDC_GENERATE_BUTTON, 56},
    };
    const int dogPair = 92;
    for (int animal = 0; animal < kAnimals; ++animal) {
        captions.push_back({kTimingARowIds[animal].Label, dogPair - 2 * animal});
        captions.push_back({kSenseSpecRowIds[animal].Label, dogPair - 2 * animal});
        captions.push_back({kTimingBRowIds[animal].Label, dogPair - 2 * animal});
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
    for (int i = 0; i < list.count; ++i)
        items.push_back(FromUtf8(kExpectedLabels[list.first + list.count * language + i]));
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

    void Open(int language)
    {
        RememberedLanguageValue::Set(language == 0 ? "zh-CN" : nullptr);
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
        EXPECT_EQ(FromUtf8(kExpectedTitles[2 + language]), WindowTextW(dialog_));
        for (const CaptionCase& caption : ExpectedCaptions()) {
            if (caption.id == IDC_STATUS_LINE)
                continue; // its text is a message
            EXPECT_EQ(FromUtf8(kExpectedLabels[caption.pair + language]),
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
    Open(1);
    ExpectCaptionsAndTabs(1);
    char caption[256] = {};
    GetWindowTextA(dialog_, caption, sizeof caption);
    EXPECT_STREQ("Audio Playback Settings", caption);
    EXPECT_EQ("Status: Idle", ControlText(dialog_, IDC_STATUS_LINE));
    EXPECT_EQ("Time-specified Plan", ControlText(dialog_, IDC_PLAN_CAPTION));
}

TEST_F(DialogTexts, EnglishWindowShowsNoChinese)
{
    Open(1);
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
    if (ShownLanguage(0) != 0)
        GTEST_SKIP() << "this code page cannot hold the Chinese texts";
    Open(0);
    ExpectCaptionsAndTabs(0);
    EXPECT_EQ(FromUtf8("状态：空闲"), ControlTextW(dialog_, IDC_STATUS_LINE));
}

// The combo items come from the settings binding, in the same language.
TEST_F(DialogTexts, ChineseComboItems)
{
    if (ShownLanguage(0) != 0)
        GTEST_SKIP() << "this code page cannot hold the Chinese texts";
    Open(0);
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
        {nullptr, 1}, {"en", 1}, {"zh-Hans-nonsense", 1}, {"zh-CN", ShownLanguage(0)}};
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
        EXPECT_EQ(FromUtf8(kExpectedTitles[2 + language]), WindowTextW(dialog_));
        EXPECT_EQ(ExpectedItems(kAnimalItems, language),
                  ComboItems(GetDlgItem(dialog_, kComboTMPBIds[23])));
        EXPECT_EQ(language ? L"5 Sec" : FromUtf8("5 秒"),
                  ComboItems(GetDlgItem(dialog_, IDC_DLY_COMBO))[0]);
        EXPECT_EQ(FromUtf8(kExpectedLabels[62 + language]), ControlTextW(dialog_, IDC_STATUS_LINE));
        ClickButton(dialog_, IDC_GENERATE_BUTTON);
        ASSERT_FALSE(script_->boxes.empty());
        EXPECT_EQ(FromUtf8(kExpectedMessages[20 + language]),
                  Shown(script_->boxes.back().text.c_str()));
        EXPECT_EQ(FromUtf8(kExpectedMessages[26 + language]),
                  Shown(script_->boxes.back().caption.c_str()));
        EXPECT_EQ(FromUtf8(kExpectedMessages[24 + language]) +
                      FromCodePage(directory_.Folder().Path().c_str(), CP_ACP) +
                      FromUtf8(kExpectedMessages[22 + language]) + L"CFG_BROADCAST.bin",
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
    Open(1);
    wchar_t names[2][32] = {};
    for (UINT item : {IDM_LANGUAGE_ENGLISH, IDM_LANGUAGE_CHINESE})
        GetMenuStringW(GetSystemMenu(dialog_, FALSE), item, names[item != IDM_LANGUAGE_ENGLISH], 32,
                       MF_BYCOMMAND);
    EXPECT_EQ(FromUtf8("English简体中文"), std::wstring(names[0]) + names[1]);
    SelectTabPage(dialog_, IDC_COPY_TAB, 3);
    SelectTabPage(dialog_, IDC_PLAN_TAB, 2);
    const std::vector<LRESULT> selections = ComboSelections(dialog_);
    const Bytes shown = ConfigBytes();
    int language = ShownLanguage(0);
    TraceCapture trace;
    Choose(IDM_LANGUAGE_CHINESE);
    ExpectCaptionsAndTabs(language, 3, 2);
    EXPECT_EQ(ExpectedItems(kSensingModeItems, language),
              ComboItems(GetDlgItem(dialog_, IDC_SEN_MOD_COMBO)));
    EXPECT_EQ(language ? L"5 Sec" : FromUtf8("5 秒"),
              ComboItems(GetDlgItem(dialog_, IDC_DLY_COMBO))[0]);
    EXPECT_EQ(FromUtf8(language ? kExpectedMessages[111] : kExpectedLabels[62]),
              ControlTextW(dialog_, IDC_STATUS_LINE));
    EXPECT_EQ((std::vector<UINT>{language ? MF_CHECKED : 0u, language ? 0u : MF_CHECKED}),
              LanguageItemStates());
    EXPECT_EQ("zh-CN", RememberedLanguageValue::Get());
    EXPECT_EQ(selections, ComboSelections(dialog_));

    SetDlgItemTextA(dialog_, IDC_STATUS_LINE, "C:\\");
    Choose(IDM_LANGUAGE_ENGLISH);
    ExpectCaptionsAndTabs(1, 3, 2);
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
