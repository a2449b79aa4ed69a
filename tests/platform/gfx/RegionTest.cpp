#include "platform/gfx/RegionApi.h"

#include <gtest/gtest.h>

#include <random>

using gfx::Region;

namespace {

// Reference: the region as a set of pixels inside a small window.
std::vector<bool> Pixels(const Region& r) {
    std::vector<bool> p(40 * 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            p[std::size_t(y * 40 + x)] = r.Contains(x - 5, y - 5);
    return p;
}

// The invariants of the banded form.
void ExpectCanonical(const Region& r) {
    const auto& v = r.Rects();
    for (std::size_t i = 0; i < v.size(); ++i) {
        ASSERT_FALSE(IsRectEmpty(v[i]));
        if (i == 0) continue;
        const RECT& a = v[i - 1];
        const RECT& b = v[i];
        if (a.top == b.top) {
            ASSERT_EQ(a.bottom, b.bottom);
            ASSERT_LT(a.right, b.left) << "spans of a band touch or overlap";
        } else {
            ASSERT_LE(a.bottom, b.top) << "bands overlap";
        }
    }
}

Region RandomRegion(std::mt19937& rng) {
    std::uniform_int_distribution<int> c(-5, 34);
    std::vector<RECT> rects;
    for (int i = 0, n = int(rng() % 6); i < n; ++i) {
        int x0 = c(rng), y0 = c(rng);
        rects.push_back(RECT{x0, y0, x0 + int(rng() % 12), y0 + int(rng() % 12)});
    }
    return Region::FromRects(rects);
}

} // namespace

TEST(Region, AlgebraMatchesPixelSetsAndStaysCanonical) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        Region a = RandomRegion(rng), b = RandomRegion(rng);
        std::vector<bool> pa = Pixels(a), pb = Pixels(b);
        struct {
            Region::Op op;
            bool (*f)(bool, bool);
        } ops[] = {{Region::Op::And, [](bool x, bool y) { return x && y; }},
                   {Region::Op::Or, [](bool x, bool y) { return x || y; }},
                   {Region::Op::Diff, [](bool x, bool y) { return x && !y; }},
                   {Region::Op::Xor, [](bool x, bool y) { return x != y; }}};
        for (auto& o : ops) {
            Region r = Region::Combine(a, b, o.op);
            ExpectCanonical(r);
            std::vector<bool> pr = Pixels(r);
            for (std::size_t i = 0; i < pr.size(); ++i)
                ASSERT_EQ(pr[i], o.f(pa[i], pb[i])) << "round " << round << " op " << int(o.op);
        }
    }
}

TEST(Region, CanonicalFormMakesEqualSetsEqual) {
    // The same L shape built two ways.
    Region a = Region::FromRects(std::vector<RECT>{{0, 0, 10, 5}, {0, 5, 5, 10}});
    Region b = Region::FromRects(std::vector<RECT>{{0, 0, 5, 10}, {5, 0, 10, 5}, {2, 2, 4, 4}});
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.Rects().size(), 2u);
    // Touching rectangles side by side merge into one.
    Region c = Region(RECT{0, 0, 5, 5}).Union(Region(RECT{5, 0, 9, 5}));
    EXPECT_EQ(c.Rects(), (std::vector<RECT>{{0, 0, 9, 5}}));
    EXPECT_EQ(c.Bounds(), (RECT{0, 0, 9, 5}));
    EXPECT_TRUE(Region(RECT{3, 3, 3, 9}).Empty());
    EXPECT_EQ(Region().Bounds(), RECT{});
}

