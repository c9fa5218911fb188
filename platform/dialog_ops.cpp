#include "platform/dialog_ops.h"

#include <commctrl.h>

#include "platform/window_work.h"

int RunModalDialog(HINSTANCE instance, int templateId, DLGPROC procedure)
{
    InitCommonControls();
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), nullptr, procedure, 0));
}

namespace {

HICON g_SmallIcon = nullptr; // kept for the life of the program, as windows use it

} // namespace

// The image of the small-icon size of the display scale, not the 32-pixel one
// shrunk by the window: at 150 % that is the icon's own 24-pixel image.
void SetSmallIcon(HWND window, HINSTANCE instance, int iconId)
{
    if (!g_SmallIcon)
        g_SmallIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), 0));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_SmallIcon));
}

// From another thread, each of these hands its change to the window's own
// thread, which makes it in the order given.

void SetControlText(HWND control, const char* text)
{
    if (!HandToWindowThread(
            [](HWND window, int, const char* handed) { SetControlText(window, handed); }, control,
            0, text))
        SetWindowTextA(control, text);
}

void EnableControl(HWND control, bool enable)
{
    if (!HandToWindowThread(
            [](HWND window, int value, const char*) { EnableControl(window, value); }, control,
            enable, nullptr))
        EnableWindow(control, enable);
}

void ShowControl(HWND control, bool show)
{
    if (!HandToWindowThread([](HWND window, int value, const char*) { ShowControl(window, value); },
                            control, show, nullptr))
        ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

void HoldPainting(HWND control, bool hold)
{
    SendMessageA(control, WM_SETREDRAW, hold ? FALSE : TRUE, 0);
    if (!hold)
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void TickButton(HWND button)
{
    SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
}

UINT ButtonCheckState(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id);
}

void ComboAddItem(HWND combo, const char* text)
{
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void ComboSelect(HWND combo, int index)
{
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ComboSelection(HWND combo)
{
    return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

void TrackbarSetRange(HWND trackbar, int minimum, int maximum)
{
    SendMessageA(trackbar, TBM_SETRANGE, TRUE, MAKELPARAM(minimum, maximum));
}

void TrackbarSetPosition(HWND trackbar, int position)
{
    SendMessageA(trackbar, TBM_SETPOS, TRUE, position);
}

int TrackbarPosition(HWND trackbar)
{
    return static_cast<int>(SendMessageA(trackbar, TBM_GETPOS, 0, 0));
}

void TabAddPage(HWND tab, int index, const char* text)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.iImage = -1;
    item.pszText = const_cast<char*>(text);
    SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TabSelect(HWND tab, int index)
{
    SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TabSelection(HWND tab)
{
    return static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
}
