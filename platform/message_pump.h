// The window's thread while other threads do long work for it.
#pragma once

#include <windows.h>

// Handles this thread's messages, as a modal loop does, until finished is
// signalled; the window stays alive, paints, moves, minimises and restores
// meanwhile. The user's keyboard, mouse, touch and pen input to the window's
// controls and client area is dropped, so nothing pressed meanwhile is
// carried out afterwards; the window's frame (caption, its buttons, the
// system menu) keeps working, and Alt+F4 becomes a close command to the
// window, which decides when to close. A WM_QUIT taken meanwhile also
// becomes a close command; the function then returns true with its exit
// code, for the caller to post again once its work has ended.
bool PumpMessagesUntil(HANDLE finished, HWND window, int* quitCode);

// Waits for finished while answering only the messages that other threads
// send to this one, so that a thread waiting on this one can go on.
void WaitAnsweringSentMessages(HANDLE finished);
