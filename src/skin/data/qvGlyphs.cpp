#include "skin/data/qvGlyphs.h"

#include "skin/data/qvRaster.h"

namespace qv {

namespace {

// Selects a one-pixel solid pen of the colour and, for outlines, the null brush; puts the DC's
// own objects back when it goes.
class PenScope {
public:
    PenScope(HDC dc, COLORREF color, bool hollow = false) : dc_(dc), pen_(CreatePen(PS_SOLID, 1, color)) {
        oldPen_ = SelectObject(dc_, pen_);
        if (hollow) {
            oldBrush_ = SelectObject(dc_, GetStockObject(NULL_BRUSH));
        }
    }
    ~PenScope() {
        SelectObject(dc_, oldPen_);
        if (oldBrush_ != nullptr) {
            SelectObject(dc_, oldBrush_);
        }
        DeleteObject(pen_);
    }
    PenScope(const PenScope&) = delete;
    PenScope& operator=(const PenScope&) = delete;

    void Line(int x0, int y0, int x1, int y1) {
        MoveToEx(dc_, x0, y0, nullptr);
        LineTo(dc_, x1, y1);
    }
    void Outline(int l, int t, int r, int b) { Rectangle(dc_, l, t, r, b); }

private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
};

int CentreX(const RECT& rc) { return rc.left + (rc.right - rc.left) / 2; }
int CentreY(const RECT& rc) { return rc.top + (rc.bottom - rc.top) / 2; }

} // namespace

bool LayoutGlyphAndText(int layout, const RECT& rc, int gw, int gh, int tw, int th, int margin, int spacing,
                        POINT& glyph, POINT& text) {
    if (gw == 0) {
        spacing = 0;
    }
    const int cx = CentreX(rc);
    const int cy = CentreY(rc);
    POINT g{};
    POINT t{};
    switch (layout) {
    case 0:
    case 1:
        g.y = cy - gh / 2;
        t.y = cy - th / 2;
        if (margin != -1) {
            if (layout == 0) {
                g.x = rc.left + margin;
                t.x = g.x + gw + spacing;
            } else {
                g.x = rc.right - gw - margin;
                t.x = g.x - spacing - tw;
            }
        } else {
            const int h = (gw + tw + spacing) / 2;
            if (layout == 0) {
                g.x = cx - h;
                t.x = cx + h - tw;
            } else {
                t.x = cx - h;
                g.x = cx + h - gw;
            }
        }
        break;
    case 2:
    case 3:
        g.x = cx - gw / 2;
        t.x = cx - tw / 2;
        if (margin != -1) {
            if (layout == 2) {
                g.y = rc.top + margin;
                t.y = g.y + gh + spacing;
            } else {
                g.y = rc.bottom - gh - margin;
                t.y = g.y - spacing - th;
            }
        } else {
            const int v = (th + gh + spacing) / 2;
            if (layout == 2) {
                g.y = cy - v;
                t.y = cy + v - th;
            } else {
                t.y = cy - v;
                g.y = cy + v - gh;
            }
        }
        break;
    default: return false;
    }
    glyph = g;
    text = t;
    return true;
}

void DrawStripGlyph(HDC dc, int x, int y, int k, int n, const gfx::Bitmap& strip) {
    if (strip.Empty() || n <= 0 || k < 1 || k > n) {
        return;
    }
    const int fw = strip.Width() / n;
    const int h = strip.Height();
    if (fw <= 0) {
        return;
    }
    gfx::Bitmap frame(fw, h);
    CopyPixels(strip, fw * (k - 1), 0, fw, h, frame, 0, 0);
    const COLORREF key = frame.GetColor(0, h - 1);
    HBITMAP bmp = gfx::WrapBitmap(&frame);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bmp);
    TransparentBlt(dc, x, y, fw, h, mem, 0, 0, fw, h, key);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bmp);
}

