// SetWindowPos and its message protocol, ShowWindow, minimize / maximize / restore.
#include "platform/ui/WindowSystem.h"

#include "platform/ui/Icon.h"

#include <algorithm>

using ui::WS;
using ui::Window;

namespace ui {

// Fits the backing store to the window's size. A hidden window, which is often sized several
// times while it is being built, is fitted only once it is shown and drawn into (MakeDC) or
// presented: every fitting allocates and clears a bitmap as large as the window, and doing that
// for each intermediate size, and for windows never shown, cost more than building them.
void WindowSystem::ResizeBacking(HWND top) {
    int w = std::max(top->Width(), 0);
    int h = std::max(top->Height(), 0);
    if (top->backing.Width() != w || top->backing.Height() != h) {
        top->backing.Resize(w, h, 0);
        for (auto& [dc, rec] : dcs_) {
            if (rec.top == top) {
                rec.dc->SetTarget(&top->backing);
            }
        }
    }
}

namespace {
// Drop-down lists, menus and hints: windows that never take activation, or popups and tool
// windows without a caption. A popup with a caption (a message box, a dialog) is a window the
// user works in, which the desktop must be able to activate and keep below other programs.
bool ShownAsNativePopup(HWND top) {
    if (top->exStyle & WS_EX_NOACTIVATE) {
        return true;
    }
    bool captioned = (top->style & WS_CAPTION) == WS_CAPTION;
    return !captioned && ((top->style & WS_POPUP) || (top->exStyle & WS_EX_TOOLWINDOW));
}
} // namespace

void WindowSystem::EnsureNative(HWND top) {
    if (top->native) {
        return;
    }
    NativeWindowDesc desc;
    desc.rect = top->rect;
    desc.popup = ShownAsNativePopup(top);
    desc.topmost = (top->exStyle & WS_EX_TOPMOST) != 0;
    if (HWND owner = top->owner ? TopLevel(top->owner) : nullptr; IsLive(owner) && owner != top) {
        desc.owner = owner->native;
    }
    desc.title = top->text;
    top->native = backend_->CreateNativeWindow(desc);
    if (top->region) {
        backend_->SetShape(top->native, top->region);
    }
    if ((top->exStyle & WS_EX_LAYERED) && (top->layeredFlags & LWA_ALPHA)) {
        backend_->SetOpacity(top->native, top->alpha);
    }
    if (const gfx::Bitmap* icon = DesktopIcon(top)) {
        backend_->SetNativeIcon(top->native, *icon);
    }
}

namespace {
bool CanActivate(HWND t) {
    return t && t->Visible() && !(t->style & WS_DISABLED) && !(t->style & WS_MINIMIZE) &&
           !(t->exStyle & WS_EX_NOACTIVATE) && !t->destroying;
}
} // namespace

void ActivateOther(HWND leaving) {
    auto& ws = WS();
    HWND next = nullptr;
    if (leaving && CanActivate(leaving->owner)) {
        next = leaving->owner;
    } else {
        for (HWND t : ws.tops_) {
            if (t != leaving && CanActivate(t) && !(t->style & WS_POPUP && t->owner == leaving)) {
                next = t;
                break;
            }
        }
    }
    ws.SetActive(next, WA_ACTIVE);
}

} // namespace ui

