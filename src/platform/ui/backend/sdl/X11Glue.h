#pragma once
// The few Xlib calls the SDL backend makes itself, kept apart because the X11 headers define
// names (Expose, None, Window ...) that clash with ours.
#include "platform/gfx/Region.h"

struct SDL_Window;
struct _XDisplay; // Xlib's Display

namespace ui {

// Sets the window's X11 bounding shape; shape null makes the window rectangular again.
void ApplyX11Shape(SDL_Window* window, const gfx::Region* shape);

// The X connection SDL opened for its windows (the same for every window), or null when the
// window is not an X11 window.
_XDisplay* X11DisplayOf(SDL_Window* window);
// The connection's socket, to wait on with poll().
int X11ConnectionFd(_XDisplay* display);
// True when Xlib has already read events from the socket that nobody has taken yet: the
// socket then stays quiet although input is waiting.
bool X11EventsQueued(_XDisplay* display);

// What a pointer event (motion, press, release, crossing) says about the moment it happened:
// the X window it was reported to, and the pointer's place on the screen and in that window.
struct X11PointerEvent {
    unsigned long window = 0;
    int rootX = 0, rootY = 0; // on the screen
    int x = 0, y = 0;         // in the window
};
// The X window behind an SDL window (0 when it is not an X11 window).
unsigned long X11WindowOf(SDL_Window* window);
// Reads the X event carried by an SDL_SYSWMEVENT's message; false when it is no pointer event.
bool X11PointerEventOf(const void* sysWmMessage, X11PointerEvent& out);

// The modifier keys held when a key or button event happened, as the X server reports them
// with the event itself (X11ShiftDown | X11ControlDown | X11AltDown), or -1 when the message
// is no key or button event.
constexpr int X11ShiftDown = 1, X11ControlDown = 2, X11AltDown = 4;
int X11ModifiersOf(const void* sysWmMessage);

// Gives a window of the screen's default visual the screen's default colormap, in place of the
// private one SDL makes for every window. A window with a colormap of its own makes screenshot
// tools (xwd, ImageMagick's import) compose the screen window by window, and they leave the
// parts of the window's rectangle outside its shape black: the rounded corners. Returns false
// (and changes nothing) when the window's visual is another one, whose pixels the default
// colormap cannot describe.
bool X11UseDefaultColormap(SDL_Window* window);

// Maps (raised) or unmaps a window straight through Xlib. SDL's own showing gives a window the X
// input focus when no window manager runs, which a popup (a drop-down list, a menu) must never
// take; SDL learns the new state from the map and unmap events as usual.
void X11MapWindow(SDL_Window* window, bool show);

// Where the pointer is on the default screen now, asked from the server (one round trip).
// SDL's global mouse state is a cache that only the device's own motion refreshes, so it stays
// stale after a warp or while the pointer is over other programs. False when the pointer is on
// another screen.
bool X11PointerPosition(_XDisplay* display, int& x, int& y);

// True when a window manager that follows the desktop conventions (EWMH) runs on the screen:
// its check window names itself. One or two round trips.
bool X11HasWindowManager(_XDisplay* display);

// The window manager's word on a window (ICCCM WM_STATE). It sets the property before or after
// it unmaps the window as it pleases, and a busy machine lets the program see the unmap first,
// so only the property's own change notification tells when the desktop has minimized a window
// or brought it back: our own hiding unmaps it too, and a window manager taking a window in
// unmaps and maps it again.
enum class X11WmState { Absent, Withdrawn, Normal, Iconic };
// The state the window manager gives the window now (one round trip).
X11WmState X11WmStateOf(SDL_Window* window);
// The X window whose WM_STATE changed, when an SDL_SYSWMEVENT's message says so; 0 otherwise.
unsigned long X11WmStateChangeOf(const void* sysWmMessage);

} // namespace ui
