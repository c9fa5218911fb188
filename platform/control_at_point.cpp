#include "platform/control_at_point.h"

#include <commctrl.h>

#include "platform/dialog_ops.h"
#include "platform/text_room.h"

namespace {

bool IsGroupBox(HWND control)
{
    return IsControlOfClass(control, WC_BUTTONA) &&
           (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Whether the point of the screen is where a control shows itself; a frame
// (group box, tab control) only where its caption or page labels are.
bool ShowsItselfAt(HWND control, POINT screen)
{
    RECT place;
    if (!(GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) || !GetWindowRect(control, &place) ||
        !PtInRect(&place, screen))
        return false;
    if (IsControlOfClass(control, WC_TABCONTROLA)) {
        TCHITTESTINFO hit = {screen, 0};
        ScreenToClient(control, &hit.pt);
        return SendMessageA(control, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) >= 0;
    }
    if (IsGroupBox(control))
        return screen.y < place.top + TextExtent(control, "Ag", DT_SINGLELINE, 0).cy;
    return true;
}

} // namespace

HWND ControlUnderPoint(HWND dialog, POINT screen)
{
    HWND front = WindowFromPoint(screen);
    POINT client = screen;
    RECT area;
    if (front != dialog && !IsChild(dialog, front))
        return nullptr;
    if (!ScreenToClient(dialog, &client) || !GetClientRect(dialog, &area) ||
        !PtInRect(&area, client))
        return nullptr;
    // The dialog manager creates each control below the ones before it.
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ShowsItselfAt(child, screen))
            return child;
    }
    return nullptr;
}
