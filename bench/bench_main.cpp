// Benchmark of start-up, "Copy" and "Generate", each against a baseline
// measured in the same run: the bare dialog template, a CopyFileA loop with
// and without two read-backs of each copy, and a plain 86-byte
// fopen/fwrite/fclose; how long the window leaves a message waiting while a
// copy runs; and the card readiness check, alone and as Generate runs it.
// Prints medians and ratios.
// Usage: bench_main.exe [quick] [startup] [copy] [generate] [readiness]
#include <windows.h>

#include <commctrl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "model/config_file.h"
#include "model/session_state.h"
#include "platform/digest_check.h"
#include "platform/file_ops.h"
#include "platform/shell_dialogs.h"
#include "platform/trace.h"
#include "platform/verified_copy.h"
#include "resources/control_groups.h"
#include "sounds/card_readiness.h"
#include "sounds/sound_categories.h"
#include "sounds/sound_replace.h"
#include "ui/enable_rules.h"
#include "ui/apply_texts.h"
#include "ui/main_dialog.h"
#include "ui/setting_binding.h"

namespace {

FILE* g_Out = stdout; // the report; standard output itself takes the trace
std::string g_ChosenFolder;

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Lets queued messages (paints, destruction) run outside the timed parts.
void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

FolderChoice AnswerFolder(HWND, char* path, int size)
{
    snprintf(path, static_cast<size_t>(size), "%s", g_ChosenFolder.c_str());
    return kFolderChosen;
}

int AnswerMessageBox(HWND, const char*, const char*, UINT)
{
    return IDOK;
}

// MainDialogProc with the time spent in its WM_INITDIALOG handling noted.
double g_InitSeconds = 0;

INT_PTR CALLBACK TimedMainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return MainDialogProc(dialog, message, wParam, lParam);
    double start = Now();
    INT_PTR result = MainDialogProc(dialog, message, wParam, lParam);
    g_InitSeconds = Now() - start;
    return result;
}

INT_PTR CALLBACK BareDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

void ResetSession()
{
    g_Session = StartSessionState();
    g_Session.InstanceHandle = GetModuleHandleA(nullptr);
}

HWND CreateDialogWith(DLGPROC procedure)
{
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN_DIALOG), nullptr,
                              procedure, 0);
}

std::string TempRoot()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%sbench%lu", base, GetCurrentProcessId());
    CreateDirectoryA(path, nullptr);
    return path;
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool MakeFiles(const std::string& folder, int count, size_t size)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<unsigned char> bytes(size);
    for (int i = 0; i < count; ++i) {
        for (size_t j = 0; j < size; j += 4096)
            bytes[j] = static_cast<unsigned char>(i + j / 4096);
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%s\\tone%05d.wav", folder.c_str(), i);
        FILE* file = fopen(path, "wb");
        if (!file || fwrite(bytes.data(), 1, size, file) != size) {
            if (file)
                fclose(file);
            fprintf(g_Out, "cannot write %s\n", path);
            return false;
        }
        fclose(file);
    }
    return true;
}

void Report(const char* what, double measured, const char* baselineName, double baseline,
            const char* unit, double scale)
{
    fprintf(g_Out, "  %-34s %10.3f %s   %-24s %10.3f %s   ratio %.3f\n", what, measured * scale,
            unit, baselineName, baseline * scale, unit, measured / baseline);
}

