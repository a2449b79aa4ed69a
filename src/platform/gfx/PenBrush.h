#pragma once
// Pens and brushes: HPEN and HBRUSH handles with the Windows creation functions. Colours may be
// system colour values; they are resolved when drawing, so a pen made from COLOR_BTNFACE draws
// the table's button face.

#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;
constexpr int PS_ALTERNATE = 8;
constexpr int PS_STYLE_MASK = 0x0F;

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = 1;

namespace gfx {

class GdiPen : public GdiObject {
public:
    GdiPen(int style, int width, COLORREF color, bool stock = false)
        : GdiObject(ObjectKind::Pen, stock), style(style & PS_STYLE_MASK), width(width < 1 ? 1 : width),
          color(color) {}
    int style;
    int width; // at least 1
    COLORREF color;
};

class GdiBrush : public GdiObject {
public:
    GdiBrush(UINT style, COLORREF color, bool stock = false)
        : GdiObject(ObjectKind::Brush, stock), style(style), color(color) {}
    UINT style;
    COLORREF color;
    bool IsNull() const { return style == BS_NULL; }
};

} // namespace gfx

using HPEN = gfx::GdiPen*;
using HBRUSH = gfx::GdiBrush*;

struct LOGPEN {
    UINT lopnStyle = PS_SOLID;
    POINT lopnWidth{1, 0};
    COLORREF lopnColor = 0;
};

struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    std::uintptr_t lbHatch = 0;
};

HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* lb); // BS_SOLID and BS_NULL
// The shared brush of a system colour; it is a stock object (DeleteObject ignores it).
HBRUSH GetSysColorBrush(int index);

namespace gfx {

// FillRect and friends accept (HBRUSH)(COLOR_xxx + 1) in place of a brush, as on Windows.
// Returns the brush to use for such a value (or the brush itself).
HBRUSH ResolveBrush(HBRUSH brush);

} // namespace gfx
