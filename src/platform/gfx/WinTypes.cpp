#include "platform/gfx/WinTypes.h"

#include <algorithm>

RECT IntersectRect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (IsRectEmpty(r)) {
        return RECT{};
    }
    return r;
}

RECT UnionRect(const RECT& a, const RECT& b) {
    if (IsRectEmpty(a)) {
        return IsRectEmpty(b) ? RECT{} : b;
    }
    if (IsRectEmpty(b)) {
        return a;
    }
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

RECT OffsetRect(const RECT& r, LONG dx, LONG dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

RECT InflateRect(const RECT& r, LONG dx, LONG dy) {
    return RECT{r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}
