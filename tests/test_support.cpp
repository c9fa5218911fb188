#include "test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "model/session_state.h"
#include "resources/control_groups.h"
#include "ui/main_dialog.h"

const char* const kExpectedAnimalNames[10] = {"Dog",    "Tiger",   "Leopard",    "Human",
                                              "Lynx",   "Red fox", "Black Bear", "Bird A",
                                              "Bird B", "Bird C"};

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

std::wstring ExtendedLengthPath(const std::string& path)
{
    return L"\\\\?\\" + std::wstring(path.begin(), path.end());
}

bool WriteFileLong(const std::string& path, const Bytes& bytes)
{
    HANDLE file = CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    return CloseHandle(file) && ok;
}

namespace {

// The entries the system's search gives for a pattern, in its order.
std::vector<WIN32_FIND_DATAA> Search(const std::string& pattern)
{
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        entries.push_back(entry);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return entries;
}

void AddTree(const std::string& root, const std::string& prefix, std::set<std::string>* entries)
{
    for (const WIN32_FIND_DATAA& entry : Search(root + "\\" + prefix + "*")) {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entries->insert(prefix + name + "\\");
            AddTree(root, prefix + name + "\\", entries);
        } else {
            entries->insert(prefix + name);
        }
    }
}

} // namespace

std::set<std::string> ListTree(const std::string& root)
{
    std::set<std::string> entries;
    AddTree(root, "", &entries);
    return entries;
}

std::vector<std::string> SearchOrder(const std::string& folder)
{
    std::vector<std::string> names;
    for (const WIN32_FIND_DATAA& entry : Search(folder + "\\*.wav"))
        names.push_back(entry.cFileName);
    return names;
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

Bytes WaveOf(const std::string& payload)
{
    std::string wave = "RIFF....WAVE" + payload;
    for (int i = 0; i < 4; ++i)
        wave[4 + i] = static_cast<char>((payload.size() + 4) >> (8 * i));
    return Bytes(wave.begin(), wave.end());
}

std::string Generated(const std::string& saveDir)
{
    return "Configuration file generated in\"" + saveDir + "\": " + kConfigName;
}

std::string NotReady(int silent, int places, const std::string& first)
{
    return "Not ready: " + std::to_string(silent) + " of " + std::to_string(places) +
           " sound folders the settings play from hold no sound, first \"" + first + "\"";
}

std::string Incomplete(int missing, int sounds, const std::string& first)
{
    return "Copy incomplete: " + std::to_string(missing) + " of " + std::to_string(sounds) +
           " sounds are not on the card, first \"" + first + "\"";
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

void UseSaveDir(const std::string& folder)
{
    ASSERT_LT(folder.size(), sizeof g_Session.SaveDir);
    snprintf(g_Session.SaveDir, sizeof g_Session.SaveDir, "%s", folder.c_str());
}

HWND CreateMainDialog()
{
    static bool initialised = false;
    if (!initialised) {
        InitCommonControls();
        initialised = true;
    }
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN_DIALOG), nullptr,
                              MainDialogProc, 0);
}

void ClickAt(HWND window, int x, int y)
{
    RECT rect;
    GetWindowRect(window, &rect);
    SetCursorPos(x >= 0 ? rect.left + x : (rect.left + rect.right) / 2,
                 y >= 0 ? rect.top + y : (rect.top + rect.bottom) / 2);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

void PumpDialog(HWND dialog, DWORD milliseconds)
{
    MSG message;
    for (ULONGLONG end = GetTickCount64() + milliseconds; GetTickCount64() < end; Sleep(5)) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(dialog, &message))
                DispatchMessageA(&message);
        }
    }
}

namespace {

DWORD WINAPI RunWork(void* work)
{
    std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(work));
    (*owned)();
    return 0;
}

} // namespace

HANDLE StartThread(const std::function<void()>& work)
{
    auto* owned = new std::function<void()>(work);
    HANDLE thread = CreateThread(nullptr, 0, RunWork, owned, 0, nullptr);
    if (!thread) {
        delete owned;
        ADD_FAILURE() << "no thread, error " << GetLastError();
    }
    return thread;
}

