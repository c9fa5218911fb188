#include "model/config_file.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "model/session_state.h"
#include "platform/file_ops.h"
#include "platform/trace.h"

const char kConfigFileName[] = "CFG_BROADCAST.bin";

namespace {

// An 8.3 name: the device reads a FAT32 card.
const char kTempFileName[] = "CFGBCAST.TMP";
// Where the older file waits while the new one takes its name.
const char kDisplacedFileName[] = "CFGBCAST.OLD";
// A record that the card did not store right under the file's name passes
// through this name on its way out; nothing ever loads or promotes it.
const char kRejectedFileName[] = "CFGBCAST.BAD";
// The save directory, a backslash and the file name, as the device's tools
// have always composed it.
const int kConfigPathSize = 269;
const char kSeparator[] = "________________________________________________\n";

// Composes "<SaveDir>\<name>"; false when it does not fit.
bool ComposeSavePath(char (&path)[kConfigPathSize], const char* name)
{
    int length = snprintf(path, sizeof path, "%s\\%s", g_Session.SaveDir, name);
    return length >= 0 && length < kConfigPathSize;
}

// The stream's buffer size right after opening, where the runtime exposes it.
int StreamBufferSize(FILE* stream)
{
#if defined(__MINGW32__) && !defined(_UCRT)
    return stream->_bufsiz;
#else
    (void)stream;
    return 0;
#endif
}

// The configuration file and the names it passes through on the card.
struct ConfigPaths {
    char File[kConfigPathSize];
    char Temp[kConfigPathSize];
    char Displaced[kConfigPathSize];
    char Rejected[kConfigPathSize];
};

bool ComposeConfigPaths(ConfigPaths* paths)
{
    bool fits = ComposeSavePath(paths->File, kConfigFileName);
    fits = ComposeSavePath(paths->Temp, kTempFileName) && fits;
    fits = ComposeSavePath(paths->Rejected, kRejectedFileName) && fits;
    return ComposeSavePath(paths->Displaced, kDisplacedFileName) && fits;
}

// A card pulled during Generate can leave no configuration file. The older
// file stands aside as CFGBCAST.OLD only while a new record that passed its
// check on the card waits under the temporary name (WriteConfigFile leaves
// none standing aside before it writes one), so beside it the temporary
// record is put in place. Any other temporary record may be unchecked or
// known bad: it is removed, never loaded, and a complete older file gets its
// name back. This comes before anything looks for the file or overwrites
// the temporary one. Nothing that may be the only good record is removed:
// one that cannot be put in place, or whose new name cannot be made
// durable, stays as it is, and the result is false; the older file is
// removed only once the newer record stands durably under the file's name.
bool RestoreLoneRecord(const ConfigPaths& paths)
{
    if (!FileIsAbsent(paths.File))
        return true;
    const char* waiting = paths.Displaced;
    if (!FileIsAbsent(paths.Displaced) && !IsFolder(paths.Displaced) &&
        FileSizeOf(paths.Temp) == kConfigRecordSize) {
        waiting = paths.Temp;
    } else {
        DeleteFileIfPresent(paths.Temp);
        if (FileSizeOf(paths.Displaced) != kConfigRecordSize)
            return true;
    }
    if (!RenameDurably(waiting, paths.File)) {
        Trace("Rename file - \"%s\" err!\n", waiting);
        return false;
    }
    if (waiting == paths.Temp)
        DeleteFileA(paths.Displaced);
    return true;
}

void TraceLoadedFields(const BroadcastConfig& config)
{
    Trace("Ena = %d\n", config.Ena);
    Trace("Vol = %d\n", config.Vol);
    Trace("TimerMod = %d\n", config.TimerMod);
    Trace("SenMod = %d\n", config.SenMod);
    Trace("AlarmA = %d\n", config.AlarmA);
    Trace("AlarmB = %d\n", config.AlarmB);
    Trace("TMLPen = %d\n", config.TMLPen);
    Trace("Dly = %d\n", config.Dly);
    for (int hour = 0; hour < 24; ++hour)
        Trace("type[%d] = %d\n", hour, config.type[hour]);
}

} // namespace

