#include "skin/data/qvRaster.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace qv {

void CopyPixels(const gfx::Bitmap& src, int sx, int sy, int w, int h, gfx::Bitmap& dst, int dx, int dy) {
    // Clip the block against the source and the destination together, keeping the two corners
    // in step.
    if (sx < 0) {
        w += sx;
        dx -= sx;
        sx = 0;
    }
    if (sy < 0) {
        h += sy;
        dy -= sy;
        sy = 0;
    }
    if (dx < 0) {
        w += dx;
        sx -= dx;
        dx = 0;
    }
    if (dy < 0) {
        h += dy;
        sy -= dy;
        dy = 0;
    }
    w = std::min({w, src.Width() - sx, dst.Width() - dx});
    h = std::min({h, src.Height() - sy, dst.Height() - dy});
    if (w <= 0 || h <= 0) {
        return;
    }
    const std::size_t bytes = std::size_t(w) * sizeof(gfx::Pixel);
    if (&src == &dst && sy < dy) {
        // Overlapping move downwards inside one bitmap: walk the rows from the bottom.
        for (int y = h - 1; y >= 0; --y) {
            std::memmove(dst.Row(dy + y) + dx, src.Row(sy + y) + sx, bytes);
        }
        return;
    }
    for (int y = 0; y < h; ++y) {
        std::memmove(dst.Row(dy + y) + dx, src.Row(sy + y) + sx, bytes);
    }
}

namespace {

// Maps the destination span [d0, d1) onto the source span [s0, s1), restricted to destination
// indexes in [0, dstLimit); entries whose source index falls outside [0, srcLimit) are -1.
// first receives the destination index of entry 0.
std::vector<int> SampleMap(int s0, int s1, int d0, int d1, int srcLimit, int dstLimit, int& first) {
    std::vector<int> map;
    const int srcLen = s1 - s0;
    const int dstLen = d1 - d0;
    const int lo = std::max(d0, 0);
    const int hi = std::min(d1, dstLimit);
    first = lo;
    if (srcLen <= 0 || dstLen <= 0 || lo >= hi) {
        return map;
    }
    map.resize(std::size_t(hi - lo));
    for (int d = lo; d < hi; ++d) {
        const int s = s0 + StretchSourceIndex(d - d0, srcLen, dstLen);
        map[std::size_t(d - lo)] = (s >= 0 && s < srcLimit) ? s : -1;
    }
    return map;
}

} // namespace

void StretchPixels(const gfx::Bitmap& src, const RECT& s, gfx::Bitmap& dst, const RECT& d) {
    int x0 = 0;
    int y0 = 0;
    const std::vector<int> cols = SampleMap(s.left, s.right, d.left, d.right, src.Width(), dst.Width(), x0);
    const std::vector<int> rows = SampleMap(s.top, s.bottom, d.top, d.bottom, src.Height(), dst.Height(), y0);
    if (cols.empty() || rows.empty()) {
        return;
    }
    // A stretch from a picture into itself would read pixels it has already written.
    gfx::Bitmap copy;
    const gfx::Bitmap* from = &src;
    if (&src == &dst) {
        copy = src;
        from = &copy;
    }
    int lastRow = -1;
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const int sy = rows[j];
        if (sy < 0) {
            continue;
        }
        gfx::Pixel* out = dst.Row(y0 + int(j)) + x0;
        if (sy == lastRow) {
            // Enlarging repeats whole rows: the row just written is the same one.
            std::memcpy(out, dst.Row(y0 + int(j) - 1) + x0, cols.size() * sizeof(gfx::Pixel));
            continue;
        }
        const gfx::Pixel* in = from->Row(sy);
        for (std::size_t i = 0; i < cols.size(); ++i) {
            if (cols[i] >= 0) {
                out[i] = in[cols[i]];
            }
        }
        // Only a fully written row may be repeated by the memcpy above.
        lastRow = std::find(cols.begin(), cols.end(), -1) == cols.end() ? sy : -1;
    }
}

void BlitPixels(const gfx::Bitmap& src, const RECT& s, gfx::Bitmap& dst, const RECT& d) {
    const int sw = s.right - s.left;
    const int sh = s.bottom - s.top;
    if (sw == d.right - d.left && sh == d.bottom - d.top) {
        if (sw > 0 && sh > 0) {
            CopyPixels(src, s.left, s.top, sw, sh, dst, d.left, d.top);
        }
        return;
    }
    StretchPixels(src, s, dst, d);
}

