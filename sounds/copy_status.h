// The status line as the Copy command writes it.
#pragma once

// Shows text on the status line and keeps it, so that the line can show it
// again after a passing message.
void ShowCopyStatus(const char* text);

// The text last shown through ShowCopyStatus.
const char* LastCopyStatus();
