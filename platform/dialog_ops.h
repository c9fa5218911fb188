// Window and control operations of the Windows user interface.
#pragma once

#include <windows.h>

int RunModalDialog(HINSTANCE instance, int templateId, DLGPROC procedure);
// Sets the small and the big icon at the window's display scale.
void SetWindowIcons(HWND window, HINSTANCE instance, int iconId);

// Called from a thread that does not own the control, these three hand the
// change to the control's thread (platform/window_work.h), in order.
void SetControlText(HWND control, const char* text);
void EnableControl(HWND control, bool enable);
void ShowControl(HWND control, bool show);

// Whether the window is of the window class name (case does not matter).
bool IsControlOfClass(HWND window, const char* name);

// The control's text, cut to size bytes with the terminating zero.
void GetControlText(HWND control, char* text, int size);

// Holds a control's painting while its text changes faster than it is worth
// painting; releasing paints it at once. While held, a new text is stored
// (and told to accessibility clients, as any text is) without the control
// painting it there and then; the control stays visible and paints its
// current text whenever Windows asks it to. PrepareToHoldPainting comes
// first, once, before any other subclass of the control, which then still
// sees every text.
void PrepareToHoldPainting(HWND control);
void HoldPainting(HWND control, bool hold);

// Holds the painting of a window and all its controls while much of them
// changes at once; releasing paints all of it once. While held the window
// counts as hidden (WM_SETREDRAW takes its WS_VISIBLE away): never held
// across a wait for messages.
void HoldWindowPainting(HWND window, bool hold);

// Check boxes and radio buttons: ticks, or unticks, without a click.
void TickButton(HWND button, bool ticked = true);
// From another thread, the button's thread answers (a sent message).
UINT ButtonCheckState(HWND dialog, int id);

// Combo boxes: items are indexed by their position in the list.
void ComboClear(HWND combo);
void ComboAddItem(HWND combo, const char* text);
void ComboSelect(HWND combo, int index);
int ComboSelection(HWND combo);
// Whether the control is a combo box whose list is dropped down.
bool ComboListDropped(HWND control);

// The volume trackbar.
void TrackbarSetRange(HWND trackbar, int minimum, int maximum);
void TrackbarSetPosition(HWND trackbar, int position);
int TrackbarPosition(HWND trackbar);

// Tab controls.
void TabAddPage(HWND tab, int index, const char* text);
void TabSetPageText(HWND tab, int index, const char* text);
void TabSelect(HWND tab, int index);
int TabSelection(HWND tab);
