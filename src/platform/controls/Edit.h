#pragma once
// The edit control ("Edit"), single- and multi-line: caret and selection by mouse and keys,
// clipboard, one-step undo, a text limit, margins and a formatting rectangle, read-only mode,
// EN_ notifications, and for ES_MULTILINE lines without word wrap with vertical (lines) and
// horizontal (pixels) scroll state. Text is UTF-8; positions count code points.

#include "platform/controls/CommCtrl.h"

namespace controls {

void RegisterEditClass();
LRESULT EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace controls
