#include "framework/Button.h"

#include "framework/Canvas.h"
#include "framework/Menus.h"

namespace vcl {

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle((ControlStyle() & ~unsigned(csAcceptsControls | csSetCaption)) | csOpaque);
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool on) {
    if (on == default_) {
        return;
    }
    default_ = on;
    if (TCustomForm* form = GetParentForm()) {
        auto* focused = dynamic_cast<TButton*>(form->ActiveControl());
        active_ = focused != nullptr ? focused == this : on;
    } else {
        active_ = on;
    }
    Invalidate();
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm()) {
        form->SetModalResult(modalResult_);
    }
    TCustomControl::Click();
}

void TButton::SetDown(bool down) {
    if (down != down_) {
        down_ = down;
        Invalidate();
    }
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && Enabled()) {
        if (CanFocus() && !Focused()) {
            SetFocus();
        }
        SetDown(true);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::MouseMove(TShiftState shift, int x, int y) {
    if (ControlState() & csLButtonDown) {
        SetDown(PtInRect(ClientRect(), POINT{x, y}));
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        SetDown(false);
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TButton::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_SPACE && !spaceDown_) {
        spaceDown_ = true;
        SetDown(true);
    }
    TCustomControl::KeyDown(key, shift);
}

void TButton::KeyUp(WORD& key, TShiftState shift) {
    if (key == VK_SPACE && spaceDown_) {
        spaceDown_ = false;
        SetDown(false);
        TControlTracker alive(this);
        Click();
        if (!alive.Alive()) {
            return;
        }
    }
    TCustomControl::KeyUp(key, shift);
}

void TButton::CMDialogKey(TMessage& m) {
    WORD key = WORD(m.WParam);
    if (((key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_)) &&
        (KeyboardShiftState() & (ssAlt | ssCtrl)) == 0 && CanFocus()) {
        m.Result = 1;
        Click();
        return;
    }
    TCustomControl::CMDialogKey(m);
}

void TButton::CMFocusChanged(TMessage& m) {
    auto* sender = reinterpret_cast<TWinControl*>(m.LParam);
    bool was = active_;
    if (dynamic_cast<TButton*>(sender) != nullptr) {
        active_ = sender == this;
    } else {
        active_ = default_;
    }
    if (was != active_) {
        Invalidate();
    }
    TCustomControl::CMFocusChanged(m);
}

void TButton::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_GETDLGCODE:
        // Enter goes to the form as a dialog key; Space reaches the button.
        m.Result = Default() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::Dispatch(m);
        if (m.Msg == WM_KILLFOCUS && spaceDown_) {
            spaceDown_ = false;
            SetDown(false);
        }
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(char32_t(m.WParam), Caption()) && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        TCustomControl::Dispatch(m);
        return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
        TCustomControl::Dispatch(m);
        Invalidate();
        return;
    default: TCustomControl::Dispatch(m); return;
    }
}

void TButton::Paint() {
    TCanvas* c = Canvas();
    RECT r = ClientRect();
    int w = RectWidth(r);
    int h = RectHeight(r);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(color);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    RECT body = r;
    if (active_ || Focused()) {
        // The default (or focused) button wears an extra black frame.
        c->Brush()->SetColor(clWindowFrame);
        c->FrameRect(r);
        body = InflateRect(r, -1, -1);
    }
    int bl = body.left, bt = body.top, br = body.right - 1, bb = body.bottom - 1;
    if (down_) {
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(body);
    } else {
        line(clBtnHighlight, bl, bb - 1, bl, bt);
        line(clBtnHighlight, bl, bt, br, bt);
        line(cl3DDkShadow, br, bt, br, bb);
        line(cl3DDkShadow, br, bb, bl - 1, bb);
        line(clBtnShadow, br - 1, bt + 1, br - 1, bb - 1);
        line(clBtnShadow, br - 1, bb - 1, bl, bb - 1);
    }
    c->SetFont(Font());
    c->Brush()->SetStyle(bsClear);
    RECT text = RECT{0, 0, w, h};
    if (down_) {
        text = OffsetRect(text, 1, 1);
    }
    c->Font()->SetColor(Enabled() ? clBtnText : clGrayText);
    c->DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused()) {
        RECT focus = InflateRect(body, -4, -4);
        DrawFocusRect(c->Handle(), &focus);
    }
}

} // namespace vcl
