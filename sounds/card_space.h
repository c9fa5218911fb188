// The room a Copy needs on the card, worked out before it writes anything.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/volume_space.h"

// The count for one Copy. A volume that tells no size (some file systems
// give none) leaves nothing to tell a Copy apart from one that fits.
struct CardRoom {
    VolumeSpace Volume;
    bool Known;
    int64_t Added; // what the sounds counted so far add to the card once copied
    int64_t Peak;  // the most they add at any moment
};

// Starts the count for the volume given, or for one that tells no size (null).
CardRoom StartRoomCount(const VolumeSpace* volume);

// A sound of size bytes, in the order the sounds are copied, that replaces
// an earlier copy of replacedSize bytes (0 where it replaces none, or where
// the Copy cannot replace what stands there).
void CountSound(CardRoom* room, uint64_t size, uint64_t replacedSize);

// True when the sounds counted fit in the free room the card's volume gives
// this user, or when the volume tells no size. Otherwise refusal receives
// the text that says what is needed and what is free.
bool RoomSuffices(const CardRoom& room, char* refusal, size_t size);
