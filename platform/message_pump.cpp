#include "platform/message_pump.h"

namespace {

bool IsKeyboardMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
           (message >= 0x0240 && message <= 0x024F); // WM_TOUCH and the pointer messages
}

// The ways to ask a window to close: its close box and Alt+F4.
bool AsksToClose(const MSG& message)
{
    return (message.message == WM_NCLBUTTONDOWN && message.wParam == HTCLOSE) ||
           (message.message == WM_SYSKEYDOWN && message.wParam == VK_F4);
}

// The system menu opens from its icon, from a right click on the caption and
// from Alt+Space; its Close item then sends the close command itself.
bool OpensSystemMenu(const MSG& message)
{
    switch (message.message) {
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK: {
            return message.wParam == HTSYSMENU;
        }
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP: {
            return message.wParam == HTCAPTION || message.wParam == HTSYSMENU;
        }
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_SYSCHAR: {
            return message.wParam == VK_SPACE;
        }
        default: {
            return false;
        }
    }
}

} // namespace

void PumpMessagesDroppingInput(HWND window)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave it for the loop that owns the thread.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (IsKeyboardMessage(message.message) || IsMouseMessage(message.message)) {
            if (AsksToClose(message))
                PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            if (!OpensSystemMenu(message))
                continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
