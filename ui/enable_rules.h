// Which controls are shown and enabled, derived from Config and the two
// active page indices. The rules hold no state of their own.
#pragma once

void ApplyEnableRules();
void ApplyPlanGridRules();
void ApplyCopyPageVisibility();
void ApplyCopyPanelRules(bool playbackOn);
void ApplyTimeLapseRules(bool enable, bool checkTimingMode);
