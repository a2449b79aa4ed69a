#include "skin/data/qvGlyphs.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

namespace {

constexpr gfx::Pixel kWhite = 0xFFFFFF;
constexpr COLORREF kInk = RGB(0x20, 0x40, 0x80);

// A white bitmap with a device context drawing into it.
struct Canvas {
    gfx::Bitmap bmp;
    HDC dc;
    Canvas(int w, int h) : bmp(w, h, kWhite), dc(new gfx::DC(&bmp)) {}
    ~Canvas() { DeleteDC(dc); }

    std::set<std::pair<int, int>> Inked() const {
        std::set<std::pair<int, int>> out;
        for (int y = 0; y < bmp.Height(); ++y)
            for (int x = 0; x < bmp.Width(); ++x)
                if (bmp.GetPixel(x, y) == gfx::ColorToPixel(kInk)) out.insert({x, y});
        return out;
    }
};

// The pixels of vertical (or horizontal) runs, inclusive at both ends.
std::set<std::pair<int, int>> Column(int x, int y0, int y1) {
    std::set<std::pair<int, int>> s;
    for (int y = y0; y <= y1; ++y)
        s.insert({x, y});
    return s;
}
std::set<std::pair<int, int>> Row(int y, int x0, int x1) {
    std::set<std::pair<int, int>> s;
    for (int x = x0; x <= x1; ++x)
        s.insert({x, y});
    return s;
}
std::set<std::pair<int, int>> Join(std::initializer_list<std::set<std::pair<int, int>>> parts) {
    std::set<std::pair<int, int>> s;
    for (const auto& p : parts)
        s.insert(p.begin(), p.end());
    return s;
}

} // namespace

TEST(LayoutGlyphAndText, LayoutsWithMarginAndCentred) {
    const RECT rc{0, 0, 100, 30};
    struct Case {
        int layout, margin;
        POINT glyph, text;
    } cases[] = {
        {0, -1, {20, 7}, {40, 9}}, // the 16 x 16 glyph beside a 40 x 13 text, centred together
        {0, 5, {5, 7}, {25, 9}},     {1, 5, {79, 7}, {35, 9}},   {1, -1, {64, 7}, {20, 9}},
        {2, 2, {42, 2}, {30, 22}},   {3, 2, {42, 12}, {30, -5}}, {2, -1, {42, -1}, {30, 18}},
        {3, -1, {42, 15}, {30, -1}},
    };
    for (const Case& c : cases) {
        POINT g{}, t{};
        ASSERT_TRUE(qv::LayoutGlyphAndText(c.layout, rc, 16, 16, 40, 13, c.margin, 4, g, t));
        EXPECT_EQ(g, c.glyph) << c.layout << " " << c.margin;
        EXPECT_EQ(t, c.text) << c.layout << " " << c.margin;
    }
    // Without a glyph the spacing counts as 0.
    POINT g{}, t{};
    ASSERT_TRUE(qv::LayoutGlyphAndText(0, rc, 0, 0, 40, 13, -1, 4, g, t));
    EXPECT_EQ(t, (POINT{30, 9}));
    // Unknown layouts leave the outputs alone.
    g = POINT{-7, -7};
    EXPECT_FALSE(qv::LayoutGlyphAndText(4, rc, 16, 16, 40, 13, -1, 4, g, t));
    EXPECT_EQ(g, (POINT{-7, -7}));
}

TEST(SmallGlyphs, ArrowsCoverTheirExactPixels) {
    const RECT rc{0, 0, 10, 10}; // centre (5, 5)
    struct Case {
        const char* name;
        std::function<void(HDC)> draw;
        std::set<std::pair<int, int>> want;
    } cases[] = {
        {"drop", [&](HDC dc) { qv::DrawDropArrow(dc, rc, kInk); },
         Join({Row(5, 3, 7), Row(6, 4, 6), Row(7, 5, 5)})},
        {"left", [&](HDC dc) { qv::DrawDirectionArrow(dc, rc, 1, kInk); },
         Join({Column(3, 5, 5), Column(4, 4, 6), Column(5, 3, 7), Column(6, 2, 8)})},
        {"right", [&](HDC dc) { qv::DrawDirectionArrow(dc, rc, 2, kInk); },
         Join({Column(4, 2, 8), Column(5, 3, 7), Column(6, 4, 6), Column(7, 5, 5)})},
        {"up", [&](HDC dc) { qv::DrawDirectionArrow(dc, rc, 3, kInk); },
         Join({Row(3, 5, 5), Row(4, 4, 6), Row(5, 3, 7), Row(6, 2, 8)})},
        {"down", [&](HDC dc) { qv::DrawDirectionArrow(dc, rc, 4, kInk); },
         Join({Row(4, 2, 8), Row(5, 3, 7), Row(6, 4, 6), Row(7, 5, 5)})},
        {"other kind", [&](HDC dc) { qv::DrawDirectionArrow(dc, rc, 5, kInk); }, {}},
    };
    for (const Case& c : cases) {
        Canvas canvas(12, 12);
        c.draw(canvas.dc);
        EXPECT_EQ(canvas.Inked(), c.want) << c.name;
    }
}

