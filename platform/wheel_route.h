// Where the mouse wheel's turns go. Windows sends a turn to the focused
// window or to the one under the pointer, which may be a control that turns
// it into a change of its own (a combo box selects another item, a trackbar
// moves): a window may take the turns aimed at its controls instead.
#pragma once

#include <windows.h>

// Whether window takes a turn aimed at target, a window inside it.
typedef bool (*WheelTaker)(HWND window, HWND target);

// Each wheel message (vertical or horizontal) of this thread aimed at a
// window inside window is handled by window instead where takes says so;
// it is asked as the message is taken from the queue. One window at a time.
void RouteWheel(HWND window, WheelTaker takes);
void StopRoutingWheel(HWND window);
