#include "model/config_file.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "model/session_state.h"
#include "platform/digest_check.h"
#include "platform/file_replace.h"
#include "platform/verified_copy.h"
#include "platform/trace.h"

const char kConfigFileName[] = "CFG_BROADCAST.bin";

namespace {

// 8.3 names, which the device never loads: it reads a FAT32 card.
// The new record while it is written and checked.
const char kTempFileName[] = "CFGBCAST.TMP";
// The new record once checked on the card, until it takes the file's name.
const char kCheckedFileName[] = "CFGBCAST.NEW";
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

// The configuration file and the names it passes through on the card: the
// narrow paths the trace and the narrow file functions take, and the same in
// long form for the replacement.
struct ConfigPaths {
    char File[kConfigPathSize];
    char Checked[kConfigPathSize];
    char Displaced[kConfigPathSize];
    ReplacePaths Replace;
    LongPath Rejected;
};

bool ComposeConfigPaths(ConfigPaths* paths)
{
    LongPath folder;
    ReplacePaths& replace = paths->Replace;
    return ComposeSavePath(paths->File, kConfigFileName) &&
           ComposeSavePath(paths->Checked, kCheckedFileName) &&
           ComposeSavePath(paths->Displaced, kDisplacedFileName) &&
           ComposeLongFolder(folder, g_Session.SaveDir) &&
           ComposeLongChild(replace.Target, folder, kConfigFileName, "") &&
           ComposeLongChild(replace.Temp, folder, kTempFileName, "") &&
           ComposeLongChild(replace.Checked, folder, kCheckedFileName, "") &&
           ComposeLongChild(replace.Displaced, folder, kDisplacedFileName, "") &&
           ComposeLongChild(paths->Rejected, folder, kRejectedFileName, "");
}

// A record is whole when it has the record's size: a rename cut short can
// leave a name with 0 bytes beside the whole file.
bool IsWholeRecord(uint64_t length, const unsigned char*)
{
    return length == static_cast<uint64_t>(kConfigRecordSize);
}

// A card pulled or a program ended during Generate can leave the record
// under the names it passes through. The temporary record may be unchecked:
// it is removed, never loaded. A whole checked record then takes the file's
// name, or else a whole file under the name stays, or else the whole older
// file gets its name back; whatever is not whole under the name gives way to
// a whole record beside it. This comes before anything looks for the file
// or writes a new one. Nothing that may be the only good record is removed:
// a whole record that cannot be put in place stays as it is, the trace says
// so, and the result is false.
bool SettleRecord(const ConfigPaths& paths)
{
    DeleteLongPathIfPresent(paths.Replace.Temp);
    switch (SettleWaitingFiles(paths.Replace, IsWholeRecord)) {
        case kCheckedWaits:
            Trace("Rename file - \"%s\" err!\n", paths.Checked);
            return false;
        case kDisplacedWaits:
            Trace("Rename file - \"%s\" err!\n", paths.Displaced);
            return false;
        default:
            return true;
    }
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
    // A whole record left waiting that could not be put in place is neither
    // overwritten nor removed: Generate fails.
    bool ready = fits && SettleRecord(paths);

    HANDLE file = ready ? CreateTempFile(paths.Replace) : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) {
        Trace("Open file - \"%s\" err!\n", path);
        Trace("%s", kSeparator);
        return -1;
    }
    Trace("Open file - \"%s\" success!\n", path);
    // The record is checked on the medium before it replaces the older file,
    // so a card that stored other bytes never costs the good file, and again
    // under its own name once in place; the older file waits aside until then
    // and gets its name back when that check fails.
    const BroadcastConfig& record = g_Session.Config;
    bool movedAside = false;
    bool written = WriteBytesVerified(file, &record, kConfigRecordSize, paths.Replace, &movedAside);
    if (written && !FileHoldsOnMedium(path, &record, kConfigRecordSize)) {
        // Taken away under a name of its own, which nothing ever loads.
        TakeBackPlacedFile(paths.Replace, movedAside, paths.Rejected);
        written = false;
    } else if (written && movedAside) {
        RemoveDisplaced(paths.Replace);
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
        SettleRecord(paths);
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

bool ReadSavedRecord(BroadcastConfig* record)
{
    char path[kConfigPathSize];
    if (!ComposeSavePath(path, kConfigFileName) || FileSizeOf(path) != kConfigRecordSize)
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
