#pragma once
// The skin engine's drawing primitives: composition of skin pictures, mask regions, glyph and
// caption layout, text helpers, small glyphs, and the rectangle and platform utilities. This is
// the header the form skin and the controls include; the routines live in the qv* units below.

#include "platform/gfx/WinTypes.h"
#include "skin/data/qvCompose.h"
#include "skin/data/qvGlyphCaption.h"
#include "skin/data/qvGlyphs.h"
#include "skin/data/qvMaskRegion.h"
#include "skin/data/qvParentBackground.h"
#include "skin/data/qvPlatformUtils.h"
#include "skin/data/qvTextUtils.h"

namespace qv {

// Rectangle utilities. A rectangle covers columns left .. right-1 and rows top .. bottom-1.
inline int WidthOfRect(const RECT& r) { return r.right - r.left; }
inline int HeightOfRect(const RECT& r) { return r.bottom - r.top; }
inline bool RectIsEmpty(const RECT& r) { return WidthOfRect(r) <= 0 || HeightOfRect(r) <= 0; }
inline bool RectsEqual(const RECT& a, const RECT& b) { return a == b; }
inline void ClearRect(RECT& r) { r = RECT{0, 0, 0, 0}; }
// A point some record leaves out reads as 0 in either coordinate.
inline bool PointIsUnset(const POINT& p) { return p.x == 0 || p.y == 0; }
// The right and bottom edges count as inside.
inline bool PointInRectInclusive(const POINT& p, const RECT& r) {
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}
// Both corners of inner lie in outer, with outer's right and bottom edges outside.
inline bool RectInsideRect(const RECT& inner, const RECT& outer) {
    return PtInRect(outer, POINT{inner.left, inner.top}) && PtInRect(outer, POINT{inner.right, inner.bottom});
}
inline int MaxOf(int a, int b) { return a > b ? a : b; }

} // namespace qv
