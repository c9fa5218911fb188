// The display a window is on: its work area and its scale.
#pragma once

#include <windows.h>

HMONITOR WindowMonitor(HWND window);
// The monitor's area without the taskbar and other docked bars.
RECT MonitorWorkArea(HMONITOR monitor);
// The window's DPI: its monitor's under per-monitor awareness, else the
// system's (Windows before 10 1607 know only the latter).
UINT WindowDpi(HWND window);
// A system metric at the given DPI; GetSystemMetrics alone answers for the
// system's DPI only.
int SystemMetricAtDpi(int index, UINT dpi);
