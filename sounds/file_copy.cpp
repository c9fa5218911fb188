#include "sounds/file_copy.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "platform/digest_check.h"
#include "platform/file_ops.h"
#include "platform/folder_search.h"
#include "platform/trace.h"
#include "platform/verified_copy.h"
#include "sounds/card_readiness.h"
#include "sounds/card_space.h"
#include "sounds/copy_status.h"
#include "sounds/folder_tree.h"
#include "sounds/sound_categories.h"
#include "sounds/sound_replace.h"
#include "texts/interface_texts.h"

namespace {

// What the sounds' names end in: the copy's search pattern is "*" and this.
const char kSoundPattern[] = "*.wav";

// Until a window attaches: no panel to lock, nobody to tell, no stop.
void NoPanelToLock(bool) {}
void NoProgressToShow(const CopyProgressFigures&) {}
CopyStop NoStopRequested()
{
    return kKeepCopying;
}

CopyWindowHooks g_CopyWindow = {NoPanelToLock, NoProgressToShow, NoStopRequested};

// A ticked category as the Copy found it before writing anything.
struct PlannedCategory {
    const SoundCategory* Category;
    int SoundsFound;       // sounds its folder search found
    bool IntoSourceFolder; // its source folder is its own target folder
};

// A sound this Copy put on the card, for the last check: the source for the
// status line, its place in the copy, and what the card held when it was
// checked.
struct CopiedFile {
    char Source[kPathSize];
    char Target[kPathSize];
    int Ordinal;
    ContentDigest Digest;
};

// The sounds of the ticked folders that are not on the card when the Copy
// ends, and the first of them in copy order (for a category passed over, its
// source folder).
struct NotOnCard {
    int Count;
    int FirstOrdinal;
    char First[kPathSize];
};

// One Copy, from its plan to its end.
struct CopyJob {
    CopyWindowHooks Window;
    // The ticked categories of the page, read once, in copy order.
    PlannedCategory Planned[kCategoryCount];
    int PlannedCount;
    CardRoom Room;
    std::vector<CopiedFile> Copied;
    // The sounds the Copy has come to, in copy order: handed to the copy, or
    // passed over with their category.
    int SoundsReached;
    NotOnCard Missing;
    // The first sound a stop left unreached in the folder being copied.
    char Unreached[kPathSize];
    CopyProgressFigures Progress;
    uint64_t WorkOfEndedFiles;
    bool Stopping;
    // The folder being copied into, in long form.
    LongPath TargetFolder;
};

void NoteNotOnCard(CopyJob* job, int ordinal, int count, const char* source)
{
    NotOnCard& missing = job->Missing;
    if (missing.Count == 0 || ordinal < missing.FirstOrdinal) {
        missing.FirstOrdinal = ordinal;
        snprintf(missing.First, sizeof missing.First, "%s", source);
    }
    missing.Count += count;
}

// During long file work: how far it is, and whether to go on with it.
bool OnWorkProgress(void* context, uint64_t bytesDone)
{
    CopyJob* job = static_cast<CopyJob*>(context);
    job->Progress.Done = job->WorkOfEndedFiles + bytesDone;
    job->Window.ReportProgress(job->Progress);
    return job->Window.StopRequested() != kAbandonFileUnderWay;
}

WorkProgress ProgressOf(CopyJob* job)
{
    return {OnWorkProgress, job};
}

void EndFileWork(CopyJob* job, bool failed)
{
    job->WorkOfEndedFiles = job->Progress.Done;
    job->Progress.FileFailed = job->Progress.FileFailed || failed;
    job->Window.ReportProgress(job->Progress);
}

// At a file boundary: false once the copy is to stop.
bool KeepCopying(CopyJob* job)
{
    if (job->Window.StopRequested() != kKeepCopying)
        job->Stopping = true;
    return !job->Stopping;
}

// Only the end of the session leaves the files copied unchecked.
bool SessionEnding(const CopyJob& job)
{
    return job.Window.StopRequested() == kAbandonFileUnderWay;
}

bool IsTicked(HWND dialog, const SoundCategory& category)
{
    return ButtonCheckState(dialog, category.Check) == BST_CHECKED;
}

// The search for the sound files of a folder; false when it cannot start.
// A folder too long for the pattern has no files that could be named.
bool StartSoundSearch(FolderSearch* search, const char* folder)
{
    char pattern[kPathSize] = {};
    return FormatPath(pattern, sizeof pattern, "%s\\%s", folder, kSoundPattern) &&
           StartFolderSearch(search, pattern);
}

// Every entry the search returns is a sound to copy, but for names that
// begin with a full stop.
bool IsSound(const FolderSearch& search)
{
    return search.entry.cFileName[0] != '.';
}

// "<SaveDir>\<category's target folder>[\<name>]"; false when the path does
// not fit.
bool FormatCategoryPath(char (&path)[kPathSize], const SoundCategory& category, const char* name)
{
    return name ? FormatPath(path, sizeof path, "%s\\%s\\%s", g_Session.SaveDir,
                             category.TargetFolder, name)
                : FormatPath(path, sizeof path, "%s\\%s", g_Session.SaveDir, category.TargetFolder);
}

// The room a sound takes: what its earlier copy frees counts only where the
// Copy can replace it (it stands under its own long name, not read-only).
void CountSoundRoom(CopyJob* job, const FolderListing& target, const FolderSearch& sound)
{
    const WIN32_FIND_DATAA& entry = sound.entry;
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
            static_cast<uint64_t>(search.entry.nFileSizeHigh) << 32 | search.entry.nFileSizeLow;
        // A sound whose name or path cannot name its target fails unwritten.
        char path[kPathSize] = {};
        if (!planned->IntoSourceFolder && search.nameExact &&
            FormatCategoryPath(path, *planned->Category, search.entry.cFileName))
            CountSoundRoom(job, target, search);
    } while (NextFolderEntry(&search));
    EndFolderSearch(&search);
    return bytes;
}

