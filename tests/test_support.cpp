#include "test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "model/session_state.h"
#include "ui/control_ids.h"
#include "ui/main_dialog.h"

namespace {

std::string TempPath()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    return base;
}

} // namespace

TempFolder::TempFolder() : TempFolder(TempPath()) {}

TempFolder::TempFolder(const std::string& base)
{
    static int counter = 0;
    char name[MAX_PATH];
    snprintf(name, sizeof name, "%spbt%lu_%d", base.c_str(), GetCurrentProcessId(), ++counter);
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

} // namespace

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

const ExpectedHourIds kExpectedHourIds[24] = {
    {40048, 40050, 40000, 40110}, {40041, 40043, 40003, 40001}, {40054, 40056, 40006, 40004},
    {40060, 40061, 40009, 40007}, {40066, 40068, 40012, 40010}, {40072, 40074, 40015, 40013},
    {40078, 40080, 40018, 40016}, {40184, 40109, 40021, 40019}, {40086, 40088, 40024, 40022},
    {40096, 40092, 40028, 40025}, {40098, 40100, 40031, 40029}, {40104, 40105, 40035, 40032},
    {40084, 40112, 40039, 40036}, {40186, 40113, 40044, 40040}, {40116, 40118, 40051, 40045},
    {40122, 40119, 40057, 40052}, {40124, 40125, 40062, 40058}, {40128, 40130, 40069, 40063},
    {40188, 40131, 40075, 40070}, {40134, 40189, 40081, 40076}, {40138, 40140, 40089, 40082},
    {40142, 40136, 40093, 40090}, {40146, 40143, 40101, 40094}, {40148, 40149, 40106, 40102},
};

const ExpectedRowIds kExpectedHiddenRows[3] = {
    {40173, 40176, 40175}, {40064, 40065, 40067}, {40174, 40177, 40178}};

namespace {

const ExpectedRowIds kRandomRows[kExpectedRandomPages] = {
    {40179, 40180, 40181}, {40047, 40049, 40053}, {40037, 40055, 40059}};

// Timing A and timing B animal rows; the sense-specified rows follow 40207 + 3i.
const ExpectedRowIds kTimedAnimalRows[2][10] = {
    {{40114, 40115, 40117},
     {40120, 40121, 40123},
     {40126, 40127, 40129},
     {40132, 40133, 40135},
     {40137, 40139, 40141},
     {40071, 40073, 40077},
     {40085, 40083, 40079},
     {40095, 40091, 40087},
     {40103, 40099, 40097},
     {40107, 40108, 40111}},
    {{40144, 40145, 40147},
     {40158, 40159, 40160},
     {40164, 40165, 40166},
     {40170, 40171, 40172},
     {40190, 40194, 40203},
     {40150, 40156, 40157},
     {40161, 40162, 40163},
     {40167, 40168, 40169},
     {40183, 40185, 40187},
     {40204, 40205, 40206}},
};

// Leaves every control as the template made it.
INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

} // namespace

HWND CreateTemplateDialog()
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kMainDialogId), nullptr,
                              PassiveDialogProc, 0);
}

std::vector<HWND> ChildrenInTemplateOrder(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

int ExpectedRowCount(int page)
{
    return page < kExpectedRandomPages ? 1 : 10;
}

ExpectedRowIds ExpectedCopyRow(int page, int row)
{
    if (page < kExpectedRandomPages)
        return kRandomRows[page];
    if (page == kExpectedRandomPages)
        return {40207 + 3 * row, 40208 + 3 * row, 40209 + 3 * row};
    return kTimedAnimalRows[page - kExpectedRandomPages - 1][row];
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
