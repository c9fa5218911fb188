// Whether the card holds a sound in every folder its settings play from.
#pragma once

#include <cstddef>

#include "model/broadcast_config.h"
#include "model/session_state.h"
#include "sounds/sound_categories.h"

// What the settings play from, found on the card. Each folder counts once;
// so does each value of a setting that names no folder (a byte outside its
// list, as a file made elsewhere can hold), which never holds a sound.
struct CardReadiness {
    int Places;
    int Silent; // the places that hold no sound
    // The first of them in playing order (sensing, timing A, timing B, each
    // plan in hour order): the folder's full path, or the setting as the
    // trace prints it ("type[5] = 200").
    char FirstSilent[kPathSize + kTargetFolderSize];
};

// Looks at the folders below saveDir that config plays from, and writes
// nothing. A folder holds a sound when one of its own files (not those of
// its subfolders) is named "*.wav" and begins with a RIFF header of form
// WAVE whose size fits the file. It reads only what it is given, so any
// thread may run it.
CardReadiness CheckCardReadiness(const char* saveDir, const BroadcastConfig& config);

// The status line's text when a place holds no sound; false, text left as
// it is, when every one holds a sound.
bool ComposeNotReadyLine(const CardReadiness& readiness, char* text, size_t size);