namespace {

void ZOrder(ui::WindowSystem& ws, HWND w, HWND after) {
    auto& sib = ws.Siblings(w);
    sib.erase(std::remove(sib.begin(), sib.end(), w), sib.end());
    if (after == HWND_TOPMOST) {
        w->exStyle |= WS_EX_TOPMOST;
        after = HWND_TOP;
    } else if (after == HWND_NOTOPMOST) {
        w->exStyle &= ~WS_EX_TOPMOST;
        after = HWND_TOP;
    }
    auto pos = sib.begin();
    if (after == HWND_BOTTOM) {
        pos = sib.end();
    } else if (after == HWND_TOP) {
        if (!w->IsChild() && !(w->exStyle & WS_EX_TOPMOST)) {
            while (pos != sib.end() && ((*pos)->exStyle & WS_EX_TOPMOST)) {
                ++pos;
            }
        }
    } else {
        auto it = std::find(sib.begin(), sib.end(), after);
        pos = it == sib.end() ? sib.begin() : std::next(it);
    }
    sib.insert(pos, w);
    if (!w->IsChild() && w->native) {
        // Owned windows stay above their owner.
        ws.backend().RaiseNativeWindow(w->native);
    }
}

// The area a child covers in its parent's client coordinates.
gfx::Region ChildArea(HWND c, const RECT& rect) {
    gfx::Region r(rect);
    if (c->region) {
        gfx::Region s = *c->region;
        s.Offset(rect.left, rect.top);
        r = r.Intersect(s);
    }
    return r;
}

// SetWindowPos runs in the phases Windows (and Wine) have: the request is tidied and offered to
// the window (changing), the new client area is asked for (non-client size), the window moves
// on screen and in the z-order with the repaint that needs (moving), activation, focus and
// capture follow a show or hide, and the window hears what happened (changed).

// Drops what would change nothing and tells the window (WM_WINDOWPOSCHANGING), which may
// change the request. False when the window went away meanwhile.
bool Changing(ui::WindowSystem& ws, HWND w, WINDOWPOS& wp) {
    UINT& flags = wp.flags;
    if (w->Visible()) {
        flags &= ~SWP_SHOWWINDOW;
    } else {
        flags &= ~SWP_HIDEWINDOW;
    }
    if (!(flags & SWP_NOSIZE) && wp.cx == w->Width() && wp.cy == w->Height()) {
        flags |= SWP_NOSIZE;
    }
    if (!(flags & SWP_NOMOVE) && wp.x == w->rect.left && wp.y == w->rect.top) {
        flags |= SWP_NOMOVE;
    }
    if (w->IsChild()) {
        flags |= SWP_NOACTIVATE;
    }
    if (wp.hwndInsertAfter == w) {
        flags |= SWP_NOZORDER;
    }
    if (flags & SWP_NOMOVE) {
        wp.x = w->rect.left;
        wp.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        wp.cx = w->Width();
        wp.cy = w->Height();
    }
    if (!(flags & SWP_NOSENDCHANGING)) {
        ws.Send(w, WM_WINDOWPOSCHANGING, 0, LPARAM(reinterpret_cast<std::intptr_t>(&wp)));
        if (!ws.IsLive(w)) {
            return false;
        }
    }
    return true;
}

// The window's new rectangle from the request, and its new client area: asked from the window
// (WM_NCCALCSIZE) when the size or the frame changes. False when the window went away.
bool NonClientSize(ui::WindowSystem& ws, HWND w, WINDOWPOS& wp, RECT& newRect, RECT& newClient) {
    const RECT oldRect = w->rect;
    newRect = oldRect;
    if (!(wp.flags & SWP_NOMOVE)) {
        newRect = OffsetRect(newRect, wp.x - oldRect.left, wp.y - oldRect.top);
    }
    if (!(wp.flags & SWP_NOSIZE)) {
        newRect.right = newRect.left + std::max(wp.cx, 0);
        newRect.bottom = newRect.top + std::max(wp.cy, 0);
    }
    newClient = w->client;
    bool sized = RectWidth(newRect) != RectWidth(oldRect) || RectHeight(newRect) != RectHeight(oldRect);
    if (!sized && !(wp.flags & SWP_FRAMECHANGED)) {
        return true;
    }
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = newRect;
    p.rgrc[1] = oldRect;
    p.rgrc[2] = OffsetRect(w->client, oldRect.left, oldRect.top);
    p.lppos = &wp;
    ws.Send(w, WM_NCCALCSIZE, TRUE, LPARAM(reinterpret_cast<std::intptr_t>(&p)));
    if (!ws.IsLive(w)) {
        return false;
    }
    RECT c = p.rgrc[0];
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    newClient = OffsetRect(c, -newRect.left, -newRect.top);
    return true;
}

// A top-level window: its backing and the native window follow; a new size or frame repaints
// it all, and a window shown now is shown painted.
void MoveTopLevel(ui::WindowSystem& ws, HWND w, UINT flags, const RECT& oldRect, bool wasVisible) {
    const RECT& newRect = w->rect;
    bool sized = RectWidth(newRect) != RectWidth(oldRect) || RectHeight(newRect) != RectHeight(oldRect);
    bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
    bool nowVisible = w->Visible();
    if (sized) {
        if (nowVisible) {
            ws.ResizeBacking(w);
        }
        w->update = gfx::Region(RECT{0, 0, RectWidth(w->client), RectHeight(w->client)});
        ws.Invalidate(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else if (flags & SWP_FRAMECHANGED) {
        ws.Invalidate(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (nowVisible) {
        ws.EnsureNative(w);
    }
    if (w->native && (moved || sized)) {
        ws.backend().MoveNativeWindow(w->native, newRect);
    }
    if (w->native && nowVisible != wasVisible) {
        if (nowVisible) {
            // Show it with everything painted so it never flashes unpainted pixels.
            w->nativeShown = true;
            ws.MarkDirty(w, RECT{0, 0, w->Width(), w->Height()});
            ws.backend().ShowNativeWindow(w->native, true, !(flags & SWP_NOACTIVATE));
        } else {
            w->nativeShown = false;
            ws.backend().ShowNativeWindow(w->native, false, false);
        }
    }
}

// A child window: it repaints where it is now, and its parent where it no longer covers;
// siblings it uncovered repaint through the parent's invalidation of its children.
void MoveChild(ui::WindowSystem& ws, HWND w, UINT flags, const RECT& oldRect, bool wasVisible) {
    const RECT& newRect = w->rect;
    bool sized = RectWidth(newRect) != RectWidth(oldRect) || RectHeight(newRect) != RectHeight(oldRect);
    bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
    bool nowVisible = w->Visible();
    if ((flags & SWP_NOREDRAW) ||
        !(moved || sized || nowVisible != wasVisible || (flags & SWP_FRAMECHANGED))) {
        return;
    }
    if (nowVisible) {
        ws.Invalidate(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (wasVisible && (moved || sized || !nowVisible)) {
        gfx::Region old = ChildArea(w, oldRect);
        if (nowVisible) {
            old = old.Subtract(ChildArea(w, newRect));
        }
        ws.Invalidate(w->parent, &old, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

// Activation for a shown top-level window; focus, activation and capture leave a hidden one.
// False when the window went away.
bool AfterShowOrHide(ui::WindowSystem& ws, HWND w, UINT flags, bool wasVisible) {
    bool nowVisible = w->Visible();
    if (!(flags & SWP_NOACTIVATE) && nowVisible && !w->IsChild() && !(w->exStyle & WS_EX_NOACTIVATE) &&
        !(w->style & WS_DISABLED)) {
        ws.SetActive(w, WA_ACTIVE);
        if (!ws.IsLive(w)) {
            return false;
        }
    }
    if (wasVisible && !nowVisible) {
        if (ws.Focus() && (ws.Focus() == w || IsChild(w, ws.Focus()))) {
            ws.SetFocusTo(w->IsChild() ? w->parent : nullptr);
        }
        if (!w->IsChild() && ws.Active() == w) {
            ui::ActivateOther(w);
        }
        if (ws.CaptureOwner() && (ws.CaptureOwner() == w || IsChild(w, ws.CaptureOwner()))) {
            ws.ChangeCapture(nullptr);
        }
    }
    return ws.IsLive(w);
}

// WM_WINDOWPOSCHANGED with the place the window took and what did not change.
void Changed(ui::WindowSystem& ws, HWND w, const WINDOWPOS& wp, const RECT& oldRect, const RECT& oldClient) {
    WINDOWPOS done = wp;
    done.x = w->rect.left;
    done.y = w->rect.top;
    done.cx = w->Width();
    done.cy = w->Height();
    if (RectWidth(w->client) == RectWidth(oldClient) && RectHeight(w->client) == RectHeight(oldClient)) {
        done.flags |= SWP_NOCLIENTSIZE;
    }
    if (w->rect.left + w->client.left == oldRect.left + oldClient.left &&
        w->rect.top + w->client.top == oldRect.top + oldClient.top) {
        done.flags |= SWP_NOCLIENTMOVE;
    }
    ws.Send(w, WM_WINDOWPOSCHANGED, 0, LPARAM(reinterpret_cast<std::intptr_t>(&done)));
}

} // namespace

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w) {
        return FALSE;
    }
    WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
    if (!Changing(ws, w, wp)) {
        return FALSE;
    }
    RECT newRect{}, newClient{};
    if (!NonClientSize(ws, w, wp, newRect, newClient)) {
        return FALSE;
    }
    const RECT oldRect = w->rect;
    const RECT oldClient = w->client;
    const bool wasVisible = w->Visible();
    w->rect = newRect;
    w->client = newClient;
    if (!(wp.flags & SWP_NOZORDER)) {
        ZOrder(ws, w, insertAfter); // as asked, whatever WM_WINDOWPOSCHANGING says
    }
    if (wp.flags & SWP_SHOWWINDOW) {
        w->style |= WS_VISIBLE;
    }
    if (wp.flags & SWP_HIDEWINDOW) {
        w->style &= ~WS_VISIBLE;
    }
    if (w->IsChild()) {
        MoveChild(ws, w, wp.flags, oldRect, wasVisible);
    } else {
        MoveTopLevel(ws, w, wp.flags, oldRect, wasVisible);
    }
    if (!AfterShowOrHide(ws, w, wp.flags, wasVisible)) {
        return FALSE;
    }
    Changed(ws, w, wp, oldRect, oldClient);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

namespace {

RECT MaximizedRect(HWND hwnd) {
    MINMAXINFO mm = ui::QueryMinMax(hwnd);
    return RECT{mm.ptMaxPosition.x, mm.ptMaxPosition.y, mm.ptMaxPosition.x + mm.ptMaxSize.x,
                mm.ptMaxPosition.y + mm.ptMaxSize.y};
}

void Minimize(HWND hwnd) {
    auto& ws = WS();
    if (hwnd->IsChild() || (hwnd->style & WS_MINIMIZE)) {
        return;
    }
    if (!(hwnd->style & WS_MAXIMIZE)) {
        hwnd->restoreRect = hwnd->rect;
    }
    hwnd->style |= WS_MINIMIZE;
    if (hwnd->native) {
        ws.backend().MinimizeNativeWindow(hwnd->native);
    }
    ws.Send(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
    if (ws.Active() == hwnd) {
        ui::ActivateOther(hwnd);
    }
}

} // namespace

BOOL ShowWindow(HWND hwnd, int cmd) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w) {
        return FALSE;
    }
    bool wasVisible = w->Visible();
    bool noActivate = w->IsChild() || (w->exStyle & WS_EX_NOACTIVATE);
    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible) {
            return FALSE;
        }
        ws.Send(hwnd, WM_SHOWWINDOW, FALSE, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (!wasVisible) {
            ws.Send(hwnd, WM_SHOWWINDOW, TRUE, 0);
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        Minimize(hwnd);
        return wasVisible;
    case SW_SHOWMAXIMIZED: {
        if (!wasVisible) {
            ws.Send(hwnd, WM_SHOWWINDOW, TRUE, 0);
        }
        if (w->style & WS_MINIMIZE) {
            w->style &= ~WS_MINIMIZE;
            if (w->native) {
                ws.backend().RestoreNativeWindow(w->native);
            }
        } else if (!(w->style & WS_MAXIMIZE)) {
            w->restoreRect = w->rect;
        }
        w->style |= WS_MAXIMIZE;
        RECT r = MaximizedRect(hwnd);
        SetWindowPos(hwnd, HWND_TOP, r.left, r.top, RectWidth(r), RectHeight(r),
                     SWP_SHOWWINDOW | SWP_FRAMECHANGED | (noActivate ? SWP_NOACTIVATE : 0));
        return wasVisible;
    }
    default: {
        bool restore = cmd == SW_RESTORE || cmd == SW_SHOWNORMAL || cmd == SW_SHOWDEFAULT;
        bool activate = !(cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE) && !noActivate;
        if (!wasVisible) {
            ws.Send(hwnd, WM_SHOWWINDOW, TRUE, 0);
            if (!ws.IsLive(hwnd)) {
                return FALSE;
            }
        }
        UINT flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | (activate ? 0 : SWP_NOACTIVATE);
        if (w->IsChild()) {
            flags |= SWP_NOZORDER;
        }
        RECT target = w->rect;
        if (restore && (w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
            bool wasMin = (w->style & WS_MINIMIZE) != 0;
            w->style &= ~WS_MINIMIZE;
            if (wasMin && w->native) {
                ws.backend().RestoreNativeWindow(w->native);
            }
            if (w->style & WS_MAXIMIZE && !wasMin) {
                w->style &= ~WS_MAXIMIZE;
                target = w->restoreRect;
            } else if (!(w->style & WS_MAXIMIZE)) {
                target = w->restoreRect;
            }
            flags &= ~(SWP_NOSIZE | SWP_NOMOVE);
            flags |= SWP_FRAMECHANGED;
            if (wasMin) {
                ws.Send(hwnd, WM_SIZE, (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                        MAKELPARAM(WORD(RectWidth(w->client)), WORD(RectHeight(w->client))));
            }
        }
        SetWindowPos(hwnd, HWND_TOP, target.left, target.top, RectWidth(target), RectHeight(target), flags);
        return wasVisible;
    }
    }
}

BOOL IsWindowVisible(HWND hwnd) {
    auto& ws = WS();
    return ws.IsLive(hwnd) && ws.ReallyVisible(hwnd) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    Window* w = WS().Get(hwnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    Window* w = WS().Get(hwnd);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}
