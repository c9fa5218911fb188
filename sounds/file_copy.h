// Copying the sound files of the ticked categories of the active copy page.
#pragma once

#include <windows.h>

// The window's part in a copy, handed over by the window before it copies.
struct CopyWindowHooks {
    // Locks (false) or re-derives (true) the animal rows and the Copy button
    // around the copy of an animal page.
    void (*ApplyCopyPanelRules)(bool playbackOn);
};
void SetCopyWindowHooks(const CopyWindowHooks& hooks);

void CopyCheckedCategories(HWND dialog);
int CopyFolderFiles(const char* folder);
int CopyOneFile(const char* folder, const char* fileName);
