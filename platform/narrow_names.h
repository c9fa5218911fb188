// Names as the narrow (ANSI) Windows API carries them. The narrow API turns a
// name into UTF-16 in the process's ANSI code page, so a name reaches the file
// it came from only when its narrow form converts back to exactly the same
// UTF-16. A code page that cannot hold a character would otherwise put a
// look-alike in its place ("Ł" becomes "L" by best fit, "З" becomes "?").
#pragma once

#include <windows.h>

enum NarrowForm {
    kNarrowExact,   // the narrow form names exactly the wide name
    kNarrowInexact, // the code page cannot hold the name: it names no file
    kNarrowTooLong, // the narrow form does not fit the buffer
};

// Writes the narrow form of wide into narrow (size bytes with the terminating
// zero, at most MAX_PATH): whole characters only, as many as fit, and '?' for
// characters the code page has no exact equivalent for (never a best-fit
// look-alike).
NarrowForm ToNarrowName(const wchar_t* wide, char* narrow, int size);

// Writes the narrow form of the path wide into path only when it is exact and
// fits in size bytes; otherwise path is left as it was.
NarrowForm TakeNarrowPath(const wchar_t* wide, char* path, int size);