int32_t FileSizeOf(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return 0;
    long long size = 0;
    if (_fseeki64(file, 0, SEEK_END) == 0)
        size = _ftelli64(file);
    fclose(file);
    if (size < 0)
        return 0;
    return size > INT32_MAX ? INT32_MAX : static_cast<int32_t>(size);
}

int WriteConfigFile()
{
    ConfigPaths paths;
    const char* path = paths.File;
    // A name as long as a path buffer cannot be opened by the narrow file
    // functions on Windows, so the record could not be read back under it.
    bool fits = ComposeConfigPaths(&paths) && strlen(path) < static_cast<size_t>(kPathSize);
    // A record left aside that could not be put in place is neither
    // overwritten nor removed: Generate fails.
    bool ready = fits && RestoreLoneRecord(paths);

    HANDLE file = ready ? CreateFileForWrite(paths.Temp) : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) {
        Trace("Open file - \"%s\" err!\n", path);
        Trace("%s", kSeparator);
        return -1;
    }
    Trace("Open file - \"%s\" success!\n", path);
    // An older file left standing aside would vouch for an unchecked record.
    bool olderCleared = DeleteFileIfPresent(paths.Displaced);
    if (!olderCleared)
        CloseHandle(file);
    // The record is checked on the medium before it replaces the older file,
    // so a card that stored other bytes never costs the good file, and again
    // under its own name once in place; the older file waits aside until then
    // and gets its name back when that check fails.
    const BroadcastConfig& record = g_Session.Config;
    bool movedAside = false;
    bool written = olderCleared && WriteFlushAndClose(file, &record, kConfigRecordSize) &&
                   FileHoldsOnMedium(paths.Temp, &record, kConfigRecordSize) &&
                   MoveIntoPlace(paths.Temp, path, paths.Displaced, &movedAside);
    if (!written) {
        DeleteFileIfPresent(paths.Temp);
    } else if (!FileHoldsOnMedium(path, &record, kConfigRecordSize)) {
        // Aside under a name of its own: under the temporary name, beside the
        // older file, it would be put in place at the next start.
        PutBackDisplaced(path, paths.Displaced, movedAside, paths.Rejected);
        written = false;
    } else if (movedAside) {
        // Left behind only if this fails; the next Generate removes it.
        DeleteFileA(paths.Displaced);
    }
    Trace("%s", kSeparator);
    return written ? 0 : -1;
}

int ReadConfigFile()
{
    Trace("sizeof = %d\n", kConfigRecordSize);
    ConfigPaths paths;
    const char* path = paths.File;
    bool fits = ComposeSavePath(paths.File, kConfigFileName);
    if (fits && ComposeConfigPaths(&paths))
        RestoreLoneRecord(paths);
    int32_t size = fits ? FileSizeOf(path) : 0;
    Trace("iGetFileSize = %d\n", size);
    if (size != kConfigRecordSize) {
        Trace("File szie != struct size!\n");
        return -1;
    }
    FILE* file = fopen(path, "rb");
    if (!file) {
        Trace("Open file - \"%s\" err!\n", path);
        return -1;
    }
    Trace("Open file - \"%s\" success!\n", path);
    Trace("_bufsiz = %d\n", StreamBufferSize(file));

    // Read into a local image first: a file that shrank since it was sized
    // must not leave a half-read record behind.
    unsigned char image[kConfigRecordSize] = {};
    size_t count = fread(image, 1, sizeof image, file);
    fclose(file);
    if (count != sizeof image)
        return -1;
    memcpy(&g_Session.Config, image, sizeof image);
    TraceLoadedFields(g_Session.Config);
    return 0;
}

SavedRecord CompareSavedRecord(const BroadcastConfig& record)
{
    char path[kConfigPathSize];
    if (!ComposeSavePath(path, kConfigFileName) || FileSizeOf(path) != kConfigRecordSize)
        return kNoSavedRecord;
    FILE* file = fopen(path, "rb");
    if (!file)
        return kNoSavedRecord;
    // One byte more than the record: a file that grew since it was sized is
    // no record either.
    unsigned char image[kConfigRecordSize + 1] = {};
    size_t count = fread(image, 1, sizeof image, file);
    fclose(file);
    if (count != static_cast<size_t>(kConfigRecordSize))
        return kNoSavedRecord;
    return memcmp(image, &record, kConfigRecordSize) == 0 ? kSavedRecordSame : kSavedRecordOther;
}
