#include "platform/file_ops.h"

#include <shlobj.h>

#include <cstring>
#include <cwchar>

#include "platform/content_digest.h"

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

// A path in the ANSI code page as UTF-16; false when it does not convert.
bool ToWide(const char* path, WCHAR (&wide)[MAX_PATH])
{
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, wide, MAX_PATH) > 0;
}

// A name also finds a file through that file's short (8.3) alias: true only
// when the file that answers to target is the one whose long name it is.
// Names are compared as the file system compares them: ordinally, ignoring
// case by the system's upper-case table, not by a language's rules. The
// last backslash is looked for in UTF-16, where no character hides one.
bool HoldsOwnName(const char* target)
{
    WCHAR wideTarget[MAX_PATH];
    WCHAR found[MAX_PATH];
    FolderSearch search = {};
    if (!ToWide(target, wideTarget) || !StartFolderSearch(&search, target))
        return false;
    const WCHAR* slash = wcsrchr(wideTarget, L'\\');
    bool own =
        ToWide(search.entry.cFileName, found) &&
        CompareStringOrdinal(found, -1, slash ? slash + 1 : wideTarget, -1, TRUE) == CSTR_EQUAL;
    EndFolderSearch(&search);
    return own;
}

// Makes a rename last. MOVEFILE_WRITE_THROUGH flushes only a move done as a
// copy and a delete, so a rename within one volume stays in the cache.
// FlushFileBuffers writes all buffered information of a file to the device
// and needs a handle with GENERIC_WRITE access, so the file is opened again
// under its new name and flushed; on FAT and exFAT that writes its folder
// entry, which holds the name. (A flush of the whole volume would need
// administrator rights.)
bool MakeNameDurable(const char* path)
{
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool flushed = FlushFileBuffers(file) != 0;
    return CloseHandle(file) && flushed;
}

} // namespace

bool MoveIntoPlace(const char* source, const char* target, const char* displaced, bool* movedAside)
{
    *movedAside = false;
    // A new name is given without a look at the target first: looking up a
    // missing name can cost a scan of the whole folder.
    if (!MoveFileExA(source, target, MOVEFILE_WRITE_THROUGH)) {
        DWORD error = GetLastError();
        if ((error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) || !MayReplace(target) ||
            !HoldsOwnName(target) || !DeleteFileIfPresent(displaced) ||
            !MoveFileExA(target, displaced, MOVEFILE_WRITE_THROUGH))
            return false;
        *movedAside = true;
        if (!MoveFileExA(source, target, MOVEFILE_WRITE_THROUGH)) {
            MoveFileExA(displaced, target, MOVEFILE_WRITE_THROUGH);
            return false;
        }
    }
    if (MakeNameDurable(target))
        return true;
    PutBackDisplaced(target, displaced, *movedAside);
    return false;
}

void PutBackDisplaced(const char* target, const char* displaced, bool movedAside)
{
    if (DeleteFileIfPresent(target) && movedAside &&
        MoveFileExA(displaced, target, MOVEFILE_WRITE_THROUGH))
        MakeNameDurable(target);
}

