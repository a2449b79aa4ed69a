#include "skin/data/qvUtils.h"

#include <gtest/gtest.h>

#include <cstring>

using gfx::Bitmap;

namespace {

constexpr gfx::Pixel kWhite = 0xFFFFFF;

std::uint32_t Dword(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
           (std::uint32_t(b[at + 3]) << 24);
}

RECT RectAt(const std::vector<std::uint8_t>& b, std::size_t at) {
    return RECT{LONG(Dword(b, at)), LONG(Dword(b, at + 4)), LONG(Dword(b, at + 8)), LONG(Dword(b, at + 12))};
}

} // namespace

TEST(MaskToRegionData, HeaderAndRunsOfBlackPixels) {
    Bitmap mask(12, 9, kWhite);
    std::vector<std::uint8_t> block = qv::MaskToRegionData(mask, 10, 20);
    ASSERT_EQ(block.size(), 32u);
    EXPECT_EQ(Dword(block, 0), 32u);
    EXPECT_EQ(Dword(block, 4), 1u); // RDH_RECTANGLES
    EXPECT_EQ(Dword(block, 8), 0u);
    EXPECT_EQ(Dword(block, 12), 0u);
    EXPECT_EQ(RectAt(block, 16), (RECT{10, 20, 22, 29}));

    mask.SetPixel(5, 7, 0);
    block = qv::MaskToRegionData(mask, 10, 20);
    ASSERT_EQ(block.size(), 48u);
    EXPECT_EQ(Dword(block, 8), 1u);
    EXPECT_EQ(RectAt(block, 32), (RECT{15, 27, 16, 28}));

    // Runs are maximal, row by row, left to right; only red, green and blue count (the unused
    // high byte of a pixel is ignored), and a run may end at the mask's right edge.
    Bitmap m(6, 2, kWhite);
    m.SetPixel(0, 0, 0);
    m.SetPixel(1, 0, 0xFF000000u);
    m.SetPixel(3, 0, 0x000001);
    m.SetPixel(4, 0, 0);
    m.SetPixel(5, 0, 0);
    m.SetPixel(2, 1, 0);
    block = qv::MaskToRegionData(m, 0, 0);
    ASSERT_EQ(Dword(block, 8), 3u);
    EXPECT_EQ(RectAt(block, 32), (RECT{0, 0, 2, 1}));
    EXPECT_EQ(RectAt(block, 48), (RECT{4, 0, 6, 1}));
    EXPECT_EQ(RectAt(block, 64), (RECT{2, 1, 3, 2}));

    block = qv::MaskToRegionData(Bitmap{}, 3, 4);
    ASSERT_EQ(block.size(), 32u);
    EXPECT_EQ(Dword(block, 8), 0u);
}

TEST(MaskToRegionData, MoreThanTenThousandRunsAreAllKept) {
    // Every other pixel black: 101 runs in each of 100 rows.
    Bitmap mask(202, 100, kWhite);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 202; x += 2)
            mask.SetPixel(x, y, 0);
    const std::vector<std::uint8_t> block = qv::MaskToRegionData(mask, 0, 0);
    ASSERT_EQ(Dword(block, 8), 10100u);
    ASSERT_EQ(block.size(), 32u + 16u * 10100u);
    EXPECT_EQ(RectAt(block, 32 + 16 * 10099), (RECT{200, 99, 201, 100}));
}

