#pragma once
// TNativeControl: the shared base of the wrappers of the platform's native controls (list
// view, list box, edit, memo, tree view). It makes the window from the native class, keeps
// the window's font in step with Font, answers the colour requests of the native edit and
// list box with Font's colour and Color, and lets a wrapper rebuild the native state from
// its own data each time a window is made.

#include "framework/WinControl.h"
#include "platform/controls/CommCtrl.h"

namespace vcl {

class TNativeControl : public TWinControl {
public:
    explicit TNativeControl(TComponent* owner, const char* nativeClass);
    ~TNativeControl() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // Pushes the wrapper's data into a freshly made window.
    virtual void InitWindow() {}
    void CMFontChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return HandleAllocated() ? SendMessage(Handle(), msg, wParam, lParam) : 0;
    }

private:
    void ApplyFont();

    const char* nativeClass_;
    HFONT font_ = nullptr;
    HBRUSH brush_ = nullptr;
};

} // namespace vcl
