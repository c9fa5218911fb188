#include "platform/volume_space.h"

#include <windows.h>

bool QueryVolumeSpace(const char* path, VolumeSpace* space)
{
    // GetDiskFreeSpaceA wants the volume's root (or mount folder), which
    // GetVolumePathNameA finds also for a path not made yet.
    char root[MAX_PATH] = {};
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    ULARGE_INTEGER freeToCaller = {}, total = {};
    if (!GetVolumePathNameA(path, root, MAX_PATH) ||
        !GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters) ||
        !GetDiskFreeSpaceExA(root, &freeToCaller, &total, nullptr))
        return false;
    space->ClusterSize = static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector;
    space->FreeToCaller = freeToCaller.QuadPart;
    space->Total = total.QuadPart;
    return true;
}
