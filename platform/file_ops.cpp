#include "platform/file_ops.h"

#include <shlobj.h>

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

bool ReplaceFileWith(const char* source, const char* target)
{
    return MayReplace(target) &&
           MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool DeleteFileIfPresent(const char* path)
{
    return DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool IsFolder(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD QueryCurrentDirectory(char* buffer, DWORD size)
{
    return GetCurrentDirectoryA(size, buffer);
}

bool CopyFileReplacing(const char* source, const char* target)
{
    WIN32_FILE_ATTRIBUTE_DATA before = {};
    bool existed = GetFileAttributesExA(target, GetFileExInfoStandard, &before) != 0;
    if (CopyFileA(source, target, FALSE))
        return true;
    WIN32_FILE_ATTRIBUTE_DATA after = {};
    if (!GetFileAttributesExA(target, GetFileExInfoStandard, &after) ||
        (after.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    bool written =
        !existed || CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime) != 0 ||
        before.nFileSizeLow != after.nFileSizeLow || before.nFileSizeHigh != after.nFileSizeHigh;
    if (written)
        DeleteFileA(target);
    return false;
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
