#include "platform/verified_copy.h"

#include <cstring>

namespace {

// What a new file's bytes are read from: an open file or bytes in memory.
struct Source {
    HANDLE File;
    const unsigned char* Bytes;
    DWORD Size;
};

bool TakeFromSource(Source* source, unsigned char* into, DWORD* got)
{
    if (source->File != INVALID_HANDLE_VALUE)
        return ReadFile(source->File, into, kChunkSize, got, nullptr) != 0;
    *got = source->Size < kChunkSize ? source->Size : kChunkSize;
    memcpy(into, source->Bytes, *got);
    source->Bytes += *got;
    source->Size -= *got;
    return true;
}

// Unbuffered writes go in whole sectors: the last piece of a file is padded
// to this, which is a multiple of every sector size in use, and the file is
// then cut back to its length.
const DWORD kSectorMultiple = 4096;
// A chunk is written in pieces of this size, a multiple of kSectorMultiple.
// Under Wine, single writes of 1 MiB ran at a third of their speed in some
// copies and not in others; pieces of 256 KiB ran at full speed in all.
const DWORD kWriteSize = 256 << 10;

// Writes the source into copy, which is open past the file cache, and takes
// the digest of the bytes read from the source.
bool WriteContents(Source source, HANDLE copy, unsigned char* chunk, const WorkProgress& progress,
                   DigestState* digest)
{
    LARGE_INTEGER length = {};
    for (;;) {
        DWORD got = 0;
        if (!TakeFromSource(&source, chunk, &got))
            return false;
        AddToDigest(digest, chunk, got);
        DWORD padded = (got + kSectorMultiple - 1) / kSectorMultiple * kSectorMultiple;
        memset(chunk + got, 0, padded - got);
        for (DWORD offset = 0; offset < padded; offset += kWriteSize) {
            DWORD piece = padded - offset < kWriteSize ? padded - offset : kWriteSize;
            DWORD written = 0;
            if (!WriteFile(copy, chunk + offset, piece, &written, nullptr) || written != piece)
                return false;
        }
        length.QuadPart += got;
        if (!NoteProgress(progress, static_cast<uint64_t>(length.QuadPart)))
            return false;
        if (got < kChunkSize)
            break;
    }
    return SetFilePointerEx(copy, length, nullptr, FILE_BEGIN) && SetEndOfFile(copy);
}

bool Rewind(HANDLE file)
{
    LARGE_INTEGER start = {};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != 0;
}

// Writes the source into the new file open under Temp, flushes it, reads it
// back from the medium and checks it, and puts it in place. The new file is
// closed in every case, and removed on failure.
bool WriteCheckAndPlace(HANDLE copy, const Source& source, const ReplacePaths& paths,
                        PlaceRoute route, const WorkProgress& progress, ContentDigest* digest,
                        bool* movedAside)
{
    *movedAside = false;
    unsigned char* chunk = MediumChunk();
    DigestState state;
    StartDigest(&state);
    bool ok = chunk && WriteContents(source, copy, chunk, progress, &state) &&
              FlushFileBuffers(copy) && Rewind(copy);
    // The medium must return the bytes read from the source: their digest
    // tells them from any others, here and in a later check.
    *digest = FinishDigest(state);
    ok = ok && ReadBackAgainst(copy, *digest, progress, digest->Length) == kReadMatches;
    if (!ok) {
        CloseHandle(copy);
        DeleteFileW(paths.Temp);
        return false;
    }
    return PlaceCheckedFile(copy, paths, route, movedAside);
}

} // namespace

bool CopyFileVerified(const char* source, const ReplacePaths& paths, const WorkProgress& progress,
                      ContentDigest* digest)
{
    // Held from before the copy until after the check, so that on Windows
    // nobody can write the source meanwhile.
    HANDLE held = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return false;
    HANDLE copy = CreateTempFile(paths);
    if (copy == INVALID_HANDLE_VALUE) {
        CloseHandle(held);
        return false;
    }
    ContentDigest taken = {};
    bool movedAside = false;
    bool placed = WriteCheckAndPlace(copy, {held, nullptr, 0}, paths, kStraightWhenFree, progress,
                                     &taken, &movedAside);
    CloseHandle(held);
    if (placed && movedAside)
        RemoveDisplaced(paths);
    if (placed && digest)
        *digest = taken;
    return placed;
}

bool WriteBytesVerified(HANDLE temp, const void* data, DWORD size, const ReplacePaths& paths,
                        bool* movedAside)
{
    ContentDigest taken = {};
    return WriteCheckAndPlace(temp,
                              {INVALID_HANDLE_VALUE, static_cast<const unsigned char*>(data), size},
                              paths, kThroughChecked, {}, &taken, movedAside);
}
