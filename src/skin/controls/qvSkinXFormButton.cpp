#include "skin/controls/qvSkinXFormButton.h"

#include "skin/data/qvUtils.h"

namespace qv {

TqvSkinXFormButton::TqvSkinXFormButton(vcl::TComponent* owner)
    : TqvSkinButton(owner), defImage_(std::make_unique<vcl::TBitmap>()),
      defActiveImage_(std::make_unique<vcl::TBitmap>()), defDownImage_(std::make_unique<vcl::TBitmap>()),
      defMask_(std::make_unique<vcl::TBitmap>()) {
    SetCanFocused(false);
}

TqvSkinXFormButton::~TqvSkinXFormButton() = default;

bool TqvSkinXFormButton::UsesDefImages() const { return skinRecordIndex_ == -1 && !defImage_->Empty(); }

void TqvSkinXFormButton::SetDefImage(const vcl::TBitmap* image) {
    defImage_->Assign(image);
    if (!defImage_->Empty()) {
        SetDefaultHeight(defImage_->Height());
        SetDefaultWidth(defImage_->Width());
    }
    Invalidate();
}

void TqvSkinXFormButton::SetDefActiveImage(const vcl::TBitmap* image) {
    defActiveImage_->Assign(image);
    Invalidate();
}

void TqvSkinXFormButton::SetDefDownImage(const vcl::TBitmap* image) {
    defDownImage_->Assign(image);
    Invalidate();
}

void TqvSkinXFormButton::SetDefMask(const vcl::TBitmap* mask) {
    defMask_->Assign(mask);
    UpdateSkinRegion();
}

void TqvSkinXFormButton::SetDefActiveFontColor(vcl::TColor c) {
    defActiveFontColor_ = c;
    Invalidate();
}

void TqvSkinXFormButton::SetDefDownFontColor(vcl::TColor c) {
    defDownFontColor_ = c;
    Invalidate();
}

void TqvSkinXFormButton::Loaded() {
    TqvSkinButton::Loaded();
    UpdateSkinRegion();
}

void TqvSkinXFormButton::SetBounds(int left, int top, int width, int height) {
    TqvSkinButton::SetBounds(left, top, width, height);
    if (UsesDefImages() && (Width() != defImage_->Width() || Height() != defImage_->Height())) {
        TqvSkinButton::SetBounds(Left(), Top(), defImage_->Width(), defImage_->Height());
    }
}

void TqvSkinXFormButton::ApplySkin() {
    ReadSkinRecord();
    if (skinRecordIndex_ != -1) {
        TqvSkinButton::ApplySkin();
        return;
    }
    if (!defImage_->Empty()) {
        SetBounds(Left(), Top(), defImage_->Width(), defImage_->Height());
    }
    UpdateSkinRegion();
    Invalidate();
}

void TqvSkinXFormButton::UpdateSkinRegion() {
    if (!UsesDefImages()) {
        TqvSkinButton::UpdateSkinRegion();
        return;
    }
    if (Parent() == nullptr || !HandleAllocated()) {
        return;
    }
    SetSkinRegion(defMask_->Empty() ? nullptr : RegionFromMask(defMask_->Pixels()));
}

void TqvSkinXFormButton::DrawDefaultImage(vcl::TBitmap& bitmap) {
    if (defImage_->Empty()) {
        TqvSkinButton::DrawDefaultImage(bitmap);
        return;
    }
    vcl::TCanvas* canvas = bitmap.Canvas();
    ApplySkinFont(canvas, false, "", 0, 0, *DefaultFont(), SkinData());
    const bool pressed = ShowsPressed();
    const bool hot = IsHot();
    const vcl::TBitmap* face = defImage_.get();
    if (pressed && !defDownImage_->Empty()) {
        face = defDownImage_.get();
    } else if (hot && !defActiveImage_->Empty()) {
        face = defActiveImage_.get();
    }
    DrawBitmapAt(canvas, face->Pixels(), 0, 0);
    if (pressed) {
        canvas->Font()->SetColor(defDownFontColor_);
    } else if (hot) {
        canvas->Font()->SetColor(defActiveFontColor_);
    }
    DrawGlyphCaption(canvas, RECT{0, 0, bitmap.Width(), bitmap.Height()}, Down(), MouseInside(), pressed);
}

} // namespace qv
