#include "platform/file_ops.h"

#include <shlobj.h>

#include <cstring>

HANDLE CreateFileForWrite(const char* path)
{
    return CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

bool WriteFlushAndClose(HANDLE file, const void* data, DWORD size)
{
    DWORD written = 0;
    bool ok = WriteFile(file, data, size, &written, nullptr) && written == size;
    ok = ok && FlushFileBuffers(file);
    // A close can still report a deferred write error of the medium.
    ok = CloseHandle(file) && ok;
    return ok;
}

namespace {

// A read-only file or a folder at the target is not ours to replace.
bool MayReplace(const char* target)
{
    DWORD attributes = GetFileAttributesA(target);
    return attributes == INVALID_FILE_ATTRIBUTES ||
           !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

} // namespace

bool ReplaceFileWith(const char* source, const char* target, const char* displaced)
{
    // A new name is given without a look at the target first: looking up a
    // missing name can cost a scan of the whole folder.
    if (MoveFileExA(source, target, MOVEFILE_WRITE_THROUGH))
        return true;
    DWORD error = GetLastError();
    if ((error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) || !MayReplace(target) ||
        !DeleteFileIfPresent(displaced) || !MoveFileExA(target, displaced, MOVEFILE_WRITE_THROUGH))
        return false;
    if (!MoveFileExA(source, target, MOVEFILE_WRITE_THROUGH)) {
        MoveFileExA(displaced, target, MOVEFILE_WRITE_THROUGH);
        return false;
    }
    // Left behind only if this fails; the next replacement removes it.
    DeleteFileA(displaced);
    return true;
}

bool DeleteFileIfPresent(const char* path)
{
    return DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool FileIsAbsent(const char* path)
{
    return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES &&
           GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool IsFolder(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool QueryCurrentDirectory(char* buffer, int size, NarrowForm* form)
{
    wchar_t wide[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryW(MAX_PATH, wide);
    if (length == 0)
        return false;
    // A path that needs more than MAX_PATH wide characters is too long narrow
    // as well.
    *form = length < MAX_PATH ? TakeNarrowPath(wide, buffer, size) : kNarrowTooLong;
    return true;
}

namespace {

// Reads past the file cache must start at a sector boundary, into memory
// aligned to a sector, for a multiple of the sector size. Whole chunks of
// 1 MiB read from offset 0 into page-aligned memory are all three for every
// sector size there is, so the sector size need not be asked for.
const DWORD kChunkSize = 1 << 20;

// One pair for the life of the process, so a small file costs no allocation:
// what the medium returned, and what it must equal.
unsigned char* g_MediumChunk = nullptr;
unsigned char* g_ReferenceChunk = nullptr;

bool HaveChunks()
{
    if (!g_MediumChunk) {
        void* block =
            VirtualAlloc(nullptr, 2 * kChunkSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!block)
            return false;
        g_MediumChunk = static_cast<unsigned char*>(block);
        g_ReferenceChunk = g_MediumChunk + kChunkSize;
    }
    return true;
}

// Often enough for a window to look alive, rarely enough to cost nothing.
const ULONGLONG kProgressInterval = 25;
ULONGLONG g_LastProgress = 0;

void ReportProgress(CopyProgress progress)
{
    if (!progress || GetTickCount64() - g_LastProgress < kProgressInterval)
        return;
    progress();
    g_LastProgress = GetTickCount64();
}

HANDLE OpenSource(const char* path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

HANDLE OpenOnMedium(const char* path, DWORD access, DWORD share)
{
    return CreateFileA(path, access, share, nullptr, OPEN_EXISTING, FILE_FLAG_NO_BUFFERING,
                       nullptr);
}

// Unbuffered writes go in whole sectors: the last piece of a file is padded
// to this, which is a multiple of every sector size in use, and the file is
// then cut back to its length.
const DWORD kSectorMultiple = 4096;

// Writes the rest of source into copy, which is open past the file cache.
bool CopyContents(HANDLE source, HANDLE copy, CopyProgress progress)
{
    LARGE_INTEGER length = {};
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(source, g_MediumChunk, kChunkSize, &got, nullptr))
            return false;
        DWORD padded = (got + kSectorMultiple - 1) / kSectorMultiple * kSectorMultiple;
        memset(g_MediumChunk + got, 0, padded - got);
        DWORD written = 0;
        if (padded &&
            (!WriteFile(copy, g_MediumChunk, padded, &written, nullptr) || written != padded))
            return false;
        length.QuadPart += got;
        if (got < kChunkSize)
            break;
        ReportProgress(progress);
    }
    return SetFilePointerEx(copy, length, nullptr, FILE_BEGIN) && SetEndOfFile(copy);
}

bool Rewind(HANDLE file)
{
    LARGE_INTEGER start = {};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != 0;
}

// What the medium's bytes must equal: the rest of an open file, or, when
// file is INVALID_HANDLE_VALUE, the rest of bytes in memory.
struct Reference {
    HANDLE file;
    const unsigned char* data;
    DWORD left;
};

// The reference's next bytes, at most want of them; null on a read error.
const unsigned char* NextReferenceBytes(Reference* reference, DWORD want, DWORD* got)
{
    if (reference->file != INVALID_HANDLE_VALUE)
        return ReadFile(reference->file, g_ReferenceChunk, want, got, nullptr) ? g_ReferenceChunk
                                                                               : nullptr;
    const unsigned char* bytes = reference->data;
    *got = want < reference->left ? want : reference->left;
    reference->data += *got;
    reference->left -= *got;
    return bytes;
}

// Reads the file opened past the cache to its end; true when the reference
// holds the same bytes and ends where it ends. A reference that grows or
// shrinks meanwhile no longer matches.
bool MatchesReference(HANDLE medium, Reference* reference, CopyProgress progress)
{
    for (;;) {
        DWORD read = 0;
        DWORD expectedCount = 0;
        if (!ReadFile(medium, g_MediumChunk, kChunkSize, &read, nullptr))
            return false;
        const unsigned char* expected = NextReferenceBytes(reference, kChunkSize, &expectedCount);
        if (!expected || expectedCount != read || memcmp(g_MediumChunk, expected, read) != 0)
            return false;
        if (read < kChunkSize)
            return true;
        ReportProgress(progress);
    }
}

} // namespace

bool CopyFileVerified(const char* source, const char* target, const char* tempPath,
                      const char* displacedPath, CopyProgress progress)
{
    if (!HaveChunks())
        return false;
    // Held from before the copy until after the compare, so that on Windows
    // nobody can write the source meanwhile; where that cannot be enforced,
    // the compare finds a source that changed.
    HANDLE held = OpenSource(source);
    if (held == INVALID_HANDLE_VALUE)
        return false;
    // Written and read back past the file cache: what is compared is what
    // the medium holds. Nobody else may write the copy meanwhile.
    HANDLE copy =
        CreateFileA(tempPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_NO_BUFFERING, nullptr);
    bool ok = copy != INVALID_HANDLE_VALUE && CopyContents(held, copy, progress) &&
              FlushFileBuffers(copy) && Rewind(copy) && Rewind(held);
    if (ok) {
        Reference reference = {held, nullptr, 0};
        ok = MatchesReference(copy, &reference, progress);
    }
    if (copy != INVALID_HANDLE_VALUE)
        ok = CloseHandle(copy) && ok;
    CloseHandle(held);
    ok = ok && ReplaceFileWith(tempPath, target, displacedPath);
    if (!ok)
        DeleteFileA(tempPath);
    return ok;
}

bool FileMatchesOnMedium(const char* path, const char* source, CopyProgress progress)
{
    if (!HaveChunks())
        return false;
    HANDLE medium = OpenOnMedium(path, GENERIC_READ, FILE_SHARE_READ);
    Reference reference = {OpenSource(source), nullptr, 0};
    bool matches = medium != INVALID_HANDLE_VALUE && reference.file != INVALID_HANDLE_VALUE &&
                   MatchesReference(medium, &reference, progress);
    if (medium != INVALID_HANDLE_VALUE)
        CloseHandle(medium);
    if (reference.file != INVALID_HANDLE_VALUE)
        CloseHandle(reference.file);
    return matches;
}

bool FileHoldsOnMedium(const char* path, const void* data, DWORD size)
{
    if (!HaveChunks())
        return false;
    HANDLE medium = OpenOnMedium(path, GENERIC_READ, FILE_SHARE_READ);
    if (medium == INVALID_HANDLE_VALUE)
        return false;
    Reference reference = {INVALID_HANDLE_VALUE, static_cast<const unsigned char*>(data), size};
    bool holds = MatchesReference(medium, &reference, nullptr);
    CloseHandle(medium);
    return holds;
}

int CreateFolderTree(const char* path)
{
    return SHCreateDirectoryExA(nullptr, path, nullptr);
}

WORD SystemLanguageId()
{
    return GetSystemDefaultLangID();
}

namespace {

// The entry as FindFirstFileA would give it, but with no look-alike name.
void TakeEntry(FolderSearch* search, const WIN32_FIND_DATAW& found)
{
    WIN32_FIND_DATAA& entry = search->entry;
    entry.dwFileAttributes = found.dwFileAttributes;
    entry.ftCreationTime = found.ftCreationTime;
    entry.ftLastAccessTime = found.ftLastAccessTime;
    entry.ftLastWriteTime = found.ftLastWriteTime;
    entry.nFileSizeHigh = found.nFileSizeHigh;
    entry.nFileSizeLow = found.nFileSizeLow;
    entry.dwReserved0 = found.dwReserved0;
    entry.dwReserved1 = found.dwReserved1;
    search->nameExact =
        ToNarrowName(found.cFileName, entry.cFileName, sizeof entry.cFileName) == kNarrowExact;
    ToNarrowName(found.cAlternateFileName, entry.cAlternateFileName,
                 sizeof entry.cAlternateFileName);
}

} // namespace

// The search runs on the wide API: the narrow one hands out best-fit
// look-alikes for names the code page cannot hold.
bool StartFolderSearch(FolderSearch* search, const char* pattern)
{
    wchar_t widePattern[MAX_PATH] = {};
    WIN32_FIND_DATAW found = {};
    search->handle =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, pattern, -1, widePattern, MAX_PATH)
            ? FindFirstFileW(widePattern, &found)
            : INVALID_HANDLE_VALUE;
    if (search->handle == INVALID_HANDLE_VALUE)
        return false;
    TakeEntry(search, found);
    return true;
}

bool NextFolderEntry(FolderSearch* search)
{
    WIN32_FIND_DATAW found = {};
    if (!FindNextFileW(search->handle, &found))
        return false;
    TakeEntry(search, found);
    return true;
}

void EndFolderSearch(FolderSearch* search)
{
    if (search->handle != INVALID_HANDLE_VALUE)
        FindClose(search->handle);
    search->handle = INVALID_HANDLE_VALUE;
}
