#pragma once
// The list box control ("ListBox"): strings with item data, a current row, a top row, a fixed
// item height, owner-drawn rows (WM_MEASUREITEM / WM_DRAWITEM to the parent), keyboard and
// type-ahead selection, LBN_ notifications, and vertical/horizontal scroll state.

#include "platform/controls/CommCtrl.h"

namespace controls {

void RegisterListBoxClass();
LRESULT ListBoxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace controls
