// Everything the program remembers while it runs, in one static instance.
#pragma once

#include <windows.h>

#include <cstdint>

#include "model/broadcast_config.h"
#include "resources/control_map.h"

const int kPathSize = 260;
const int kCopyStatusSize = 324;

// The languages of the texts; LanguageIndex and the remembered choice keep
// these numbers.
enum Language : int32_t {
    kChinese = 0, // Simplified Chinese
    kEnglish = 1,
};

struct SessionState {
    int32_t FirstInit;
    char SaveDir[kPathSize];
    BroadcastConfig Config;
    Language LanguageIndex;
    HINSTANCE InstanceHandle;
    ::ControlMap ControlMap;
    char SenseSpecPath[10][kPathSize]; // by AnimalIndex, shared by the three animal pages
    char RandPath[kPathSize];          // shared by the three random categories
    int32_t CurrentCategory;           // CategoryKey while a copy runs, else 0
    char CopyStatusText[kCopyStatusSize];
    uint32_t PlanTabIndex;
    uint32_t CopyTabIndex;
};

// The values the program holds before the window opens.
SessionState StartSessionState();

extern SessionState g_Session;
