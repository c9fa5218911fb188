#include "platform/window_work.h"

#include <string>
#include <vector>

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
    std::vector<HandedChange> changes;
};
ChangeQueue g_Queue;

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

int DoHandedOverChanges()
{
    std::vector<HandedChange> changes;
    EnterCriticalSection(&g_Queue.lock);
    changes.swap(g_Queue.changes);
    LeaveCriticalSection(&g_Queue.lock);
    for (const HandedChange& handed : changes)
        handed.change(handed.window, handed.value, handed.text.c_str());
    return static_cast<int>(changes.size());
}
