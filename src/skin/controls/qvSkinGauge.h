#pragma once
// TqvSkinGauge: the skinned progress bar. The frame comes from a "gauge" record; inside the record's
// progress area a bar proportional to Value between MinValue and MaxValue is built from the small
// progress picture (tiled or stretched, closed by two end caps), with an optional centred text (a
// fixed text and/or a percentage). An optional animation replaces the bar's picture by frames
// from time to time, on window timers.

#include "skin/controls/qvSkinCustomControl.h"

#include <functional>
#include <memory>

namespace vcl {
class TTimer;
}

namespace qv {

// Replaces the drawing of the bar and the text: the image canvas, the progress area and the bar.
using TqvGaugePaintEvent = std::function<void(vcl::TObject* sender, vcl::TCanvas* Cnvs,
                                              const RECT& AProgressArea, const RECT& AProgressRect)>;

class TqvSkinGauge : public TqvSkinCustomControl {
public:
    explicit TqvSkinGauge(vcl::TComponent* owner);
    ~TqvSkinGauge() override;

    // --- published ---
    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool on);
    int MinValue() const { return minValue_; }
    void SetMinValue(int value);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value);
    int Value() const { return value_; }
    // Clamped to MaxValue, then to MinValue. Invalidates only when the gauge would look different:
    // a value that draws the same bar and text as the one last drawn or invalidated for is just
    // recorded, so a caller may set it once per line of a large file.
    void SetValue(int value);
    bool Vertical() const { return vertical_; }
    void SetVertical(bool on);
    bool ShowProgressText() const { return showProgressText_; }
    void SetShowProgressText(bool on);
    bool ShowPercent() const { return showPercent_; }
    void SetShowPercent(bool on);
    const std::string& ProgressText() const { return progressText_; }
    void SetProgressText(const std::string& text);
    int ProgressAnimationPause() const { return progressAnimationPause_; }
    void SetProgressAnimationPause(int ms);
    TqvGaugePaintEvent OnGaugePaint;

    // --- derived ---
    RECT SizedProgressArea{};
    // The bar of value v inside area a.
    RECT ProgressRectFor(int v, const RECT& a) const;
    // The percentage shown for value v.
    int PercentFor(int v) const;
    // The bar of Value in SizedProgressArea (after a paint or fitting).
    RECT CurrentProgressRect() const { return ProgressRectFor(value_, SizedProgressArea); }
    // The text the gauge draws ("" when none).
    std::string GaugeText() const;
    int Percent() const;
    bool EffectiveVertical() const;
    int ProgressAnimationFrame() const { return progressAnimationFrame_; }

    void StartProgressAnimation();
    void StopProgressAnimation();

    void ReadSkinRecord() override;
    void ApplySkin() override;
    void FitSizeToSkin(int& width, int& height) override;
    void PaintTo(vcl::TCanvas* canvas) override;

    // Copies of the bound "gauge" record.
    RECT progressarea{};
    RECT progressrect{};
    bool vertical = false;
    int beginoffset = 0;
    int endoffset = 0;
    std::string fontname = "Arial";
    int fontheight = 14;
    unsigned fontstyle = 0;
    vcl::TColor fontcolor = 0;
    bool progresstransparent = false;
    vcl::TColor progresstransparentcolor = 0;
    bool progressstretch = false;
    RECT progressanimationskinrect{};
    int progressanimationcountframes = 0;
    int progressanimationtimerinterval = 0;

protected:
    void DrawDefaultImage(vcl::TBitmap& bitmap) override;
    void DrawSkinImage(vcl::TBitmap& bitmap) override;

private:
    // The bar of size R built from the progress picture, drawn onto canvas at R's top-left.
    // Returns false when the trimmed tile is empty (nothing, not even the text, is drawn).
    bool DrawBar(vcl::TCanvas* canvas, const RECT& r);
    void DrawText(vcl::TCanvas* canvas, int width, int height, bool fromRecord);
    bool AnimationShowsFrame() const;
    RECT AnimationFrameRect(int k) const;
    void RestartAnimation();
    void AnimationTick();
    // What value v puts on the screen when the bar lives in area a: its bar and its percentage.
    bool DrawsLike(int v, int w, const RECT& a) const;
    // Notes that the gauge was drawn (or will be) for the current value with its bar in area a:
    // finds the run of values around it that draw the same.
    void NoteDrawn(const RECT& a);
    void NoteDrawnExactly();

    bool useSkinSize_ = true;
    int minValue_ = 0;
    int maxValue_ = 100;
    int value_ = 50;
    bool vertical_ = false;
    bool showProgressText_ = false;
    bool showPercent_ = false;
    std::string progressText_;
    int progressAnimationPause_ = 3000;
    int progressAnimationFrame_ = 0;
    // The values that draw exactly what was last drawn or invalidated for (empty at first), and
    // the bar's area then.
    int steadyLow_ = 1;
    int steadyHigh_ = 0;
    RECT steadyArea_{};
    std::unique_ptr<vcl::TTimer> pauseTimer_;
    std::unique_ptr<vcl::TTimer> animationTimer_;
};

} // namespace qv
