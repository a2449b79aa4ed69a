#pragma once
// The part the skinned text labels share: a framework label (no window, drawn on its parent) bound
// by section name to a "stdlabel" record, whose font and colours it takes. It re-binds at every
// draw, so a skin change or a new name takes effect at the next paint.

#include "framework/Label.h"
#include "skin/data/qvSkinClient.h"
#include "skin/data/qvSkinData.h"

#include <memory>
#include <string>

namespace qv {

class TqvSkinLabelBase : public vcl::TCustomLabel, public IqvSkinClient {
public:
    explicit TqvSkinLabelBase(vcl::TComponent* owner);
    ~TqvSkinLabelBase() override;

    TqvSkinData* SkinData() const override { return skinData_; }
    void SetSkinData(TqvSkinData* data);
    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(const std::string& name);
    vcl::TFont* DefaultFont() const { return defaultFont_.get(); }
    void SetDefaultFont(const vcl::TFont* font) { defaultFont_->Assign(font); }
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool on);
    int SkinRecordIndex() const { return skinRecordIndex_; }

    void ReleaseSkinRecord() override { skinRecordIndex_ = -1; }
    void ApplySkin() override;

    // Copies of the bound "stdlabel" record.
    std::string fontname = "Arial";
    int fontheight = 14;
    unsigned fontstyle = 0;
    vcl::TColor fontcolor = 0;
    vcl::TColor activefontcolor = 0;

protected:
    // Looks the record up by name and copies its font when it is a "stdlabel" record.
    void Rebind();
    // The charset rule of the skinned controls, applied to the canvas font.
    void ApplyCharset(vcl::TFont* font) const;
    // Draws text twice, one pixel apart, in the highlight and shadow colours (disabled look).
    void DrawDisabled(const std::string& text, RECT& rect, UINT flags);
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

    int skinRecordIndex_ = -1;

private:
    TqvSkinData* skinData_ = nullptr;
    std::string skinDataName_ = "stdlabel";
    std::unique_ptr<vcl::TFont> defaultFont_;
    bool useSkinFont_ = true;
};

} // namespace qv
