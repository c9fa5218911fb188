// Where the mouse wheel's turns go. Windows sends a turn to the focused
// window (Windows 7 and 8.1, and 10 and 11 with "Scroll inactive windows"
// off) or to the window under the pointer; either may be a control that
// turns it into a change of its own (a combo box selects another item, a
// trackbar moves): a window may take the turns aimed at it and its controls
// instead, decided by where the pointer is.
#pragma once

#include <windows.h>

// Whether window takes a turn made with the pointer at a point of the screen.
typedef bool (*WheelTaker)(HWND window, POINT pointer);

// Each wheel message (vertical or horizontal) of this thread sent to window
// or a window inside it is handled by window instead where takes says so;
// it is asked as the message is taken from the queue. One window at a time.
void RouteWheel(HWND window, WheelTaker takes);
void StopRoutingWheel(HWND window);
