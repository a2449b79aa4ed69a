#include "framework/Label.h"

#include "framework/Canvas.h"

namespace vcl {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

UINT TCustomLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS;
    flags |= alignment_ == taRightJustify ? DT_RIGHT : alignment_ == taCenter ? DT_CENTER : DT_LEFT;
    if (wordWrap_) {
        flags |= DT_WORDBREAK;
    } else if (layout_ != tlTop) {
        flags |= DT_SINGLELINE | (layout_ == tlCenter ? DT_VCENTER : DT_BOTTOM);
    }
    if (!showAccelChar_) {
        flags |= DT_NOPREFIX;
    }
    return flags;
}

void TCustomLabel::DoDrawText(RECT& rect, UINT flags) {
    std::string text = Caption();
    if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) {
        text = " "; // an empty label keeps the height of one line
    }
    TCanvas* c = Canvas();
    c->SetFont(Font());
    if (!Enabled()) {
        c->Font()->SetColor(clGrayText);
    }
    c->DrawText(text, rect, flags);
}

void TCustomLabel::Paint() {
    TCanvas* c = Canvas();
    RECT r = ClientRect();
    if (!transparent_) {
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    DoDrawText(r, TextFlags());
}

void TCustomLabel::AdjustBounds() {
    if (!autoSize_ || IsLoading()) {
        return;
    }
    // Measuring needs no surface: a memory DC carries the font.
    HDC measure = CreateCompatibleDC(nullptr);
    if (measure == nullptr) {
        return;
    }
    RECT r{0, 0, Width(), 0};
    Canvas()->SetHandle(measure);
    DoDrawText(r, TextFlags() | DT_CALCRECT);
    Canvas()->SetHandle(nullptr);
    DeleteDC(measure);
    int x = Left();
    if (alignment_ == taRightJustify) {
        x += Width() - RectWidth(r);
    } else if (alignment_ == taCenter) {
        x += (Width() - RectWidth(r)) / 2;
    }
    SetBounds(x, Top(), RectWidth(r), RectHeight(r));
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::CMTextChanged(TMessage& m) {
    TGraphicControl::CMTextChanged(m);
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& m) {
    TGraphicControl::CMFontChanged(m);
    AdjustBounds();
}

void TCustomLabel::SetAutoSize(bool on) {
    if (on != autoSize_) {
        autoSize_ = on;
        AdjustBounds();
    }
}

void TCustomLabel::SetTransparent(bool on) {
    if (on != transparent_) {
        transparent_ = on;
        SetControlStyle(on ? ControlStyle() & ~unsigned(csOpaque) : ControlStyle() | csOpaque);
        Invalidate();
    }
}

void TCustomLabel::SetAlignment(TAlignment a) {
    if (a != alignment_) {
        alignment_ = a;
        Invalidate();
    }
}

void TCustomLabel::SetLayout(TTextLayout l) {
    if (l != layout_) {
        layout_ = l;
        Invalidate();
    }
}

void TCustomLabel::SetWordWrap(bool on) {
    if (on != wordWrap_) {
        wordWrap_ = on;
        AdjustBounds();
        Invalidate();
    }
}

void TCustomLabel::SetShowAccelChar(bool on) {
    if (on != showAccelChar_) {
        showAccelChar_ = on;
        AdjustBounds();
        Invalidate();
    }
}

// --- TPanel ---

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut b) {
    if (b != bevelOuter_) {
        bevelOuter_ = b;
        Realign();
        Invalidate();
    }
}

RECT TPanel::AlignRect() {
    RECT r = TCustomControl::AlignRect();
    return bevelOuter_ == bvNone ? r : InflateRect(r, -1, -1);
}

void TPanel::Paint() {
    TCanvas* c = Canvas();
    RECT r = ClientRect();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    if (bevelOuter_ == bvRaised || bevelOuter_ == bvLowered) {
        TColor tl = bevelOuter_ == bvRaised ? clBtnHighlight : clBtnShadow;
        TColor brc = bevelOuter_ == bvRaised ? clBtnShadow : clBtnHighlight;
        int right = r.right - 1;
        int bottom = r.bottom - 1;
        c->Pen()->SetColor(tl);
        c->MoveTo(r.left, bottom);
        c->LineTo(r.left, r.top);
        c->LineTo(right, r.top);
        c->Pen()->SetColor(brc);
        c->LineTo(right, bottom);
        c->LineTo(r.left - 1, bottom);
    }
    if (!Caption().empty()) {
        c->SetFont(Font());
        c->Brush()->SetStyle(bsClear);
        c->DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

} // namespace vcl
