// Copying the sound files of the ticked categories of the active copy page.
#pragma once

#include <windows.h>

void CopyCheckedCategories(HWND dialog);
int CopyFolderFiles(const char* folder);
int CopyOneFile(const char* folder, const char* fileName);
