#include "framework/WinControl.h"

#include "framework/Forms.h"

#include <algorithm>

namespace vcl {

// --- children ---

int TWinControl::WinControlCount() const {
    return int(std::count_if(controls_.begin(), controls_.end(),
                             [](TControl* c) { return dynamic_cast<TWinControl*>(c) != nullptr; }));
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c != nullptr; c = c->Parent()) {
        if (c == this) {
            return true;
        }
    }
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    control->parent_ = this;
    controls_.push_back(control);
    if (auto* wc = dynamic_cast<TWinControl*>(control)) {
        tabList_.push_back(wc);
        if (handle_ != nullptr && !wc->HandleAllocated()) {
            wc->CreateHandle();
            wc->UpdateShowing();
        } else if (wc->HandleAllocated()) {
            ::SetParent(wc->handle_, handle_);
        }
    }
    if (control->ParentFont()) {
        control->Perform(CM_PARENTFONTCHANGED, 0, 0);
    }
    if (control->ParentColor()) {
        control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    }
    if (control->ParentShowHint()) {
        control->SetParentShowHint(true);
    }
    control->UpdateAnchorRules();
    control->Invalidate();
    if (control->Align() != alNone) {
        Realign();
    }
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) {
        return;
    }
    control->Invalidate();
    controls_.erase(it);
    if (auto* wc = dynamic_cast<TWinControl*>(control)) {
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), wc), tabList_.end());
        if (wc->handle_ != nullptr && !IsDestroying()) {
            wc->DestroyHandle();
        }
        if (auto* form = GetParentForm()) {
            form->ControlRemoved(wc);
        }
    }
    if (mouseCaptureChild_ == control) {
        mouseCaptureChild_ = nullptr;
    }
    control->parent_ = nullptr;
    if (control->Align() != alNone && !IsDestroying()) {
        Realign();
    }
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool allowWindowed) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!allowWindowed && dynamic_cast<TWinControl*>(c) != nullptr) {
            continue;
        }
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) {
            continue;
        }
        if (PtInRect(c->BoundsRect(), p)) {
            return c;
        }
    }
    return nullptr;
}

// --- geometry ---

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    bool resized = width != width_ || height != height_;
    if (handle_ != nullptr) {
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        // The window's own messages update the fields; a hook may have swallowed them, so read
        // the result back.
        RECT r = WindowBoundsRect();
        bool changedAgain = RectWidth(r) != width_ || RectHeight(r) != height_;
        UpdateBoundsRect(r);
        if (changedAgain) {
            Realign();
            if (!IsLoading()) {
                Resize();
            }
        }
        // Otherwise WM_SIZE has realigned and told OnResize already.
    } else {
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
        if (resized) {
            Realign();
            if (!IsLoading()) {
                Resize();
            }
        }
    }
    UpdateAnchorRules();
    RequestAlign();
}

RECT TWinControl::ClientRect() {
    if (handle_ != nullptr) {
        RECT r{};
        GetClientRect(handle_, &r);
        return r;
    }
    return RECT{0, 0, width_, height_};
}

POINT TWinControl::ClientOrigin() {
    if (handle_ != nullptr) {
        POINT p{0, 0};
        ::ClientToScreen(handle_, &p);
        return p;
    }
    return TControl::ClientOrigin();
}

RECT TWinControl::AlignRect() { return ClientRect(); }

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
    if (alignLevel_ > 0 && --alignLevel_ == 0 && alignPending_) {
        Realign();
    }
}

void TWinControl::AlignChildren(TControl*) { Realign(); }

void TWinControl::Realign() {
    if (alignLevel_ > 0 || IsLoading()) {
        alignPending_ = true;
        return;
    }
    alignPending_ = false;
    DisableAlign();
    RECT rect = AlignRect();
    AlignControls(nullptr, rect);
    --alignLevel_;
    ControlsAligned();
}

namespace {

// The framework's order inside one alignment kind: the control nearest to the edge it is
// aligned to comes first; ties keep the z-order.
bool AlignsBefore(TAlign align, const TControl* a, const TControl* b) {
    switch (align) {
    case alTop: return a->Top() < b->Top();
    case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
    case alLeft: return a->Left() < b->Left();
    case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
    default: return false;
    }
}

// Where a hidden control would go at its edge of the free area, which it leaves free.
void PlaceHiddenAtEdge(TControl* c, TAlign align, const RECT& rect) {
    switch (align) {
    case alTop: c->SetBounds(rect.left, rect.top, std::max(0, RectWidth(rect)), c->Height()); break;
    case alBottom:
        c->SetBounds(rect.left, rect.bottom - c->Height(), std::max(0, RectWidth(rect)), c->Height());
        break;
    case alLeft: c->SetBounds(rect.left, rect.top, c->Width(), std::max(0, RectHeight(rect))); break;
    case alRight:
        c->SetBounds(rect.right - c->Width(), rect.top, c->Width(), std::max(0, RectHeight(rect)));
        break;
    default: break;
    }
}

} // namespace

