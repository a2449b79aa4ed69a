// Composition is tested on synthetic pictures whose every pixel carries its own coordinates, so a
// destination pixel names the source pixel it came from and any misplaced piece shows.

#include "skin/data/qvRaster.h"
#include "skin/data/qvUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

using gfx::Bitmap;
using gfx::Pixel;
using qv::TqvComposeFlags;
using qv::TqvSkinGeometry;

namespace {

Pixel Tag(int x, int y) { return 0x800000u | (Pixel(x) << 8) | Pixel(y); }

// A picture of w x h distinct pixels.
Bitmap Picture(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, Tag(x, y));
    return b;
}

constexpr Pixel kUntouched = 0x00123456;

// The embedded memo skin: 59 x 52, placed at (5, 4) in its picture so the offset is exercised.
const RECT kMemoS{5, 4, 5 + 59, 4 + 52};
const TqvSkinGeometry kMemo{{3, 3}, {55, 3}, {2, 48}, {56, 50}, {2, 2, 57, 50}};

TqvComposeFlags Tiled() { return TqvComposeFlags{}; }
TqvComposeFlags Stretched(int type) {
    TqvComposeFlags f;
    f.StretchTop = f.StretchBottom = f.StretchLeft = f.StretchRight = true;
    f.StretchCentre = true;
    f.StretchType = type;
    return f;
}

// Asserts every pixel of rows [y0, y1) x columns [x0, x1) of D against the picture pixel that
// source(x, y) names (in S-relative coordinates).
void ExpectRegion(const Bitmap& D, const RECT& S, int x0, int x1, int y0, int y1,
                  const std::function<POINT(int, int)>& source) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const POINT s = source(x, y);
            ASSERT_EQ(D.GetPixel(x, y), Tag(S.left + s.x, S.top + s.y)) << "at (" << x << ", " << y << ")";
        }
    }
}

} // namespace

TEST(AnchorSkinGeometry, MemoAnchoredTo200x100) {
    const TqvSkinGeometry n = qv::AnchorSkinGeometry(kMemo, 59, 52, 200, 100);
    EXPECT_EQ(n.LT, (POINT{3, 3}));
    EXPECT_EQ(n.RT, (POINT{196, 3}));
    EXPECT_EQ(n.LB, (POINT{2, 96}));
    EXPECT_EQ(n.RB, (POINT{197, 98}));
    EXPECT_EQ(n.Cl, (RECT{2, 2, 198, 98}));
}

TEST(ComposeSkinImage, MemoTopEdgeTilesFromTheLeftCornerPoint) {
    const Bitmap P = Picture(70, 60);
    Bitmap D;
    qv::ComposeSkinImage(P, kMemoS, kMemo, 200, 100, Tiled(), D);
    ASSERT_EQ(D.Width(), 200);
    ASSERT_EQ(D.Height(), 100);
    // Pieces [3,55), [55,107), [107,159) and [159,196), the last from source columns [3,40);
    // corner a before them and corner c from source column 55 after them.
    ExpectRegion(D, kMemoS, 0, 200, 0, 2, [](int x, int y) {
        if (x < 3) return POINT{x, y};
        if (x < 196) return POINT{3 + (x - 3) % 52, y};
        return POINT{55 + (x - 196), y};
    });
    EXPECT_EQ(D.GetPixel(195, 0), Tag(5 + 39, 4));
    // The bottom-right corner keeps its distance to the border: corner g at [197,200) x [98,100).
    ExpectRegion(D, kMemoS, 197, 200, 98, 100, [](int x, int y) {
        return POINT{56 + (x - 197), 50 + (y - 98)};
    });
}

TEST(ComposeSkinImage, TiledCentreRepeatsTheClientFromItsTopLeft) {
    const Bitmap P = Picture(70, 60);
    Bitmap D;
    qv::ComposeSkinImage(P, kMemoS, kMemo, 200, 100, Tiled(), D);
    // Client 55 x 48 tiled over newCl (2,2,198,98).
    ExpectRegion(D, kMemoS, 2, 198, 2, 98, [](int x, int y) {
        return POINT{2 + (x - 2) % 55, 2 + (y - 2) % 48};
    });
}

