#include "platform/shell_dialogs.h"

#include <shlobj.h>

#include "platform/narrow_names.h"

namespace {

FolderBrowserAnswer g_FolderBrowserAnswer = nullptr;
MessageBoxAnswer g_MessageBoxAnswer = nullptr;

} // namespace

bool EnterShellApartment()
{
    // S_FALSE (already initialised on this thread) also has to be balanced.
    return SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void LeaveShellApartment()
{
    CoUninitialize();
}

void AnswerShellDialogsWith(FolderBrowserAnswer browser, MessageBoxAnswer messageBox)
{
    g_FolderBrowserAnswer = browser;
    g_MessageBoxAnswer = messageBox;
}

FolderChoice BrowseForFolder(HWND owner, char* path, int size)
{
    if (g_FolderBrowserAnswer)
        return g_FolderBrowserAnswer(owner, path, size);

    BROWSEINFOA request = {};
    request.hwndOwner = owner;
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&request);
    if (!item)
        return kFolderCancelled;

    // Taken wide: the narrow form of a name the code page cannot hold is a
    // best-fit look-alike of it. The path comes whole, however long, so that
    // one too long is told apart from an item that has none.
    PWSTR wide = nullptr;
    HRESULT named = SHGetNameFromIDList(item, SIGDN_FILESYSPATH, &wide);
    CoTaskMemFree(item);
    if (FAILED(named) || !wide || wide[0] == L'\0') {
        CoTaskMemFree(wide);
        return kFolderUnconvertible;
    }
    NarrowForm form = TakeNarrowPath(wide, path, size);
    CoTaskMemFree(wide);
    if (form == kNarrowInexact)
        return kFolderNameUnusable;
    return form == kNarrowExact ? kFolderChosen : kFolderPathTooLong;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    if (g_MessageBoxAnswer)
        return g_MessageBoxAnswer(owner, text, caption, type);
    return MessageBoxA(owner, text, caption, type);
}
