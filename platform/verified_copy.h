// Writing a new file onto the card so that the card is known to hold it
// before it takes the place of an earlier one.
#pragma once

#include <windows.h>

#include "platform/content_digest.h"
#include "platform/file_replace.h"
#include "platform/medium_io.h"

// Copies source to paths.Temp, writing past the file cache, flushes it, reads
// it back past the cache and checks it against a digest of the bytes read
// from the source, and only then puts it in Target's place (PlaceCheckedFile,
// straight where the name is free); the earlier file is removed once the new
// one stands.
// The copy takes the bytes only, not the source's times or attributes. The
// source is held open against writers until the check is done. True only
// when Target holds the source's bytes as read back from the medium; on any
// failure Temp is removed and Target stays as it was. progress counts each
// byte twice, written and read back. digest, where given, receives the
// digest of the bytes, for a later check without the source.
bool CopyFileVerified(const char* source, const ReplacePaths& paths, const WorkProgress& progress,
                      ContentDigest* digest);

// The same for bytes in memory, written through temp (from CreateTempFile),
// which this closes; they always pass through Checked. The earlier file stays aside (movedAside)
// for the caller to remove once it has checked the new one under its name.
bool WriteBytesVerified(HANDLE temp, const void* data, DWORD size, const ReplacePaths& paths,
                        bool* movedAside);
