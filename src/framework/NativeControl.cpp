#include "framework/NativeControl.h"

#include "framework/Canvas.h"
#include "framework/Messages.h"

namespace vcl {

TNativeControl::TNativeControl(TComponent* owner, const char* nativeClass)
    : TWinControl(owner), nativeClass_(nativeClass) {
    SetTabStop(true);
    // The native control captures the mouse itself, and the wrappers raise OnClick from its
    // notifications (a row chosen, an item clicked) rather than from every press and release.
    SetControlStyle(ControlStyle() & ~unsigned(csCaptureMouse | csClickEvents));
}

TNativeControl::~TNativeControl() {
    // The window may still draw with the font and brush until it is gone.
    DestroyHandle();
    if (font_) DeleteObject(font_);
    if (brush_) DeleteObject(brush_);
}

void TNativeControl::CreateParams(TCreateParams& params) {
    InitCommonControls();
    TWinControl::CreateParams(params);
    CreateSubClass(params, nativeClass_);
    if (TabStop()) params.Style |= WS_TABSTOP;
}

void TNativeControl::CreateWnd() {
    TWinControl::CreateWnd();
    ApplyFont();
    InitWindow();
}

void TNativeControl::ApplyFont() {
    HFONT font = CreateFontHandle(*Font());
    if (HandleAllocated()) SendMessage(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_) DeleteObject(font_);
    font_ = font;
}

void TNativeControl::CMFontChanged(TMessage& message) {
    TWinControl::CMFontChanged(message);
    if (HandleAllocated()) ApplyFont();
}

void TNativeControl::CMColorChanged(TMessage& message) {
    TWinControl::CMColorChanged(message);
    if (brush_) DeleteObject(brush_);
    brush_ = nullptr;
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

void TNativeControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_BASE + WM_CTLCOLOREDIT:
    case CN_BASE + WM_CTLCOLORSTATIC:
    case CN_BASE + WM_CTLCOLORLISTBOX: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        SetBkColor(dc, ColorToRGB(Color()));
        if (!brush_) brush_ = CreateSolidBrush(ColorToRGB(Color()));
        message.Result = reinterpret_cast<LRESULT>(brush_);
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE: {
        // The framework raises its mouse events and keeps the message; the native control
        // must see it too, or it could not select, drag a divider or place the caret.
        TControlTracker alive(this);
        TWinControl::Dispatch(message);
        if (alive.Alive() && HandleAllocated()) DefaultHandler(message);
        return;
    }
    default: TWinControl::Dispatch(message);
    }
}

} // namespace vcl
