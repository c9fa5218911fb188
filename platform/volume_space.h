// How much room a volume has, in the units it allocates files in.
#pragma once

#include <cstdint>

struct VolumeSpace {
    uint64_t ClusterSize;  // a file takes whole clusters of this many bytes
    uint64_t FreeToCaller; // free bytes this user may fill, quotas counted
    uint64_t Total;        // 0 where the volume tells no size
};

// The volume that holds path, or would hold it once made. False when the
// volume cannot be asked.
bool QueryVolumeSpace(const char* path, VolumeSpace* space);
