#include "ui/main_dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdio>
#include <cstring>

#include "sounds/source_folder.h"
#include "model/config_file.h"
#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "platform/file_ops.h"
#include "platform/shell_dialogs.h"
#include "platform/system_menu.h"
#include "platform/trace.h"
#include "texts/interface_texts.h"
#include "ui/apply_texts.h"
#include "ui/control_map_fetch.h"
#include "ui/copy_command.h"
#include "ui/enable_rules.h"
#include "ui/language_switch.h"
#include "ui/setting_binding.h"
#include "ui/window_fit.h"

namespace {

const int kVolumeMin = 1;
const int kVolumeMax = 8;

// The save directory starts as the current directory. A query that fails
// leaves SaveDir as it was; a directory that does not fit, or whose name the
// code page cannot hold, leaves "C:\", never a look-alike path. False for
// the latter, which the user is told about.
bool ReadCurrentDirectory()
{
    char buffer[kPathSize] = "C:\\";
    NarrowForm form = kNarrowExact;
    if (QueryCurrentDirectory(buffer, sizeof buffer, &form))
        memcpy(g_Session.SaveDir, buffer, sizeof buffer);
    return form != kNarrowInexact;
}

// A multi-line edit box answers Esc by closing its dialog. The save-directory
// box has the focus at start-up, so it leaves Esc to the dialog manager,
// which turns it into Cancel, which the dialog ignores.
LRESULT CALLBACK SaveDirEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR subclassId, DWORD_PTR)
{
    if (message == WM_GETDLGCODE) {
        LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
        const MSG* keyMessage = reinterpret_cast<const MSG*>(lParam);
        if (keyMessage && keyMessage->message == WM_KEYDOWN && keyMessage->wParam == VK_ESCAPE)
            code &= ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
        return code;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(edit, SaveDirEditProc, subclassId);
    return DefSubclassProc(edit, message, wParam, lParam);
}

void ShowVolumeValue()
{
    char text[16];
    snprintf(text, sizeof text, "%d", g_Session.Config.Vol);
    SetControlText(g_Session.ControlMap.VolumeValue, text);
}

BOOL OnInitDialog(HWND dialog)
{
    const ControlMap& map = g_Session.ControlMap;
    SetWindowIcons(dialog, g_Session.InstanceHandle, IDI_APP_ICON);
    FetchControlMap(dialog);
    bool startDirUsable = true;
    if (g_Session.FirstInit) {
        Trace("uwLangID=0x%04x\n", SystemLanguageId());
        StartInRememberedLanguage();
        startDirUsable = ReadCurrentDirectory();
        SetControlText(map.SaveDirEdit, g_Session.SaveDir);
        ReadConfigFile();
        g_Session.FirstInit = 0;
    }
    SetWindowSubclass(map.SaveDirEdit, SaveDirEditProc, 0, 0);
    AttachCopyToWindow();
    AddLanguageItems(dialog);
    TickButton(g_Session.Config.Ena == 1 ? map.OnRadio : map.OffRadio);
    TrackbarSetRange(map.VolumeTrackbar, kVolumeMin, kVolumeMax);
    TrackbarSetPosition(map.VolumeTrackbar, g_Session.Config.Vol);
    ShowVolumeValue();
    ApplyInterfaceTexts(dialog);
    // Told after the texts, which set the status line's idle text.
    if (!startDirUsable)
        SetControlText(map.StatusLine, TextPair(MessageTable, kMsgFolderNameUnusable));
    BindSettingControls(dialog);
    ApplyCopyPageVisibility();
    ApplyEnableRules();
    FitWindowOnOpen(dialog);
    return TRUE; // the dialog manager focuses the first tab stop
}

// Writes the configuration, confirms it by reading it back, and reports.
void OnGenerate(HWND dialog)
{
    char status[kStatusTextSize] = {};
    // A write that did not complete is a failure even when an older file of
    // that name could still be read back. The settings stay as the user set
    // them: other bytes read back are a failed write, never new settings.
    const BroadcastConfig written = g_Session.Config;
    bool generated = WriteConfigFile() == 0 && ReadConfigFile() == 0 &&
                     memcmp(&g_Session.Config, &written, sizeof written) == 0;
    g_Session.Config = written;
    if (!generated) {
        snprintf(status, sizeof status, "%s", TextPair(MessageTable, kMsgGenerateFailed));
        SetControlText(g_Session.ControlMap.StatusLine, status);
        Trace("Generate fail!\n");
        return;
    }
    snprintf(status, sizeof status, "%s%s%s%s", TextPair(MessageTable, kMsgGeneratedInOpen),
             g_Session.SaveDir, TextPair(MessageTable, kMsgGeneratedInClose), kConfigFileName);
    SetControlText(g_Session.ControlMap.StatusLine, status);
    ShowMessageBox(dialog, TextPair(MessageTable, kMsgGenerated), TextPair(MessageTable, kMsgNote),
                   MB_OK | MB_ICONINFORMATION);
}

void OnBrowse()
{
    ChooseFolder(g_Session.SaveDir, g_Session.ControlMap.SaveDirEdit);
}

void OnCommand(HWND dialog, WPARAM wParam)
{
    int id = GET_WM_COMMAND_ID(wParam, 0);
    int code = GET_WM_COMMAND_CMD(wParam, 0);
    switch (id) {
        case IDC_COPY_BUTTON: {
            RunCopyCommand(dialog);
            break;
        }
        case IDC_GENERATE_BUTTON: {
            OnGenerate(dialog);
            break;
        }
        case IDC_BROWSE_BUTTON: {
            OnBrowse();
            break;
        }
        case IDOK:
        case IDCANCEL: {
            break; // Enter and Esc do not close the window
        }
        default: {
            if (!OnSettingCommand(dialog, id, code) && !PlanComboChanged(wParam))
                SelectSourceFolder(dialog, wParam);
            break;
        }
    }
}

// The volume follows the thumb while it is dragged and after every move.
void OnVolumeScroll(WPARAM wParam)
{
    int scrollCode = LOWORD(wParam);
    if (scrollCode != TB_THUMBTRACK && scrollCode != TB_ENDTRACK)
        return;
    g_Session.Config.Vol =
        static_cast<uint8_t>(TrackbarPosition(g_Session.ControlMap.VolumeTrackbar));
    ShowVolumeValue();
}

void OnNotify(WPARAM wParam, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != static_cast<UINT>(TCN_SELCHANGE))
        return;
    const ControlMap& map = g_Session.ControlMap;
    if (wParam == IDC_PLAN_TAB) {
        g_Session.PlanTabIndex = static_cast<uint32_t>(TabSelection(map.PlanTab));
        if (g_Session.PlanTabIndex <= 2)
            ApplyPlanGridRules();
    } else if (wParam == IDC_COPY_TAB) {
        g_Session.CopyTabIndex = static_cast<uint32_t>(TabSelection(map.CopyTab));
        ApplyCopyPageVisibility();
        ApplyCopyPanelRules(g_Session.Config.Ena == 1);
    }
}