bool ReplaceFileWith(const char* source, const char* target, const char* displaced)
{
    bool movedAside = false;
    if (!MoveIntoPlace(source, target, displaced, &movedAside))
        return false;
    // Left behind only if this fails; the next replacement removes it.
    if (movedAside)
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

namespace {

bool FileIdentity(const char* path, BY_HANDLE_FILE_INFORMATION* identity)
{
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool known = GetFileInformationByHandle(file, identity) != 0;
    CloseHandle(file);
    return known;
}

} // namespace

bool IsSameFile(const char* first, const char* second)
{
    BY_HANDLE_FILE_INFORMATION a, b;
    return FileIdentity(first, &a) && FileIdentity(second, &b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

DWORD QueryCurrentDirectory(char* buffer, DWORD size)
{
    return GetCurrentDirectoryA(size, buffer);
}

namespace {

// Reads past the file cache must start at a sector boundary, into memory
// aligned to a sector, for a multiple of the sector size. Whole chunks of
// 1 MiB read from offset 0 into page-aligned memory are all three for every
// sector size there is, so the sector size need not be asked for.
const DWORD kChunkSize = 1 << 20;

// One pair for the life of the process, so a small file costs no allocation:
// what the medium returned, and what it must equal. One thread at a time
// uses them: the window runs no Generate while a copy runs.
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

// Told the bytes done so far; false once the work is to be abandoned.
bool GoOn(CopyProgress progress, uint64_t bytesDone)
{
    return !progress || progress(bytesDone);
}

// Writes the rest of source into copy, which is open past the file cache.
bool CopyContents(HANDLE source, HANDLE copy, CopyProgress progress, LARGE_INTEGER* copied)
{
    LARGE_INTEGER& length = *copied;
    length.QuadPart = 0;
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
        if (!GoOn(progress, static_cast<uint64_t>(length.QuadPart)))
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

// What a read back past the cache is checked against and what it feeds.
struct ReadBack {
    Reference* reference; // the bytes to equal, or null
    DigestState* digest;  // takes the bytes read, or null
    CopyProgress progress;
    uint64_t doneBefore; // bytes of the same work done before this read
};

// Reads the file opened past the cache to its end; true when the reference
// holds the same bytes and ends where it ends. A reference that grows or
// shrinks meanwhile no longer matches.
bool ReadBackMatches(HANDLE medium, const ReadBack& check)
{
    uint64_t total = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(medium, g_MediumChunk, kChunkSize, &read, nullptr))
            return false;
        if (check.reference) {
            DWORD expectedCount = 0;
            const unsigned char* expected =
                NextReferenceBytes(check.reference, kChunkSize, &expectedCount);
            if (!expected || expectedCount != read || memcmp(g_MediumChunk, expected, read) != 0)
                return false;
        }
        if (check.digest)
            AddToDigest(check.digest, g_MediumChunk, read);
        total += read;
        if (!GoOn(check.progress, check.doneBefore + total))
            return false;
        if (read < kChunkSize)
            return true;
    }
}

} // namespace

bool CopyFileVerified(const char* source, const char* target, const char* tempPath,
                      const char* displacedPath, CopyProgress progress, ContentDigest* digest)
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
    LARGE_INTEGER length = {};
    bool ok = copy != INVALID_HANDLE_VALUE && CopyContents(held, copy, progress, &length) &&
              FlushFileBuffers(copy) && Rewind(copy) && Rewind(held);
    if (ok) {
        // The digest is of the bytes the medium returned and the compare
        // found equal to the source's.
        Reference reference = {held, nullptr, 0};
        DigestState state;
        StartDigest(&state);
        ok = ReadBackMatches(copy, {&reference, &state, progress,
                                    static_cast<uint64_t>(length.QuadPart)});
        if (digest)
            *digest = FinishDigest(state);
    }
    if (copy != INVALID_HANDLE_VALUE)
        ok = CloseHandle(copy) && ok;
    CloseHandle(held);
    ok = ok && ReplaceFileWith(tempPath, target, displacedPath);
    if (!ok)
        DeleteFileA(tempPath);
    return ok;
}

bool FileMatchesDigest(const char* path, const ContentDigest& digest, CopyProgress progress)
{
    if (!HaveChunks())
        return false;
    HANDLE medium = OpenOnMedium(path, GENERIC_READ, FILE_SHARE_READ);
    if (medium == INVALID_HANDLE_VALUE)
        return false;
    DigestState state;
    StartDigest(&state);
    bool matches = ReadBackMatches(medium, {nullptr, &state, progress, 0}) &&
                   SameDigest(FinishDigest(state), digest);
    CloseHandle(medium);
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
    bool holds = ReadBackMatches(medium, {&reference, nullptr, nullptr, 0});
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

bool StartFolderSearch(FolderSearch* search, const char* pattern)
{
    search->handle = FindFirstFileA(pattern, &search->entry);
    return search->handle != INVALID_HANDLE_VALUE;
}

bool NextFolderEntry(FolderSearch* search)
{
    return FindNextFileA(search->handle, &search->entry) != 0;
}

void EndFolderSearch(FolderSearch* search)
{
    if (search->handle != INVALID_HANDLE_VALUE)
        FindClose(search->handle);
    search->handle = INVALID_HANDLE_VALUE;
}
