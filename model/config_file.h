// CFG_BROADCAST.bin in the save directory: the record's 86 bytes, in order.
#pragma once

#include <cstdint>

#include "model/broadcast_config.h"

extern const char kConfigFileName[];

// Size of a file in bytes; 0 when it cannot be opened. A size that does not
// fit in 32 bits is reported as INT32_MAX, never as a wrapped value.
int32_t FileSizeOf(const char* path);

// Writes Config to the configuration file: under a temporary name first,
// read back from the card, then under the name of a checked record, and only
// then in the file's place, the older file waiting aside until the new one
// is checked again under its name. Returns 0 when all 86 bytes reached the
// medium, as read back past the file cache both before and after the
// replacement, under a name made durable; -1 otherwise, with the previous
// file back under its name.
int WriteConfigFile();

// Loads the configuration file into Config when it is exactly 86 bytes long.
// Returns 0 when loaded, -1 with Config untouched otherwise.
int ReadConfigFile();

// Both first settle what an interrupted Generate left: a whole checked
// record takes the file's name, else a whole file under it stays, else the
// whole older file gets its name back. The temporary record, which may be
// unchecked, is never loaded and is removed.

// Reads CFG_BROADCAST.bin of the save directory into record when it is
// exactly 86 bytes; false, with record untouched, when it is missing,
// unreadable or of another size. Only that file is looked at: a record that
// an interrupted write left under another name is neither put in place nor
// removed.
bool ReadSavedRecord(BroadcastConfig* record);
