#pragma once
// The small pictograms of the skin, each drawn centred in a cell with anti-aliased strokes.

#include "Paint.h"

namespace skingen {

struct Cell {
    int x, y, w, h;
    double cx() const { return x + w / 2.0; }
    double cy() const { return y + h / 2.0; }
};

enum class Arrow { Left, Right, Up, Down };

void GlyphClose(Painter& p, const Cell& c, Pixel colour);
void GlyphMaximize(Painter& p, const Cell& c, Pixel colour);
void GlyphRestore(Painter& p, const Cell& c, Pixel colour, Pixel back);
void GlyphMinimize(Painter& p, const Cell& c, Pixel colour);
void GlyphRollUp(Painter& p, const Cell& c, Pixel colour);   // chevron up
void GlyphRollDown(Painter& p, const Cell& c, Pixel colour); // chevron down
void GlyphTray(Painter& p, const Cell& c, Pixel colour);
void GlyphSysMenu(Painter& p, const Cell& c, Pixel accent); // the program's little icon
void GlyphArrow(Painter& p, const Cell& c, Arrow dir, Pixel colour, double size = 4);
void GlyphChevron(Painter& p, const Cell& c, Arrow dir, Pixel colour, double size = 3);
void GlyphCheck(Painter& p, const Cell& c, Pixel colour);
void GlyphDot(Painter& p, const Cell& c, Pixel colour);
void GlyphPlusMinus(Painter& p, const Cell& c, bool plus, Pixel line, Pixel back, Pixel sign);
void GlyphGrip(Painter& p, const Cell& c, bool vertical, Pixel colour);

} // namespace skingen
