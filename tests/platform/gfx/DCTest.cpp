#include "platform/gfx/DCApi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

using gfx::Bitmap;
using gfx::Pixel;

namespace {

constexpr Pixel kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0xFF0000, kBlue = 0x0000FF;

// The bitmap as rows of characters: '.' white, '#' black, 'r' red, 'b' blue, '?' other.
std::string Art(const Bitmap& b) {
    std::string s;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            switch (b.GetPixel(x, y)) {
            case kWhite: s += '.'; break;
            case kBlack: s += '#'; break;
            case kRed: s += 'r'; break;
            case kBlue: s += 'b'; break;
            default: s += '?'; break;
            }
        }
        s += '\n';
    }
    return s;
}

struct Canvas {
    Bitmap bmp;
    HDC dc;
    Canvas(int w, int h) : bmp(w, h, kWhite), dc(new gfx::DC(&bmp)) {}
    ~Canvas() { DeleteDC(dc); }
};

// A memory DC holding a bitmap painted from art rows ('.' white, '#' black, 'r', 'b').
struct Source {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp;
    HGDIOBJ old;
    explicit Source(std::initializer_list<const char*> rows) {
        int h = int(rows.size()), w = int(std::strlen(*rows.begin()));
        Bitmap b(w, h);
        int y = 0;
        for (const char* row : rows) {
            for (int x = 0; x < w; ++x) {
                std::map<char, Pixel> c{{'.', kWhite}, {'#', kBlack}, {'r', kRed}, {'b', kBlue}};
                b.SetPixel(x, y, c[row[x]]);
            }
            ++y;
        }
        bmp = gfx::CreateBitmapFrom(std::move(b));
        old = SelectObject(dc, bmp);
    }
    ~Source() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
};

} // namespace

TEST(DC, LinesLeaveOutTheEndPoint) {
    Canvas c(6, 5);
    MoveToEx(c.dc, 0, 0, nullptr);
    LineTo(c.dc, 5, 0);
    MoveToEx(c.dc, 0, 1, nullptr);
    LineTo(c.dc, 0, 4);
    MoveToEx(c.dc, 2, 2, nullptr);
    LineTo(c.dc, 5, 5); // diagonal: (2,2) (3,3) (4,4); (5,5) is outside anyway
    POINT cur;
    MoveToEx(c.dc, 0, 0, &cur);
    EXPECT_EQ(cur, (POINT{5, 5}));
    EXPECT_EQ(Art(c.bmp), "#####.\n"
                          "#.....\n"
                          "#.#...\n"
                          "#..#..\n"
                          "....#.\n");
}

TEST(DC, PolylineAndPenStyles) {
    Canvas c(12, 4);
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(c.dc, red);
    POINT pts[] = {{0, 0}, {3, 0}, {3, 3}};
    Polyline(c.dc, pts, 3);
    HPEN dot = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    SelectObject(c.dc, dot);
    SetBkMode(c.dc, TRANSPARENT);
    MoveToEx(c.dc, 5, 0, nullptr);
    LineTo(c.dc, 12, 0);
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, RGB(0, 0, 255));
    MoveToEx(c.dc, 5, 2, nullptr);
    LineTo(c.dc, 12, 2);
    HPEN none = CreatePen(PS_NULL, 1, 0);
    SelectObject(c.dc, none);
    MoveToEx(c.dc, 0, 3, nullptr);
    LineTo(c.dc, 12, 3);
    EXPECT_EQ(Art(c.bmp), "rrrr.###...#\n"
                          "...r........\n"
                          "...r.###bbb#\n"
                          "............\n");
    LOGPEN lp;
    ASSERT_EQ(GetObject(dot, sizeof lp, &lp), int(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, UINT(PS_DOT));
    EXPECT_EQ(lp.lopnColor, RGB(0, 0, 0));
    SelectObject(c.dc, old);
    for (HPEN p : {red, dot, none})
        DeleteObject(p);
}

TEST(DC, WidePenStampsAroundThePath) {
    Canvas c(7, 5);
    HPEN wide = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    SelectObject(c.dc, wide);
    MoveToEx(c.dc, 1, 2, nullptr);
    LineTo(c.dc, 5, 2);
    // Points 1..4 of the path, each stamped 3 x 3.
    EXPECT_EQ(Art(c.bmp), ".......\n"
                          "######.\n"
                          "######.\n"
                          "######.\n"
                          ".......\n");
    SelectObject(c.dc, GetStockObject(BLACK_PEN));
    DeleteObject(wide);
}

