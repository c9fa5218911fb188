#include "platform/thread_hook.h"

void HookForWindow(ThreadHook& hook, int kind, HOOKPROC procedure, HWND window)
{
    if (!hook.handle)
        hook.handle = SetWindowsHookExA(kind, procedure, nullptr, GetCurrentThreadId());
    hook.window = hook.handle ? window : nullptr;
}

void UnhookForWindow(ThreadHook& hook, HWND window)
{
    if (window != hook.window)
        return;
    hook.window = nullptr;
    if (hook.handle && UnhookWindowsHookEx(hook.handle))
        hook.handle = nullptr;
}
