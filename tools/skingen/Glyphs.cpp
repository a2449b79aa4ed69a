#include "Glyphs.h"

#include <cmath>

namespace skingen {

namespace {
// Strokes of 1.2 px read as crisp one-pixel lines while the diagonals stay smooth.
constexpr double kStroke = 1.25;

void Chevron(Painter& p, double cx, double cy, Arrow dir, double s, Pixel colour) {
    switch (dir) {
    case Arrow::Up:
        p.Line(cx - s, cy + s / 2, cx, cy - s / 2, kStroke, colour);
        p.Line(cx, cy - s / 2, cx + s, cy + s / 2, kStroke, colour);
        break;
    case Arrow::Down:
        p.Line(cx - s, cy - s / 2, cx, cy + s / 2, kStroke, colour);
        p.Line(cx, cy + s / 2, cx + s, cy - s / 2, kStroke, colour);
        break;
    case Arrow::Left:
        p.Line(cx + s / 2, cy - s, cx - s / 2, cy, kStroke, colour);
        p.Line(cx - s / 2, cy, cx + s / 2, cy + s, kStroke, colour);
        break;
    case Arrow::Right:
        p.Line(cx - s / 2, cy - s, cx + s / 2, cy, kStroke, colour);
        p.Line(cx + s / 2, cy, cx - s / 2, cy + s, kStroke, colour);
        break;
    }
}
} // namespace

void GlyphClose(Painter& p, const Cell& c, Pixel colour) {
    double s = 4.0;
    p.Line(c.cx() - s, c.cy() - s, c.cx() + s, c.cy() + s, kStroke, colour);
    p.Line(c.cx() - s, c.cy() + s, c.cx() + s, c.cy() - s, kStroke, colour);
}

void GlyphMaximize(Painter& p, const Cell& c, Pixel colour) {
    int l = int(c.cx()) - 5, t = int(c.cy()) - 5;
    p.StrokeRoundRect({double(l), double(t), l + 10.0, t + 10.0}, 1.5, colour);
}

void GlyphRestore(Painter& p, const Cell& c, Pixel colour, Pixel back) {
    int l = int(c.cx()) - 5, t = int(c.cy()) - 5;
    p.StrokeRoundRect({l + 2.0, double(t), l + 10.0, t + 8.0}, 1.5, colour);
    p.FillRoundRect({double(l), t + 2.0, l + 8.0, t + 10.0}, 1.5, back);
    p.StrokeRoundRect({double(l), t + 2.0, l + 8.0, t + 10.0}, 1.5, colour);
}

void GlyphMinimize(Painter& p, const Cell& c, Pixel colour) {
    int l = int(c.cx()) - 5, y = int(c.cy());
    p.FillRect(l, y, l + 10, y + 1, colour);
}

void GlyphRollUp(Painter& p, const Cell& c, Pixel colour) {
    Chevron(p, c.cx(), c.cy(), Arrow::Up, 4, colour);
}

void GlyphRollDown(Painter& p, const Cell& c, Pixel colour) {
    Chevron(p, c.cx(), c.cy(), Arrow::Down, 4, colour);
}

void GlyphTray(Painter& p, const Cell& c, Pixel colour) {
    int l = int(c.cx()) - 5, t = int(c.cy()) - 5;
    p.FillRect(l, t + 9, l + 10, t + 10, colour);
    p.Line(c.cx(), t + 0.5, c.cx(), t + 6.5, kStroke, colour);
    Chevron(p, c.cx(), t + 5.0, Arrow::Down, 3, colour);
}

void GlyphSysMenu(Painter& p, const Cell& c, Pixel accent) {
    // A small report sheet: the tool counts lines of logs.
    Box sheet{c.x + 1.0, c.y + 0.0, c.x + c.w - 1.0, c.y + double(c.h)};
    p.FillRoundRect(sheet, 2.0, accent);
    for (int i = 0; i < 3; ++i) {
        int y = c.y + 3 + i * 3;
        p.FillRect(c.x + 4, y, c.x + c.w - 4 - (i == 2 ? 3 : 0), y + 1, Rgb(0xFF, 0xFF, 0xFF));
    }
}

void GlyphArrow(Painter& p, const Cell& c, Arrow dir, Pixel colour, double s) {
    double x = c.cx(), y = c.cy();
    switch (dir) {
    case Arrow::Up: p.Triangle(x - s, y + s / 2, x + s, y + s / 2, x, y - s / 2, colour); break;
    case Arrow::Down: p.Triangle(x - s, y - s / 2, x + s, y - s / 2, x, y + s / 2, colour); break;
    case Arrow::Left: p.Triangle(x + s / 2, y - s, x + s / 2, y + s, x - s / 2, y, colour); break;
    case Arrow::Right: p.Triangle(x - s / 2, y - s, x - s / 2, y + s, x + s / 2, y, colour); break;
    }
}

void GlyphChevron(Painter& p, const Cell& c, Arrow dir, Pixel colour, double size) {
    Chevron(p, c.cx(), c.cy(), dir, size, colour);
}

void GlyphCheck(Painter& p, const Cell& c, Pixel colour) {
    double x = c.cx(), y = c.cy();
    p.Line(x - 3.5, y, x - 1, y + 2.5, 1.6, colour);
    p.Line(x - 1, y + 2.5, x + 3.5, y - 3, 1.6, colour);
}

void GlyphDot(Painter& p, const Cell& c, Pixel colour) { p.FillCircle(c.cx(), c.cy(), 2.5, colour); }

void GlyphPlusMinus(Painter& p, const Cell& c, bool plus, Pixel line, Pixel back, Pixel sign) {
    Box b{double(c.x), double(c.y), double(c.x + c.w), double(c.y + c.h)};
    p.FillRoundRect(b, 1.5, back);
    p.StrokeRoundRect(b, 1.5, line);
    int cx = c.x + c.w / 2, cy = c.y + c.h / 2;
    p.FillRect(cx - 2, cy, cx + 3, cy + 1, sign);
    if (plus) {
        p.FillRect(cx, cy - 2, cx + 1, cy + 3, sign);
    }
}

void GlyphGrip(Painter& p, const Cell& c, bool vertical, Pixel colour) {
    // Three short ridges across the thumb.
    for (int i = -1; i <= 1; ++i) {
        if (vertical) {
            int y = int(c.cy()) + 2 * i;
            p.FillRect(int(c.cx()) - 3, y, int(c.cx()) + 3, y + 1, colour);
        } else {
            int x = int(c.cx()) + 2 * i;
            p.FillRect(x, int(c.cy()) - 3, x + 1, int(c.cy()) + 3, colour);
        }
    }
}

} // namespace skingen