// The dialog's own scroll bar sends no handle; the volume trackbar does.
void OnHScroll(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        ScrollWindowContent(dialog, SB_HORZ, LOWORD(wParam));
    else if (!IsCopyRunning())
        OnVolumeScroll(wParam);
}

// Windows has laid the window out anew at another scale, or the display or
// its work area changed: the icons and the fit follow.
void OnDisplayChanged(HWND dialog)
{
    SetWindowIcons(dialog, g_Session.InstanceHandle, IDI_APP_ICON);
    RefitWindow(dialog);
}

// The dialog manager scales the controls and the window after this returns.
void OnDpiChanged(HWND dialog)
{
    PrepareForNewScale(dialog);
    PostMessageA(dialog, WM_APP_REFIT, 0, 0);
}

// The language items of the system menu; every other system command is left
// to Windows.
BOOL OnSysCommand(HWND dialog, WPARAM wParam)
{
    return OnLanguageCommand(dialog, SystemCommandOf(wParam));
}

void OnInitMenuPopup(HWND dialog, LPARAM lParam)
{
    if (HIWORD(lParam)) // the system menu
        UpdateLanguageItems(dialog);
}

void OnClose(HWND dialog)
{
    if (IsCopyRunning())
        CloseWhenCopyEnds();
    else
        EndDialog(dialog, 0);
}

