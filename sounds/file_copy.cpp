#include "sounds/file_copy.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include "sounds/folder_tree.h"
#include "sounds/sound_categories.h"
#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "platform/file_ops.h"
#include "platform/trace.h"
#include "texts/interface_texts.h"

namespace {

// Painting the status line for every file costs more than copying a small
// file, so during a copy it is painted at most this often; its text is still
// set for every file.
const std::chrono::milliseconds kStatusPaintInterval(100);
CopyWindowHooks g_CopyWindow = {};
bool g_StatusHeld = false;
std::chrono::steady_clock::time_point g_LastStatusPaint;

void HoldStatusLine(bool hold)
{
    HoldPainting(g_Session.ControlMap.StatusLine, hold);
    g_StatusHeld = hold;
    g_LastStatusPaint = std::chrono::steady_clock::now();
}

void ShowCopyStatus(const char* text)
{
    SetControlText(g_Session.ControlMap.StatusLine, text);
    if (g_StatusHeld &&
        std::chrono::steady_clock::now() - g_LastStatusPaint >= kStatusPaintInterval) {
        HoldStatusLine(false);
        HoldStatusLine(true);
    }
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
        if (category.Page != page || !IsTicked(dialog, category))
            continue;
        Trace("<SenseSpecPath[0]>%s\n", CategorySlot(category));
        g_Session.CurrentCategory = category.CategoryKey;
        if (CreateCategoryFolder() != -1)
            CopyFolderFiles(CategorySlot(category));
    }
    g_CopyWindow.ApplyCopyPanelRules(true);
}

// Appends the outcome to the file's status line and shows it again.
void ShowCopyOutcome(const char* text)
{
    char* status = g_Session.CopyStatusText;
    size_t used = strlen(status);
    snprintf(status + used, sizeof g_Session.CopyStatusText - used, "%s", text);
    ShowCopyStatus(status);
}

} // namespace

void SetCopyWindowHooks(const CopyWindowHooks& hooks)
{
    g_CopyWindow = hooks;
}

void CopyCheckedCategories(HWND dialog)
{
    HoldStatusLine(true);
    if (g_Session.CopyTabIndex < kSenseSpecPage)
        CopyRandomPage(dialog, *FirstCategoryOfPage(static_cast<int>(g_Session.CopyTabIndex)));
    else if (g_Session.CopyTabIndex < kCopyPages)
        CopyAnimalPage(dialog, static_cast<int>(g_Session.CopyTabIndex));
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
    bool first = true;
    do {
        const char* name = search.entry.cFileName;
        if (name[0] != '.') {
            Trace(first ? "Find_0:%s\r\n" : "Find_1:%s\r\n", name);
            CopyOneFile(folder, name);
        }
        first = false;
    } while (NextFolderEntry(&search));
    EndFolderSearch(&search);
    return 0;
}

int CopyOneFile(const char* folder, const char* fileName)
{
    const SoundCategory* category = FindCategoryByKey(g_Session.CurrentCategory);
    char source[kPathSize] = {};
    bool fits = FormatPath(source, sizeof source, "%s\\%s", folder, fileName);
    snprintf(g_Session.CopyStatusText, sizeof g_Session.CopyStatusText, "%s%s%s",
             TextPair(MessageTable, kMsgCopyLineOpen), source,
             TextPair(MessageTable, kMsgCopyLineClose));
    ShowCopyStatus(g_Session.CopyStatusText);
    char target[kPathSize] = {};
    fits = fits && category &&
           FormatPath(target, sizeof target, "%s\\%s\\%s", g_Session.SaveDir,
                      category->TargetFolder, fileName);
    // A path that does not fit would name another file: such a file is not copied.
    bool copied = fits && CopyFileReplacing(source, target);
    ShowCopyOutcome(TextPair(MessageTable, copied ? kMsgCopySucceeded : kMsgCopyFailed));
    return copied ? 1 : 0;
}
