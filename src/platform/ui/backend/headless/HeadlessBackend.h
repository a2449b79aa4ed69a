#pragma once
// A virtual screen in memory: the backend of the tests. It keeps what a real display would
// show (each top-level window's presented pixels, place, visibility, shape and opacity), lets
// tests inject input as a user would produce it, reads pixels back per window or composed for
// the whole screen, and runs a clock that only moves when a test advances it or when the
// message loop waits for a timer.

#include "platform/ui/backend/Backend.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

namespace ui {

struct HeadlessConfig {
    // By default one 1280 x 1024 monitor whose bottom 40 rows are reserved (a taskbar).
    std::vector<MonitorDesc> monitors{MonitorDesc{{0, 0, 1280, 1024}, {0, 0, 1280, 984}, true}};
    gfx::Pixel desktop = 0x00008080; // the colour of the screen where no window is
};

class HeadlessBackend : public Backend {
public:
    explicit HeadlessBackend(HeadlessConfig config = {});

    // --- Input injection (screen coordinates) ---
    void MouseMove(int x, int y);
    void MouseDown(MouseButton b = MouseButton::Left);
    void MouseUp(MouseButton b = MouseButton::Left);
    void Click(int x, int y, MouseButton b = MouseButton::Left); // move, down, up
    void Wheel(int delta);                                       // WHEEL_DELTA units
    void HWheel(int delta); // a sideways wheel, WHEEL_DELTA units, positive to the right
    void KeyDown(int vk);
    void KeyUp(int vk);
    void Key(int vk) {
        KeyDown(vk);
        KeyUp(vk);
    }
    void Text(const std::string& utf8);
    void CloseRequest(NativeId id);
    // The pointer leaves window `id` straight for (x, y), a place of the desktop or of another
    // program: only the leave is reported, as a real display reports no move there.
    void PointerLeave(NativeId id, int x, int y);
    // The desktop (window manager, taskbar) minimizes or restores window `id`.
    void DesktopMinimize(NativeId id);
    void DesktopRestore(NativeId id);
    // A file dragged from the desktop and dropped at (x, y).
    void DropFile(int x, int y, const std::string& path);
    void AdvanceClock(std::uint64_t ms) { clock_ += ms; }
    std::size_t PendingInput() const { return events_.size(); }
    // How often the window system asked for input: a loop that spins asks without end.
    std::size_t Polls() const { return polls_; }

    // --- Read-back ---
    struct NativeState {
        RECT rect{};
        bool shown = false;
        bool minimized = false;
        bool popup = false;
        NativeId owner = 0;
        bool activated = false;
        std::optional<gfx::Region> shape;
        std::uint8_t alpha = 255;
        gfx::Bitmap pixels;
        std::string title;
        gfx::Bitmap icon;
        int presents = 0;
        RECT lastDirty{};
    };
    const NativeState* Native(NativeId id) const;
    // The presented pixels of one top-level window.
    gfx::Bitmap ReadWindow(NativeId id) const;
    // Every shown window composed in z-order over the desktop colour, with shapes and opacity.
    gfx::Bitmap ReadScreen() const;
    int CursorShape() const { return cursorShape_; }
    bool MouseCaptured() const { return captured_; }

    // --- Backend ---
    NativeId CreateNativeWindow(const NativeWindowDesc& desc) override;
    void DestroyNativeWindow(NativeId id) override;
    void ShowNativeWindow(NativeId id, bool show, bool activate) override;
    void MoveNativeWindow(NativeId id, const RECT& rect) override;
    void RaiseNativeWindow(NativeId id) override;
    void MinimizeNativeWindow(NativeId id) override;
    void RestoreNativeWindow(NativeId id) override;
    void SetNativeTitle(NativeId id, const std::string& title) override;
    void SetNativeIcon(NativeId id, const gfx::Bitmap& icon) override;
    void SetShape(NativeId id, const std::optional<gfx::Region>& shape) override;
    void SetOpacity(NativeId id, std::uint8_t alpha) override;
    void Present(NativeId id, const gfx::Bitmap& pixels, const RECT& dirty) override;
    void PumpEvents(int timeoutMs, std::vector<InputEvent>& out) override;
    void Wake() override;
    std::vector<MonitorDesc> Monitors() override { return config_.monitors; }
    POINT CursorPos() override { return cursor_; }
    void SetCursorPos(POINT pt) override { cursor_ = pt; }
    void SetCursorShape(int idc) override { cursorShape_ = idc; }
    void SetMouseCapture(bool on) override { captured_ = on; }
    std::string ClipboardText() override { return clipboard_; }
    void SetClipboardText(const std::string& text) override { clipboard_ = text; }
    bool HasClipboardText() override { return !clipboard_.empty(); }
    std::uint64_t Milliseconds() override { return clock_; }

private:
    void Push(InputEvent ev);
    HeadlessConfig config_;
    std::map<NativeId, NativeState> windows_;
    std::vector<NativeId> stack_; // topmost first
    NativeId next_ = 0;
    std::deque<InputEvent> events_;
    POINT cursor_{};
    int cursorShape_ = 0;
    bool captured_ = false;
    std::string clipboard_;
    std::uint64_t clock_ = 1000;
    std::size_t polls_ = 0;
    std::mutex wakeMutex_;
    std::condition_variable wakeCv_;
    bool woken_ = false;
};

} // namespace ui
