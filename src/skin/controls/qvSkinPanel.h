#pragma once
// TqvSkinPanel: the skinned container. It draws a framed background from a "panel" record (border
// strips and the client tile straight onto the window, so large panels cost no full-size image)
// and lays its children out inside the record's client rectangle. Options: a caption bar with a
// check box and a roll-up arrow, rolling up to the caption, and a transparent mode that shows
// the parent's background.

#include "skin/controls/qvSkinCustomControl.h"

#include <functional>

namespace qv {

enum class TqvPanelBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };
using enum TqvPanelBorderStyle;

class TqvSkinPanel : public TqvSkinCustomControl {
public:
    explicit TqvSkinPanel(vcl::TComponent* owner);

    // --- published ---
    TqvPanelBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TqvPanelBorderStyle style);
    bool TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(bool on);
    bool CaptionMode() const { return captionMode_; }
    void SetCaptionMode(bool on);
    int DefaultCaptionHeight() const { return defaultCaptionHeight_; }
    void SetDefaultCaptionHeight(int height);
    int DefaultAlignment() const { return defaultAlignment_; }
    void SetDefaultAlignment(int alignment); // TAlignment of the skin text
    bool RollUpMode() const { return rollUpMode_; }
    void SetRollUpMode(bool on);
    bool RollUpState() const { return rollUpState_; }
    void SetRollUpState(bool on);
    int RealHeight() const { return realHeight_; }
    bool CheckedMode() const { return checkedMode_; }
    void SetCheckedMode(bool on);
    bool Checked() const { return checked_; }
    void SetChecked(bool on);
    bool AutoEnabledControls() const { return autoEnabledControls_; }
    void SetAutoEnabledControls(bool on) { autoEnabledControls_ = on; }
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    vcl::TNotifyEvent OnChecked;
    vcl::TNotifyEvent OnChangeRollUpState;

    RECT AlignRect() override;
    void ApplySkin() override;
    void SetBounds(int left, int top, int width, int height) override;
    void ReadSkinRecord() override;
    void PaintTo(vcl::TCanvas* canvas) override;

    // Copies of the bound "panel" record.
    RECT captionrect{};
    int alignment = 0;
    std::string fontname = "Arial";
    int fontheight = 14;
    unsigned fontstyle = 0;
    vcl::TColor fontcolor = 0;
    int bgpictureindex = -1;
    RECT checkimagerect{};
    RECT uncheckimagerect{};

protected:
    void DrawDefaultImage(vcl::TBitmap& bitmap) override;
    void DrawSkinImage(vcl::TBitmap& bitmap) override;
    void WndProc(vcl::TMessage& message) override;
    void MouseUp(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) override;
    void CMTextChanged(vcl::TMessage& message) override;
    void CMEnabledChanged(vcl::TMessage& message) override;

private:
    bool ClientTileCoversAll() const;
    // The caption bar of the default look, and of the skin (the mapped caption rectangle).
    RECT CaptionBarRect() const;
    void DrawCaptionText(vcl::TCanvas* canvas, RECT r, int align, bool checkBox);
    void PaintTransparent(vcl::TCanvas* canvas);
    void TileOver(vcl::TCanvas* canvas, const gfx::Bitmap& picture, const RECT& tile, const RECT& dest);

    TqvPanelBorderStyle borderStyle_ = bvFrame;
    bool transparentMode_ = false;
    bool captionMode_ = false;
    int defaultCaptionHeight_ = 22;
    int defaultAlignment_ = 0;
    bool rollUpMode_ = false;
    bool rollUpState_ = false;
    int realHeight_ = -1;
    bool checkedMode_ = false;
    bool checked_ = false;
    bool autoEnabledControls_ = true;
    int spacing_ = 2;
};

} // namespace qv