// Start-up: the real dialog with its whole WM_INITDIALOG work against the
// same template with a procedure that does nothing.
void BenchStartUp(int rounds, const std::string& startDir)
{
    SetCurrentDirectoryA(startDir.c_str());
    std::vector<double> full, bare, init;
    for (int round = 0; round < rounds + 2; ++round) {
        ResetSession();
        double start = Now();
        HWND dialog = CreateDialogWith(TimedMainDialogProc);
        double middle = Now();
        DestroyWindow(dialog);
        PumpMessages();
        double bareStart = Now();
        HWND plain = CreateDialogWith(BareDialogProc);
        double end = Now();
        DestroyWindow(plain);
        PumpMessages();
        if (round >= 2) { // the first rounds warm up caches and the X server
            full.push_back(middle - start);
            bare.push_back(end - bareStart);
            init.push_back(g_InitSeconds);
        }
    }
    double fullTime = Median(full);
    double bareTime = Median(bare);
    fprintf(g_Out, "start-up (median of %d)\n", rounds);
    Report("main dialog, WM_INITDIALOG work", fullTime, "bare template", bareTime, "ms", 1000.0);
    fprintf(g_Out,
            "  start-up work adds %.2f of the bare creation time (goal <= 0.50); "
            "WM_INITDIALOG itself %.2f ms\n",
            (fullTime - bareTime) / bareTime, Median(init) * 1000);

    // Where the work goes: each step once more on a created dialog. The
    // combo boxes are filled a second time, as the rules run a second time.
    std::vector<double> texts, binding, visibility, rules, config;
    for (int round = 0; round < rounds; ++round) {
        ResetSession();
        HWND dialog = CreateDialogWith(MainDialogProc);
        double t0 = Now();
        ApplyInterfaceTexts(dialog);
        double t1 = Now();
        BindSettingControls(dialog);
        double t2 = Now();
        ApplyCopyPageVisibility();
        double t3 = Now();
        ApplyEnableRules();
        double t4 = Now();
        ReadConfigFile();
        double t5 = Now();
        texts.push_back(t1 - t0);
        binding.push_back(t2 - t1);
        visibility.push_back(t3 - t2);
        rules.push_back(t4 - t3);
        config.push_back(t5 - t4);
        DestroyWindow(dialog);
        PumpMessages();
    }
    fprintf(g_Out,
            "  steps, repeated on a live dialog: texts %.2f ms, binding %.2f ms, visibility "
            "%.2f ms, rules %.2f ms, config read %.2f ms\n",
            Median(texts) * 1000, Median(binding) * 1000, Median(visibility) * 1000,
            Median(rules) * 1000, Median(config) * 1000);
}

// Reads path back past the file cache, in sector-aligned 1 MiB chunks, and
// compares it with the source read through the cache.
bool ReadBackMatches(const std::string& path, const std::string& source)
{
    static unsigned char* chunks = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, 2 << 20, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    HANDLE medium = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_NO_BUFFERING, nullptr);
    HANDLE reference = CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    bool same = medium != INVALID_HANDLE_VALUE && reference != INVALID_HANDLE_VALUE;
    for (DWORD got = 1 << 20; same && got == 1 << 20;) {
        DWORD expected = 0;
        same = ReadFile(medium, chunks, 1 << 20, &got, nullptr) &&
               ReadFile(reference, chunks + (1 << 20), 1 << 20, &expected, nullptr) &&
               got == expected && memcmp(chunks, chunks + (1 << 20), got) == 0;
    }
    if (medium != INVALID_HANDLE_VALUE)
        CloseHandle(medium);
    if (reference != INVALID_HANDLE_VALUE)
        CloseHandle(reference);
    return same;
}

// A new main dialog with playback on, saving into saveDir, and source chosen
// for the Random on Sense page.
HWND DialogReadyToCopy(const std::string& source, const std::string& saveDir)
{
    ResetSession();
    HWND dialog = CreateDialogWith(MainDialogProc);
    snprintf(g_Session.SaveDir, sizeof g_Session.SaveDir, "%s", saveDir.c_str());
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ON_RADIO, BN_CLICKED), 0);
    g_ChosenFolder = source;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kSenseRandRowIds.PickButton, BN_CLICKED), 0);
    return dialog;
}

// How the window is while the Copy runs: as the user sees it, with the
// status line's redraw off (its texts are set but not painted), or hidden.
enum CopyView { kShown, kStatusRedrawOff, kHidden };

