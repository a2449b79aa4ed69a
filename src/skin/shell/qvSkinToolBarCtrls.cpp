#include "skin/shell/qvSkinToolBarCtrls.h"

#include "framework/Messages.h"
#include "skin/data/qvControlSkinRecords.h"
#include "skin/data/qvParentBackground.h"
#include "skin/data/qvUtils.h"

#include <algorithm>

namespace qv {

// ---- speed button

TqvSkinSpeedButton::TqvSkinSpeedButton(vcl::TComponent* owner) : TqvSkinButton(owner) {
    SetCanFocused(false);
    SetTabStop(false);
    SetSkinDataName("toolbutton");
}

void TqvSkinSpeedButton::SetFlat(bool on) {
    if (on == flat_) return;
    flat_ = on;
    Invalidate();
}

bool TqvSkinSpeedButton::RestingFlat(bool down, bool hot) const {
    return flat_ && Enabled() && !down && !hot && !Down();
}

void TqvSkinSpeedButton::DrawFlat(vcl::TBitmap& bitmap, const RECT& textRect) {
    vcl::TCanvas* canvas = bitmap.Canvas();
    PaintParentBackground(this, canvas->Handle());
    DrawGlyphCaption(canvas, textRect, false, false, false);
}

void TqvSkinSpeedButton::DrawStateImage(vcl::TBitmap& bitmap, const RECT& source, bool down, bool hot) {
    if (!RestingFlat(down, hot)) {
        TqvSkinButton::DrawStateImage(bitmap, source, down, hot);
        return;
    }
    ApplyFont(bitmap.Canvas(), fontname, fontheight, fontstyle);
    bitmap.Canvas()->Font()->SetColor(fontcolor);
    DrawFlat(bitmap, SizedClientRect);
}

void TqvSkinSpeedButton::DrawDefaultImage(vcl::TBitmap& bitmap) {
    if (!RestingFlat(PressedByMouse(), MouseInside())) {
        TqvSkinButton::DrawDefaultImage(bitmap);
        return;
    }
    ApplySkinFont(bitmap.Canvas(), false, "", 0, 0, *DefaultFont(), SkinData());
    DrawFlat(bitmap, RECT{0, 0, bitmap.Width(), bitmap.Height()});
}

// ---- spacer

TqvSkinSpacer::TqvSkinSpacer(vcl::TComponent* owner) : vcl::TGraphicControl(owner) { SetBounds(0, 0, 5, 25); }

// ---- edit

void TqvSkinInnerEdit::CreateParams(vcl::TCreateParams& params) {
    vcl::TEdit::CreateParams(params);
    params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
    params.Style &= ~DWORD(WS_BORDER);
}

void TqvSkinInnerEdit::WndProc(vcl::TMessage& message) {
    if (message.Msg == vcl::CM_WANTSPECIALKEY && message.WParam == VK_RETURN) {
        message.Result = 1;
        return;
    }
    vcl::TEdit::WndProc(message);
}

TqvSkinEdit::TqvSkinEdit(vcl::TComponent* owner) : TqvSkinCustomControl(owner) {
    SetSkinDataName("edit");
    SetDefaultHeight(21);
    SetBounds(0, 0, 121, 21);
    SetTabStop(false); // the inner edit takes the focus
    edit_ = new TqvSkinInnerEdit(this);
    edit_->SetParent(this);
    edit_->SetParentFont(false);
    edit_->OnKeyPress = [this](vcl::TObject*, char32_t& key) {
        if (OnKeyPress) OnKeyPress(this, key);
    };
    edit_->OnChange = [this](vcl::TObject*) {
        if (OnChange) OnChange(this);
    };
    // The frame shows the active look while the text has the focus.
    edit_->OnEnter = [this](vcl::TObject*) { Invalidate(); };
    edit_->OnExit = [this](vcl::TObject*) { Invalidate(); };
    LayoutEdit();
}

std::string TqvSkinEdit::Text() const { return edit_->GetText(); }

void TqvSkinEdit::SetText(const std::string& text) { edit_->SetText(text); }

bool TqvSkinEdit::EditFocused() const { return edit_->HandleAllocated() && edit_->Focused(); }

void TqvSkinEdit::ReadSkinRecord() {
    TqvSkinCustomControl::ReadSkinRecord();
    auto* record = skinRecordIndex_ == -1 ? nullptr
                                          : dynamic_cast<const TqvDataSkinEditControl*>(SkinRecord());
    if (record == nullptr) {
        activeskinrect = RECT{};
        return;
    }
    activeskinrect = record->activeskinrect;
    fontname = record->font.name;
    fontheight = record->font.height;
    fontstyle = record->font.style;
    fontcolor = record->font.color;
    disabledfontcolor = record->disabledfontcolor;
}

void TqvSkinEdit::ApplySkin() {
    TqvSkinCustomControl::ApplySkin();
    LayoutEdit();
    StyleEdit();
}

void TqvSkinEdit::SetBounds(int left, int top, int width, int height) {
    TqvSkinCustomControl::SetBounds(left, top, width, height);
    LayoutEdit();
}

void TqvSkinEdit::CMEnabledChanged(vcl::TMessage& message) {
    TqvSkinCustomControl::CMEnabledChanged(message);
    edit_->SetEnabled(Enabled());
    StyleEdit();
    Invalidate();
}

void TqvSkinEdit::LayoutEdit() {
    if (edit_ == nullptr) return;
    RECT r = skinRecordIndex_ == -1 ? RECT{2, 2, Width() - 2, Height() - 2} : SizedClientRect;
    if (r.right <= r.left || r.bottom <= r.top) r = RECT{0, 0, Width(), Height()};
    // The native edit draws its row from the top: give it the text's height, centred.
    vcl::TBitmap probe(1, 1);
    probe.Canvas()->SetFont(edit_->Font());
    const int textHeight = probe.Canvas()->TextHeight("Wg");
    const int h = std::min(int(r.bottom - r.top), textHeight + 2);
    const int top = r.top + (r.bottom - r.top - h) / 2;
    edit_->SetBounds(r.left + 1, top, std::max(0, int(r.right - r.left) - 2), h);
}

void TqvSkinEdit::StyleEdit() {
    if (edit_ == nullptr) return;
    ReadSkinRecord();
    if (skinRecordIndex_ == -1) {
        edit_->Font()->Assign(DefaultFont());
        edit_->SetColor(vcl::clWindow);
        return;
    }
    vcl::TFont font;
    font.Assign(DefaultFont());
    if (UseSkinFont()) {
        font.SetName(fontname);
        font.SetHeight(fontheight);
        font.SetStyle(fontstyle);
    }
    font.SetColor(Enabled() ? fontcolor : disabledfontcolor);
    edit_->SetFont(&font);
    // The field takes the colour of the record's client tile, so the edit blends into the frame.
    const RECT tile = ClientTileRect();
    if (skinPicture_ != nullptr && tile.right > tile.left && tile.bottom > tile.top) {
        const int x = (tile.left + tile.right) / 2, y = (tile.top + tile.bottom) / 2;
        if (x >= 0 && y >= 0 && x < skinPicture_->Width() && y < skinPicture_->Height())
            edit_->SetColor(vcl::TColor(gfx::PixelToColor(skinPicture_->Row(y)[x])));
    }
    LayoutEdit();
}

void TqvSkinEdit::DrawSkinImage(vcl::TBitmap& bitmap) {
    if (skinPicture_ == nullptr) return;
    const bool active = EditFocused() && !RectIsEmpty(activeskinrect);
    BuildControlImage(bitmap, *skinPicture_, active ? activeskinrect : skinrect);
}

void TqvSkinEdit::DrawDefaultImage(vcl::TBitmap& bitmap) {
    vcl::TCanvas* canvas = bitmap.Canvas();
    const RECT r{0, 0, bitmap.Width(), bitmap.Height()};
    canvas->Brush()->SetColor(vcl::clWindow);
    canvas->FillRect(r);
    canvas->Brush()->SetColor(EditFocused() ? vcl::clHighlight : vcl::clBtnShadow);
    canvas->FrameRect(r);
}

} // namespace qv
