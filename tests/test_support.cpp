#include "test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "model/session_state.h"
#include "ui/control_ids.h"
#include "ui/main_dialog.h"

TempFolder::TempFolder()
{
    static int counter = 0;
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    char name[MAX_PATH];
    snprintf(name, sizeof name, "%spbt%lu_%d", base, GetCurrentProcessId(), ++counter);
    path_ = name;
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    RemoveTree(path_);
}

void RemoveTree(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (strcmp(entry.cFileName, ".") && strcmp(entry.cFileName, ".."))
                RemoveTree(path + "\\" + entry.cFileName);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Bytes ReadBytes(const std::string& path)
{
    Bytes bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    unsigned char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + count);
    fclose(file);
    return bytes;
}

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

Bytes ConfigBytes()
{
    const unsigned char* image = reinterpret_cast<const unsigned char*>(&g_Session.Config);
    return Bytes(image, image + sizeof g_Session.Config);
}

Bytes DefaultConfigBytes()
{
    BroadcastConfig config = DefaultBroadcastConfig();
    const unsigned char* image = reinterpret_cast<const unsigned char*>(&config);
    return Bytes(image, image + sizeof config);
}

void ResetSession()
{
    g_Session = StartSessionState();
    g_Session.InstanceHandle = GetModuleHandleA(nullptr);
}

HWND CreateMainDialog()
{
    static bool initialised = false;
    if (!initialised) {
        InitCommonControls();
        initialised = true;
    }
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kMainDialogId), nullptr,
                              MainDialogProc, 0);
}

void SendCommand(HWND dialog, int id, int code)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void ClickButton(HWND dialog, int id)
{
    SendCommand(dialog, id, BN_CLICKED);
}

void SelectComboItem(HWND dialog, int id, int index)
{
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendCommand(dialog, id, CBN_SELCHANGE);
}

void SelectTabPage(HWND dialog, int tabId, int index)
{
    HWND tab = GetDlgItem(dialog, tabId);
    SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    NMHDR header = {};
    header.hwndFrom = tab;
    header.idFrom = static_cast<UINT_PTR>(tabId);
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageA(dialog, WM_NOTIFY, static_cast<WPARAM>(tabId), reinterpret_cast<LPARAM>(&header));
}

std::string ControlText(HWND dialog, int id)
{
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::wstring ControlTextW(HWND dialog, int id)
{
    wchar_t text[1024] = {};
    GetDlgItemTextW(dialog, id, text, 1024);
    return text;
}

bool IsShown(HWND dialog, int id)
{
    return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool IsEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != 0;
}

TraceCapture::TraceCapture() : open_(true)
{
    fflush(stdout);
    testing::internal::CaptureStdout();
}

TraceCapture::~TraceCapture()
{
    if (open_)
        testing::internal::GetCapturedStdout();
}

std::string TraceCapture::Text()
{
    fflush(stdout);
    open_ = false;
    return testing::internal::GetCapturedStdout();
}

namespace {

ShellScript g_Script;

FolderChoice AnswerFolder(char* path, int size)
{
    int request = g_Script.folderRequests++;
    if (request >= static_cast<int>(g_Script.folderAnswers.size()))
        return kFolderCancelled;
    const auto& answer = g_Script.folderAnswers[request];
    if (answer.first == kFolderChosen)
        snprintf(path, static_cast<size_t>(size), "%s", answer.second.c_str());
    return answer.first;
}

int AnswerMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    g_Script.boxes.push_back({owner, text, caption, type});
    return IDOK;
}

}  // namespace

ShellScript& ScriptShellDialogs()
{
    g_Script = ShellScript();
    AnswerShellDialogsWith(AnswerFolder, AnswerMessageBox);
    return g_Script;
}

void RestoreShellDialogs()
{
    AnswerShellDialogsWith(nullptr, nullptr);
}

std::wstring FromCodePage(const char* text, UINT codePage)
{
    wchar_t wide[1024] = {};
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, -1, wide, 1024);
    return wide;
}

std::wstring FromUtf8(const char* text)
{
    return FromCodePage(text, CP_UTF8);
}

TempCurrentDirectory::TempCurrentDirectory()
{
    GetCurrentDirectoryA(sizeof previous_, previous_);
    entered_ = SetCurrentDirectoryA(folder_.Path().c_str()) != 0;
}

TempCurrentDirectory::~TempCurrentDirectory()
{
    SetCurrentDirectoryA(previous_);
}
