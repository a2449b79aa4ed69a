#include "platform/gfx/GdiObject.h"

#include "platform/gfx/Font.h"
#include "platform/gfx/GdiBitmap.h"
#include "platform/gfx/PenBrush.h"

#include <cassert>
#include <cstring>

namespace gfx {

void GdiObject::ReleaseUse() {
    if (uses_ > 0 && --uses_ == 0 && deletePending_) {
        delete this;
    }
}

bool GdiObject::RequestDelete() {
    if (stock_) {
        return true;
    }
    // Deleting what the window system owns would leave the window with a freed region: the
    // caller's fault, caught here rather than as a use after free somewhere later.
    assert(!systemOwned_ && "DeleteObject of a region given to SetWindowRgn: the window owns it");
    if (systemOwned_) {
        return false;
    }
    if (uses_ == 0) {
        delete this;
        return true;
    }
    deletePending_ = true;
    return true;
}

} // namespace gfx

BOOL DeleteObject(HGDIOBJ object) {
    if (object == nullptr) {
        return FALSE;
    }
    return object->RequestDelete() ? TRUE : FALSE;
}

namespace {

template <typename T>
int Describe(const T& value, int size, void* out) {
    if (out == nullptr) {
        return int(sizeof(T));
    }
    if (size < int(sizeof(T))) {
        return 0;
    }
    std::memcpy(out, &value, sizeof(T));
    return int(sizeof(T));
}

} // namespace

int GetObject(HGDIOBJ object, int size, void* out) {
    if (object == nullptr) {
        return 0;
    }
    switch (object->Kind()) {
    case gfx::ObjectKind::Bitmap: {
        auto* b = static_cast<HBITMAP>(object);
        BITMAP bm;
        bm.bmWidth = b->Pixels().Width();
        bm.bmHeight = b->Pixels().Height();
        bm.bmWidthBytes = bm.bmWidth * 4;
        bm.bmBits = b->Pixels().Data();
        return Describe(bm, size, out);
    }
    case gfx::ObjectKind::Font: return Describe(static_cast<HFONT>(object)->logFont, size, out);
    case gfx::ObjectKind::Pen: {
        auto* p = static_cast<HPEN>(object);
        LOGPEN lp;
        lp.lopnStyle = UINT(p->style);
        lp.lopnWidth = POINT{p->width, 0};
        lp.lopnColor = p->color;
        return Describe(lp, size, out);
    }
    case gfx::ObjectKind::Brush: {
        auto* b = static_cast<HBRUSH>(object);
        LOGBRUSH lb;
        lb.lbStyle = b->style;
        lb.lbColor = b->color;
        return Describe(lb, size, out);
    }
    default: return 0;
    }
}