TEST(Region, WindowsInterfaceReturnsComplexityCodes) {
    HRGN a = CreateRectRgn(10, 10, 0, 0); // corners swapped on purpose
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN d = CreateRectRgn(0, 0, 0, 0);
    RECT box;
    EXPECT_EQ(GetRgnBox(a, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 10, 10}));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(d->region.Bounds(), (RECT{5, 5, 10, 10}));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(d, 14, 14));
    EXPECT_FALSE(PtInRegion(d, 14, 2));
    EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(d, a));
    EXPECT_EQ(CombineRgn(d, a, b, 99), ERROR);
    EXPECT_EQ(OffsetRgn(d, 100, -3), SIMPLEREGION);
    GetRgnBox(d, &box);
    EXPECT_EQ(box, (RECT{100, -3, 110, 7}));
    RECT probe{9, 9, 20, 20}, away{10, 0, 20, 5};
    EXPECT_TRUE(RectInRegion(a, &probe));
    EXPECT_FALSE(RectInRegion(a, &away)); // right edge is outside
    for (HRGN h : {a, b, d})
        EXPECT_TRUE(DeleteObject(h));
}

TEST(Region, RegionDataRoundTripsAndRejectsBadBlocks) {
    Region src = Region::FromRects(std::vector<RECT>{{0, 0, 4, 1}, {6, 0, 8, 1}, {0, 1, 8, 3}});
    HRGN h = new gfx::GdiRegion(src);
    DWORD need = GetRegionData(h, 0, nullptr);
    ASSERT_EQ(need, 32u + 16u * DWORD(src.Rects().size()));
    std::vector<std::uint8_t> buf(need);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    EXPECT_EQ(GetRegionData(h, need - 1, data), 0u);
    ASSERT_EQ(GetRegionData(h, need, data), need);
    EXPECT_EQ(data->rdh.dwSize, 32u);
    EXPECT_EQ(data->rdh.iType, RDH_RECTANGLES);
    EXPECT_EQ(data->rdh.rcBound, (RECT{0, 0, 8, 3}));
    HRGN copy = ExtCreateRegion(nullptr, need, data);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(EqualRgn(copy, h));

    // A block of one-row runs like a mask produces: black pixel (5,7) at offset (10,20).
    Region mask = Region::FromRects(std::vector<RECT>{{15, 27, 16, 28}});
    EXPECT_EQ(mask.Bounds(), (RECT{15, 27, 16, 28}));

    // A block with no rectangles (an all-white mask) is an empty region, not an error.
    RGNDATA empty{};
    HRGN none = ExtCreateRegion(nullptr, sizeof(RGNDATAHEADER), &empty);
    ASSERT_NE(none, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(none, &box), NULLREGION);
    DeleteObject(none);

    data->rdh.nCount = 1000; // claims more rectangles than the block holds
    EXPECT_EQ(ExtCreateRegion(nullptr, need, data), nullptr);
    data->rdh.nCount = DWORD(src.Rects().size());
    data->rdh.dwSize = 40;
    EXPECT_EQ(ExtCreateRegion(nullptr, need, data), nullptr);
    EXPECT_EQ(ExtCreateRegion(nullptr, 31, data), nullptr);
    DeleteObject(h);
    DeleteObject(copy);
}

// Rectangles in any order, within a few rows (bucketed by row) or spread over millions of rows
// (sorted): the region holds exactly the points some rectangle holds.
TEST(Region, FromRectsHoldsThePointsOfItsRectanglesWhateverTheirOrderAndSpread) {
    std::mt19937 rng(11);
    for (int scale : {1, 250000}) {
        for (int round = 0; round < 200; ++round) {
            std::uniform_int_distribution<int> c(-5, 34);
            std::vector<RECT> rects;
            for (int i = 0, n = 1 + int(rng() % 8); i < n; ++i) {
                int x0 = c(rng), y0 = c(rng) * scale;
                rects.push_back(RECT{x0, y0, x0 + int(rng() % 12), y0 + int(rng() % 12) * scale});
            }
            Region r = Region::FromRects(rects);
            ExpectCanonical(r);
            auto inAny = [&](int x, int y) {
                for (const RECT& q : rects)
                    if (x >= q.left && x < q.right && y >= q.top && y < q.bottom) return true;
                return false;
            };
            for (const RECT& q : rects) {
                for (int y : {q.top - 1, q.top, q.bottom - 1, q.bottom}) {
                    for (int x : {q.left - 1, q.left, q.right - 1, q.right}) {
                        ASSERT_EQ(r.Contains(x, y), inAny(x, y)) << "scale " << scale << " round " << round;
                    }
                }
            }
        }
    }
}