// One Copy of the Random on Sense page from source into saveDir.
double ProductCopy(const std::string& source, const std::string& saveDir, CopyView view)
{
    HWND dialog = DialogReadyToCopy(source, saveDir);
    HWND status = GetDlgItem(dialog, IDC_STATUS_LINE);
    if (view == kStatusRedrawOff)
        SendMessageA(status, WM_SETREDRAW, FALSE, 0);
    if (view == kHidden)
        ShowWindow(dialog, SW_HIDE);
    // A window just shown is still being mapped and painted for a while; a
    // user's window has long settled when Copy is pressed.
    for (int wait = 0; wait < 10; ++wait) {
        PumpMessages();
        Sleep(20);
    }
    double start = Now();
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_COPY_BUTTON, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_COPY_BUTTON)));
    double elapsed = Now() - start;
    if (view == kStatusRedrawOff)
        SendMessageA(status, WM_SETREDRAW, TRUE, 0);
    DestroyWindow(dialog);
    PumpMessages();
    return elapsed;
}

// Writes what the system still caches of a file out to the medium. On
// Windows an unbuffered read of a file does so itself; under Wine it does
// not, so the verified baseline flushes explicitly, as any verified copy must.
bool Flush(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    bool flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return flushed;
}

// The same files into the same folder with nothing but the search and
// CopyFileA; with verify, each copy is also flushed, read back twice past
// the file cache and compared with its source: the least a verified copy
// can cost.
double PlainCopy(const std::string& source, const std::string& saveDir, bool verify)
{
    double start = Now();
    CreateDirectoryA((saveDir + "\\audio").c_str(), nullptr);
    std::string target = saveDir + "\\audio\\SenseRand";
    CreateDirectoryA(target.c_str(), nullptr);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((source + "\\*.wav").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string from = source + "\\" + entry.cFileName;
            std::string to = target + "\\" + entry.cFileName;
            CopyFileA(from.c_str(), to.c_str(), FALSE);
            if (verify && !(Flush(to) && ReadBackMatches(to, from) && ReadBackMatches(to, from)))
                fprintf(g_Out, "baseline read-back differs: %s\n", to.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    return Now() - start;
}

struct Spread {
    double least, median, most;
};

Spread SpreadOf(const std::vector<double>& values)
{
    return {*std::min_element(values.begin(), values.end()), Median(values),
            *std::max_element(values.begin(), values.end())};
}

void BenchCopy(const char* label, const std::string& root, int count, size_t size, int rounds)
{
    std::string source = root + "\\source";
    std::string saveDir = root + "\\card";
    if (!MakeFiles(source, count, size))
        return;
    // The three views, then the CopyFileA loop, then the loop with read-backs.
    const int kPlain = 3, kVerified = 4, kSides = 5;
    std::vector<double> times[kSides];
    for (int round = 0; round < rounds + 1; ++round) {
        // Vary the order so that no side always finds warmer caches or
        // follows the same side (whose files are deleted just before it);
        // with a prime number of sides every stride gives each side once.
        int stride = 1 + round % (kSides - 1);
        for (int step = 0; step < kSides; ++step) {
            RemoveTree(saveDir);
            CreateDirectoryA(saveDir.c_str(), nullptr);
            int side = (step * stride + round) % kSides;
            double elapsed = side < kPlain
                                 ? ProductCopy(source, saveDir, static_cast<CopyView>(side))
                                 : PlainCopy(source, saveDir, side == kVerified);
            if (round > 0)
                times[side].push_back(elapsed);
        }
    }
    RemoveTree(saveDir);
    RemoveTree(source);
    double megabytes = static_cast<double>(count) * static_cast<double>(size) / (1024.0 * 1024.0);
    fprintf(g_Out, "copy %s (%d rounds; least / median / most)\n", label, rounds);
    const char* names[kSides] = {"Copy button, verified", "  status redraw off", "  window hidden",
                                 "CopyFileA loop", "CopyFileA+flush+2 reads"};
    for (int side : {int(kShown), kPlain, kVerified}) {
        Spread spread = SpreadOf(times[side]);
        fprintf(g_Out, "  %-26s %7.3f / %7.3f / %7.3f s  %6.1f MB/s\n", names[side], spread.least,
                spread.median, spread.most, megabytes / spread.median);
    }
    double product = Median(times[kShown]);
    Spread verified = SpreadOf(times[kVerified]), shown = SpreadOf(times[kShown]);
    fprintf(g_Out,
            "  throughput of the verified baseline: %.2f (goal >= 0.95); least %.2f, most %.2f; "
            "of the plain CopyFileA loop: %.2f (what verification costs)\n",
            verified.median / product, verified.least / shown.least, verified.most / shown.most,
            Median(times[kPlain]) / product);
    fprintf(g_Out,
            "  of the verified baseline with the status line's redraw off %.2f, with the window "
            "hidden %.2f\n",
            Median(times[kVerified]) / Median(times[kStatusRedrawOff]),
            Median(times[kVerified]) / Median(times[kHidden]));
}

// How long a message posted to the window waits while a copy runs: a thread
// posts the time of posting every 20 ms; the window notes when it handles
// it, and whether the last check of the copied files was running then.
const UINT kStampMessage = WM_APP + 7;
std::vector<double> g_Delays;
std::vector<double> g_DelaysInLastCheck;
HWND g_StatusLine = nullptr;

LRESULT CALLBACK NoteDelay(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR)
{
    if (message == kStampMessage) {
        LARGE_INTEGER posted;
        posted.LowPart = static_cast<DWORD>(wParam);
        posted.HighPart = static_cast<LONG>(lParam);
        LARGE_INTEGER frequency, now;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&now);
        double delay = static_cast<double>(now.QuadPart - posted.QuadPart) /
                       static_cast<double>(frequency.QuadPart);
        char status[64] = {};
        GetWindowTextA(g_StatusLine, status, sizeof status);
        bool checking = strncmp(status, "Checking", 8) == 0;
        (checking ? g_DelaysInLastCheck : g_Delays).push_back(delay);
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

struct Poster {
    HWND window;
    volatile bool stop;
};

DWORD WINAPI PostStamps(void* context)
{
    Poster* poster = static_cast<Poster*>(context);
    while (!poster->stop) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        PostMessageA(poster->window, kStampMessage, now.LowPart, now.HighPart);
        Sleep(20);
    }
    return 0;
}

void ReportDelays(const char* when, const std::vector<double>& delays)
{
    if (delays.empty())
        return;
    Spread spread = SpreadOf(delays);
    fprintf(g_Out,
            "  %s (%u messages): median %.1f ms (goal < 50), most %.1f ms (goal < 250), least "
            "%.1f ms\n",
            when, static_cast<unsigned>(delays.size()), spread.median * 1000, spread.most * 1000,
            spread.least * 1000);
}

// Presses the button the given times, the window's messages handled between
// presses as its message loop does, while a thread posts stamps.
void PressWhilePosting(HWND dialog, int button, int presses)
{
    g_StatusLine = GetDlgItem(dialog, IDC_STATUS_LINE);
    SetWindowSubclass(dialog, NoteDelay, 0, 0);
    PumpMessages();
    g_Delays.clear();
    g_DelaysInLastCheck.clear();
    Poster poster = {dialog, false};
    HANDLE thread = CreateThread(nullptr, 0, PostStamps, &poster, 0, nullptr);
    Sleep(30);
    for (int press = 0; press < presses; ++press) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
        PumpMessages();
    }
    poster.stop = true;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    PumpMessages();
    RemoveWindowSubclass(dialog, NoteDelay, 0);
}

void BenchMessageDelay(const char* label, const std::string& root, int count, size_t size)
{
    std::string source = root + "\\source";
    std::string saveDir = root + "\\card";
    if (!MakeFiles(source, count, size))
        return;
    CreateDirectoryA(saveDir.c_str(), nullptr);
    HWND dialog = DialogReadyToCopy(source, saveDir);
    PressWhilePosting(dialog, IDC_COPY_BUTTON, 1);
    DestroyWindow(dialog);
    PumpMessages();
    RemoveTree(saveDir);
    RemoveTree(source);
    fprintf(g_Out, "message posted during a copy of %s, until handled\n", label);
    ReportDelays("while files are copied", g_Delays);
    ReportDelays("during the last check", g_DelaysInLastCheck);
}

// Where a Copy's time goes, per file: the verified copy of each file alone
// (written, flushed, read back, given its checked name and its own, the name
// flushed), the last check of each alone, and the rest of the Copy button's
// time (its plan and settling, status lines, trace, and the hand-over between
// its threads), over the same files into a fresh folder, rounds interleaved.
void BenchCopySteps(const std::string& root, int count, size_t size, int rounds)
{
    std::string source = root + "\\steps", card = root + "\\steps-card";
    if (!MakeFiles(source, count, size))
        return;
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((source + "\\*.wav").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            names.push_back(entry.cFileName);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    std::vector<ContentDigest> digests(names.size());
    std::vector<double> copies, checks, buttons;
    for (int round = 0; round < rounds + 1; ++round) {
        RemoveTree(card);
        CreateDirectoryA(card.c_str(), nullptr);
        LongPath folder;
        ComposeLongFolder(folder, card.c_str());
        double t0 = Now();
        for (size_t i = 0; i < names.size(); ++i) {
            ReplacePaths paths;
            if (!ComposeSoundPaths(&paths, folder, names[i].c_str()) ||
                !CopyFileVerified((source + "\\" + names[i]).c_str(), paths, {}, &digests[i]))
                fprintf(g_Out, "step copy failed: %s\n", names[i].c_str());
        }
        double t1 = Now();
        for (size_t i = 0; i < names.size(); ++i) {
            if (CheckFileDigest((card + "\\" + names[i]).c_str(), digests[i], {}) != kFileMatches)
                fprintf(g_Out, "step check failed: %s\n", names[i].c_str());
        }
        double t2 = Now();
        RemoveTree(card);
        CreateDirectoryA(card.c_str(), nullptr);
        double button = ProductCopy(source, card, kShown);
        if (round > 0) {
            copies.push_back(t1 - t0);
            checks.push_back(t2 - t1);
            buttons.push_back(button);
        }
    }
    RemoveTree(card);
    RemoveTree(source);
    double perFile = 1000.0 / static_cast<double>(names.size());
    double copy = Median(copies), check = Median(checks), button = Median(buttons);
    fprintf(
        g_Out,
        "copy steps, %d files of %zu KB (median of %d rounds, per file): verified copy %.3f ms, "
        "last check %.3f ms, the rest of the Copy button %.3f ms (button %.3f ms)\n",
        count, size >> 10, rounds, copy * perFile, check * perFile,
        (button - copy - check) * perFile, button * perFile);
}

// The per-file extras of the Copy command, each alone: two status line
// texts (on the shown and on the hidden dialog) and one trace line.
void BenchPerFileParts(int calls)
{
    ResetSession();
    HWND dialog = CreateDialogWith(MainDialogProc);
    HWND status = GetDlgItem(dialog, IDC_STATUS_LINE);
    const char text[] = "Copy \"C:\\sounds\\source\\tone00001.wav\" ...Sucess";
    PumpMessages();
    double t0 = Now();
    for (int call = 0; call < calls; ++call)
        SetWindowTextA(status, text + (call & 1));
    double t1 = Now();
    SendMessageA(status, WM_SETREDRAW, FALSE, 0);
    double t5 = Now();
    for (int call = 0; call < calls; ++call)
        SetWindowTextA(status, text + (call & 1));
    double t6 = Now();
    SendMessageA(status, WM_SETREDRAW, TRUE, 0);
    ShowWindow(dialog, SW_HIDE);
    PumpMessages();
    double t2 = Now();
    for (int call = 0; call < calls; ++call)
        SetWindowTextA(status, text + (call & 1));
    double t3 = Now();
    for (int call = 0; call < calls; ++call)
        Trace("Find_1:%s\r\n", "tone00001.wav");
    double t4 = Now();
    DestroyWindow(dialog);
    PumpMessages();
    fprintf(g_Out,
            "per-file parts of Copy (%d calls each): status text shown %.3f ms, with its redraw "
            "off %.3f ms, window hidden %.3f ms; trace line %.3f ms\n",
            calls, (t1 - t0) * 1000 / calls, (t6 - t5) * 1000 / calls, (t3 - t2) * 1000 / calls,
            (t4 - t3) * 1000 / calls);
}

void BenchGenerate(const std::string& root, int calls)
{
    std::string saveDir = root + "\\generate";
    CreateDirectoryA(saveDir.c_str(), nullptr);
    ResetSession();
    HWND dialog = CreateDialogWith(MainDialogProc);
    snprintf(g_Session.SaveDir, sizeof g_Session.SaveDir, "%s", saveDir.c_str());
    std::vector<double> generate, write, read, plain;
    std::string plainPath = saveDir + "\\plain.bin";
    for (int call = 0; call < calls + 5; ++call) {
        double t0 = Now();
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_GENERATE_BUTTON, BN_CLICKED), 0);
        double t1 = Now();
        WriteConfigFile();
        double t2 = Now();
        ReadConfigFile();
        double t3 = Now();
        FILE* file = fopen(plainPath.c_str(), "wb");
        if (file) {
            fwrite(&g_Session.Config, 1, sizeof g_Session.Config, file);
            fclose(file);
        }
        double t4 = Now();
        if (call >= 5) {
            generate.push_back(t1 - t0);
            write.push_back(t2 - t1);
            read.push_back(t3 - t2);
            plain.push_back(t4 - t3);
        }
    }
    DestroyWindow(dialog);
    PumpMessages();
    RemoveTree(saveDir);
    double plainTime = Median(plain);
    fprintf(g_Out, "generate (median of %d calls)\n", calls);
    Report("Generate button", Median(generate), "fopen/fwrite/fclose", plainTime, "ms", 1000.0);
    Report("  of which WriteConfigFile", Median(write), "fopen/fwrite/fclose", plainTime, "ms",
           1000.0);
    Report("  of which ReadConfigFile", Median(read), "fopen/fwrite/fclose", plainTime, "ms",
           1000.0);
}

