// The setting controls and their fields of Config.
#pragma once

#include <windows.h>

// Fills every setting combo box anew and selects the items that show Config;
// it may run again on a live dialog, for another language or another record.
// Selecting raises no selection-change command.
void BindSettingControls(HWND dialog);

// Shows Config and the two active pages again on the radio buttons, the
// trackbar, every setting combo and both tabs, changing neither and running
// no rule; raises no notification.
void ShowRecordAgain();

// A command of a setting control (radio buttons, setting combos, sensing
// plan grid): writes its field and re-runs the rules it steers. False when
// the identifier is not one of them.
bool OnSettingCommand(HWND dialog, int id, int code);

// A selection change of a timing plan combo: 1 when handled, else 0.
int PlanComboChanged(WPARAM command);
