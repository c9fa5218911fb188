// Searching a folder, and listing it once for many look-ups.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Wildcard enumeration of a folder. The entry's names are given in the ANSI
// code page; NameExact is false when that cannot hold the long name exactly
// (or it does not fit): Entry.cFileName then names no file, never another one.
struct FolderSearch {
    HANDLE Handle;
    WIN32_FIND_DATAA Entry;
    bool NameExact;
};
bool StartFolderSearch(FolderSearch* search, const char* pattern);
bool NextFolderEntry(FolderSearch* search);
void EndFolderSearch(FolderSearch* search);

// The files of one folder (not its subfolders), read in one search, sorted
// so that a name is found as the file system finds it: ordinally, ignoring
// case. Looking names up here costs no search each, which in a large folder
// can mean reading the whole folder (Wine does so for every name missing on
// a file system that tells letter case apart).
struct ListedFile {
    std::wstring Name;
    uint64_t Size;
    DWORD Attributes;
};
typedef std::vector<ListedFile> FolderListing;

// False when the folder cannot be read (a missing folder lists as empty).
bool ListFolder(const WCHAR* folder, FolderListing* listing);

// The file listed under its own long name (not its short alias), or null.
// name is in the ANSI code page.
const ListedFile* FindListedFile(const FolderListing& listing, const char* name);
