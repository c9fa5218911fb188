// Puts the active language's texts on the window.
#pragma once

#include <windows.h>

// Sets the window caption, every control caption and both tab controls'
// pages in the active language; selects page 0 of both.
void ApplyInterfaceTexts(HWND dialog);
