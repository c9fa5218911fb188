#include "platform/long_job_signals.h"

#include <shobjidl.h>

namespace {

// Made once, on the window's thread, and kept: the shell may be asked for
// it many times a second.
ITaskbarList3* g_Taskbar = nullptr;
bool g_TaskbarAsked = false;

ITaskbarList3* Taskbar()
{
    if (!g_TaskbarAsked) {
        g_TaskbarAsked = true;
        if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_ITaskbarList3, reinterpret_cast<void**>(&g_Taskbar))))
            g_Taskbar = nullptr;
        else if (FAILED(g_Taskbar->HrInit())) {
            g_Taskbar->Release();
            g_Taskbar = nullptr;
        }
    }
    return g_Taskbar;
}

// What the button shows now: each call to the shell crosses to its process,
// so only a change is sent.
struct ShownProgress {
    uint64_t Done, Total;
    bool Failed;
};
ShownProgress g_Shown = {0, 0, false};

} // namespace

void ShowTaskbarProgress(HWND window, uint64_t done, uint64_t total, bool failed)
{
    ITaskbarList3* taskbar = Taskbar();
    done = done < total ? done : total;
    if (!taskbar || total == 0 ||
        (g_Shown.Done == done && g_Shown.Total == total && g_Shown.Failed == failed))
        return;
    if (g_Shown.Total == 0 || g_Shown.Failed != failed)
        taskbar->SetProgressState(window, failed ? TBPF_ERROR : TBPF_NORMAL);
    taskbar->SetProgressValue(window, done, total);
    g_Shown = {done, total, failed};
}

void ClearTaskbarProgress(HWND window)
{
    if (ITaskbarList3* taskbar = Taskbar())
        taskbar->SetProgressState(window, TBPF_NOPROGRESS);
    g_Shown = {0, 0, false};
}

void FlashUntilForeground(HWND window)
{
    if (GetForegroundWindow() == window)
        return;
    FLASHWINFO flash = {sizeof flash, window, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
}

void BlockSessionEnd(HWND window, const char* reason)
{
    WCHAR wide[256] = {};
    if (MultiByteToWideChar(CP_ACP, 0, reason, -1, wide, 256) > 0)
        ShutdownBlockReasonCreate(window, wide);
}

void UnblockSessionEnd(HWND window)
{
    ShutdownBlockReasonDestroy(window);
}
