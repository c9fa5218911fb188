#include "platform/file_rename.h"

#include <cwchar>

#include "platform/long_path.h"

namespace {

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

// Makes a rename last. MOVEFILE_WRITE_THROUGH flushes only a move done as a
// copy and a delete, so a rename within one volume stays in the cache.
// FlushFileBuffers writes all buffered information of a file to the device
// and needs a handle with GENERIC_WRITE access, so the file is opened again
// under its new name and flushed; on FAT and exFAT that writes its folder
// entry, which holds the name. (A flush of the whole volume would need
// administrator rights.)
bool MakeNameDurable(const WCHAR* path)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool flushed = FlushFileBuffers(file) != 0;
    return CloseHandle(file) && flushed;
}

// A name also finds a file through that file's short (8.3) alias: true only
// when the file that answers to target is the one whose long name it is.
bool HoldsOwnName(const WCHAR* target)
{
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW(target, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return SameName(found.cFileName, FinalComponent(target));
}

} // namespace

// The name goes in the form the file system itself takes ("\??\C:\..."): the
// system passes it on to the file system, converting a DOS path first only
// in some versions, and this form needs no conversion.
bool RenameOpenFile(HANDLE file, const WCHAR* to)
{
    union {
        FILE_RENAME_INFO info;
        unsigned char room[sizeof(FILE_RENAME_INFO) + kLongPathSize * sizeof(WCHAR)];
    } rename = {};
    size_t length = wcslen(to);
    if (length >= kLongPathSize || wcsncmp(to, L"\\\\?\\", 4) != 0) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    wmemcpy(rename.info.FileName, to, length + 1);
    rename.info.FileName[1] = L'?';
    rename.info.ReplaceIfExists = FALSE;
    rename.info.RootDirectory = nullptr;
    rename.info.FileNameLength = static_cast<DWORD>(length * sizeof(WCHAR));
    return SetFileInformationByHandle(file, FileRenameInfo, &rename,
                                      sizeof rename.info + rename.info.FileNameLength) != 0;
}

bool RenameDurably(const WCHAR* from, const WCHAR* to)
{
    return MoveFileExW(from, to, MOVEFILE_WRITE_THROUGH) && MakeNameDurable(to);
}

bool MayReplace(const WCHAR* target)
{
    DWORD attributes = GetFileAttributesW(target);
    return attributes == INVALID_FILE_ATTRIBUTES ||
           !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

// The normalized path of an open file holds long names; the name it was
// opened by can be a short alias. Where the system cannot tell an open file's path,
// the name is looked up by a search.
bool OpenedByOwnName(HANDLE file, const WCHAR* path)
{
    WCHAR normalized[1024];
    DWORD length = GetFinalPathNameByHandleW(file, normalized, ARRAYSIZE(normalized),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_NONE);
    if (length == 0 || length >= ARRAYSIZE(normalized))
        return HoldsOwnName(path);
    return SameName(FinalComponent(normalized), FinalComponent(path));
}

bool MoveOwnNameAside(const WCHAR* target, const WCHAR* displaced)
{
    HANDLE file = CreateFileW(target, DELETE | SYNCHRONIZE | FILE_READ_ATTRIBUTES, kShareAll,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool moved = OpenedByOwnName(file, target) && DeleteLongPathIfPresent(displaced) &&
                 RenameOpenFile(file, displaced);
    CloseHandle(file);
    return moved;
}
