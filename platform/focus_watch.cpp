#include "platform/focus_watch.h"

namespace {

HHOOK g_FocusHook = nullptr;
HWND g_Watched = nullptr;
UINT g_Message = 0;

LRESULT CALLBACK FocusHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    // Posted: the window acts once the focus has moved.
    HWND gaining = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_SETFOCUS && g_Watched && gaining && IsChild(g_Watched, gaining))
        PostMessageA(g_Watched, g_Message, wParam, 0);
    return CallNextHookEx(g_FocusHook, code, wParam, lParam);
}

} // namespace

void WatchFocus(HWND window, UINT message)
{
    if (!g_FocusHook)
        g_FocusHook = SetWindowsHookExA(WH_CBT, FocusHookProc, nullptr, GetCurrentThreadId());
    g_Watched = g_FocusHook ? window : nullptr;
    g_Message = message;
}

void StopWatchingFocus(HWND window)
{
    if (window != g_Watched)
        return;
    g_Watched = nullptr;
    if (g_FocusHook && UnhookWindowsHookEx(g_FocusHook))
        g_FocusHook = nullptr;
}