void DrawDropArrow(HDC dc, const RECT& rc, COLORREF color) {
    const int cx = CentreX(rc);
    const int cy = CentreY(rc);
    PenScope pen(dc, color);
    pen.Line(cx - 2, cy, cx + 3, cy);
    pen.Line(cx - 1, cy + 1, cx + 2, cy + 1);
    pen.Line(cx, cy + 2, cx + 1, cy + 2);
}

void DrawDirectionArrow(HDC dc, const RECT& rc, int kind, COLORREF color) {
    if (kind < 1 || kind > 4) {
        return;
    }
    const int cx = CentreX(rc);
    const int cy = CentreY(rc);
    PenScope pen(dc, color);
    // Four lines of 1, 3, 5 and 7 pixels, from the tip outwards; the extents are inclusive, so
    // each line ends one pixel further.
    for (int i = 0; i <= 3; ++i) {
        switch (kind) {
        case 1: pen.Line(cx - 2 + i, cy - i, cx - 2 + i, cy + i + 1); break;
        case 2: pen.Line(cx + 2 - (3 - i), cy - (3 - i), cx + 2 - (3 - i), cy + (3 - i) + 1); break;
        case 3: pen.Line(cx - i, cy - 2 + i, cx + i + 1, cy - 2 + i); break;
        default: pen.Line(cx - (3 - i), cy + 2 - (3 - i), cx + (3 - i) + 1, cy + 2 - (3 - i)); break;
        }
    }
}

void DrawCheckMark(HDC dc, int x, int y, COLORREF color) {
    PenScope pen(dc, color);
    for (int i = 0; i < 3; ++i) {
        const POINT pts[3] = {{x, y + 5 - i}, {x + 2, y + 7 - i}, {x + 7, y + 2 - i}};
        Polyline(dc, pts, 3);
    }
}

void DrawCloseGlyph(HDC dc, int x, int y, COLORREF color) {
    PenScope pen(dc, color);
    pen.Line(x + 1, y + 1, x + 9, y + 9);
    pen.Line(x + 9, y + 1, x + 1, y + 9);
    pen.Line(x + 2, y + 1, x + 10, y + 9);
    pen.Line(x + 8, y + 1, x, y + 9);
}

void DrawSysMenuGlyph(HDC dc, int x, int y, COLORREF color) {
    PenScope pen(dc, color, true);
    pen.Outline(x + 1, y + 3, x + 9, y + 6);
}

void DrawMinGlyph(HDC dc, int x, int y, COLORREF color) {
    PenScope pen(dc, color);
    pen.Line(x + 1, y + 8, x + 9, y + 8);
    pen.Line(x + 1, y + 9, x + 9, y + 9);
}

void DrawMaxGlyph(HDC dc, int x, int y, COLORREF color) {
    PenScope pen(dc, color, true);
    pen.Outline(x, y, x + 11, y + 10);
    pen.Outline(x, y, x + 11, y + 2);
}

void DrawRestoreGlyph(HDC dc, int x, int y, COLORREF color) {
    PenScope pen(dc, color, true);
    pen.Outline(x + 2, y, x + 10, y + 6);
    pen.Outline(x + 2, y, x + 10, y + 2);
    pen.Outline(x, y + 4, x + 7, y + 10);
    pen.Outline(x, y + 4, x + 7, y + 6);
}

void DrawRollDownGlyph(HDC dc, int x, int y, COLORREF color) {
    PenScope pen(dc, color);
    for (int i = 0; i <= 4; ++i) {
        pen.Line(x + 5 - i, y + 6 - i, x + 5 + i, y + 6 - i);
    }
}

void DrawRollUpGlyph(HDC dc, int x, int y, COLORREF color) {
    PenScope pen(dc, color);
    for (int i = 0; i <= 4; ++i) {
        pen.Line(x + 1 + i, y + 6 - i, x + 9 - i, y + 6 - i);
    }
}

void DrawTrayGlyph(HDC dc, int x, int y, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    const RECT r{x + 2, y + 2, x + 7, y + 7};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

} // namespace qv
