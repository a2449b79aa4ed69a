#include "skin/data/qvUtils.h"

#include "platform/gfx/Font.h"
#include "platform/gfx/TextOut.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Six pixels per code point, like a fixed-pitch font.
int CodePointWidth(std::string_view s) {
    int n = 0;
    for (unsigned char c : s)
        n += (c & 0xC0) != 0x80;
    return 6 * n;
}

} // namespace

TEST(FitTextToWidth, ShortensByCodePointsAndAppendsEllipsis) {
    struct Case {
        std::string text;
        int limit;
        std::string want;
    } cases[] = {
        {"Hello world", 66, "Hello world"}, // fits exactly: unchanged
        {"Hello world", 40, "Hel..."},      // "Hell..." would be 42
        {"Hello world", 10, "..."},         // even "..." is wider than the limit
        {"", 0, ""},
        {"\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97\xE5\xB9\x95"
         "abc",
         40, "\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97..."}, // whole CJK characters are removed
    };
    for (Case& c : cases) {
        std::string text = c.text;
        qv::FitTextToWidth(text, c.limit, CodePointWidth);
        EXPECT_EQ(text, c.want) << c.text << " / " << c.limit;
    }
}

namespace {

// A white canvas with a 13-pixel Arial selected, black text on a transparent background.
struct TextCanvas {
    gfx::Bitmap bmp;
    HDC dc;
    HFONT font;
    HGDIOBJ old;
    TextCanvas(int w, int h) : bmp(w, h, 0xFFFFFF), dc(new gfx::DC(&bmp)) {
        LOGFONT lf;
        lf.lfHeight = -13;
        gfx::SetFaceName(lf, "Arial");
        font = CreateFontIndirect(&lf);
        old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
    }
    ~TextCanvas() {
        SelectObject(dc, old);
        DeleteObject(font);
        DeleteDC(dc);
    }
    // The bounding box of the non-white pixels.
    RECT Ink() const {
        RECT r{bmp.Width(), bmp.Height(), 0, 0};
        for (int y = 0; y < bmp.Height(); ++y)
            for (int x = 0; x < bmp.Width(); ++x)
                if (bmp.GetPixel(x, y) != 0xFFFFFF) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        return r;
    }
    int Width(std::string_view s) {
        SIZE size{};
        GetTextExtentPoint32(dc, s.data(), int(s.size()), &size);
        return size.cx;
    }
};

} // namespace

TEST(FitTextToWidth, MeasuresInTheDeviceContextsFont) {
    TextCanvas c(10, 10);
    const std::string caption = "Analyse the log folder";
    const int full = c.Width(caption);
    ASSERT_GT(full, c.Width("..."));
    std::string text = caption;
    qv::FitTextToWidth(c.dc, text, full);
    EXPECT_EQ(text, caption);
    qv::FitTextToWidth(c.dc, text, full - 1);
    ASSERT_GT(text.size(), 3u);
    EXPECT_EQ(text.substr(text.size() - 3), "...");
    EXPECT_LE(c.Width(text), full - 1);
    EXPECT_EQ(caption.compare(0, text.size() - 3, text, 0, text.size() - 3), 0);
    // "..." alone is wider than the limit: the result is "...".
    text = caption;
    qv::FitTextToWidth(c.dc, text, c.Width("...") - 1);
    EXPECT_EQ(text, "...");

    text = caption;
    qv::FitWideTextToWidth(c.dc, text, qv::WideTextWidth(c.dc, caption) / 2);
    EXPECT_LE(qv::WideTextWidth(c.dc, text), qv::WideTextWidth(c.dc, caption) / 2);
    EXPECT_EQ(text.substr(text.size() - 3), "...");
}

TEST(WideText, MeasuresLinesLikeDrawText) {
    TextCanvas c(10, 10);
    const int one = qv::WideTextHeight(c.dc, "Ag");
    EXPECT_GT(one, 0);
    EXPECT_EQ(qv::WideTextHeight(c.dc, "Ag\nAg"), 2 * one);
    EXPECT_EQ(qv::WideTextWidth(c.dc, "WWW\ni"), qv::WideTextWidth(c.dc, "WWW"));
    EXPECT_EQ(qv::WideTextWidth(c.dc, ""), 0);
    RECT r{0, 0, 0, 0};
    qv::DrawWideText(c.dc, "WWW", r, DT_CALCRECT);
    EXPECT_EQ(r.right, qv::WideTextWidth(c.dc, "WWW"));
}

TEST(DrawTextVCentered, PlacesAndClipsTheText) {
    const RECT rect{10, 4, 60, 40};
    {
        TextCanvas c(80, 50);
        qv::DrawTextLeftVCentered(c.dc, "Hello world and more", rect);
        const RECT ink = c.Ink();
        EXPECT_GE(ink.left, rect.left + 2);
        EXPECT_LE(ink.left, rect.left + 4);
        EXPECT_LE(ink.right, rect.right); // clipped to the rectangle
        EXPECT_EQ(ink.right, rect.right);
        // Centred: the ink sits around the middle row of the rectangle.
        EXPECT_LT(ink.top, 22);
        EXPECT_GT(ink.bottom, 22);
    }
    {
        TextCanvas c(80, 50);
        qv::DrawTextIndentVCentered(c.dc, "Hi", rect, 20);
        EXPECT_GE(c.Ink().left, rect.left + 22);
        EXPECT_LE(c.Ink().left, rect.left + 24);
    }
    {
        TextCanvas c(80, 50);
        qv::DrawTextVCentered(c.dc, "Hi", rect);
        EXPECT_LT(c.Ink().top, 22);
        EXPECT_GT(c.Ink().bottom, 22);
        EXPECT_LE(c.Ink().left, rect.left + 2);
    }
    TextCanvas blank(80, 50);
    qv::DrawTextLeftVCentered(blank.dc, "", rect);
    qv::DrawTextVCentered(blank.dc, "", rect);
    EXPECT_EQ(blank.bmp, gfx::Bitmap(80, 50, 0xFFFFFF));
}
