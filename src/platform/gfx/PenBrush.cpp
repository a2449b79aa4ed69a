#include "platform/gfx/PenBrush.h"

#include <array>
#include <memory>

HPEN CreatePen(int style, int width, COLORREF color) { return new gfx::GdiPen(style, width, color); }

HBRUSH CreateSolidBrush(COLORREF color) { return new gfx::GdiBrush(BS_SOLID, color); }

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
    if (lb == nullptr || (lb->lbStyle != BS_SOLID && lb->lbStyle != BS_NULL)) {
        return nullptr;
    }
    return new gfx::GdiBrush(lb->lbStyle, lb->lbColor);
}

HBRUSH GetSysColorBrush(int index) {
    // Immutable once built: stock brushes are never changed or freed.
    static const auto brushes = [] {
        std::array<std::unique_ptr<gfx::GdiBrush>, COLOR_COUNT> b;
        for (int i = 0; i < COLOR_COUNT; ++i) {
            b[std::size_t(i)] = std::make_unique<gfx::GdiBrush>(BS_SOLID, SysColorValue(i), true);
        }
        return b;
    }();
    if (index < 0 || index >= COLOR_COUNT) {
        return nullptr;
    }
    return brushes[std::size_t(index)].get();
}

namespace gfx {

HBRUSH ResolveBrush(HBRUSH brush) {
    auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value >= 1 && value <= std::uintptr_t(COLOR_COUNT)) {
        return GetSysColorBrush(int(value) - 1);
    }
    return brush;
}

} // namespace gfx
