#include "platform/message_pump.h"

namespace {

// Touch and pen messages, whose default handling makes mouse input of them.
const UINT kTouchFirst = 0x0240; // WM_TOUCH
const UINT kNonClientPointerFirst = 0x0241;
const UINT kNonClientPointerLast = 0x0243;
const UINT kTouchLast = 0x024F;
const UINT kGesture = 0x0119;

bool IsKeyboardMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

bool IsNonClientInput(UINT message)
{
    return (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
           (message >= kNonClientPointerFirst && message <= kNonClientPointerLast);
}

bool IsClientPointerInput(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= kTouchFirst && message <= kTouchLast && !IsNonClientInput(message)) ||
           message == kGesture;
}

// The system menu opens from Alt+Space; its Close item then sends the close
// command itself.
bool OpensSystemMenu(const MSG& message)
{
    return (message.message == WM_SYSKEYDOWN || message.message == WM_SYSKEYUP ||
            message.message == WM_SYSCHAR) &&
           message.wParam == VK_SPACE;
}

// Whether the message is the user's input to the window's inside; Alt+F4 is
// turned into the close command here.
bool DropsInput(const MSG& message, HWND window)
{
    if (!message.hwnd || (message.hwnd != window && !IsChild(window, message.hwnd)))
        return false;
    if (IsKeyboardMessage(message.message)) {
        if (message.message == WM_SYSKEYDOWN && message.wParam == VK_F4)
            PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return !OpensSystemMenu(message);
    }
    if (IsNonClientInput(message.message))
        return message.hwnd != window;
    return IsClientPointerInput(message.message);
}

} // namespace

bool PumpMessagesUntil(HANDLE finished, HWND window, int* quitCode)
{
    bool quit = false;
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjects(1, &finished, FALSE, INFINITE, QS_ALLINPUT);
        MSG message;
        // Input queued before the end is dropped too, not left for later.
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                *quitCode = static_cast<int>(message.wParam);
                PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
                continue;
            }
            if (DropsInput(message, window))
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (woken != WAIT_OBJECT_0 + 1 || WaitForSingleObject(finished, 0) == WAIT_OBJECT_0)
            return quit;
    }
}

void WaitAnsweringSentMessages(HANDLE finished)
{
    while (MsgWaitForMultipleObjects(1, &finished, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
