#pragma once
// TqvSkinCustomControl: the base of the controls drawn from a picture-based record. It copies the
// bound record's geometry, classifies it into a layout kind, makes the control's size follow the
// skin (a Fixed record fixes both sides, a Horizontal one the height, a Vertical one the width,
// a Corners one neither), composes the control image for any size and shapes the window from the
// record's mask picture.

#include "skin/controls/qvSkinControl.h"
#include "skin/data/qvCompose.h"

#include <memory>

namespace qv {

// Layout kinds of a bound record (SkinLayout).
enum TqvSkinLayout : int { slNone = -1, slFixed = 0, slCorners = 1, slHorizontal = 2, slVertical = 3 };

class TqvSkinCustomControl : public TqvSkinControl {
public:
    explicit TqvSkinCustomControl(vcl::TComponent* owner);
    ~TqvSkinCustomControl() override;

    // --- published ---
    vcl::TFont* DefaultFont() const { return defaultFont_.get(); }
    void SetDefaultFont(const vcl::TFont* font) { defaultFont_->Assign(font); }
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int value);
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int value);
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool on);
    bool DirectFramePaint() const { return directFramePaint_; }
    void SetDirectFramePaint(bool on) { directFramePaint_ = on; }
    bool FillClientFromSkin() const { return fillClientFromSkin_; }
    void SetFillClientFromSkin(bool on) { fillClientFromSkin_ = on; }

    // --- the bound record's geometry ---
    int SkinLayout() const { return skinLayout_; }
    const gfx::Bitmap* SkinPicture() const { return skinPicture_; }
    const gfx::Bitmap* SkinMaskPicture() const { return skinMaskPicture_; }

    // Replaces the wanted size W x H by the skin's where the layout fixes it and moves the Sized
    // points and client rectangle to the resulting size.
    virtual void FitSizeToSkin(int& width, int& height);
    // Gives the window the region of the record's mask picture at the current size (or none).
    virtual void UpdateSkinRegion();
    // Maps a rectangle of the record (relative to skinrect) onto the control at its current size.
    RECT SkinToControlRect(const RECT& r) const;
    // Sends WM_PARENTBGCHANGED to every child.
    void NotifyChildrenBackground();

    void ReadSkinRecord() override;
    void ApplySkin() override;
    void SetBounds(int left, int top, int width, int height) override;
    void PaintTo(vcl::TCanvas* canvas) override;

    // Copies of the bound record, under the skin key names.
    POINT lefttoppoint{};
    POINT righttoppoint{};
    POINT leftbottompoint{};
    POINT rightbottompoint{};
    RECT skinrect{};
    RECT clientrect{};
    POINT SizedLeftTopPoint{};
    POINT SizedRightTopPoint{};
    POINT SizedLeftBottomPoint{};
    POINT SizedRightBottomPoint{};
    RECT SizedClientRect{};
    bool stretcheffect = false;
    int stretchtype = 0;
    bool leftstretch = false;
    bool topstretch = false;
    bool rightstretch = false;
    bool bottomstretch = false;

protected:
    virtual void DefaultFontChanged() {}
    void DrawDefaultImage(vcl::TBitmap& bitmap) override;
    void DrawSkinImage(vcl::TBitmap& bitmap) override;
    void CreateWnd() override;

    // Composes source of picture into bitmap at the control's size, by the layout kind.
    void BuildControlImage(vcl::TBitmap& bitmap, const gfx::Bitmap& picture, const RECT& source);
    // The record geometry and its form for the current size, for the composition primitives.
    TqvSkinGeometry RecordGeometry() const;
    TqvSkinGeometry SizedGeometry() const;
    TqvComposeFlags ComposeFlags(bool drawCentre) const;
    // The record's client tile (clientrect within skinrect) in the skin picture.
    RECT ClientTileRect() const;
    // Fills dest with the client tile: tiled from its top-left, or stretched by stretchtype.
    void FillWithClientTile(vcl::TCanvas* canvas, const RECT& dest);
    // Paints the border strips and the client tile straight onto canvas (large Corners controls).
    void PaintDirectFrame(vcl::TCanvas* canvas);
    // The font rule of every skinned control, with the record's font.
    void ApplyFont(vcl::TCanvas* canvas, const std::string& name, int height, unsigned style) const;
    // Sets the window region; the old one is freed after the window took the new one.
    void SetSkinRegion(HRGN region);

    const gfx::Bitmap* skinPicture_ = nullptr;
    const gfx::Bitmap* skinMaskPicture_ = nullptr;
    int skinLayout_ = slNone;
    // The bound record carries picture geometry (it is of a picture-based kind).
    bool hasGeometry_ = false;

private:
    bool directFramePaint_ = false;
    bool fillClientFromSkin_ = true;
    int defaultWidth_ = 0;
    int defaultHeight_ = 0;
    std::unique_ptr<vcl::TFont> defaultFont_;
    bool useSkinFont_ = true;
};

// Draws part src of picture at (x, y) of canvas (stretched to w x h when given).
void DrawPicturePart(vcl::TCanvas* canvas, const gfx::Bitmap& picture, const RECT& src, int x, int y,
                     int w = -1, int h = -1);
// Draws a bitmap at (x, y) of canvas.
void DrawBitmapAt(vcl::TCanvas* canvas, const gfx::Bitmap& bitmap, int x, int y);

} // namespace qv