// Before anything is written: the ticked categories of the page, read once;
// their folders on the card settled, so that the room is counted on a card
// put right; the sounds in each source folder, the room they take, and the
// bytes to read and write.
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

// "Copy \"<source>\" ..." in CopyStatusText.
void ComposeCopyLine(const char* source)
{
    snprintf(g_Session.CopyStatusText, sizeof g_Session.CopyStatusText, "%s%s%s",
             TextPair(MessageTable, kMsgCopyLineOpen), source,
             TextPair(MessageTable, kMsgCopyLineClose));
}

// Appends the outcome to the file's status line and shows it again.
void ShowCopyOutcome(const char* text)
{
    char* status = g_Session.CopyStatusText;
    size_t used = strlen(status);
    snprintf(status + used, sizeof g_Session.CopyStatusText - used, "%s", text);
    ShowCopyStatus(status);
}

// Reads back every file this Copy put on the card and compares it with what
// the card held when the file was checked. A file read to its end that holds
// other bytes since (a card that lies about its size writes later files over
// earlier ones) is taken from under its sound's name; one that cannot be
// read (another program holds it, the card does not answer) stays as it is.
// Either is reported; a source removed since costs nothing. Afterwards the
// status line shows again what it showed before the pass, unless the pass
// reported. A stop at a file boundary still checks what was copied; the end
// of the session leaves it.
void CheckCopiedFiles(CopyJob* job)
{
    if (job->Copied.empty() || SessionEnding(*job))
        return;
    char shown[kStatusTextSize] = {};
    snprintf(shown, sizeof shown, "%s", LastCopyStatus());
    ShowCopyStatus(TextPair(MessageTable, kMsgCheckingCopies));
    job->Progress.Total = job->WorkOfEndedFiles;
    for (const CopiedFile& file : job->Copied)
        job->Progress.Total += file.Digest.Length;
    bool reported = false;
    for (const CopiedFile& file : job->Copied) {
        if (SessionEnding(*job))
            break;
        FileCheck check = CheckFileDigest(file.Target, file.Digest, ProgressOf(job));
        // A read cut short as the session ends proves nothing against the file.
        if (check != kFileMatches && SessionEnding(*job))
            break;
        EndFileWork(job, check != kFileMatches);
        if (check == kFileMatches)
            continue;
        if (check == kFileDiffers)
            DeleteFileIfPresent(file.Target);
        NoteNotOnCard(job, file.Ordinal, 1, file.Source);
        ComposeCopyLine(file.Source);
        ShowCopyOutcome(TextPair(MessageTable, kMsgCopyFailed));
        reported = true;
    }
    if (!reported)
        ShowCopyStatus(shown);
    job->Copied.clear();
}

