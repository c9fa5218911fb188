// Fetching the control map from the dialog.
#pragma once

#include <windows.h>

// Fills the control map of the session state from the dialog's controls.
void FetchControlMap(HWND dialog);
