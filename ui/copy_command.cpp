#include "ui/copy_command.h"

#include <process.h>

#include <atomic>

#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "platform/long_job_signals.h"
#include "platform/message_pump.h"
#include "platform/trace.h"
#include "platform/window_work.h"
#include "sounds/file_copy.h"
#include "texts/interface_texts.h"
#include "texts/shown_language.h"
#include "ui/enable_rules.h"

namespace {

// What the copy's thread hands over is brought onto the window this often,
// also while a menu is open or the window is being moved.
const UINT_PTR kCopyTimer = 1;
const UINT kCopyTimerInterval = 50;
// Painting the status line for every file costs more than copying a small
// file: its text is set for every file, but it is painted at most this often.
const ULONGLONG kStatusPaintInterval = 100;
// Changes handed over are made for at most this long at a time, so that the
// window answers meanwhile however many there are.
const DWORD kChangesTimeLimit = 20;

// The window's side of the Copy under way: one at a time, as the window
// takes no input while it runs.
struct CopyUnderWay {
    HWND Dialog;
    HANDLE Thread;
    bool CloseRequested;
    bool StatusUnpainted;
    ULONGLONG LastStatusPaint;
    // Written by the copy's thread, read by the window's, and the other way
    // round.
    std::atomic<int> StopRequest;
    std::atomic<uint64_t> WorkDone;
    std::atomic<uint64_t> WorkTotal;
    std::atomic<bool> FileFailed;
};
CopyUnderWay g_Copy;

void StoreProgress(const CopyProgressFigures& figures)
{
    g_Copy.WorkDone = figures.Done;
    g_Copy.WorkTotal = figures.Total;
    g_Copy.FileFailed = figures.FileFailed;
}

CopyStop StopRequested()
{
    return static_cast<CopyStop>(g_Copy.StopRequest.load());
}

// A stop request is only ever raised: a close after the session ended does
// not bring the file under way back.
void RequestStop(CopyStop stop)
{
    int current = g_Copy.StopRequest.load();
    while (current < stop && !g_Copy.StopRequest.compare_exchange_weak(current, stop)) {
    }
}

// The window's part in the copy.
const CopyWindowHooks kWindowHooks = {ApplyCopyPanelRules, StoreProgress, StopRequested};

unsigned __stdcall CopyOnItsThread(void* dialog)
{
    CopyCheckedCategories(static_cast<HWND>(dialog), kWindowHooks);
    return 0;
}

// Makes the changes the copy handed over, paints the status line once it is
// due, and shows the progress on the taskbar.
void ShowCopyUnderWay()
{
    if (DoHandedOverChanges(kChangesTimeLimit) > 0)
        g_Copy.StatusUnpainted = true;
    ULONGLONG now = GetTickCount64();
    if (g_Copy.StatusUnpainted && now - g_Copy.LastStatusPaint >= kStatusPaintInterval) {
        HoldPainting(g_Session.ControlMap.StatusLine, false);
        HoldPainting(g_Session.ControlMap.StatusLine, true);
        g_Copy.StatusUnpainted = false;
        g_Copy.LastStatusPaint = now;
    }
    ShowTaskbarProgress(g_Copy.Dialog, g_Copy.WorkDone, g_Copy.WorkTotal, g_Copy.FileFailed);
}

void BeginCopyJob(HWND dialog)
{
    g_Copy.Dialog = dialog;
    g_Copy.CloseRequested = false;
    g_Copy.StopRequest = kKeepCopying;
    StoreProgress({0, 0, false});
    HoldPainting(g_Session.ControlMap.StatusLine, true);
    g_Copy.StatusUnpainted = false;
    g_Copy.LastStatusPaint = GetTickCount64();
    BlockSessionEnd(dialog, TextPair(MessageTable, kMsgCopyingToCard));
    SetTimer(dialog, kCopyTimer, kCopyTimerInterval, nullptr);
}

void EndCopyJob(HWND dialog)
{
    KillTimer(dialog, kCopyTimer);
    DoHandedOverChanges(INFINITE);
    HoldPainting(g_Session.ControlMap.StatusLine, false);
    ClearTaskbarProgress(dialog);
    UnblockSessionEnd(dialog);
    if (!g_Copy.CloseRequested)
        FlashUntilForeground(dialog);
    g_Copy.Dialog = nullptr;
}

// The focused control may have been disabled for the copy, which leaves the
// focus nowhere: it goes back to that control or, where it stays disabled,
// on to the next one that can take it.
void RestoreFocus(HWND dialog, HWND focused)
{
    if (!focused || GetFocus() == focused || !IsChild(dialog, focused))
        return;
    HWND target = focused;
    if (!IsWindowEnabled(target) || !IsWindowVisible(target))
        target = GetNextDlgTabItem(dialog, focused, FALSE);
    if (target)
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
}

} // namespace

void PrepareCopyStatusLine()
{
    PrepareToHoldPainting(g_Session.ControlMap.StatusLine);
}

void RunCopyCommand(HWND dialog)
{
    Trace("%s", kCopyTrace);
    HWND focused = GetFocus();
    BeginCopyJob(dialog);
    int quitCode = 0;
    bool quit = false;
    HANDLE thread =
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, CopyOnItsThread, dialog, 0, nullptr));
    if (thread) {
        g_Copy.Thread = thread;
        quit = PumpMessagesUntil(thread, dialog, &quitCode);
        g_Copy.Thread = nullptr;
        CloseHandle(thread);
    } else {
        // No thread to be had: the copy runs here, the window waits for it.
        CopyCheckedCategories(dialog, kWindowHooks);
    }
    EndCopyJob(dialog);
    RestoreFocus(dialog, focused);
    if (g_Copy.CloseRequested)
        EndDialog(dialog, 0);
    if (quit)
        PostQuitMessage(quitCode);
}

bool IsCopyRunning()
{
    return g_Copy.Dialog != nullptr;
}

void CloseWhenCopyEnds()
{
    g_Copy.CloseRequested = true;
    RequestStop(kStopAtFileBoundary);
}

void AbandonCopy()
{
    if (!g_Copy.Thread)
        return;
    RequestStop(kAbandonFileUnderWay);
    WaitAnsweringSentMessages(g_Copy.Thread);
    DoHandedOverChanges(INFINITE);
}

void OnCopyTimer(UINT_PTR timer)
{
    if (timer == kCopyTimer && g_Copy.Dialog)
        ShowCopyUnderWay();
}