// Copies one sound of the category's source folder into its target folder;
// a file whose name the code page cannot hold (nameExact false) gets its
// "Failed" line.
void CopyOneFile(CopyJob* job, const PlannedCategory& planned, const char* folder,
                 const char* fileName, bool nameExact)
{
    int ordinal = job->SoundsReached++;
    char source[kPathSize] = {};
    bool fits = FormatPath(source, sizeof source, "%s\\%s", folder, fileName);
    ComposeCopyLine(source);
    ShowCopyStatus(g_Session.CopyStatusText);
    CopiedFile copied = {};
    copied.Ordinal = ordinal;
    ReplacePaths paths;
    // A path that does not fit would name another file, and so would a name
    // the code page cannot hold: such a file is not copied. The names it
    // waits under are long paths, which fit wherever its own does.
    fits = fits && nameExact && FormatCategoryPath(copied.Target, *planned.Category, fileName) &&
           ComposeSoundPaths(&paths, job->TargetFolder, fileName);
    bool verified = fits && !planned.IntoSourceFolder &&
                    CopyFileVerified(source, paths, ProgressOf(job), &copied.Digest);
    if (verified) {
        memcpy(copied.Source, source, sizeof source);
        job->Copied.push_back(copied);
    } else if (!planned.IntoSourceFolder) {
        // A sound of a folder that is its own target is on the card already.
        NoteNotOnCard(job, ordinal, 1, source);
    }
    EndFileWork(job, !verified);
    ShowCopyOutcome(TextPair(MessageTable, verified ? kMsgCopySucceeded : kMsgCopyFailed));
}

// Copies the sounds of a category's source folder into its target folder.
void CopyFolderFiles(CopyJob* job, const PlannedCategory& planned)
{
    const char* folder = CategorySlot(*planned.Category);
    FolderSearch search = {};
    if (!StartSoundSearch(&search, folder)) {
        Trace("INVALID_HANDLE_VALUE!");
        return;
    }
    char target[kPathSize] = {};
    if (!FormatCategoryPath(target, *planned.Category, nullptr) ||
        !ComposeLongFolder(job->TargetFolder, target))
        job->TargetFolder[0] = L'\0';
    bool first = true;
    do {
        const char* name = search.entry.cFileName;
        if (IsSound(search)) {
            if (!KeepCopying(job)) {
                FormatPath(job->Unreached, sizeof job->Unreached, "%s\\%s", folder, name);
                break;
            }
            Trace(first ? "Find_0:%s\r\n" : "Find_1:%s\r\n", name);
            CopyOneFile(job, planned, folder, name, search.nameExact);
        }
        first = false;
    } while (NextFolderEntry(&search));
    EndFolderSearch(&search);
}

// Copies the files of a ticked category into its folder when that was made
// (otherwise none). The sounds found in its folder before the Copy that the
// copy did not come to (the folder not made, or a stop) are not on the card,
// unless that folder is its own target.
void CopyCategoryFiles(CopyJob* job, const PlannedCategory& planned, bool folderMade)
{
    int start = job->SoundsReached;
    job->Unreached[0] = '\0';
    if (folderMade)
        CopyFolderFiles(job, planned);
    int end = start + planned.SoundsFound;
    if (end > job->SoundsReached) {
        if (!planned.IntoSourceFolder)
            NoteNotOnCard(job, job->SoundsReached, end - job->SoundsReached,
                          job->Unreached[0] ? job->Unreached : CategorySlot(*planned.Category));
        job->SoundsReached = end;
    }
}

