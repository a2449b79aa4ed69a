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

// The state of a window's standard scroll bar (OBJID_VSCROLL or OBJID_HSCROLL). When the bar
// cannot be queried the info says "invisible" and the result is 0, so callers never read
// uninitialised geometry.
BOOL SafeGetScrollBarInfo(HWND window, LONG idObject, SCROLLBARINFO& info);

bool HasMultipleMonitors();
// The work area of the desktop, or the whole screen when there is none.
RECT GetDesktopArea();
// With several monitors, the work area (or the whole rectangle) of the monitor nearest to the
// window; otherwise GetDesktopArea.
RECT GetMonitorArea(HWND window, bool workArea = true);

} // namespace qv
