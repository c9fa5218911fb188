// Which of a dialog's controls a person sees at a point of the screen.
#pragma once

#include <windows.h>

// The dialog's control a person sees at a point of the screen: the first
// shown one, in the order the controls lie over each other, that holds the
// point, where a group box counts over its caption's line only and a tab
// control over its page labels only (other controls lie over the rest of
// them). Disabled controls count. Null where the point is over none, outside
// the dialog's client area, or over another window in front of the dialog.
HWND ControlUnderPoint(HWND dialog, POINT screen);
