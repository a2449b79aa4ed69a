#include "skin/data/qvEffects.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using qv::TqvEffectBmp;

namespace {

// An image of w x h whose every channel holds v.
TqvEffectBmp Flat(int w, int h, int v) {
    TqvEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, gfx::Pixel(v) * 0x010101u);
    return b;
}

int Blue(const TqvEffectBmp& b, int x, int y) { return int(b.GetPixel(x, y) & 0xFF); }

// Columns 0.. of a one-row image, red = 10 * column (so moved columns show where they came from).
TqvEffectBmp Ramp(int w, int base) {
    TqvEffectBmp b(w, 1);
    for (int x = 0; x < w; ++x)
        b.SetPixel(x, 0, gfx::Pixel(base + x) << 16);
    return b;
}
int Red(const TqvEffectBmp& b, int x) { return int(b.GetPixel(x, 0) >> 16); }

} // namespace

TEST(TqvEffectBmp, CopiesAre24BitRowsPaddedToFourBytes) {
    gfx::Bitmap src(5, 2);
    src.SetPixel(4, 1, 0x112233);
    const TqvEffectBmp e(src);
    EXPECT_EQ(e.Stride(), 16);
    const std::uint8_t* row = e.ScanLine(1);
    EXPECT_EQ(row[12], 0x33); // blue, green, red
    EXPECT_EQ(row[13], 0x22);
    EXPECT_EQ(row[14], 0x11);
    EXPECT_EQ(e.ToBitmap(), src);
    gfx::Bitmap target(3, 3, 0xFFFFFF);
    e.DrawTo(target, 1, 1);
    EXPECT_EQ(target.GetPixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(target.GetPixel(1, 1), 0u);

    const qv::TqvFBitmap f(src);
    EXPECT_EQ(f.Rows()[1], f.ScanLine(1));
    const qv::TqvFBitmap g = f;
    EXPECT_EQ(g.Rows()[1], g.ScanLine(1));
}

TEST(TqvEffectBmp, MixWithRoundsHalvesToEven) {
    struct Case {
        int a, b;
        double x;
        int want;
    } cases[] = {{10, 20, 0.0, 10}, {10, 20, 1.0, 20}, {10, 20, 0.5, 15}, {10, 11, 0.5, 10},
                 {11, 12, 0.5, 12}, {10, 20, 2.0, 20}, {10, 20, -1.0, 10}};
    for (const Case& c : cases) {
        TqvEffectBmp a = Flat(2, 2, c.a);
        a.MixWith(Flat(2, 2, c.b), c.x);
        EXPECT_EQ(a.GetPixel(1, 1), gfx::Pixel(c.want) * 0x010101u) << c.a << " " << c.b << " " << c.x;
    }
    TqvEffectBmp a = Flat(2, 2, 10);
    a.MixWith(Flat(3, 2, 200), 1.0); // sizes differ: nothing
    EXPECT_EQ(Blue(a, 0, 0), 10);
}

TEST(TqvEffectBmp, FiltersValues) {
    struct Case {
        const char* name;
        int in;
        void (*apply)(TqvEffectBmp&);
        int want;
    } cases[] = {
        {"lighten 0", 0, [](TqvEffectBmp& b) { b.Lighten(0.5); }, 128},
        {"lighten 255", 255, [](TqvEffectBmp& b) { b.Lighten(0.5); }, 255},
        {"darken 200", 200, [](TqvEffectBmp& b) { b.Darken(0.3); }, 140},
        {"darken clamped", 200, [](TqvEffectBmp& b) { b.Darken(3.0); }, 0},
        {"invert", 55, [](TqvEffectBmp& b) { b.Invert(); }, 200},
    };
    for (const Case& c : cases) {
        TqvEffectBmp b = Flat(3, 2, c.in);
        c.apply(b);
        EXPECT_EQ(b.GetPixel(2, 1), gfx::Pixel(c.want) * 0x010101u) << c.name;
    }
    TqvEffectBmp red(1, 1);
    red.SetPixel(0, 0, 0xFF0000);
    red.ToGray(); // 76.5 goes to 76
    EXPECT_EQ(red.GetPixel(0, 0), 0x4C4C4Cu);
}

TEST(TqvEffectBmp, CentreWipeHorzExample) {
    TqvEffectBmp a = Flat(10, 2, 0);
    a.CentreWipeHorz(Flat(10, 2, 90), 0.4);
    // Columns 3..7 become B; outwards from them the image fades back to A in thirds.
    const int want[10] = {0, 30, 60, 90, 90, 90, 90, 90, 60, 30};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(Blue(a, x, 0), want[x]) << x;
        EXPECT_EQ(Blue(a, x, 1), want[x]) << x;
    }
    // Taller than wide: the wipe runs over rows.
    TqvEffectBmp v = Flat(2, 10, 0);
    v.CentreWipe(Flat(2, 10, 90), 0.4);
    EXPECT_EQ(Blue(v, 1, 5), 90);
    EXPECT_LT(Blue(v, 1, 0), 90);
}

