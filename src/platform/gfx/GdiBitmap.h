#pragma once
// HBITMAP: a bitmap object that can be selected into a memory device context. It either owns
// its pixels or wraps a gfx::Bitmap owned elsewhere (a window's backing store, a TBitmap), in
// which case the wrapped bitmap must outlive the handle.

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/GdiObject.h"

namespace gfx {

class DC;

class GdiBitmap : public GdiObject {
public:
    explicit GdiBitmap(Bitmap pixels, bool stock = false)
        : GdiObject(ObjectKind::Bitmap, stock), own_(std::move(pixels)), pixels_(&own_) {}
    explicit GdiBitmap(Bitmap* external) : GdiObject(ObjectKind::Bitmap), pixels_(external) {}

    Bitmap& Pixels() { return *pixels_; }
    const Bitmap& Pixels() const { return *pixels_; }

private:
    Bitmap own_;
    Bitmap* pixels_;
};

} // namespace gfx

using HBITMAP = gfx::GdiBitmap*;
using HDC = gfx::DC*;

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 32;
    void* bmBits = nullptr;
};

// Every bitmap here has 32 bits per pixel. CreateBitmap copies `bits` when they are given as
// 32-bit rows (bitsPerPixel 32) or 1-bit rows padded to 16 bits (bitsPerPixel 1, 0 = black,
// 1 = white); other depths give a black bitmap of the size.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);

namespace gfx {

// A handle owning a copy (or the moved pixels) of bitmap.
HBITMAP CreateBitmapFrom(Bitmap bitmap);
// A handle over a bitmap owned elsewhere; DeleteObject frees the handle only.
HBITMAP WrapBitmap(Bitmap* bitmap);

} // namespace gfx