TEST(ComposeSkinImage, StretchedEdgesAndCentreSampleNearest) {
    const Bitmap P = Picture(70, 60);
    Bitmap D;
    qv::ComposeSkinImage(P, kMemoS, kMemo, 111, 100, Stretched(0), D);
    // Top edge: source [3,55) (52 columns) onto [3,107) (104): every column twice.
    ExpectRegion(D, kMemoS, 3, 107, 0, 2, [](int x, int y) { return POINT{3 + (x - 3) / 2, y}; });
    // Centre: 55 x 48 onto (2,2,109,98): floor(d * src / dst) on both axes.
    ExpectRegion(D, kMemoS, 2, 109, 2, 98, [](int x, int y) {
        return POINT{2 + (x - 2) * 55 / 107, 2 + (y - 2) * 48 / 96};
    });
}

TEST(ComposeSkinImage, CentreStretchTypesScaleOneAxisAndRepeatTheOther) {
    const Bitmap P = Picture(70, 60);
    Bitmap D;
    // Horizontal: a column of tiles scaled to the new height, repeated every 55 columns.
    qv::ComposeSkinImage(P, kMemoS, kMemo, 200, 100, Stretched(1), D);
    ExpectRegion(D, kMemoS, 2, 198, 2, 98, [](int x, int y) {
        return POINT{2 + (x - 2) % 55, 2 + (y - 2) * 48 / 96};
    });
    // Vertical: a row scaled to the new width, repeated every 48 rows.
    qv::ComposeSkinImage(P, kMemoS, kMemo, 200, 100, Stretched(2), D);
    ExpectRegion(D, kMemoS, 2, 198, 2, 98, [](int x, int y) {
        return POINT{2 + (x - 2) * 55 / 196, 2 + (y - 2) % 48};
    });
}

