#include "platform/wheel_route.h"

#include <windowsx.h>

#include "platform/thread_hook.h"

namespace {

ThreadHook g_WheelHook = {};
WheelTaker g_Takes = nullptr;

// Runs as a message is taken from the queue, before it is dispatched; the
// message is dispatched as this leaves it.
LRESULT CALLBACK WheelHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    MSG* message = reinterpret_cast<MSG*>(lParam);
    HWND taker = g_WheelHook.Window;
    if (code == HC_ACTION && taker &&
        (message->message == WM_MOUSEWHEEL || message->message == WM_MOUSEHWHEEL) &&
        (message->hwnd == taker || IsChild(taker, message->hwnd))) {
        // A wheel message carries the pointer's place on the screen.
        POINT pointer = {GET_X_LPARAM(message->lParam), GET_Y_LPARAM(message->lParam)};
        if (g_Takes(taker, pointer))
            message->hwnd = taker;
    }
    return CallNextHookEx(g_WheelHook.Handle, code, wParam, lParam);
}

} // namespace

void RouteWheel(HWND window, WheelTaker takes)
{
    g_Takes = takes;
    HookForWindow(g_WheelHook, WH_GETMESSAGE, WheelHookProc, window);
}

void StopRoutingWheel(HWND window)
{
    UnhookForWindow(g_WheelHook, window);
}