// Settings that play from 21 folders: the sensing plan and timing plan B
// name every animal, timing group A plays at random.
BroadcastConfig EveryFolderConfig()
{
    BroadcastConfig config = DefaultBroadcastConfig();
    config.Ena = 1;
    config.SenMod = 2;
    config.AlarmB = 1;
    for (int hour = 0; hour < kHours; ++hour)
        config.type[hour] = config.typeB[hour] = static_cast<uint8_t>(hour % kAnimals);
    return config;
}

// The sounds spread over those folders of card, each a WAV file of 2 KB;
// cut, each says it is longer than it is, so that no folder holds a sound
// and every head is read.
bool MakeCardSounds(const std::string& card, int count, bool cut)
{
    std::vector<std::string> folders;
    for (const SoundCategory& category : kSoundCategories.Rows) {
        if (category.Page == kSenseSpecPage || category.Page == kTimingBPage ||
            category.Page == kTimingRandAPage)
            folders.push_back(card + "\\" + category.TargetFolder);
    }
    for (const std::string& folder : folders) {
        if (CreateFolderTree(folder.c_str()) != 0)
            return false;
    }
    std::vector<unsigned char> bytes(2048, 0x55);
    uint32_t riffSize = static_cast<uint32_t>(bytes.size() - 8 + (cut ? 1 : 0));
    memcpy(bytes.data(), "RIFF", 4);
    memcpy(bytes.data() + 4, &riffSize, 4);
    memcpy(bytes.data() + 8, "WAVE", 4);
    for (int i = 0; i < count; ++i) {
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%s\\tone%05d.wav", folders[i % folders.size()].c_str(), i);
        FILE* file = fopen(path, "wb");
        bool written = file && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        if (file)
            fclose(file);
        if (!written) {
            fprintf(g_Out, "cannot write %s\n", path);
            return false;
        }
    }
    return true;
}

