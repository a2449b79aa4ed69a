#include "skin/controls/qvSkinLabelBase.h"

#include "framework/Canvas.h"
#include "skin/data/qvResourceStr.h"

namespace qv {

TqvSkinLabelBase::TqvSkinLabelBase(vcl::TComponent* owner)
    : vcl::TCustomLabel(owner), defaultFont_(std::make_unique<vcl::TFont>()) {
    SetTransparent(true);
    defaultFont_->OnChange = [this](vcl::TObject*) {
        AdjustBounds();
        Invalidate();
    };
}

TqvSkinLabelBase::~TqvSkinLabelBase() {
    defaultFont_->OnChange = nullptr;
    if (skinData_ != nullptr) {
        skinData_->RemoveFreeNotification(this);
    }
}

void TqvSkinLabelBase::SetSkinData(TqvSkinData* data) {
    if (skinData_ != nullptr && skinData_ != data) {
        skinData_->RemoveFreeNotification(this);
    }
    skinData_ = data;
    if (data != nullptr) {
        data->FreeNotification(this);
        ApplySkin();
    }
}

void TqvSkinLabelBase::SetSkinDataName(const std::string& name) {
    skinDataName_ = name;
    Invalidate();
}

void TqvSkinLabelBase::SetUseSkinFont(bool on) {
    if (on != useSkinFont_) {
        useSkinFont_ = on;
        AdjustBounds();
        Invalidate();
    }
}

void TqvSkinLabelBase::ApplySkin() {
    Rebind();
    AdjustBounds();
    Invalidate();
}

void TqvSkinLabelBase::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TCustomLabel::Notification(component, operation);
    if (operation == vcl::TOperation::opRemove && component == skinData_) {
        skinData_ = nullptr;
    }
}

void TqvSkinLabelBase::Rebind() {
    if (skinData_ == nullptr || skinData_->IsEmpty()) {
        skinRecordIndex_ = -1;
        return;
    }
    skinRecordIndex_ = skinData_->IndexOfControlSkin(skinDataName_);
    if (skinRecordIndex_ < 0) {
        return;
    }
    auto* record = dynamic_cast<const TqvDataSkinStdLabelControl*>(
        skinData_->ControlSkins[std::size_t(skinRecordIndex_)].get());
    if (record != nullptr) {
        fontname = record->font.name;
        fontheight = record->font.height;
        fontstyle = record->font.style;
        fontcolor = record->font.color;
        activefontcolor = record->activefontcolor;
    }
}

void TqvSkinLabelBase::ApplyCharset(vcl::TFont* font) const {
    if (skinData_ != nullptr && skinData_->ResourceStrData() != nullptr) {
        font->SetCharset(skinData_->ResourceStrData()->CharSet());
    } else {
        font->SetCharset(defaultFont_->Charset());
    }
}

void TqvSkinLabelBase::DrawDisabled(const std::string& text, RECT& rect, UINT flags) {
    vcl::TCanvas* c = Canvas();
    const bool skinned = skinRecordIndex_ != -1 && skinData_ != nullptr;
    RECT shifted = rect;
    shifted.left += 1;
    shifted.top += 1;
    shifted.right += 1;
    shifted.bottom += 1;
    c->Font()->SetColor(skinned ? skinData_->Colors.cbtnhighlight : vcl::clBtnHighlight);
    c->DrawText(text, shifted, flags);
    c->Font()->SetColor(skinned ? skinData_->Colors.cbtnshadow : vcl::clBtnShadow);
    c->DrawText(text, rect, flags);
}

} // namespace qv
