// Which controls are shown and enabled, derived from Config and the two
// active page indices. The rules hold no state of their own.
#pragma once

#include "model/broadcast_config.h"

void ApplyEnableRules();
void ApplyPlanGridRules();
void ApplyCopyPageVisibility();
void ApplyCopyPanelRules(bool playbackOn);
void ApplyTimeLapseRules(bool enable, bool checkTimingMode);

// The periodic loop needs time lapse on: a record with both, time lapse off,
// is shown with it on. Applies that to config; true when it changed it.
bool KeepTimeLapseOnForLoop(BroadcastConfig& config);