// The check of a card's readiness on its own, on a card of whole sounds
// (it stops at the first of each folder) and on one of sounds cut short;
// then how long a message posted to the window waits while Generate checks
// the second.
void BenchReadiness(const std::string& root, int count, int rounds, int generates)
{
    const BroadcastConfig config = EveryFolderConfig();
    double medians[2] = {};
    CardReadiness found[2] = {};
    for (int cut = 0; cut < 2; ++cut) {
        std::string card = root + (cut ? "\\cut-card" : "\\whole-card");
        if (!MakeCardSounds(card, count, cut != 0))
            return;
        std::vector<double> times;
        for (int round = 0; round < rounds + 1; ++round) {
            double start = Now();
            found[cut] = CheckCardReadiness(card.c_str(), config);
            if (round > 0)
                times.push_back(Now() - start);
        }
        medians[cut] = Median(times);
    }
    fprintf(g_Out,
            "card readiness check, %d sounds in %d folders (median of %d): %.1f ms whole (%d "
            "without sound), %.1f ms all cut short, every head read (%d without sound)\n",
            count, found[0].Places, rounds, medians[0] * 1000, found[0].Silent, medians[1] * 1000,
            found[1].Silent);

    ResetSession();
    HWND dialog = CreateDialogWith(MainDialogProc);
    snprintf(g_Session.SaveDir, sizeof g_Session.SaveDir, "%s\\cut-card", root.c_str());
    g_Session.Config = config;
    PressWhilePosting(dialog, IDC_GENERATE_BUTTON, generates);
    DestroyWindow(dialog);
    PumpMessages();
    RemoveTree(root + "\\whole-card");
    RemoveTree(root + "\\cut-card");
    fprintf(g_Out, "message posted during %d Generates onto that card, until handled\n", generates);
    ReportDelays("while Generate writes and checks", g_Delays);
}

} // namespace

