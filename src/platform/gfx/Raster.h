#pragma once
// The pixel loops under the device context: fills, raster-operation blits, nearest-neighbour
// stretching and lines, all in bitmap pixel coordinates and all clipped by a region that the
// caller has already reduced to the bitmap's bounds. Nothing here can write outside the bitmap.

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"

#include <optional>

namespace gfx::raster {

// Applies a ternary raster operation (the high word's low byte of a Windows ROP code) to one
// pixel of pattern p, source s and destination d.
Pixel Rop3(std::uint8_t code, Pixel p, Pixel s, Pixel d);
// Applies a binary raster operation R2_BLACK (1) .. R2_WHITE (16) for pen colour p.
Pixel Rop2(int mode, Pixel p, Pixel d);
bool RopUsesSource(DWORD rop);
bool RopUsesPattern(DWORD rop);

void Fill(Bitmap& dst, const Region& clip, const RECT& r, Pixel p);
// PatBlt: r filled through `rop` with the solid pattern colour.
void PatternRop(Bitmap& dst, const Region& clip, const RECT& r, DWORD rop, Pixel pattern);
// Copies src's [sx, sx + w) x [sy, sy + h) onto dst at r.left, r.top (r is w x h) through rop.
// Source pixels outside src leave the destination alone. src may be dst.
void Blit(Bitmap& dst, const Region& clip, const RECT& r, const Bitmap& src, int sx, int sy, DWORD rop,
          Pixel pattern);

struct StretchArgs {
    int dx, dy, dw, dh; // negative extents mirror
    int sx, sy, sw, sh;
    DWORD rop;
    Pixel pattern;
    std::optional<Pixel> key; // source pixels of this colour are skipped (TransparentBlt)
};
// Nearest neighbour with COLORONCOLOR semantics: each destination column takes source column
// floor(i * |sw| / |dw|), so columns are repeated or dropped whole; rows likewise.
void Stretch(Bitmap& dst, const Region& clip, const Bitmap& src, const StretchArgs& a);

// A pen as the line drawer needs it.
struct LinePen {
    Pixel color;
    int width = 1;
    const std::uint8_t* dashes = nullptr; // on/off run lengths, alternating, starting with "on"
    int dashCount = 0;
    int rop2 = 13;                 // R2_COPYPEN
    std::optional<Pixel> gapColor; // set for an opaque background: gaps get this colour
};
// Draws from a to b without the end point, as LineTo does. `phase` carries the dash position
// from one segment of a polyline to the next.
void Line(Bitmap& dst, const Region& clip, POINT a, POINT b, const LinePen& pen, int& phase);

// Calls f(RECT) for every part of r inside clip, top to bottom.
template <typename F>
void ForEachClipped(const Region& clip, const RECT& r, F&& f) {
    if (IsRectEmpty(r)) {
        return;
    }
    for (const RECT& c : clip.Rects()) {
        if (c.top >= r.bottom) {
            break;
        }
        RECT part = IntersectRect(c, r);
        if (!IsRectEmpty(part)) {
            f(part);
        }
    }
}

} // namespace gfx::raster
