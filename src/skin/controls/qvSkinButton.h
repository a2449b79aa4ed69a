#pragma once
// TqvSkinButton: the push button drawn from a "button" record: a normal, hot, pressed, focused and
// disabled look (each a rectangle of the skin picture) with the caption and an optional glyph over
// it. It repeats clicks while held (RepeatMode), works as a grouped toggle (GroupIndex), as the
// default or cancel button of a form, from the keyboard, and shows two optional skin effects: a
// cross-fade between the normal and the hot look, and a frame animation.
//
// Hot and pressed come from the shared TqvPushTracker (one part), which also runs the repeat.
// A click goes through DeliverClick, which survives an OnClick that frees the button.

#include "skin/controls/qvPushTracker.h"
#include "skin/controls/qvSkinCustomControl.h"

#include <functional>
#include <memory>

namespace vcl {
class TTimer;
}

namespace qv {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using enum TButtonLayout;

// Cnvs: the off-screen canvas; R: the text rectangle; clear DrawDefault to skip glyph and caption.
using TqvButtonPaintEvent = std::function<void(vcl::TObject* sender, vcl::TCanvas* Cnvs, const RECT& R,
                                               bool ADown, bool AMouseIn, bool& DrawDefault)>;

class TqvSkinButton : public TqvSkinCustomControl {
public:
    explicit TqvSkinButton(vcl::TComponent* owner);
    ~TqvSkinButton() override;

    // --- published ---
    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool on);
    bool UseSkinFontColor() const { return useSkinFontColor_; }
    void SetUseSkinFontColor(bool on);
    bool RepeatMode() const { return repeatMode_; }
    void SetRepeatMode(bool on) { repeatMode_ = on; }
    int RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(int ms) { repeatInterval_ = ms; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool on) { allowAllUp_ = on; }
    bool Default() const { return default_; }
    void SetDefault(bool on);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on) { cancel_ = on; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    bool CanFocused() const { return canFocused_; }
    void SetCanFocused(bool on);
    bool Down() const { return down_; }
    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    vcl::TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(const vcl::TBitmap* glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    vcl::TImageList* ImageList() const { return imageList_; }
    void SetImageList(vcl::TImageList* list);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    TqvButtonPaintEvent OnPaint;

    // --- state (read-only views of what the look is derived from) ---
    bool MouseInside() const { return tracker_.IsHot(0); }
    bool PressedByMouse() const { return tracker_.IsPressed(0); }
    bool ActiveDefault() const { return activeDefault_; }
    double MorphLevel() const { return morphLevel_; }
    bool RepeatTimerRunning() const { return tracker_.Repeating(); }

    // The button's click: the form's ModalResult (when the button can take the focus), then
    // OnClick. The handler may free the button.
    virtual void DeliverClick();
    void Click() override {} // the framework's own click: clicks go through DeliverClick

    void ReadSkinRecord() override;
    void ApplySkin() override;
    void FitSizeToSkin(int& width, int& height) override;
    void PaintTo(vcl::TCanvas* canvas) override;

    // Forces the look for previews (normal, hot, down, focused) without input.
    void ForceState(bool hot, bool down, bool focused);

    // Copies of the bound "button" record.
    std::string fontname = "Arial";
    int fontheight = 14;
    unsigned fontstyle = 0;
    vcl::TColor fontcolor = 0;
    vcl::TColor activefontcolor = 0;
    vcl::TColor downfontcolor = 0;
    vcl::TColor disabledfontcolor = 0;
    RECT activeskinrect{};
    RECT downskinrect{};
    RECT disabledskinrect{};
    RECT focusedskinrect{};
    bool morphing = false;
    int morphkind = 0;
    RECT animateskinrect{};
    int framecount = 0;
    int animateinterval = 25;
    bool showfocus = false;

protected:
    virtual void DrawStateImage(vcl::TBitmap& bitmap, const RECT& source, bool down, bool hot);
    void DrawDefaultImage(vcl::TBitmap& bitmap) override;

    void WndProc(vcl::TMessage& message) override;
    void MouseDown(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) override;
    void MouseMove(vcl::TShiftState shift, int x, int y) override;
    void CMMouseEnter(vcl::TMessage& message) override;
    void CMMouseLeave(vcl::TMessage& message) override;
    void CMEnabledChanged(vcl::TMessage& message) override;
    void CMTextChanged(vcl::TMessage& message) override;
    void CMDialogKey(vcl::TMessage& message) override;
    void CMFocusChanged(vcl::TMessage& message) override;
    void CreateWnd() override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

    // Whether the button looks hot: the mouse is over it, or it has the focus and can take it.
    bool IsHot() const;
    bool FocusedAndCanFocus() const;
    // The pressed look's condition.
    bool ShowsPressed() const;
    bool SkinEffectsOn() const;
    bool MorphingActive() const;
    void StartMorphOrRepaint();
    void StopMorph();
    void StartAnimation(bool in);
    void StopAnimation();
    // The text rectangle and glyph/caption drawing shared by the skinned and default looks.
    void DrawGlyphCaption(vcl::TCanvas* canvas, const RECT& rect, bool down, bool hot, bool pressedShift);
    // The source rectangle of animation frame k (1-based).
    RECT AnimationFrameRect(int k) const;

private:
    void HandleRelease();
    void MouseEntered();
    void MouseLeft();
    void SetMouseInside(bool inside);
    void MorphTick();
    void AnimationTick();
    bool HandleKey(vcl::TMessage& message);

    TqvPushTracker tracker_{1};
    bool useSkinSize_ = true;
    bool useSkinFontColor_ = true;
    bool repeatMode_ = false;
    int repeatInterval_ = 100;
    bool allowAllUp_ = false;
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
    bool canFocused_ = true;
    bool down_ = false;
    int groupIndex_ = 0;
    std::unique_ptr<vcl::TBitmap> glyph_;
    int numGlyphs_ = 1;
    int margin_ = -1;
    int spacing_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    vcl::TImageList* imageList_ = nullptr;
    int imageIndex_ = -1;

    bool activeDefault_ = false;
    bool wasDownAtPress_ = false;
    bool suppressClicks_ = false;
    double morphLevel_ = 0;
    int animationFrame_ = 0;
    bool animatingIn_ = false;
    std::unique_ptr<vcl::TTimer> morphTimer_;
    std::unique_ptr<vcl::TTimer> animationTimer_;
    // Previews force a look without input.
    bool forced_ = false;
    bool forcedHot_ = false;
    bool forcedDown_ = false;
    bool forcedFocused_ = false;
};

} // namespace qv