void TWinControl::AlignControls(TControl*, RECT& rect) {
    static constexpr TAlign kOrder[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign align : kOrder) {
        // A hidden control at an edge keeps its slot among its siblings: it is placed where it
        // would show, without taking the room, so its place stays in step with theirs and it
        // comes back in the same order. Left where it was, a place from another size of the
        // parent put the main window's horizontal bar below the gauge when it showed again.
        std::vector<TControl*> group;
        for (TControl* c : controls_) {
            if (c->Align() == align && (c->Visible() || align != alClient)) {
                group.push_back(c);
            }
        }
        std::stable_sort(group.begin(), group.end(),
                         [align](const TControl* a, const TControl* b) { return AlignsBefore(align, a, b); });
        for (TControl* c : group) {
            if (!c->Visible()) {
                PlaceHiddenAtEdge(c, align, rect);
                continue;
            }
            int w = RectWidth(rect);
            int h = RectHeight(rect);
            RECT r{};
            switch (align) {
            case alTop:
                r = RECT{rect.left, rect.top, rect.right, rect.top + c->Height()};
                rect.top += c->Height();
                break;
            case alBottom:
                r = RECT{rect.left, rect.bottom - c->Height(), rect.right, rect.bottom};
                rect.bottom -= c->Height();
                break;
            case alLeft:
                r = RECT{rect.left, rect.top, rect.left + c->Width(), rect.bottom};
                rect.left += c->Width();
                break;
            case alRight:
                r = RECT{rect.right - c->Width(), rect.top, rect.right, rect.bottom};
                rect.right -= c->Width();
                break;
            default:
                r = RECT{rect.left, rect.top, rect.left + std::max(0, w), rect.top + std::max(0, h)};
                break;
            }
            (void)w;
            (void)h;
            c->SetBounds(r.left, r.top, std::max(0, RectWidth(r)), std::max(0, RectHeight(r)));
            // A control may refuse part of the size (a skinned bar keeps its skin's height);
            // the rest of the area shrinks by what it really took.
            switch (align) {
            case alTop: rect.top = std::max(rect.top, c->Top() + c->Height()); break;
            case alBottom: rect.bottom = std::min(rect.bottom, c->Top()); break;
            case alLeft: rect.left = std::max(rect.left, c->Left() + c->Width()); break;
            case alRight: rect.right = std::min(rect.right, c->Left()); break;
            default: break;
            }
        }
    }
    RECT client = AlignRect();
    for (TControl* c : controls_) {
        if (c->Align() == alNone) {
            c->ApplyAnchorRules(RectWidth(client), RectHeight(client));
        }
    }
}

// --- painting ---

void TWinControl::Invalidate() {
    if (handle_ != nullptr) {
        InvalidateRect(handle_, nullptr, (ControlStyle() & csOpaque) ? FALSE : TRUE);
    }
}

void TWinControl::Update() {
    if (handle_ != nullptr) {
        UpdateWindow(handle_);
    }
}

void TWinControl::Repaint() {
    if (handle_ != nullptr) {
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

void TWinControl::PaintWindow(HDC dc) {
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    auto start = controls_.begin();
    if (first != nullptr) {
        start = std::find(controls_.begin(), controls_.end(), first);
        if (start == controls_.end()) {
            start = controls_.begin();
        }
    }
    for (auto it = start; it != controls_.end(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) != nullptr || !c->Visible()) {
            continue;
        }
        RECT bounds = c->BoundsRect();
        if (RectVisible(dc, &bounds) == FALSE) {
            continue;
        }
        int saved = SaveDC(dc);
        POINT oldOrigin{};
        OffsetViewportOrgEx(dc, c->Left(), c->Top(), &oldOrigin);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TWinControl::PaintHandler(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PAINTSTRUCT ps{};
    if (dc == nullptr) {
        dc = BeginPaint(handle_, &ps);
    }
    int saved = SaveDC(dc);
    PaintWindow(dc);
    RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
    if (m.WParam == 0) {
        EndPaint(handle_, &ps);
    }
    m.Result = 0;
}

} // namespace vcl

namespace vcl {

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == Parent()) {
        return;
    }
    // A window cannot outlive its place: without a parent window to move to it is remade later.
    if (handle_ != nullptr && (parent == nullptr || !parent->HandleAllocated())) {
        DestroyHandle();
    }
    TControl::SetParent(parent);
}

} // namespace vcl
