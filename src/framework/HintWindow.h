#pragma once
// THintWindow: the small topmost window that shows a control's hint. The application makes one
// through its HintWindowClass (a skinned hint installs its own class there) and shows it after
// the hint pause over a control whose hint is on.

#include "framework/WinControl.h"

namespace vcl {

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);

    // The size the text needs, at most maxWidth wide.
    virtual RECT CalcHintRect(int maxWidth, const std::string& text);
    // Shows text in rect (screen coordinates) without taking the focus.
    virtual void ActivateHint(const RECT& rect, const std::string& text);
    void ReleaseHint();
    bool HintVisible();

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
};

} // namespace vcl
