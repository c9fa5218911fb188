// CFG_BROADCAST.bin in the save directory: the record's 86 bytes, in order.
#pragma once

#include <cstdint>

#include "model/broadcast_config.h"

extern const char kConfigFileName[];

// Size of a file in bytes; 0 when it cannot be opened. A size that does not
// fit in 32 bits is reported as INT32_MAX, never as a wrapped value.
int32_t FileSizeOf(const char* path);

// Writes Config to the configuration file through a temporary file that
// replaces it in one step, so a failed write leaves the previous file intact.
// Returns 0 when all 86 bytes reached the medium, as read back past the file
// cache both before and after the replacement, under a name made durable;
// -1 otherwise, with the previous file back under its name.
int WriteConfigFile();

// Loads the configuration file into Config when it is exactly 86 bytes long.
// Returns 0 when loaded, -1 with Config untouched otherwise.
int ReadConfigFile();

// Both first look after a missing configuration file: a temporary record
// that an interrupted write left is put in its place only when it is known
// to have passed its check on the card, and is removed otherwise.

// What the save directory holds under the configuration file's own name,
// against record. Only that file is looked at: a record left under another
// name by an interrupted write is neither put in place nor removed.
enum SavedRecord {
    kNoSavedRecord,    // missing, unreadable, or not exactly 86 bytes
    kSavedRecordSame,  // the same 86 bytes as record
    kSavedRecordOther, // 86 bytes that differ from record
};
SavedRecord CompareSavedRecord(const BroadcastConfig& record);
