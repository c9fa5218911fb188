// The device's playback configuration: 86 unsigned bytes, identical in memory
// and in CFG_BROADCAST.bin, with no header, padding or checksum.
#pragma once

#include <cstddef>
#include <cstdint>

struct BroadcastConfig {
    uint8_t Ena;       // playback switch: 0 off, 1 on
    uint8_t Vol;       // volume 1..8
    uint8_t PauseDays; // 1..30
    uint8_t PlayDaysA; // 1..30
    uint8_t PlayDaysB; // 1..30
    uint8_t TimerMod;  // 0 off, 1 periodic loop
    uint8_t SenMod;    // 0 off, 1 random, 2 time & file specified
    uint8_t Dly;       // playback delay, seconds 5..30
    uint8_t AlarmA;    // timing group A: 0 random, 1 time & file specified
    uint8_t AlarmB;    // timing group B: as AlarmA
    uint8_t type[24];  // sensing plan: AnimalIndex by hour
    uint8_t typeA[24]; // timing plan A
    uint8_t typeB[24]; // timing plan B
    uint8_t TMLPen;    // time lapse: 0 on, 1 off
    uint8_t ShotHour;  // shooting interval
    uint8_t ShotMin;
    uint8_t ShotSec;
};

const int kConfigRecordSize = 86;

static_assert(sizeof(BroadcastConfig) == kConfigRecordSize, "the file image is 86 bytes");
static_assert(offsetof(BroadcastConfig, Ena) == 0, "record layout");
static_assert(offsetof(BroadcastConfig, Vol) == 1, "record layout");
static_assert(offsetof(BroadcastConfig, PauseDays) == 2, "record layout");
static_assert(offsetof(BroadcastConfig, PlayDaysA) == 3, "record layout");
static_assert(offsetof(BroadcastConfig, PlayDaysB) == 4, "record layout");
static_assert(offsetof(BroadcastConfig, TimerMod) == 5, "record layout");
static_assert(offsetof(BroadcastConfig, SenMod) == 6, "record layout");
static_assert(offsetof(BroadcastConfig, Dly) == 7, "record layout");
static_assert(offsetof(BroadcastConfig, AlarmA) == 8, "record layout");
static_assert(offsetof(BroadcastConfig, AlarmB) == 9, "record layout");
static_assert(offsetof(BroadcastConfig, type) == 10, "record layout");
static_assert(offsetof(BroadcastConfig, typeA) == 34, "record layout");
static_assert(offsetof(BroadcastConfig, typeB) == 58, "record layout");
static_assert(offsetof(BroadcastConfig, TMLPen) == 82, "record layout");
static_assert(offsetof(BroadcastConfig, ShotHour) == 83, "record layout");
static_assert(offsetof(BroadcastConfig, ShotMin) == 84, "record layout");
static_assert(offsetof(BroadcastConfig, ShotSec) == 85, "record layout");

// The record before any file is loaded: playback off, volume 5, one-hour
// shooting interval with time lapse on.
BroadcastConfig DefaultBroadcastConfig();
