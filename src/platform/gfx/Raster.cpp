#include "platform/gfx/Raster.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace gfx::raster {
namespace {

constexpr Pixel kRgb = 0xFFFFFF;

std::uint8_t RopCode(DWORD rop) { return std::uint8_t((rop >> 16) & 0xFF); }

// Copies the part of src that a blit reads, so that a blit within one bitmap reads the
// pixels as they were before it started.
struct SourceView {
    const Bitmap* bitmap;
    Bitmap copy;
    int offsetX = 0;
    int offsetY = 0;
    SourceView(const Bitmap& src, const Bitmap& dst, const RECT& area) : bitmap(&src) {
        if (&src != &dst) {
            return;
        }
        RECT a = IntersectRect(area, src.Bounds());
        copy.Resize(RectWidth(a), RectHeight(a));
        for (int y = a.top; y < a.bottom; ++y) {
            std::memcpy(copy.Row(y - a.top), src.Row(y) + a.left, std::size_t(RectWidth(a)) * 4);
        }
        bitmap = &copy;
        offsetX = a.left;
        offsetY = a.top;
    }
    bool Has(int x, int y) const { return bitmap->Contains(x - offsetX, y - offsetY); }
    Pixel At(int x, int y) const { return bitmap->Row(y - offsetY)[x - offsetX]; }
    const Pixel* Ptr(int x, int y) const { return bitmap->Row(y - offsetY) + (x - offsetX); }
    bool HasColumn(int x) const { return x - offsetX >= 0 && x - offsetX < bitmap->Width(); }
    bool HasRow(int y) const { return y - offsetY >= 0 && y - offsetY < bitmap->Height(); }
    // The row's pixels indexed by (column - offsetX).
    const Pixel* RowPtr(int y) const { return bitmap->Row(y - offsetY); }
};

} // namespace

Pixel Rop3(std::uint8_t code, Pixel p, Pixel s, Pixel d) {
    switch (code) {
    case 0xCC: return s;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x66: return s ^ d;
    case 0xF0: return p;
    case 0x55: return ~d & kRgb;
    case 0x5A: return p ^ d;
    case 0x00: return 0;
    case 0xFF: return kRgb;
    default: break;
    }
    Pixel r = 0;
    for (int i = 0; i < 8; ++i) {
        if (code & (1 << i)) {
            r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        }
    }
    return r & kRgb;
}

Pixel Rop2(int mode, Pixel p, Pixel d) {
    if (mode == 13) {
        return p;
    }
    int code = (mode - 1) & 0xF;
    Pixel r = 0;
    for (int i = 0; i < 4; ++i) {
        if (code & (1 << i)) {
            r |= ((i & 2) ? p : ~p) & ((i & 1) ? d : ~d);
        }
    }
    return r & kRgb;
}

bool RopUsesSource(DWORD rop) {
    std::uint8_t c = RopCode(rop);
    return ((c >> 2) & 0x33) != (c & 0x33);
}

bool RopUsesPattern(DWORD rop) {
    std::uint8_t c = RopCode(rop);
    return ((c >> 4) & 0x0F) != (c & 0x0F);
}

void Fill(Bitmap& dst, const Region& clip, const RECT& r, Pixel p) {
    ForEachClipped(clip, r, [&](const RECT& part) {
        for (int y = part.top; y < part.bottom; ++y) {
            std::fill(dst.Row(y) + part.left, dst.Row(y) + part.right, p);
        }
    });
}

void PatternRop(Bitmap& dst, const Region& clip, const RECT& r, DWORD rop, Pixel pattern) {
    std::uint8_t code = RopCode(rop);
    if (code == 0xF0) {
        Fill(dst, clip, r, pattern);
        return;
    }
    if (code == 0xAA) { // D: nothing changes
        return;
    }
    ForEachClipped(clip, r, [&](const RECT& part) {
        for (int y = part.top; y < part.bottom; ++y) {
            Pixel* row = dst.Row(y);
            for (int x = part.left; x < part.right; ++x) {
                row[x] = Rop3(code, pattern, 0, row[x] & kRgb);
            }
        }
    });
}

