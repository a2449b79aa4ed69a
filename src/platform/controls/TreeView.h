#pragma once
// The tree view control ("SysTreeView32"): items with text, images and a children flag,
// expansion on demand (TVN_ITEMEXPANDING lets the parent add children the first time),
// buttons and dotted lines, selection with TVN_SELCHANGING/TVN_SELCHANGED, label editing
// through an edit child, and vertical (rows) / horizontal (pixels) scroll state.

#include "platform/controls/CommCtrl.h"

namespace controls {

void RegisterTreeViewClass();
LRESULT TreeViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace controls
