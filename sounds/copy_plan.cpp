#include "sounds/copy_plan.h"

#include "platform/dialog_ops.h"
#include "platform/file_ops.h"
#include "platform/volume_space.h"
#include "sounds/folder_tree.h"
#include "sounds/sound_replace.h"

namespace {

// What the sounds' names end in: the copy's search pattern is "*" and this.
const char kSoundPattern[] = "*.wav";

bool IsTicked(HWND dialog, const SoundCategory& category)
{
    return ButtonCheckState(dialog, category.Check) == BST_CHECKED;
}

// The room a sound takes: what its earlier copy frees counts only where the
// Copy can replace it (it stands under its own long name, not read-only).
void CountSoundRoom(CopyJob* job, const FolderListing& target, const FolderSearch& sound)
{
    const WIN32_FIND_DATAA& entry = sound.Entry;
    const ListedFile* earlier = FindListedFile(target, entry.cFileName);
    bool replaced = earlier && !(earlier->Attributes & FILE_ATTRIBUTE_READONLY);
    CountSound(&job->Room, static_cast<uint64_t>(entry.nFileSizeHigh) << 32 | entry.nFileSizeLow,
               replaced ? earlier->Size : 0);
}

// Counts the sounds of a planned category's source folder, the bytes to read
// and write, and the room they take beside what its target folder holds.
uint64_t CountCategorySounds(CopyJob* job, PlannedCategory* planned, const FolderListing& target)
{
    uint64_t bytes = 0;
    FolderSearch search = {};
    if (!StartSoundSearch(&search, CategorySlot(*planned->Category)))
        return 0;
    do {
        if (!IsSound(search))
            continue;
        ++planned->SoundsFound;
        bytes +=
            static_cast<uint64_t>(search.Entry.nFileSizeHigh) << 32 | search.Entry.nFileSizeLow;
        // A sound whose name or path cannot name its target fails unwritten.
        char path[kPathSize] = {};
        if (!planned->IntoSourceFolder && search.NameExact &&
            FormatCategoryPath(path, *planned->Category, search.Entry.cFileName))
            CountSoundRoom(job, target, search);
    } while (NextFolderEntry(&search));
    EndFolderSearch(&search);
    return bytes;
}

} // namespace

bool StartSoundSearch(FolderSearch* search, const char* folder)
{
    char pattern[kPathSize] = {};
    return FormatPath(pattern, sizeof pattern, "%s\\%s", folder, kSoundPattern) &&
           StartFolderSearch(search, pattern);
}

bool IsSound(const FolderSearch& search)
{
    return search.Entry.cFileName[0] != '.';
}

bool FormatCategoryPath(char (&path)[kPathSize], const SoundCategory& category, const char* name)
{
    return name ? FormatPath(path, sizeof path, "%s\\%s\\%s", g_Session.SaveDir,
                             category.TargetFolder, name)
                : FormatPath(path, sizeof path, "%s\\%s", g_Session.SaveDir, category.TargetFolder);
}

uint64_t PlanCopy(CopyJob* job, HWND dialog, int page)
{
    std::vector<FolderListing> targets;
    for (const SoundCategory& category : kSoundCategories.Rows) {
        if (category.Page != page || !IsTicked(dialog, category))
            continue;
        PlannedCategory& planned = job->Planned[job->PlannedCount++];
        planned = {&category, 0, false};
        char target[kPathSize] = {};
        bool targetFits = FormatCategoryPath(target, category, nullptr);
        // Copying a folder into itself would put each file aside onto itself:
        // nothing is written there.
        planned.IntoSourceFolder = targetFits && IsSameFile(CategorySlot(category), target);
        targets.emplace_back();
        if (targetFits && !planned.IntoSourceFolder)
            SettleSoundFolder(target, &targets.back());
    }
    VolumeSpace volume = {};
    bool known = QueryVolumeSpace(g_Session.SaveDir, &volume);
    job->Room = StartRoomCount(known ? &volume : nullptr);
    uint64_t bytes = 0;
    for (int i = 0; i < job->PlannedCount; ++i)
        bytes += CountCategorySounds(job, &job->Planned[i], targets[i]);
    return bytes;
}