void Blit(Bitmap& dst, const Region& clip, const RECT& r, const Bitmap& src, int sx, int sy, DWORD rop,
          Pixel pattern) {
    // Only the part whose source exists is touched.
    RECT srcArea = IntersectRect(OffsetRect(src.Bounds(), r.left - sx, r.top - sy), r);
    if (IsRectEmpty(srcArea)) {
        return;
    }
    SourceView view(src, dst, OffsetRect(srcArea, sx - r.left, sy - r.top));
    std::uint8_t code = RopCode(rop);
    int ox = sx - r.left, oy = sy - r.top;
    auto rows = [&](auto op) {
        ForEachClipped(clip, srcArea, [&](const RECT& part) {
            for (int y = part.top; y < part.bottom; ++y) {
                Pixel* d = dst.Row(y) + part.left;
                const Pixel* s = view.Ptr(part.left + ox, y + oy);
                for (int i = 0, n = part.right - part.left; i < n; ++i) {
                    d[i] = op(s[i] & kRgb, d[i] & kRgb);
                }
            }
        });
    };
    switch (code) {
    case 0xCC:
        ForEachClipped(clip, srcArea, [&](const RECT& part) {
            for (int y = part.top; y < part.bottom; ++y) {
                std::memcpy(dst.Row(y) + part.left, view.Ptr(part.left + ox, y + oy),
                            std::size_t(part.right - part.left) * 4);
            }
        });
        break;
    case 0x88: rows([](Pixel s, Pixel d) { return s & d; }); break;
    case 0xEE: rows([](Pixel s, Pixel d) { return s | d; }); break;
    case 0x66: rows([](Pixel s, Pixel d) { return s ^ d; }); break;
    default: rows([&](Pixel s, Pixel d) { return Rop3(code, pattern, s, d); }); break;
    }
}

void Stretch(Bitmap& dst, const Region& clip, const Bitmap& src, const StretchArgs& a) {
    if (a.dw == 0 || a.dh == 0 || a.sw == 0 || a.sh == 0) {
        return;
    }
    const int dw = std::abs(a.dw), dh = std::abs(a.dh), sw = std::abs(a.sw), sh = std::abs(a.sh);
    const RECT dr{std::min(a.dx, a.dx + a.dw), std::min(a.dy, a.dy + a.dh), std::max(a.dx, a.dx + a.dw),
                  std::max(a.dy, a.dy + a.dh)};
    const int sx0 = std::min(a.sx, a.sx + a.sw), sy0 = std::min(a.sy, a.sy + a.sh);
    const bool mirrorX = (a.dw < 0) != (a.sw < 0), mirrorY = (a.dh < 0) != (a.sh < 0);
    RECT clipped = IntersectRect(dr, clip.Bounds());
    if (IsRectEmpty(clipped)) {
        return;
    }
    SourceView view(src, dst, RECT{sx0, sy0, sx0 + sw, sy0 + sh});
    // Source column and row for each destination column and row of the clipped area; -1
    // where the source has no pixel (the destination is left alone there).
    std::vector<int> cols(static_cast<std::size_t>(RectWidth(clipped)));
    std::vector<const Pixel*> rows(static_cast<std::size_t>(RectHeight(clipped)));
    for (int x = clipped.left; x < clipped.right; ++x) {
        int k = int(std::int64_t(x - dr.left) * sw / dw);
        int sx = sx0 + (mirrorX ? sw - 1 - k : k);
        cols[std::size_t(x - clipped.left)] = view.HasColumn(sx) ? sx - view.offsetX : -1;
    }
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        int k = int(std::int64_t(y - dr.top) * sh / dh);
        int sy = sy0 + (mirrorY ? sh - 1 - k : k);
        rows[std::size_t(y - clipped.top)] = view.HasRow(sy) ? view.RowPtr(sy) : nullptr;
    }
    const std::uint8_t code = RopCode(a.rop);
    const bool keyed = a.key.has_value();
    const Pixel key = keyed ? *a.key & kRgb : 0;
    ForEachClipped(clip, clipped, [&](const RECT& part) {
        for (int y = part.top; y < part.bottom; ++y) {
            const Pixel* srow = rows[std::size_t(y - clipped.top)];
            if (!srow) {
                continue;
            }
            Pixel* d = dst.Row(y);
            const int* c = cols.data() + (part.left - clipped.left);
            for (int x = part.left; x < part.right; ++x, ++c) {
                if (*c < 0) {
                    continue;
                }
                Pixel s = srow[*c] & kRgb;
                if (keyed && s == key) {
                    continue;
                }
                d[x] = code == 0xCC ? s : Rop3(code, a.pattern, s, d[x] & kRgb);
            }
        }
    });
}

