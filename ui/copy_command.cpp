#include "ui/copy_command.h"

#include <chrono>

#include "platform/message_pump.h"
#include "platform/trace.h"
#include "sounds/file_copy.h"
#include "texts/interface_texts.h"
#include "ui/enable_rules.h"

namespace {

// Reading the message queue more often than this costs more than it gives;
// Windows ghosts a window only after seconds without it.
const std::chrono::milliseconds kPumpInterval(20);

HWND g_CopyingDialog = nullptr;
bool g_CloseRequested = false;
std::chrono::steady_clock::time_point g_LastPump;

bool KeepWindowResponsive()
{
    auto now = std::chrono::steady_clock::now();
    if (g_CopyingDialog && now - g_LastPump >= kPumpInterval) {
        g_LastPump = now;
        PumpMessagesDroppingInput(g_CopyingDialog);
    }
    return !g_CloseRequested;
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

void AttachCopyToWindow()
{
    SetCopyWindowHooks({ApplyCopyPanelRules, KeepWindowResponsive});
}

void RunCopyCommand(HWND dialog)
{
    Trace("%s", kCopyTrace);
    HWND focused = GetFocus();
    g_CopyingDialog = dialog;
    g_CloseRequested = false;
    g_LastPump = std::chrono::steady_clock::now();
    CopyCheckedCategories(dialog);
    g_CopyingDialog = nullptr;
    RestoreFocus(dialog, focused);
    if (g_CloseRequested)
        EndDialog(dialog, 0);
}

bool IsCopyRunning()
{
    return g_CopyingDialog != nullptr;
}

void CloseWhenCopyEnds()
{
    g_CloseRequested = true;
}
