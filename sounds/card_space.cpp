#include "sounds/card_space.h"

#include <cstdio>

#include "texts/interface_texts.h"
#include "texts/shown_language.h"

namespace {

const uint64_t kMegabyte = 1 << 20;
// A file is written in whole pieces of this size, its end set afterwards.
const uint64_t kWritePiece = 4096;

uint64_t RoundUp(uint64_t bytes, uint64_t unit)
{
    return (bytes + unit - 1) / unit * unit;
}

// A file takes whole clusters.
int64_t InClusters(const CardRoom& room, uint64_t bytes)
{
    return static_cast<int64_t>(RoundUp(bytes, room.Volume.ClusterSize));
}

} // namespace

CardRoom StartRoomCount(const VolumeSpace* volume)
{
    CardRoom room = {};
    room.Known = volume && volume->Total > 0 && volume->ClusterSize > 0;
    if (room.Known)
        room.Volume = *volume;
    return room;
}

void CountSound(CardRoom* room, uint64_t size, uint64_t replacedSize)
{
    if (!room->Known)
        return;
    // The new file is written whole, to its last piece, while the earlier
    // copy still stands; only once the new one has the name is the earlier
    // one removed, and the new one cut to its length.
    int64_t written = InClusters(*room, RoundUp(size, kWritePiece));
    if (room->Added + written > room->Peak)
        room->Peak = room->Added + written;
    room->Added += InClusters(*room, size) - InClusters(*room, replacedSize);
}

bool RoomSuffices(const CardRoom& room, char* refusal, size_t size)
{
    uint64_t needed = room.Peak > 0 ? static_cast<uint64_t>(room.Peak) : 0;
    if (!room.Known || needed <= room.Volume.FreeToCaller)
        return true;
    snprintf(refusal, size, TextPair(MessageTable, kMsgNotEnoughSpace),
             static_cast<unsigned long long>((needed + kMegabyte - 1) / kMegabyte),
             static_cast<unsigned long long>(room.Volume.FreeToCaller / kMegabyte));
    return false;
}
