// The Copy command as the window runs it: the copy's file work runs on a
// thread of its own while the window's thread keeps the window alive.
#pragma once

#include <windows.h>

// Readies the status line for the copies to come; once per dialog.
void PrepareCopyStatusLine();

// The Copy button: traces the command and copies the ticked categories of
// the active page, returning when all of it is done. Meanwhile the window
// answers, paints and moves, but its controls take no input and none is
// carried out later; the taskbar button shows the progress, and a log-off
// waits. The focus then returns where it was, or to the next control that
// can take it. A close requested meanwhile is carried out at the end.
void RunCopyCommand(HWND dialog);

bool IsCopyRunning();

// A request to close the window while a copy runs: the copy stops at its
// next file boundary and the window closes when the command ends.
void CloseWhenCopyEnds();

// The session ends: the copy stops now, dropping the file under way, and
// this returns once it has stopped.
void AbandonCopy();

// The copy's timer: brings what the copy did onto the window.
void OnCopyTimer(UINT_PTR timer);
