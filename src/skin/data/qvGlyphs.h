#pragma once
// Glyphs on device contexts: the placing of a glyph and a caption on a button face, glyph
// strips (several equal frames side by side, transparent where they have the colour of their
// bottom-left pixel), and the small built-in glyphs drawn with a one-pixel pen when a skin has no
// picture for them (drop and direction arrows, check mark, caption-button symbols).
//
// Lines follow the platform's rule: a line from (x0, y) to (x1, y) covers x0 .. x1 - 1.

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DCApi.h"

namespace qv {

// Where a glyph of gw x gh and a text of tw x th go in rc. Layout 0 puts the glyph left of the
// text, 1 right, 2 above, 3 below; margin is the glyph's distance to its edge, -1 centres glyph
// and text together; spacing is the gap between them (0 when there is no glyph). Returns false,
// leaving glyph and text as they were, for any other layout.
bool LayoutGlyphAndText(int layout, const RECT& rc, int gw, int gh, int tw, int th, int margin, int spacing,
                        POINT& glyph, POINT& text);

// Draws frame k (1-based) of the n frames of strip at (x, y), transparent where the frame has the
// colour of its bottom-left pixel. An empty strip, or k outside 1 .. n, draws nothing.
void DrawStripGlyph(HDC dc, int x, int y, int k, int n, const gfx::Bitmap& strip);

// The 5-3-1 downward triangle centred in rc.
void DrawDropArrow(HDC dc, const RECT& rc, COLORREF color);
// A 7-pixel arrow centred in rc pointing left (1), right (2), up (3) or down (4); other kinds draw
// nothing.
void DrawDirectionArrow(HDC dc, const RECT& rc, int kind, COLORREF color);
// A check mark three pixels thick with its top-left corner at (x, y).
void DrawCheckMark(HDC dc, int x, int y, COLORREF color);

// Caption-button symbols with their top-left corner at (x, y), for buttons without a picture.
void DrawCloseGlyph(HDC dc, int x, int y, COLORREF color);
void DrawSysMenuGlyph(HDC dc, int x, int y, COLORREF color);
void DrawMinGlyph(HDC dc, int x, int y, COLORREF color);
void DrawMaxGlyph(HDC dc, int x, int y, COLORREF color);
void DrawRestoreGlyph(HDC dc, int x, int y, COLORREF color);
void DrawRollDownGlyph(HDC dc, int x, int y, COLORREF color);
void DrawRollUpGlyph(HDC dc, int x, int y, COLORREF color);
void DrawTrayGlyph(HDC dc, int x, int y, COLORREF color);

} // namespace qv
