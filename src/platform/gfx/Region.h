#pragma once
// A set of pixels held as rectangles in y-x bands, the classic representation of window-system
// regions: the rectangles are sorted by top, then left; rectangles of one band share top and
// bottom and neither overlap nor touch; two vertically adjacent bands never have the same spans
// (they are merged). The form is canonical, so equal sets have equal rectangle lists, and
// clipping or painting walks the rectangles in order without further work.

#include "platform/gfx/WinTypes.h"

#include <cstdint>
#include <span>
#include <vector>

namespace gfx {

class Region {
public:
    enum class Op { And, Or, Diff, Xor };

    Region() = default;
    explicit Region(const RECT& r);
    // The union of any rectangles, in any order, overlapping or not. Empty ones are skipped.
    static Region FromRects(std::span<const RECT> rects);

    bool Empty() const { return rects_.empty(); }
    const std::vector<RECT>& Rects() const { return rects_; }
    // The smallest rectangle holding the region; (0,0,0,0) when empty.
    RECT Bounds() const { return bounds_; }
    // One rectangle (or none) describes the whole region.
    bool IsSimple() const { return rects_.size() <= 1; }

    bool Contains(int x, int y) const;
    // Does any pixel of r belong to the region?
    bool Intersects(const RECT& r) const;

    void Offset(int dx, int dy);
    static Region Combine(const Region& a, const Region& b, Op op);
    Region Intersect(const Region& other) const { return Combine(*this, other, Op::And); }
    Region Union(const Region& other) const { return Combine(*this, other, Op::Or); }
    Region Subtract(const Region& other) const { return Combine(*this, other, Op::Diff); }
    Region Xor(const Region& other) const { return Combine(*this, other, Op::Xor); }
    Region Intersect(const RECT& r) const { return Intersect(Region(r)); }

    // The region as a Windows RGNDATA block: a 32-byte header (dwSize 32, iType RDH_RECTANGLES,
    // nCount, nRgnSize, rcBound) followed by nCount 16-byte rectangles, all little-endian.
    std::vector<std::uint8_t> ToRegionData() const;
    // Reads such a block; rectangles are taken as given (any order, overlaps allowed).
    // Returns false, leaving out untouched, when the block is malformed or truncated.
    static bool FromRegionData(std::span<const std::uint8_t> data, Region& out);

    friend bool operator==(const Region& a, const Region& b) { return a.rects_ == b.rects_; }

private:
    void UpdateBounds();

    std::vector<RECT> rects_;
    RECT bounds_{};
};

} // namespace gfx
