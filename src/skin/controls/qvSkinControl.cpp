#include "skin/controls/qvSkinControl.h"

#include "skin/data/qvResourceStr.h"

namespace qv {

TqvSkinControl::TqvSkinControl(vcl::TComponent* owner) : vcl::TCustomControl(owner) {}

TqvSkinControl::~TqvSkinControl() {
    if (windowRegion_ != nullptr) {
        DeleteObject(windowRegion_);
        windowRegion_ = nullptr;
    }
    if (skinData_ != nullptr) {
        skinData_->RemoveFreeNotification(this);
    }
    if (hintImageList_ != nullptr) {
        hintImageList_->RemoveFreeNotification(this);
    }
}

void TqvSkinControl::SetSkinData(TqvSkinData* data) {
    if (skinData_ != nullptr && skinData_ != data) {
        skinData_->RemoveFreeNotification(this);
    }
    skinData_ = data;
    if (data != nullptr) {
        data->FreeNotification(this);
        if (!data->IsEmpty() && !IsDesigning()) {
            ApplySkin();
        }
    }
}

void TqvSkinControl::SetSkinDataName(const std::string& name) { skinDataName_ = name; }

void TqvSkinControl::SetHintImageList(vcl::TImageList* list) {
    if (hintImageList_ != nullptr && hintImageList_ != list) {
        hintImageList_->RemoveFreeNotification(this);
    }
    hintImageList_ = list;
    if (list != nullptr) {
        list->FreeNotification(this);
    }
}

const TqvDataSkinControl* TqvSkinControl::SkinRecord() const {
    if (skinRecordIndex_ < 0 || skinData_ == nullptr ||
        skinRecordIndex_ >= int(skinData_->ControlSkins.size())) {
        return nullptr;
    }
    return skinData_->ControlSkins[std::size_t(skinRecordIndex_)].get();
}

void TqvSkinControl::ReadSkinRecord() {
    if (skinData_ == nullptr || skinData_->IsEmpty()) {
        skinRecordIndex_ = -1;
    } else {
        skinRecordIndex_ = skinData_->IndexOfControlSkin(skinDataName_);
    }
}

void TqvSkinControl::ApplySkin() {
    ReadSkinRecord();
    Invalidate();
}

void TqvSkinControl::ReleaseSkinRecord() { skinRecordIndex_ = -1; }

void TqvSkinControl::DrawDefaultImage(vcl::TBitmap&) {}

void TqvSkinControl::DrawSkinImage(vcl::TBitmap&) {}

void TqvSkinControl::PaintTo(vcl::TCanvas* canvas) {
    if (Width() <= 0 || Height() <= 0) {
        return;
    }
    ReadSkinRecord();
    vcl::TBitmap image(Width(), Height());
    if (skinRecordIndex_ == -1) {
        DrawDefaultImage(image);
    } else {
        DrawSkinImage(image);
    }
    canvas->Draw(0, 0, &image);
}

void TqvSkinControl::Paint() { PaintTo(Canvas()); }

void TqvSkinControl::WndProc(vcl::TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT: {
        bool was = paintingFromWMPaint_;
        paintingFromWMPaint_ = true;
        vcl::TControlTracker alive(this);
        vcl::TCustomControl::WndProc(message);
        if (alive.Alive()) {
            paintingFromWMPaint_ = was;
        }
        return;
    }
    case WM_ERASEBKGND:
        message.Result = 1; // the paint covers every pixel
        return;
    case WM_PARENTBGCHANGED: return;
    default: vcl::TCustomControl::WndProc(message);
    }
}

void TqvSkinControl::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TCustomControl::Notification(component, operation);
    if (operation != vcl::TOperation::opRemove) {
        return;
    }
    // The bound index stays until the next paint re-evaluates it (which then finds no skin).
    if (component == skinData_) {
        skinData_ = nullptr;
    }
    if (component == hintImageList_) {
        hintImageList_ = nullptr;
    }
}

void ApplySkinFont(vcl::TCanvas* canvas, bool useSkinFont, const std::string& name, int height,
                   unsigned style, const vcl::TFont& defaultFont, const TqvSkinData* skinData) {
    vcl::TFont* font = canvas->Font();
    if (useSkinFont) {
        font->SetName(name);
        font->SetHeight(height);
        font->SetStyle(style);
    } else {
        font->Assign(&defaultFont);
    }
    if (skinData != nullptr && skinData->ResourceStrData() != nullptr) {
        font->SetCharset(skinData->ResourceStrData()->CharSet());
    } else {
        font->SetCharset(defaultFont.Charset());
    }
}

} // namespace qv
