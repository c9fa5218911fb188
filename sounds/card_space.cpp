#include "sounds/card_space.h"

#include <cstdio>

#include "platform/volume_space.h"
#include "texts/interface_texts.h"

namespace {

const uint64_t kMegabyte = 1 << 20;

VolumeSpace g_Volume = {};
bool g_VolumeKnown = false;
// What the sounds counted so far add to the card once copied (less where
// they replace larger copies), and the most they add at any moment.
int64_t g_Added = 0;
int64_t g_Peak = 0;

// A file takes whole clusters.
int64_t InClusters(uint64_t bytes)
{
    uint64_t cluster = g_Volume.ClusterSize;
    return static_cast<int64_t>((bytes + cluster - 1) / cluster * cluster);
}

} // namespace

void StartRoomCount(const char* saveDir)
{
    g_VolumeKnown =
        QueryVolumeSpace(saveDir, &g_Volume) && g_Volume.Total > 0 && g_Volume.ClusterSize > 0;
    g_Added = 0;
    g_Peak = 0;
}

void CountRoomFor(const char* target, uint64_t size)
{
    if (!g_VolumeKnown)
        return;
    // The new file is written whole while the earlier copy still stands
    // aside; only once the new one has its name is the earlier one removed.
    int64_t written = InClusters(size);
    if (g_Added + written > g_Peak)
        g_Peak = g_Added + written;
    g_Added += written - InClusters(ExistingFileSize(target));
}

bool RoomSuffices(char* refusal, size_t size)
{
    uint64_t needed = static_cast<uint64_t>(g_Peak);
    if (!g_VolumeKnown || needed <= g_Volume.FreeToCaller)
        return true;
    snprintf(refusal, size, TextPair(MessageTable, kMsgNotEnoughSpace),
             static_cast<unsigned long long>((needed + kMegabyte - 1) / kMegabyte),
             static_cast<unsigned long long>(g_Volume.FreeToCaller / kMegabyte));
    return false;
}
