// Paths in the long form the wide file functions take beyond MAX_PATH, and
// the removal of a file by one.
#pragma once

#include <windows.h>

// Room for a path of MAX_PATH narrow bytes in full long form, with an ending.
const int kLongPathSize = MAX_PATH + 32;
typedef WCHAR LongPath[kLongPathSize];

// A folder, given as a path of the ANSI code page, in full long form
// ("\\?\C:\..." or "\\?\UNC\server\..."), which the wide file functions take
// beyond MAX_PATH: a waiting name longer than the file's own still works.
// False when it does not convert or fit, or names a device.
bool ComposeLongFolder(LongPath path, const char* folder);

// "<folder>\<name><ending>", folder in long form, name and ending in the ANSI
// code page; false when it does not convert or fit.
bool ComposeLongChild(LongPath path, const LongPath folder, const char* name, const char* ending);

// True when the file is removed (Windows may keep it until its last handle
// closes) or was not there.
bool DeleteLongPathIfPresent(const WCHAR* path);
