#include "framework/Control.h"

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/WinControl.h"

#include <algorithm>

namespace vcl {

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyboardShiftState() {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    font_->OnChange = [this](TObject* sender) { FontChanged(sender); };
}

TControl::~TControl() {
    *alive_ = false;
    if (Application != nullptr) {
        Application->ControlDestroyed(this);
    }
    if (parent_ != nullptr) {
        parent_->RemoveControl(this);
    }
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) {
        return;
    }
    if (parent == this) {
        throw EInvalidOperation("A control cannot have itself as its parent");
    }
    if (parent_ != nullptr) {
        parent_->RemoveControl(this);
    }
    if (parent != nullptr) {
        parent->InsertControl(this);
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    bool resized = width != width_ || height != height_;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
    UpdateAnchorRules();
    RequestAlign();
    if (resized && !IsLoading()) {
        Resize();
    }
}

void TControl::UpdateBoundsRect(const RECT& r) {
    left_ = r.left;
    top_ = r.top;
    width_ = RectWidth(r);
    height_ = RectHeight(r);
}

RECT TControl::ClientRect() { return RECT{0, 0, width_, height_}; }

void TControl::SetClientSize(int width, int height) {
    RECT client = ClientRect();
    SetBounds(left_, top_, width_ - RectWidth(client) + width, height_ - RectHeight(client) + height);
}

POINT TControl::ClientOrigin() {
    if (parent_ == nullptr) {
        return POINT{left_, top_};
    }
    POINT origin = parent_->ClientOrigin();
    return POINT{origin.x + left_, origin.y + top_};
}

POINT TControl::ClientToScreen(POINT p) {
    POINT o = ClientOrigin();
    return POINT{p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) {
    POINT o = ClientOrigin();
    return POINT{p.x - o.x, p.y - o.y};
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) {
        return;
    }
    TAlign old = align_;
    align_ = align;
    anchors_ = AnchorsTopLeft;
    if (old == alNone || align == alNone || !IsLoading()) {
        RequestAlign();
    }
}

void TControl::SetAnchors(TAnchors anchors) {
    if (anchors == anchors_) {
        return;
    }
    anchors_ = anchors;
    if (!IsLoading()) {
        UpdateAnchorRules();
    }
}

void TControl::UpdateAnchorRules() {
    if (parent_ == nullptr || align_ != alNone || parent_->AlignDisabled() || IsLoading()) {
        return;
    }
    RECT pr = parent_->AlignRect();
    anchorParentWidth_ = RectWidth(pr);
    anchorParentHeight_ = RectHeight(pr);
    anchorRight_ = anchorParentWidth_ - (left_ + width_);
    anchorBottom_ = anchorParentHeight_ - (top_ + height_);
}

void TControl::ApplyAnchorRules(int parentWidth, int parentHeight) {
    if (align_ != alNone || anchorParentWidth_ < 0 || anchors_ == AnchorsTopLeft) {
        return;
    }
    int l = left_, t = top_, w = width_, h = height_;
    if (anchors_ & akRight) {
        if (anchors_ & akLeft) {
            w = parentWidth - anchorRight_ - l;
        } else {
            l = parentWidth - anchorRight_ - w;
        }
    }
    if (anchors_ & akBottom) {
        if (anchors_ & akTop) {
            h = parentHeight - anchorBottom_ - t;
        } else {
            t = parentHeight - anchorBottom_ - h;
        }
    }
    if (l != left_ || t != top_ || w != width_ || h != height_) {
        // Keep the rules: moving by the anchors must not re-measure the distances.
        int r = anchorRight_, b = anchorBottom_;
        SetBounds(l, t, std::max(0, w), std::max(0, h));
        anchorRight_ = r;
        anchorBottom_ = b;
        anchorParentWidth_ = parentWidth;
        anchorParentHeight_ = parentHeight;
    }
}

void TControl::RequestAlign() {
    if (parent_ != nullptr && !IsLoading()) {
        parent_->AlignChildren(this);
    }
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
    RequestAlign();
}

bool TControl::Showing() const { return visible_ && parent_ != nullptr && parent_->Showing(); }

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

std::string TControl::GetText() const { return text_; }

void TControl::SetText(const std::string& text) {
    if (GetText() == text) {
        return;
    }
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*) {
    parentFont_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool on) {
    if (on == parentFont_) {
        return;
    }
    parentFont_ = on;
    if (on && parent_ != nullptr) {
        Perform(CM_PARENTFONTCHANGED, 0, 0);
    }
}

void TControl::SetColor(TColor color) {
    if (color == color_) {
        return;
    }
    color_ = color;
    parentColor_ = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool on) {
    if (on == parentColor_) {
        return;
    }
    parentColor_ = on;
    if (on && parent_ != nullptr) {
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
    }
}

void TControl::SetCursor(TCursor cursor) {
    if (cursor != cursor_) {
        cursor_ = cursor;
        Perform(CM_CURSORCHANGED, 0, 0);
    }
}

void TControl::SetShowHint(bool on) {
    showHint_ = on;
    parentShowHint_ = false;
}

void TControl::SetParentShowHint(bool on) {
    parentShowHint_ = on;
    if (on && parent_ != nullptr) {
        showHint_ = parent_->ShowHint();
    }
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    popupMenu_ = menu;
    if (menu != nullptr) {
        menu->FreeNotification(this);
    }
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == popupMenu_) {
        popupMenu_ = nullptr;
    }
}