TEST(TqvEffectBmp, WipesFadeFromTheirStartingEdge) {
    TqvEffectBmp a = Flat(8, 1, 0);
    a.LeftWipe(Flat(8, 1, 80), 0.5); // n = 4: columns 0..4 with w = 0, 1/4 ... 1
    const int left[8] = {80, 60, 40, 20, 0, 0, 0, 0};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(Blue(a, x, 0), left[x]) << x;

    TqvEffectBmp r = Flat(8, 1, 0);
    r.RightWipe(Flat(8, 1, 80), 0.5); // s = 4, step 1/4 from column 7 down to 4
    const int right[8] = {0, 0, 0, 0, 20, 40, 60, 80};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(Blue(r, x, 0), right[x]) << x;
}

TEST(TqvEffectBmp, SlidesAndPushMoveWholeColumns) {
    // SlideFromLeft at 0 still copies one column: B's last column into A's first.
    TqvEffectBmp a = Ramp(4, 0);
    a.SlideFromLeft(Ramp(4, 100), 0.0);
    EXPECT_EQ(Red(a, 0), 103);
    EXPECT_EQ(Red(a, 1), 1);

    TqvEffectBmp s = Ramp(6, 0);
    s.SlideFromLeft(Ramp(6, 100), 0.5); // n = 3: B's columns 3..5 into A's 0..2
    const int slid[6] = {103, 104, 105, 3, 4, 5};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(Red(s, x), slid[x]) << x;

    TqvEffectBmp f = Ramp(6, 0);
    f.SlideFromRight(Ramp(6, 100), 0.5); // B's columns 0..2 into A's 3..5
    const int fromRight[6] = {0, 1, 2, 100, 101, 102};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(Red(f, x), fromRight[x]) << x;

    TqvEffectBmp p = Ramp(6, 0);
    p.PushFromLeft(Ramp(6, 100), 0.34); // n = 2: A moves right by 3, B's columns 3..5 in front
    const int pushed[6] = {103, 104, 105, 0, 1, 2};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(Red(p, x), pushed[x]) << x;
}

TEST(TqvEffectBmp, AddNoiseStaysInItsRangeWithAnyGenerator) {
    TqvEffectBmp b = Flat(40, 25, 128);
    std::mt19937 gen(7);
    b.AddNoise(50, gen); // offsets -25 .. 24, one per pixel, the same on all channels
    std::set<int> seen;
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 40; ++x) {
            const gfx::Pixel p = b.GetPixel(x, y);
            const int v = int(p & 0xFF);
            ASSERT_EQ(p, gfx::Pixel(v) * 0x010101u);
            ASSERT_GE(v, 128 - 25);
            ASSERT_LE(v, 128 + 24);
            seen.insert(v);
        }
    }
    EXPECT_GT(seen.size(), 40u);
    TqvEffectBmp bright = Flat(4, 4, 250);
    bright.AddNoise(50);
    for (int x = 0; x < 4; ++x)
        EXPECT_GE(Blue(bright, x, 0), 225); // clamped at 255, never wrapped
}

TEST(TqvEffectBmp, SplitBlurAveragesFourDiagonalSamplesInPlace) {
    // One bright pixel (200) in a 5 x 5 image, distance 1. Each pixel becomes the quarter of its
    // four diagonal neighbours, read from the image as blurred so far (rows above and pixels to
    // the left already changed).
    TqvEffectBmp b = Flat(5, 5, 0);
    b.SetPixel(2, 2, 0xC8C8C8);
    b.SplitBlur(1);
    EXPECT_EQ(Blue(b, 1, 1), 50);
    EXPECT_EQ(Blue(b, 3, 1), 50);
    EXPECT_EQ(Blue(b, 2, 2), 25); // (1,1) and (3,1) already blurred
    EXPECT_EQ(Blue(b, 0, 2), 12); // left edge: the pixel's own column stands in
    EXPECT_EQ(Blue(b, 1, 3), 9);  // (0,2) = 12 and (2,2) = 25
    EXPECT_EQ(Blue(b, 3, 3), 9);
    EXPECT_EQ(Blue(b, 2, 0), 0);

    // Near the bottom edge the lower sample is the pixel's own row, never a row from the top.
    TqvEffectBmp e = Flat(4, 4, 0);
    for (int x = 0; x < 4; ++x)
        e.SetPixel(x, 3, 0xC8C8C8);
    e.SplitBlur(1);
    const int want[4] = {0, 0, 100, 150};
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(Blue(e, 0, y), want[y]) << y;

    TqvEffectBmp same = Flat(3, 3, 77);
    same.SplitBlur(3); // the distance must be below the size: nothing
    same.SplitBlur(0);
    EXPECT_EQ(Blue(same, 1, 1), 77);
}

TEST(TqvEffectBmp, ReadsFromAndDrawsToDeviceContexts) {
    gfx::Bitmap src(3, 2, 0x102030);
    src.SetPixel(2, 1, 0xA0B0C0);
    HBITMAP handle = gfx::CreateBitmapFrom(src);
    TqvEffectBmp e(handle);
    DeleteObject(handle);
    ASSERT_EQ(e.Width(), 3);
    e.Invert();
    gfx::Bitmap target(6, 4, 0xFFFFFF);
    HDC dc = new gfx::DC(&target);
    IntersectClipRect(dc, 0, 0, 4, 4); // the last column of the copy is clipped away
    e.DrawTo(dc, 2, 1);
    DeleteDC(dc);
    EXPECT_EQ(target.GetPixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(target.GetPixel(2, 1), 0xEFDFCFu);
    EXPECT_EQ(target.GetPixel(3, 2), 0xEFDFCFu);
    EXPECT_EQ(target.GetPixel(4, 2), 0xFFFFFFu);
}
