#pragma once
// The header control ("SysHeader32"): a row of sections with captions that the user can
// click and resize by dragging the divider at a section's right edge. The list view creates
// one as its child and listens to its notifications.

#include "platform/controls/CommCtrl.h"

namespace controls {

void RegisterHeaderClass();
LRESULT HeaderWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The height a header needs for `font` (null: the default control font).
int HeaderHeightFor(HWND hwnd, HFONT font);

} // namespace controls