void JoinPumping(HWND dialog, HANDLE thread)
{
    if (!thread)
        return;
    MSG message;
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(dialog, &message))
                DispatchMessageA(&message);
        }
    }
    CloseHandle(thread);
}

double AnswerTime(HWND window)
{
    ULONGLONG start = GetTickCount64();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result))
        return 5000;
    return static_cast<double>(GetTickCount64() - start);
}

void BringToFront(HWND dialog)
{
    for (ULONGLONG end = GetTickCount64() + 5000;
         GetForegroundWindow() != dialog && GetTickCount64() < end;) {
        SetForegroundWindow(dialog);
        PumpDialog(dialog, 50);
    }
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

int ComboSelection(HWND dialog, int id)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
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

FolderChoice AnswerFolder(HWND, char* path, int size)
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
    return g_Script.answerBox ? g_Script.answerBox(g_Script.boxes.back()) : IDOK;
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

const char kSettingsKey[] = "Software\\Audio Playback Settings";

RememberedLanguageValue::~RememberedLanguageValue()
{
    Set(saved_.empty() ? nullptr : saved_.c_str());
}

// The key goes with the value: nothing else lives there.
void RememberedLanguageValue::Set(const char* value)
{
    if (value)
        RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "Language", REG_SZ, value,
                        static_cast<DWORD>(strlen(value) + 1));
    else
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
}

std::string RememberedLanguageValue::Get()
{
    char value[64] = {};
    DWORD size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, "Language", RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
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
    {IDC_HOUR_00_LABEL, IDC_SENSE_PLAN_00, IDC_TIMING_A_PLAN_00, IDC_TIMING_B_PLAN_00},
    {IDC_HOUR_01_LABEL, IDC_SENSE_PLAN_01, IDC_TIMING_A_PLAN_01, IDC_TIMING_B_PLAN_01},
    {IDC_HOUR_02_LABEL, IDC_SENSE_PLAN_02, IDC_TIMING_A_PLAN_02, IDC_TIMING_B_PLAN_02},
    {IDC_HOUR_03_LABEL, IDC_SENSE_PLAN_03, IDC_TIMING_A_PLAN_03, IDC_TIMING_B_PLAN_03},
    {IDC_HOUR_04_LABEL, IDC_SENSE_PLAN_04, IDC_TIMING_A_PLAN_04, IDC_TIMING_B_PLAN_04},
    {IDC_HOUR_05_LABEL, IDC_SENSE_PLAN_05, IDC_TIMING_A_PLAN_05, IDC_TIMING_B_PLAN_05},
    {IDC_HOUR_06_LABEL, IDC_SENSE_PLAN_06, IDC_TIMING_A_PLAN_06, IDC_TIMING_B_PLAN_06},
    {IDC_HOUR_07_LABEL, IDC_SENSE_PLAN_07, IDC_TIMING_A_PLAN_07, IDC_TIMING_B_PLAN_07},
    {IDC_HOUR_08_LABEL, IDC_SENSE_PLAN_08, IDC_TIMING_A_PLAN_08, IDC_TIMING_B_PLAN_08},
    {IDC_HOUR_09_LABEL, IDC_SENSE_PLAN_09, IDC_TIMING_A_PLAN_09, IDC_TIMING_B_PLAN_09},
    {IDC_HOUR_10_LABEL, IDC_SENSE_PLAN_10, IDC_TIMING_A_PLAN_10, IDC_TIMING_B_PLAN_10},
    {IDC_HOUR_11_LABEL, IDC_SENSE_PLAN_11, IDC_TIMING_A_PLAN_11, IDC_TIMING_B_PLAN_11},
    {IDC_HOUR_12_LABEL, IDC_SENSE_PLAN_12, IDC_TIMING_A_PLAN_12, IDC_TIMING_B_PLAN_12},
    {IDC_HOUR_13_LABEL, IDC_SENSE_PLAN_13, IDC_TIMING_A_PLAN_13, IDC_TIMING_B_PLAN_13},
    {IDC_HOUR_14_LABEL, IDC_SENSE_PLAN_14, IDC_TIMING_A_PLAN_14, IDC_TIMING_B_PLAN_14},
    {IDC_HOUR_15_LABEL, IDC_SENSE_PLAN_15, IDC_TIMING_A_PLAN_15, IDC_TIMING_B_PLAN_15},
    {IDC_HOUR_16_LABEL, IDC_SENSE_PLAN_16, IDC_TIMING_A_PLAN_16, IDC_TIMING_B_PLAN_16},
    {IDC_HOUR_17_LABEL, IDC_SENSE_PLAN_17, IDC_TIMING_A_PLAN_17, IDC_TIMING_B_PLAN_17},
    {IDC_HOUR_18_LABEL, IDC_SENSE_PLAN_18, IDC_TIMING_A_PLAN_18, IDC_TIMING_B_PLAN_18},
    {IDC_HOUR_19_LABEL, IDC_SENSE_PLAN_19, IDC_TIMING_A_PLAN_19, IDC_TIMING_B_PLAN_19},
    {IDC_HOUR_20_LABEL, IDC_SENSE_PLAN_20, IDC_TIMING_A_PLAN_20, IDC_TIMING_B_PLAN_20},
    {IDC_HOUR_21_LABEL, IDC_SENSE_PLAN_21, IDC_TIMING_A_PLAN_21, IDC_TIMING_B_PLAN_21},
    {IDC_HOUR_22_LABEL, IDC_SENSE_PLAN_22, IDC_TIMING_A_PLAN_22, IDC_TIMING_B_PLAN_22},
    {IDC_HOUR_23_LABEL, IDC_SENSE_PLAN_23, IDC_TIMING_A_PLAN_23, IDC_TIMING_B_PLAN_23},
};

