// Tips that show a control's text, one hover away: while the pointer rests
// on a control, a small window beside it shows the text that the window
// gives for that control.
#pragma once

#include <windows.h>

// Writes the tip of a control into text (size bytes with the terminating
// zero); false where the control has none.
typedef bool (*TipTextOf)(HWND control, char* text, int size);

// Gives each control of window a tip, whose text textOf gives each time the
// pointer comes onto the control. One window at a time.
void ShowTextTips(HWND window, TipTextOf textOf);
void StopTextTips(HWND window);

// The pointer moved over window where Windows sends no mouse message (over
// a disabled control: window hears of it by WM_SETCURSOR with HTERROR).
void NotePointerMove(HWND window);