namespace {

// True when the piece s lies wholly inside src and src is not the destination: then every tile
// is the same block of pixels, and the tiles after the first can be copied from the first.
bool WholePiece(const gfx::Bitmap& src, const RECT& s, const gfx::Bitmap& dst) {
    return &src != &dst && s.left >= 0 && s.top >= 0 && s.right <= src.Width() && s.bottom <= src.Height();
}

// Repeats the columns [x, x + w) of the rows [y0, y1) to the right up to end, doubling the copied
// run each time, so a narrow tile costs a few block copies per row instead of one per tile.
void RepeatColumns(gfx::Bitmap& dst, int x, int w, int end, int y0, int y1) {
    end = std::min(end, dst.Width());
    y0 = std::max(y0, 0);
    y1 = std::min(y1, dst.Height());
    if (x < 0 || w <= 0 || x + w >= end) {
        return;
    }
    for (int y = y0; y < y1; ++y) {
        gfx::Pixel* row = dst.Row(y) + x;
        int filled = w;
        while (x + filled < end) {
            const int n = std::min(filled, end - (x + filled));
            std::memcpy(row + filled, row, std::size_t(n) * sizeof(gfx::Pixel));
            filled += n;
        }
    }
}

// Repeats the rows [y, y + h) of the columns [x0, x1) downwards up to end, one row at a time.
void RepeatRows(gfx::Bitmap& dst, int y, int h, int end, int x0, int x1) {
    end = std::min(end, dst.Height());
    x0 = std::max(x0, 0);
    x1 = std::min(x1, dst.Width());
    if (y < 0 || h <= 0 || x0 >= x1) {
        return;
    }
    const std::size_t bytes = std::size_t(x1 - x0) * sizeof(gfx::Pixel);
    for (int row = y + h; row < end; ++row) {
        std::memcpy(dst.Row(row) + x0, dst.Row(row - h) + x0, bytes);
    }
}

} // namespace

void TileHorz(const gfx::Bitmap& src, const RECT& s, gfx::Bitmap& dst, int o, int e, int y0, int y1) {
    const int w = s.right - s.left;
    if (w <= 0 || e <= o) {
        return;
    }
    const bool whole = WholePiece(src, s, dst);
    // Pieces entirely left of the destination would be clipped away: start at the first visible.
    int k = o < 0 ? (-o) / w : 0;
    for (int x = o + k * w; x < e && x < dst.Width(); x += w) {
        const int cut = std::max(0, x + w - e);
        BlitPixels(src, RECT{s.left, s.top, s.right - cut, s.bottom}, dst, RECT{x, y0, x + w - cut, y1});
        if (whole && x >= 0) {
            // The rest repeats this piece, the last one cut at e.
            RepeatColumns(dst, x, w, e, y0, y1);
            return;
        }
    }
}

void TileVert(const gfx::Bitmap& src, const RECT& s, gfx::Bitmap& dst, int o, int e, int x0, int x1) {
    const int h = s.bottom - s.top;
    if (h <= 0 || e <= o) {
        return;
    }
    const bool whole = WholePiece(src, s, dst);
    int k = o < 0 ? (-o) / h : 0;
    for (int y = o + k * h; y < e && y < dst.Height(); y += h) {
        const int cut = std::max(0, y + h - e);
        BlitPixels(src, RECT{s.left, s.top, s.right, s.bottom - cut}, dst, RECT{x0, y, x1, y + h - cut});
        if (whole && y >= 0) {
            RepeatRows(dst, y, h, e, x0, x1);
            return;
        }
    }
}

void TileBoth(const gfx::Bitmap& src, const RECT& s, gfx::Bitmap& dst, const RECT& d) {
    const int w = s.right - s.left;
    const int h = s.bottom - s.top;
    if (w <= 0 || h <= 0 || d.right <= d.left || d.bottom <= d.top) {
        return;
    }
    if (WholePiece(src, s, dst)) {
        // Each visible row of the first band of tiles: the part of a tile the row starts in,
        // then whole tiles repeated; every later row repeats the row one tile height above.
        const int top = std::max(d.top, 0);
        const int bottom = std::min(d.bottom, dst.Height());
        const int left = std::max(d.left, 0);
        const int right = std::min(d.right, dst.Width());
        if (top >= bottom || left >= right) {
            return;
        }
        const int into = (left - d.left) % w;
        for (int y = top; y < std::min(bottom, top + h); ++y) {
            const int sy = s.top + (y - d.top) % h;
            const gfx::Pixel* in = src.Row(sy) + s.left;
            gfx::Pixel* out = dst.Row(y);
            const int first = std::min(w - into, right - left);
            std::memcpy(out + left, in + into, std::size_t(first) * sizeof(gfx::Pixel));
            if (left + first < right) {
                std::memcpy(out + left + first, in,
                            std::size_t(std::min(w, right - left - first)) * sizeof(gfx::Pixel));
                RepeatColumns(dst, left + first, w, right, y, y + 1);
            }
        }
        RepeatRows(dst, top, h, bottom, left, right);
        return;
    }
    // Columns outer, rows inner, as the tiles are laid; tiles do not overlap, so the order only
    // matters for where pieces meet other pieces of the caller.
    for (int x = d.left; x < d.right && x < dst.Width(); x += w) {
        const int cutx = std::max(0, x + w - d.right);
        if (x + w - cutx <= 0) {
            continue;
        }
        for (int y = d.top; y < d.bottom && y < dst.Height(); y += h) {
            const int cuty = std::max(0, y + h - d.bottom);
            CopyPixels(src, s.left, s.top, w - cutx, h - cuty, dst, x, y);
        }
    }
}

} // namespace qv
