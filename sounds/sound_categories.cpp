#include "sounds/sound_categories.h"

#include <cstdio>

#include "model/session_state.h"
#include "texts/interface_texts.h"
#include "texts/shown_language.h"

const char* AnimalLabel(int animalIndex)
{
    return ListItem(kAnimalItems, animalIndex);
}

namespace {

// Animal folder names, by AnimalIndex.
const char* const kAnimalFolderNames[kAnimals] = {
    "dog", "tiger", "leopard", "human", "lynx", "fox", "bear", "bird A", "bird B", "bird C",
};

struct RandomPageLayout {
    int Page;
    const CopyRowIds* Row;
    int Key;
    int MessagePair;
    const char* Folder;
};

const RandomPageLayout kRandomPages[] = {
    {kSenseRandPage, &kSenseRandRowIds, kSenseRandRowIds.Check, kMsgSenseRandSelected,
     "audio\\SenseRand"},
    {kTimingRandAPage, &kTimingRandARowIds, IDC_TIMING_RAND_A_KEY, kMsgTimingRandASelected,
     "audio\\Alarm\\A"},
    {kTimingRandBPage, &kTimingRandBRowIds, IDC_TIMING_RAND_B_KEY, kMsgTimingRandBSelected,
     "audio\\Alarm\\B"},
};

struct AnimalPageLayout {
    int Page;
    const CopyRowIds* Rows;
    const char* ParentFolder;
};

const AnimalPageLayout kAnimalPages[] = {
    {kSenseSpecPage, kSenseSpecRowIds, "audio\\SenseSpecify"},
    {kTimingAPage, kTimingARowIds, "audio\\Alarm\\A"},
    {kTimingBPage, kTimingBRowIds, "audio\\Alarm\\B"},
};

// The timing A page announces each animal with a message of its own; the
// other two animal pages name the animal inside one shared message.
SoundCategory AnimalCategory(const AnimalPageLayout& layout, int animal)
{
    SoundCategory category = {};
    category.Page = layout.Page;
    category.CategoryKey = layout.Rows[animal].Check;
    category.PickButton = layout.Rows[animal].PickButton;
    category.Check = layout.Rows[animal].Check;
    category.AnimalIndex = animal;
    if (layout.Page == kTimingAPage) {
        category.MessageForm = kMessageThenPath;
        category.MessagePair = kMsgTimingDogSelected + animal;
    } else {
        category.MessageForm = kMessageAnimalLabelThenPath;
        category.MessagePair = kMsgSourceDirectoryOf;
    }
    snprintf(category.TargetFolder, sizeof category.TargetFolder, "%s\\%s", layout.ParentFolder,
             kAnimalFolderNames[animal]);
    return category;
}

SoundCategoryTable BuildCategoryTable()
{
    SoundCategoryTable table = {};
    int row = 0;
    for (const RandomPageLayout& layout : kRandomPages) {
        SoundCategory& category = table.Rows[row++];
        category.Page = layout.Page;
        category.CategoryKey = layout.Key;
        category.PickButton = layout.Row->PickButton;
        category.Check = layout.Row->Check;
        category.AnimalIndex = kRandomSlot;
        category.MessageForm = kMessageThenPath;
        category.MessagePair = layout.MessagePair;
        snprintf(category.TargetFolder, sizeof category.TargetFolder, "%s", layout.Folder);
    }
    for (const AnimalPageLayout& layout : kAnimalPages) {
        for (int animal = 0; animal < kAnimals; ++animal)
            table.Rows[row++] = AnimalCategory(layout, animal);
    }
    return table;
}

} // namespace

// Built once from the row groups of the dialog; the identifiers live there.
const SoundCategoryTable kSoundCategories = BuildCategoryTable();

const SoundCategory* FindCategoryByPickButton(int id)
{
    for (const SoundCategory& category : kSoundCategories.Rows) {
        if (category.PickButton == id)
            return &category;
    }
    return nullptr;
}

const SoundCategory* FirstCategoryOfPage(int page)
{
    for (const SoundCategory& category : kSoundCategories.Rows) {
        if (category.Page == page)
            return &category;
    }
    return nullptr;
}

const SoundCategory* FindCategory(int page, int key)
{
    for (const SoundCategory& category : kSoundCategories.Rows) {
        if (category.Page == page && category.CategoryKey == key)
            return &category;
    }
    return nullptr;
}

const SoundCategory* FindCategoryByKey(int key)
{
    for (const SoundCategory& category : kSoundCategories.Rows) {
        if (category.CategoryKey == key)
            return &category;
    }
    return nullptr;
}

char* CategorySlot(const SoundCategory& category)
{
    if (category.AnimalIndex == kRandomSlot)
        return g_Session.RandPath;
    return g_Session.SenseSpecPath[category.AnimalIndex];
}
