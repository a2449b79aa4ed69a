#include "platform/gfx/DCApi.h"
#include "platform/gfx/DrawText.h"
#include "platform/gfx/TextOut.h"
#include "platform/gfx/Utf8.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using gfx::Bitmap;

namespace {

HFONT MakeFont(const char* face, int height, int weight = FW_NORMAL, bool underline = false,
               bool italic = false) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfUnderline = underline;
    lf.lfItalic = italic;
    gfx::SetFaceName(lf, face);
    return CreateFontIndirect(&lf);
}

// A white canvas with a font selected, black text, transparent background.
struct TextCanvas {
    Bitmap bmp;
    HDC dc;
    HFONT font;
    HGDIOBJ old;
    TextCanvas(int w, int h, const char* face = "Arial", int height = -13, int weight = FW_NORMAL,
               bool underline = false)
        : bmp(w, h, 0xFFFFFF), dc(new gfx::DC(&bmp)), font(MakeFont(face, height, weight, underline)) {
        old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
    }
    ~TextCanvas() {
        SelectObject(dc, old);
        DeleteObject(font);
        DeleteDC(dc);
    }
    TEXTMETRIC Metrics() {
        TEXTMETRIC tm;
        GetTextMetrics(dc, &tm);
        return tm;
    }
    SIZE Extent(const std::string& s) {
        SIZE sz{};
        GetTextExtentPoint32(dc, s.c_str(), int(s.size()), &sz);
        return sz;
    }
    RECT Calc(const std::string& s, RECT r, UINT flags) {
        DrawText(dc, s.c_str(), -1, &r, flags | DT_CALCRECT);
        return r;
    }
    // Pixels darker than white in a rectangle of the bitmap.
    int Ink(RECT r) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += bmp.Contains(x, y) && bmp.GetPixel(x, y) != 0xFFFFFF;
        return n;
    }
    // Total coverage: how much darker than white the rectangle is.
    long Darkness(RECT r) const {
        long n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += 255 - long(bmp.GetPixel(x, y) & 0xFF);
        return n;
    }
    RECT InkBounds() const {
        RECT b{bmp.Width(), bmp.Height(), 0, 0};
        for (int y = 0; y < bmp.Height(); ++y)
            for (int x = 0; x < bmp.Width(); ++x)
                if (bmp.GetPixel(x, y) != 0xFFFFFF)
                    b = RECT{std::min<LONG>(b.left, x), std::min<LONG>(b.top, y),
                             std::max<LONG>(b.right, x + 1), std::max<LONG>(b.bottom, y + 1)};
        return b;
    }
};

} // namespace

TEST(Text, NegativeHeightIsEmPositiveHeightIsCell) {
#ifdef _WIN32
    // Windows measures the faces itself and rounds ascent and descent each on its own, so the em
    // or the cell may come out a pixel off the height asked for (GDI under Wine does so).
    constexpr int kRounding = 1;
#else
    constexpr int kRounding = 0; // our engine scales each face to the pixel asked for
#endif
    for (const char* face : {"Arial", "宋体", "MS Sans Serif"}) {
        for (int h : {11, 12, 13, 16, 24}) {
            SCOPED_TRACE(std::string(face) + " " + std::to_string(h));
            TextCanvas em(1, 1, face, -h);
            TEXTMETRIC a = em.Metrics();
            EXPECT_EQ(a.tmHeight, a.tmAscent + a.tmDescent);
            EXPECT_NEAR(a.tmHeight - a.tmInternalLeading, h, kRounding); // the em is what was asked for
#ifdef _WIN32
            const bool simSun = em.font->Instance().FamilyName() == "SimSun"; // the real face
#else
            const bool simSun = std::string(face) == "宋体"; // whatever stands in for it
#endif
            if (simSun) {
                EXPECT_EQ(a.tmHeight, h); // SimSun's cell is one em
            }
            EXPECT_GT(a.tmAveCharWidth, 0);
            EXPECT_GE(a.tmMaxCharWidth, a.tmAveCharWidth);
            TextCanvas cell(1, 1, face, h);
            TEXTMETRIC b = cell.Metrics();
            EXPECT_NEAR(b.tmHeight, h, kRounding);
            EXPECT_EQ(b.tmAscent + b.tmDescent, b.tmHeight);
            EXPECT_LE(b.tmHeight - b.tmInternalLeading, h);
            EXPECT_LE(b.tmHeight, a.tmHeight); // the cell asked for holds no more than the em asked for
        }
    }
}

