#include "skin/controls/qvPopupListBox.h"

#include "framework/Timer.h"
#include "platform/ui/User.h"
#include "skin/data/qvPlatformUtils.h"

#include <algorithm>

namespace qv {

TqvPopupListBox::TqvPopupListBox(vcl::TComponent* owner) : TqvSkinListBox(owner) {
    SetControlStyle(ControlStyle() | vcl::csAcceptsControls | vcl::csNoDesignVisible);
    SetVisible(false);
}

TqvPopupListBox::~TqvPopupListBox() = default;

void TqvPopupListBox::CreateParams(vcl::TCreateParams& params) {
    TqvSkinListBox::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPCHILDREN;
    // WS_EX_NOACTIVATE as well: the window system never makes it the active window, even when a
    // window manager hands it the input focus.
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    params.ClassStyle = CS_SAVEBITS | (IsWindowsXPOrLater() ? CS_DROPSHADOW : 0u);
    params.WinClassName = "TqvPopupListBox";
}

bool TqvPopupListBox::PopupShown() { return HandleAllocated() && Visible() && IsWindowVisible(Handle()); }

bool TqvPopupListBox::Fading() const { return fadeTimer_ != nullptr && fadeTimer_->Enabled(); }

void TqvPopupListBox::HidePopup() {
    if (fadeTimer_ != nullptr) {
        fadeTimer_->SetEnabled(false);
    }
    if (HandleAllocated()) {
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
    SetVisible(false);
}

void TqvPopupListBox::ShowPopupAt(POINT screen) {
    HWND h = Handle();
    const bool layered = IsWindows2000OrLater() && popupOwner_ != nullptr;
    const bool alpha = layered && popupOwner_->AlphaBlend();
    const bool animate = alpha && popupOwner_->AlphaBlendAnimation();
    if (layered) {
        // The layered style and the alpha change only when the box's settings changed.
        LONG_PTR ex = GetWindowLongPtr(h, GWL_EXSTYLE);
        if (alpha && !layeredApplied_) {
            SetWindowLongPtr(h, GWL_EXSTYLE, ex | LONG_PTR(WS_EX_LAYERED));
        } else if (!alpha && layeredApplied_) {
            SetWindowLongPtr(h, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
        }
        layeredApplied_ = alpha;
        if (alpha && appliedAlpha_ != popupOwner_->AlphaBlendValue()) {
            appliedAlpha_ = animate ? 0 : popupOwner_->AlphaBlendValue();
            SetWindowAlpha(h, appliedAlpha_);
        }
    }
    SetWindowPos(h, HWND_TOP, screen.x, screen.y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    SetVisible(true);
    if (animate && appliedAlpha_ < popupOwner_->AlphaBlendValue()) {
        if (fadeTimer_ == nullptr) {
            fadeTimer_ = std::make_unique<vcl::TTimer>(nullptr);
            fadeTimer_->SetInterval(kFadePeriodMs + 1);
            fadeTimer_->SetOnTimer([this](vcl::TObject*) { FadeStep(); });
        }
        fadeTimer_->SetEnabled(true);
    }
}

void TqvPopupListBox::FadeStep() {
    if (popupOwner_ == nullptr || !HandleAllocated()) {
        fadeTimer_->SetEnabled(false);
        return;
    }
    const BYTE target = popupOwner_->AlphaBlendValue();
    appliedAlpha_ = BYTE(std::min<int>(target, appliedAlpha_ + kFadeStep));
    SetWindowAlpha(Handle(), appliedAlpha_);
    if (appliedAlpha_ >= target) {
        fadeTimer_->SetEnabled(false);
    }
}

void TqvPopupListBox::ListBoxWndProc(vcl::TMessage& message, bool& cont) {
    cont = true;
    if (message.Msg != WM_LBUTTONDOWN && message.Msg != WM_LBUTTONDBLCLK) {
        return;
    }
    cont = false;
    const int index = ItemAtPoint(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)}, true);
    if (index >= 0) {
        SetItemIndex(index);
        ListBoxClick();
    }
}

void TqvPopupListBox::WndProc(vcl::TMessage& message) {
    if (message.Msg == WM_MOUSEACTIVATE) {
        // Clicking the list never activates it nor takes the focus from the combo box.
        message.Result = MA_NOACTIVATE;
        return;
    }
    TqvSkinListBox::WndProc(message);
}

} // namespace qv
