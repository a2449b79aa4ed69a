#pragma once
// The list view control ("SysListView32") in report style: columns shown by a header child
// window, rows with sub-items, single or multiple selection, grid lines, whole-row selection,
// a small-image list that sets the row height, and the scroll state (rows vertically, pixels
// horizontally) published with SetScrollInfo whether or not its own bars are shown.

#include "platform/controls/CommCtrl.h"

namespace controls {

void RegisterListViewClass();
LRESULT ListViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace controls
