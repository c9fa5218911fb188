#include "platform/text_room.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/dialog_ops.h"
#include "platform/display_metrics.h"

namespace {

// A closed box's chosen item, or the text of any other control; false when
// there is none or it does not fit.
bool ShownText(HWND control, bool combo, char* text, int size)
{
    text[0] = '\0';
    if (!combo) {
        int length = GetWindowTextLengthA(control);
        return length > 0 && length < size && GetWindowTextA(control, text, size) > 0;
    }
    WPARAM item = static_cast<WPARAM>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    LRESULT length = SendMessageA(control, CB_GETLBTEXTLEN, item, 0);
    return length > 0 && length < size &&
           SendMessageA(control, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text)) > 0;
}

// Whether a text of this width and height, laid out as the control lays it
// out, needs more room than the control gives it.
bool NeedsMoreRoom(HWND control, const char* text, bool combo)
{
    RECT room;
    GetClientRect(control, &room);
    LONG style = GetWindowLongA(control, GWL_STYLE);
    if (combo) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        return GetComboBoxInfo(control, &info) &&
               TextExtent(control, text, DT_SINGLELINE | DT_NOPREFIX, 0).cx >
                   info.rcItem.right - info.rcItem.left;
    }
    if (IsControlOfClass(control, WC_STATICA)) {
        UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        SIZE size = TextExtent(control, text, DT_WORDBREAK | DT_EXPANDTABS | prefix, room.right);
        return size.cx > room.right || size.cy > room.bottom;
    }
    if (!IsControlOfClass(control, WC_BUTTONA))
        return false;
    if ((style & BS_TYPEMASK) == BS_GROUPBOX) {
        // The caption starts about 4 dialog units in from either side.
        RECT inset = {0, 0, 4, 0};
        MapDialogRect(GetParent(control), &inset);
        return TextExtent(control, text, DT_SINGLELINE, 0).cx > room.right - 2 * inset.right;
    }
    SIZE ideal = {};
    return SendMessageA(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) &&
           ideal.cx > room.right;
}

// Measures with the control's font in a device context of the control.
template <typename Measure> void MeasureWithFont(HWND control, Measure measure)
{
    HDC dc = GetDC(control);
    if (!dc)
        return;
    HGDIOBJ font =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    measure(dc);
    SelectObject(dc, font);
    ReleaseDC(control, dc);
}

SIZE ExtentInDc(HDC dc, const char* text, UINT format, LONG width)
{
    RECT rect = {0, 0, width, 0};
    DrawTextA(dc, text, -1, &rect, format | DT_CALCRECT);
    return {rect.right, rect.bottom};
}

} // namespace

SIZE TextExtent(HWND control, const char* text, UINT format, LONG width)
{
    SIZE size = {0, 0};
    MeasureWithFont(control, [&](HDC dc) { size = ExtentInDc(dc, text, format, width); });
    return size;
}

bool ControlCutsText(HWND control, char* text, int size)
{
    // A dropped list shows its items whole.
    bool combo = IsControlOfClass(control, WC_COMBOBOXA);
    return !(combo && ComboListDropped(control)) && ShownText(control, combo, text, size) &&
           NeedsMoreRoom(control, text, combo);
}

namespace {

void FitDroppedWidth(HWND combo)
{
    char item[128];
    LONG widest = 0;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    // One device context for all items: a thousand items each with its own
    // cost a tenth of the start-up under Wine.
    MeasureWithFont(combo, [&](HDC dc) {
        for (int index = 0; index < count; ++index) {
            if (SendMessageA(combo, CB_GETLBTEXTLEN, index, 0) <
                    static_cast<LRESULT>(sizeof item) &&
                SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item)) > 0)
                widest = std::max(widest, ExtentInDc(dc, item, DT_SINGLELINE | DT_NOPREFIX, 0).cx);
        }
    });
    // The list draws its items a few pixels in from its border, beside its
    // scroll bar where it has more items than it shows at once.
    UINT dpi = WindowDpi(combo);
    int frame = 2 * (SystemMetricAtDpi(SM_CXEDGE, dpi) + SystemMetricAtDpi(SM_CXBORDER, dpi));
    bool scrolls = count > SendMessageA(combo, CB_GETMINVISIBLE, 0, 0);
    int bar = scrolls ? SystemMetricAtDpi(SM_CXVSCROLL, dpi) : 0;
    SendMessageA(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + frame + bar), 0);
}

} // namespace

void FitDroppedWidths(HWND window)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsControlOfClass(child, WC_COMBOBOXA))
            FitDroppedWidth(child);
    }
}
