#include "platform/text_tips.h"

#include <commctrl.h>

#include "platform/control_at_point.h"
#include "platform/thread_hook.h"

namespace {

const UINT_PTR kTipsSubclass = 1;

ThreadHook g_PointerHook = {};
HWND g_Tips = nullptr;
HWND g_Under = nullptr; // where the tips last heard the pointer
TipTextOf g_TextOf = nullptr;

// The control a person sees at the point, or the window itself: a label or
// a disabled control gets no mouse message of its own, and a frame lets the
// controls over it have theirs.
HWND UnderPointer(HWND window, POINT screen)
{
    HWND control = ControlUnderPoint(window, screen);
    return control ? control : window;
}

TTTOOLINFOA ToolOf(HWND window, HWND control, char* text)
{
    TTTOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    return tool;
}

// Tells the tips of a mouse message as if it came to the control under the
// pointer; a control the pointer comes onto takes its tip's text now (an
// empty text shows no tip). A press hides the tip, also one about to show
// (a list the press drops shows the whole items): the control takes its
// tip's text anew when the pointer next moves.
void Relay(HWND window, UINT message, WPARAM wParam, POINT screen)
{
    HWND under = UnderPointer(window, screen);
    bool press =
        message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    if (under != window && (under != g_Under || press)) {
        char text[256] = "";
        if (press || !g_TextOf(under, text, sizeof text))
            text[0] = '\0';
        TTTOOLINFOA tool = ToolOf(window, under, text);
        SendMessageA(g_Tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    g_Under = press ? nullptr : under;
    POINT client = screen;
    ScreenToClient(under, &client);
    MSG relayed = {under,
                   message,
                   wParam,
                   MAKELPARAM(client.x, client.y),
                   static_cast<DWORD>(GetMessageTime()),
                   screen};
    SendMessageA(g_Tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

// Runs as a message is taken from the queue, before it is dispatched.
LRESULT CALLBACK PointerHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    HWND window = g_PointerHook.Window;
    bool mouse = message->message >= WM_MOUSEFIRST && message->message <= WM_MOUSELAST &&
                 message->message != WM_MOUSEWHEEL && message->message != WM_MOUSEHWHEEL;
    if (code == HC_ACTION && wParam == PM_REMOVE && window && g_Tips && mouse &&
        (message->hwnd == window || IsChild(window, message->hwnd)))
        Relay(window, message->message, message->wParam, message->pt);
    return CallNextHookEx(g_PointerHook.Handle, code, wParam, lParam);
}

// The tips ask which window the pointer is over, to learn whether it is
// still on the control of the tip: the one a person sees there.
LRESULT CALLBACK TipsProc(HWND tips, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR)
{
    if (message == TTM_WINDOWFROMPOINT && g_PointerHook.Window)
        return reinterpret_cast<LRESULT>(
            UnderPointer(g_PointerHook.Window, *reinterpret_cast<const POINT*>(lParam)));
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(tips, TipsProc, kTipsSubclass);
    return DefSubclassProc(tips, message, wParam, lParam);
}

} // namespace

void ShowTextTips(HWND window, TipTextOf textOf)
{
    StopTextTips(g_PointerHook.Window);
    // Owned by the window, the tips go with it.
    g_Tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, nullptr, nullptr);
    if (!g_Tips)
        return;
    SetWindowSubclass(g_Tips, TipsProc, kTipsSubclass, 0);
    char none[] = "";
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        TTTOOLINFOA tool = ToolOf(window, child, none);
        SendMessageA(g_Tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    g_TextOf = textOf;
    g_Under = nullptr;
    HookForWindow(g_PointerHook, WH_GETMESSAGE, PointerHookProc, window);
    if (g_PointerHook.Window)
        return;
    DestroyWindow(g_Tips); // no way to hear of the pointer
    g_Tips = nullptr;
}

void StopTextTips(HWND window)
{
    if (!window || window != g_PointerHook.Window)
        return;
    UnhookForWindow(g_PointerHook, window);
    if (g_Tips)
        DestroyWindow(g_Tips);
    g_Tips = nullptr;
}

void NotePointerMove(HWND window)
{
    POINT screen;
    if (window == g_PointerHook.Window && g_Tips && GetCursorPos(&screen))
        Relay(window, WM_MOUSEMOVE, 0, screen);
}
