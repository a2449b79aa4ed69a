#pragma once
// Copying a skin picture, or a part of it, onto a device context: the frame's objects and the
// menu windows draw their pieces this way.

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/GdiBitmap.h"
#include "platform/gfx/WinTypes.h"

namespace qv {

// Copies SRC of PICTURE onto DST, stretched when the sizes differ; an empty rectangle draws nothing.
void CopyPicture(HDC dc, const RECT& dst, const gfx::Bitmap& picture, const RECT& src);
// The whole of B with its top-left corner at (X, Y).
void BlitWhole(HDC dc, int x, int y, const gfx::Bitmap& b);

} // namespace qv
