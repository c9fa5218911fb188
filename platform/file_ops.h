// File-system operations of the Windows platform that the logic relies on.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "platform/content_digest.h"

#include "platform/narrow_names.h"

// Creates or truncates a file for writing; INVALID_HANDLE_VALUE on failure.
HANDLE CreateFileForWrite(const char* path);

// Writes all bytes, flushes them to the medium and closes the file. False if
// any step failed; the file is closed in every case.
bool WriteFlushAndClose(HANDLE file, const void* data, DWORD size);

// Gives source the name target and makes the new name durable on the
// medium. A target that holds that name as its own long name is first moved
// aside to displaced, where it stays: a card pulled meanwhile holds the older
// or the newer file, never a file cut short under target's name (a rename
// over a file can free the older file's clusters before the new name is
// written). A file that answers to the name only through its short (8.3)
// alias, a read-only target and a folder are refused, not touched. On
// failure the older file has its name back, and source keeps its own unless
// the new name could not be made durable: then the new file is removed.
// movedAside says whether displaced holds the older file.
bool MoveIntoPlace(const char* source, const char* target, const char* displaced, bool* movedAside);

// Takes the new file away from target and, when the older file was moved
// aside, gives it its name back. The new file is renamed to aside first,
// which frees the name at once (a removal can wait for the last handle to
// close), and is then removed; where it cannot be renamed it is removed
// under target's name.
void PutBackDisplaced(const char* target, const char* displaced, bool movedAside,
                      const char* aside);

// Gives the file at from the free name to and makes that name durable. It
// removes nothing: a file whose new name cannot be made durable keeps it.
// True only when both steps succeeded.
bool RenameDurably(const char* from, const char* to);

// A file that MoveIntoPlace moved aside to displaced, found later: while
// nothing stands under target it gets that name back; once target holds a
// file of its own long name (the new file arrived) it is removed; otherwise
// it is left as it is.
void SettleDisplaced(const char* displaced, const char* target);

// MoveIntoPlace, then the older file is removed.
bool ReplaceFileWith(const char* source, const char* target, const char* displaced);

bool DeleteFileIfPresent(const char* path);
// True only when nothing at all stands under the path.
bool FileIsAbsent(const char* path);
bool IsFolder(const char* path);
// Whether two paths name one existing file or folder, however spelled. Where
// the file system reports no file index, the full paths decide.
bool IsSameFile(const char* first, const char* second);

// Reads the current directory. False when it cannot be read; otherwise form
// tells whether the buffer now holds it (kNarrowExact) or its narrow form does
// not fit or would name another folder, and the buffer is left as it was.
bool QueryCurrentDirectory(char* buffer, int size, NarrowForm* form);

// Told, after each piece of long file work, how many bytes of it are done;
// false has the work abandoned (it then fails). It runs on the thread that
// does the work.
typedef bool (*CopyProgress)(uint64_t bytesDone);

// Copies source to tempPath (a temporary name in the target's folder, chosen
// by the caller), writing past the file cache, flushes it to the medium, reads
// it back past the cache and checks it against a digest of the bytes read
// from the source, and only then puts it in place of target. The copy takes
// the bytes only, not the source's times or attributes.
// The source is held open against writers until the check is done. True
// only when target holds the source's bytes as read back from the medium; on
// any failure tempPath is removed and target stays exactly as it was. A
// read-only target or a folder at the target is refused. progress may be null;
// it counts each byte twice, written and read back. digest, where given,
// receives the digest of the bytes, for a later check without the source.
// The file it replaces is moved aside to displacedPath meanwhile, as
// ReplaceFileWith does.
bool CopyFileVerified(const char* source, const char* target, const char* tempPath,
                      const char* displacedPath, CopyProgress progress,
                      ContentDigest* digest = nullptr);

// What reading a file back against a digest found.
enum FileCheck {
    kFileMatches,
    kFileDiffers, // other bytes, a read that failed, or no such file any more
    kFileHeld,    // it cannot be opened: another program holds it (sharing or access refused)
};

// Reads path back from the medium, past the file cache, and tells whether it
// still holds the bytes that digest was taken of. An open refused for
// sharing or access is tried again for about a second first, as a virus
// scanner or a sync tool holds a new file for a moment.
FileCheck CheckFileDigest(const char* path, const ContentDigest& digest, CopyProgress progress);

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
