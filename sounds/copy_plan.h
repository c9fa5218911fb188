// What a Copy works out before it writes anything, and the sound files of a
// category as the plan and the copy find them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/folder_search.h"
#include "sounds/copy_job.h"

// Reads the page's ticks once, settles each ticked category's folder on the
// card (so that the room is counted on a card put right), counts the sounds
// of each source folder and the room they take; returns the bytes to read
// and write.
uint64_t PlanCopy(CopyJob* job, HWND dialog, int page);

// The search for the sound files of a folder; false when it cannot start.
// A folder too long for the pattern has no files that could be named.
bool StartSoundSearch(FolderSearch* search, const char* folder);

// Every entry the search returns is a sound to copy, but for names that
// begin with a full stop.
bool IsSound(const FolderSearch& search);

// "<SaveDir>\<category's target folder>[\<name>]"; false when the path does
// not fit.
bool FormatCategoryPath(char (&path)[kPathSize], const SoundCategory& category, const char* name);
