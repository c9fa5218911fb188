#include "sounds/file_copy.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "platform/file_ops.h"
#include "platform/trace.h"
#include "sounds/card_space.h"
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
// source for the status line, its place in the copy, and what the card held
// when it was checked.
struct CopiedFile {
    char Source[kPathSize];
    char Target[kPathSize];
    int Ordinal;
    ContentDigest Digest;
};
std::vector<CopiedFile> g_CopiedFiles;

// The sounds the folder search finds in each ticked category's folder before
// the Copy starts, by row of the category table.
int g_SoundsFound[kCategoryCount] = {};
// The sounds the Copy has come to, in copy order: handed to CopyOneFile, or
// passed over with their category.
int g_SoundsReached = 0;
// The first sound a stop left unreached in the folder being copied.
char g_Unreached[kPathSize] = {};

// The sounds of the ticked folders that are not on the card when the Copy
// ends, and the first of them in copy order (for a category passed over, its
// source folder).
struct NotOnCard {
    int Count;
    int FirstOrdinal;
    char First[kPathSize];
};
NotOnCard g_NotOnCard = {};

void NoteNotOnCard(int ordinal, int count, const char* source)
{
    if (g_NotOnCard.Count == 0 || ordinal < g_NotOnCard.FirstOrdinal) {
        g_NotOnCard.FirstOrdinal = ordinal;
        snprintf(g_NotOnCard.First, sizeof g_NotOnCard.First, "%s", source);
    }
    g_NotOnCard.Count += count;
}

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