TEST(DC, RectangleFrameAndFill) {
    Canvas c(7, 6);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(c.dc, red);
    Rectangle(c.dc, 0, 0, 4, 4);
    RECT r{4, 0, 7, 3};
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FrameRect(c.dc, &r, blue);
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    Rectangle(c.dc, 4, 3, 7, 6); // no outline: one pixel less right and bottom
    EXPECT_EQ(Art(c.bmp), "####bbb\n"
                          "#rr#b.b\n"
                          "#rr#bbb\n"
                          "####rr.\n"
                          "....rr.\n"
                          ".......\n");
    SelectObject(c.dc, GetStockObject(NULL_BRUSH));
    SelectObject(c.dc, GetStockObject(BLACK_PEN));
    Rectangle(c.dc, 0, 0, 7, 6); // hollow
    EXPECT_EQ(c.bmp.GetPixel(1, 1), kRed);
    EXPECT_EQ(c.bmp.GetPixel(6, 5), kBlack);
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
    DeleteObject(blue);
}

TEST(DC, EllipseIsSymmetricAndStaysInItsBox) {
    Canvas c(9, 7);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(c.dc, red);
    Ellipse(c.dc, 1, 1, 8, 6);
    std::string art = Art(c.bmp);
    EXPECT_EQ(art.substr(0, 10), ".........\n");  // row 0 untouched
    EXPECT_EQ(art.substr(60, 10), ".........\n"); // row 6 untouched
    EXPECT_EQ(c.bmp.GetPixel(4, 3), kRed);        // filled inside
    EXPECT_EQ(c.bmp.GetPixel(1, 3), kBlack);      // outline at the sides
    EXPECT_EQ(c.bmp.GetPixel(7, 3), kBlack);
    EXPECT_EQ(c.bmp.GetPixel(4, 1), kBlack); // and at top and bottom
    EXPECT_EQ(c.bmp.GetPixel(4, 5), kBlack);
    EXPECT_EQ(c.bmp.GetPixel(1, 1), kWhite); // corners stay out
    EXPECT_EQ(c.bmp.GetPixel(7, 5), kWhite);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(c.bmp.GetPixel(x, y), c.bmp.GetPixel(8 - x, y)) << x << "," << y;
            EXPECT_EQ(c.bmp.GetPixel(x, y), c.bmp.GetPixel(x, 6 - y)) << x << "," << y;
        }
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
}

TEST(DC, SystemColoursResolveEverywhere) {
    Canvas c(4, 1);
    RECT r0{0, 0, 1, 1}, r1{1, 0, 2, 1}, r2{2, 0, 3, 1};
    FillRect(c.dc, &r0, reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_BTNFACE + 1)));
    FillRect(c.dc, &r1, GetSysColorBrush(COLOR_BTNSHADOW));
    HBRUSH b = CreateSolidBrush(SysColorValue(COLOR_HIGHLIGHT));
    FillRect(c.dc, &r2, b);
    SetPixel(c.dc, 3, 0, COLORREF(-16777216 + COLOR_3DDKSHADOW));
    EXPECT_EQ(c.bmp.GetColor(0, 0), RGB(212, 208, 200));
    EXPECT_EQ(c.bmp.GetColor(1, 0), RGB(128, 128, 128));
    EXPECT_EQ(c.bmp.GetColor(2, 0), RGB(10, 36, 106));
    EXPECT_EQ(c.bmp.GetColor(3, 0), RGB(64, 64, 64));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
    EXPECT_EQ(GetSysColor(99), 0u);
    DeleteObject(b);
    EXPECT_TRUE(DeleteObject(GetSysColorBrush(COLOR_BTNFACE))); // stock: ignored, stays usable
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE)->color, SysColorValue(COLOR_BTNFACE));
}

TEST(DC, ClippingOriginAndSavedStates) {
    Canvas c(8, 4);
    gfx::DC& dc = *c.dc;
    dc.SetDeviceOrigin(POINT{2, 0});                 // the window starts at column 2
    dc.SetSystemClip(gfx::Region(RECT{0, 0, 7, 4})); // column 7 is covered by another window
    int saved = SaveDC(c.dc);
    EXPECT_EQ(IntersectClipRect(c.dc, 0, 0, 4, 3), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(c.dc, 1, 1, 2, 2), COMPLEXREGION);
    RECT box;
    EXPECT_EQ(GetClipBox(c.dc, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{0, 0, 4, 3}));
    RECT all{-10, -10, 100, 100};
    FillRect(c.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(Art(c.bmp), "..####..\n"
                          "..#.##..\n"
                          "..####..\n"
                          "........\n");
    HRGN got = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(c.dc, got), 1);
    EXPECT_TRUE(RestoreDC(c.dc, saved));
    EXPECT_EQ(GetClipRgn(c.dc, got), 0);
    DeleteObject(got);

    // The viewport origin moves drawing but not the clip region selected before it.
    SetViewportOrgEx(c.dc, 3, 1, nullptr);
    FillRect(c.dc, &all, reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_WINDOW + 1)));
    RECT dot{0, 0, 1, 1};
    FillRect(c.dc, &dot, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(c.bmp.GetPixel(5, 1), kBlack);
    EXPECT_EQ(c.bmp.GetPixel(7, 0), kWhite); // system clip kept column 7 untouched
    EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 10, 10), CLR_INVALID);
    EXPECT_FALSE(RestoreDC(c.dc, 1)); // already restored
}

