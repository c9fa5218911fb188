#include "platform/file_ops.h"

#include <shlobj.h>

#include <cwchar>

namespace {

// A path in the ANSI code page as UTF-16; false when it does not convert.
bool ToWide(const char* path, WCHAR (&wide)[MAX_PATH])
{
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, wide, MAX_PATH) > 0;
}

// Names are compared as the file system compares them: ordinally, ignoring
// case by the system's upper-case table, not by a language's rules.
bool SameName(const WCHAR* first, const WCHAR* second)
{
    return CompareStringOrdinal(first, -1, second, -1, TRUE) == CSTR_EQUAL;
}

// The full path of a path in UTF-16; false when it does not fit MAX_PATH.
bool FullPathOf(const WCHAR* path, WCHAR (&full)[MAX_PATH])
{
    DWORD length = GetFullPathNameW(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH;
}

} // namespace

bool DeleteFileIfPresent(const char* path)
{
    return DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND;
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

int CreateFolderTree(const char* path)
{
    return SHCreateDirectoryExA(nullptr, path, nullptr);
}

WORD SystemLanguageId()
{
    return GetSystemDefaultLangID();
}