TEST(SmallGlyphs, CaptionButtonGlyphsFollowTheLineEndRule) {
    // Drawn at (3, 2); line end points are not drawn, outlines cover left .. right - 1.
    struct Case {
        const char* name;
        void (*draw)(HDC, int, int, COLORREF);
        std::size_t pixels;
        std::set<std::pair<int, int>> some;
        std::set<std::pair<int, int>> none;
    } cases[] = {
        {"close", qv::DrawCloseGlyph, 30, {{4, 3}, {11, 10}, {12, 3}, {4, 10}}, {{12, 11}}},
        {"min", qv::DrawMinGlyph, 16, {{4, 10}, {11, 11}}, {{12, 10}}},
        {"max", qv::DrawMaxGlyph, 2 * 11 + 2 * 8 + 9, {{3, 2}, {13, 11}, {8, 3}}, {{8, 6}}},
        {"sysmenu", qv::DrawSysMenuGlyph, 18, {{4, 5}, {11, 7}}, {{7, 6}}},
        {"roll up", qv::DrawRollUpGlyph, 20, {{4, 8}, {11, 8}, {7, 5}, {8, 5}}, {{7, 4}}},
        {"roll down", qv::DrawRollDownGlyph, 20, {{4, 4}, {11, 4}, {7, 7}, {8, 7}}, {{8, 8}}},
        {"tray", qv::DrawTrayGlyph, 25, {{5, 4}, {9, 8}}, {{10, 9}}},
    };
    for (const Case& c : cases) {
        Canvas canvas(20, 16);
        c.draw(canvas.dc, 3, 2, kInk);
        const auto inked = canvas.Inked();
        EXPECT_EQ(inked.size(), c.pixels) << c.name;
        for (const auto& p : c.some)
            EXPECT_TRUE(inked.count(p)) << c.name << " " << p.first << "," << p.second;
        for (const auto& p : c.none)
            EXPECT_FALSE(inked.count(p)) << c.name << " " << p.first << "," << p.second;
    }
    Canvas canvas(16, 16);
    qv::DrawCheckMark(canvas.dc, 2, 3, kInk);
    const auto inked = canvas.Inked();
    EXPECT_EQ(inked.size(), 21u); // three polylines of 7 pixels, one row apart
    for (const auto& p : std::set<std::pair<int, int>>{{2, 8}, {2, 6}, {4, 10}, {8, 4}, {8, 6}})
        EXPECT_TRUE(inked.count(p)) << p.first << "," << p.second;
    EXPECT_FALSE(inked.count({9, 5})); // the polyline's last point
}

TEST(DrawStripGlyph, DrawsOneFrameKeyedOnItsBottomLeftPixel) {
    // Three 4 x 3 frames; every frame's bottom-left pixel is its own key colour.
    gfx::Bitmap strip(12, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 12; ++x)
            strip.SetPixel(x, y, 0x100000u * gfx::Pixel(x / 4 + 1) + gfx::Pixel(x * 16 + y));
    strip.SetPixel(4, 2, 0x00FF00);
    strip.SetPixel(6, 0, 0x00FF00); // same as frame 2's key: transparent too
    Canvas canvas(10, 8);
    qv::DrawStripGlyph(canvas.dc, 3, 4, 2, 3, strip);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            const int sx = x - 3 + 4, sy = y - 4;
            const bool inFrame = x >= 3 && x < 7 && y >= 4 && y < 7;
            const bool keyed = inFrame && strip.GetPixel(sx, sy) == 0x00FF00;
            const gfx::Pixel want = inFrame && !keyed ? strip.GetPixel(sx, sy) : kWhite;
            ASSERT_EQ(canvas.bmp.GetPixel(x, y), want) << x << "," << y;
        }
    }
    // An empty strip or a frame number out of range draws nothing.
    Canvas other(10, 8);
    qv::DrawStripGlyph(other.dc, 0, 0, 1, 3, gfx::Bitmap{});
    qv::DrawStripGlyph(other.dc, 0, 0, 4, 3, strip);
    qv::DrawStripGlyph(other.dc, 0, 0, 1, 0, strip);
    EXPECT_TRUE(other.Inked().empty());
    EXPECT_EQ(other.bmp, gfx::Bitmap(10, 8, kWhite));
}
