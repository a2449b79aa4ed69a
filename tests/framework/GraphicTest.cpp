#include "framework/Graphic.h"
#include "framework/Stream.h"

#include <gtest/gtest.h>

using namespace vcl;

TEST(Graphic, CanvasDrawsWithItsBrushAndPenIntoTheBitmap) {
    TBitmap bmp(8, 6);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(clBtnFace); // a system colour resolves through the system table
    c->FillRect(RECT{0, 0, 8, 6});
    c->Pen()->SetColor(clRed);
    c->MoveTo(1, 2);
    c->LineTo(5, 2); // the end point is not drawn
    c->Brush()->SetColor(clBlue);
    c->FrameRect(RECT{6, 0, 8, 6});
    EXPECT_EQ(bmp.Pixels().GetColor(0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(bmp.Pixels().GetColor(1, 2), COLORREF(clRed));
    EXPECT_EQ(bmp.Pixels().GetColor(4, 2), COLORREF(clRed));
    EXPECT_EQ(bmp.Pixels().GetColor(5, 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c->Pixel(6, 3), COLORREF(clBlue));
    c->SetPixel(0, 5, clLime);
    EXPECT_EQ(bmp.Pixels().GetColor(0, 5), COLORREF(clLime));
    EXPECT_EQ(c->ClipRect(), (RECT{0, 0, 8, 6}));
}

TEST(Graphic, ResizingKeepsTheCanvasWorkingOnTheNewPixels) {
    TBitmap bmp(2, 2);
    bmp.Canvas()->Brush()->SetColor(clRed);
    bmp.Canvas()->FillRect(RECT{0, 0, 2, 2});
    bmp.SetSize(4, 3);
    EXPECT_EQ(bmp.Pixels().GetColor(1, 1), COLORREF(clRed)); // the old part survives
    EXPECT_EQ(bmp.Pixels().GetColor(3, 2), 0u);
    bmp.Canvas()->FillRect(RECT{0, 0, 4, 3});
    EXPECT_EQ(bmp.Pixels().GetColor(3, 2), COLORREF(clRed));
}

TEST(Graphic, BitmapsBackToBackInAStreamAndTheirDepth) {
    TBitmap a(3, 2);
    a.Canvas()->Brush()->SetColor(clWhite);
    a.Canvas()->FillRect(RECT{0, 0, 3, 2});
    a.Pixels().SetColor(0, 0, RGB(0, 0, 0));
    a.SetPixelFormat(pf1bit);
    TBitmap b(5, 1);
    b.Pixels().SetColor(4, 0, RGB(10, 20, 30));
    TMemoryStream s;
    a.SaveToStream(s);
    std::int64_t first = s.Position();
    b.SaveToStream(s);
    s.WriteValue<std::uint8_t>(0xEE);
    s.SetPosition(0);
    TBitmap ra, rb;
    ra.LoadFromStream(s);
    EXPECT_EQ(s.Position(), first);
    rb.LoadFromStream(s);
    EXPECT_EQ(s.ReadValue<std::uint8_t>(), 0xEE);
    EXPECT_EQ(ra.PixelFormat(), pf1bit);
    EXPECT_EQ(ra.Pixels(), a.Pixels());
    EXPECT_EQ(rb.Pixels().GetColor(4, 0), RGB(10, 20, 30));
}

TEST(Graphic, TruncatedBitmapRaisesTheBitmapError) {
    TBitmap a(4, 4);
    TMemoryStream s;
    a.SaveToStream(s);
    s.SetSize(s.Size() - 5);
    s.SetPosition(0);
    TBitmap r;
    try {
        r.LoadFromStream(s);
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
}

TEST(Graphic, TransparentDrawLeavesTheBottomLeftColourOut) {
    TBitmap glyph(2, 2);
    glyph.Pixels().Clear(gfx::ColorToPixel(RGB(255, 0, 255)));
    glyph.Pixels().SetColor(1, 0, RGB(0, 0, 255));
    glyph.SetTransparent(true);
    TBitmap target(4, 4);
    target.Canvas()->Brush()->SetColor(clLime);
    target.Canvas()->FillRect(RECT{0, 0, 4, 4});
    target.Canvas()->Draw(1, 1, &glyph);
    EXPECT_EQ(target.Pixels().GetColor(1, 1), COLORREF(clLime));
    EXPECT_EQ(target.Pixels().GetColor(2, 1), RGB(0, 0, 255));
    target.Canvas()->StretchDraw(RECT{0, 0, 4, 4}, &glyph);
    EXPECT_EQ(target.Pixels().GetColor(3, 0), RGB(0, 0, 255));
    EXPECT_EQ(target.Pixels().GetColor(0, 3), COLORREF(clLime));
}

TEST(Graphic, CanvasTextUsesTheFontObjectAndItsColour) {
    TBitmap bmp(80, 24);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(RECT{0, 0, 80, 24});
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-14);
    c->Font()->SetColor(clRed);
    SIZE small = c->TextExtent("Wg");
    EXPECT_GT(small.cx, 0);
    EXPECT_GE(small.cy, 14);
    c->Font()->SetHeight(-20); // changed in place: the next call must use the new size
    EXPECT_GT(c->TextExtent("Wg").cx, small.cx);
    c->Font()->SetHeight(-14);
    c->Brush()->SetStyle(bsClear);
    RECT r{0, 0, 80, 24};
    c->DrawText("Hi", r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    int red = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 80; ++x) {
            COLORREF p = bmp.Pixels().GetColor(x, y);
            if (GetRValue(p) > 200 && GetGValue(p) < 60) {
                ++red;
            }
            EXPECT_TRUE(x < 40 || p == RGB(255, 255, 255)) << x << "," << y; // only "Hi" inked
        }
    }
    EXPECT_GT(red, 10);
}
