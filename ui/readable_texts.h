// Every text of the window readable in the language shown: one font on every
// control (a Chinese interface font while Chinese is shown, the template's
// in English), each combo box's dropped list as wide as its widest item,
// and, in English, the whole text of a control that cuts it one hover away.
#pragma once

#include <windows.h>

// Once the controls show their texts, at each dialog initialisation.
void ShowCutTextTips(HWND dialog);

// After the language, the combo boxes' items or the display scale changed.
void FitTextsToLanguage(HWND dialog);

// The dialog goes.
void ReleaseReadableTexts(HWND dialog);
