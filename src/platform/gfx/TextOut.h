#pragma once
// Text output and measurement on a DC with the selected font (the system font by default).
// Strings are UTF-8 and counts are in bytes, as the "A" functions of Windows count them in the
// system code page; per-character values (dx arrays, partial extents) are per code point.

#include "platform/gfx/DC.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/FontEngine.h"

#include <span>
#include <string_view>

constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

namespace gfx {

// The font drawing on dc: the selected one, or the stock system font.
FontInstance& CurrentFont(DC& dc);
// The width of a run of code points: the sum of their advances.
int RunWidth(FontInstance& font, std::span<const char32_t> text);
std::vector<char32_t> CodePoints(std::string_view utf8);

struct TextRunStyle {
    bool underline = false; // in addition to the font's own underline
    int underlineFrom = -1; // underline only this code point index (prefix underline); -1: none
};

// Draws text with the top-left of its cell at logical (x, y) in the DC's text colour, clipped
// to the DC clip and, when given, to clipLogical. No background. dx: advances per code point.
// Returns the width of the run.
int DrawTextRun(DC& dc, FontInstance& font, int x, int y, std::span<const char32_t> text, const int* dx,
                const RECT* clipLogical, TextRunStyle style = {});

} // namespace gfx

UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
BOOL TextOut(HDC dc, int x, int y, const char* text, int count);
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                const INT* dx);
BOOL GetTextExtentPoint32(HDC dc, const char* text, int count, SIZE* size);
// fit (optional) receives how many code points fit in maxExtent; partial (optional, one entry
// per code point) the extent up to and including each code point.
BOOL GetTextExtentExPoint(HDC dc, const char* text, int count, int maxExtent, INT* fit, INT* partial,
                          SIZE* size);
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* tm);
// Text with tabs expanded to tab stops measured from tabOrigin: with no stops every tab goes to
// the next multiple of 8 average character widths, with one stop to the next multiple of it,
// with several to the next stop right of the pen (past the last one, a tab ends the segment where
// the text already is). Draws like TextOut at (x, y) and ignores text alignment; an opaque
// background fills up to each reached tab stop. Returns MAKELONG(width, height); 0 on failure.
LONG TabbedTextOut(HDC dc, int x, int y, const char* text, int count, int tabCount, const INT* tabStops,
                   int tabOrigin);
// The width and height TabbedTextOut would draw, as MAKELONG(width, height); 0 on failure.
DWORD GetTabbedTextExtent(HDC dc, const char* text, int count, int tabCount, const INT* tabStops);
// The face name of the selected font as it was asked for; returns its length in bytes.
int GetTextFace(HDC dc, int size, char* out);