TEST(DC, SelectClipRgnInDeviceCoordinates) {
    Canvas c(6, 2);
    SetViewportOrgEx(c.dc, 2, 0, nullptr);
    HRGN rgn = CreateRectRgn(0, 0, 2, 2);
    EXPECT_EQ(SelectClipRgn(c.dc, rgn), SIMPLEREGION);
    DeleteObject(rgn); // the DC keeps its own copy
    RECT r{-2, 0, 4, 2};
    FillRect(c.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(Art(c.bmp), "##....\n"
                          "##....\n");
    EXPECT_EQ(SelectClipRgn(c.dc, nullptr), SIMPLEREGION);
}

TEST(DC, BitBltRasterOperations) {
    Source src({"#r", ".b"});
    struct Case {
        DWORD rop;
        Pixel dst;
        Pixel expect[4];
    } cases[] = {
        {SRCCOPY, 0x123456, {kBlack, kRed, kWhite, kBlue}},
        {SRCAND, 0x00FF00, {0, 0, 0x00FF00, 0}},
        {SRCPAINT, 0x00FF00, {0x00FF00, 0xFFFF00, kWhite, 0x00FFFF}},
        {SRCINVERT, 0xFFFFFF, {kWhite, 0x00FFFF, kBlack, 0xFFFF00}},
        {DSTINVERT, 0x00FF00, {0xFF00FF, 0xFF00FF, 0xFF00FF, 0xFF00FF}},
        {BLACKNESS, 0x00FF00, {0, 0, 0, 0}},
        {WHITENESS, 0x00FF00, {kWhite, kWhite, kWhite, kWhite}},
        {PATCOPY, 0x00FF00, {kRed, kRed, kRed, kRed}},
        {NOTSRCCOPY, 0x00FF00, {kWhite, 0x00FFFF, kBlack, 0xFFFF00}},
    };
    for (const Case& k : cases) {
        Canvas c(2, 2);
        c.bmp.Clear(k.dst);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        SelectObject(c.dc, red);
        EXPECT_TRUE(BitBlt(c.dc, 0, 0, 2, 2, src.dc, 0, 0, k.rop));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c.bmp.GetPixel(i % 2, i / 2), k.expect[i]) << std::hex << k.rop << " " << i;
        SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
        DeleteObject(red);
    }
}

