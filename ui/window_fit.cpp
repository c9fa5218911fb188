#include "ui/window_fit.h"

#include <algorithm>

#include "platform/control_at_point.h"
#include "platform/dialog_ops.h"
#include "platform/display_metrics.h"
#include "platform/focus_watch.h"
#include "platform/wheel_route.h"
#include "resources/resource.h"

namespace {

struct WindowFit {
    HWND Window;
    POINT Origin;     // how far the content is scrolled, in pixels
    HMONITOR Monitor; // where the fit was last made
    bool Moving;      // inside a move or size loop
    int WheelRest[2]; // wheel turns too small for a line yet, by wheel
};
WindowFit g_Fit = {};

bool IsFitted(HWND dialog)
{
    return dialog == g_Fit.Window;
}

// The template's size in pixels at the dialog's font and scale.
SIZE ContentSize(HWND dialog)
{
    RECT content = {0, 0, MAIN_DIALOG_WIDTH, MAIN_DIALOG_HEIGHT};
    MapDialogRect(dialog, &content);
    return {content.right, content.bottom};
}

// One line of scrolling: one line of the dialog's font (8 dialog units).
int LineSize(HWND dialog, int bar)
{
    RECT line = {0, 0, 8, 8};
    MapDialogRect(dialog, &line);
    return bar == SB_VERT ? line.bottom : line.right;
}

bool HasBar(HWND dialog, int bar)
{
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    return (style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

bool Scrolls(HWND dialog)
{
    return IsFitted(dialog) && (HasBar(dialog, SB_VERT) || HasBar(dialog, SB_HORZ));
}

// The dialog's control that window is or lies in: a combo box's edit field
// lies in its box.
HWND ControlOf(HWND dialog, HWND window)
{
    while (window && GetParent(window) != dialog)
        window = GetParent(window);
    return window;
}

// Where the window scrolls, a wheel turn over a control that the user is not
// working in scrolls the window, wherever Windows sent it: a combo box would
// select another item, the trackbar would move and an edit box would scroll
// its text, unseen. The control under the pointer takes the turn, as in any
// dialog, when it has the keyboard focus or its list is dropped; while the
// focused combo box's list is dropped, every turn is the list's.
bool WindowTakesWheel(HWND dialog, POINT pointer)
{
    if (!Scrolls(dialog))
        return false;
    HWND focused = ControlOf(dialog, GetFocus());
    if (focused && ComboListDropped(focused))
        return false;
    HWND control = ControlUnderPoint(dialog, pointer);
    return !control || (control != focused && !ComboListDropped(control));
}

int PageSize(HWND dialog, int bar)
{
    RECT client;
    GetClientRect(dialog, &client);
    return bar == SB_VERT ? client.bottom : client.right;
}

// Moves the content so that the point origin of it is at the client area's
// top left corner; the positions are kept within the scrollable range.
void ScrollContentTo(HWND dialog, POINT origin)
{
    SIZE content = ContentSize(dialog);
    origin.x = std::clamp(origin.x, 0L, std::max(content.cx - PageSize(dialog, SB_HORZ), 0L));
    origin.y = std::clamp(origin.y, 0L, std::max(content.cy - PageSize(dialog, SB_VERT), 0L));
    int dx = g_Fit.Origin.x - origin.x;
    int dy = g_Fit.Origin.y - origin.y;
    if (dx == 0 && dy == 0)
        return;
    g_Fit.Origin = origin;
    // With no rectangle given, every child window moves by the amount,
    // also those outside the client area and the hidden ones.
    ScrollWindow(dialog, dx, dy, nullptr, nullptr);
    SetScrollPos(dialog, SB_HORZ, origin.x, TRUE);
    SetScrollPos(dialog, SB_VERT, origin.y, TRUE);
}

void ScrollContentBy(HWND dialog, int bar, int amount)
{
    POINT origin = g_Fit.Origin;
    (bar == SB_VERT ? origin.y : origin.x) += amount;
    ScrollContentTo(dialog, origin);
}

// How far to scroll along one axis so that the span from low to high, in
// client coordinates, lies within the page; a span larger than the page
// shows its start.
LONG ScrollToShow(LONG low, LONG high, LONG page)
{
    if (low < 0)
        return low;
    if (high > page)
        return std::min(high - page, low);
    return 0;
}

void SetContentScrollRange(HWND dialog, int bar, int content, int page, int position)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = content - 1;
    info.nPage = static_cast<UINT>(page);
    info.nPos = position;
    SetScrollInfo(dialog, bar, &info, TRUE);
}

// Sizes the window to the work area where it does not fit, with scroll bars,
// or to its whole content where it does. Opening, a window that fits is left
// as the dialog manager placed it; one that does not is centred anew.
void Fit(HWND dialog, bool opening)
{
    g_Fit.Window = dialog;
    g_Fit.Monitor = WindowMonitor(dialog);
    RECT workArea = MonitorWorkArea(g_Fit.Monitor);
    SIZE room = {workArea.right - workArea.left, workArea.bottom - workArea.top};
    SIZE content = ContentSize(dialog);
    UINT dpi = WindowDpi(dialog);
    int barWidth = SystemMetricAtDpi(SM_CXVSCROLL, dpi);
    int barHeight = SystemMetricAtDpi(SM_CYHSCROLL, dpi);

    // The frame: caption and borders, without the scroll bars it has now.
    RECT window, client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    SIZE frame = {
        window.right - window.left - client.right - (HasBar(dialog, SB_VERT) ? barWidth : 0),
        window.bottom - window.top - client.bottom - (HasBar(dialog, SB_HORZ) ? barHeight : 0)};
    SIZE space = {room.cx - frame.cx, room.cy - frame.cy}; // for the client area

    bool vertical = content.cy > space.cy;
    bool horizontal = content.cx > space.cx - (vertical ? barWidth : 0);
    vertical = vertical || (horizontal && content.cy > space.cy - barHeight);
    SIZE page = {std::min(space.cx - (vertical ? barWidth : 0), content.cx),
                 std::min(space.cy - (horizontal ? barHeight : 0), content.cy)};
    SIZE outer = {page.cx + frame.cx + (vertical ? barWidth : 0),
                  page.cy + frame.cy + (horizontal ? barHeight : 0)};
    if (opening && !vertical && !horizontal)
        return;

    POINT place = {window.left, window.top};
    if (opening) {
        place.x = workArea.left + (room.cx - outer.cx) / 2;
        place.y = workArea.top + (room.cy - outer.cy) / 2;
    }
    place.x =
        std::clamp(place.x, workArea.left, std::max(workArea.right - outer.cx, workArea.left));
    place.y = std::clamp(place.y, workArea.top, std::max(workArea.bottom - outer.cy, workArea.top));

    if (!vertical && !horizontal)
        ScrollContentTo(dialog, {0, 0});
    ShowScrollBar(dialog, SB_VERT, vertical);
    ShowScrollBar(dialog, SB_HORZ, horizontal);
    SetWindowPos(dialog, nullptr, place.x, place.y, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (vertical)
        SetContentScrollRange(dialog, SB_VERT, content.cy, page.cy, g_Fit.Origin.y);
    if (horizontal)
        SetContentScrollRange(dialog, SB_HORZ, content.cx, page.cx, g_Fit.Origin.x);
    // A larger page may leave the content scrolled past its end.
    ScrollContentTo(dialog, g_Fit.Origin);
}

} // namespace

void FitWindowOnOpen(HWND dialog)
{
    g_Fit = {};
    Fit(dialog, true);
    WatchFocus(dialog, WM_APP_FOCUS_MOVED);
    RouteWheel(dialog, WindowTakesWheel);
}

void RefitWindow(HWND dialog)
{
    if (IsFitted(dialog))
        Fit(dialog, false);
}

void ReleaseWindowFit(HWND dialog)
{
    StopWatchingFocus(dialog);
    StopRoutingWheel(dialog);
    if (IsFitted(dialog))
        g_Fit = {};
}

void ScrollWindowContent(HWND dialog, int bar, int code)
{
    if (!IsFitted(dialog) || !HasBar(dialog, bar))
        return;
    int line = LineSize(dialog, bar);
    int page = PageSize(dialog, bar);
    int step = page > line ? page - line : page; // a page keeps a line in view
    LONG position = bar == SB_VERT ? g_Fit.Origin.y : g_Fit.Origin.x;
    LONG target = position;
    switch (code) {
        case SB_LINEUP: {
            target -= line;
            break;
        }
        case SB_LINEDOWN: {
            target += line;
            break;
        }
        case SB_PAGEUP: {
            target -= step;
            break;
        }
        case SB_PAGEDOWN: {
            target += step;
            break;
        }
        case SB_TOP: {
            target = 0;
            break;
        }
        case SB_BOTTOM: {
            SIZE content = ContentSize(dialog);
            target = bar == SB_VERT ? content.cy : content.cx; // kept within the range
            break;
        }
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info = {};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            if (GetScrollInfo(dialog, bar, &info))
                target = info.nTrackPos;
            break;
        }
    }
    ScrollContentBy(dialog, bar, target - position);
}

void ScrollWindowByWheel(HWND dialog, int wheel, int delta)
{
    if (!IsFitted(dialog))
        return;
    // A vertical wheel moves the only bar there is.
    int bar = wheel;
    if (!HasBar(dialog, bar))
        bar = bar == SB_VERT ? SB_HORZ : SB_VERT;
    if (!HasBar(dialog, bar))
        return;
    UINT lines = 3;
    SystemParametersInfoA(wheel == SB_VERT ? SPI_GETWHEELSCROLLLINES : SPI_GETWHEELSCROLLCHARS, 0,
                          &lines, 0);
    if (lines == 0)
        return;
    // A turn forward (positive) goes up, or left, on the vertical wheel, and
    // right on the other.
    int direction = wheel == SB_VERT ? -1 : 1;
    int& rest = g_Fit.WheelRest[wheel == SB_VERT];
    rest += delta;
    if (lines == WHEEL_PAGESCROLL) {
        int pages = rest / WHEEL_DELTA;
        rest -= pages * WHEEL_DELTA;
        ScrollContentBy(dialog, bar, direction * pages * PageSize(dialog, bar));
        return;
    }
    // Fine-grained wheels send parts of a notch: whole lines only, the rest
    // is kept for the next turn.
    int perLine = WHEEL_DELTA / static_cast<int>(std::min<UINT>(lines, WHEEL_DELTA));
    int count = rest / perLine;
    rest -= count * perLine;
    ScrollContentBy(dialog, bar, direction * count * LineSize(dialog, bar));
}

void ScrollControlIntoView(HWND dialog, HWND control)
{
    if (!Scrolls(dialog))
        return;
    // A control clicked is where the user sees it: moving it under the mouse
    // would part it from a list it drops or a drag it starts.
    if (GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0)
        return;
    control = ControlOf(dialog, control);
    if (!control)
        return;
    RECT place, client;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    GetClientRect(dialog, &client);
    RECT margin = {0, 0, 4, 4}; // dialog units of room around it
    MapDialogRect(dialog, &margin);
    POINT origin = g_Fit.Origin;
    origin.x += ScrollToShow(place.left - margin.right, place.right + margin.right, client.right);
    origin.y +=
        ScrollToShow(place.top - margin.bottom, place.bottom + margin.bottom, client.bottom);
    ScrollContentTo(dialog, origin);
}

void PrepareForNewScale(HWND dialog)
{
    if (IsFitted(dialog))
        ScrollContentTo(dialog, {0, 0});
}

void NoteMoveLoop(HWND dialog, bool entering)
{
    if (!IsFitted(dialog))
        return;
    g_Fit.Moving = entering;
    if (!entering)
        NoteWindowMoved(dialog);
}

void NoteWindowMoved(HWND dialog)
{
    // While the user drags, the window is not resized under the mouse.
    if (IsFitted(dialog) && !g_Fit.Moving && WindowMonitor(dialog) != g_Fit.Monitor)
        PostMessageA(dialog, WM_APP_REFIT, 0, 0);
}
