#include "library/sound_categories.h"

#include <cstdio>

#include "model/session_state.h"
#include "ui/interface_texts.h"

const char* const kAnimalFolderNames[kAnimals] = {
    "dog", "tiger", "leopard", "human", "lynx", "fox", "bear", "bird A", "bird B", "bird C",
};

const char* AnimalLabel(int animalIndex)
{
    return ListItem(kAnimalItems, animalIndex);
}

namespace {

struct RandomPageSpec {
    int Page;
    const CopyRowIds* Row;
    int Key;
    int MessagePair;
    const char* Folder;
};

const RandomPageSpec kRandomPages[] = {
    {kSenseRandPage, &kSenseRandRowIds, kSenseRandRowIds.Check, kMsgSenseRandSelected,
     "audio\\SenseRand"},
    {kTimingRandAPage, &kTimingRandARowIds, kTimingRandAKey, kMsgTimingRandASelected,
     "audio\\Alarm\\A"},
    {kTimingRandBPage, &kTimingRandBRowIds, kTimingRandBKey, kMsgTimingRandBSelected,
     "audio\\Alarm\\B"},
};

struct AnimalPageSpec {
    int Page;
    const CopyRowIds* Rows;
    const char* ParentFolder;
};

const AnimalPageSpec kAnimalPages[] = {
    {kSenseSpecPage, kSenseSpecRowIds, "audio\\SenseSpecify"},
    {kTimingAPage, kTimingARowIds, "audio\\Alarm\\A"},
    {kTimingBPage, kTimingBRowIds, "audio\\Alarm\\B"},
};

// The timing A page announces each animal with a message of its own; the
// other two animal pages name the animal inside one shared message.
SoundCategory AnimalCategory(const AnimalPageSpec& spec, int animal)
{
    SoundCategory category = {};
    category.Page = spec.Page;
    category.CategoryKey = spec.Rows[animal].Check;
    category.PickButton = spec.Rows[animal].PickButton;
    category.Check = spec.Rows[animal].Check;
    category.AnimalIndex = animal;
    if (spec.Page == kTimingAPage) {
        category.MessageForm = kMessageThenPath;
        category.MessagePair = kMsgTimingDogSelected - 2 * animal;
    } else {
        category.MessageForm = kMessageAnimalLabelThenPath;
        category.MessagePair = kMsgSourceDirectoryOf;
    }
    snprintf(category.TargetFolder, sizeof category.TargetFolder, "%s\\%s", spec.ParentFolder,
             kAnimalFolderNames[animal]);
    return category;
}

SoundCategoryTable BuildCategoryTable()
{
    SoundCategoryTable table = {};
    int row = 0;
    for (const RandomPageSpec& spec : kRandomPages) {
        SoundCategory& category = table.Rows[row++];
        category.Page = spec.Page;
        category.CategoryKey = spec.Key;
        category.PickButton = spec.Row->PickButton;
        category.Check = spec.Row->Check;
        category.AnimalIndex = kRandomSlot;
        category.MessageForm = kMessageThenPath;
        category.MessagePair = spec.MessagePair;
        snprintf(category.TargetFolder, sizeof category.TargetFolder, "%s", spec.Folder);
    }
    for (const AnimalPageSpec& spec : kAnimalPages) {
        for (int animal = 0; animal < kAnimals; ++animal)
            table.Rows[row++] = AnimalCategory(spec, animal);
    }
    return table;
}

}  // namespace

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
