// File-system operations of the Windows platform that the logic relies on.
#pragma once

#include <windows.h>

#include <cstddef>

#include "platform/narrow_names.h"

// Creates or truncates a file for writing; INVALID_HANDLE_VALUE on failure.
HANDLE CreateFileForWrite(const char* path);

// Writes all bytes, flushes them to the medium and closes the file. False if
// any step failed; the file is closed in every case.
bool WriteFlushAndClose(HANDLE file, const void* data, DWORD size);

// Gives source the name target, writing through to the medium. An existing
// target is first moved aside to displaced and removed only once source has
// its name: a card pulled meanwhile holds the older or the newer file, never
// a file cut short under target's name (a rename over a file can free the
// older file's clusters before the new name is written). A read-only target
// is refused, not overridden.
bool ReplaceFileWith(const char* source, const char* target, const char* displaced);

bool DeleteFileIfPresent(const char* path);
// True only when nothing at all stands under the path.
bool FileIsAbsent(const char* path);
bool IsFolder(const char* path);

// Reads the current directory. False when it cannot be read; otherwise form
// tells whether the buffer now holds it (kNarrowExact) or its narrow form does
// not fit or would name another folder, and the buffer is left as it was.
bool QueryCurrentDirectory(char* buffer, int size, NarrowForm* form);

// Called now and then during long file work, at most every few tens of
// milliseconds, so that the caller's window can stay responsive.
typedef void (*CopyProgress)();

// Copies source to tempPath (a temporary name in the target's folder, chosen
// by the caller), writing past the file cache, flushes it to the medium, reads
// it back past the cache and compares it with the source, and only then puts
// it in place of target. The copy takes the bytes only, not the source's
// times or attributes.
// The source is held open against writers until the compare is done. True
// only when target holds the source's bytes as read back from the medium; on
// any failure tempPath is removed and target stays exactly as it was. A
// read-only target or a folder at the target is refused. progress may be null.
// The file it replaces is moved aside to displacedPath meanwhile, as
// ReplaceFileWith does.
bool CopyFileVerified(const char* source, const char* target, const char* tempPath,
                      const char* displacedPath, CopyProgress progress);

// Reads path back from the medium, past the file cache, and compares its size
// and bytes with source.
bool FileMatchesOnMedium(const char* path, const char* source, CopyProgress progress);

// Reads a small file back from the medium, past the file cache, and compares
// it with data.
bool FileHoldsOnMedium(const char* path, const void* data, DWORD size);

// Creates a folder with every missing parent: 0 or a system error code.
int CreateFolderTree(const char* path);

WORD SystemLanguageId();

// Wildcard enumeration of a folder. The entry's names are given in the ANSI
// code page; nameExact is false when that cannot hold the long name exactly
// (or it does not fit): entry.cFileName then names no file, never another one.
struct FolderSearch {
    HANDLE handle;
    WIN32_FIND_DATAA entry;
    bool nameExact;
};
bool StartFolderSearch(FolderSearch* search, const char* pattern);
bool NextFolderEntry(FolderSearch* search);
void EndFolderSearch(FolderSearch* search);
