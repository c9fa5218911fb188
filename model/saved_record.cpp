#include "model/saved_record.h"

#include <cstdio>
#include <cstring>

#include "model/config_file.h"
#include "model/session_state.h"

bool ReadSavedRecord(BroadcastConfig* record)
{
    char path[2 * kPathSize]; // the save directory, a backslash and the name
    int length = snprintf(path, sizeof path, "%s\\%s", g_Session.SaveDir, kConfigFileName);
    if (length < 0 || length >= static_cast<int>(sizeof path) ||
        FileSizeOf(path) != kConfigRecordSize)
        return false;
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    // One byte more than the record: a file that grew since it was sized is
    // no record either.
    unsigned char image[kConfigRecordSize + 1] = {};
    size_t count = fread(image, 1, sizeof image, file);
    fclose(file);
    if (count != static_cast<size_t>(kConfigRecordSize))
        return false;
    memcpy(record, image, kConfigRecordSize);
    return true;
}
