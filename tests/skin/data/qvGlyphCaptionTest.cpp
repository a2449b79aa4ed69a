#include "skin/data/qvGlyphCaption.h"

#include "platform/gfx/DrawText.h"
#include "platform/gfx/Font.h"

#include <gtest/gtest.h>

namespace {

constexpr gfx::Pixel kWhite = 0xFFFFFF;
constexpr COLORREF kMarker = RGB(0xFF, 0, 0);
constexpr gfx::Pixel kMarkerPixel = 0xFF0000;

struct Canvas {
    gfx::Bitmap bmp;
    HDC dc;
    HFONT font;
    HGDIOBJ old;
    Canvas(int w, int h) : bmp(w, h, kWhite), dc(new gfx::DC(&bmp)) {
        LOGFONT lf;
        lf.lfHeight = -13;
        gfx::SetFaceName(lf, "Arial");
        font = CreateFontIndirect(&lf);
        old = SelectObject(dc, font);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(font);
        DeleteDC(dc);
    }
    int Count(gfx::Pixel p, const RECT& in) const {
        int n = 0;
        for (int y = in.top; y < in.bottom; ++y)
            for (int x = in.left; x < in.right; ++x)
                n += bmp.GetPixel(x, y) == p;
        return n;
    }
};

// Two 4 x 4 frames: frame 1 grey 0x404040, frame 2 blue 0x0000C0; the bottom-left pixel of each
// frame is green, the transparent colour.
gfx::Bitmap Strip() {
    gfx::Bitmap s(8, 4, 0x404040);
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            s.SetPixel(x, y, 0x0000C0);
    s.SetPixel(0, 3, 0x00FF00);
    s.SetPixel(4, 3, 0x00FF00);
    return s;
}

} // namespace

TEST(DrawStripGlyphCaption, GlyphCentredWithMarkerUnderTheWholeStrip) {
    const RECT rc{0, 0, 20, 12};
    qv::TqvGlyphCaptionStyle style; // layout 0, centred, spacing 4
    Canvas c(24, 16);
    qv::DrawStripGlyphCaption(c.dc, rc, style, 2, 2, Strip(), "");
    // h = (4 + 0 + 4) / 2 = 4: the glyph at (10 - 4, 6 - 2) = (6, 4).
    EXPECT_EQ(c.bmp.GetPixel(6, 4), 0x0000C0u);
    EXPECT_EQ(c.bmp.GetPixel(9, 7), 0x0000C0u);
    EXPECT_EQ(c.bmp.GetPixel(6, 7), kWhite); // the frame's key colour is transparent
    EXPECT_EQ(c.bmp.GetPixel(5, 4), kWhite);
    EXPECT_EQ(c.Count(0x0000C0, RECT{0, 0, 24, 16}), 15);

    style.Marker = true;
    style.MarkerColor = kMarker;
    style.Pressed = true;
    Canvas m(24, 16);
    qv::DrawStripGlyphCaption(m.dc, rc, style, 1, 2, Strip(), "");
    // Pressed: the glyph at (7, 5); marker rows 7, 8, 9 from x = 7 over the strip's 8 columns.
    EXPECT_EQ(m.bmp.GetPixel(7, 5), 0x404040u);
    EXPECT_EQ(m.Count(kMarkerPixel, RECT{0, 0, 24, 16}), 24);
    EXPECT_EQ(m.Count(kMarkerPixel, RECT{7, 7, 15, 10}), 24);
}

TEST(DrawStripGlyphCaption, MarkerPatchWithoutGlyphAndCaption) {
    const RECT rc{0, 0, 20, 12};
    qv::TqvGlyphCaptionStyle style;
    style.Marker = true;
    style.MarkerColor = kMarker;
    Canvas c(24, 16);
    qv::DrawStripGlyphCaption(c.dc, rc, style, 1, 1, gfx::Bitmap{}, "");
    EXPECT_EQ(c.Count(kMarkerPixel, RECT{4, 4, 18, 8}), 14 * 4);
    EXPECT_EQ(c.Count(kMarkerPixel, RECT{0, 0, 24, 16}), 14 * 4);
    style.Pressed = true;
    Canvas p(24, 16);
    qv::DrawStripGlyphCaption(p.dc, rc, style, 1, 1, gfx::Bitmap{}, "");
    EXPECT_EQ(p.Count(kMarkerPixel, RECT{4, 5, 18, 9}), 14 * 4);
    EXPECT_EQ(p.Count(kMarkerPixel, RECT{0, 0, 24, 16}), 14 * 4);
}

