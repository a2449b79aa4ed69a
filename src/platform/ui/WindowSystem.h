#pragma once
// The window manager: the one object that owns every window, class, timer and the message
// queue, and the backend that shows the top-level windows. It is the window system's only
// mutable global state. The functions of User.h are thin entries into it; the units of this
// folder share it through this header (it is internal to the layer).

#include "platform/ui/Caret.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/InputState.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/TimerList.h"
#include "platform/ui/User.h"
#include "platform/ui/backend/Backend.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The files of one drop, owned by the receiver of WM_DROPFILES until it calls DragFinish.
struct HDROP__ {
    std::vector<std::string> files;
    POINT pt{}; // screen coordinates
    HWND target = nullptr;
};

namespace ui {

struct WindowClass {
    std::string name;
    WNDCLASS wc{};
};

struct ScrollState {
    SCROLLINFO info{sizeof(SCROLLINFO), 0, 0, 100, 0, 0, 0};
    bool enabled = true;
    bool ranged = false; // a range was set: the window scrolls this way, with or without its bar
};

struct Window {
    WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;      // children only
    HWND owner = nullptr;       // top-level only
    std::vector<HWND> children; // z-order, topmost first
    RECT rect{};                // in the parent's client coordinates; screen for top-level
    RECT client{};              // in window coordinates
    std::string text;
    HICON iconBig = nullptr; // WM_SETICON; the window does not own them
    HICON iconSmall = nullptr;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;

    // Painting: the client update region (client coordinates) and the frame's state.
    gfx::Region update;
    bool erasePending = false;
    bool framePending = false;
    bool internalPaint = false;

    std::optional<gfx::Region> region; // window coordinates
    HRGN regionHandle = nullptr;       // owned once given to SetWindowRgn
    BYTE alpha = 255;
    DWORD layeredFlags = 0;
    COLORREF colorKey = 0;

    bool ncActive = false;
    bool sentCreate = false;
    bool destroying = false;
    bool dead = false;

    // Top-level only.
    NativeId native = 0;
    bool nativeShown = false;
    gfx::Bitmap backing;
    RECT dirty{};
    RECT restoreRect{};

    ScrollState scroll[2];
    DWORD trackFlags = 0; // TME_LEAVE | TME_NONCLIENT while tracking

    bool IsChild() const { return (style & WS_CHILD) != 0 && parent != nullptr; }
    bool Visible() const { return (style & WS_VISIBLE) != 0; }
    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
};

struct WindowDC {
    std::unique_ptr<gfx::DC> dc;
    HWND hwnd = nullptr;
    HWND top = nullptr;
};

class WindowSystem {
public:
    explicit WindowSystem(std::unique_ptr<Backend> backend);
    ~WindowSystem();

    Backend& backend() { return *backend_; }

    // --- Handles ---
    bool IsLive(HWND hwnd) const { return hwnd && live_.count(hwnd) && !hwnd->dead; }
    Window* Get(HWND hwnd) const { return IsLive(hwnd) ? hwnd : nullptr; }
    HWND TopLevel(HWND hwnd) const;
    std::vector<HWND>& Siblings(HWND hwnd);
    WindowClass* FindClass(const std::string& name);

    // --- Coordinates ---
    POINT OriginInTop(HWND hwnd) const;  // window corner in top-level window coordinates
    POINT ScreenOrigin(HWND hwnd) const; // window corner on screen
    POINT ClientScreenOrigin(HWND hwnd) const;
    bool ReallyVisible(HWND hwnd) const; // it and every ancestor are visible
    // The pixels of hwnd that can be seen, in top-level window coordinates, within the
    // window (client = false) or its client area.
    gfx::Region VisibleRegion(HWND hwnd, bool client, bool clipChildren, bool clipSiblings) const;

