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

// The last component of a path in UTF-16, where no character hides a
// backslash.
const WCHAR* FinalComponent(const WCHAR* path)
{
    const WCHAR* slash = wcsrchr(path, L'\\');
    return slash ? slash + 1 : path;
}

// Names are compared as the file system compares them: ordinally, ignoring
// case by the system's upper-case table, not by a language's rules.
bool SameName(const WCHAR* first, const WCHAR* second)
{
    return CompareStringOrdinal(first, -1, second, -1, TRUE) == CSTR_EQUAL;
}

// A name also finds a file through that file's short (8.3) alias: true only
// when the file that answers to target is the one whose long name it is.
bool HoldsOwnName(const char* target)
{
    WCHAR wideTarget[MAX_PATH];
    WCHAR found[MAX_PATH];
    FolderSearch search = {};
    if (!ToWide(target, wideTarget) || !StartFolderSearch(&search, target))
        return false;
    bool own = ToWide(search.entry.cFileName, found) && SameName(found, FinalComponent(wideTarget));
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

// The full path of a path in UTF-16; false when it does not fit MAX_PATH.
bool FullPathOf(const WCHAR* path, WCHAR (&full)[MAX_PATH])
{
    DWORD length = GetFullPathNameW(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH;
}

// The path in the form the file system itself takes ("\??\C:\..." or
// "\??\UNC\server\..."), for the new name of an open file: the system
// passes that name on to the file system, converting a DOS path first only
// in some versions, and this form needs no conversion. False for a device
// path or one too long.
bool NtPathOf(const WCHAR* path, WCHAR* nt, size_t size)
{
    WCHAR full[MAX_PATH];
    if (!FullPathOf(path, full) || full[2] == L'?' || full[2] == L'.')
        return false;
    bool unc = full[0] == L'\\' && full[1] == L'\\';
    const WCHAR* prefix = unc ? L"\\??\\UNC" : L"\\??\\";
    const WCHAR* rest = unc ? full + 1 : full;
    if (wcslen(prefix) + wcslen(rest) >= size)
        return false;
    wcscpy(nt, prefix);
    wcscat(nt, rest);
    return true;
}

// What an open file's long name says of the name it was opened by.
enum NameCheck { kOwnName, kOtherName, kNameUnknown };

// The normalized path of an open file holds long names; the name it was
// opened by (FILE_NAME_OPENED) is not normalized and can hold a short alias.
// The file answers to name through its own long name when its normalized
// path ends in it. The path comes without the drive: the last component is
// compared.
NameCheck CheckOwnName(HANDLE file, const WCHAR* name)
{
    WCHAR path[1024];
    DWORD length = GetFinalPathNameByHandleW(file, path, ARRAYSIZE(path),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_NONE);
    if (length == 0 || length >= ARRAYSIZE(path))
        return kNameUnknown;
    return SameName(FinalComponent(path), name) ? kOwnName : kOtherName;
}

// Renames an open file to a free name.
bool RenameOpenFile(HANDLE file, const WCHAR* to)
{
    const size_t kRoom = 2 * MAX_PATH;
    union {
        FILE_RENAME_INFO info;
        unsigned char room[sizeof(FILE_RENAME_INFO) + kRoom * sizeof(WCHAR)];
    } rename = {};
    if (!NtPathOf(to, rename.info.FileName, kRoom)) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return false;
    }
    rename.info.ReplaceIfExists = FALSE;
    rename.info.RootDirectory = nullptr;
    rename.info.FileNameLength = static_cast<DWORD>(wcslen(rename.info.FileName) * sizeof(WCHAR));
    return SetFileInformationByHandle(file, FileRenameInfo, &rename,
                                      sizeof rename.info + rename.info.FileNameLength) != 0;
}

// Errors of a system or file system that cannot rename an open file.
bool CannotRenameOpenFiles(DWORD error)
{
    return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED ||
           error == ERROR_INVALID_FUNCTION || error == ERROR_CALL_NOT_IMPLEMENTED;
}

// Moves target aside to displaced (removing an older file left there) when
// target is the file's own long name. The check and the rename act on one
// open file, so a file that another program renames meanwhile cannot take
// target's place between them. Where the long name of an open file cannot
// be told or the file not renamed, the name is looked up and the file
// renamed by its path, in two steps.
bool MoveOwnNameAside(const char* target, const char* displaced)
{
    WCHAR wideTarget[MAX_PATH], wideDisplaced[MAX_PATH];
    if (!ToWide(target, wideTarget) || !ToWide(displaced, wideDisplaced))
        return false;
    HANDLE file = CreateFileW(wideTarget, DELETE | SYNCHRONIZE | FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    NameCheck name = CheckOwnName(file, FinalComponent(wideTarget));
    bool moved = false, twoSteps = name == kNameUnknown;
    if (name == kOwnName && DeleteFileIfPresent(displaced)) {
        moved = RenameOpenFile(file, wideDisplaced);
        twoSteps = !moved && CannotRenameOpenFiles(GetLastError());
    }
    CloseHandle(file);
    if (!twoSteps)
        return moved;
    return HoldsOwnName(target) && DeleteFileIfPresent(displaced) &&
           MoveFileExA(target, displaced, MOVEFILE_WRITE_THROUGH);
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
            !MoveOwnNameAside(target, displaced))
            return false;
        *movedAside = true;
        if (!MoveFileExA(source, target, MOVEFILE_WRITE_THROUGH)) {
            RenameDurably(displaced, target);
            return false;
        }
    }
    if (MakeNameDurable(target))
        return true;
    // Back under its own name the new file is one that never took target's.
    PutBackDisplaced(target, displaced, *movedAside, source);
    return false;
}

