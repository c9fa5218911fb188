// Text held in a given code page, turned into what the wide and the narrow
// window functions take.
#pragma once

#include <windows.h>

// Writes text, in code page codePage, as UTF-16 into wide (count characters
// with the terminating zero); returns the characters written with the zero,
// or 0 when the text is not valid in that code page or does not fit.
int WideFromCodePage(UINT codePage, const char* text, wchar_t* wide, int count);

// Writes text, in code page codePage, into narrow (size bytes with the
// terminating zero) in the process's ANSI code page; returns the bytes
// written with the zero. With no narrow (size 0), returns the bytes it
// takes. 0 when that code page cannot hold every character exactly (never a
// best-fit look-alike), the text is not valid in codePage, or it does not
// fit; narrow then holds no text to show.
int NarrowFromCodePage(UINT codePage, const char* text, char* narrow, int size);
