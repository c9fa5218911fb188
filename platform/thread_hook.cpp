#include "platform/thread_hook.h"

void HookForWindow(ThreadHook& hook, int kind, HOOKPROC procedure, HWND window)
{
    if (!hook.Handle)
        hook.Handle = SetWindowsHookExA(kind, procedure, nullptr, GetCurrentThreadId());
    hook.Window = hook.Handle ? window : nullptr;
}

void UnhookForWindow(ThreadHook& hook, HWND window)
{
    if (window != hook.Window)
        return;
    hook.Window = nullptr;
    if (hook.Handle && UnhookWindowsHookEx(hook.Handle))
        hook.Handle = nullptr;
}
