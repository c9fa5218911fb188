// The room a Copy needs on the card, worked out before it writes anything.
#pragma once

#include <cstddef>
#include <cstdint>

// Starts the count for a Copy into saveDir.
void StartRoomCount(const char* saveDir);

// A sound of size bytes to be written to target, where an earlier copy may
// stand; sounds are counted in the order they are copied.
void CountRoomFor(const char* target, uint64_t size);

// True when the sounds counted fit in the free room the card's volume gives
// this user, or when the volume tells no size (some file systems give
// none): then nothing tells the Copy apart from one that fits. Otherwise
// refusal receives the text that says what is needed and what is free.
bool RoomSuffices(char* refusal, size_t size);
