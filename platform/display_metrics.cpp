#include "platform/display_metrics.h"

namespace {

typedef UINT(WINAPI* GetDpiForWindowFn)(HWND);
typedef int(WINAPI* GetSystemMetricsForDpiFn)(int, UINT);

// Windows 10 1607 and later; the program also runs where they are missing.
template <typename Function> Function User32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    FARPROC found = user32 ? GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

UINT SystemDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

HMONITOR WindowMonitor(HWND window)
{
    return MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
}

RECT MonitorWorkArea(HMONITOR monitor)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (monitor && GetMonitorInfoA(monitor, &info))
        return info.rcWork;
    RECT workArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    return workArea;
}

UINT WindowDpi(HWND window)
{
    static const GetDpiForWindowFn getDpiForWindow =
        User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
    return dpi ? dpi : SystemDpi();
}

int SystemMetricAtDpi(int index, UINT dpi)
{
    static const GetSystemMetricsForDpiFn getSystemMetricsForDpi =
        User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi)
        return getSystemMetricsForDpi(index, dpi);
    return GetSystemMetrics(index);
}
