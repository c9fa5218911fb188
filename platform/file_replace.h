// Putting a new file, checked on the card, in the place of an earlier one,
// so that a card pulled or a program killed at any moment leaves the earlier
// file or the new one, whole; and settling what such a moment left.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "platform/long_path.h"

// The names a new file passes through on its way to its own. Each says how
// far the file has come:
struct ReplacePaths {
    LongPath Target;    // the file's own name
    LongPath Temp;      // being written and checked; never trusted
    LongPath Checked;   // read back whole from the medium and durable there
    LongPath Displaced; // the earlier file, while the new one takes the name
};

// Whether a file is whole by what it says of itself: its length and its
// first kHeadSize bytes (zeros past its end).
const size_t kHeadSize = 12;
typedef bool (*WholeTest)(uint64_t length, const unsigned char* head);

// Creates Temp for a new file to be written and read back past the file
// cache, open with the access to rename it and make its names durable.
HANDLE CreateTempFile(const ReplacePaths& paths);

// How a checked file goes to its name: where the name is free, straight from
// Temp (a rename cut short then leaves, at worst, an empty file under Target
// beside Temp, which the caller's settling must take away), or always by way
// of Checked.
enum PlaceRoute { kStraightWhenFree, kThroughChecked };

// Puts the new file, open as file under Temp, written, flushed and checked
// there, in Target's place, and closes it. Where Target holds a file, the
// new one takes the name Checked first and is made durable under it before
// the earlier file moves aside to Displaced (a stale file there is removed
// first); only a file that holds Target as its own long name moves: one that
// answers to it only through its short (8.3) alias, a read-only file and a
// folder are refused. Target's new name is made durable too (a rename is not
// written through by itself). On failure the earlier file has its name back
// and the new file is removed, unless the earlier one could not get its name
// back: then the new one stays as Checked, to be settled later. movedAside
// says whether Displaced holds the earlier file, which stays there.
bool PlaceCheckedFile(HANDLE file, const ReplacePaths& paths, PlaceRoute route, bool* movedAside);

// Removes the earlier file from Displaced once a file stands under Target:
// one that opens (a file pending deletion does not). False when none stands.
bool RemoveDisplaced(const ReplacePaths& paths);

// Takes a placed file back from Target, by way of the free name aside, which
// frees the name at once (a removal can wait for the last handle to close),
// and gives the earlier file its name back when it was moved aside.
void TakeBackPlacedFile(const ReplacePaths& paths, bool movedAside, const WCHAR* aside);

// What settling the files waiting for Target found and did.
enum SettleOutcome {
    kNothingWaits,  // nothing waited under Checked or Displaced
    kSettled,       // Target holds a whole file, or nothing whole waits any more
    kCheckedWaits,  // a whole checked file could not take the name; it stays
    kDisplacedWaits // a whole earlier file could not get its name back; it stays
};

// Settles what an interrupted replacement left, whatever step it stopped at
// and however far a rename had come: a whole checked file takes Target's name
// (the file there moves aside, or is removed when it is not whole); else a
// whole file under Target stays and the earlier file goes; else a whole
// earlier file gets its name back (a file under Target that is not whole
// removed). A file is removed only where a whole one stands under Target or
// takes its place, or where it is a checked file that is not whole, so
// nothing whole is ever lost; a Target that is pending deletion, held, a
// folder, read-only or only another file's alias is left as it is, and so is
// what waits for it. Temp is not looked at.
SettleOutcome SettleWaitingFiles(const ReplacePaths& paths, WholeTest whole);

// Whether the file at path opens, reads and is whole by whole; false where it
// is missing or cannot be read.
bool IsFileWhole(const WCHAR* path, WholeTest whole);
