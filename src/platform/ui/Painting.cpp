// The paint cycle: update regions, WM_NCPAINT / WM_ERASEBKGND / WM_PAINT, window and client
// DCs over the top-level window's backing bitmap, window regions, opacity and presenting.
#include "platform/ui/WindowSystem.h"

#include <algorithm>
#include <optional>

using ui::WS;
using ui::Window;

namespace ui {

namespace {
RECT ClientBox(HWND w) { return RECT{0, 0, RectWidth(w->client), RectHeight(w->client)}; }
bool HasFrame(HWND w) {
    return w->client.left != 0 || w->client.top != 0 || w->client.right != w->Width() ||
           w->client.bottom != w->Height();
}
bool Propagates(HWND w, UINT flags) {
    if (flags & RDW_ALLCHILDREN) {
        return true;
    }
    return !(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN);
}
} // namespace

void WindowSystem::Invalidate(HWND hwnd, const gfx::Region* rgn, UINT flags) {
    if (!IsLive(hwnd)) {
        return;
    }
    gfx::Region r = rgn ? rgn->Intersect(ClientBox(hwnd)) : gfx::Region(ClientBox(hwnd));
    if (flags & RDW_INVALIDATE) {
        hwnd->update = hwnd->update.Union(r);
        if ((flags & RDW_ERASE) && !r.Empty()) {
            hwnd->erasePending = true;
        }
        if (flags & RDW_FRAME) {
            hwnd->framePending = true;
        }
    }
    if (flags & RDW_INTERNALPAINT) {
        hwnd->internalPaint = true;
    }
    if (!Propagates(hwnd, flags)) {
        return;
    }
    for (HWND c : hwnd->children) {
        if (c->dead) {
            continue;
        }
        if (!rgn) {
            Invalidate(c, nullptr, flags | RDW_FRAME);
            continue;
        }
        if (!r.Intersects(c->rect)) {
            continue;
        }
        gfx::Region cr = r;
        cr.Offset(-(c->rect.left + c->client.left), -(c->rect.top + c->client.top));
        if (HasFrame(c) && (flags & RDW_INVALIDATE)) {
            c->framePending = true;
        }
        Invalidate(c, &cr, flags & ~RDW_FRAME);
    }
}

void WindowSystem::Validate(HWND hwnd, const gfx::Region* rgn, UINT flags) {
    if (!IsLive(hwnd)) {
        return;
    }
    if (rgn) {
        hwnd->update = hwnd->update.Subtract(*rgn);
    } else {
        hwnd->update = gfx::Region();
        hwnd->internalPaint = false;
    }
    if (hwnd->update.Empty()) {
        hwnd->erasePending = false;
    }
    if (flags & RDW_NOFRAME) {
        hwnd->framePending = false;
    }
    if (flags & RDW_NOINTERNALPAINT) {
        hwnd->internalPaint = false;
    }
    if (flags & RDW_NOERASE) {
        hwnd->erasePending = false;
    }
    if (!(flags & RDW_ALLCHILDREN)) {
        return;
    }
    for (HWND c : hwnd->children) {
        if (!rgn) {
            Validate(c, nullptr, flags);
            continue;
        }
        gfx::Region cr = *rgn;
        cr.Offset(-(c->rect.left + c->client.left), -(c->rect.top + c->client.top));
        Validate(c, &cr, flags);
    }
}

void WindowSystem::InvalidateFrame(HWND hwnd) {
    if (IsLive(hwnd)) {
        hwnd->framePending = true;
    }
}

void WindowSystem::PaintNow(HWND hwnd, UINT rdw) {
    if (!IsLive(hwnd) || !ReallyVisible(hwnd)) {
        return;
    }
    if (hwnd->framePending) {
        hwnd->framePending = false;
        Send(hwnd, WM_NCPAINT, 1, 0);
    }
    if (!IsLive(hwnd)) {
        return;
    }
    if (rdw & RDW_ERASENOW) {
        if (hwnd->erasePending) {
            hwnd->erasePending = false;
            HDC dc = MakeDC(hwnd, DCX_INTERSECTRGN, &hwnd->update);
            Send(hwnd, WM_ERASEBKGND, WPARAM(reinterpret_cast<std::uintptr_t>(dc)), 0);
            FreeDC(dc);
        }
    } else if (!hwnd->update.Empty() || hwnd->internalPaint) {
        Send(hwnd, WM_PAINT, 0, 0);
    }
    if ((rdw & RDW_NOCHILDREN) || !IsLive(hwnd)) {
        return;
    }
    std::vector<HWND> kids = hwnd->children;
    // Bottom-most first, so that overlapping children end up in z-order.
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        PaintNow(*it, rdw);
    }
}