void PutBackDisplaced(const char* target, const char* displaced, bool movedAside, const char* aside)
{
    bool cleared = DeleteFileIfPresent(aside) && MoveFileExA(target, aside, MOVEFILE_WRITE_THROUGH);
    if (cleared)
        DeleteFileA(aside); // left behind only if this fails, under a name never loaded
    else
        cleared = DeleteFileIfPresent(target);
    if (cleared && movedAside)
        RenameDurably(displaced, target);
}

bool RenameDurably(const char* from, const char* to)
{
    return MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH) && MakeNameDurable(to);
}

void SettleDisplaced(const char* displaced, const char* target)
{
    if (FileIsAbsent(target))
        RenameDurably(displaced, target);
    else if (!IsFolder(target) && HoldsOwnName(target))
        DeleteFileA(displaced);
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

// Both paths in full, as the file system compares names; a trailing
// backslash of a folder is not part of its name.
bool SameFullPath(const char* first, const char* second)
{
    WCHAR wide[2][MAX_PATH], full[2][MAX_PATH];
    const char* paths[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        if (!ToWide(paths[i], wide[i]) || !FullPathOf(wide[i], full[i]))
            return false;
        size_t length = wcslen(full[i]);
        if (length > 3 && full[i][length - 1] == L'\\')
            full[i][length - 1] = L'\0';
    }
    return SameName(full[0], full[1]);
}

} // namespace

