// The language items of the window's system menu and the switch they make.
#pragma once

#include <windows.h>

// At the first start: the language the user chose earlier, before the first
// texts are applied.
void StartInRememberedLanguage();

// Appends "English" and "简体中文", each in its own language, below a
// separator of the window's system menu.
void AddLanguageItems(HWND dialog);

// Checks the item of the language shown; while a copy runs both are greyed.
void UpdateLanguageItems(HWND dialog);

// A system command: true when it is a language item, which switches the
// window's texts to its language and remembers the choice, unless that
// language is shown already or a copy runs.
bool OnLanguageCommand(HWND dialog, UINT command);
