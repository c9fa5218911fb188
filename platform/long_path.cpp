#include "platform/long_path.h"

#include <cwchar>

namespace {

// Appends narrow text of the ANSI code page to a wide path; false when it
// does not convert or fit.
bool AppendNarrow(LongPath path, const char* text)
{
    if (!*text)
        return true;
    size_t used = wcslen(path);
    int room = kLongPathSize - static_cast<int>(used);
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, -1, path + used, room) > 0;
}

} // namespace

bool ComposeLongFolder(LongPath path, const char* folder)
{
    LongPath wide = {};
    WCHAR full[kLongPathSize];
    if (!AppendNarrow(wide, folder))
        return false;
    DWORD length = GetFullPathNameW(wide, kLongPathSize, full, nullptr);
    if (length == 0 || length >= kLongPathSize || full[0] == L'\0')
        return false;
    bool unc = full[0] == L'\\' && full[1] == L'\\';
    // "\\?\..." and "\\.\..." name devices and take no prefix.
    if (unc && (full[2] == L'?' || full[2] == L'.'))
        return false;
    const WCHAR* prefix = unc ? L"\\\\?\\UNC" : L"\\\\?\\";
    const WCHAR* rest = unc ? full + 1 : full;
    size_t restLength = wcslen(rest);
    // A folder's trailing backslash (a drive root's) is not part of its name.
    if (restLength > 0 && rest[restLength - 1] == L'\\')
        --restLength;
    if (wcslen(prefix) + restLength >= kLongPathSize)
        return false;
    wcscpy(path, prefix);
    wcsncat(path, rest, restLength);
    return true;
}

bool ComposeLongChild(LongPath path, const LongPath folder, const char* name, const char* ending)
{
    size_t length = wcslen(folder);
    if (length + 1 >= kLongPathSize)
        return false;
    wmemcpy(path, folder, length);
    path[length] = L'\\';
    path[length + 1] = L'\0';
    return AppendNarrow(path, name) && AppendNarrow(path, ending);
}

bool DeleteLongPathIfPresent(const WCHAR* path)
{
    return DeleteFileW(path) || GetLastError() == ERROR_FILE_NOT_FOUND;
}
