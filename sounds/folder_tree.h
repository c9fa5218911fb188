// The "audio" folder tree under the save directory.
#pragma once

#include "platform/trace.h"

// Creates the folder of CurrentCategory with its parents: 0 created,
// 1 existed, -1 no folder applies, the path does not fit or creation failed.
int CreateCategoryFolder();

// Formats a path into buffer, bounded by size. False when the whole path does
// not fit: the buffer then holds only its beginning, which names another
// file or folder and must not be used as a path.
bool FormatPath(char* buffer, int size, const char* format, ...) TRACE_FORMAT(3, 4);
