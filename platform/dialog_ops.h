// Window and control operations of the Windows user interface.
#pragma once

#include <windows.h>

int RunModalDialog(HINSTANCE instance, int templateId, DLGPROC procedure);
void SetSmallIcon(HWND window, HINSTANCE instance, int iconId);

void SetControlText(HWND control, const char* text);
void EnableControl(HWND control, bool enable);
void ShowControl(HWND control, bool show);

// Holds a control's painting while its text changes faster than it is worth
// painting; releasing paints it at once.
void HoldPainting(HWND control, bool hold);

// Check boxes and radio buttons.
void TickButton(HWND button);
UINT ButtonCheckState(HWND dialog, int id);

// Combo boxes: items are indexed by their position in the list.
void ComboAddItem(HWND combo, const char* text);
void ComboSelect(HWND combo, int index);
int ComboSelection(HWND combo);

// The volume trackbar.
void TrackbarSetRange(HWND trackbar, int minimum, int maximum);
void TrackbarSetPosition(HWND trackbar, int position);
int TrackbarPosition(HWND trackbar);

// Tab controls.
void TabAddPage(HWND tab, int index, const char* text);
void TabSelect(HWND tab, int index);
int TabSelection(HWND tab);
