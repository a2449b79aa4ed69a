#pragma once
// The program's icon on its windows: the small and big pictures of the installed icon, given to
// a window with WM_SETICON, so the caption and the desktop (title bar, task switcher) show it.

#include "platform/ui/User.h"

namespace app {
// Gives hwnd the program's small and big icons (made once, kept for the life of the program).
void SetProgramIcon(HWND hwnd);
} // namespace app