TEST(Text, WindowsFamiliesResolveThroughTheTable) {
    struct Case {
        const char* face;
        BYTE charset;
        std::vector<std::string> accepted;
    } cases[] = {
        {"Arial", ANSI_CHARSET, {"Liberation Sans"}},
        {"arial", ANSI_CHARSET, {"Liberation Sans"}},
        {"MS Sans Serif", ANSI_CHARSET, {"Liberation Sans", "DejaVu Sans"}},
        {"Tahoma", ANSI_CHARSET, {"Liberation Sans", "DejaVu Sans"}},
        {"宋体", GB2312_CHARSET, {"WenQuanYi Zen Hei"}},
        {"SimSun", GB2312_CHARSET, {"WenQuanYi Zen Hei"}},
        {"", GB2312_CHARSET, {"WenQuanYi Zen Hei"}},
        {"No Such Family", ANSI_CHARSET, {"DejaVu Sans", "Liberation Sans"}},
    };
    for (const Case& c : cases) {
        LOGFONT lf;
        lf.lfHeight = -12;
        lf.lfCharSet = c.charset;
        gfx::SetFaceName(lf, c.face);
        HFONT f = CreateFontIndirect(&lf);
        std::string family = f->Instance().FamilyName();
        EXPECT_NE(std::find(c.accepted.begin(), c.accepted.end(), family), c.accepted.end())
            << c.face << " resolved to " << family;
        LOGFONT back;
        ASSERT_EQ(GetObject(f, sizeof back, &back), int(sizeof back));
        EXPECT_STREQ(back.lfFaceName, c.face);
        DeleteObject(f);
    }
}

TEST(Text, ExtentsAddUpPerCodePoint) {
    TextCanvas c(1, 1);
    TEXTMETRIC tm = c.Metrics();
    EXPECT_EQ(c.Extent(""), (SIZE{0, tm.tmHeight}));
    EXPECT_EQ(c.Extent("ab").cx, c.Extent("a").cx + c.Extent("b").cx);
    EXPECT_GT(c.Extent("W").cx, c.Extent("i").cx);
    EXPECT_EQ(c.Extent("分析").cx, 2 * c.Extent("分").cx); // drawn by the CJK fallback
    EXPECT_GT(c.Extent("分").cx, c.Extent("i").cx);
    // Counts are bytes: three bytes are the first of the two characters.
    SIZE one{};
    GetTextExtentPoint32(c.dc, "分析", 3, &one);
    EXPECT_EQ(one.cx, c.Extent("分").cx);
    INT fit = 0, partial[3] = {};
    SIZE sz{};
    GetTextExtentExPoint(c.dc, "abc", 3, c.Extent("ab").cx, &fit, partial, &sz);
    EXPECT_EQ(fit, 2);
    EXPECT_EQ(partial[2], sz.cx);
}