const ExpectedRowIds kExpectedHiddenRows[3] = {
    {IDC_TIMING_RAND_A_KEY_LABEL, IDC_TIMING_RAND_A_KEY_PICK, IDC_TIMING_RAND_A_KEY},
    {IDC_SENSE_TIMING_LABEL, IDC_SENSE_TIMING_PICK, IDC_SENSE_TIMING_CHECK},
    {IDC_TIMING_RAND_B_KEY_LABEL, IDC_TIMING_RAND_B_KEY_PICK, IDC_TIMING_RAND_B_KEY}};

namespace {

const ExpectedRowIds kRandomRows[kExpectedRandomPages] = {
    {IDC_SENSE_RAND_LABEL, IDC_SENSE_RAND_PICK, IDC_SENSE_RAND_CHECK},
    {IDC_TIMING_RAND_A_LABEL, IDC_TIMING_RAND_A_PICK, IDC_TIMING_RAND_A_CHECK},
    {IDC_TIMING_RAND_B_LABEL, IDC_TIMING_RAND_B_PICK, IDC_TIMING_RAND_B_CHECK}};

// Timing A and timing B animal rows; the sense-specified rows follow IDC_SENSE_SPEC_DOG_LABEL + 3i.
const ExpectedRowIds kTimedAnimalRows[2][10] = {
    {{IDC_TIMING_A_DOG_LABEL, IDC_TIMING_A_DOG_PICK, IDC_TIMING_A_DOG_CHECK},
     {IDC_TIMING_A_TIGER_LABEL, IDC_TIMING_A_TIGER_PICK, IDC_TIMING_A_TIGER_CHECK},
     {IDC_TIMING_A_LEOPARD_LABEL, IDC_TIMING_A_LEOPARD_PICK, IDC_TIMING_A_LEOPARD_CHECK},
     {IDC_TIMING_A_HUMAN_LABEL, IDC_TIMING_A_HUMAN_PICK, IDC_TIMING_A_HUMAN_CHECK},
     {IDC_TIMING_A_LYNX_LABEL, IDC_TIMING_A_LYNX_PICK, IDC_TIMING_A_LYNX_CHECK},
     {IDC_TIMING_A_FOX_LABEL, IDC_TIMING_A_FOX_PICK, IDC_TIMING_A_FOX_CHECK},
     {IDC_TIMING_A_BEAR_LABEL, IDC_TIMING_A_BEAR_PICK, IDC_TIMING_A_BEAR_CHECK},
     {IDC_TIMING_A_BIRD_A_LABEL, IDC_TIMING_A_BIRD_A_PICK, IDC_TIMING_A_BIRD_A_CHECK},
     {IDC_TIMING_A_BIRD_B_LABEL, IDC_TIMING_A_BIRD_B_PICK, IDC_TIMING_A_BIRD_B_CHECK},
     {IDC_TIMING_A_BIRD_C_LABEL, IDC_TIMING_A_BIRD_C_PICK, IDC_TIMING_A_BIRD_C_CHECK}},
    {{IDC_TIMING_B_DOG_LABEL, IDC_TIMING_B_DOG_PICK, IDC_TIMING_B_DOG_CHECK},
     {IDC_TIMING_B_TIGER_LABEL, IDC_TIMING_B_TIGER_PICK, IDC_TIMING_B_TIGER_CHECK},
     {IDC_TIMING_B_LEOPARD_LABEL, IDC_TIMING_B_LEOPARD_PICK, IDC_TIMING_B_LEOPARD_CHECK},
     {IDC_TIMING_B_HUMAN_LABEL, IDC_TIMING_B_HUMAN_PICK, IDC_TIMING_B_HUMAN_CHECK},
     {IDC_TIMING_B_LYNX_LABEL, IDC_TIMING_B_LYNX_PICK, IDC_TIMING_B_LYNX_CHECK},
     {IDC_TIMING_B_FOX_LABEL, IDC_TIMING_B_FOX_PICK, IDC_TIMING_B_FOX_CHECK},
     {IDC_TIMING_B_BEAR_LABEL, IDC_TIMING_B_BEAR_PICK, IDC_TIMING_B_BEAR_CHECK},
     {IDC_TIMING_B_BIRD_A_LABEL, IDC_TIMING_B_BIRD_A_PICK, IDC_TIMING_B_BIRD_A_CHECK},
     {IDC_TIMING_B_BIRD_B_LABEL, IDC_TIMING_B_BIRD_B_PICK, IDC_TIMING_B_BIRD_B_CHECK},
     {IDC_TIMING_B_BIRD_C_LABEL, IDC_TIMING_B_BIRD_C_PICK, IDC_TIMING_B_BIRD_C_CHECK}},
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
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN_DIALOG), nullptr,
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
        return {IDC_SENSE_SPEC_DOG_LABEL + 3 * row, IDC_SENSE_SPEC_DOG_PICK + 3 * row,
                IDC_SENSE_SPEC_DOG_CHECK + 3 * row};
    return kTimedAnimalRows[page - kExpectedRandomPages - 1][row];
}

TempCurrentDirectory::TempCurrentDirectory()
{
    GetCurrentDirectoryA(sizeof previous_, previous_);
    entered_ = SetCurrentDirectoryA(Path().c_str()) != 0;
}

TempCurrentDirectory::~TempCurrentDirectory()
{
    SetCurrentDirectoryA(previous_);
}

void DialogTest::SetUp()
{
    ASSERT_TRUE(start_.Entered());
    ResetSession();
    script_ = &ScriptShellDialogs();
}

void DialogTest::TearDown()
{
    CloseDialog();
    RestoreShellDialogs();
}

void DialogTest::OpenDialog()
{
    CloseDialog();
    dialog_ = CreateMainDialog();
    ASSERT_NE(dialog_, nullptr);
    Opened();
}

void DialogTest::CloseDialog()
{
    if (dialog_)
        DestroyWindow(dialog_);
    dialog_ = nullptr;
}

std::string DialogTest::Status() const
{
    return ControlText(dialog_, IDC_STATUS_LINE);
}
