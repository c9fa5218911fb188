#include "platform/window_work.h"

#include <deque>
#include <string>

namespace {

struct HandedChange {
    WindowChange change;
    HWND window;
    int value;
    std::string text;
};

// Threads hand changes in while the window's thread takes them out.
struct ChangeQueue {
    ChangeQueue()
    {
        InitializeCriticalSection(&lock);
    }
    CRITICAL_SECTION lock;
    std::deque<HandedChange> changes;
};
ChangeQueue g_Queue;

bool TakeChange(HandedChange* handed)
{
    EnterCriticalSection(&g_Queue.lock);
    bool taken = !g_Queue.changes.empty();
    if (taken) {
        *handed = std::move(g_Queue.changes.front());
        g_Queue.changes.pop_front();
    }
    LeaveCriticalSection(&g_Queue.lock);
    return taken;
}

} // namespace

bool HandToWindowThread(WindowChange change, HWND window, int value, const char* text)
{
    if (!window || GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        return false;
    EnterCriticalSection(&g_Queue.lock);
    g_Queue.changes.push_back({change, window, value, text ? text : ""});
    LeaveCriticalSection(&g_Queue.lock);
    return true;
}

int DoHandedOverChanges(DWORD timeLimit)
{
    ULONGLONG start = GetTickCount64();
    int done = 0;
    HandedChange handed;
    while ((timeLimit == INFINITE || GetTickCount64() - start < timeLimit) && TakeChange(&handed)) {
        handed.change(handed.window, handed.value, handed.text.c_str());
        ++done;
    }
    return done;
}
