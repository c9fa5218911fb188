// Tells a window each time the keyboard focus moves to one of its controls:
// the dialog manager moves the focus (Tab, mnemonics) without telling the
// dialog.
#pragma once

#include <windows.h>

// Posts message, with the control as wParam, to window when the focus moves
// to a window inside it on this thread. One window is watched at a time.
void WatchFocus(HWND window, UINT message);
void StopWatchingFocus(HWND window);
