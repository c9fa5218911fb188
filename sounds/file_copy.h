// Copying the sound files of the ticked categories of the active copy page.
#pragma once

#include <windows.h>

// The window's part in a copy, handed over by the window before it copies.
struct CopyWindowHooks {
    // Locks (false) or re-derives (true) the animal rows and the Copy button
    // around the copy of an animal page.
    void (*ApplyCopyPanelRules)(bool playbackOn);
    // Lets the window handle its waiting messages; called between files and
    // during long ones. False once the user asked to close the window: the
    // copy then stops at the next file boundary.
    bool (*KeepResponsive)();
};
void SetCopyWindowHooks(const CopyWindowHooks& hooks);

// Copies the ticked categories of the active page. Each file goes through a
// temporary name in its target folder and takes the sound's name only once
// read back from the card intact; a last pass reads every copied file back
// again, since a card that lies about its size overwrites earlier files.
void CopyCheckedCategories(HWND dialog);
int CopyFolderFiles(const char* folder);
// nameExact false: the name as the folder search gave it names no file (the
// code page cannot hold the real one); the file gets its "Failed" line.
int CopyOneFile(const char* folder, const char* fileName, bool nameExact);
