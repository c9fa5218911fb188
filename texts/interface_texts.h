// The bilingual text tables: one pair per text, the Chinese in UTF-8 (as
// this source is written), the English plain ASCII; LanguageIndex picks the
// text of every pair.
#pragma once

#include "model/session_state.h"

// A text in both languages. Name is the pair's name, which is its place in
// its table; the tables are checked for that as they are compiled.
struct BilingualText {
    int Name;
    const char* Chinese;
    const char* English;
};

// MessageTable pairs.
enum MessagePair : int {
    kMsgSelectedClose,
    kMsgSourceDirectoryOf,
    kMsgCreateFailed,
    kMsgDirectoryExisted,
    kMsgDirectoryCreated,
    kMsgCopyFailed,
    kMsgCopySucceeded,
    kMsgCopyLineClose,
    kMsgCopyLineOpen,
    kMsgGenerateFailed,
    kMsgGenerated,
    kMsgGeneratedInClose,
    kMsgGeneratedInOpen,
    kMsgNote,
    kMsgTimingBSelected, // no control shows these two
    kMsgTimingASelected,
    // The timing A page's animal messages, in AnimalIndex order.
    kMsgTimingDogSelected,
    kMsgTimingTigerSelected,
    kMsgTimingLeopardSelected,
    kMsgTimingHumanSelected,
    kMsgTimingLynxSelected,
    kMsgTimingRedFoxSelected,
    kMsgTimingBlackBearSelected,
    kMsgTimingBirdASelected,
    kMsgTimingBirdBSelected,
    kMsgTimingBirdCSelected,
    kMsgTimingRandBSelected,
    kMsgTimingRandASelected,
    kMsgSenseRandSelected,
    kMsgChineseName,
    kMsgEnglishName,
    kMsgCheckingCopies,
    kMsgCopyingToCard,
    kMsgFolderNameUnusable,
    kMsgCopyIncomplete,
    kMsgNotEnoughSpace,
    kMsgFolderPathTooLong,
    kMsgShowSavedSettings,
    kMsgSettingsLoaded,
    kMsgDelayItemFormat,
    kMsgChineseUnshowable,
    kMsgNotReady,
    kMessagePairs
};

// LabelTable pairs: the item lists, each list's items in order, then the
// captions.
enum LabelPair : int {
    kLabelTimeLapseOn,
    kLabelTimeLapseOff,
    kLabelDog, // the animals, in AnimalIndex order
    kLabelTiger,
    kLabelLeopard,
    kLabelHuman,
    kLabelLynx,
    kLabelRedFox,
    kLabelBlackBear,
    kLabelBirdA,
    kLabelBirdB,
    kLabelBirdC,
    kLabelLoopRandom,
    kLabelLoopSpecified,
    kLabelSensingOff,
    kLabelSensingRandom,
    kLabelSensingSpecified,
    kLabelTimingOff,
    kLabelTimingLoop,
    kLabelSensingPlanPage,
    kLabelTimingPlanAPage,
    kLabelTimingPlanBPage,
    kLabelSenseRandPage,
    kLabelTimingRandAPage,
    kLabelTimingRandBPage,
    kLabelSenseSpecPage,
    kLabelTimingSpecAPage,
    kLabelTimingSpecBPage,
    kLabelGenerate,
    kLabelCopy,
    kLabelPlan,
    kLabelStatusIdle,
    kLabelPlayDaysB,
    kLabelPlayDaysA,
    kLabelTimingRandB,
    kLabelTimingRandA,
    kLabelSenseRand,
    kLabelCopyFile,
    kLabelSecondUnit,
    kLabelMinuteUnit,
    kLabelHourUnit,
    kLabelShootingInterval,
    kLabelTimeLapse,
    kLabelPauseDays,
    kLabelPeriodicLoop,
    kLabelPlaybackDelay,
    kLabelTimingMode,
    kLabelSensingMode,
    kLabelVolume,
    kLabelOff,
    kLabelOn,
    kLabelPlaybackSwitch,
    kLabelBrowse,
    kLabelSaveDirectory,
    kLabelPairs
};

// TitleTable pairs.
enum TitlePair : int {
    kTitleLanguageNames, // no operation shows it
    kTitleWindowCaption,
    kTitlePairs
};

extern const BilingualText MessageTable[kMessagePairs];
extern const BilingualText LabelTable[kLabelPairs];
extern const BilingualText TitleTable[kTitlePairs];

// The code page of the Chinese texts.
const unsigned kTextCodePage = CP_UTF8;

// An item list of LabelTable: Count pairs from pair First.
struct ItemList {
    int First;
    int Count;
};

constexpr ItemList Items(int first, int last)
{
    return {first, last + 1 - first};
}

const ItemList kTimeLapseItems = Items(kLabelTimeLapseOn, kLabelTimeLapseOff);
const ItemList kAnimalItems = Items(kLabelDog, kLabelBirdC);
const ItemList kPeriodicLoopItems = Items(kLabelLoopRandom, kLabelLoopSpecified);
const ItemList kSensingModeItems = Items(kLabelSensingOff, kLabelSensingSpecified);
const ItemList kTimingModeItems = Items(kLabelTimingOff, kLabelTimingLoop);
const ItemList kPlanPageItems = Items(kLabelSensingPlanPage, kLabelTimingPlanBPage);
const ItemList kCopyPageItems = Items(kLabelSenseRandPage, kLabelTimingSpecBPage);

// The name of a language in that language, as the table holds it (UTF-8):
// "简体中文" for Chinese, "English" for English.
const char* LanguageName(Language language);

// A status line text: a path with the longest messages of either language
// around it.
const int kStatusTextSize = 2 * kPathSize;

// Trace lines written in code page 936, whatever the system's code page.
extern const char kCopyTrace[];             // "复制:\n"
extern const char kCreateFolderFailTrace[]; // "创建文件夹失败-%d！\n"
