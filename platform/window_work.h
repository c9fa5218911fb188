// Changes to windows asked for by threads that do not own them.
#pragma once

#include <windows.h>

// A change to a window, made on the window's own thread.
typedef void (*WindowChange)(HWND window, int value, const char* text);

// Hands a change of window to the thread that owns it, unless the calling
// thread does: then it returns false and the caller makes the change itself.
// Changes handed over are kept in the order given (text is copied) and made
// when the owning thread next calls DoHandedOverChanges.
bool HandToWindowThread(WindowChange change, HWND window, int value, const char* text);

// Makes the changes handed over, in order, for at most timeLimit
// milliseconds (INFINITE: all of them), so that the window can go on
// answering; returns how many. The program's windows all belong to one
// thread, which is the one to call this.
int DoHandedOverChanges(DWORD timeLimit);
