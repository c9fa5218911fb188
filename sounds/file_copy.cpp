#include "sounds/file_copy.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "platform/file_ops.h"
#include "platform/trace.h"
#include "sounds/copy_status.h"
#include "sounds/folder_tree.h"
#include "sounds/sound_categories.h"
#include "texts/interface_texts.h"

namespace {

// A file is written under this name in its target folder first. It is an 8.3
// name that the device never takes for a sound, and no longer than the
// shortest sound name ("a.wav"), so it fits wherever the sound's path fits.
const char kCopyTempName[] = "~.TMP";
// An earlier copy of a sound waits under the sound's name with this ending
// while the new copy takes the name ("Dog bark.wav.OLD"): its short (8.3)
// alias ends in it too, never in the sounds' ending, and the sound's name
// can be read back from it.
const char kDisplacedEnding[] = ".OLD";
// What the sounds' names end in: the copy's search pattern is "*" and this.
const char kSoundEnding[] = ".wav";

// Until a window attaches: no panel to lock, nobody to tell, no stop.
void NoPanelToLock(bool) {}
void NoProgressToShow(const CopyProgressFigures&) {}
CopyStop NoStopRequested()
{
    return kKeepCopying;
}

CopyWindowHooks g_CopyWindow = {NoPanelToLock, NoProgressToShow, NoStopRequested};
bool g_StopCopying = false;
// The category's source folder is its own target folder.
bool g_IntoSourceFolder = false;
// False while the folder search hands over a name that names no file: the
// code page cannot hold the file's own name.
bool g_NameNamesTheFile = true;

// The files this Copy put on the card, for the last read-back pass: the
// source for the status line, and what the card held when it was checked.
struct CopiedFile {
    char Source[kPathSize];
    char Target[kPathSize];
    ContentDigest Digest;
};
std::vector<CopiedFile> g_CopiedFiles;

CopyProgressFigures g_Progress = {};
uint64_t g_WorkOfEndedFiles = 0;

// During long file work: how far it is, and whether to go on with it.
bool OnWorkProgress(uint64_t bytesDone)
{
    g_Progress.Done = g_WorkOfEndedFiles + bytesDone;
    g_CopyWindow.ReportProgress(g_Progress);
    return g_CopyWindow.StopRequested() != kAbandonFileUnderWay;
}

void EndFileWork(bool failed)
{
    g_WorkOfEndedFiles = g_Progress.Done;
    g_Progress.FileFailed = g_Progress.FileFailed || failed;
    g_CopyWindow.ReportProgress(g_Progress);
}

// At a file boundary: false once the copy is to stop.
bool KeepCopying()
{
    if (g_CopyWindow.StopRequested() != kKeepCopying)
        g_StopCopying = true;
    return !g_StopCopying;
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
    return FormatPath(pattern, sizeof pattern, "%s\\*%s", folder, kSoundEnding) &&
           StartFolderSearch(search, pattern);
}

// What the copy of the page has to read and write.
uint64_t BytesToCopy(HWND dialog, int page)
{
    uint64_t bytes = 0;
    for (const SoundCategory& category : kSoundCategories.Rows) {
        FolderSearch search = {};
        if (category.Page != page || !IsTicked(dialog, category) ||
            !StartSoundSearch(&search, CategorySlot(category)))
            continue;
        do {
            if (search.entry.cFileName[0] != '.')
                bytes += static_cast<uint64_t>(search.entry.nFileSizeHigh) << 32 |
                         search.entry.nFileSizeLow;
        } while (NextFolderEntry(&search));
        EndFolderSearch(&search);
    }
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
// the card held when the file was checked. A file that changed since (a card
// that lies about its size writes later files over earlier ones), or that
// the card no longer returns, is taken from under its sound's name and
// reported; a source removed since costs nothing. Afterwards the status line
// shows again what it showed before the pass, unless the pass reported.
void CheckCopiedFiles()
{
    if (g_CopiedFiles.empty() || !KeepCopying())
        return;
    char shown[kStatusTextSize] = {};
    snprintf(shown, sizeof shown, "%s", LastCopyStatus());
    ShowCopyStatus(TextPair(MessageTable, kMsgCheckingCopies));
    g_Progress.Total = g_WorkOfEndedFiles;
    for (const CopiedFile& file : g_CopiedFiles)
        g_Progress.Total += file.Digest.Length;
    bool reported = false;
    for (const CopiedFile& file : g_CopiedFiles) {
        if (!KeepCopying())
            break;
        bool same = FileMatchesDigest(file.Target, file.Digest, OnWorkProgress);
        // A read cut short as the session ends proves nothing against the file.
        if (!same && g_CopyWindow.StopRequested() == kAbandonFileUnderWay)
            break;
        EndFileWork(!same);
        if (same)
            continue;
        DeleteFileIfPresent(file.Target);
        ComposeCopyLine(file.Source);
        ShowCopyOutcome(TextPair(MessageTable, kMsgCopyFailed));
        reported = true;
    }
    if (!reported)
        ShowCopyStatus(shown);
    g_CopiedFiles.clear();
}

// A random page has one category; only the Copy button is locked meanwhile.
void CopyRandomPage(HWND dialog, const SoundCategory& category)
{
    if (!IsTicked(dialog, category))
        return;
    g_Session.CurrentCategory = category.CategoryKey;
    if (CreateCategoryFolder() == -1)
        return;
    HWND copyButton = g_Session.ControlMap.CopyButton;
    EnableControl(copyButton, false);
    CopyFolderFiles(CategorySlot(category));
    CheckCopiedFiles();
    EnableControl(copyButton, true);
}

// An animal page copies its ticked animals in AnimalIndex order, with the
// animal rows and the Copy button locked until the rules re-derive them.
void CopyAnimalPage(HWND dialog, int page)
{
    g_CopyWindow.ApplyCopyPanelRules(false);
    for (const SoundCategory& category : kSoundCategories.Rows) {
        if (category.Page != page || !IsTicked(dialog, category) || g_StopCopying)
            continue;
        Trace("<SenseSpecPath[0]>%s\n", CategorySlot(category));
        g_Session.CurrentCategory = category.CategoryKey;
        if (CreateCategoryFolder() != -1)
            CopyFolderFiles(CategorySlot(category));
    }
    CheckCopiedFiles();
    g_CopyWindow.ApplyCopyPanelRules(true);
}

// "<SaveDir>\<target folder of CurrentCategory>[\<name>]"; false when there
// is no such folder or the path does not fit.
bool FormatTargetPath(char (&path)[kPathSize], const char* name)
{
    const SoundCategory* category = FindCategoryByKey(g_Session.CurrentCategory);
    if (!category)
        return false;
    return name
               ? FormatPath(path, sizeof path, "%s\\%s\\%s", g_Session.SaveDir,
                            category->TargetFolder, name)
               : FormatPath(path, sizeof path, "%s\\%s", g_Session.SaveDir, category->TargetFolder);
}

// Whether a name ends in ending, letters in either case.
bool EndsWith(const char* name, const char* ending)
{
    size_t length = strlen(name), tail = strlen(ending);
    return length >= tail && _stricmp(name + length - tail, ending) == 0;
}

// The sound's name of a file found as "<sound's name>.OLD", in sound; false
// where there is none that a copy could have given: no name left, a name
// beginning with a full stop (never copied), no sound's ending, or a name
// the code page cannot hold. Such a file is not ours and stays as it is.
bool DisplacedSoundName(const FolderSearch& search, char (&sound)[kPathSize])
{
    const char* name = search.entry.cFileName;
    if (!search.nameExact || (search.entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        name[0] == '.' || !EndsWith(name, kDisplacedEnding))
        return false;
    size_t length = strlen(name) - strlen(kDisplacedEnding);
    snprintf(sound, sizeof sound, "%.*s", static_cast<int>(length), name);
    return EndsWith(sound, kSoundEnding);
}

// A card pulled, a program ended or a failed put-back during an earlier copy
// may have left the temporary file, which is removed, and earlier copies
// moved aside: each gets its sound's name back where that name is missing,
// or is removed where the new copy took the name. So every sound that was
// there before is there again, also when its source is gone.
void RecoverInterruptedCopy()
{
    char path[kPathSize] = {};
    if (FormatTargetPath(path, kCopyTempName))
        DeleteFileIfPresent(path);
    char pattern[kPathSize] = {};
    FolderSearch search = {};
    if (!FormatPath(path, sizeof path, "*%s", kDisplacedEnding) ||
        !FormatTargetPath(pattern, path) || !StartFolderSearch(&search, pattern))
        return;
    do {
        char sound[kPathSize] = {};
        char displaced[kPathSize] = {};
        if (DisplacedSoundName(search, sound) && FormatTargetPath(path, sound) &&
            FormatTargetPath(displaced, search.entry.cFileName))
            SettleDisplaced(displaced, path);
    } while (NextFolderEntry(&search));
    EndFolderSearch(&search);
}

} // namespace

void SetCopyWindowHooks(const CopyWindowHooks& hooks)
{
    g_CopyWindow = hooks;
}

void CopyCheckedCategories(HWND dialog)
{
    g_StopCopying = false;
    g_CopiedFiles.clear();
    int page = static_cast<int>(g_Session.CopyTabIndex);
    g_WorkOfEndedFiles = 0;
    g_Progress = {0, page < kCopyPages ? 3 * BytesToCopy(dialog, page) : 0, false};
    g_CopyWindow.ReportProgress(g_Progress);
    if (g_Session.CopyTabIndex < kSenseSpecPage)
        CopyRandomPage(dialog, *FirstCategoryOfPage(page));
    else if (g_Session.CopyTabIndex < kCopyPages)
        CopyAnimalPage(dialog, page);
    g_Session.CurrentCategory = 0;
}

int CopyFolderFiles(const char* folder)
{
    FolderSearch search = {};
    if (!StartSoundSearch(&search, folder)) {
        Trace("INVALID_HANDLE_VALUE!");
        return 0;
    }
    // Copying a folder into itself would put each file aside onto itself:
    // every file fails, as the system's own copy says, and nothing changes.
    char target[kPathSize] = {};
    g_IntoSourceFolder = FormatTargetPath(target, nullptr) && IsSameFile(folder, target);
    if (!g_IntoSourceFolder)
        RecoverInterruptedCopy();
    bool first = true;
    do {
        const char* name = search.entry.cFileName;
        if (name[0] != '.') {
            if (!KeepCopying())
                break;
            Trace(first ? "Find_0:%s\r\n" : "Find_1:%s\r\n", name);
            g_NameNamesTheFile = search.nameExact;
            CopyOneFile(folder, name);
            g_NameNamesTheFile = true;
        }
        first = false;
    } while (NextFolderEntry(&search));
    EndFolderSearch(&search);
    return 0;
}

int CopyOneFile(const char* folder, const char* fileName)
{
    char source[kPathSize] = {};
    bool fits = FormatPath(source, sizeof source, "%s\\%s", folder, fileName);
    ComposeCopyLine(source);
    ShowCopyStatus(g_Session.CopyStatusText);
    CopiedFile copied = {};
    char temp[kPathSize] = {};
    char displaced[kPathSize] = {};
    // A path that does not fit would name another file, and so would a name
    // the code page cannot hold: such a file is not copied. Nor is one whose
    // displaced name does not fit, before anything moves.
    fits = fits && g_NameNamesTheFile && FormatTargetPath(copied.Target, fileName) &&
           FormatTargetPath(temp, kCopyTempName) &&
           FormatPath(displaced, sizeof displaced, "%s%s", copied.Target, kDisplacedEnding);
    bool verified =
        fits && !g_IntoSourceFolder &&
        CopyFileVerified(source, copied.Target, temp, displaced, OnWorkProgress, &copied.Digest);
    if (verified) {
        memcpy(copied.Source, source, sizeof source);
        g_CopiedFiles.push_back(copied);
    }
    EndFileWork(!verified);
    ShowCopyOutcome(TextPair(MessageTable, verified ? kMsgCopySucceeded : kMsgCopyFailed));
    return verified ? 1 : 0;
}
