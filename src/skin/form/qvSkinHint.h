#pragma once
// Skinned hints. TqvSkinHint, placed on the main form, makes the application show every tooltip
// in a TqvSkinHintWindow drawn from the skin's [HINTWINDOW] picture (nine parts around the text,
// outlined by the hint mask), with an optional bold title and image that skinned controls supply.
// The form skin shows its caption buttons' hints through it (IqvObjectHintHost), as direct hints
// that follow the pointer after the application's hint pause.
//
// The hint window is a topmost popup that never takes the activation or the focus. It finds the
// TqvSkinHint it works for at each showing (the first active one on the main form), so a hint
// component that goes away never leaves the window holding it.

#include "framework/Forms.h"
#include "framework/HintWindow.h"
#include "framework/ImageList.h"
#include "framework/Timer.h"
#include "skin/data/qvCompose.h"
#include "skin/data/qvSkinData.h"
#include "skin/form/Veltrane.h"

#include <memory>
#include <string>

namespace qv {

class TqvSkinHint;

// Where the pieces of a skinned hint go for content of a given size.
struct TqvHintLayout {
    int Width = 0;
    int Height = 0;
    // Where the content is centred (HintClientArea), in window coordinates.
    RECT ClientArea{};
    // The record's corner points with its clientrect, and the same anchored to Width x Height.
    TqvSkinGeometry Geometry{};
    TqvSkinGeometry Scaled{};
};

// The window size for content (text, or title and text) of size content with the hint picture
// of size picture: the picture's margins around the content plus extraWidth, grown where the
// anchored corner points would otherwise cross.
TqvHintLayout LayoutSkinnedHint(SIZE content, SIZE picture, const TqvDataSkinHintWindow& skin,
                                int extraWidth);

// The rectangle of a w x h hint whose top-left would be at: moved left of it by w + 2 when it
// passes limit's right edge, above it by h + 2 when it passes the bottom, and never left of or
// above the limit.
RECT PlaceHint(POINT at, int w, int h, const RECT& limit);

// The hint text with every separator made a line break.
std::string HintDisplayText(const std::string& text, const std::string& separator);

class TqvSkinHintWindow : public vcl::THintWindow {
public:
    // The opacity rises by this much per step of the fade-in, one step per period.
    static constexpr int kFadeStep = 20;
    static constexpr UINT kFadePeriodMs = 4;

    explicit TqvSkinHintWindow(vcl::TComponent* owner);
    ~TqvSkinHintWindow() override;

    // Shows text with its top-left at rect's (screen coordinates), sized to the text.
    void ActivateHint(const RECT& rect, const std::string& text) override;
    RECT CalcHintRect(int maxWidth, const std::string& text) override;

    // The hint component this window works for: the first active TqvSkinHint owned by the
    // application's main form, or nullptr.
    static TqvSkinHint* FindSkinHint();
    // The skin data of hint whose hint record has a picture, else nullptr.
    static TqvSkinData* HintSkinOf(const TqvSkinHint* hint);

    // What the last showing computed.
    bool Skinned() const { return skinned_; }
    bool Titled() const { return titled_; }
    const RECT& HintClientArea() const { return layout_.ClientArea; }
    const TqvHintLayout& Layout() const { return layout_; }
    const std::string& Text() const { return text_; }
    // The region given to the window (the window owns it), or nullptr.
    HRGN WindowRegion() const { return windowRegion_; }
    bool LayeredApplied() const { return layeredApplied_; }
    BYTE AppliedAlpha() const { return appliedAlpha_; }
    bool Fading() const;

    // The whole window's picture, as the paint draws it.
    void PaintTo(vcl::TCanvas* canvas);

protected:
    void CreateParams(vcl::TCreateParams& params) override;
    void WndProc(vcl::TMessage& message) override;
    void Paint() override;

private:
    struct Content;
    // Sets canvas's font to the hint's (the skin's or the hint component's default).
    void ApplyFont(vcl::TCanvas* canvas, const TqvSkinHint* hint, bool bold) const;
    SIZE MeasureContent(const TqvSkinHint* hint);
    RECT WorkLimit() const;
    void ApplyOpacity(const TqvSkinHint* hint);
    void ApplyRegion(const TqvSkinHint* hint);
    void FadeStep();
    void DrawContent(vcl::TCanvas* canvas, const RECT& area, bool skinnedLook);

    std::string text_;
    std::string title_;
    vcl::TImageList* images_ = nullptr;
    int imageIndex_ = -1;
    bool skinned_ = false;
    bool titled_ = false;
    TColor textColor_ = 0;
    SIZE textSize_{};
    SIZE titleSize_{};
    TqvHintLayout layout_;
    std::unique_ptr<vcl::TFont> font_;
    HRGN windowRegion_ = nullptr;
    bool layeredApplied_ = false;
    int appliedAlpha_ = -1;
    BYTE fadeTarget_ = 255;
    std::unique_ptr<vcl::TTimer> fadeTimer_;
};

class TqvSkinHint : public vcl::TComponent, public IqvObjectHintHost {
public:
    explicit TqvSkinHint(vcl::TComponent* owner);
    ~TqvSkinHint() override;

    // ---- published ----
    bool Active() const { return active_; }
    void SetActive(bool on);
    TqvSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TqvSkinData* data);
    vcl::TFont* DefaultFont() const { return defaultFont_.get(); }
    void SetDefaultFont(const vcl::TFont* font);
    bool UseSkinFont = true;
    bool AlphaBlend = false;
    BYTE AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    std::string LineSeparator = "@";
    vcl::TShowHintEvent OnShowHint;

    // ---- title and image of the hint about to show ----
    std::string HintTitle;
    int HintImageIndex = -1;
    vcl::TImageList* HintImages = nullptr;

    // Shows text after the application's hint pause below the pointer, then hides it after the
    // hint hide pause.
    void ShowHintText(const std::string& text);
    void HideHintText();
    const std::string& PendingText() const { return pendingText_; }
    bool HintPending() const;
    TqvSkinHintWindow* HintWindow() const { return hintWindow_; }

    // IqvObjectHintHost: the form skin's caption buttons.
    void ActivateObjectHint(const std::string& text) override { ShowHintText(text); }
    void HideObjectHint() override { HideHintText(); }

    // The application's show-hint handler while this component holds it.
    void ShowHintHandler(std::string& hintStr, bool& canShow, vcl::THintInfo& info);

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    void InstallShowHintHandler();
    void ArmHintTimer(int ms);
    void HintTimerTick();
    void ClearTitle();

    bool active_ = true;
    TqvSkinData* skinData_ = nullptr;
    std::unique_ptr<vcl::TFont> defaultFont_;
    TqvSkinHintWindow* hintWindow_ = nullptr;
    std::string pendingText_;
    std::unique_ptr<vcl::TTimer> hintTimer_;
    bool hideStage_ = false;
};

} // namespace qv
