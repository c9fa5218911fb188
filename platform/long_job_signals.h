// What Windows shows of a window's long job: progress on its taskbar
// button, a flash when it ends out of sight, and why a log-off must wait.
#pragma once

#include <windows.h>

#include <cstdint>

// The taskbar button as a progress bar, done of total, in the error colour
// once failed. Where the taskbar offers no progress (no COM on this thread,
// an older or a different shell), nothing is shown and nothing fails.
void ShowTaskbarProgress(HWND window, uint64_t done, uint64_t total, bool failed);
void ClearTaskbarProgress(HWND window);

// Flashes the window's taskbar button until the window comes to the
// foreground; nothing when it is there already.
void FlashUntilForeground(HWND window);

// While blocked, Windows holds a log-off, restart or shutdown back and shows
// the reason (in the ANSI code page) beside the window; the window must also
// answer WM_QUERYENDSESSION with FALSE.
void BlockSessionEnd(HWND window, const char* reason);
void UnblockSessionEnd(HWND window);
