// Keeping a window alive while its thread is busy with long work.
#pragma once

#include <windows.h>

// Handles the messages waiting for this thread, except the user's input:
// keyboard, mouse and touch messages, over the controls and the frame alike,
// are dropped, so nothing pressed during the work is carried out after it.
// Three kinds of input are not dropped: the close box and Alt+F4 become a
// close command to the window (which decides when to close), and the clicks
// and keys that open the system menu open it. Returns at once when nothing is
// waiting.
void PumpMessagesDroppingInput(HWND window);
