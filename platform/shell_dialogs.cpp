#include "platform/shell_dialogs.h"

#include <shlobj.h>

#include <cstring>

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

FolderChoice BrowseForFolder(char* path, int size)
{
    if (g_FolderBrowserAnswer)
        return g_FolderBrowserAnswer(path, size);

    BROWSEINFOA request = {};
    request.hwndOwner = GetForegroundWindow();
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&request);
    if (!item)
        return kFolderCancelled;

    char chosen[MAX_PATH] = {};
    bool converted = SHGetPathFromIDListA(item, chosen) && chosen[0] != '\0';
    CoTaskMemFree(item);
    if (!converted || static_cast<int>(strlen(chosen)) >= size)
        return kFolderUnconvertible;
    memcpy(path, chosen, strlen(chosen) + 1);
    return kFolderChosen;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    if (g_MessageBoxAnswer)
        return g_MessageBoxAnswer(owner, text, caption, type);
    return MessageBoxA(owner, text, caption, type);
}
