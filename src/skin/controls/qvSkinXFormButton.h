#pragma once
// TqvSkinXFormButton: the button of the tool's windows. Without a bound skin record it draws
// itself from its own pictures (DefImage, and DefActiveImage / DefDownImage for the hot and
// pressed looks), takes their size, and shapes its window from DefMask; with a record it is the
// skinned button. It does not take the focus by default.

#include "skin/controls/qvSkinButton.h"

namespace qv {

class TqvSkinXFormButton : public TqvSkinButton {
public:
    explicit TqvSkinXFormButton(vcl::TComponent* owner);
    ~TqvSkinXFormButton() override;

    vcl::TBitmap* DefImage() const { return defImage_.get(); }
    void SetDefImage(const vcl::TBitmap* image);
    vcl::TBitmap* DefActiveImage() const { return defActiveImage_.get(); }
    void SetDefActiveImage(const vcl::TBitmap* image);
    vcl::TBitmap* DefDownImage() const { return defDownImage_.get(); }
    void SetDefDownImage(const vcl::TBitmap* image);
    vcl::TBitmap* DefMask() const { return defMask_.get(); }
    void SetDefMask(const vcl::TBitmap* mask);
    vcl::TColor DefActiveFontColor() const { return defActiveFontColor_; }
    void SetDefActiveFontColor(vcl::TColor c);
    vcl::TColor DefDownFontColor() const { return defDownFontColor_; }
    void SetDefDownFontColor(vcl::TColor c);

    void SetBounds(int left, int top, int width, int height) override;
    void ApplySkin() override;
    void UpdateSkinRegion() override;

protected:
    void DrawDefaultImage(vcl::TBitmap& bitmap) override;
    void Loaded() override;

private:
    // The own pictures are in use: no record is bound and DefImage holds a picture.
    bool UsesDefImages() const;

    std::unique_ptr<vcl::TBitmap> defImage_;
    std::unique_ptr<vcl::TBitmap> defActiveImage_;
    std::unique_ptr<vcl::TBitmap> defDownImage_;
    std::unique_ptr<vcl::TBitmap> defMask_;
    vcl::TColor defActiveFontColor_ = 0;
    vcl::TColor defDownFontColor_ = 0;
};

} // namespace qv
