#pragma once
// TqvPopupListBox: the skinned list box as the combo box shows it, a top-level tool window that
// never takes the activation or the focus from the window that owns the combo box. The combo box
// places it with ShowPopupAt and hides it with HidePopup; with the box's AlphaBlend the window is
// made layered, and with AlphaBlendAnimation its alpha rises from 0 in steps driven by a timer.

#include "skin/controls/qvSkinListBox.h"

#include <cstdint>
#include <memory>

namespace vcl {
class TTimer;
}

namespace qv {

// What the popup reads from the combo box that owns it.
class IqvPopupListOwner {
public:
    virtual bool AlphaBlend() const = 0;
    virtual bool AlphaBlendAnimation() const = 0;
    virtual BYTE AlphaBlendValue() const = 0;

protected:
    ~IqvPopupListOwner() = default;
};

class TqvPopupListBox : public TqvSkinListBox {
public:
    // The alpha grows by this much per step, one step whenever the step period passed.
    static constexpr int kFadeStep = 10;
    static constexpr UINT kFadePeriodMs = 5;

    explicit TqvPopupListBox(vcl::TComponent* owner);
    ~TqvPopupListBox() override;

    void SetPopupOwner(IqvPopupListOwner* owner) { popupOwner_ = owner; }
    // Shows the list with its top-left at a screen point, without activating it.
    void ShowPopupAt(POINT screen);
    void HidePopup();
    bool PopupShown();

    bool LayeredApplied() const { return layeredApplied_; }
    BYTE AppliedAlpha() const { return appliedAlpha_; }
    bool Fading() const;

protected:
    void CreateParams(vcl::TCreateParams& params) override;
    void WndProc(vcl::TMessage& message) override;
    // A press chooses the row under the pointer without giving the native list the focus,
    // which would activate the popup.
    void ListBoxWndProc(vcl::TMessage& message, bool& cont) override;

private:
    void FadeStep();

    IqvPopupListOwner* popupOwner_ = nullptr;
    bool layeredApplied_ = false;
    BYTE appliedAlpha_ = 0;
    std::unique_ptr<vcl::TTimer> fadeTimer_;
};

} // namespace qv