namespace {
HWND FindIn(const WindowSystem& ws, HWND w) {
    if (!w->Visible() || w->dead) {
        return nullptr;
    }
    if (w->framePending || !w->update.Empty() || w->internalPaint) {
        return w;
    }
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        if (HWND f = FindIn(ws, *it)) {
            return f;
        }
    }
    return nullptr;
}
} // namespace

HWND WindowSystem::FindPaintWindow(HWND filter) {
    if (filter) {
        return IsLive(filter) && ReallyVisible(filter) ? FindIn(*this, filter) : nullptr;
    }
    for (HWND t : tops_) {
        if (t->style & WS_MINIMIZE) {
            continue;
        }
        if (HWND f = FindIn(*this, t)) {
            return f;
        }
    }
    return nullptr;
}

HDC WindowSystem::MakeDC(HWND hwnd, DWORD dcx, const gfx::Region* clip) {
    const bool windowDC = (dcx & DCX_WINDOW) != 0;
    HWND top = TopLevel(hwnd);
    // A DC on a hidden window draws nothing (its visible region is empty) and is mostly asked
    // for to measure text: only a shown window's backing store has to fit.
    if (top->Visible()) {
        ResizeBacking(top);
    }
    auto dc = std::make_unique<gfx::DC>(&top->backing);
    POINT o = OriginInTop(hwnd);
    if (!windowDC) {
        o.x += hwnd->client.left;
        o.y += hwnd->client.top;
    }
    dc->SetDeviceOrigin(o);
    gfx::Region vis = VisibleRegion(hwnd, !windowDC, (hwnd->style & WS_CLIPCHILDREN) != 0,
                                    (hwnd->style & WS_CLIPSIBLINGS) != 0);
    if (clip && (dcx & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        gfx::Region e = *clip;
        e.Offset(o.x, o.y);
        vis = (dcx & DCX_INTERSECTRGN) ? vis.Intersect(e) : vis.Subtract(e);
    }
    dc->SetSystemClip(vis);
    HDC h = dc.get();
    dcs_[h] = WindowDC{std::move(dc), hwnd, top};
    return h;
}

bool WindowSystem::FreeDC(HDC dc) {
    auto it = dcs_.find(dc);
    if (it == dcs_.end()) {
        return false;
    }
    if (IsLive(it->second.top) && it->second.dc->SystemClip()) {
        MarkDirty(it->second.top, it->second.dc->SystemClip()->Bounds());
    }
    dcs_.erase(it);
    return true;
}

HWND WindowSystem::DCWindow(HDC dc) const {
    auto it = dcs_.find(dc);
    return it == dcs_.end() ? nullptr : it->second.hwnd;
}

void WindowSystem::MarkDirty(HWND top, const RECT& r) {
    if (IsRectEmpty(r)) {
        return;
    }
    top->dirty = IsRectEmpty(top->dirty) ? r : UnionRect(top->dirty, r);
}

void WindowSystem::PresentAll() {
    for (HWND t : tops_) {
        if (t->native && t->nativeShown && !IsRectEmpty(t->dirty)) {
            ResizeBacking(t);
            RECT d = IntersectRect(t->dirty, RECT{0, 0, t->backing.Width(), t->backing.Height()});
            t->dirty = RECT{};
            if (!IsRectEmpty(d)) {
                backend_->Present(t->native, t->backing, d);
            }
        }
    }
}

void FreeWindowRegion(HWND hwnd) {
    if (HRGN rgn = hwnd->regionHandle) {
        hwnd->regionHandle = nullptr;
        rgn->SetSystemOwned(false);
        DeleteObject(rgn);
    }
}

void WindowSystem::ExposeAll(HWND top) {
    if (IsLive(top)) {
        MarkDirty(top, RECT{0, 0, top->Width(), top->Height()});
    }
}

} // namespace ui

