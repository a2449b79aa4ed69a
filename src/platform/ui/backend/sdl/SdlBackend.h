#pragma once
// Real windows through SDL2 on X11: one borderless SDL window per shown top-level window,
// software surfaces (no OpenGL: far less start-up time and memory), the window region as the
// X11 window shape, opacity, global mouse position and capture, text input as UTF-8, keys as
// virtual-key codes, system cursors, the clipboard and the displays as monitors.

#include "platform/ui/backend/BackendOperations.h"

#include <chrono>
#include <map>

struct SDL_Window;
struct SDL_Cursor;
struct _XDisplay;

namespace ui {

class SdlBackend : public Backend {
public:
    // Throws std::runtime_error("No display available: set DISPLAY or run under Xvfb.") when
    // there is no display to open.
    SdlBackend();
    ~SdlBackend() override;

    IISLOG_BACKEND_OPERATIONS;
    void ActivateNativeWindow(NativeId id) override;
    void SetNativeIcon(NativeId id, const gfx::Bitmap& icon) override;

private:
    struct Native {
        SDL_Window* window = nullptr;
        RECT rect{};
        bool popup = false;
        bool shown = false;
        bool mappedByX11 = false; // shown through Xlib (a popup shown without activation)
        std::optional<gfx::Region> shape;
        unsigned long xwindow = 0;
        // The window's place on the screen and the pointer's, as the X server had them at the
        // last pointer event it reported to the window. Mouse events come in window coordinates
        // relative to that place, which trails `rect` while a move is on its way to the server.
        std::optional<POINT> pointerOrigin;
        POINT pointerAt{};
        // The window manager has the window iconified (WM_STATE), as it last told us.
        bool iconic = false;
        // A minimize (true) or restore (false) we asked for and the desktop has not confirmed
        // yet: the state changes it reports meanwhile are on the way there, not its own doing.
        std::optional<bool> wantMinimized;
    };
    void TranslateWindowEvent(const void* sdlEvent, InputEvent& ev);
    Native* Find(NativeId id);
    void ApplyShape(Native& n);
    void Translate(const void* sdlEvent, std::vector<InputEvent>& out);
    void NotePointerEvent(const void* sysWmMessage);
    void NoteWmState(unsigned long xwindow, std::vector<InputEvent>& out);
    void SyncModifiers(int vk, std::vector<InputEvent>& out);
    void NoteModifier(int vk, bool down);
    void TakeSdlEvents(std::vector<InputEvent>& out);
    void TakeWake();
    void WaitForInput(int timeoutMs);

    std::map<NativeId, Native> windows_;
    // The modifiers (X11ShiftDown ...) the X server reported with the key or button event SDL
    // is turning into the events that follow (-1: none), and those our events said are down.
    int eventModifiers_ = -1;
    int modifiersDown_ = 0;
    std::map<int, SDL_Cursor*> cursors_;
    int wakeFd_ = -1;              // eventfd: Wake from any thread
    _XDisplay* display_ = nullptr; // SDL's X connection, known from the first window on
    bool defaultVisual_ = true; // SDL's windows have the screen's default visual (false once seen otherwise)
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace ui
