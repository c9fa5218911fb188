// The two modal shell windows: the folder browser and the message box. A test
// can answer them with a scripted choice instead of showing them.
#pragma once

#include <windows.h>

// The folder browser wants COM initialised apartment-threaded on the thread
// that shows it, or some shell namespace items may not list or expand. Returns
// whether COM was initialised; only then must the apartment be left again.
bool EnterShellApartment();
void LeaveShellApartment();

enum FolderChoice {
    kFolderChosen,
    kFolderCancelled,
    kFolderUnconvertible, // an item was chosen but has no file-system path
    kFolderNameUnusable,  // the chosen path cannot be held in the ANSI code page
    kFolderPathTooLong,   // the chosen path does not fit the caller's buffer
};

// Shows the folder browser (file-system folders only), modal to owner, which
// is disabled while it is open, and, on a choice, writes the folder's path
// into path; only a path that the narrow API carries exactly is written.
FolderChoice BrowseForFolder(HWND owner, char* path, int size);

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

typedef FolderChoice (*FolderBrowserAnswer)(HWND owner, char* path, int size);
typedef int (*MessageBoxAnswer)(HWND owner, const char* text, const char* caption, UINT type);

// Replaces the shell windows with scripted answers; null restores them.
void AnswerShellDialogsWith(FolderBrowserAnswer browser, MessageBoxAnswer messageBox);
