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
#include "sounds/copy_job.h"
#include "sounds/copy_plan.h"
#include "sounds/copy_status.h"
#include "sounds/folder_tree.h"
#include "sounds/sound_categories.h"
#include "sounds/sound_replace.h"
#include "texts/interface_texts.h"
#include "texts/shown_language.h"

namespace {

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
        const char* name = search.Entry.cFileName;
        if (IsSound(search)) {
            if (!KeepCopying(job)) {
                FormatPath(job->Unreached, sizeof job->Unreached, "%s\\%s", folder, name);
                break;
            }
            Trace(first ? "Find_0:%s\r\n" : "Find_1:%s\r\n", name);
            CopyOneFile(job, planned, folder, name, search.NameExact);
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

void CopyCheckedCategories(HWND dialog, const CopyWindowHooks& window)
{
    int page = static_cast<int>(g_Session.CopyTabIndex);
    if (page >= kCopyPages) {
        g_Session.CurrentCategory = 0;
        return;
    }
    CopyJob job = {};
    job.Window = window;
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
