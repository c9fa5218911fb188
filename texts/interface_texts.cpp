#include "texts/interface_texts.h"

#include <cstddef>

#include "model/session_state.h"

namespace {

// Each row names its pair, so that no pair can move without the build
// noticing.
template <size_t N> constexpr bool NamedInOrder(const BilingualText (&table)[N])
{
    for (size_t pair = 0; pair < N; ++pair) {
        if (table[pair].Name != static_cast<int>(pair) || !table[pair].Chinese ||
            !table[pair].English)
            return false;
    }
    return true;
}

} // namespace

// The Chinese texts are shown converted to the process's code page
// (texts/shown_language.h).

constexpr BilingualText MessageTable[kMessagePairs] = {
    {kMsgSelectedClose, u8"”的源目录：", "\" selected: "},
    {kMsgSourceDirectoryOf, u8"选择了“", "Source directory of \""},
    {kMsgCreateFailed, u8"目录创建失败！\n", "Failed to create directory!\n"},
    {kMsgDirectoryExisted, u8"目录已经存在。\n", "Directory existed.\n"},
    {kMsgDirectoryCreated, u8"目录创建成功！\n", "Directory created!\n"},
    {kMsgCopyFailed, u8"失败", "Failed"},
    {kMsgCopySucceeded, u8"成功", "Sucess"},
    {kMsgCopyLineClose, u8"”...", "\" ..."},
    {kMsgCopyLineOpen, u8"复制“", "Copy \""},
    {kMsgGenerateFailed, u8"生配置文件失败！", "Failed to generate configuration!"},
    {kMsgGenerated, u8"成功生成配置文件!", "Configuration generated!"},
    {kMsgGeneratedInClose, u8"”生成了配置文件：", "\": "},
    {kMsgGeneratedInOpen, u8"在“", "Configuration file generated in\""},
    {kMsgNote, u8"通知", "Note"},
    {kMsgTimingBSelected, u8"选择了“定时B”的源目录：",
     "The \"Timing B\" source directory is selected: "},
    {kMsgTimingASelected, u8"选择了“定时A”的源目录：",
     "The \"Timing A\" source directory is selected: "},
    {kMsgTimingDogSelected, u8"选择了“狗”的源目录：", "The \"Dog\" source directory is selected: "},
    {kMsgTimingTigerSelected, u8"选择了“虎”的源目录：",
     "The \"Tiger\" source directory is selected: "},
    {kMsgTimingLeopardSelected, u8"选择了“豹”的源目录：",
     "The \"Leopard\" source directory is selected: "},
    {kMsgTimingHumanSelected, u8"选择了“人”的源目录：",
     "The \"Human\" source directory is selected: "},
    {kMsgTimingLynxSelected, u8"选择了“猞猁”的源目录：",
     "The \"Lynx\" source directory is selected: "},
    {kMsgTimingRedFoxSelected, u8"选择了“赤狐”的源目录：",
     "The \"Red fox\" source directory is selected: "},
    {kMsgTimingBlackBearSelected, u8"选择了“黑熊”的源目录：",
     "The \"Black Bear\" source directory is selected: "},
    {kMsgTimingBirdASelected, u8"选择了“鸟A”的源目录：",
     "The \"Bird A\" source directory is selected: "},
    {kMsgTimingBirdBSelected, u8"选择了“鸟B”的源目录：",
     "The \"Bird B\" source directory is selected: "},
    {kMsgTimingBirdCSelected, u8"选择了“鸟C”的源目录：",
     "The \"Bird C\" source directory is selected: "},
    {kMsgTimingRandBSelected, u8"选择了“定时随机B”源目录：",
     "The \"Timing Random B\" source directory is selected: "},
    {kMsgTimingRandASelected, u8"选择了“定时随机A”源目录：",
     "The \"Timing Random A\" source directory is selected: "},
    {kMsgSenseRandSelected, u8"选择了“感应随机”源目录：",
     "The \"Random on Sense\" source directory is selected: "},
    // The language names; only each language's own name is shown.
    {kMsgChineseName, u8"简体中文", "Chinese"},
    {kMsgEnglishName, u8"英语", "English"},
    {kMsgCheckingCopies, u8"正在检查卡上已复制的文件...",
     "Checking the copied files on the card..."},
    {kMsgCopyingToCard, u8"正在向SD卡复制声音文件", "Copying sounds to the SD card"},
    {kMsgFolderNameUnusable, u8"此文件夹的名称无法在本Windows上使用；请重命名或另选一个",
     "This folder's name cannot be used on this Windows; rename it or choose another"},
    {kMsgCopyIncomplete, u8"复制未完成：%d 个声音不在卡上（共 %d 个），第一个是“%s”",
     "Copy incomplete: %d of %d sounds are not on the card, first \"%s\""},
    {kMsgNotEnoughSpace, u8"卡上空间不足：需要 %llu MB，可用 %llu MB",
     "Not enough space on the card: %llu MB needed, %llu MB free"},
    {kMsgFolderPathTooLong, u8"此文件夹的路径对本工具来说太长；请选择更靠近驱动器根目录的文件夹",
     "This folder's path is too long for this tool; choose a folder nearer the drive's root"},
    {kMsgShowSavedSettings,
     u8"此文件夹中有以前保存的设置（CFG_BROADCAST.bin）。在窗口中显示这些设置吗？"
     u8"选“否”将保留窗口中的设置，“生成配置”会替换此文件夹中的设置。",
     "This folder holds settings saved earlier (CFG_BROADCAST.bin). Show them in the window? "
     "No keeps the window's settings, and Generate will replace the folder's."},
    {kMsgSettingsLoaded, u8"已从“%s”载入设置", "Settings loaded from \"%s\""},
    {kMsgDelayItemFormat, u8"%d 秒", "%d Sec"},
    {kMsgChineseUnshowable, u8"无法在本Windows上显示简体中文",
     "Simplified Chinese cannot be shown on this Windows"},
    {kMsgNotReady, u8"未就绪：设置所用的声音文件夹中有 %d 个没有声音（共 %d 个），第一个是“%s”",
     "Not ready: %d of %d sound folders the settings play from hold no sound, first \"%s\""},
};
static_assert(NamedInOrder(MessageTable), "a MessageTable row out of its place");

