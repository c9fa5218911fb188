// The record a save directory holds under the configuration file's name,
// read as it stands there.
#pragma once

#include "model/broadcast_config.h"

// Reads CFG_BROADCAST.bin of the save directory into record when it is
// exactly 86 bytes; false, with record untouched, when it is missing,
// unreadable or of another size. Only that file is looked at: a record that
// an interrupted write left under another name is neither put in place nor
// removed.
bool ReadSavedRecord(BroadcastConfig* record);
