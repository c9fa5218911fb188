// After Generate: whether the card holds a sound in every folder the
// settings play from, found on a thread of its own while the message box is
// up, so that the window never waits on the card.
#pragma once

#include <windows.h>

#include "sounds/card_readiness.h"

struct ReadinessCheck {
    HANDLE Thread; // null: the check runs when its end is asked for
    char SaveDir[kPathSize];
    BroadcastConfig Config;
    CardReadiness Result;
};

// Starts checking the card in saveDir against config.
void StartReadinessCheck(ReadinessCheck* check, const char* saveDir, const BroadcastConfig& config);

// Waits for the check, the window alive and its input dropped meanwhile
// (platform/message_pump.h), and where a folder holds no sound says so on
// the status line, unless a command carried out meanwhile changed the line
// from shown.
void ShowReadinessWhenChecked(HWND dialog, ReadinessCheck* check, const char* shown);
