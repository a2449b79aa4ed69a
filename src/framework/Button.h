#pragma once
// TButton: a plain push button in the platform's classic look, drawn by the framework. It clicks on
// a left press and release inside it and on Space; with Default it clicks on Enter anywhere on
// its form (unless another button has the focus), with Cancel on Escape; a click sets its form's
// ModalResult to the button's ModalResult before OnClick runs.

#include "framework/Forms.h"

namespace vcl {

class TButton : public TCustomControl {
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool on);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on) { cancel_ = on; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult r) { modalResult_ = r; }
    // Pressed look: the mouse is down inside, or Space is held.
    bool Down() const { return down_; }

    void Click() override;

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void CMDialogKey(TMessage& message) override;
    void CMFocusChanged(TMessage& message) override;

private:
    void SetDown(bool down);

    bool default_ = false;
    bool cancel_ = false;
    // Enter clicks this button: it is focused, or it is the default and no button is focused.
    bool active_ = false;
    bool down_ = false;
    bool spaceDown_ = false;
    TModalResult modalResult_ = mrNone;
};

} // namespace vcl
