// Puts the active language's texts on the window.
#pragma once

#include <windows.h>

// Sets the window caption, every control caption and both tab controls'
// pages in the active language; selects page 0 of both.
void ApplyInterfaceTexts(HWND dialog);

// Puts the active language's texts on a live window: the same captions and
// the labels of the pages in place, each tab's page kept. The status line
// takes the idle text only when statusIdle says it shows the idle text of
// the language left; any other message stays until the next one.
void ApplyLanguageTexts(HWND dialog, bool statusIdle);
