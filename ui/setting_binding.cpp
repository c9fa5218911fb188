#include "ui/setting_binding.h"

void BindSettingControls(HWND) {}
bool OnSettingCommand(HWND, int, int) { return false; }
int PlanComboChanged(WPARAM) { return 0; }
