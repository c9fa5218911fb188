#include "platform/folder_search.h"

#include <algorithm>

#include "platform/narrow_names.h"

namespace {

// The entry as FindFirstFileA would give it, but with no look-alike name.
void TakeEntry(FolderSearch* search, const WIN32_FIND_DATAW& found)
{
    WIN32_FIND_DATAA& entry = search->Entry;
    entry.dwFileAttributes = found.dwFileAttributes;
    entry.ftCreationTime = found.ftCreationTime;
    entry.ftLastAccessTime = found.ftLastAccessTime;
    entry.ftLastWriteTime = found.ftLastWriteTime;
    entry.nFileSizeHigh = found.nFileSizeHigh;
    entry.nFileSizeLow = found.nFileSizeLow;
    entry.dwReserved0 = found.dwReserved0;
    entry.dwReserved1 = found.dwReserved1;
    search->NameExact =
        ToNarrowName(found.cFileName, entry.cFileName, sizeof entry.cFileName) == kNarrowExact;
    ToNarrowName(found.cAlternateFileName, entry.cAlternateFileName,
                 sizeof entry.cAlternateFileName);
}

bool NameBefore(const std::wstring& first, const std::wstring& second)
{
    return CompareStringOrdinal(first.c_str(), -1, second.c_str(), -1, TRUE) == CSTR_LESS_THAN;
}

} // namespace

// The search runs on the wide API: the narrow one hands out best-fit
// look-alikes for names the code page cannot hold.
bool StartFolderSearch(FolderSearch* search, const char* pattern)
{
    wchar_t widePattern[MAX_PATH] = {};
    WIN32_FIND_DATAW found = {};
    search->Handle =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, pattern, -1, widePattern, MAX_PATH)
            ? FindFirstFileW(widePattern, &found)
            : INVALID_HANDLE_VALUE;
    if (search->Handle == INVALID_HANDLE_VALUE)
        return false;
    TakeEntry(search, found);
    return true;
}

bool NextFolderEntry(FolderSearch* search)
{
    WIN32_FIND_DATAW found = {};
    if (!FindNextFileW(search->Handle, &found))
        return false;
    TakeEntry(search, found);
    return true;
}

void EndFolderSearch(FolderSearch* search)
{
    if (search->Handle != INVALID_HANDLE_VALUE)
        FindClose(search->Handle);
    search->Handle = INVALID_HANDLE_VALUE;
}

bool ListFolder(const WCHAR* folder, FolderListing* listing)
{
    listing->clear();
    std::wstring pattern = std::wstring(folder) + L"\\*";
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            listing->push_back(
                {found.cFileName,
                 static_cast<uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow,
                 found.dwFileAttributes});
    } while (FindNextFileW(search, &found));
    bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(search);
    std::sort(listing->begin(), listing->end(),
              [](const ListedFile& a, const ListedFile& b) { return NameBefore(a.Name, b.Name); });
    return complete;
}

const ListedFile* FindListedFile(const FolderListing& listing, const char* name)
{
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name, -1, wide, MAX_PATH))
        return nullptr;
    std::wstring key = wide;
    auto found = std::lower_bound(listing.begin(), listing.end(), key,
                                  [](const ListedFile& file, const std::wstring& sought) {
                                      return NameBefore(file.Name, sought);
                                  });
    return found != listing.end() && !NameBefore(key, found->Name) ? &*found : nullptr;
}
