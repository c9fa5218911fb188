#include "ui/enable_rules.h"

void ApplyEnableRules() {}
void ApplyPlanGridRules() {}
void ApplyCopyPageVisibility() {}
void ApplyCopyPanelRules(bool) {}
void ApplyTimeLapseRules(bool, bool) {}