TEST(DC, BitBltClipsToBothBitmapsAndHandlesOverlap) {
    Canvas c(5, 3);
    c.bmp.Clear(kBlue);
    Source src({"#r", "r#"});
    // Partly outside the destination on the left and outside the source on the right.
    BitBlt(c.dc, -1, 0, 4, 2, src.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(Art(c.bmp), "rbbbb\n"
                          "#bbbb\n"
                          "bbbbb\n");
    // Scrolling within one bitmap reads the pixels as they were.
    for (int x = 0; x < 5; ++x)
        c.bmp.SetPixel(x, 2, x % 2 ? kBlack : kWhite);
    BitBlt(c.dc, 1, 2, 4, 1, c.dc, 0, 2, SRCCOPY);
    EXPECT_EQ(Art(c.bmp).substr(12), "..#.#\n"); // not smeared into "....."
}

TEST(DC, StretchRepeatsDropsAndMirrorsWholeColumns) {
    Source src({"#r.b"});
    Canvas c(8, 2);
    StretchBlt(c.dc, 0, 0, 8, 1, src.dc, 0, 0, 4, 1, SRCCOPY);  // 2x: every column twice
    StretchBlt(c.dc, 0, 1, 2, 1, src.dc, 0, 0, 4, 1, SRCCOPY);  // half: every other column
    StretchBlt(c.dc, 6, 1, -4, 1, src.dc, 0, 0, 4, 1, SRCCOPY); // mirrored into [2, 6)
    EXPECT_EQ(Art(c.bmp), "##rr..bb\n"
                          "#.b.r#..\n");
    // Vertical enlargement repeats rows; 3 source rows onto 5 keeps rows 0,0,1,1,2.
    Source tall({"#", "r", "b"});
    Canvas v(1, 5);
    StretchBlt(v.dc, 0, 0, 1, 5, tall.dc, 0, 0, 1, 3, SRCCOPY);
    EXPECT_EQ(Art(v.bmp), "#\n#\nr\nr\nb\n");
}

TEST(DC, TransparentBltSkipsTheKeyColour) {
    Source src({"r#r", "#r#"});
    Canvas c(6, 2);
    c.bmp.Clear(kBlue);
    EXPECT_TRUE(TransparentBlt(c.dc, 0, 0, 3, 2, src.dc, 0, 0, 3, 2, RGB(255, 0, 0)));
    EXPECT_TRUE(TransparentBlt(c.dc, 3, 0, 3, 1, src.dc, 0, 0, 3, 2, RGB(255, 0, 0)));
    EXPECT_FALSE(TransparentBlt(c.dc, 0, 0, -3, 2, src.dc, 0, 0, 3, 2, 0));
    EXPECT_EQ(Art(c.bmp), "b#bb#b\n"
                          "#b#bbb\n");
}

TEST(DC, FocusRectTogglesAndInvertRestores) {
    Canvas c(5, 4);
    RECT r{0, 0, 5, 4};
    DrawFocusRect(c.dc, &r);
    EXPECT_EQ(Art(c.bmp), "#.#.#\n"
                          ".....\n"
                          "#...#\n"
                          ".#.#.\n");
    DrawFocusRect(c.dc, &r);
    InvertRect(c.dc, &r);
    InvertRect(c.dc, &r);
    EXPECT_EQ(Art(c.bmp), ".....\n.....\n.....\n.....\n");
}

TEST(DC, NothingIsWrittenOutsideTheBitmap) {
    Canvas c(3, 3);
    HPEN wide = CreatePen(PS_SOLID, 5, RGB(255, 0, 0));
    SelectObject(c.dc, wide);
    MoveToEx(c.dc, -100, -100, nullptr);
    LineTo(c.dc, 100, 100);
    MoveToEx(c.dc, -2000000000, 1, nullptr); // walks only the steps near the bitmap
    LineTo(c.dc, 2000000000, 2);
    Rectangle(c.dc, -50, -50, 50, 50);
    Ellipse(c.dc, -5, -5, 8, 8);
    SetPixel(c.dc, 3, 0, 0);
    RECT big{-1000, -1000, 1000, 1000};
    InvertRect(c.dc, &big);
    DrawFocusRect(c.dc, &big);
    Source src({"#"});
    StretchBlt(c.dc, -500, -500, 1000, 1000, src.dc, 0, 0, 1, 1, SRCCOPY);
    EXPECT_EQ(Art(c.bmp), "###\n###\n###\n");
    SelectObject(c.dc, GetStockObject(BLACK_PEN));
    DeleteObject(wide);
}

TEST(DC, MemoryDcObjectsOutliveDeleteWhileSelected) {
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(mem, 4, 2);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    ASSERT_NE(oldBmp, nullptr); // the DC's own 1 x 1 bitmap
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(mem, brush);
    DeleteObject(brush); // still selected: lives on until replaced
    PatBlt(mem, 0, 0, 4, 2, PATCOPY);
    BITMAP info;
    ASSERT_EQ(GetObject(bmp, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(bmp->Pixels().GetPixel(3, 1), kRed);
    EXPECT_EQ(GetDeviceCaps(mem, HORZRES), 4);
    SelectObject(mem, GetStockObject(WHITE_BRUSH)); // frees the brush now (ASan checks)
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);

    // Wrapping a bitmap owned elsewhere, which may change size while selected.
    Bitmap own(2, 2, kBlue);
    HDC mem2 = CreateCompatibleDC(nullptr);
    HBITMAP wrap = gfx::WrapBitmap(&own);
    SelectObject(mem2, wrap);
    EXPECT_EQ(GetPixel(mem2, 1, 1), RGB(0, 0, 255));
    SetPixel(mem2, 0, 0, RGB(255, 0, 0));
    EXPECT_EQ(own.GetPixel(0, 0), kRed);
    own.Resize(3, 3, kBlue);
    RECT all{0, 0, 100, 100};
    FillRect(mem2, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(own.GetPixel(2, 2), kBlack); // the clip follows the new size
    DeleteDC(mem2);
    DeleteObject(wrap); // frees the handle, not the bitmap
    EXPECT_EQ(own.Width(), 3);
}
