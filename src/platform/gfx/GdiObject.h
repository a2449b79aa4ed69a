#pragma once
// The handle-based objects of the graphics interface (pens, brushes, fonts, bitmaps, regions).
//
// A handle is a pointer to a GdiObject. The caller that created an object owns it and frees it
// with DeleteObject. An object may be deleted while a device context still has it selected:
// the object then lives until the last context lets go of it, so a context never holds a
// dangling object. Stock objects are never freed.

#include "platform/gfx/WinTypes.h"

namespace gfx {

enum class ObjectKind { Pen, Brush, Font, Bitmap, Region };

class GdiObject {
public:
    explicit GdiObject(ObjectKind kind, bool stock = false) : kind_(kind), stock_(stock) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    virtual ~GdiObject() = default;

    ObjectKind Kind() const { return kind_; }
    bool IsStock() const { return stock_; }
    bool IsSelected() const { return uses_ > 0; }

    // Device contexts call these when they select and deselect the object (SaveDC counts too).
    void AddUse() { ++uses_; }
    void ReleaseUse();
    // DeleteObject: frees now, or once the last use ends. Stock objects ignore it; an object
    // the window system owns refuses it (false) and stops a debug build.
    bool RequestDelete();

    // A region given to SetWindowRgn belongs to the window system from then on: its creator
    // may no longer delete it. The window system hands it back before freeing it.
    void SetSystemOwned(bool owned) { systemOwned_ = owned; }
    bool IsSystemOwned() const { return systemOwned_; }

private:
    ObjectKind kind_;
    bool stock_;
    bool systemOwned_ = false;
    bool deletePending_ = false;
    int uses_ = 0;
};

} // namespace gfx

using HGDIOBJ = gfx::GdiObject*;

// Frees an object made by one of the Create functions; FALSE for a null handle and for a region
// the window system owns (one given to SetWindowRgn), which a debug build reports as a fault.
BOOL DeleteObject(HGDIOBJ object);

// Describes an object: a BITMAP, LOGFONT, LOGPEN or LOGBRUSH by its kind.
// With out null, returns the size needed; otherwise the bytes written (0 when size is short).
int GetObject(HGDIOBJ object, int size, void* out);
