// Choosing folders: the save directory and the source folder of a category.
#pragma once

#include <windows.h>

// Lets the user choose a folder into destination (260 bytes), shown in
// display when one is given. 0 chosen, 1 cancelled, -1 no destination or a
// folder refused, whose name this Windows cannot carry or whose path does not
// fit (the status line says which).
int ChooseFolder(char* destination, HWND display);

// A click on a category's "..." button: 1 for any of the 33, else 0.
int SelectSourceFolder(HWND dialog, WPARAM command);
