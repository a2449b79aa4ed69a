#pragma once
#include "framework/Canvas.h"
#include "framework/Messages.h"

namespace vcl {

class TControl;

// The canvas of a control: during painting the paint DC, otherwise a DC fetched from the window
// (the parent's for a graphic control, moved to the control's origin) when first used.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control) : control_(control) {}
    ~TControlCanvas() override;
    TControl* Control() const { return control_; }
    // Gives back a DC fetched on demand.
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TControl* control_;
    HWND window_ = nullptr;
    HDC ownDc_ = nullptr;
};

} // namespace vcl