TEST(DrawStripGlyphCaption, CaptionBesideTheGlyphAndMarkerUnderTheText) {
    const RECT rc{0, 0, 100, 30};
    qv::TqvGlyphCaptionStyle style;
    style.Margin = 3;
    Canvas c(110, 40);
    SetTextColor(c.dc, RGB(0, 0, 0));
    qv::DrawStripGlyphCaption(c.dc, rc, style, 1, 2, Strip(), "OK");
    // Glyph at (3, 13); the text starts after the glyph and the spacing, at x = 11.
    EXPECT_EQ(c.bmp.GetPixel(3, 13), 0x404040u);
    int firstInk = -1;
    for (int x = 0; x < 110 && firstInk < 0; ++x)
        for (int y = 0; y < 40; ++y)
            if (c.bmp.GetPixel(x, y) != kWhite && c.bmp.GetPixel(x, y) != 0x404040u) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, 11);
    EXPECT_LE(firstInk, 14);

    // No glyph, with a caption: three marker lines under the text, two pixels wider than it.
    style.Marker = true;
    style.MarkerColor = kMarker;
    Canvas m(110, 40);
    qv::DrawStripGlyphCaption(m.dc, rc, style, 1, 1, gfx::Bitmap{}, "OK");
    RECT measured{0, 0, 100, 30};
    DrawText(m.dc, "OK", 2, &measured, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    const int tw = measured.right, th = measured.bottom;
    const int ty = 15 - th / 2;
    EXPECT_EQ(m.Count(kMarkerPixel, RECT{0, 0, 110, 40}), 3 * (tw + 2));
    EXPECT_EQ(m.Count(kMarkerPixel, RECT{3, ty + th - 1, 3 + tw + 2, ty + th + 2}), 3 * (tw + 2));
}

TEST(DrawImageListGlyphCaption, EnabledAndEmbossedImages) {
    HIMAGELIST images = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 1);
    gfx::Bitmap image(4, 4, 0x202020);
    image.SetPixel(0, 0, 0xFF00FF); // transparent
    image.SetPixel(3, 3, 0xFFFFFF); // white: not part of the disabled shape
    HBITMAP handle = gfx::CreateBitmapFrom(image);
    ASSERT_EQ(ImageList_AddMasked(images, handle, RGB(0xFF, 0, 0xFF)), 0);
    DeleteObject(handle);

    const RECT rc{0, 0, 20, 12};
    qv::TqvGlyphCaptionStyle style;
    Canvas c(24, 16);
    qv::DrawImageListGlyphCaption(c.dc, rc, style, true, images, 0, "");
    EXPECT_EQ(c.bmp.GetPixel(7, 5), 0x202020u);
    EXPECT_EQ(c.bmp.GetPixel(6, 4), kWhite);
    EXPECT_EQ(c.Count(0x202020, RECT{0, 0, 24, 16}), 14);

    const gfx::Pixel shadow = gfx::ColorToPixel(GetSysColor(COLOR_BTNSHADOW));
    const gfx::Pixel highlight = gfx::ColorToPixel(GetSysColor(COLOR_BTNHIGHLIGHT));
    Canvas d(24, 16);
    d.bmp.Clear(0x808000); // neither system colour
    qv::DrawImageListGlyphCaption(d.dc, rc, style, false, images, 0, "");
    EXPECT_EQ(d.bmp.GetPixel(7, 5), shadow);
    EXPECT_EQ(d.bmp.GetPixel(10, 7), highlight); // the highlight copy shows below-right
    EXPECT_EQ(d.bmp.GetPixel(10, 8), 0x808000u); // ... but not for the white pixel
    EXPECT_EQ(d.bmp.GetPixel(6, 4), 0x808000u);
    EXPECT_EQ(d.Count(0x202020, RECT{0, 0, 24, 16}), 0);

    // An index outside the list is no glyph; with the marker and no caption the patch is drawn.
    style.Marker = true;
    style.MarkerColor = kMarker;
    Canvas n(24, 16);
    qv::DrawImageListGlyphCaption(n.dc, rc, style, true, images, 1, "");
    EXPECT_EQ(n.Count(kMarkerPixel, RECT{4, 4, 18, 8}), 14 * 4);
    ImageList_Destroy(images);
}
