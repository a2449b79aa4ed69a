#pragma once
// The pixel moves every skin composition is made of: a clipped block copy, a nearest-neighbour
// stretch and tiling along one or both axes. They work on gfx::Bitmap rows directly (one memcpy
// per row for copies, a precomputed column map for stretches), because composition runs on every
// repaint of a resized element.
//
// Rectangles are in the coordinates of their own bitmap. Parts of a source rectangle that lie
// outside the source picture, and parts of a destination rectangle outside the destination, are
// skipped: the destination pixels they would have covered are left as they are. A rectangle with
// a width or height <= 0 moves nothing (no mirroring, no division by zero).

#include "platform/gfx/Bitmap.h"

namespace qv {

// Source index for destination index d of a stretch from srcLen to dstLen samples. This is the
// sampling rule of every stretch in the skin engine: floor(d * srcLen / dstLen), so whole rows and
// columns are repeated (growing) or dropped (shrinking) and the first sample is always the source's
// first row or column.
inline int StretchSourceIndex(int d, int srcLen, int dstLen) { return int((long long)d * srcLen / dstLen); }

// Copies the w x h block at (sx, sy) of src to (dx, dy) of dst.
void CopyPixels(const gfx::Bitmap& src, int sx, int sy, int w, int h, gfx::Bitmap& dst, int dx, int dy);

// Scales the source rectangle s to the destination rectangle d by nearest-neighbour sampling.
void StretchPixels(const gfx::Bitmap& src, const RECT& s, gfx::Bitmap& dst, const RECT& d);

// The skin engine's "copy": a block copy when both rectangles have the same size, otherwise it
// scales like StretchPixels (only reachable with geometry that does not follow the anchoring rule).
void BlitPixels(const gfx::Bitmap& src, const RECT& s, gfx::Bitmap& dst, const RECT& d);

// Tiles the piece s horizontally from x = o up to x = e over the destination rows [y0, y1): piece
// k covers [o + k*w, o + (k+1)*w) with w = width of s, the last one cut at e together with its
// source. A piece of width <= 0 or e <= o draws nothing.
void TileHorz(const gfx::Bitmap& src, const RECT& s, gfx::Bitmap& dst, int o, int e, int y0, int y1);

// The same along y from o to e over the destination columns [x0, x1).
void TileVert(const gfx::Bitmap& src, const RECT& s, gfx::Bitmap& dst, int o, int e, int x0, int x1);

// Tiles the piece s over d in both directions, anchored at d's top-left corner, with the tiles of
// the last column and row cut at d's right and bottom edges.
void TileBoth(const gfx::Bitmap& src, const RECT& s, gfx::Bitmap& dst, const RECT& d);

} // namespace qv
