#include "sounds/file_copy.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "platform/file_ops.h"
#include "platform/trace.h"
#include "sounds/folder_tree.h"
#include "sounds/sound_categories.h"
#include "texts/interface_texts.h"

namespace {

// A file is written under this name in its target folder first. It is an 8.3
// name that the device never takes for a sound, and no longer than the
// shortest sound name ("a.wav"), so it fits wherever the sound's path fits.
const char kCopyTempName[] = "~.TMP";
// Where an earlier copy of the sound waits while the new one takes its name.
const char kDisplacedName[] = "~.OLD";

// Painting the status line for every file costs more than copying a small
// file, so during a copy it is painted at most this often; its text is still
// set for every file.
const std::chrono::milliseconds kStatusPaintInterval(100);

// Until a window attaches: no panel to lock, no messages to handle.
void NoPanelToLock(bool) {}
bool NoMessagesToHandle()
{
    return true;
}

CopyWindowHooks g_CopyWindow = {NoPanelToLock, NoMessagesToHandle};
bool g_StatusHeld = false;
bool g_StatusPainted = true;
std::chrono::steady_clock::time_point g_LastStatusPaint;
bool g_StopCopying = false;

// The files this Copy put on the card, for the last read-back pass.
struct CopiedFile {
    char Source[kPathSize];
    char Target[kPathSize];
};
std::vector<CopiedFile> g_CopiedFiles;

void HoldStatusLine(bool hold)
{
    HoldPainting(g_Session.ControlMap.StatusLine, hold);
    g_StatusHeld = hold;
    g_StatusPainted = true;
    g_LastStatusPaint = std::chrono::steady_clock::now();
}

void PaintStatusLine()
{
    HoldStatusLine(false);
    HoldStatusLine(true);
}

// Paints a text not shown yet once the last paint is old enough: what the
// line shows is never older than that, also during a long file.
void PaintStatusLineWhenDue()
{
    if (g_StatusHeld && !g_StatusPainted &&
        std::chrono::steady_clock::now() - g_LastStatusPaint >= kStatusPaintInterval)
        PaintStatusLine();
}

void ShowCopyStatus(const char* text)
{
    SetControlText(g_Session.ControlMap.StatusLine, text);
    g_StatusPainted = false;
    PaintStatusLineWhenDue();
}

// During a long file: its line is shown once it is due, and the window
// keeps up with its messages.
void OnCopyProgress()
{
    PaintStatusLineWhenDue();
    if (!g_CopyWindow.KeepResponsive())
        g_StopCopying = true;
}

// At a file boundary: false once the copy is to stop.
bool KeepCopying()
{
    if (!g_CopyWindow.KeepResponsive())
        g_StopCopying = true;
    return !g_StopCopying;
}

bool IsTicked(HWND dialog, const SoundCategory& category)
{
    return ButtonCheckState(dialog, category.Check) == BST_CHECKED;
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
    g_CopyWindow.ApplyCopyPanelRules(true);
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

// "<SaveDir>\<target folder of CurrentCategory>\<name>"; false when there is
// no such folder or the path does not fit.
bool FormatTargetPath(char (&path)[kPathSize], const char* name)
{
    const SoundCategory* category = FindCategoryByKey(g_Session.CurrentCategory);
    return category && FormatPath(path, sizeof path, "%s\\%s\\%s", g_Session.SaveDir,
                                  category->TargetFolder, name);
}

// A card pulled during an earlier copy may have left our temporary files.
void RemoveStaleTempFiles()
{
    char temp[kPathSize] = {};
    for (const char* name : {kCopyTempName, kDisplacedName}) {
        if (FormatTargetPath(temp, name))
            DeleteFileIfPresent(temp);
    }
}

// Reads back every file this Copy put on the card. A file that changed since
// its copy was checked (a card that lies about its size writes later files
// over earlier ones) is taken from under its sound's name and reported.
void VerifyCopiedFiles()
{
    for (const CopiedFile& file : g_CopiedFiles) {
        if (FileMatchesOnMedium(file.Target, file.Source, OnCopyProgress))
            continue;
        DeleteFileIfPresent(file.Target);
        ComposeCopyLine(file.Source);
        ShowCopyOutcome(TextPair(MessageTable, kMsgCopyFailed));
    }
    g_CopiedFiles.clear();
}

} // namespace

void SetCopyWindowHooks(const CopyWindowHooks& hooks)
{
    g_CopyWindow = hooks;
}

void CopyCheckedCategories(HWND dialog)
{
    HoldStatusLine(true);
    g_StopCopying = false;
    g_CopiedFiles.clear();
    if (g_Session.CopyTabIndex < kSenseSpecPage)
        CopyRandomPage(dialog, *FirstCategoryOfPage(static_cast<int>(g_Session.CopyTabIndex)));
    else if (g_Session.CopyTabIndex < kCopyPages)
        CopyAnimalPage(dialog, static_cast<int>(g_Session.CopyTabIndex));
    VerifyCopiedFiles();
    g_Session.CurrentCategory = 0;
    HoldStatusLine(false);
}

int CopyFolderFiles(const char* folder)
{
    char pattern[kPathSize] = {};
    FolderSearch search = {};
    // A folder too long for the pattern has no files that could be named.
    if (!FormatPath(pattern, sizeof pattern, "%s\\*.wav", folder) ||
        !StartFolderSearch(&search, pattern)) {
        Trace("INVALID_HANDLE_VALUE!");
        return 0;
    }
    RemoveStaleTempFiles();
    bool first = true;
    do {
        const char* name = search.entry.cFileName;
        if (name[0] != '.') {
            if (!KeepCopying())
                break;
            Trace(first ? "Find_0:%s\r\n" : "Find_1:%s\r\n", name);
            CopyOneFile(folder, name, search.nameExact);
        }
        first = false;
    } while (NextFolderEntry(&search));
    EndFolderSearch(&search);
    return 0;
}

int CopyOneFile(const char* folder, const char* fileName, bool nameExact)
{
    char source[kPathSize] = {};
    bool fits = FormatPath(source, sizeof source, "%s\\%s", folder, fileName);
    ComposeCopyLine(source);
    ShowCopyStatus(g_Session.CopyStatusText);
    CopiedFile copied = {};
    char temp[kPathSize] = {};
    char displaced[kPathSize] = {};
    // A path that does not fit would name another file, and so would a name
    // the code page cannot hold: such a file is not copied.
    fits = fits && nameExact && FormatTargetPath(copied.Target, fileName) &&
           FormatTargetPath(temp, kCopyTempName) && FormatTargetPath(displaced, kDisplacedName);
    bool verified =
        fits && CopyFileVerified(source, copied.Target, temp, displaced, OnCopyProgress);
    if (verified) {
        memcpy(copied.Source, source, sizeof source);
        g_CopiedFiles.push_back(copied);
    }
    ShowCopyOutcome(TextPair(MessageTable, verified ? kMsgCopySucceeded : kMsgCopyFailed));
    return verified ? 1 : 0;
}
