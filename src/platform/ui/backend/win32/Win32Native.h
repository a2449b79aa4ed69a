#pragma once
// The USER and GDI side of the Windows display backend: real windows, their pixels, input and
// the desktop's services. This header uses no Windows type (the window system above declares
// its own Windows names), so only Win32Native.cpp includes <windows.h>.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ui::win32 {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct Event {
    enum class Kind {
        MouseMove,
        MouseDown,
        MouseUp,
        Wheel,
        KeyDown,
        KeyUp,
        Text,
        Close,
        FocusLost,
        FocusGained,
        Expose,
        DropFile,
        MouseLeft,
        Minimized,
        Restored
    };
    Kind kind = Kind::MouseMove;
    int x = 0, y = 0;   // screen coordinates (mouse kinds, drops, where the pointer went)
    int button = 0;     // 0 left, 1 right, 2 middle
    int wheelDelta = 0; // WHEEL_DELTA units, positive away from the user (sideways: to the right)
    bool wheelHorizontal = false;
    int vk = 0;
    std::string text; // UTF-8 (Text), a path (DropFile)
    std::uint32_t window = 0;
};

struct Monitor {
    Box rect, work;
    bool primary = false;
};

class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // owner: 0, or the window an owned dialog stays above (it then has no taskbar entry).
    std::uint32_t Create(const Box& rect, bool popup, bool topmost, const std::string& title,
                         std::uint32_t owner);
    void Destroy(std::uint32_t id);
    void Show(std::uint32_t id, bool show, bool activate);
    void Move(std::uint32_t id, const Box& rect);
    void Raise(std::uint32_t id);
    void Minimize(std::uint32_t id);
    void Restore(std::uint32_t id);
    void SetTitle(std::uint32_t id, const std::string& title);
    // The picture the desktop shows for the window (taskbar, task switcher): `width` x `height`
    // 0xAARRGGBB pixels, rows top to bottom, straight alpha.
    void SetIcon(std::uint32_t id, const std::uint32_t* pixels, int width, int height);
    // The outline as rectangles in window coordinates; none: rectangular again.
    void SetShape(std::uint32_t id, const std::vector<Box>* rects);
    void SetOpacity(std::uint32_t id, std::uint8_t alpha);
    // Copies `dirty` of the 0x00RRGGBB pixels (rows of `stride` pixels) and shows it.
    void Present(std::uint32_t id, const std::uint32_t* pixels, int width, int height, int stride,
                 const Box& dirty);

    void Pump(int timeoutMs, std::vector<Event>& out);
    void Wake();

    std::vector<Monitor> Monitors();
    void CursorPos(int& x, int& y);
    void SetCursorPos(int x, int y);
    void SetCursorShape(int idc);
    void SetMouseCapture(bool on);
    std::string ClipboardText();
    void SetClipboardText(const std::string& text);
    bool HasClipboardText();

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace ui::win32
