// Renaming files on a card: by an open handle, durably, and only a file that
// answers to its name through its own long name.
#pragma once

#include <windows.h>

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Renames an open file, opened with DELETE access, to the free name to, a
// path in long form.
bool RenameOpenFile(HANDLE file, const WCHAR* to);

// Gives the file at from the free name to and makes that name durable. It
// removes nothing: a file whose new name cannot be made durable keeps it.
bool RenameDurably(const WCHAR* from, const WCHAR* to);

// A read-only file or a folder at the target is not ours to replace.
bool MayReplace(const WCHAR* target);

// Whether an open file answers to its path through its own long name, not
// through its short (8.3) alias.
bool OpenedByOwnName(HANDLE file, const WCHAR* path);

// Moves target aside to displaced (removing a file left there) when target
// is the file's own long name. The check and the rename act on one open
// file, so a file that another program renames meanwhile cannot take
// target's place between them.
bool MoveOwnNameAside(const WCHAR* target, const WCHAR* displaced);
