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
    char path[kConfigPathSize];
    char tempPath[kConfigPathSize];
    bool fits = ComposeSavePath(path, kConfigFileName);
    fits = ComposeSavePath(tempPath, kTempFileName) && fits;

    HANDLE file = fits ? CreateFileForWrite(tempPath) : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) {
        Trace("Open file - \"%s\" err!\n", path);
        Trace("%s", kSeparator);
        return -1;
    }
    Trace("Open file - \"%s\" success!\n", path);
    bool written = WriteFlushAndClose(file, &g_Session.Config, kConfigRecordSize) &&
                   ReplaceFileWith(tempPath, path);
    if (!written)
        DeleteFileIfPresent(tempPath);
    Trace("%s", kSeparator);
    return written ? 0 : -1;
}

int ReadConfigFile()
{
    Trace("sizeof = %d\n", kConfigRecordSize);
    char path[kConfigPathSize];
    int32_t size = ComposeSavePath(path, kConfigFileName) ? FileSizeOf(path) : 0;
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
