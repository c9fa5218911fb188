// The names a sound passes through on its way into its folder on the card,
// and the settling of what an interrupted Copy left there.
#pragma once

#include "platform/file_replace.h"
#include "platform/folder_search.h"

// The names of a sound in a folder given in long form: its own, the folder's
// temporary file, "<name>.NEW" once checked and "<name>.OLD" for the earlier
// copy. False when one does not convert or fit.
bool ComposeSoundPaths(ReplacePaths* paths, const LongPath folder, const char* name);

// A file of a sound's name stands whole unless it is empty or a RIFF file
// whose header says it is longer than it is: what a rename cut short leaves
// under a name, or a write cut short.
bool IsWholeSound(uint64_t length, const unsigned char* head);

// Settles a folder a Copy is about to write to: the temporary file goes (and
// with it an empty file under a sound's name, which is what a new sound's
// rename from it leaves when cut short), and every sound that waits under a
// name of its own (checked, or moved aside) is settled, so that the name
// holds the sound whole, the earlier copy or the new one, also when its
// source is gone. Files that are not ours stay as they are. listing receives
// what the folder then holds.
void SettleSoundFolder(const char* folder, FolderListing* listing);