// Only the end of the session leaves the files copied unchecked.
bool SessionEnding()
{
    return g_CopyWindow.StopRequested() == kAbandonFileUnderWay;
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

// Before anything is written: the sounds in each ticked folder of the page,
// the room they take on the card, and the bytes to read and write.
uint64_t PlanCopy(HWND dialog, int page)
{
    uint64_t bytes = 0;
    StartRoomCount(g_Session.SaveDir);
    for (const SoundCategory& category : kSoundCategories.Rows) {
        int& found = g_SoundsFound[&category - kSoundCategories.Rows];
        found = 0;
        FolderSearch search = {};
        if (category.Page != page || !IsTicked(dialog, category) ||
            !StartSoundSearch(&search, CategorySlot(category)))
            continue;
        do {
            if (!IsSound(search))
                continue;
            ++found;
            uint64_t size =
                static_cast<uint64_t>(search.entry.nFileSizeHigh) << 32 | search.entry.nFileSizeLow;
            bytes += size;
            // A sound whose name or path cannot name its target fails unwritten.
            char target[kPathSize] = {};
            if (search.nameExact && FormatCategoryPath(target, category, search.entry.cFileName))
                CountRoomFor(target, size);
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
// reported; one that another program holds open is reported and left as it
// is; a source removed since costs nothing. Afterwards the status line shows
// again what it showed before the pass, unless the pass reported. A stop at
// a file boundary still checks what was copied; the end of the session
// leaves it.
void CheckCopiedFiles()
{
    if (g_CopiedFiles.empty() || SessionEnding())
        return;
    char shown[kStatusTextSize] = {};
    snprintf(shown, sizeof shown, "%s", LastCopyStatus());
    ShowCopyStatus(TextPair(MessageTable, kMsgCheckingCopies));
    g_Progress.Total = g_WorkOfEndedFiles;
    for (const CopiedFile& file : g_CopiedFiles)
        g_Progress.Total += file.Digest.Length;
    bool reported = false;
    for (const CopiedFile& file : g_CopiedFiles) {
        if (SessionEnding())
            break;
        FileCheck check = CheckFileDigest(file.Target, file.Digest, OnWorkProgress);
        // A read cut short as the session ends proves nothing against the file.
        if (check != kFileMatches && SessionEnding())
            break;
        EndFileWork(check != kFileMatches);
        if (check == kFileMatches)
            continue;
        if (check == kFileDiffers)
            DeleteFileIfPresent(file.Target);
        NoteNotOnCard(file.Ordinal, 1, file.Source);
        ComposeCopyLine(file.Source);
        ShowCopyOutcome(TextPair(MessageTable, kMsgCopyFailed));
        reported = true;
    }
    if (!reported)
        ShowCopyStatus(shown);
    g_CopiedFiles.clear();
}

// Copies the files of a ticked category into its folder when that was made
// (otherwise none). The sounds found in its folder before the Copy that the
// copy did not come to (the folder not made, or a stop) are not on the card.
void CopyCategoryFiles(const SoundCategory& category, bool folderMade)
{
    int start = g_SoundsReached;
    g_Unreached[0] = '\0';
    if (folderMade)
        CopyFolderFiles(CategorySlot(category));
    int end = start + g_SoundsFound[&category - kSoundCategories.Rows];
    if (end > g_SoundsReached) {
        NoteNotOnCard(g_SoundsReached, end - g_SoundsReached,
                      g_Unreached[0] ? g_Unreached : CategorySlot(category));
        g_SoundsReached = end;
    }
}

// When a sound of the ticked folders is not on the card, the status line
// says how many and which is the first, in place of the last file's line.
void ShowCopySummary()
{
    if (g_NotOnCard.Count == 0)
        return;
    char summary[kStatusTextSize] = {};
    snprintf(summary, sizeof summary, TextPair(MessageTable, kMsgCopyIncomplete), g_NotOnCard.Count,
             g_SoundsReached, g_NotOnCard.First);
    ShowCopyStatus(summary);
}

// A random page has one category; only the Copy button is locked meanwhile.
void CopyRandomPage(HWND dialog, const SoundCategory& category)
{
    if (!IsTicked(dialog, category))
        return;
    g_Session.CurrentCategory = category.CategoryKey;
    if (CreateCategoryFolder() == -1) {
        CopyCategoryFiles(category, false);
        ShowCopySummary();
        return;
    }
    HWND copyButton = g_Session.ControlMap.CopyButton;
    EnableControl(copyButton, false);
    CopyCategoryFiles(category, true);
    CheckCopiedFiles();
    ShowCopySummary();
    EnableControl(copyButton, true);
}

// An animal page copies its ticked animals in AnimalIndex order, with the
// animal rows and the Copy button locked until the rules re-derive them.
void CopyAnimalPage(HWND dialog, int page)
{
    g_CopyWindow.ApplyCopyPanelRules(false);
    for (const SoundCategory& category : kSoundCategories.Rows) {
        if (category.Page != page || !IsTicked(dialog, category))
            continue;
        if (g_StopCopying) {
            CopyCategoryFiles(category, false);
            continue;
        }
        Trace("<SenseSpecPath[0]>%s\n", CategorySlot(category));
        g_Session.CurrentCategory = category.CategoryKey;
        CopyCategoryFiles(category, CreateCategoryFolder() != -1);
    }
    CheckCopiedFiles();
    ShowCopySummary();
    g_CopyWindow.ApplyCopyPanelRules(true);
}

// "<SaveDir>\<target folder of CurrentCategory>[\<name>]"; false when there
// is no such folder or the path does not fit.
bool FormatTargetPath(char (&path)[kPathSize], const char* name)
{
    const SoundCategory* category = FindCategoryByKey(g_Session.CurrentCategory);
    return category && FormatCategoryPath(path, *category, name);
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
    g_SoundsReached = 0;
    g_NotOnCard = {};
    int page = static_cast<int>(g_Session.CopyTabIndex);
    g_WorkOfEndedFiles = 0;
    g_Progress = {0, page < kCopyPages ? 3 * PlanCopy(dialog, page) : 0, false};
    g_CopyWindow.ReportProgress(g_Progress);
    // A Copy that cannot fit writes nothing, not even a folder: a card
    // filled with part of the library would play only that part.
    char refusal[kStatusTextSize] = {};
    if (!RoomSuffices(refusal, sizeof refusal))
        ShowCopyStatus(refusal);
    else if (g_Session.CopyTabIndex < kSenseSpecPage)
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
        if (IsSound(search)) {
            if (!KeepCopying()) {
                FormatPath(g_Unreached, sizeof g_Unreached, "%s\\%s", folder, name);
                break;
            }
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
    int ordinal = g_SoundsReached++;
    char source[kPathSize] = {};
    bool fits = FormatPath(source, sizeof source, "%s\\%s", folder, fileName);
    ComposeCopyLine(source);
    ShowCopyStatus(g_Session.CopyStatusText);
    CopiedFile copied = {};
    copied.Ordinal = ordinal;
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
    } else {
        NoteNotOnCard(ordinal, 1, source);
    }
    EndFileWork(!verified);
    ShowCopyOutcome(TextPair(MessageTable, verified ? kMsgCopySucceeded : kMsgCopyFailed));
    return verified ? 1 : 0;
}
