// The bilingual text tables. Chinese texts are code page 936 bytes, English
// texts plain ASCII; LanguageIndex picks the row of every text.
#pragma once

#include "model/session_state.h"

const int kMessageRows = 114;
const int kLabelRows = 128;
const int kTitleRows = 4;

extern const char* const MessageTable[kMessageRows];
extern const char* const LabelTable[kLabelRows];
extern const char* const TitleTable[kTitleRows];

// The code page of the Chinese rows.
const unsigned kTextCodePage = 936;

// A text pair: Chinese at the even row, English right after it. The text is
// the row as the window shows it (texts/shown_language.h).
const char* TextPair(const char* const* table, int pair);

// An item list of LabelTable: count Chinese items from row first, then the
// count English items.
struct ItemList {
    int first;
    int count;
};
const char* ListItem(ItemList list, int index);

const ItemList kTimeLapseItems = {0, 2};
const ItemList kAnimalItems = {4, 10};
const ItemList kPeriodicLoopItems = {24, 2};
const ItemList kSensingModeItems = {28, 3};
const ItemList kTimingModeItems = {34, 2};
const ItemList kPlanPageItems = {38, 3};
const ItemList kCopyPageItems = {44, 6};

// MessageTable pairs.
enum MessagePair : int {
    kMsgSelectedClose = 0,      // "\" selected: "
    kMsgSourceDirectoryOf = 2,  // "Source directory of \""
    kMsgCreateFailed = 4,       // "Failed to create directory!\n"
    kMsgDirectoryExisted = 6,   // "Directory existed.\n"
    kMsgDirectoryCreated = 8,   // "Directory created!\n"
    kMsgCopyFailed = 10,        // "Failed"
    kMsgCopySucceeded = 12,     // "Sucess"
    kMsgCopyLineClose = 14,     // "\" ..."
    kMsgCopyLineOpen = 16,      // "Copy \""
    kMsgGenerateFailed = 18,    // "Failed to generate configuration!"
    kMsgGenerated = 20,         // "Configuration generated!"
    kMsgGeneratedInClose = 22,  // "\": "
    kMsgGeneratedInOpen = 24,   // "Configuration file generated in\""
    kMsgNote = 26,              // "Note"
    kMsgTimingDogSelected = 50, // the timing A animal messages: 50 - 2 * AnimalIndex
    kMsgTimingRandBSelected = 52,
    kMsgTimingRandASelected = 54,
    kMsgSenseRandSelected = 56,
    kMsgChineseName = 64,        // "简体中文" (its English row: "Chinese")
    kMsgEnglishName = 66,        // "English" (its Chinese row: "英语")
    kMsgCheckingCopies = 92,     // "Checking the copied files on the card..."
    kMsgCopyingToCard = 94,      // "Copying sounds to the SD card"
    kMsgFolderNameUnusable = 96, // "This folder's name cannot be used on this Windows; ..."
    kMsgCopyIncomplete = 98,     // "Copy incomplete: %d of %d sounds are not on the card, ..."
    kMsgNotEnoughSpace = 100,    // "Not enough space on the card: %llu MB needed, %llu MB free"
    kMsgFolderPathTooLong = 102, // "This folder's path is too long for this tool; ..."
    kMsgShowSavedSettings = 104, // "This folder holds settings saved earlier ... Show them ...?"
    kMsgSettingsLoaded = 106,    // "Settings loaded from \"%s\"", the save directory
    kMsgDelayItemFormat = 108,   // "%d Sec"
    kMsgChineseUnshowable = 110, // "Simplified Chinese cannot be shown on this Windows"
    kMsgNotReady = 112, // "Not ready: %d of %d sound folders ... hold no sound, first \"%s\""
};

// LabelTable pairs that code names.
const int kLabelStatusIdle = 62; // "Status: Idle"

// The name of a language in that language, as the table holds it (code
// page 936): "简体中文" for 0, "English" for 1.
const char* LanguageName(int language);

// TitleTable pairs.
const int kTitleWindowCaption = 2;

// A status line text: a path with the longest messages of either language
// around it.
const int kStatusTextSize = 2 * kPathSize;

// Format of a delay item, "%d Sec" or its Chinese form.
const char* DelayItemFormat();

// Trace lines written in code page 936.
extern const char kCopyTrace[];             // "复制:\n"
extern const char kCreateFolderFailTrace[]; // "创建文件夹失败-%d！\n"
