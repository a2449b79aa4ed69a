#include "framework/ControlCanvas.h"
#include "framework/WinControl.h"

namespace vcl {

// --- TControlCanvas ---

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
    auto* wc = dynamic_cast<TWinControl*>(control_);
    TWinControl* host = wc != nullptr ? wc : control_->Parent();
    if (host == nullptr) {
        return;
    }
    window_ = host->Handle();
    ownDc_ = GetDC(window_);
    if (ownDc_ != nullptr && wc == nullptr) {
        // A graphic control draws in its own coordinates, clipped to itself.
        OffsetViewportOrgEx(ownDc_, control_->Left(), control_->Top(), nullptr);
        IntersectClipRect(ownDc_, 0, 0, control_->Width(), control_->Height());
    }
    SetHandle(ownDc_);
}

void TControlCanvas::FreeHandle() {
    if (ownDc_ != nullptr) {
        SetHandle(nullptr);
        ReleaseDC(window_, ownDc_);
        ownDc_ = nullptr;
        window_ = nullptr;
    }
}

} // namespace vcl
