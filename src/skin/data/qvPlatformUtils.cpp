#include "skin/data/qvPlatformUtils.h"

namespace qv {

TqvWindowsVersion GetWindowsVersion() {
    OSVERSIONINFO info;
    if (!GetVersionEx(&info)) {
        return TqvWindowsVersion{};
    }
    return TqvWindowsVersion{info.dwMajorVersion, info.dwMinorVersion};
}

bool IsWindows6OrLater() { return GetWindowsVersion().Major > 5; }

bool IsWindowsXPOrLater() {
    const TqvWindowsVersion v = GetWindowsVersion();
    return v.Major > 5 || (v.Major == 5 && v.Minor >= 1);
}

bool IsWindows2000OrLater() {
    const TqvWindowsVersion v = GetWindowsVersion();
    return v.Major > 5 || (v.Major == 5 && v.Minor <= 2);
}

void SetWindowAlpha(HWND window, BYTE alpha) { SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA); }

BOOL SafeGetScrollBarInfo(HWND window, LONG idObject, SCROLLBARINFO& info) {
    info = SCROLLBARINFO{};
    if (GetScrollBarInfo(window, idObject, &info)) {
        return TRUE;
    }
    info = SCROLLBARINFO{};
    info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
    return 0;
}

bool HasMultipleMonitors() { return GetSystemMetrics(SM_CMONITORS) > 1; }

RECT GetDesktopArea() {
    RECT area{};
    if (SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0)) {
        return area;
    }
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

RECT GetMonitorArea(HWND window, bool workArea) {
    if (HasMultipleMonitors()) {
        MONITORINFO info;
        if (GetMonitorInfo(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
            return workArea ? info.rcWork : info.rcMonitor;
        }
    }
    return GetDesktopArea();
}

} // namespace qv
