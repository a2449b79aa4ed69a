#pragma once
// What input routing (Input.cpp) keeps between events: the keys held down, where the pointer
// was seen last and over which window, the press a second one may turn into a double click,
// the active window and the keyboard focus, and the mouse capture. Each part only records;
// the messages that go with a change (WM_ACTIVATE, WM_SETFOCUS, WM_CAPTURECHANGED, ...) are
// sent by the window system's operations that make it.

#include "platform/ui/User.h"

#include <cstdint>

namespace ui {

// GetKeyState's table: bit 0x80 down, bit 0x01 toggled (flips on each press).
class KeyState {
public:
    void Set(int vk, bool down);
    BYTE State(int vk) const { return keys_[vk & 0xFF]; }
    bool Down(int vk) const { return (State(vk) & 0x80) != 0; }
    WPARAM MouseKeys() const; // the MK_ flags of mouse messages

private:
    BYTE keys_[256]{};
};

class PointerState {
public:
    // Where the last mouse event (or SetCursorPos) put the pointer: the point messages carry.
    POINT Position() const { return position_; }
    void MovedTo(POINT pt) { position_ = pt; }

    // The window the pointer is over, and whether over its client area.
    HWND Hover() const { return hover_; }
    bool HoverClient() const { return hoverClient_; }
    void SetHover(HWND hwnd, bool client) {
        hover_ = hwnd;
        hoverClient_ = client;
    }

    // Records a press of `msg` on `target` and says whether it completes a double click: the
    // same window and button within the double-click time and distance, where the window takes
    // double clicks (`wanted`). A double click never starts another.
    bool Press(HWND target, UINT msg, std::uint64_t time, POINT pt, bool wanted);

    void Forget(HWND hwnd);

private:
    POINT position_{};
    HWND hover_ = nullptr;
    bool hoverClient_ = false;
    HWND lastClickWnd_ = nullptr;
    UINT lastClickMsg_ = 0;
    std::uint64_t lastClickTime_ = 0;
    POINT lastClickPt_{};
    bool lastWasDouble_ = false;
};

class Activation {
public:
    HWND Active() const { return active_; }
    HWND Focus() const { return focus_; }
    // Whether one of our windows is the desktop's active one (WM_ACTIVATEAPP was sent).
    bool AppActive() const { return appActive_; }
    void SetActive(HWND hwnd) { active_ = hwnd; }
    void SetFocus(HWND hwnd) { focus_ = hwnd; }
    void SetAppActive(bool on) { appActive_ = on; }
    void Forget(HWND hwnd);

private:
    HWND active_ = nullptr;
    HWND focus_ = nullptr;
    bool appActive_ = false;
};

class Capture {
public:
    HWND Owner() const { return owner_; }
    // Returns the window that had it.
    HWND Set(HWND hwnd);
    void Forget(HWND hwnd);

private:
    HWND owner_ = nullptr;
};

} // namespace ui
