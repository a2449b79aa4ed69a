#pragma once
// Platform queries of the skin engine: the system version, window opacity, and the monitors and
// work areas windows are placed in.

#include "platform/ui/User.h"

namespace qv {

struct TqvWindowsVersion {
    DWORD Major = 0;
    DWORD Minor = 0;
};

TqvWindowsVersion GetWindowsVersion();
bool IsWindows6OrLater();
bool IsWindowsXPOrLater();
bool IsWindows2000OrLater();

// Sets a layered window's opacity (0 transparent .. 255 opaque).
void SetWindowAlpha(HWND window, BYTE alpha);

// FIXME: SafeGetScrollBarInfo is not provided: the window system has no GetScrollBarInfo (and no
// SCROLLBARINFO) and no part of the program asks for it; add both together if a caller appears.

bool HasMultipleMonitors();
// The work area of the desktop, or the whole screen when there is none.
RECT GetDesktopArea();
// With several monitors, the work area (or the whole rectangle) of the monitor nearest to the
// window; otherwise GetDesktopArea.
RECT GetMonitorArea(HWND window, bool workArea = true);

} // namespace qv