namespace {
const gfx::Region* RegionOf(HRGN rgn) { return rgn ? &rgn->region : nullptr; }

std::optional<gfx::Region> AreaOf(const RECT* rect, HRGN rgn) {
    if (rgn) {
        return *RegionOf(rgn);
    }
    if (rect) {
        return gfx::Region(*rect);
    }
    return std::nullopt;
}

// Would invalidating rect / rgn (or the whole client area) of w with these flags change nothing?
// Controls invalidate on every change of their state, often many times between two paints, so
// this is answered from the update region's bounds without building a region.
bool AlreadyInvalid(HWND w, const RECT* rect, HRGN rgn, UINT flags) {
    if (w->update.Empty() || !w->update.IsSimple()) {
        return false;
    }
    if (((flags & RDW_ERASE) && !w->erasePending) || ((flags & RDW_FRAME) && !w->framePending) ||
        ((flags & RDW_INTERNALPAINT) && !w->internalPaint)) {
        return false;
    }
    if (ui::Propagates(w, flags) && !w->children.empty()) {
        return false; // the children have update regions of their own
    }
    RECT area = ui::ClientBox(w);
    if (rgn) {
        area = IntersectRect(area, rgn->region.Bounds());
    } else if (rect) {
        area = IntersectRect(area, *rect);
    }
    const RECT have = w->update.Bounds();
    return IsRectEmpty(area) || (area.left >= have.left && area.top >= have.top && area.right <= have.right &&
                                 area.bottom <= have.bottom);
}
} // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
    return RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hwnd, HRGN rgn) {
    return RedrawWindow(hwnd, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags) {
    auto& ws = WS();
    if (!hwnd) {
        std::vector<HWND> tops = ws.tops_;
        for (HWND t : tops) {
            RedrawWindow(t, rect, rgn, flags);
        }
        return TRUE;
    }
    if (!ws.IsLive(hwnd)) {
        return FALSE;
    }
    if (flags & RDW_INVALIDATE) {
        if (!AlreadyInvalid(hwnd, rect, rgn, flags)) {
            std::optional<gfx::Region> area = AreaOf(rect, rgn);
            ws.Invalidate(hwnd, area ? &*area : nullptr, flags & ~RDW_VALIDATE);
        }
    } else if (flags & RDW_VALIDATE) {
        std::optional<gfx::Region> area = AreaOf(rect, rgn);
        ws.Validate(hwnd, area ? &*area : nullptr, flags);
    } else if (flags & RDW_INTERNALPAINT) {
        hwnd->internalPaint = true;
    }
    if (flags & RDW_UPDATENOW) {
        ws.PaintNow(hwnd, RDW_UPDATENOW | (flags & RDW_NOCHILDREN));
        ws.PresentAll();
    } else if (flags & RDW_ERASENOW) {
        ws.PaintNow(hwnd, RDW_ERASENOW | (flags & RDW_NOCHILDREN));
    }
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    auto& ws = WS();
    if (!ws.IsLive(hwnd)) {
        return FALSE;
    }
    ws.PaintNow(hwnd, RDW_UPDATENOW);
    ws.PresentAll();
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
    Window* w = WS().Get(hwnd);
    if (!w) {
        return FALSE;
    }
    if (rect) {
        *rect = w->update.Bounds();
    }
    if (erase && w->erasePending && !w->update.Empty()) {
        ui::WS().PaintNow(hwnd, RDW_ERASENOW | RDW_NOCHILDREN);
    }
    return w->update.Empty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
    Window* w = WS().Get(hwnd);
    if (!w || !rgn) {
        return ERROR;
    }
    rgn->region = w->update;
    if (erase && w->erasePending) {
        WS().PaintNow(hwnd, RDW_ERASENOW | RDW_NOCHILDREN);
    }
    return RegionComplexity(rgn->region);
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w || !ps) {
        return nullptr;
    }
    HideCaret(hwnd);
    if (w->framePending) {
        w->framePending = false;
        ws.Send(hwnd, WM_NCPAINT, 1, 0);
        if (!ws.IsLive(hwnd)) {
            return nullptr;
        }
    }
    gfx::Region update = w->update;
    bool erase = w->erasePending;
    w->update = gfx::Region();
    w->erasePending = false;
    w->internalPaint = false;
    HDC dc = ws.MakeDC(hwnd, DCX_INTERSECTRGN, &update);
    *ps = PAINTSTRUCT{};
    ps->hdc = dc;
    ps->rcPaint = IntersectRect(update.Bounds(), RECT{0, 0, RectWidth(w->client), RectHeight(w->client)});
    ps->fErase = FALSE;
    if (erase) {
        LRESULT erased = ws.Send(hwnd, WM_ERASEBKGND, WPARAM(reinterpret_cast<std::uintptr_t>(dc)), 0);
        ps->fErase = erased ? FALSE : TRUE;
    }
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (!ps) {
        return FALSE;
    }
    WS().FreeDC(ps->hdc);
    ShowCaret(hwnd);
    return TRUE;
}

