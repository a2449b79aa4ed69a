#include "platform/gfx/StockObjects.h"

#include "platform/gfx/PenBrush.h"

#include <memory>

namespace {

struct Stock {
    gfx::GdiBrush white{BS_SOLID, RGB(255, 255, 255), true};
    gfx::GdiBrush ltgray{BS_SOLID, RGB(192, 192, 192), true};
    gfx::GdiBrush gray{BS_SOLID, RGB(128, 128, 128), true};
    gfx::GdiBrush dkgray{BS_SOLID, RGB(64, 64, 64), true};
    gfx::GdiBrush black{BS_SOLID, RGB(0, 0, 0), true};
    gfx::GdiBrush null{BS_NULL, 0, true};
    gfx::GdiPen whitePen{PS_SOLID, 1, RGB(255, 255, 255), true};
    gfx::GdiPen blackPen{PS_SOLID, 1, RGB(0, 0, 0), true};
    gfx::GdiPen nullPen{PS_NULL, 1, 0, true};
};

} // namespace

namespace gfx {
// Defined with the fonts: the stock font objects.
HGDIOBJ StockFont(int index);
} // namespace gfx

HGDIOBJ GetStockObject(int index) {
    // Built once and never changed afterwards.
    static Stock* const stock = new Stock;
    switch (index) {
    case WHITE_BRUSH: return &stock->white;
    case LTGRAY_BRUSH: return &stock->ltgray;
    case GRAY_BRUSH: return &stock->gray;
    case DKGRAY_BRUSH: return &stock->dkgray;
    case BLACK_BRUSH: return &stock->black;
    case NULL_BRUSH: return &stock->null;
    case WHITE_PEN: return &stock->whitePen;
    case BLACK_PEN: return &stock->blackPen;
    case NULL_PEN: return &stock->nullPen;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT: return gfx::StockFont(index);
    default: return nullptr;
    }
}