TEST(ComposeMaskStrips, StripsTileTheMaskPiecesWithoutStretching) {
    // A 12 x 10 mask, inner rectangle M (3,2,9,7), corner points LT (4,3), RT (8,3), LB (4,5),
    // RB (8,5). Each pixel's colour encodes its coordinates; (0,0) is the only black one.
    Bitmap mask(12, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            mask.SetPixel(x, y, 0x800000u | gfx::Pixel(x << 8) | gfx::Pixel(y));
    const qv::TqvSkinGeometry g{{4, 3}, {8, 3}, {4, 5}, {8, 5}, {3, 2, 9, 7}};
    const int W = 20, H = 16;
    const qv::TqvSkinGeometry n = qv::AnchorSkinGeometry(g, 12, 10, W, H);
    qv::TqvBorderStrips s;
    qv::ComposeMaskStrips(mask, g, n, W, s);
    auto at = [](int x, int y) { return 0x800000u | gfx::Pixel(x << 8) | gfx::Pixel(y); };

    ASSERT_EQ(s.Top.Width(), W);
    ASSERT_EQ(s.Top.Height(), 2);
    for (int x = 0; x < W; ++x) {
        const int sx = x < 4 ? x : x < n.RT.x ? 4 + (x - 4) % 4 : 8 + (x - n.RT.x);
        ASSERT_EQ(s.Top.GetPixel(x, 1), at(sx, 1)) << x;
    }
    ASSERT_EQ(s.Bottom.Height(), 3);
    EXPECT_EQ(s.Bottom.GetPixel(W - 1, 0), at(11, 7));

    // Left: 3 wide, newM's height; rows [2,3) on top, rows [3,5) tiled from 0, rows [5,7) below.
    ASSERT_EQ(s.Left.Width(), 3);
    ASSERT_EQ(s.Left.Height(), RectHeight(n.Cl));
    const int h = s.Left.Height();
    for (int y = 0; y < h; ++y) {
        const int sy = y < 1 ? 2 : y >= h - 2 ? 5 + (y - (h - 2)) : 3 + y % 2;
        ASSERT_EQ(s.Left.GetPixel(1, y), at(1, sy)) << y;
    }
    ASSERT_EQ(s.Right.Width(), 3);
    EXPECT_EQ(s.Right.GetPixel(0, 0), at(9, 2));
}

TEST(RectUtilities, EdgesAndUnsetPoints) {
    const RECT r{2, 3, 10, 8};
    EXPECT_EQ(qv::WidthOfRect(r), 8);
    EXPECT_EQ(qv::HeightOfRect(r), 5);
    EXPECT_TRUE(qv::RectIsEmpty(RECT{5, 5, 5, 9}));
    EXPECT_TRUE(qv::RectIsEmpty(RECT{5, 5, 9, 4}));
    EXPECT_FALSE(qv::RectIsEmpty(r));
    EXPECT_TRUE(qv::PointInRectInclusive(POINT{10, 8}, r));
    EXPECT_FALSE(qv::PointInRectInclusive(POINT{11, 8}, r));
    EXPECT_TRUE(qv::RectInsideRect(RECT{2, 3, 9, 7}, r));
    EXPECT_FALSE(qv::RectInsideRect(RECT{2, 3, 10, 7}, r)); // right edge is outside
    EXPECT_TRUE(qv::PointIsUnset(POINT{0, 5}));
    EXPECT_TRUE(qv::PointIsUnset(POINT{5, 0}));
    EXPECT_FALSE(qv::PointIsUnset(POINT{1, 1}));
    RECT c = r;
    qv::ClearRect(c);
    EXPECT_TRUE(qv::RectsEqual(c, RECT{}));
    EXPECT_EQ(qv::MaxOf(-3, 2), 2);
}

namespace {

// A 10 x 8 window mask with its two top corners cut off diagonally (2 pixels) and a one-pixel
// notch at the bottom-right corner; everything else black.
Bitmap WindowMask() {
    Bitmap m(10, 8, 0);
    for (const POINT p :
         {POINT{0, 0}, POINT{1, 0}, POINT{0, 1}, POINT{9, 0}, POINT{8, 0}, POINT{9, 1}, POINT{9, 7}})
        m.SetPixel(p.x, p.y, kWhite);
    return m;
}

} // namespace

TEST(RegionFromSkinMask, StripsAroundTheInnerRectangle) {
    const Bitmap mask = WindowMask();
    // Inner rectangle M (2,2,8,7); corner points inside the tileable middle.
    const qv::TqvSkinGeometry g{{3, 2}, {7, 2}, {3, 6}, {7, 6}, {2, 2, 8, 7}};
    const int W = 30, H = 20;
    const qv::TqvSkinGeometry n = qv::AnchorSkinGeometry(g, 10, 8, W, H);
    gfx::Region region;
    ASSERT_TRUE(qv::BuildSkinMaskRegion(mask, g, n, W, region));
    struct Probe {
        int x, y;
        bool inside;
    } probes[] = {
        {0, 0, false},  {1, 0, false},   {0, 1, false},  {2, 0, true},  {1, 1, true},    {29, 0, false},
        {28, 0, false}, {29, 1, false},  {27, 0, true},  {15, 0, true}, {0, 10, true},   {29, 10, true},
        {15, 10, true}, {29, 19, false}, {28, 19, true}, {0, 19, true}, {30, 10, false}, {15, 20, false},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(region.Contains(p.x, p.y), p.inside) << p.x << "," << p.y;

    HRGN rgn = qv::RegionFromSkinMask(mask, g, n, W);
    ASSERT_NE(rgn, nullptr);
    EXPECT_EQ(rgn->region, region);
    DeleteObject(rgn);

    // Inverted corner points or an empty inner rectangle: no region at all.
    qv::TqvSkinGeometry inverted = n;
    inverted.RT.x = inverted.LT.x - 1;
    EXPECT_EQ(qv::RegionFromSkinMask(mask, g, inverted, W), nullptr);
    qv::TqvSkinGeometry empty = n;
    empty.Cl.bottom = empty.Cl.top;
    EXPECT_EQ(qv::RegionFromSkinMask(mask, g, empty, W), nullptr);
}

TEST(RegionFromMask, BlackPixelsAreInside) {
    HRGN rgn = qv::RegionFromMask(WindowMask());
    ASSERT_NE(rgn, nullptr);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_TRUE(PtInRegion(rgn, 2, 0));
    EXPECT_TRUE(PtInRegion(rgn, 5, 5));
    EXPECT_FALSE(PtInRegion(rgn, 9, 7));
    RECT box{};
    EXPECT_EQ(GetRgnBox(rgn, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{0, 0, 10, 8}));
    DeleteObject(rgn);
}