HDC GetDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, 0); }

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!hwnd) {
        // The screen DC: callers use it to measure text and to make compatible bitmaps, so a
        // memory DC serves them; drawing on the desktop itself is not offered.
        auto dc = std::make_unique<gfx::DC>();
        HDC h = dc.get();
        ws.dcs_[h] = ui::WindowDC{std::move(dc), nullptr, nullptr};
        return h;
    }
    if (!w) {
        return nullptr;
    }
    const gfx::Region* extra = clip ? &clip->region : nullptr;
    DWORD dcx = flags & (DCX_WINDOW | DCX_INTERSECTRGN | DCX_EXCLUDERGN);
    gfx::Region update;
    if (flags & DCX_INTERSECTUPDATE) {
        update = w->update;
        extra = &update;
        dcx = (dcx & ~DCX_EXCLUDERGN) | DCX_INTERSECTRGN;
    }
    HDC dc = ws.MakeDC(hwnd, dcx, extra);
    if (flags & DCX_VALIDATE) {
        ws.Validate(hwnd, nullptr, 0);
    }
    return dc;
}

HDC GetWindowDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, DCX_WINDOW); }

int ReleaseDC(HWND, HDC dc) { return WS().FreeDC(dc) ? 1 : 0; }

HWND WindowFromDC(HDC dc) { return WS().DCWindow(dc); }

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   RECT* updateRect, UINT flags) {
    // Nothing is copied: the whole scrolled area is repainted, which costs one repaint and
    // never shows stale pixels.
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w) {
        return ERROR;
    }
    RECT area = scroll ? *scroll : RECT{0, 0, RectWidth(w->client), RectHeight(w->client)};
    if (clip) {
        area = IntersectRect(area, *clip);
    }
    if (flags & SW_SCROLLCHILDREN) {
        for (HWND c : std::vector<HWND>(w->children)) {
            SetWindowPos(c, nullptr, c->rect.left + dx, c->rect.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
    }
    gfx::Region r(area);
    if (update) {
        update->region = r;
    }
    if (updateRect) {
        *updateRect = area;
    }
    if (flags & SW_INVALIDATE) {
        ws.Invalidate(hwnd, &r,
                      RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) |
                          ((flags & SW_SCROLLCHILDREN) ? RDW_ALLCHILDREN : 0));
    }
    return IsRectEmpty(area) ? NULLREGION : SIMPLEREGION;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
    return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr,
                          SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN)) != ERROR;
}

BOOL LockWindowUpdate(HWND) { return TRUE; }

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w) {
        return 0;
    }
    if (w->regionHandle && w->regionHandle != rgn) {
        ui::FreeWindowRegion(w);
    }
    // From here on the window owns the region: its creator must not delete it.
    w->regionHandle = rgn;
    if (rgn) {
        rgn->SetSystemOwned(true);
        w->region = rgn->region;
    } else {
        w->region.reset();
    }
    if (!w->IsChild() && w->native) {
        ws.backend().SetShape(w->native, w->region);
    }
    if (redraw) {
        if (w->IsChild()) {
            gfx::Region area(w->rect);
            ws.Invalidate(w->parent, &area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
        ws.Invalidate(hwnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn) {
    Window* w = WS().Get(hwnd);
    if (!w || !rgn || !w->region) {
        return ERROR;
    }
    rgn->region = *w->region;
    return RegionComplexity(rgn->region);
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w || w->IsChild() || !(w->exStyle & WS_EX_LAYERED)) {
        return FALSE;
    }
    w->colorKey = key;
    w->layeredFlags = flags;
    if (flags & LWA_ALPHA) {
        w->alpha = alpha;
    }
    if (w->native) {
        ws.backend().SetOpacity(w->native, (flags & LWA_ALPHA) ? alpha : 255);
    }
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
    Window* w = WS().Get(hwnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED)) {
        return FALSE;
    }
    if (key) {
        *key = w->colorKey;
    }
    if (alpha) {
        *alpha = w->alpha;
    }
    if (flags) {
        *flags = w->layeredFlags;
    }
    return TRUE;
}
