#include "skin/controls/qvSkinPanel.h"

#include "skin/data/qvUtils.h"

namespace qv {

namespace {

void Line(vcl::TCanvas* c, int x1, int y1, int x2, int y2) {
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
}

// A one-pixel frame, light on the top and left, dark on the bottom and right.
void Bevel(vcl::TCanvas* c, const RECT& r, vcl::TColor light, vcl::TColor dark) {
    c->Pen()->SetColor(light);
    Line(c, r.left, r.bottom - 1, r.left, r.top);
    Line(c, r.left, r.top, r.right - 1, r.top);
    c->Pen()->SetColor(dark);
    Line(c, r.right - 1, r.top, r.right - 1, r.bottom - 1);
    Line(c, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1);
}

// A small triangle pointing up (rolled out) or down (rolled up), 10 pixels wide.
void RollArrow(vcl::TCanvas* c, int x, int y, bool down, vcl::TColor colour) {
    c->Pen()->SetColor(colour);
    for (int i = 0; i < 5; ++i) {
        const int row = down ? y + i : y + 4 - i;
        Line(c, x + i, row, x + 10 - i, row);
    }
}

} // namespace

TqvSkinPanel::TqvSkinPanel(vcl::TComponent* owner) : TqvSkinCustomControl(owner) {
    SetControlStyle(ControlStyle() | vcl::csAcceptsControls | vcl::csOpaque);
    SetSkinDataName("panel");
    SetDirectFramePaint(true);
    SetFillClientFromSkin(true);
    SetBounds(0, 0, 150, 150);
}

// --- properties ---

void TqvSkinPanel::SetBorderStyle(TqvPanelBorderStyle style) {
    borderStyle_ = style;
    if (skinRecordIndex_ == -1) {
        Invalidate();
        Realign();
    }
}

void TqvSkinPanel::SetTransparentMode(bool on) {
    transparentMode_ = on;
    Invalidate();
    if (!IsLoading() && !IsDesigning()) {
        NotifyChildrenBackground();
    }
}

void TqvSkinPanel::SetCaptionMode(bool on) {
    captionMode_ = on;
    Invalidate();
    Realign();
}

void TqvSkinPanel::SetDefaultCaptionHeight(int height) {
    defaultCaptionHeight_ = height;
    if (skinRecordIndex_ == -1 && captionMode_) {
        Invalidate();
        Realign();
    }
}

void TqvSkinPanel::SetDefaultAlignment(int alignment) {
    defaultAlignment_ = alignment;
    if (skinRecordIndex_ == -1 && captionMode_) {
        Invalidate();
    }
}

void TqvSkinPanel::SetRollUpMode(bool on) {
    rollUpMode_ = on;
    if (skinRecordIndex_ == -1 && captionMode_) {
        Invalidate();
    }
}

void TqvSkinPanel::SetCheckedMode(bool on) {
    checkedMode_ = on;
    Invalidate();
}

void TqvSkinPanel::SetSpacing(int spacing) {
    spacing_ = spacing;
    Invalidate();
}

void TqvSkinPanel::SetChecked(bool on) {
    checked_ = on;
    if (checkedMode_) {
        Invalidate();
        if (autoEnabledControls_) {
            for (int i = 0; i < ControlCount(); ++i) {
                Controls(i)->SetEnabled(on);
            }
        }
    }
    if (OnChecked) {
        OnChecked(this);
    }
}

void TqvSkinPanel::SetRollUpState(bool on) {
    if (!rollUpMode_) {
        rollUpState_ = false;
        return;
    }
    if (on == rollUpState_) {
        return;
    }
    rollUpState_ = on;
    if (on) {
        realHeight_ = Height();
        DisableAlign();
        for (int i = 0; i < ControlCount(); ++i) {
            Controls(i)->Hide();
        }
        ReadSkinRecord();
        int w = Width();
        int h = Height();
        FitSizeToSkin(w, h);
        SetHeight(skinRecordIndex_ == -1 ? defaultCaptionHeight_ + 1
                                         : Height() - HeightOfRect(SizedClientRect));
    } else {
        SetHeight(realHeight_);
        realHeight_ = -1;
        for (int i = 0; i < ControlCount(); ++i) {
            Controls(i)->Show();
        }
        EnableAlign();
    }
    if (OnChangeRollUpState) {
        OnChangeRollUpState(this);
    }
}

// --- record and layout ---

void TqvSkinPanel::ReadSkinRecord() {
    TqvSkinCustomControl::ReadSkinRecord();
    if (skinRecordIndex_ == -1) {
        return;
    }
    auto* record = dynamic_cast<const TqvDataSkinPanelControl*>(SkinRecord());
    if (record == nullptr) {
        bgpictureindex = -1;
        captionrect = RECT{};
        return;
    }
    captionrect = record->captionrect;
    alignment = record->alignment;
    fontname = record->font.name;
    fontheight = record->font.height;
    fontstyle = record->font.style;
    fontcolor = record->font.color;
    bgpictureindex = record->bgpictureindex;
    checkimagerect = record->checkimagerect;
    uncheckimagerect = record->uncheckimagerect;
}

bool TqvSkinPanel::ClientTileCoversAll() const {
    return borderStyle_ == bvNone && skinLayout_ == slCorners && !captionMode_;
}

RECT TqvSkinPanel::AlignRect() {
    RECT r{0, 0, Width(), Height()};
    ReadSkinRecord();
    if (skinRecordIndex_ == -1 || IsDesigning()) {
        if (borderStyle_ != bvNone) {
            r = RECT{1, 1, Width() - 1, Height() - 1};
        }
        if (captionMode_) {
            r.top += defaultCaptionHeight_;
        }
        return r;
    }
    if (bgpictureindex != -1 || ClientTileCoversAll()) {
        return r;
    }
    int w = Width();
    int h = Height();
    FitSizeToSkin(w, h);
    return SizedClientRect;
}

void TqvSkinPanel::ApplySkin() {
    TqvSkinCustomControl::ApplySkin();
    Realign();
    if (rollUpState_) {
        // Roll up again for the new skin's caption height; the saved height stays.
        ReadSkinRecord();
        int w = Width();
        int h = realHeight_;
        FitSizeToSkin(w, h);
        SetHeight(skinRecordIndex_ == -1 ? defaultCaptionHeight_ + 1
                                         : realHeight_ - HeightOfRect(SizedClientRect));
    }
}

void TqvSkinPanel::SetBounds(int left, int top, int width, int height) {
    TqvSkinCustomControl::SetBounds(left, top, width, height);
    if (skinRecordIndex_ == -1) {
        Invalidate();
    }
}

// --- messages ---

void TqvSkinPanel::WndProc(vcl::TMessage& m) {
    if (m.Msg == WM_PARENTBGCHANGED || m.Msg == WM_MOVE) {
        if (m.Msg == WM_MOVE) {
            TqvSkinCustomControl::WndProc(m);
        }
        if (transparentMode_) {
            Invalidate();
            NotifyChildrenBackground();
        }
        return;
    }
    TqvSkinCustomControl::WndProc(m);
}

void TqvSkinPanel::CMTextChanged(vcl::TMessage& m) {
    TqvSkinCustomControl::CMTextChanged(m);
    if (captionMode_) {
        Invalidate();
    }
}

void TqvSkinPanel::CMEnabledChanged(vcl::TMessage& m) {
    TqvSkinCustomControl::CMEnabledChanged(m);
    Invalidate();
}

RECT TqvSkinPanel::CaptionBarRect() const {
    if (skinRecordIndex_ == -1) {
        return RECT{1, 1, Width() - 1, defaultCaptionHeight_};
    }
    if (skinLayout_ == slFixed || skinLayout_ == slNone) {
        return captionrect;
    }
    return SkinToControlRect(captionrect);
}

void TqvSkinPanel::MouseUp(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) {
    if (button == vcl::mbLeft && captionMode_ && (rollUpMode_ || checkedMode_) &&
        PtInRect(CaptionBarRect(), POINT{x, y})) {
        vcl::TControlTracker alive(this);
        if (checkedMode_) {
            SetChecked(!checked_);
        }
        if (alive.Alive() && rollUpMode_) {
            SetRollUpState(!rollUpState_);
        }
        if (!alive.Alive()) {
            return;
        }
    }
    TqvSkinCustomControl::MouseUp(button, shift, x, y);
}

// --- painting ---

void TqvSkinPanel::TileOver(vcl::TCanvas* canvas, const gfx::Bitmap& picture, const RECT& tile,
                            const RECT& dest) {
    const int tw = WidthOfRect(tile);
    const int th = HeightOfRect(tile);
    if (tw <= 0 || th <= 0) {
        return;
    }
    for (int i = 0; i <= WidthOfRect(dest) / tw; ++i) {
        for (int j = 0; j <= HeightOfRect(dest) / th; ++j) {
            DrawPicturePart(canvas, picture, tile, dest.left + i * tw, dest.top + j * th);
        }
    }
}

void TqvSkinPanel::DrawCaptionText(vcl::TCanvas* canvas, RECT r, int align, bool checkBox) {
    const std::string caption = Caption();
    if (checkBox) {
        const RECT& image = checked_ ? checkimagerect : uncheckimagerect;
        if (!RectIsEmpty(image) && SkinPicture() != nullptr) {
            const int y = r.top + (HeightOfRect(r) - HeightOfRect(image)) / 2;
            DrawPicturePart(canvas, *SkinPicture(), image, r.left, y);
            r.left += WidthOfRect(image) + 2;
        }
    }
    canvas->Brush()->SetStyle(vcl::bsClear);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    flags |= align == taRightJustify ? DT_RIGHT : align == taCenter ? DT_CENTER : DT_LEFT;
    canvas->DrawText(caption, r, flags);
}

void TqvSkinPanel::DrawSkinImage(vcl::TBitmap& bitmap) {
    if (SkinPicture() == nullptr) {
        return;
    }
    if (ClientTileCoversAll() && !stretcheffect) {
        TileOver(bitmap.Canvas(), *SkinPicture(), ClientTileRect(),
                 RECT{0, 0, bitmap.Width(), bitmap.Height()});
        return;
    }
    TqvSkinCustomControl::DrawSkinImage(bitmap);
    const RECT r = CaptionBarRect();
    if (Caption().empty() || RectIsEmpty(r)) {
        return;
    }
    vcl::TCanvas* canvas = bitmap.Canvas();
    ApplyFont(canvas, fontname, fontheight, fontstyle);
    canvas->Font()->SetColor(fontcolor);
    RECT text = r;
    if (rollUpMode_) {
        text.right -= 12;
        RollArrow(canvas, text.right + 1, r.top + HeightOfRect(r) / 2 - 2, rollUpState_, fontcolor);
    }
    DrawCaptionText(canvas, text, alignment, checkedMode_);
}

void TqvSkinPanel::DrawDefaultImage(vcl::TBitmap& bitmap) {
    TqvSkinCustomControl::DrawDefaultImage(bitmap);
    vcl::TCanvas* c = bitmap.Canvas();
    const RECT all{0, 0, bitmap.Width(), bitmap.Height()};
    switch (borderStyle_) {
    case bvFrame:
        c->Brush()->SetColor(vcl::clBtnShadow);
        c->FrameRect(all);
        break;
    case bvRaised: Bevel(c, all, vcl::clBtnHighlight, vcl::clBtnShadow); break;
    case bvLowered: Bevel(c, all, vcl::clBtnShadow, vcl::clBtnHighlight); break;
    case bvNone: break;
    }
    if (!captionMode_) {
        return;
    }
    const bool border = borderStyle_ != bvNone;
    RECT bar = border ? RECT{1, 1, bitmap.Width() - 1, defaultCaptionHeight_}
                      : RECT{0, 0, bitmap.Width(), defaultCaptionHeight_};
    Bevel(c, bar, vcl::clBtnHighlight, vcl::cl3DDkShadow);
    Bevel(c, RECT{bar.left + 1, bar.top + 1, bar.right - 1, bar.bottom - 1}, vcl::cl3DLight,
          vcl::clBtnShadow);
    RECT text{bar.left + 2, bar.top, bar.right - 2, bar.bottom};
    if (checkedMode_) {
        const int y = bar.top + (HeightOfRect(bar) - 14) / 2;
        const RECT box{bar.left + 5, y, bar.left + 19, y + 14};
        c->Brush()->SetColor(vcl::clWindow);
        c->FillRect(box);
        c->Brush()->SetColor(vcl::clBtnShadow);
        c->FrameRect(box);
        if (checked_) {
            c->Pen()->SetColor(vcl::clBtnText);
            for (int i = 0; i < 2; ++i) {
                Line(c, box.left + 3, box.top + 6 + i, box.left + 5, box.top + 8 + i);
                Line(c, box.left + 5, box.top + 8 + i, box.left + 11, box.top + 2 + i);
            }
        }
        text.left += 20;
    }
    if (rollUpMode_) {
        text.right -= 12;
        RollArrow(c, text.right + 1, bar.top + HeightOfRect(bar) / 2 - 2, rollUpState_, vcl::clBtnText);
    }
    ApplySkinFont(c, false, "", 0, 0, *DefaultFont(), SkinData());
    DrawCaptionText(c, text, defaultAlignment_, false);
}

void TqvSkinPanel::PaintTransparent(vcl::TCanvas* canvas) {
    vcl::TBitmap image(Width(), Height());
    PaintParentBackground(this, image.CanvasHandle());
    if (borderStyle_ != bvNone && SkinPicture() != nullptr) {
        // The outline takes the colour of the skin's frame: its middle, one row above the bottom.
        const COLORREF frame = SkinPicture()->GetColor((skinrect.left + skinrect.right) / 2,
                                                       skinrect.bottom - 2);
        image.Canvas()->Brush()->SetColor(vcl::TColor(frame));
        if (captionMode_) {
            // A group-box frame: the caption sits in a gap of the top line.
            vcl::TCanvas* c = image.Canvas();
            ApplyFont(c, fontname, fontheight, fontstyle);
            c->Font()->SetColor(fontcolor);
            const int row = c->TextHeight("Wg") + 5;
            const int mid = row / 2;
            const int textEnd = 5 + c->TextWidth(Caption());
            c->Pen()->SetColor(vcl::TColor(frame));
            Line(c, 0, mid, 5, mid);
            Line(c, textEnd + 3, mid, Width() - 1, mid);
            Line(c, Width() - 1, mid, Width() - 1, Height() - 1);
            Line(c, Width() - 1, Height() - 1, 0, Height() - 1);
            Line(c, 0, Height() - 1, 0, mid);
            DrawCaptionText(c, RECT{5, 0, Width() - 5, row}, taLeftJustify, checkedMode_);
        } else {
            image.Canvas()->FrameRect(RECT{0, 0, Width(), Height()});
        }
    }
    canvas->Draw(0, 0, &image);
}

void TqvSkinPanel::PaintTo(vcl::TCanvas* canvas) {
    if (Width() <= 0 || Height() <= 0) {
        return;
    }
    ReadSkinRecord();
    int w = Width();
    int h = Height();
    FitSizeToSkin(w, h);
    const bool bound = skinRecordIndex_ != -1;
    if (transparentMode_ && bound) {
        PaintTransparent(canvas);
        return;
    }
    if (!bound || (stretcheffect && !DirectFramePaint()) || SkinPicture() == nullptr) {
        TqvSkinCustomControl::PaintTo(canvas);
        return;
    }
    const RECT all{0, 0, Width(), Height()};
    if (ClientTileCoversAll()) {
        FillWithClientTile(canvas, all);
        return;
    }
    if (bgpictureindex != -1) {
        if (const gfx::Bitmap* bg = SkinData()->ExtraPicture(bgpictureindex)) {
            const RECT whole{0, 0, bg->Width(), bg->Height()};
            if (!stretcheffect) {
                TileOver(canvas, *bg, whole, all);
            } else if (stretchtype == stFull) {
                DrawPicturePart(canvas, *bg, whole, SizedClientRect.left, SizedClientRect.top,
                                WidthOfRect(SizedClientRect), HeightOfRect(SizedClientRect));
            } else {
                DrawPicturePart(canvas, *bg, whole, 0, 0, Width(), Height());
            }
            return;
        }
    }
    TqvSkinCustomControl::PaintTo(canvas);
}

} // namespace qv
