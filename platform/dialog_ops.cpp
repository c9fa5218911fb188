#include "platform/dialog_ops.h"

#include <commctrl.h>

#include "platform/display_metrics.h"
#include "platform/window_work.h"

int RunModalDialog(HINSTANCE instance, int templateId, DLGPROC procedure)
{
    InitCommonControls();
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), nullptr, procedure, 0));
}

namespace {

// Icons by pixel size, loaded once and kept for the life of the program, as
// windows use them; a few sizes cover every scale a window meets.
struct LoadedIcon {
    int Size;
    HICON Icon;
};
LoadedIcon g_Icons[16] = {};

HICON IconOfSize(HINSTANCE instance, int iconId, int size)
{
    for (const LoadedIcon& loaded : g_Icons) {
        if (loaded.Icon && loaded.Size == size)
            return loaded.Icon;
    }
    HICON icon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, 0));
    for (LoadedIcon& free : g_Icons) {
        if (!free.Icon) {
            free = {size, icon};
            break;
        }
    }
    return icon;
}

} // namespace

// The images of the small and large icon sizes of the window's display
// scale, not another size shrunk or stretched: at 150 % that is the icon's
// own 24- and 48-pixel images.
void SetWindowIcons(HWND window, HINSTANCE instance, int iconId)
{
    UINT dpi = WindowDpi(window);
    const struct {
        WPARAM kind;
        int metric;
    } icons[] = {{ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}};
    for (const auto& icon : icons) {
        HICON image = IconOfSize(instance, iconId, SystemMetricAtDpi(icon.metric, dpi));
        if (image)
            SendMessageA(window, WM_SETICON, icon.kind, reinterpret_cast<LPARAM>(image));
    }
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

bool IsControlOfClass(HWND window, const char* name)
{
    char kind[32] = {};
    return GetClassNameA(window, kind, sizeof kind) > 0 && lstrcmpiA(kind, name) == 0;
}

void GetControlText(HWND control, char* text, int size)
{
    text[0] = '\0';
    GetWindowTextA(control, text, size);
}

namespace {

const UINT_PTR kPaintHoldSubclass = 1;

// A static control paints a new text at once; while held, only the text is
// stored. (WM_SETREDRAW would hold the painting too, but it takes the
// control's WS_VISIBLE away meanwhile: a repaint then shows nothing, and
// screen readers find no control.)
LRESULT CALLBACK PaintHoldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR held)
{
    if (message == WM_SETTEXT && held)
        return DefWindowProcW(control, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(control, PaintHoldProc, kPaintHoldSubclass);
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

void PrepareToHoldPainting(HWND control)
{
    SetWindowSubclass(control, PaintHoldProc, kPaintHoldSubclass, FALSE);
}

void HoldPainting(HWND control, bool hold)
{
    // Given again, the subclass keeps its place and takes the new state.
    SetWindowSubclass(control, PaintHoldProc, kPaintHoldSubclass, hold);
    if (!hold)
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void HoldWindowPainting(HWND window, bool hold)
{
    SendMessageA(window, WM_SETREDRAW, !hold, 0);
    if (!hold)
        RedrawWindow(window, nullptr, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TickButton(HWND button, bool ticked)
{
    SendMessageA(button, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

UINT ButtonCheckState(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id);
}

void ComboClear(HWND combo)
{
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
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

bool ComboListDropped(HWND control)
{
    return IsControlOfClass(control, WC_COMBOBOXA) &&
           SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0) != 0;
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

void TabSetPageText(HWND tab, int index, const char* text)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text);
    SendMessageA(tab, TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TabSelect(HWND tab, int index)
{
    SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TabSelection(HWND tab)
{
    return static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
}
