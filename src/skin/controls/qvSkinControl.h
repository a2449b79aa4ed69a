#pragma once
// TqvSkinControl: a windowed control bound to one control skin record by the record's section name.
//
// The control holds no record: it looks the record up by name (SkinRecordIndex) at every paint, on
// ApplySkin and wherever a descendant needs it, so a skin reload or a changed SkinDataName never
// leaves it drawing from freed records. Each paint draws the whole control into an off-screen
// bitmap (from the skin when a record is bound, else the plain default look) and copies it onto
// the control; WM_ERASEBKGND erases nothing, since that paint covers every pixel.

#include "framework/Graphic.h"
#include "framework/ImageList.h"
#include "framework/WinControl.h"
#include "skin/data/qvHintSource.h"
#include "skin/data/qvSkinClient.h"
#include "skin/data/qvSkinData.h"

#include <string>

namespace qv {

class TqvSkinControl : public vcl::TCustomControl, public IqvSkinClient, public IqvHintSource {
public:
    explicit TqvSkinControl(vcl::TComponent* owner);
    ~TqvSkinControl() override;

    // --- published ---
    TqvSkinData* SkinData() const override { return skinData_; }
    virtual void SetSkinData(TqvSkinData* data);
    const std::string& SkinDataName() const { return skinDataName_; }
    // Only stores the name: it takes effect at the next paint or ApplySkin.
    virtual void SetSkinDataName(const std::string& name);
    const std::string& HintTitle() const override { return hintTitle_; }
    void SetHintTitle(const std::string& title) { hintTitle_ = title; }
    int HintImageIndex() const override { return hintImageIndex_; }
    void SetHintImageIndex(int index) { hintImageIndex_ = index; }
    vcl::TImageList* HintImageList() const override { return hintImageList_; }
    void SetHintImageList(vcl::TImageList* list);

    // --- binding ---
    // Index of the bound record in SkinData's ControlSkins, -1 when none is bound.
    int SkinRecordIndex() const { return skinRecordIndex_; }
    // The bound record, or nullptr.
    const TqvDataSkinControl* SkinRecord() const;
    bool PaintingFromWMPaint() const { return paintingFromWMPaint_; }

    virtual void ReadSkinRecord();
    void ApplySkin() override;
    void ReleaseSkinRecord() override;

    // Draws the whole control as its paint would into canvas (the control's own canvas when
    // painting, a bitmap's for previews); canvas maps the control's client coordinates.
    virtual void PaintTo(vcl::TCanvas* canvas);

protected:
    // Draw the whole control into bitmap, which already has the control's size.
    virtual void DrawDefaultImage(vcl::TBitmap& bitmap);
    virtual void DrawSkinImage(vcl::TBitmap& bitmap);

    void Paint() override;
    void WndProc(vcl::TMessage& message) override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

    int skinRecordIndex_ = -1;
    HRGN windowRegion_ = nullptr;

private:
    bool paintingFromWMPaint_ = false;
    TqvSkinData* skinData_ = nullptr;
    std::string skinDataName_;
    std::string hintTitle_;
    int hintImageIndex_ = 0;
    vcl::TImageList* hintImageList_ = nullptr;
};

// Sets the canvas font by the rule every skinned control shares: the record's name, height and
// style when useSkinFont, else the whole default font; the charset then comes from the skin data's
// resource strings when it has some, else from the default font.
void ApplySkinFont(vcl::TCanvas* canvas, bool useSkinFont, const std::string& name, int height,
                   unsigned style, const vcl::TFont& defaultFont, const TqvSkinData* skinData);

} // namespace qv
