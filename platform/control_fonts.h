// The font a window's controls draw their texts with.
#pragma once

#include <windows.h>

// Gives every control of window one font. For Chinese, a Chinese interface
// font, Microsoft YaHei UI where installed, else SimSun, of the size of the
// window's own font; otherwise, or where neither is installed, the window's
// own font (a dialog's is its template's, at the window's display scale).
// The controls paint anew when they next paint. Given again, the Chinese
// font is made anew, at the window's present scale.
void SetControlsFont(HWND window, bool chinese);

// The window goes: the Chinese font made for it goes too.
void ReleaseControlsFont();
