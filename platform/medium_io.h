// Reading and writing a card past the system's file cache, so that what is
// read back is what the medium holds.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/content_digest.h"

// Told, after each piece of long file work, how many bytes of it are done;
// false has the work abandoned (it then fails). It runs on the thread that
// does the work. A null Note is told nothing and never abandons.
struct WorkProgress {
    bool (*Note)(void* context, uint64_t bytesDone);
    void* Context;
};

// True while the work may go on.
bool NoteProgress(const WorkProgress& progress, uint64_t bytesDone);

// Reads past the file cache must start at a sector boundary, into memory
// aligned to a sector, for a multiple of the sector size. Whole chunks of
// 1 MiB read from offset 0 into page-aligned memory are all three for every
// sector size there is, so the sector size need not be asked for.
const DWORD kChunkSize = 1 << 20;

// One chunk for the life of the process, so a small file costs no
// allocation; null when there is no memory for it. One thread at a time
// uses it: the window runs no Generate while a copy runs.
unsigned char* MediumChunk();

// Opens a file past the file cache.
HANDLE OpenOnMedium(const WCHAR* path, DWORD access, DWORD share, DWORD disposition);

// What reading a file back from the medium found.
enum MediumRead {
    kReadMatches, // its whole length was read: the bytes of the digest
    kReadDiffers, // its whole length was read: other bytes, or another length
    kReadFailed,  // it could not be read to its end: nothing is known of its bytes
};

// Reads the file, open past the cache at its start, to its end and compares
// it with digest. doneBefore is the work done before this read, for progress.
MediumRead ReadBackAgainst(HANDLE medium, const ContentDigest& digest, const WorkProgress& progress,
                           uint64_t doneBefore);