    // --- Messages ---
    LRESULT Send(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    bool Post(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    // The message loop: GetMessage (`wait`) and PeekMessage.
    bool Get(MSG& msg, HWND filter, UINT min, UINT max, bool remove, bool wait);
    void PostQuit(int code);
    const MSG& CurrentMessage() const { return queue_.Current(); }
    // A window procedure runs while this lives: windows freed meanwhile wait as zombies until
    // no procedure is running any more.
    class InProcedure {
    public:
        explicit InProcedure(WindowSystem& ws) : ws_(ws) { ++ws_.sendDepth_; }
        ~InProcedure() { --ws_.sendDepth_; }
        InProcedure(const InProcedure&) = delete;
        InProcedure& operator=(const InProcedure&) = delete;

    private:
        WindowSystem& ws_;
    };

    // --- Timers ---
    UINT_PTR AddTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
    bool RemoveTimer(HWND hwnd, UINT_PTR id);
    std::uint64_t Now() { return backend_->Milliseconds(); }

    // --- Windows ---
    void Destroy(HWND hwnd);
    // Drops what the window system's state still says about a window being freed.
    void ForgetWindow(HWND hwnd);
    void FreeZombies();
    void EnsureNative(HWND top);
    void ResizeBacking(HWND top);

    // --- Painting ---
    void Invalidate(HWND hwnd, const gfx::Region* rgn, UINT flags); // rgn: client coordinates
    void Validate(HWND hwnd, const gfx::Region* rgn, UINT flags);
    void InvalidateFrame(HWND hwnd);
    // Repaints one window now, and its subtree unless RDW_NOCHILDREN: the frame and the
    // background only with RDW_ERASENOW, everything with RDW_UPDATENOW.
    void PaintNow(HWND hwnd, UINT rdw);
    HWND FindPaintWindow(HWND filter);
    // A DC on the window's client area, or on the whole window with DCX_WINDOW; with
    // DCX_INTERSECTRGN or DCX_EXCLUDERGN its clip is cut to or by `clip` (client or window
    // coordinates, as the DC's).
    HDC MakeDC(HWND hwnd, DWORD dcx, const gfx::Region* clip = nullptr);
    bool FreeDC(HDC dc);
    HWND DCWindow(HDC dc) const;
    void MarkDirty(HWND top, const RECT& r);
    void PresentAll();
    void ExposeAll(HWND top);

    // --- Screen, cursor, caret, clipboard ---
    const std::vector<MonitorDesc>& Monitors() const { return monitors_; } // never empty
    void RefreshMonitors();
    // SetCursor: shows `shape` (an IDC_ number) and returns the one shown before.
    HCURSOR SetCursorShape(HCURSOR shape);
    HCURSOR CursorShape() const { return cursorShape_; }
    Caret& caret() { return caret_; }
    ClipboardState& clipboard() { return clipboard_; }

    // --- Input ---
    const KeyState& Keys() const { return keys_; }
    const PointerState& Pointer() const { return pointer_; }
    // SetCursorPos: the pointer moves there, and messages carry the new place.
    void WarpPointer(POINT screen);

    // --- Activation, focus and capture, with the messages each change sends ---
    HWND Active() const { return activation_.Active(); }
    HWND Focus() const { return activation_.Focus(); }
    bool AppActive() const { return activation_.AppActive(); }
    HWND CaptureOwner() const { return capture_.Owner(); }
    void SetActive(HWND hwnd, WPARAM how);
    void SetFocusTo(HWND hwnd);
    void DropFocus();
    void ChangeCapture(HWND hwnd);

    // --- The windows ---
    std::unordered_set<HWND> live_;
    std::vector<HWND> tops_; // top-level windows, topmost first
    std::vector<std::unique_ptr<Window>> zombies_;
    std::map<std::string, std::unique_ptr<WindowClass>> classes_;
    std::unordered_map<HDC, WindowDC> dcs_;

private:
    // What one look at a kind of message found.
    enum class Look { Found, Again, Nothing };
    bool TakePosted(MSG& msg, const MessageQueue::Filter& wanted, bool remove);
    Look TakeInput(MSG& msg, const MessageQueue::Filter& wanted, bool remove);
    Look TakePaint(MSG& msg, HWND filter);
    bool TakeTimer(MSG& msg, HWND filter, std::uint64_t now, bool remove);
    bool TimerMatches(const Timer& t, HWND filter) const; // may GetMessage(filter) return it

    // Input routing (Input.cpp): one raw event becomes queued input messages and the state
    // changes it makes.
    void Route(const InputEvent& ev);
    void RouteMouse(const InputEvent& ev);
    void RouteWheel(const InputEvent& ev, DWORD time);
    HWND WheelTarget(POINT pt);
    void RefuseMouse(HWND target, LRESULT hit, UINT msg, bool press);
    bool ActivateOnPress(HWND target, LRESULT hit, UINT msg);
    void RouteKey(const InputEvent& ev);
    void RouteDrop(const InputEvent& ev);
    void CheckMouseLeave(HWND now, bool client);
    void PointerLeft(const InputEvent& ev);
    void DesktopMinimized(HWND top);
    void DesktopRestored(HWND top);
    void NotifyParentsOfPress(HWND hwnd, UINT buttonDown, POINT screen);
    HWND HitWindow(POINT screen, LRESULT* hit);

    int sendDepth_ = 0; // window procedures running (InProcedure)
    std::unique_ptr<Backend> backend_;
    MessageQueue queue_;
    TimerList timers_;
    std::vector<MonitorDesc> monitors_;
    HCURSOR cursorShape_ = nullptr;
    KeyState keys_;
    PointerState pointer_;
    Activation activation_;
    Capture capture_;
    Caret caret_;
    ClipboardState clipboard_;
};

// The window system, created on first use with the backend chosen at start-up: the
// environment variable IISLOG_BACKEND ("sdl", the default, or "headless").
WindowSystem& WS();
// Replaces the window system (destroying every window) with one over `backend`. Tests use it
// to start each case on a fresh headless screen.
void ResetWindowSystem(std::unique_ptr<Backend> backend);
// Ends the window system: destroys every window and closes the backend.
void ShutdownWindowSystem();
bool HasWindowSystem();

// Shared helpers of the units.
LRESULT DefaultNcHitTest(HWND hwnd, POINT screen);
void DefaultNcCalcSize(HWND hwnd, RECT& r);
void DefaultNcPaint(HWND hwnd);
LRESULT DefaultSysCommand(HWND hwnd, WPARAM cmd, LPARAM lParam);
void RunSizeMoveLoop(HWND hwnd, WPARAM cmd, POINT start);
void TrackCloseButton(HWND hwnd);
RECT NcInsets(DWORD style, DWORD exStyle);
MINMAXINFO QueryMinMax(HWND hwnd);
void ActivateOther(HWND leaving);
// Deletes the region the window owns (given to SetWindowRgn), if any.
void FreeWindowRegion(HWND hwnd);

} // namespace ui

namespace ui {
bool InTreeOf(HWND root, HWND w);
bool WindowContains(HWND w, POINT screen);
HWND DeepestChild(HWND w, POINT screen, UINT skip);
HWND TopWindowAt(POINT screen);
int CopyWindowText(HWND hwnd, LPSTR buffer, int size);
} // namespace ui