namespace {

class Plotter {
public:
    Plotter(Bitmap& dst, const Region& clip) : dst_(dst), clip_(clip) { simple_ = clip.Rects().size() == 1; }
    void Plot(int x, int y, Pixel p, int rop2) {
        bool inside = simple_ ? PtInRect(clip_.Bounds(), POINT{x, y}) : clip_.Contains(x, y);
        if (inside) {
            Pixel& d = dst_.Row(y)[x];
            d = Rop2(rop2, p, d & kRgb);
        }
    }
    void Square(int x, int y, int width, Pixel p, int rop2) {
        if (width <= 1) {
            Plot(x, y, p, rop2);
            return;
        }
        int lo = -(width / 2);
        for (int j = lo; j < lo + width; ++j)
            for (int i = lo; i < lo + width; ++i)
                Plot(x + i, y + j, p, rop2);
    }

private:
    Bitmap& dst_;
    const Region& clip_;
    bool simple_ = false;
};

} // namespace

void Line(Bitmap& dst, const Region& clip, POINT a, POINT b, const LinePen& pen, int& phase) {
    if (clip.Empty()) {
        return;
    }
    Plotter plot(dst, clip);
    int dashTotal = 0;
    for (int i = 0; i < pen.dashCount; ++i) {
        dashTotal += pen.dashes[i];
    }
    auto on = [&](int position) {
        if (dashTotal == 0) {
            return true;
        }
        int p = position % dashTotal;
        for (int i = 0; i < pen.dashCount; ++i) {
            if (p < pen.dashes[i]) {
                return i % 2 == 0;
            }
            p -= pen.dashes[i];
        }
        return true;
    };
    // Stepping along the major axis, the minor coordinate of step k is the exact line's value
    // rounded half up, so any step can be computed directly: the walk starts and ends where
    // the pen can touch the clip, and a line a billion pixels long costs no more than one
    // across the bitmap.
    const std::int64_t adx = std::abs(std::int64_t(b.x) - a.x), ady = std::abs(std::int64_t(b.y) - a.y);
    const int sx = b.x >= a.x ? 1 : -1, sy = b.y >= a.y ? 1 : -1;
    const bool xMajor = adx >= ady;
    const std::int64_t steps = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const RECT bounds = clip.Bounds();
    const int reach = pen.width; // a stamp reaches at most this far from its centre
    const std::int64_t lo = (xMajor ? bounds.left : bounds.top) - reach;
    const std::int64_t hi = (xMajor ? bounds.right : bounds.bottom) + reach;
    const std::int64_t start = xMajor ? a.x : a.y;
    const int dir = xMajor ? sx : sy;
    std::int64_t kFirst = 0, kLast = steps; // steps [kFirst, kLast) may land inside
    if (dir > 0) {
        kFirst = std::max<std::int64_t>(0, lo - start);
        kLast = std::min<std::int64_t>(steps, hi - start + 1);
    } else {
        kFirst = std::max<std::int64_t>(0, start - hi);
        kLast = std::min<std::int64_t>(steps, start - lo + 1);
    }
    // The dash position only matters modulo the pattern length.
    auto advance = [&](std::int64_t n) {
        phase = dashTotal ? int((std::int64_t(phase) + n) % dashTotal) : 0;
    };
    advance(kFirst);
    for (std::int64_t k = kFirst; k < kLast; ++k) {
        std::int64_t m = steps ? (2 * k * minor + steps) / (2 * steps) : 0;
        int x = int(xMajor ? a.x + sx * k : a.x + sx * m);
        int y = int(xMajor ? a.y + sy * m : a.y + sy * k);
        if (on(phase)) {
            plot.Square(x, y, pen.width, pen.color, pen.rop2);
        } else if (pen.gapColor) {
            plot.Square(x, y, pen.width, *pen.gapColor, pen.rop2);
        }
        advance(1);
    }
    advance(steps - std::max(kFirst, kLast));
}

} // namespace gfx::raster
