#include "platform/focus_watch.h"

#include "platform/thread_hook.h"

namespace {

ThreadHook g_FocusHook = {};
UINT g_Message = 0;

LRESULT CALLBACK FocusHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    // Posted: the window acts once the focus has moved.
    HWND watched = g_FocusHook.Window;
    HWND gaining = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_SETFOCUS && watched && gaining && IsChild(watched, gaining))
        PostMessageA(watched, g_Message, wParam, 0);
    return CallNextHookEx(g_FocusHook.Handle, code, wParam, lParam);
}

} // namespace

void WatchFocus(HWND window, UINT message)
{
    g_Message = message;
    HookForWindow(g_FocusHook, WH_CBT, FocusHookProc, window);
}

void StopWatchingFocus(HWND window)
{
    UnhookForWindow(g_FocusHook, window);
}
