// The room a control's text needs, measured in the control's own font.
#pragma once

#include <windows.h>

// The size of text drawn in the control's font with DrawText's format,
// wrapped into width where the format breaks words.
SIZE TextExtent(HWND control, const char* text, UINT format, LONG width);

// Whether the control cuts its text: a static text wrapped into its lines, a
// group box's caption, a button's caption beside its box or circle, or the
// item a closed combo box shows. The whole text goes into text (size bytes
// with the terminating zero). False for a control that shows all of it,
// shows no text, or holds a longer one than text can take.
bool ControlCutsText(HWND control, char* text, int size);

// Lets the dropped list of each combo box of window be as wide as its widest
// item needs, where that is wider than the box.
void FitDroppedWidths(HWND window);
