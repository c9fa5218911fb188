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
#include "platform/text_tips.h"
#include "platform/trace.h"
#include "texts/interface_texts.h"
#include "texts/shown_language.h"
#include "ui/apply_texts.h"
#include "ui/control_map_fetch.h"
#include "ui/copy_command.h"
#include "ui/enable_rules.h"
#include "ui/language_switch.h"
#include "ui/readable_texts.h"
#include "ui/readiness_check.h"
#include "ui/setting_binding.h"
#include "ui/window_fit.h"

namespace {

const int kVolumeMin = 1;
const int kVolumeMax = 8;

// The save directory starts as the current directory. A query that fails
// leaves SaveDir as it was; a directory that does not fit, or whose name the
// code page cannot hold, leaves "C:\", never a cut or look-alike path, and
// returns the text that tells the user why; otherwise -1.
int ReadCurrentDirectory()
{
    char buffer[kPathSize] = "C:\\";
    NarrowForm form = kNarrowExact;
    if (QueryCurrentDirectory(buffer, sizeof buffer, &form))
        memcpy(g_Session.SaveDir, buffer, sizeof buffer);
    if (form == kNarrowInexact)
        return kMsgFolderNameUnusable;
    return form == kNarrowTooLong ? kMsgFolderPathTooLong : -1;
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

// Puts Config on the window: the playback switch, the volume, every setting
// list, and the controls shown and enabled by them. The texts, the tabs'
// pages and the source folders stay as they are.
void ShowConfig(HWND dialog)
{
    const ControlMap& map = g_Session.ControlMap;
    TickButton(map.OnRadio, g_Session.Config.Ena == 1);
    TickButton(map.OffRadio, g_Session.Config.Ena != 1);
    TrackbarSetRange(map.VolumeTrackbar, kVolumeMin, kVolumeMax);
    TrackbarSetPosition(map.VolumeTrackbar, g_Session.Config.Vol);
    ShowVolumeValue();
    BindSettingControls(dialog);
    ApplyCopyPageVisibility();
    ApplyEnableRules();
}

BOOL OnInitDialog(HWND dialog)
{
    const ControlMap& map = g_Session.ControlMap;
    SetWindowIcons(dialog, g_Session.InstanceHandle, IDI_APP_ICON);
    FetchControlMap(dialog);
    int startDirRefusal = -1;
    if (g_Session.FirstInit) {
        Trace("uwLangID=0x%04x\n", SystemLanguageId());
        StartInRememberedLanguage();
        startDirRefusal = ReadCurrentDirectory();
        SetControlText(map.SaveDirEdit, g_Session.SaveDir);
        ReadConfigFile();
        g_Session.FirstInit = 0;
    }
    SetWindowSubclass(map.SaveDirEdit, SaveDirEditProc, 0, 0);
    PrepareCopyStatusLine();
    AddLanguageItems(dialog);
    ApplyInterfaceTexts(dialog);
    // Told after the texts, which set the status line's idle text.
    if (startDirRefusal >= 0)
        SetControlText(map.StatusLine, TextPair(MessageTable, startDirRefusal));
    ShowConfig(dialog);
    FitTextsToLanguage(dialog);
    ShowCutTextTips(dialog);
    FitWindowOnOpen(dialog);
    return TRUE; // the dialog manager focuses the first tab stop
}

// Writes the configuration, confirms it by reading it back, and reports;
// after the box, also a folder the settings play from that holds no sound.
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
    // The card is looked at while the user reads the box.
    ReadinessCheck check;
    StartReadinessCheck(&check, g_Session.SaveDir, written);
    ShowMessageBox(dialog, TextPair(MessageTable, kMsgGenerated), TextPair(MessageTable, kMsgNote),
                   MB_OK | MB_ICONINFORMATION);
    ShowReadinessWhenChecked(dialog, &check, status);
}

// Loads the save directory's record as start-up does and shows it. A file
// gone, or no longer 86 bytes, since the question leaves the window and the
// status line as they were: it is looked at first, so that Browse never runs
// the recovery of an interrupted write, which ReadConfigFile begins with when
// the file is missing.
void ShowSavedSettings(HWND dialog)
{
    BroadcastConfig saved;
    if (!ReadSavedRecord(&saved) || ReadConfigFile() != 0)
        return;
    // About a thousand combo items are filled anew: painted once, at the end.
    HoldWindowPainting(dialog, true);
    ShowConfig(dialog);
    HoldWindowPainting(dialog, false);
    char status[kStatusTextSize] = {};
    snprintf(status, sizeof status, TextPair(MessageTable, kMsgSettingsLoaded), g_Session.SaveDir);
    SetControlText(g_Session.ControlMap.StatusLine, status);
}

// Whether the save directory holds settings other than the window's, as the
// window would show them: a start-up there would switch time lapse on beside
// the periodic loop, as the window's record has it already.
bool SavedSettingsDiffer()
{
    BroadcastConfig saved;
    if (!ReadSavedRecord(&saved))
        return false;
    KeepTimeLapseOnForLoop(saved);
    return memcmp(&saved, &g_Session.Config, sizeof saved) != 0;
}

// A chosen folder becomes the save directory. When it holds settings other
// than the window's, the user may have them shown instead; otherwise, and on
// No, the window keeps its own, which the next Generate writes there.
void OnBrowse(HWND dialog)
{
    if (ChooseFolder(g_Session.SaveDir, g_Session.ControlMap.SaveDirEdit) != 0 ||
        !SavedSettingsDiffer())
        return;
    int answer = ShowMessageBox(dialog, TextPair(MessageTable, kMsgShowSavedSettings),
                                TextPair(TitleTable, kTitleWindowCaption),
                                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1);
    if (answer == IDYES)
        ShowSavedSettings(dialog);
}

void OnCommand(HWND dialog, WPARAM wParam)
{
    int id = GET_WM_COMMAND_ID(wParam, 0);
    int code = GET_WM_COMMAND_CMD(wParam, 0);
    switch (id) {
        case IDC_COPY_BUTTON: {
            RunCopyCommand(dialog);
            // A message may have changed a control meanwhile without a word.
            ShowRecordAgain();
            break;
        }
        case IDC_GENERATE_BUTTON: {
            OnGenerate(dialog);
            break;
        }
        case IDC_BROWSE_BUTTON: {
            OnBrowse(dialog);
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

// Input to the controls is dropped while a copy runs, but another program
// can still change a setting control or a tab by a message (a click, a
// selection, a page) and tell the window. Such a change is not carried out,
// as the rules it runs would unlock the copy panel: the controls show the
// record and the pages again at once, and no setting is traced.
void OnCommandDuringCopy(WPARAM wParam)
{
    int code = GET_WM_COMMAND_CMD(wParam, 0);
    if (code == BN_CLICKED || code == CBN_SELCHANGE)
        ShowRecordAgain();
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

// The notification's result: TRUE refuses a page change. While a copy runs
// the pages stay, as the copy panel's rules would unlock the panel.
LRESULT OnNotify(WPARAM wParam, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == static_cast<UINT>(TCN_SELCHANGING))
        return IsCopyRunning();
    if (header->code != static_cast<UINT>(TCN_SELCHANGE))
        return 0;
    if (IsCopyRunning()) {
        ShowRecordAgain(); // a page selected without asking, as OnCommandDuringCopy
        return 0;
    }
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
    return 0;
}

// The dialog's own scroll bar sends no handle; the volume trackbar does.
void OnHScroll(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        ScrollWindowContent(dialog, SB_HORZ, LOWORD(wParam));
    else if (IsCopyRunning())
        ShowRecordAgain(); // as OnCommandDuringCopy
    else
        OnVolumeScroll(wParam);
}

// Windows has laid the window out anew at another scale, or the display or
// its work area changed: the icons and the fit follow.
void OnDisplayChanged(HWND dialog)
{
    SetWindowIcons(dialog, g_Session.InstanceHandle, IDI_APP_ICON);
    FitTextsToLanguage(dialog);
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
            if (IsCopyRunning())
                OnCommandDuringCopy(wParam);
            else
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
            ReleaseReadableTexts(dialog);
            return FALSE;
        }
        case WM_SETCURSOR: {
            // Over a disabled control, which gets no mouse message.
            if (static_cast<short>(LOWORD(lParam)) == HTERROR && HIWORD(lParam) == WM_MOUSEMOVE)
                NotePointerMove(dialog);
            return FALSE;
        }
        case WM_NOTIFY: {
            return SetDlgMsgResult(dialog, message, OnNotify(wParam, lParam));
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
