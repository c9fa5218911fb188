// Drives the built program in a process of its own, the way a person does:
// its window and controls, the shell windows it opens, the trace on its
// standard output and its exit code. Only what a person or the device could
// see is read back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "test_support.h"

// Waits until the condition holds or the time is up; true when it held.
template <typename Condition> bool WaitUntil(Condition condition, DWORD timeoutMs = 10000)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
}

// Memory inside another process, for the control messages that carry a
// pointer which Wine passes across processes as it is.
class RemoteMemory {
  public:
    RemoteMemory(HANDLE process, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    bool Valid() const
    {
        return address_ != nullptr;
    }
    char* Address(size_t offset = 0) const
    {
        return static_cast<char*>(address_) + offset;
    }
    bool Write(const void* data, size_t size, size_t offset = 0);
    bool Read(void* data, size_t size, size_t offset = 0) const;

  private:
    HANDLE process_;
    void* address_;
};

// The program, started in a start directory with its standard output in a
// trace file. A program still running when the object goes is terminated.
class RunningProgram {
  public:
    RunningProgram() = default;
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // Starts the program, ending one started before, and waits for its main
    // window; false with a reason.
    bool Start(const std::string& program, const std::string& startDir,
               const std::string& traceFile, std::string* error);
    HWND Window() const
    {
        return window_;
    }
    HANDLE Process() const
    {
        return process_.hProcess;
    }
    DWORD ProcessId() const
    {
        return process_.dwProcessId;
    }
    std::string Trace() const; // with plain line feeds
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
    bool Running() const;
    void Terminate();

    // What a person sees.
    HWND Control(int id) const;
    std::string Text(int id) const;
    std::string Caption() const;
    bool Visible(int id) const;
    bool Enabled(int id) const;
    bool Checked(int id) const;
    int ComboSelection(int id) const;
    std::string ComboItem(int id, int index) const;
    std::string ComboSelectedText(int id) const;
    int TrackbarPosition(int id) const;
    int TabSelection(int id) const;
    int TabCount(int id) const;
    std::string TabLabel(int id, int page) const;
    HWND FocusedWindow() const;
    bool InsideWindow(int id) const; // the control lies inside the client area

    // What a person does. Each returns false, after recording a failure, when
    // the control cannot be used (missing, hidden or disabled) or the
    // program did not answer.
    bool Click(int id);      // returns when the click is handled
    bool ClickLater(int id); // for buttons that open a modal window
    bool SelectComboItem(int id, int index);
    bool ClickTabPage(int tabId, int page);
    bool Focus(int id);
    void PressKey(HWND target, UINT virtualKey);
    bool Answering() const; // the window handles a message within 5 s

    // A dialog of the program owned by its main window (message box, folder
    // browser), or null when none appeared in time.
    HWND WaitForOwnedDialog(DWORD timeoutMs = 10000) const;

  private:
    void Release();
    LRESULT AskControl(int id, UINT message, WPARAM wParam, LRESULT missing) const;

    PROCESS_INFORMATION process_ = {};
    HANDLE job_ = nullptr;
    std::string traceFile_;
    HWND window_ = nullptr;
};

// Top-level dialog windows (#32770) of a process.
std::vector<HWND> DialogWindowsOf(DWORD processId);

// A message box: its caption, its text, and its OK button to close it.
struct MessageBoxSeen {
    std::string caption;
    std::string text;
};
MessageBoxSeen ReadMessageBox(HWND box);
bool CloseWithButton(HWND dialog, int buttonId);

// The shell's folder browser: walks its tree to the folder with the given
// path, selects it and presses OK. False with a reason when it cannot.
bool ChooseInFolderBrowser(const RunningProgram& program, HWND browser, const std::string& path,
                           std::string* error);

// Wine's view of the Unix temporary folder (Z:\tmp\), reached in the
// folder browser through the drive of the file-system root; the Windows
// temporary folder when there is none.
std::string ScratchBase();

// A folder below a temporary folder, created with its parents.
std::string SubFolder(const TempFolder& folder, const std::string& name);

// The full path of the program (or of its build of that name) next to the
// tests folder of this executable.
std::string ProgramPath(const std::string& name = "AudioPlaybackSettings.exe");

// A small valid PCM wave file whose samples depend on the seed.
std::vector<unsigned char> WaveFile(int seed, int samples);

// Last write time of a file; zero when it does not exist.
ULONGLONG LastWriteTime(const std::string& path);