// True when section is named on the command line, or when none is.
bool Wanted(int argc, char** argv, const char* section)
{
    bool named = false;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], section) == 0)
            return true;
        named = named || strcmp(argv[i], "quick") != 0;
    }
    return !named;
}

int main(int argc, char** argv)
{
    bool quick = false;
    for (int i = 1; i < argc; ++i)
        quick = quick || strcmp(argv[i], "quick") == 0;
    // The report keeps the original standard output; the product's trace
    // goes to a file, as when the program's output is redirected.
    std::string root = TempRoot();
    int reportHandle = _dup(_fileno(stdout));
    g_Out = _fdopen(reportHandle, "w");
    setvbuf(g_Out, nullptr, _IONBF, 0);
    if (!freopen((root + "\\trace.txt").c_str(), "w", stdout))
        fprintf(g_Out, "the trace goes to the console\n");

    InitCommonControls();
    AnswerShellDialogsWith(AnswerFolder, AnswerMessageBox);

    // The start directory holds a configuration file, as on a prepared card.
    std::string startDir = root + "\\start";
    CreateDirectoryA(startDir.c_str(), nullptr);
    BroadcastConfig config = DefaultBroadcastConfig();
    FILE* file = fopen((startDir + "\\" + kConfigFileName).c_str(), "wb");
    if (file) {
        fwrite(&config, 1, sizeof config, file);
        fclose(file);
    }

    if (Wanted(argc, argv, "startup"))
        BenchStartUp(quick ? 5 : 15, startDir);
    if (Wanted(argc, argv, "copy")) {
        BenchCopy("of 20 files of 20 MB", root, quick ? 4 : 20, 20u << 20, quick ? 2 : 11);
        BenchCopy("of 2,000 files of 50 KB", root, quick ? 200 : 2000, 50u << 10, quick ? 2 : 7);
        BenchMessageDelay("5 files of 20 MB", root, quick ? 2 : 5, 20u << 20);
        BenchMessageDelay("2,000 files of 50 KB", root, quick ? 200 : 2000, 50u << 10);
        BenchPerFileParts(quick ? 200 : 2000);
        BenchCopySteps(root, quick ? 200 : 2000, 50u << 10, quick ? 2 : 5);
    }
    if (Wanted(argc, argv, "generate"))
        BenchGenerate(root, quick ? 20 : 200);
    if (Wanted(argc, argv, "readiness"))
        BenchReadiness(root, 5000, quick ? 5 : 21, quick ? 3 : 10);

    SetCurrentDirectoryA("C:\\");
    fclose(stdout);
    RemoveTree(root);
    return 0;
}
