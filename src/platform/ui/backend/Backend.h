#pragma once
// The display behind the window system: real windows through SDL2, or a virtual screen in
// memory for tests. The window system owns all window logic (trees, messages, painting,
// hit testing); a backend only shows top-level windows, reports raw input in screen
// coordinates and answers questions about the screen.
//
// Every call happens on the UI thread except Wake, which any thread may call.

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ui {

using NativeId = std::uint32_t; // 0 = none

struct NativeWindowDesc {
    RECT rect{};        // screen coordinates
    bool popup = false; // no taskbar entry, never takes the focus
    bool topmost = false;
    NativeId owner = 0; // kept above this window and off the taskbar (an owned dialog)
    std::string title;
};

enum class MouseButton { Left, Right, Middle };

struct InputEvent {
    enum class Kind {
        MouseMove,
        MouseDown,
        MouseUp,
        Wheel,
        KeyDown,
        KeyUp,
        Text,
        Close,     // the user asked to close `window` through the desktop
        FocusLost, // the desktop took the keyboard from `window`
        FocusGained,
        Expose, // the backend lost pixels of `window`: present it again
        Quit,
        DropFile,  // a file dropped on `window` at `pt`; its path in `text`
        MouseLeft, // the pointer left `window` for a place whose moves are not reported (the
                   // desktop, another program); `pt` is where it is now
        Minimized, // the desktop (window manager, taskbar) minimized `window`
        Restored,  // the desktop brought `window` back from minimized
    };
    Kind kind = Kind::MouseMove;
    POINT pt{}; // screen coordinates (mouse kinds)
    MouseButton button = MouseButton::Left;
    int wheelDelta = 0;           // in WHEEL_DELTA units (120 per notch), positive away from the user
    bool wheelHorizontal = false; // a sideways wheel (tilt, touchpad): positive to the right
    int vk = 0;                   // virtual-key code (key kinds)
    std::string text;             // UTF-8 (Text), a path (DropFile)
    NativeId window = 0;
};

struct MonitorDesc {
    RECT rect{};
    RECT work{};
    bool primary = false;
};

class Backend {
public:
    virtual ~Backend() = default;

    virtual NativeId CreateNativeWindow(const NativeWindowDesc& desc) = 0;
    virtual void DestroyNativeWindow(NativeId id) = 0;
    virtual void ShowNativeWindow(NativeId id, bool show, bool activate) = 0;
    virtual void MoveNativeWindow(NativeId id, const RECT& rect) = 0;
    virtual void RaiseNativeWindow(NativeId id) = 0;
    // The window system made the window the active one: bring it to the front and, where the
    // desktop leaves that to the program, give it the keyboard.
    virtual void ActivateNativeWindow(NativeId id) { RaiseNativeWindow(id); }
    virtual void MinimizeNativeWindow(NativeId id) = 0;
    virtual void RestoreNativeWindow(NativeId id) = 0;
    virtual void SetNativeTitle(NativeId id, const std::string& title) = 0;
    // The picture the desktop shows for the window (title bar, task switcher): 0xAARRGGBB, not
    // premultiplied; empty for none. A backend without icons ignores it.
    virtual void SetNativeIcon(NativeId, const gfx::Bitmap&) {}
    // The outline in window coordinates; nullopt makes the window rectangular again.
    virtual void SetShape(NativeId id, const std::optional<gfx::Region>& shape) = 0;
    virtual void SetOpacity(NativeId id, std::uint8_t alpha) = 0;
    // The window's pixels changed inside `dirty` (window coordinates): copy that part.
    virtual void Present(NativeId id, const gfx::Bitmap& pixels, const RECT& dirty) = 0;

    // Appends the raw input that arrived, waiting up to timeoutMs (-1: until something
    // arrives or Wake is called) when none is pending.
    virtual void PumpEvents(int timeoutMs, std::vector<InputEvent>& out) = 0;
    virtual void Wake() = 0;

    virtual std::vector<MonitorDesc> Monitors() = 0;
    virtual POINT CursorPos() = 0;
    virtual void SetCursorPos(POINT pt) = 0;
    // IDC_ numbers (32512 arrow ...).
    virtual void SetCursorShape(int idc) = 0;
    virtual void SetMouseCapture(bool on) = 0;
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual bool HasClipboardText() = 0;
    // Milliseconds from an arbitrary start.
    virtual std::uint64_t Milliseconds() = 0;
};

} // namespace ui
