#include "platform/ui/InputState.h"

#include <cstdlib>
#include <utility>

namespace ui {

void KeyState::Set(int vk, bool down) {
    vk &= 0xFF;
    if (down) {
        if (!(keys_[vk] & 0x80)) {
            keys_[vk] ^= 0x01;
        }
        keys_[vk] |= 0x80;
    } else {
        keys_[vk] &= BYTE(~0x80);
    }
}

WPARAM KeyState::MouseKeys() const {
    WPARAM k = 0;
    if (Down(VK_LBUTTON)) k |= MK_LBUTTON;
    if (Down(VK_RBUTTON)) k |= MK_RBUTTON;
    if (Down(VK_MBUTTON)) k |= MK_MBUTTON;
    if (Down(VK_SHIFT)) k |= MK_SHIFT;
    if (Down(VK_CONTROL)) k |= MK_CONTROL;
    return k;
}

bool PointerState::Press(HWND target, UINT msg, std::uint64_t time, POINT pt, bool wanted) {
    bool dbl = wanted && !lastWasDouble_ && lastClickWnd_ == target && lastClickMsg_ == msg &&
               time - lastClickTime_ <= GetDoubleClickTime() &&
               std::abs(pt.x - lastClickPt_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
               std::abs(pt.y - lastClickPt_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    lastClickWnd_ = target;
    lastClickMsg_ = msg;
    lastClickTime_ = time;
    lastClickPt_ = pt;
    lastWasDouble_ = dbl;
    return dbl;
}

void PointerState::Forget(HWND hwnd) {
    for (HWND* p : {&hover_, &lastClickWnd_}) {
        if (*p == hwnd) {
            *p = nullptr;
        }
    }
}

void Activation::Forget(HWND hwnd) {
    for (HWND* p : {&active_, &focus_}) {
        if (*p == hwnd) {
            *p = nullptr;
        }
    }
}

HWND Capture::Set(HWND hwnd) { return std::exchange(owner_, hwnd); }

void Capture::Forget(HWND hwnd) {
    if (owner_ == hwnd) {
        owner_ = nullptr;
    }
}

} // namespace ui