TEST(Text, GlyphsGiveInkIncludingCjkBoldAndUnderline) {
    TextCanvas regular(60, 24, "Arial", -14);
    TextOut(regular.dc, 2, 2, "分析", int(std::strlen("分析")));
    int cjkInk = regular.Ink(RECT{0, 0, 60, 24});
    EXPECT_GT(cjkInk, 40);
    RECT b = regular.InkBounds();
    TEXTMETRIC tm = regular.Metrics();
    EXPECT_GE(b.top, 2);
    EXPECT_LE(b.bottom, 2 + tm.tmHeight);

    TextCanvas plain(80, 24, "Arial", -14), bold(80, 24, "Arial", -14, FW_BOLD);
    TextOut(plain.dc, 2, 2, "Hello", 5);
    TextOut(bold.dc, 2, 2, "Hello", 5);
    EXPECT_GT(bold.Darkness(RECT{0, 0, 80, 24}), plain.Darkness(RECT{0, 0, 80, 24}) * 5 / 4);

    // The CJK family has no bold face: its bold is synthesised and must still be heavier.
    TextCanvas cjk(80, 24, "宋体", -14), cjkBold(80, 24, "宋体", -14, FW_BOLD);
    TextOut(cjk.dc, 2, 2, "分析", int(std::strlen("分析")));
    TextOut(cjkBold.dc, 2, 2, "分析", int(std::strlen("分析")));
    EXPECT_GT(cjkBold.Darkness(RECT{0, 0, 80, 24}), cjk.Darkness(RECT{0, 0, 80, 24}) * 5 / 4);
    EXPECT_EQ(cjkBold.Extent("分").cx, cjk.Extent("分").cx + 1);

    // Synthetic italic (the CJK family has no italic face either) leans the strokes right.
    TextCanvas upright(40, 30, "宋体", -20), slanted(40, 30, "宋体", -20);
    HFONT italic = MakeFont("宋体", -20, FW_NORMAL, false, true);
    SelectObject(slanted.dc, italic);
    TextOut(upright.dc, 10, 2, "l", 1);
    TextOut(slanted.dc, 10, 2, "l", 1);
    auto centre = [](const TextCanvas& c, int y0, int y1) {
        long sum = 0, n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < 40; ++x) {
                long d = 255 - long(c.bmp.GetPixel(x, y) & 0xFF);
                sum += d * x;
                n += d;
            }
        return n ? double(sum) / double(n) : 0.0;
    };
    EXPECT_NEAR(centre(upright, 4, 10), centre(upright, 14, 20), 0.5);
    EXPECT_GT(centre(slanted, 4, 10), centre(slanted, 14, 20) + 1.0);
    SelectObject(slanted.dc, slanted.font);
    DeleteObject(italic);

    TextCanvas under(80, 24, "Arial", -14, FW_NORMAL, true);
    TextOut(under.dc, 2, 2, "xxxx", 4);
    int width = under.Extent("xxxx").cx;
    TEXTMETRIC utm = under.Metrics();
    bool fullRow = false;
    for (int y = 2 + utm.tmAscent; y < 2 + utm.tmHeight; ++y)
        fullRow |= under.Ink(RECT{2, y, 2 + width, y + 1}) == width;
    EXPECT_TRUE(fullRow) << "no underline row below the baseline";
}

TEST(Text, RepeatedTextUsesCachedGlyphs) {
    TextCanvas c(400, 20);
    const char* s = "Cached glyphs 缓存";
    TextOut(c.dc, 0, 0, s, int(std::strlen(s)));
    auto before = gfx::FontEngine::Get().RasterisedGlyphs();
    TextOut(c.dc, 0, 0, s, int(std::strlen(s)));
    HFONT same = MakeFont("Arial", -13); // an equal font shares the cache
    SelectObject(c.dc, same);
    TextOut(c.dc, 0, 0, s, int(std::strlen(s)));
    SelectObject(c.dc, c.font);
    DeleteObject(same);
    EXPECT_EQ(gfx::FontEngine::Get().RasterisedGlyphs(), before);
}