TEST(ComposeSkinImage, SkinSizeReproducesTheSkinRectangle) {
    const Bitmap P = Picture(70, 60);
    struct Case {
        const char* name;
        TqvComposeFlags flags;
    } cases[] = {{"tiled", Tiled()},
                 {"stretched full", Stretched(0)},
                 {"stretched horizontal", Stretched(1)},
                 {"stretched vertical", Stretched(2)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap D;
        qv::ComposeSkinImage(P, kMemoS, kMemo, 59, 52, c.flags, D);
        ExpectRegion(D, kMemoS, 0, 59, 0, 52, [](int x, int y) { return POINT{x, y}; });
    }
    Bitmap fitted(59, 52);
    qv::FitSkinImageToSize(P, kMemoS, RECT{4, 5, 50, 40}, true, fitted);
    ExpectRegion(fitted, kMemoS, 0, 59, 0, 52, [](int x, int y) { return POINT{x, y}; });
}

TEST(ComposeSkinImage, UncoveredPixelsAndWithoutCentreKeepTheDestination) {
    const Bitmap P = Picture(70, 60);
    Bitmap D(200, 100, kUntouched);
    TqvComposeFlags flags = Tiled();
    flags.DrawCentre = false;
    qv::ComposeSkinImage(P, kMemoS, kMemo, 200, 100, flags, D);
    EXPECT_EQ(D.GetPixel(100, 50), kUntouched);
    EXPECT_EQ(D.GetPixel(0, 0), Tag(5, 4));

    // Coinciding corner points or an empty picture: sized, nothing drawn.
    TqvSkinGeometry flat = kMemo;
    flat.RB.x = flat.LT.x;
    Bitmap E;
    qv::ComposeSkinImage(P, kMemoS, flat, 30, 20, Tiled(), E);
    EXPECT_EQ(E.Width(), 30);
    EXPECT_EQ(E.GetPixel(0, 0), 0u);
    qv::ComposeSkinImage(Bitmap{}, kMemoS, kMemo, 30, 20, Tiled(), E);
    EXPECT_EQ(E.GetPixel(0, 0), 0u);
}

TEST(ComposeSkinImage, ZeroSizedPiecesDrawNothing) {
    const Bitmap P = Picture(70, 60);
    // Top edge with coinciding corner points, a client of zero width, a target smaller than the
    // space between the corners: no piece divides by zero or writes outside.
    TqvSkinGeometry g = kMemo;
    g.RT.x = g.LT.x;
    g.Cl.right = g.Cl.left;
    for (const SIZE size : {SIZE{200, 100}, SIZE{4, 3}, SIZE{1, 1}}) {
        Bitmap D(size.cx, size.cy, kUntouched);
        qv::ComposeSkinImage(P, kMemoS, g, size.cx, size.cy, Tiled(), D);
        qv::ComposeSkinImage(P, kMemoS, kMemo, size.cx, size.cy, Tiled(), D);
        qv::ComposeSkinImage(P, kMemoS, kMemo, size.cx, size.cy, Stretched(1), D);
    }
    Bitmap D(200, 100, kUntouched);
    qv::ComposeSkinImage(P, kMemoS, g, 200, 100, Tiled(), D);
    EXPECT_EQ(D.GetPixel(100, 0), kUntouched);                       // top edge
    EXPECT_EQ(D.GetPixel(100, 50), kUntouched);                      // centre
    EXPECT_EQ(D.GetPixel(0, 50), Tag(5 + 0, 4 + 3 + (50 - 3) % 45)); // left edge still tiles
}

TEST(TileHorz, ExactMultipleLeavesAnEmptyLastPiece) {
    const Bitmap P = Picture(20, 2);
    Bitmap D(40, 1, kUntouched);
    qv::TileHorz(P, RECT{2, 0, 12, 1}, D, 4, 34, 0, 1);
    for (int x = 0; x < 40; ++x) {
        const Pixel want = (x >= 4 && x < 34) ? Tag(2 + (x - 4) % 10, 0) : kUntouched;
        ASSERT_EQ(D.GetPixel(x, 0), want) << x;
    }
}

TEST(ComposeHorzImage, ButtonTilesAtWidth121) {
    // The embedded button: 42 wide, left width 3, right width 7, middle piece [3,35).
    const Bitmap P = Picture(50, 30);
    const RECT S{1, 2, 43, 23};
    Bitmap D;
    qv::ComposeHorzImage(P, S, 3, 7, 121, false, D);
    ASSERT_EQ(D.Width(), 121);
    ASSERT_EQ(D.Height(), 21);
    ExpectRegion(D, S, 0, 121, 0, 21, [](int x, int y) {
        if (x < 3) return POINT{x, y};
        if (x < 114) return POINT{3 + (x - 3) % 32, y}; // [3,35) [35,67) [67,99) [99,114)
        return POINT{35 + (x - 114), y};
    });

    qv::ComposeHorzImageNoRight(P, S, 3, 7, 121, false, D);
    ExpectRegion(D, S, 0, 121, 0, 21, [](int x, int y) {
        return x < 3 ? POINT{x, y} : POINT{3 + (x - 3) % 32, y};
    });

    qv::ComposeHorzImage(P, S, 3, 7, 67, true, D);
    ExpectRegion(D, S, 3, 60, 0, 21, [](int x, int y) { return POINT{3 + (x - 3) * 32 / 57, y}; });
    ExpectRegion(D, S, 60, 67, 0, 21, [](int x, int y) { return POINT{35 + (x - 60), y}; });
}

TEST(ComposeVertImage, FixedEndsAndTiledMiddle) {
    const Bitmap P = Picture(10, 30);
    const RECT S{2, 3, 8, 23}; // 6 x 20, top 4, bottom 5, middle rows [4,15)
    Bitmap D;
    qv::ComposeVertImage(P, S, 4, 5, 40, false, D);
    ASSERT_EQ(D.Width(), 6);
    ExpectRegion(D, S, 0, 6, 0, 40, [](int x, int y) {
        if (y < 4) return POINT{x, y};
        if (y < 35) return POINT{x, 4 + (y - 4) % 11};
        return POINT{x, 15 + (y - 35)};
    });
    // A middle of height 0 draws nothing there.
    Bitmap E(6, 40, kUntouched);
    qv::ComposeVertImage(P, RECT{2, 3, 8, 12}, 4, 5, 40, false, E);
    EXPECT_EQ(E.GetPixel(0, 20), kUntouched);
    EXPECT_EQ(E.GetPixel(0, 36), Tag(2, 3 + 4 + 1));
}

TEST(FillFromSkinRect, TilesFromTheOriginAndStretchCopiesRunPastTheArea) {
    const Bitmap P = Picture(30, 30);
    const RECT O{10, 5, 0, 0};
    const RECT R{2, 3, 7, 6}; // 5 x 3 at (12, 8) in the picture
    Bitmap D;
    qv::FillFromSkinRect(P, O, R, RECT{0, 0, 12, 7}, 16, 9, false, 0, D);
    ASSERT_EQ(D.Width(), 16);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(D.GetPixel(x, y), (x < 12 && y < 7) ? Tag(12 + x % 5, 8 + y % 3) : 0u) << x << "," << y;

    // Horizontal: the piece scaled to Dr's height and repeated 12 div 5 + 1 = 3 times, the last
    // copy running on to x = 15 beyond Dr.
    qv::FillFromSkinRect(P, O, R, RECT{0, 0, 12, 6}, 16, 9, true, 1, D);
    for (int x = 0; x < 16; ++x) {
        const Pixel want = x < 15 ? Tag(12 + x % 5, 8) : 0u;
        ASSERT_EQ(D.GetPixel(x, 0), want) << x;
        ASSERT_EQ(D.GetPixel(x, 5), x < 15 ? Tag(12 + x % 5, 8 + 2) : 0u) << x;
    }
    // Zero-width source: nothing, no division.
    Bitmap E(16, 9, kUntouched);
    qv::FillFromSkinRect(P, O, RECT{2, 3, 2, 6}, RECT{0, 0, 12, 6}, 16, 9, false, 0, E);
    qv::FillFromSkinRect(P, O, RECT{2, 3, 2, 6}, RECT{0, 0, 12, 6}, 16, 9, true, 1, E);
    EXPECT_EQ(E.GetPixel(0, 0), kUntouched);
}

TEST(ComposeSkinImageOpenRight, TopBottomAndCentreRunToTheRightEdge) {
    const Bitmap P = Picture(70, 60);
    Bitmap D(120, 60, kUntouched);
    qv::ComposeSkinImageOpenRight(P, kMemoS, kMemo, qv::AnchorSkinGeometry(kMemo, 59, 52, 120, 60), 120, 60,
                                  Tiled(), D);
    ExpectRegion(D, kMemoS, 3, 120, 0, 2, [](int x, int y) { return POINT{3 + (x - 3) % 52, y}; });
    ExpectRegion(D, kMemoS, 2, 120, 2, 58, [](int x, int y) {
        return POINT{2 + (x - 2) % 55, 2 + (y - 2) % 48};
    });
}

TEST(ComposeBorderStrips, StretchedStripsAssembleToTheComposedFrame) {
    const Bitmap P = Picture(70, 60);
    const int W = 150, H = 90;
    const TqvSkinGeometry n = qv::AnchorSkinGeometry(kMemo, 59, 52, W, H);
    TqvComposeFlags flags = Stretched(0);
    qv::TqvBorderStrips strips;
    qv::ComposeBorderStrips(P, kMemoS, kMemo, n, W, H, flags, strips);
    ASSERT_EQ(strips.Top.Width(), W);
    ASSERT_EQ(strips.Top.Height(), 2);
    ASSERT_EQ(strips.Bottom.Height(), 2);
    ASSERT_EQ(strips.Left.Width(), 2);
    ASSERT_EQ(strips.Left.Height(), H - 4);
    ASSERT_EQ(strips.Right.Width(), 2);

    Bitmap frame(W, H, kUntouched);
    qv::CopyPixels(strips.Top, 0, 0, W, 2, frame, 0, 0);
    qv::CopyPixels(strips.Left, 0, 0, 2, H - 4, frame, 0, 2);
    qv::CopyPixels(strips.Right, 0, 0, 2, H - 4, frame, W - 2, 2);
    qv::CopyPixels(strips.Bottom, 0, 0, W, 2, frame, 0, H - 2);
    flags.DrawCentre = false;
    Bitmap composed(W, H, kUntouched);
    qv::ComposeSkinImage(P, kMemoS, kMemo, n, W, H, flags, composed);
    EXPECT_EQ(frame, composed);
}

TEST(ComposeBorderStrips, TiledStripsStartTilingAtTheirOwnOrigin) {
    const Bitmap P = Picture(70, 60);
    const int W = 150, H = 90;
    const TqvSkinGeometry n = qv::AnchorSkinGeometry(kMemo, 59, 52, W, H);
    qv::TqvBorderStrips strips;
    qv::ComposeBorderStrips(P, kMemoS, kMemo, n, W, H, Tiled(), strips);
    // Top middle tiled from x = 0 with the 52-wide piece, corners laid over its ends.
    ExpectRegion(strips.Top, kMemoS, 0, W, 0, 2, [&](int x, int y) {
        if (x < 3) return POINT{x, y};
        if (x >= n.RT.x) return POINT{55 + x - n.RT.x, y};
        return POINT{3 + x % 52, y};
    });
    // Left strip: rows [2,3) of the source on top (LT.y - Cl.top = 1), the middle tiled from row 0
    // with rows [3,48), and rows [48,50) at the bottom.
    const int lh = H - 4;
    ExpectRegion(strips.Left, kMemoS, 0, 2, 0, lh, [&](int x, int y) {
        if (y < 1) return POINT{x, 2};
        if (y >= lh - 2) return POINT{x, 48 + y - (lh - 2)};
        return POINT{x, 3 + y % 45};
    });
    // Bottom strip from the source rows [sh - bh, sh) = [50, 52).
    EXPECT_EQ(strips.Bottom.GetPixel(0, 0), Tag(5, 4 + 50));
}

TEST(ComposeSkinImage, ArbitraryGeometryStaysInsideTheBitmaps) {
    // Geometry read from a skin text may be anything; under the sanitizers every routine must keep
    // to the bitmaps and size its destination as asked.
    const Bitmap P = Picture(40, 30);
    std::uint32_t seed = 12345;
    auto next = [&seed](int lo, int hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + int((seed >> 8) % std::uint32_t(hi - lo + 1));
    };
    // Now and then a coordinate at the ends of the integer range.
    auto coord = [&] {
        const int pick = next(0, 40);
        return pick == 0 ? INT_MIN : pick == 1 ? INT_MAX : next(-50, 80);
    };
    auto point = [&] { return POINT{coord(), coord()}; };
    auto rect = [&] { return RECT{coord(), coord(), coord(), coord()}; };
    for (int i = 0; i < 400; ++i) {
        const RECT S = rect();
        const TqvSkinGeometry g{point(), point(), point(), point(), rect()};
        const TqvSkinGeometry n{point(), point(), point(), point(), rect()};
        const int W = next(-5, 90), H = next(-5, 90);
        TqvComposeFlags f;
        f.StretchTop = next(0, 1);
        f.StretchLeft = next(0, 1);
        f.StretchCentre = next(0, 1);
        f.StretchType = next(-1, 3);
        Bitmap D;
        qv::ComposeSkinImage(P, S, g, n, W, H, f, D);
        ASSERT_EQ(D.Width(), W > 0 && H > 0 ? W : 0);
        qv::ComposeSkinImageOpenRight(P, S, g, n, W, H, f, D);
        qv::TqvBorderStrips strips;
        qv::ComposeBorderStrips(P, S, g, n, W, H, f, strips);
        qv::ComposeMaskStrips(P, g, n, W, strips);
        qv::FillFromSkinRect(P, rect(), rect(), rect(), W, H, f.StretchTop, f.StretchType, D);
        qv::ComposeHorzImage(P, S, next(-5, 50), next(-5, 50), W, f.StretchTop, D);
        qv::ComposeVertImage(P, S, next(-5, 50), next(-5, 50), H, f.StretchTop, D);
        Bitmap fitted(W, H);
        qv::FitSkinImageToSize(P, S, rect(), f.StretchTop, fitted);
        gfx::Region region;
        qv::BuildSkinMaskRegion(P, g, n, W, region);
    }
}