void TControl::Loaded() {
    TComponent::Loaded();
    UpdateAnchorRules();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::Invalidate() {
    if (parent_ != nullptr && parent_->HandleAllocated() && visible_) {
        RECT r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, (controlStyle_ & csOpaque) ? FALSE : TRUE);
    }
}

void TControl::Update() {
    if (parent_ != nullptr) {
        parent_->Update();
    }
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (parent_ == nullptr) {
        return;
    }
    auto& list = parent_->controls_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it != list.end()) {
        list.erase(it);
        list.push_back(this);
    }
    if (auto* wc = dynamic_cast<TWinControl*>(this); wc != nullptr && wc->HandleAllocated()) {
        SetWindowPos(wc->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    Invalidate();
}

void TControl::SendToBack() {
    if (parent_ == nullptr) {
        return;
    }
    auto& list = parent_->controls_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it != list.end()) {
        list.erase(it);
        list.insert(list.begin(), this);
    }
    if (auto* wc = dynamic_cast<TWinControl*>(this); wc != nullptr && wc->HandleAllocated()) {
        SetWindowPos(wc->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    Invalidate();
}

void TControl::Click() {
    if (OnClick) {
        TNotifyEvent handler = OnClick; // the handler may free the control
        handler(this);
    }
}

void TControl::DblClick() {
    if (OnDblClick) {
        TNotifyEvent handler = OnDblClick;
        handler(this);
    }
}

TCustomForm* TControl::GetParentForm() const {
    const TControl* c = this;
    while (c->parent_ != nullptr) {
        c = c->parent_;
    }
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) {
        OnMouseDown(this, button, shift, x, y);
    }
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) {
        OnMouseMove(this, shift, x, y);
    }
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) {
        OnMouseUp(this, button, shift, x, y);
    }
}

void TControl::Resize() {
    if (OnResize) {
        OnResize(this);
    }
}

void TControl::WndProc(TMessage& message) { Dispatch(message); }

// A press anywhere in a form ends the modes of its focused control (an open drop-down list),
// which learns from the sender whether the press was its own.
void TControl::SendCancelMode() {
    for (TControl* c = this; c != nullptr; c = c->Parent()) {
        auto* form = dynamic_cast<TCustomForm*>(c);
        if (form == nullptr || !form->Active()) {
            continue;
        }
        if (TWinControl* active = form->ActiveControl(); active != nullptr && active != this) {
            active->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(this));
        }
    }
}

void TControl::HandleMouseButton(TMessage& m, TMouseButton button, bool down, bool dbl) {
    int x = GET_X_LPARAM(m.LParam);
    int y = GET_Y_LPARAM(m.LParam);
    TShiftState shift = KeysToShiftState(m.WParam) | (dbl ? unsigned(ssDouble) : 0u);
    TControlTracker alive(this);
    if (down) {
        SendCancelMode();
        if (!alive.Alive()) {
            return;
        }
        if (button == mbLeft) {
            if (controlStyle_ & csCaptureMouse) {
                if (auto* wc = dynamic_cast<TWinControl*>(this)) {
                    SetCapture(wc->Handle());
                } else if (parent_ != nullptr) {
                    parent_->mouseCaptureChild_ = this;
                    SetCapture(parent_->Handle());
                }
            }
            controlState_ |= csLButtonDown;
            if (controlStyle_ & csClickEvents) {
                controlState_ |= csClicked;
            }
            if (dbl && (controlStyle_ & csDoubleClicks)) {
                DblClick();
                if (!alive.Alive()) {
                    return;
                }
            }
        }
        MouseDown(button, shift, x, y);
        return;
    }
    if (button == mbLeft) {
        if (controlStyle_ & csCaptureMouse) {
            if (parent_ != nullptr && parent_->mouseCaptureChild_ == this) {
                parent_->mouseCaptureChild_ = nullptr;
            }
            ReleaseCapture();
        }
        controlState_ &= ~unsigned(csLButtonDown);
        if (controlState_ & csClicked) {
            controlState_ &= ~unsigned(csClicked);
            if (PtInRect(ClientRect(), POINT{x, y})) {
                Click();
                if (!alive.Alive()) {
                    return;
                }
            }
        }
    }
    MouseUp(button, shift, x, y);
}

void TControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN: HandleMouseButton(m, mbLeft, true, false); return;
    case WM_LBUTTONDBLCLK: HandleMouseButton(m, mbLeft, true, true); return;
    case WM_LBUTTONUP: HandleMouseButton(m, mbLeft, false, false); return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: HandleMouseButton(m, mbRight, true, m.Msg == WM_RBUTTONDBLCLK); return;
    case WM_RBUTTONUP:
        HandleMouseButton(m, mbRight, false, false);
        if (popupMenu_ != nullptr && popupMenu_->AutoPopup()) {
            POINT p = ClientToScreen(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
            popupMenu_->SetPopupComponent(this);
            popupMenu_->Popup(p.x, p.y);
        }
        return;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: HandleMouseButton(m, mbMiddle, true, m.Msg == WM_MBUTTONDBLCLK); return;
    case WM_MBUTTONUP: HandleMouseButton(m, mbMiddle, false, false); return;
    case WM_MOUSEMOVE:
        MouseMove(KeysToShiftState(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
        return;
    case WM_CANCELMODE:
        if (controlState_ & csLButtonDown) {
            controlState_ &= ~unsigned(csLButtonDown | csClicked);
            if (parent_ != nullptr && parent_->mouseCaptureChild_ == this) {
                parent_->mouseCaptureChild_ = nullptr;
                ReleaseCapture();
            }
        }
        DefaultHandler(m);
        return;
    case CM_MOUSEENTER: CMMouseEnter(m); return;
    case CM_MOUSELEAVE: CMMouseLeave(m); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); return;
    case CM_FONTCHANGED: CMFontChanged(m); return;
    case CM_COLORCHANGED: CMColorChanged(m); return;
    case CM_TEXTCHANGED: CMTextChanged(m); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(m); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(m); return;
    default: DefaultHandler(m); return;
    }
}

void TControl::DefaultHandler(TMessage& m) {
    switch (m.Msg) {
    case WM_SETTEXT:
        text_ = m.LParam != 0 ? reinterpret_cast<const char*>(m.LParam) : "";
        m.Result = TRUE;
        return;
    case WM_GETTEXTLENGTH: m.Result = LRESULT(text_.size()); return;
    case WM_GETTEXT: {
        if (m.WParam == 0 || m.LParam == 0) {
            m.Result = 0;
            return;
        }
        std::size_t n = std::min<std::size_t>(text_.size(), std::size_t(m.WParam) - 1);
        auto* out = reinterpret_cast<char*>(m.LParam);
        std::copy_n(text_.data(), n, out);
        out[n] = '\0';
        m.Result = LRESULT(n);
        return;
    }
    default: m.Result = 0; return;
    }
}

void TControl::CMMouseEnter(TMessage&) {
    mouseInside_ = true;
    if (OnMouseEnter && !IsDesigning()) {
        OnMouseEnter(this);
    }
}

void TControl::CMMouseLeave(TMessage&) {
    mouseInside_ = false;
    if (OnMouseLeave && !IsDesigning()) {
        OnMouseLeave(this);
    }
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMVisibleChanged(TMessage&) {
    // A graphic control that appears or disappears leaves or takes its parent's surface.
    if (parent_ != nullptr && parent_->HandleAllocated()) {
        RECT r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, TRUE);
    }
}
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage&) {
    if (parentFont_ && parent_ != nullptr) {
        // Assigning fires OnChange, which would clear ParentFont; keep it set.
        font_->Assign(parent_->Font());
        parentFont_ = true;
    }
}

void TControl::CMParentColorChanged(TMessage&) {
    if (parentColor_ && parent_ != nullptr) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED, 0, 0);
    }
}

} // namespace vcl
