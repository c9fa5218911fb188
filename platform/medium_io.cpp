#include "platform/medium_io.h"

namespace {

unsigned char* g_Chunk = nullptr;

} // namespace

bool NoteProgress(const WorkProgress& progress, uint64_t bytesDone)
{
    return !progress.Note || progress.Note(progress.Context, bytesDone);
}

unsigned char* MediumChunk()
{
    if (!g_Chunk)
        g_Chunk = static_cast<unsigned char*>(
            VirtualAlloc(nullptr, kChunkSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    return g_Chunk;
}

HANDLE OpenOnMedium(const WCHAR* path, DWORD access, DWORD share, DWORD disposition)
{
    return CreateFileW(path, access, share, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_NO_BUFFERING, nullptr);
}

MediumRead ReadBackAgainst(HANDLE medium, const ContentDigest& digest, const WorkProgress& progress,
                           uint64_t doneBefore)
{
    unsigned char* chunk = MediumChunk();
    LARGE_INTEGER length = {};
    // The length the file system gives is the end the read must reach: a
    // read that ends sooner tells nothing of the bytes it did not return.
    if (!chunk || !GetFileSizeEx(medium, &length))
        return kReadFailed;
    DigestState state;
    StartDigest(&state);
    uint64_t total = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(medium, chunk, kChunkSize, &read, nullptr))
            return kReadFailed;
        AddToDigest(&state, chunk, read);
        total += read;
        if (!NoteProgress(progress, doneBefore + total))
            return kReadFailed;
        if (read < kChunkSize)
            break;
    }
    if (total != static_cast<uint64_t>(length.QuadPart))
        return kReadFailed;
    return SameDigest(FinishDigest(state), digest) ? kReadMatches : kReadDiffers;
}