bool IsSameFile(const char* first, const char* second)
{
    BY_HANDLE_FILE_INFORMATION a, b;
    if (!FileIdentity(first, &a) || !FileIdentity(second, &b))
        return false;
    // An index of zero is one the file system does not keep (some network
    // shares report none): it tells nothing.
    if ((a.nFileIndexHigh == 0 && a.nFileIndexLow == 0) ||
        (b.nFileIndexHigh == 0 && b.nFileIndexLow == 0))
        return SameFullPath(first, second);
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
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

// One for the life of the process, so a small file costs no allocation. One
// thread at a time uses it: the window runs no Generate while a copy runs.
unsigned char* g_Chunk = nullptr;

bool HaveChunk()
{
    if (!g_Chunk)
        g_Chunk = static_cast<unsigned char*>(
            VirtualAlloc(nullptr, kChunkSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    return g_Chunk != nullptr;
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
// A chunk is written in pieces of this size, a multiple of kSectorMultiple.
// Under Wine, single writes of 1 MiB ran at a third of their speed in some
// copies and not in others; pieces of 256 KiB ran at full speed in all.
const DWORD kWriteSize = 256 << 10;

// Told the bytes done so far; false once the work is to be abandoned.
bool GoOn(CopyProgress progress, uint64_t bytesDone)
{
    return !progress || progress(bytesDone);
}

// Writes the rest of source into copy, which is open past the file cache,
// and takes the digest of the bytes read from source.
bool CopyContents(HANDLE source, HANDLE copy, CopyProgress progress, DigestState* digest,
                  LARGE_INTEGER* copied)
{
    LARGE_INTEGER& length = *copied;
    length.QuadPart = 0;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(source, g_Chunk, kChunkSize, &got, nullptr))
            return false;
        AddToDigest(digest, g_Chunk, got);
        DWORD padded = (got + kSectorMultiple - 1) / kSectorMultiple * kSectorMultiple;
        memset(g_Chunk + got, 0, padded - got);
        for (DWORD offset = 0; offset < padded; offset += kWriteSize) {
            DWORD piece = padded - offset < kWriteSize ? padded - offset : kWriteSize;
            DWORD written = 0;
            if (!WriteFile(copy, g_Chunk + offset, piece, &written, nullptr) || written != piece)
                return false;
        }
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

// What a read back past the cache is checked against: bytes in memory, or
// their digest.
struct ReadBack {
    const unsigned char* data; // or null
    DWORD size;
    const ContentDigest* digest; // or null
    CopyProgress progress;
    uint64_t doneBefore; // bytes of the same work done before this read
};

// Reads the file opened past the cache to its end; true when it holds the
// bytes given, or bytes of the digest given, and ends where they end.
bool ReadBackMatches(HANDLE medium, const ReadBack& check)
{
    DigestState state;
    StartDigest(&state);
    uint64_t total = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(medium, g_Chunk, kChunkSize, &read, nullptr))
            return false;
        if (check.data) {
            if (total + read > check.size || memcmp(g_Chunk, check.data + total, read) != 0)
                return false;
        } else {
            AddToDigest(&state, g_Chunk, read);
        }
        total += read;
        if (!GoOn(check.progress, check.doneBefore + total))
            return false;
        if (read < kChunkSize)
            return check.data ? total == check.size
                              : SameDigest(FinishDigest(state), *check.digest);
    }
}

} // namespace

bool CopyFileVerified(const char* source, const char* target, const char* tempPath,
                      const char* displacedPath, CopyProgress progress, ContentDigest* digest)
{
    if (!HaveChunk())
        return false;
    // Held from before the copy until after the check, so that on Windows
    // nobody can write the source meanwhile.
    HANDLE held = OpenSource(source);
    if (held == INVALID_HANDLE_VALUE)
        return false;
    // Written and read back past the file cache: what is checked is what the
    // medium holds. Nobody else may write the copy meanwhile.
    HANDLE copy =
        CreateFileA(tempPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_NO_BUFFERING, nullptr);
    DigestState state;
    StartDigest(&state);
    LARGE_INTEGER length = {};
    bool ok = copy != INVALID_HANDLE_VALUE && CopyContents(held, copy, progress, &state, &length) &&
              FlushFileBuffers(copy) && Rewind(copy);
    // The medium must return the bytes read from the source: their digest
    // tells them from any others, here and in a later check.
    ContentDigest written = FinishDigest(state);
    ok = ok && ReadBackMatches(
                   copy, {nullptr, 0, &written, progress, static_cast<uint64_t>(length.QuadPart)});
    if (copy != INVALID_HANDLE_VALUE)
        ok = CloseHandle(copy) && ok;
    CloseHandle(held);
    ok = ok && ReplaceFileWith(tempPath, target, displacedPath);
    if (!ok)
        DeleteFileA(tempPath);
    if (ok && digest)
        *digest = written;
    return ok;
}

namespace {

const int kHeldOpenAttempts = 10;
const DWORD kHeldOpenRetryDelay = 100;

bool IsHeldError(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

} // namespace

FileCheck CheckFileDigest(const char* path, const ContentDigest& digest, CopyProgress progress)
{
    if (!HaveChunk())
        return kFileHeld; // no memory to read it with: nothing is known against the file
    HANDLE medium = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 1; attempt <= kHeldOpenAttempts; ++attempt) {
        medium = OpenOnMedium(path, GENERIC_READ, FILE_SHARE_READ);
        error = GetLastError();
        if (medium != INVALID_HANDLE_VALUE || !IsHeldError(error) || attempt == kHeldOpenAttempts ||
            !GoOn(progress, 0))
            break;
        Sleep(kHeldOpenRetryDelay);
    }
    if (medium == INVALID_HANDLE_VALUE)
        return IsHeldError(error) ? kFileHeld : kFileDiffers;
    bool matches = ReadBackMatches(medium, {nullptr, 0, &digest, progress, 0});
    CloseHandle(medium);
    return matches ? kFileMatches : kFileDiffers;
}

bool FileHoldsOnMedium(const char* path, const void* data, DWORD size)
{
    if (!HaveChunk())
        return false;
    HANDLE medium = OpenOnMedium(path, GENERIC_READ, FILE_SHARE_READ);
    if (medium == INVALID_HANDLE_VALUE)
        return false;
    bool holds = ReadBackMatches(
        medium, {static_cast<const unsigned char*>(data), size, nullptr, nullptr, 0});
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
