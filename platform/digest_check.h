// Checking a file on the card again against the digest of the bytes it was
// given.
#pragma once

#include "platform/content_digest.h"
#include "platform/medium_io.h"

// What reading a file back against a digest found.
enum FileCheck {
    kFileMatches,
    kFileDiffers,   // read to its end: other bytes or another length
    kFileUnchecked, // not opened or not read to its end: nothing is known against it
};

// Reads path back from the medium, past the file cache, and tells whether it
// still holds the bytes that digest was taken of. Only a file read to its
// end can differ: an error (a card not ready, a read cut short, a file
// another program holds) proves nothing against its bytes. An open refused
// for sharing or access is tried again for about a second first, as a virus
// scanner or a sync tool holds a new file for a moment.
FileCheck CheckFileDigest(const char* path, const ContentDigest& digest,
                          const WorkProgress& progress);

// The same for a few bytes in memory: true only when the file holds exactly
// them.
bool FileHoldsOnMedium(const char* path, const void* data, DWORD size);
