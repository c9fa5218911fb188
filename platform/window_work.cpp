#include "platform/window_work.h"

#include <deque>
#include <string>

namespace {

struct HandedChange {
    WindowChange Change;
    HWND Window;
    int Value;
    std::string Text;
};

// Threads hand changes in while the window's thread takes them out.
struct ChangeQueue {
    ChangeQueue()
    {
        InitializeCriticalSection(&Lock);
    }
    CRITICAL_SECTION Lock;
    std::deque<HandedChange> Changes;
};
ChangeQueue g_Queue;

bool TakeChange(HandedChange* handed)
{
    EnterCriticalSection(&g_Queue.Lock);
    bool taken = !g_Queue.Changes.empty();
    if (taken) {
        *handed = std::move(g_Queue.Changes.front());
        g_Queue.Changes.pop_front();
    }
    LeaveCriticalSection(&g_Queue.Lock);
    return taken;
}

} // namespace

bool HandToWindowThread(WindowChange change, HWND window, int value, const char* text)
{
    if (!window || GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        return false;
    EnterCriticalSection(&g_Queue.Lock);
    g_Queue.Changes.push_back({change, window, value, text ? text : ""});
    LeaveCriticalSection(&g_Queue.Lock);
    return true;
}

int DoHandedOverChanges(DWORD timeLimit)
{
    ULONGLONG start = GetTickCount64();
    int done = 0;
    HandedChange handed;
    while ((timeLimit == INFINITE || GetTickCount64() - start < timeLimit) && TakeChange(&handed)) {
        handed.Change(handed.Window, handed.Value, handed.Text.c_str());
        ++done;
    }
    return done;
}
