#include "framework/ControlCanvas.h"
#include "framework/WinControl.h"

namespace vcl {

// --- TCustomControl ---

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() const { return canvas_.get(); }

void TCustomControl::Paint() {}

void TCustomControl::PaintWindow(HDC dc) {
    canvas_->Lock();
    canvas_->SetHandle(dc);
    TControlTracker alive(this);
    try {
        Paint();
    } catch (...) {
        if (alive.Alive()) {
            canvas_->SetHandle(nullptr);
            canvas_->Unlock();
        }
        throw;
    }
    if (alive.Alive()) {
        canvas_->SetHandle(nullptr);
        canvas_->Unlock();
    }
}

// --- TGraphicControl ---

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas() const { return canvas_.get(); }

void TGraphicControl::Paint() {}

void TGraphicControl::Dispatch(TMessage& m) {
    if (m.Msg == WM_PAINT) {
        if (m.WParam != 0) {
            canvas_->Lock();
            canvas_->SetHandle(reinterpret_cast<HDC>(m.WParam));
            Paint();
            canvas_->SetHandle(nullptr);
            canvas_->Unlock();
        }
        m.Result = 0;
        return;
    }
    TControl::Dispatch(m);
}

} // namespace vcl