// A Copy that put every sound of its ticked folders on the card still says
// so at its end when a folder the settings play from holds no sound.
bool ComposeNotReadyEnd(const CopyJob& job, char* text, size_t size)
{
    return job.PlannedCount > 0 && !SessionEnding(job) &&
           ComposeNotReadyLine(CheckCardReadiness(g_Session.SaveDir, g_Session.Config), text, size);
}

// When a sound of the ticked folders is not on the card, the status line
// says how many and which is the first, in place of the last file's line;
// otherwise it may say that the card is not ready.
void ShowCopySummary(const CopyJob& job)
{
    char summary[kStatusTextSize] = {};
    if (job.Missing.Count > 0)
        snprintf(summary, sizeof summary, TextPair(MessageTable, kMsgCopyIncomplete),
                 job.Missing.Count, job.SoundsReached, job.Missing.First);
    else if (!ComposeNotReadyEnd(job, summary, sizeof summary))
        return;
    ShowCopyStatus(summary);
}

// A random page has one category; only the Copy button is locked meanwhile.
void CopyRandomPage(CopyJob* job)
{
    if (job->PlannedCount == 0)
        return;
    const PlannedCategory& planned = job->Planned[0];
    g_Session.CurrentCategory = planned.Category->CategoryKey;
    if (CreateCategoryFolder() == -1) {
        CopyCategoryFiles(job, planned, false);
        ShowCopySummary(*job);
        return;
    }
    HWND copyButton = g_Session.ControlMap.CopyButton;
    EnableControl(copyButton, false);
    CopyCategoryFiles(job, planned, true);
    CheckCopiedFiles(job);
    ShowCopySummary(*job);
    EnableControl(copyButton, true);
}

// An animal page copies its ticked animals in AnimalIndex order, with the
// animal rows and the Copy button locked until the rules re-derive them.
void CopyAnimalPage(CopyJob* job)
{
    job->Window.ApplyCopyPanelRules(false);
    for (int i = 0; i < job->PlannedCount; ++i) {
        const PlannedCategory& planned = job->Planned[i];
        if (job->Stopping) {
            CopyCategoryFiles(job, planned, false);
            continue;
        }
        Trace("<SenseSpecPath[0]>%s\n", CategorySlot(*planned.Category));
        g_Session.CurrentCategory = planned.Category->CategoryKey;
        CopyCategoryFiles(job, planned, CreateCategoryFolder() != -1);
    }
    CheckCopiedFiles(job);
    ShowCopySummary(*job);
    job->Window.ApplyCopyPanelRules(true);
}

} // namespace

void SetCopyWindowHooks(const CopyWindowHooks& hooks)
{
    g_CopyWindow = hooks;
}

void CopyCheckedCategories(HWND dialog)
{
    int page = static_cast<int>(g_Session.CopyTabIndex);
    if (page >= kCopyPages) {
        g_Session.CurrentCategory = 0;
        return;
    }
    CopyJob job = {};
    job.Window = g_CopyWindow;
    job.Progress.Total = 3 * PlanCopy(&job, dialog, page);
    job.Window.ReportProgress(job.Progress);
    // A Copy that cannot fit writes nothing, not even a folder: a card
    // filled with part of the library would play only that part.
    char refusal[kStatusTextSize] = {};
    if (!RoomSuffices(job.Room, refusal, sizeof refusal))
        ShowCopyStatus(refusal);
    else if (page < kSenseSpecPage)
        CopyRandomPage(&job);
    else
        CopyAnimalPage(&job);
    g_Session.CurrentCategory = 0;
}
