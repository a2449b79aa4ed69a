#pragma once
// Icons: a picture with straight alpha, made from a colour bitmap and a mask as
// CreateIconIndirect makes them. A window keeps a big and a small icon (WM_SETICON, ICON_BIG
// 32 x 32 and ICON_SMALL 16 x 16 by custom); a top-level window shows the desktop its big one
// (or else its small one).

#include "platform/gfx/Bitmap.h"
#include "platform/ui/UserTypes.h"

struct HICON__ {
    gfx::Bitmap image; // 0xAARRGGBB, not premultiplied
};

namespace ui {
struct Window;

// The picture of an icon; null for none, a destroyed one, or a stock icon of LoadIcon (which has
// no picture here).
const gfx::Bitmap* IconImage(HICON icon);
// WM_SETICON and WM_GETICON as DefWindowProc answers them.
LRESULT SetWindowIcon(Window* w, WPARAM which, HICON icon);
LRESULT GetWindowIcon(const Window* w, WPARAM which);
// The picture a top-level window shows the desktop; null when it has none.
const gfx::Bitmap* DesktopIcon(const Window* w);
} // namespace ui
