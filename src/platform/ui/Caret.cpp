#include "platform/ui/Caret.h"

#include "platform/ui/WindowSystem.h"

#include <algorithm>

namespace ui {

void Caret::Draw(bool on) {
    if (!IsWindow(owner_) || drawn_ == on) {
        return;
    }
    drawn_ = on;
    HDC dc = GetDC(owner_);
    InvertRect(dc, &rect_);
    ReleaseDC(owner_, dc);
}

void Caret::Create(HWND owner, int width, int height) {
    Destroy();
    owner_ = owner;
    rect_ = RECT{0, 0, std::max(width, 1), std::max(height, 1)};
    hideCount_ = 1;
    drawn_ = false;
}

bool Caret::Destroy() {
    if (!owner_) {
        return false;
    }
    Draw(false);
    owner_ = nullptr;
    return true;
}

bool Caret::Show(HWND hwnd) {
    if (!owner_ || (hwnd && hwnd != owner_)) {
        return false;
    }
    if (hideCount_ > 0 && --hideCount_ == 0) {
        Draw(true);
    }
    return true;
}

bool Caret::Hide(HWND hwnd) {
    if (!owner_ || (hwnd && hwnd != owner_)) {
        return false;
    }
    if (hideCount_++ == 0) {
        Draw(false);
    }
    return true;
}

bool Caret::MoveTo(int x, int y) {
    if (!owner_) {
        return false;
    }
    bool on = drawn_;
    Draw(false);
    rect_ = OffsetRect(rect_, x - rect_.left, y - rect_.top);
    if (on) {
        Draw(true);
    }
    return true;
}

bool Caret::Position(POINT& pt) const {
    if (!owner_) {
        return false;
    }
    pt = POINT{rect_.left, rect_.top};
    return true;
}

void Caret::Forget(HWND hwnd) {
    if (owner_ == hwnd) {
        owner_ = nullptr;
    }
}

} // namespace ui

using ui::WS;

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height) {
    auto& ws = WS();
    if (!ws.IsLive(hwnd)) {
        return FALSE;
    }
    ws.caret().Create(hwnd, width, height);
    return TRUE;
}

BOOL DestroyCaret() { return WS().caret().Destroy() ? TRUE : FALSE; }
BOOL ShowCaret(HWND hwnd) { return WS().caret().Show(hwnd) ? TRUE : FALSE; }
BOOL HideCaret(HWND hwnd) { return WS().caret().Hide(hwnd) ? TRUE : FALSE; }
BOOL SetCaretPos(int x, int y) { return WS().caret().MoveTo(x, y) ? TRUE : FALSE; }

BOOL GetCaretPos(POINT* pt) { return pt && WS().caret().Position(*pt) ? TRUE : FALSE; }
