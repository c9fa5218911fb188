// The window within the work area of its monitor. Where the whole window
// does not fit, its size is limited to the work area and its content scrolls:
// scroll bars, the mouse wheel (also over a control that the user is not
// working in, which it leaves as it is), and the control that takes the focus
// from the keyboard is brought into view. Where it fits, the window stays as
// its template makes it.
#pragma once

#include <windows.h>

// Posted to the dialog: the focus moved to the control in wParam.
const UINT WM_APP_FOCUS_MOVED = WM_APP + 1;
// Posted to the dialog: its display changed, fit it anew.
const UINT WM_APP_REFIT = WM_APP + 2;

void FitWindowOnOpen(HWND dialog);
void RefitWindow(HWND dialog);
void ReleaseWindowFit(HWND dialog);

// bar is SB_HORZ or SB_VERT; code a scroll bar's request (SB_LINEDOWN, ...).
void ScrollWindowContent(HWND dialog, int bar, int code);
// wheel is SB_VERT for WM_MOUSEWHEEL, SB_HORZ for WM_MOUSEHWHEEL; delta as
// the message gives it.
void ScrollWindowByWheel(HWND dialog, int wheel, int delta);
void ScrollControlIntoView(HWND dialog, HWND control);

// A new display scale: the content goes back to its origin, so that the
// dialog manager lays the controls out anew from their template places.
void PrepareForNewScale(HWND dialog);
// Moves between monitors: the fit is checked once the window comes to rest.
void NoteMoveLoop(HWND dialog, bool entering);
void NoteWindowMoved(HWND dialog);
