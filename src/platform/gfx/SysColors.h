#pragma once
// System colours: the fixed colour table of the classic Windows look (Windows 2000 "Windows
// Classic" scheme) and the resolution of colour values that name one of its entries.
//
// A COLORREF whose high byte is FFh names a system colour by the COLOR_ index in its low byte;
// the skin text writes them as -16777216 + index. Drawing functions resolve such values through
// ResolveColor, so every caller may pass either kind.

#include "platform/gfx/Bitmap.h"

constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_DESKTOP = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_BTNHILIGHT = 20;
constexpr int COLOR_3DHIGHLIGHT = 20;
constexpr int COLOR_3DHILIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;
constexpr int COLOR_COUNT = 31;

// The value that names system colour `index` (what the skin text stores as -16777216 + index).
constexpr COLORREF SysColorValue(int index) { return 0xFF000000u | COLORREF(index & 0xFF); }
constexpr bool IsSysColorValue(COLORREF c) { return (c >> 24) == 0xFF; }

constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;
constexpr COLORREF CLR_NONE = 0xFFFFFFFFu;
constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

// The colour of system colour `index`; 0 for an index outside the table.
DWORD GetSysColor(int index);

namespace gfx {

// A plain RGB colour for any colour value: system colours are looked up, the palette-index and
// palette-relative forms (high byte 01h, 02h) are reduced to their RGB bytes.
COLORREF ResolveColor(COLORREF c);
inline Pixel ResolvePixel(COLORREF c) { return ColorToPixel(ResolveColor(c)); }

} // namespace gfx
