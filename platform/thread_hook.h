// A hook on the messages of this thread, set for the one window it serves.
#pragma once

#include <windows.h>

struct ThreadHook {
    HHOOK Handle;
    HWND Window; // the window served; null while none is
};

// Sets the hook (of the kind SetWindowsHookEx takes) once and serves window
// with it; the window is null where the hook could not be set.
void HookForWindow(ThreadHook& hook, int kind, HOOKPROC procedure, HWND window);
// Removes the hook when window is the one served.
void UnhookForWindow(ThreadHook& hook, HWND window);
