// Text values of the current user's part of the registry (HKEY_CURRENT_USER).
#pragma once

// Reads the REG_SZ value name of key into text (size bytes with the
// terminating zero). False when the key or the value is missing, cannot be
// read, is of another type or does not fit; text is then empty.
bool ReadUserText(const char* key, const char* name, char* text, int size);

// Writes text as the REG_SZ value name of key, creating the key when it is
// missing. False when the registry refused it.
bool WriteUserText(const char* key, const char* name, const char* text);
