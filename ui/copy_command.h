// The Copy command as the window runs it: the copy runs to its end within
// the button press, while the window stays alive and takes no input.
#pragma once

#include <windows.h>

// Hands the copy the window's part in it; once per dialog.
void AttachCopyToWindow();

// The Copy button: traces the command and copies the ticked categories of
// the active page. Keyboard and mouse input meanwhile is dropped; the focus
// then returns where it was, or to the next control that can take it. A
// close requested meanwhile is carried out at the end.
void RunCopyCommand(HWND dialog);

bool IsCopyRunning();

// A request to close the window while a copy runs: the copy stops at its
// next file boundary and the window closes when the command ends.
void CloseWhenCopyEnds();
