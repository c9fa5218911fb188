// Items of a window's own system menu (the window menu, Alt+Space).
#pragma once

#include <windows.h>

// The command of a WM_SYSCOMMAND: Windows uses the low four bits of its
// wParam, so every command of the menu is a multiple of 16.
UINT SystemCommandOf(WPARAM wParam);

// Appends a separator, or an item with the given command and text, at the
// end of the window's system menu. False when the menu refused it.
bool AppendSystemMenuSeparator(HWND window);
bool AppendSystemMenuItem(HWND window, UINT command, const wchar_t* text);

// Marks an appended item with a radio check or not, enabled or greyed.
void SetSystemMenuItem(HWND window, UINT command, bool checked, bool enabled);