// A log-off, restart or shutdown waits while a copy runs.
BOOL OnQueryEndSession()
{
    return !IsCopyRunning();
}

// Windows may end the process at any moment once this returns: the copy
// stops first, at a point where every sound on the card is whole.
void OnEndSession(WPARAM ending)
{
    if (ending)
        AbandonCopy();
}

} // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_INITDIALOG: {
            return SetDlgMsgResult(dialog, message, OnInitDialog(dialog));
        }
        case WM_COMMAND: {
            if (!IsCopyRunning())
                OnCommand(dialog, wParam);
            return SetDlgMsgResult(dialog, message, 0);
        }
        case WM_HSCROLL: {
            OnHScroll(dialog, wParam, lParam);
            return FALSE;
        }
        case WM_VSCROLL: {
            ScrollWindowContent(dialog, SB_VERT, LOWORD(wParam));
            return FALSE;
        }
        case WM_MOUSEWHEEL: {
            ScrollWindowByWheel(dialog, SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam));
            return SetDlgMsgResult(dialog, message, 0);
        }
        case WM_MOUSEHWHEEL: {
            ScrollWindowByWheel(dialog, SB_HORZ, GET_WHEEL_DELTA_WPARAM(wParam));
            return SetDlgMsgResult(dialog, message, 0);
        }
        case WM_APP_FOCUS_MOVED: {
            ScrollControlIntoView(dialog, reinterpret_cast<HWND>(wParam));
            return SetDlgMsgResult(dialog, message, 0);
        }
        case WM_DPICHANGED: {
            OnDpiChanged(dialog);
            return FALSE;
        }
        case WM_DISPLAYCHANGE:
        case WM_APP_REFIT: {
            OnDisplayChanged(dialog);
            return FALSE;
        }
        case WM_SETTINGCHANGE: {
            if (wParam == SPI_SETWORKAREA)
                RefitWindow(dialog);
            return FALSE;
        }
        case WM_ENTERSIZEMOVE:
        case WM_EXITSIZEMOVE: {
            NoteMoveLoop(dialog, message == WM_ENTERSIZEMOVE);
            return FALSE;
        }
        case WM_WINDOWPOSCHANGED: {
            NoteWindowMoved(dialog);
            return FALSE;
        }
        case WM_DESTROY: {
            ReleaseWindowFit(dialog);
            return FALSE;
        }
        case WM_NOTIFY: {
            if (!IsCopyRunning())
                OnNotify(wParam, lParam);
            return SetDlgMsgResult(dialog, message, 0);
        }
        case WM_SYSCOMMAND: {
            if (!OnSysCommand(dialog, wParam))
                return FALSE;
            return SetDlgMsgResult(dialog, message, 0);
        }
        case WM_INITMENUPOPUP: {
            OnInitMenuPopup(dialog, lParam);
            return FALSE;
        }
        case WM_CLOSE: {
            OnClose(dialog);
            return SetDlgMsgResult(dialog, message, 0);
        }
        case WM_TIMER: {
            OnCopyTimer(wParam);
            return SetDlgMsgResult(dialog, message, 0);
        }
        case WM_QUERYENDSESSION: {
            return SetDlgMsgResult(dialog, message, OnQueryEndSession());
        }
        case WM_ENDSESSION: {
            OnEndSession(wParam);
            return SetDlgMsgResult(dialog, message, 0);
        }
    }
    return FALSE;
}
