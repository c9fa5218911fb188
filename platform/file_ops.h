// File-system operations of the Windows platform that the logic relies on.
#pragma once

#include <windows.h>

#include "platform/narrow_names.h"

bool DeleteFileIfPresent(const char* path);
bool IsFolder(const char* path);
// Whether two paths name one existing file or folder, however spelled. Where
// the file system reports no file index, the full paths decide.
bool IsSameFile(const char* first, const char* second);

// Reads the current directory. False when it cannot be read; otherwise form
// tells whether the buffer now holds it (kNarrowExact) or its narrow form does
// not fit or would name another folder, and the buffer is left as it was.
bool QueryCurrentDirectory(char* buffer, int size, NarrowForm* form);

// Creates a folder with every missing parent: 0 or a system error code.
int CreateFolderTree(const char* path);

WORD SystemLanguageId();
