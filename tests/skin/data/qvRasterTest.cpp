// Tiling: the routines repeat the first whole tile by block copies; the result must be the one of
// laying every tile on its own, for pieces of any size, at any offset (also left of or above the
// destination), cut at any edge, with the band stretched across, and for pieces that leave the
// picture (which keep the tile-by-tile path).

#include "skin/data/qvRaster.h"

#include <gtest/gtest.h>

#include <random>

using gfx::Bitmap;

namespace {

// Tile by tile, as the routines are specified.
void RefTileHorz(const Bitmap& src, const RECT& s, Bitmap& dst, int o, int e, int y0, int y1) {
    const int w = s.right - s.left;
    if (w <= 0 || e <= o) {
        return;
    }
    for (int x = o; x < e; x += w) {
        const int cut = std::max(0, x + w - e);
        qv::BlitPixels(src, RECT{s.left, s.top, s.right - cut, s.bottom}, dst, RECT{x, y0, x + w - cut, y1});
    }
}

void RefTileVert(const Bitmap& src, const RECT& s, Bitmap& dst, int o, int e, int x0, int x1) {
    const int h = s.bottom - s.top;
    if (h <= 0 || e <= o) {
        return;
    }
    for (int y = o; y < e; y += h) {
        const int cut = std::max(0, y + h - e);
        qv::BlitPixels(src, RECT{s.left, s.top, s.right, s.bottom - cut}, dst, RECT{x0, y, x1, y + h - cut});
    }
}

void RefTileBoth(const Bitmap& src, const RECT& s, Bitmap& dst, const RECT& d) {
    const int w = s.right - s.left;
    const int h = s.bottom - s.top;
    if (w <= 0 || h <= 0) {
        return;
    }
    for (int x = d.left; x < d.right; x += w) {
        for (int y = d.top; y < d.bottom; y += h) {
            qv::CopyPixels(src, s.left, s.top, std::min(w, d.right - x), std::min(h, d.bottom - y), dst, x,
                           y);
        }
    }
}

Bitmap Noise(int w, int h, std::mt19937& rng) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            b.SetPixel(x, y, rng() & 0xFFFFFF);
        }
    }
    return b;
}

bool Same(const Bitmap& a, const Bitmap& b) {
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

TEST(Tiling, RepeatingTheFirstTileGivesWhatEveryTileGives) {
    std::mt19937 rng(20261210);
    const Bitmap src = Noise(23, 17, rng);
    auto pick = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };
    for (int round = 0; round < 3000; ++round) {
        // Mostly inside the picture; now and then a piece that leaves it.
        const bool outside = round % 7 == 0;
        RECT s{};
        s.left = outside ? pick(-5, 25) : pick(0, 22);
        s.top = outside ? pick(-5, 20) : pick(0, 16);
        s.right = outside ? s.left + pick(1, 9) : pick(s.left + 1, 23);
        s.bottom = outside ? s.top + pick(1, 9) : pick(s.top + 1, 17);
        const Bitmap start = Noise(pick(1, 60), pick(1, 50), rng);
        const int a = pick(-12, 70);
        const int b = a + pick(1, 80);
        const int c = pick(-12, 60);
        const int d = c + pick(1, 70);
        SCOPED_TRACE("round " + std::to_string(round));

        Bitmap fast = start, ref = start;
        qv::TileHorz(src, s, fast, a, b, c, d);
        RefTileHorz(src, s, ref, a, b, c, d);
        EXPECT_TRUE(Same(fast, ref)) << "horizontal";

        fast = start;
        ref = start;
        qv::TileVert(src, s, fast, c, d, a, b);
        RefTileVert(src, s, ref, c, d, a, b);
        EXPECT_TRUE(Same(fast, ref)) << "vertical";

        fast = start;
        ref = start;
        qv::TileBoth(src, s, fast, RECT{a, c, b, d});
        RefTileBoth(src, s, ref, RECT{a, c, b, d});
        EXPECT_TRUE(Same(fast, ref)) << "both";
        if (HasFailure()) {
            break;
        }
    }
}
