// The 33 sound categories of the copy panel: their pages, keys, buttons,
// check boxes, source slots, messages and target folders.
#pragma once

#include "resources/control_groups.h"

// Pages of the copy tab.
enum CopyPage : int {
    kSenseRandPage = 0,
    kTimingRandAPage = 1,
    kTimingRandBPage = 2,
    kSenseSpecPage = 3,
    kTimingAPage = 4,
    kTimingBPage = 5,
    kCopyPages = 6,
};

// The animal's label in the active language.
const char* AnimalLabel(int animalIndex);

// How the status line announces a chosen source folder.
enum SourceMessageForm : int {
    kMessageThenPath,            // MessagePair, then the path
    kMessageAnimalLabelThenPath, // MessagePair, the animal's label, "\" selected: ", the path
};

const int kRandomSlot = -1;
const int kTargetFolderSize = 40;
const int kCategoryCount = 33;

struct SoundCategory {
    int Page;
    int CategoryKey;
    int PickButton;
    int Check;
    int AnimalIndex; // the SenseSpecPath slot and copy order; kRandomSlot for RandPath
    SourceMessageForm MessageForm;
    int MessagePair;
    char TargetFolder[kTargetFolderSize]; // relative to the save directory
};

// Page by page, each animal page in AnimalIndex order.
struct SoundCategoryTable {
    SoundCategory Rows[kCategoryCount];
};
extern const SoundCategoryTable kSoundCategories;

// The category of a "..." button, or null.
const SoundCategory* FindCategoryByPickButton(int id);

// The first category of a page (the only one of a random page), or null.
const SoundCategory* FirstCategoryOfPage(int page);

// The category of a page with the given key, or null.
const SoundCategory* FindCategory(int page, int key);

// The category whose key is given, on any page, or null.
const SoundCategory* FindCategoryByKey(int key);

// The source slot of a category: RandPath or its SenseSpecPath entry.
char* CategorySlot(const SoundCategory& category);