TEST(Text, CalcRectMeasuresLinesAndWordBreaks) {
    TextCanvas c(1, 1);
    const int h = c.Metrics().tmHeight;
    RECT r = c.Calc("Hello", RECT{10, 20, 10, 20}, DT_SINGLELINE);
    EXPECT_EQ(r, (RECT{10, 20, 10 + c.Extent("Hello").cx, 20 + h}));
    r = c.Calc("a\nbbb\r\ncc", RECT{0, 0, 0, 0}, 0);
    EXPECT_EQ(r, (RECT{0, 0, c.Extent("bbb").cx, 3 * h}));
    r = c.Calc("a\nbbb", RECT{0, 0, 0, 0}, DT_SINGLELINE);
    EXPECT_EQ(r, (RECT{0, 0, c.Extent("abbb").cx, h}));

    // Breaks after spaces; the trailing space is dropped from the line's width.
    int both = c.Extent("aaa bbb").cx;
    r = c.Calc("aaa bbb", RECT{0, 0, both - 1, 0}, DT_WORDBREAK);
    EXPECT_EQ(RectHeight(r), 2 * h);
    EXPECT_EQ(RectWidth(r), std::max(c.Extent("aaa").cx, c.Extent("bbb").cx));
    r = c.Calc("aaa bbb", RECT{0, 0, both, 0}, DT_WORDBREAK);
    EXPECT_EQ(RectHeight(r), h);
    // A word wider than the box keeps its own line and widens the rectangle.
    r = c.Calc("x extraordinarily y", RECT{0, 0, 20, 0}, DT_WORDBREAK);
    EXPECT_EQ(RectHeight(r), 3 * h);
    EXPECT_EQ(RectWidth(r), c.Extent("extraordinarily").cx);
    // Chinese breaks between any two characters.
    int two = c.Extent("分析").cx;
    r = c.Calc("分析日志", RECT{0, 0, two, 0}, DT_WORDBREAK);
    EXPECT_EQ(RectHeight(r), 2 * h);
    // Tabs expand to multiples of eight average character widths.
    r = c.Calc("a\tb", RECT{0, 0, 0, 0}, DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(RectWidth(r), 8 * c.Metrics().tmAveCharWidth + c.Extent("b").cx);
    // The drawn height is what DT_CALCRECT predicts.
    RECT box{0, 0, both - 1, 100};
    EXPECT_EQ(DrawText(c.dc, "aaa bbb", -1, &box, DT_WORDBREAK), 2 * h);
}

TEST(Text, PrefixesUnderlineAndCollapse) {
    TextCanvas c(1, 1);
    struct Case {
        const char* text;
        UINT flags;
        const char* measuredAs;
    } cases[] = {
        {"&File", 0, "File"}, {"&File", DT_NOPREFIX, "&File"},  {"a&&b", 0, "a&b"},
        {"end&", 0, "end"},   {"&File", DT_HIDEPREFIX, "File"},
    };
    for (const Case& k : cases) {
        RECT r = c.Calc(k.text, RECT{}, DT_SINGLELINE | k.flags);
        EXPECT_EQ(RectWidth(r), c.Extent(k.measuredAs).cx) << k.text;
    }
    // The underline sits under the prefixed character only.
    TextCanvas d(80, 24, "Arial", -14);
    RECT box{0, 0, 80, 24};
    DrawText(d.dc, "A&xA", -1, &box, DT_SINGLELINE);
    TEXTMETRIC tm = d.Metrics();
    int a = d.Extent("A").cx, x = d.Extent("x").cx;
    int row = -1;
    for (int y = tm.tmAscent; y < tm.tmHeight && row < 0; ++y)
        if (d.Ink(RECT{a, y, a + x, y + 1}) == x) row = y;
    ASSERT_GE(row, 0) << "no underline under x";
    EXPECT_EQ(d.Ink(RECT{0, row, a, row + 1}), 0);
}

TEST(Text, EndEllipsisFitsTheBox) {
    TextCanvas c(200, 20);
    const char* longName = "A very long file name.log";
    int box = c.Extent("A very long").cx;
    RECT r = c.Calc(longName, RECT{0, 0, box, 0}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(RectWidth(r), box);
    EXPECT_GT(RectWidth(r), c.Extent("...").cx);
    RECT fits = c.Calc("short", RECT{0, 0, box, 0}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(RectWidth(fits), c.Extent("short").cx);
    RECT none = c.Calc(longName, RECT{0, 0, 2, 0}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(RectWidth(none), c.Extent("...").cx); // only the dots are left
}

TEST(Text, AlignmentClippingAndReturnedHeight) {
    TextCanvas c(100, 40);
    const int h = c.Metrics().tmHeight;
    const int w = c.Extent("Hi").cx;
    RECT box{10, 0, 90, 40};
    EXPECT_EQ(DrawText(c.dc, "Hi", -1, &box, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_RTLREADING),
              (40 - h) / 2 + h);
    RECT ink = c.InkBounds();
    EXPECT_LE(ink.right, 90);
    EXPECT_GT(ink.right, 90 - 3);
    EXPECT_GE(ink.top, (40 - h) / 2);
    EXPECT_LE(ink.bottom, (40 - h) / 2 + h);
    c.bmp.Clear(0xFFFFFF);
    EXPECT_EQ(DrawText(c.dc, "Hi", -1, &box, DT_SINGLELINE | DT_BOTTOM | DT_CENTER), 40);
    ink = c.InkBounds();
    EXPECT_NEAR((ink.left + ink.right) / 2, 50, 3);
    EXPECT_GE(ink.top, 40 - h);

    // Clipped to the rectangle unless DT_NOCLIP.
    c.bmp.Clear(0xFFFFFF);
    RECT narrow{0, 0, w / 2, 20};
    DrawText(c.dc, "Hi", -1, &narrow, DT_SINGLELINE);
    EXPECT_LE(c.InkBounds().right, w / 2);
    DrawText(c.dc, "Hi", -1, &narrow, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(c.InkBounds().right, w / 2);
}

TEST(Text, OpaqueBackgroundsAndExtTextOut) {
    TextCanvas c(60, 20);
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, RGB(255, 0, 0));
    TextOut(c.dc, 0, 0, "ab", 2);
    int w = c.Extent("ab").cx, h = c.Metrics().tmHeight;
    EXPECT_EQ(c.bmp.GetPixel(0, 0), 0xFF0000u);
    EXPECT_EQ(c.bmp.GetPixel(w - 1, h - 1), 0xFF0000u);
    EXPECT_EQ(c.bmp.GetPixel(w, 0), 0xFFFFFFu);
    // ETO_OPAQUE fills the given rectangle; ETO_CLIPPED keeps the glyphs inside it.
    c.bmp.Clear(0xFFFFFF);
    SetBkMode(c.dc, TRANSPARENT);
    RECT r{0, 0, 3, 20};
    ExtTextOut(c.dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &r, "WWW", 3, nullptr);
    EXPECT_EQ(c.bmp.GetPixel(0, 19), 0xFF0000u);
    RECT inkOutside{3, 0, 60, 20};
    EXPECT_EQ(c.Ink(inkOutside), 0);
    // Per-character advances from dx.
    c.bmp.Clear(0xFFFFFF);
    INT dx[2] = {30, 5};
    ExtTextOut(c.dc, 0, 0, 0, nullptr, "ii", 2, dx);
    EXPECT_GT(c.Ink(RECT{28, 0, 40, 20}), 0);
    EXPECT_EQ(c.Ink(RECT{10, 0, 28, 20}), 0);
}

TEST(Utf8, MalformedBytesDecodeOneByOneAndNothingSplits) {
    std::string s = "a\xE5\x88\x86"
                    "\xFF"
                    "\xE5\x88"
                    "b\xC0\xAF";
    auto cps = gfx::DecodeUtf8(s);
    std::vector<char32_t> values;
    for (auto& c : cps)
        values.push_back(c.value);
    EXPECT_EQ(values, (std::vector<char32_t>{'a', 0x5206, 0xFFFD, 0xFFFD, 0xFFFD, 'b', 0xFFFD, 0xFFFD}));
    std::string round;
    gfx::AppendUtf8(round, 0x5206);
    gfx::AppendUtf8(round, 0x1F600);
    EXPECT_EQ(round, "\xE5\x88\x86\xF0\x9F\x98\x80");
}

TEST(TextOut, EscapementNineHundredDrawsTheSameRunUpwards) {
    const std::string text = "Gauge 42%";
    TextCanvas flat(120, 30, "Arial", -14, FW_NORMAL, true);
    const SIZE size = flat.Extent(text);
    TextOut(flat.dc, 0, 0, text.c_str(), int(text.size()));

    LOGFONT lf;
    lf.lfHeight = -14;
    lf.lfUnderline = TRUE;
    lf.lfEscapement = 900;
    gfx::SetFaceName(lf, "Arial");
    HFONT upFont = CreateFontIndirect(&lf);
    Bitmap up(30, 120, 0xFFFFFF);
    HDC dc = new gfx::DC(&up);
    HGDIOBJ old = SelectObject(dc, upFont);
    SetBkMode(dc, TRANSPARENT);
    TextOut(dc, 0, size.cx, text.c_str(), int(text.size())); // the run ends at the top edge
    int ink = 0;
    for (int v = 0; v < 30; ++v) {
        for (int u = 0; u < size.cx; ++u) {
            ASSERT_EQ(up.GetPixel(v, size.cx - 1 - u), flat.bmp.GetPixel(u, v)) << u << "," << v;
            ink += flat.bmp.GetPixel(u, v) != Bitmap(1, 1, 0xFFFFFF).GetPixel(0, 0);
        }
    }
    EXPECT_GT(ink, 50);
    SelectObject(dc, old);
    DeleteObject(upFont);
    DeleteDC(dc);
}

// Tabs jump to the listed stops (a zero stop is passed over), to multiples of a single stop, or
// to multiples of 8 average character widths; the result is the width and the cell height.
TEST(Text, TabbedTextOutPlacesSegmentsAtTabStops) {
    TextCanvas c(200, 20);
    const int h = c.Metrics().tmHeight;
    auto inkIn = [&](int from, int to) { return c.Ink(RECT{from, 0, to, 20}); };
    struct Case {
        const char* text;
        std::vector<INT> stops;
        int origin;
        std::vector<int> starts; // where each segment's ink begins (a column just after it is empty)
        int width;
    };
    const int avg8 = 8 * c.Metrics().tmAveCharWidth;
    const int wc = c.Extent("c").cx;
    const Case cases[] = {
        {"a\tb\tc", {40, 0, 120}, 0, {0, 40, 120}, 120 + wc},
        {"a\t\tc", {50}, 0, {0, 100}, 100 + wc},
        {"a\tc", {}, 0, {0, avg8}, avg8 + wc},
        {"a\tc", {40}, 10, {0, 50}, 50 + wc},
        {"\xE4\xB8\xAD\tc", {60, 90}, 0, {0, 60}, 60 + wc},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        c.bmp.Clear(0xFFFFFF);
        LONG r = TabbedTextOut(c.dc, 0, 0, k.text, int(std::strlen(k.text)), int(k.stops.size()),
                               k.stops.empty() ? nullptr : k.stops.data(), k.origin);
        EXPECT_EQ(LOWORD(DWORD(r)), k.width);
        EXPECT_EQ(int(HIWORD(DWORD(r))), h);
        if (k.origin == 0) {
            EXPECT_EQ(GetTabbedTextExtent(c.dc, k.text, int(std::strlen(k.text)), int(k.stops.size()),
                                          k.stops.empty() ? nullptr : k.stops.data()),
                      DWORD(r));
        }
        for (std::size_t i = 0; i < k.starts.size(); ++i) {
            int s = k.starts[i];
            EXPECT_GT(inkIn(s, s + 12), 0) << "segment " << i;
            int next = i + 1 < k.starts.size() ? k.starts[i + 1] : 200;
            EXPECT_EQ(inkIn(s + 18, next), 0) << "gap after segment " << i;
        }
    }
    // An opaque background is filled up to the tab stop, not only under the glyphs.
    c.bmp.Clear(0xFFFFFF);
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, RGB(0, 255, 0));
    INT stop = 80;
    TabbedTextOut(c.dc, 0, 0, "a\tb", 3, 1, &stop, 0);
    EXPECT_EQ(c.bmp.GetPixel(79, h - 1), 0x00FF00u);
    EXPECT_EQ(c.bmp.GetPixel(79, h), 0xFFFFFFu);
    EXPECT_EQ(TabbedTextOut(nullptr, 0, 0, "a", 1, 0, nullptr, 0), 0);
}