constexpr BilingualText LabelTable[kLabelPairs] = {
    {kLabelTimeLapseOn, u8"开", "On"},
    {kLabelTimeLapseOff, u8"关", "Off"},
    {kLabelDog, u8"狗", "Dog"},
    {kLabelTiger, u8"虎", "Tiger"},
    {kLabelLeopard, u8"豹", "Leopard"},
    {kLabelHuman, u8"人", "Human"},
    {kLabelLynx, u8"猞猁", "Lynx"},
    {kLabelRedFox, u8"赤狐", "Red fox"},
    {kLabelBlackBear, u8"黑熊", "Black Bear"},
    {kLabelBirdA, u8"鸟A", "Bird A"},
    {kLabelBirdB, u8"鸟B", "Bird B"},
    {kLabelBirdC, u8"鸟C", "Bird C"},
    {kLabelLoopRandom, u8"随机播放", "Random Playback"},
    {kLabelLoopSpecified, u8"据时指定", "Time & File Specified"},
    {kLabelSensingOff, u8"关闭", "Off"},
    {kLabelSensingRandom, u8"随机播放", "Random Playback"},
    {kLabelSensingSpecified, u8"据时指定", "Time & File Specified"},
    {kLabelTimingOff, u8"关闭", "Off"},
    {kLabelTimingLoop, u8"周期循环", "Periodic Loop"},
    {kLabelSensingPlanPage, u8"感应播放", "Sensing Playback"},
    {kLabelTimingPlanAPage, u8"定时播放A", "Timing Playback A"},
    {kLabelTimingPlanBPage, u8"定时播放B", "Timing Playback B"},
    {kLabelSenseRandPage, u8"感应随机", "Random Sen"},
    {kLabelTimingRandAPage, u8"定时随机A", "Timing Rndm A"},
    {kLabelTimingRandBPage, u8"定时随机B", "Timing Rnd B"},
    {kLabelSenseSpecPage, u8"感应据时", "Sense&Sched"},
    {kLabelTimingSpecAPage, u8"定时据时A", "Timed&SchedA"},
    {kLabelTimingSpecBPage, u8"定时据时B", "Timed&SchedB"},
    {kLabelGenerate, u8"生成配置", "Generate"},
    {kLabelCopy, u8"复制", "Copy"},
    {kLabelPlan, u8"据时指定计划", "Time-specified Plan"},
    {kLabelStatusIdle, u8"状态：空闲", "Status: Idle"},
    {kLabelPlayDaysB, u8"B播放天数", "Playback Days B"},
    {kLabelPlayDaysA, u8"A播放天数", "Playback Days A"},
    {kLabelTimingRandB, u8"定时随机B", "Timing Random B"},
    {kLabelTimingRandA, u8"定时随机A", "Timing Random A"},
    {kLabelSenseRand, u8"感应随机", "Random on Sense"},
    {kLabelCopyFile, u8"复制文件", "Copy File"},
    {kLabelSecondUnit, u8"秒", "S"},
    {kLabelMinuteUnit, u8"分", "M"},
    {kLabelHourUnit, u8"时", "H"},
    {kLabelShootingInterval, u8"拍摄间隔", "Shooting Interval"},
    {kLabelTimeLapse, u8"定时拍摄", "Time Lapse"},
    {kLabelPauseDays, u8"播放暂停天数", "Playback Pause Days"},
    {kLabelPeriodicLoop, u8"周期循环", "Periodic Loop"},
    {kLabelPlaybackDelay, u8"播放延时", "Playback Delay"},
    {kLabelTimingMode, u8"定时播放模式", "Timing Playback Mode"},
    {kLabelSensingMode, u8"感应播放模式", "Sensing Playback Mode"},
    {kLabelVolume, u8"播放音量", "Volume"},
    {kLabelOff, u8"关", "Off"},
    {kLabelOn, u8"开", "On"},
    {kLabelPlaybackSwitch, u8"播放开关", "Playback Switch"},
    {kLabelBrowse, u8"选择保存路径", "Browse"},
    {kLabelSaveDirectory, u8"保存目录", "Save Directory"},
};
static_assert(NamedInOrder(LabelTable), "a LabelTable row out of its place");

constexpr BilingualText TitleTable[kTitlePairs] = {
    {kTitleLanguageNames, u8"中文", "English"},
    {kTitleWindowCaption, u8"音频播放设置", "Audio Playback Settings"},
};
static_assert(NamedInOrder(TitleTable), "a TitleTable row out of its place");

// The trace is written in code page 936, whatever the code page shown.
const char kCopyTrace[] = "\xb8\xb4\xd6\xc6:\n"; // 复制:\n
const char kCreateFolderFailTrace[] = "\xb4\xb4\xbd\xa8\xce\xc4\xbc\xfe\xbc\xd0\xca\xa7\xb0\xdc-%"
                                      "d\xa3\xa1\n"; // 创建文件夹失败-%d！\n

const char* LanguageName(Language language)
{
    const BilingualText& name =
        MessageTable[language == kChinese ? kMsgChineseName : kMsgEnglishName];
    return language == kChinese ? name.Chinese : name.English;
}
