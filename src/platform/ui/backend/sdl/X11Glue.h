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

// Maps (raised) or unmaps a window straight through Xlib. SDL's own showing gives a window the X
// input focus when no window manager runs, which a popup (a drop-down list, a menu) must never
// take; SDL learns the new state from the map and unmap events as usual.
void X11MapWindow(SDL_Window* window, bool show);

} // namespace ui
