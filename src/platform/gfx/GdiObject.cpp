#include "platform/gfx/GdiObject.h"

namespace gfx {

void GdiObject::ReleaseUse() {
    if (uses_ > 0 && --uses_ == 0 && deletePending_) {
        delete this;
    }
}

void GdiObject::RequestDelete() {
    if (stock_) {
        return;
    }
    if (uses_ == 0) {
        delete this;
        return;
    }
    deletePending_ = true;
}

} // namespace gfx

BOOL DeleteObject(HGDIOBJ object) {
    if (object == nullptr) {
        return FALSE;
    }
    object->RequestDelete();
    return TRUE;
}
