#include "platform/ui/backend/sdl/X11Glue.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <vector>

namespace ui {

namespace {
bool X11Info(SDL_Window* sdlWindow, SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return SDL_GetWindowWMInfo(sdlWindow, &info) && info.subsystem == SDL_SYSWM_X11;
}
} // namespace

void ApplyX11Shape(SDL_Window* sdlWindow, const gfx::Region* shape) {
    SDL_SysWMinfo info;
    if (!X11Info(sdlWindow, info)) {
        return;
    }
    Display* display = info.info.x11.display;
    ::Window window = info.info.x11.window;
    if (!shape) {
        XShapeCombineMask(display, window, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        // The region's rectangles are y-x banded already, the order X wants.
        std::vector<XRectangle> rects;
        rects.reserve(shape->Rects().size());
        for (const RECT& r : shape->Rects()) {
            rects.push_back(XRectangle{short(r.left), short(r.top),
                                       static_cast<unsigned short>(r.right - r.left),
                                       static_cast<unsigned short>(r.bottom - r.top)});
        }
        XShapeCombineRectangles(display, window, ShapeBounding, 0, 0, rects.data(), int(rects.size()),
                                ShapeSet, YXBanded);
    }
    XFlush(display);
}

_XDisplay* X11DisplayOf(SDL_Window* sdlWindow) {
    SDL_SysWMinfo info;
    return X11Info(sdlWindow, info) ? info.info.x11.display : nullptr;
}

unsigned long X11WindowOf(SDL_Window* sdlWindow) {
    SDL_SysWMinfo info;
    return X11Info(sdlWindow, info) ? info.info.x11.window : 0;
}

bool X11PointerEventOf(const void* sysWmMessage, X11PointerEvent& out) {
    const auto* msg = static_cast<const SDL_SysWMmsg*>(sysWmMessage);
    if (!msg || msg->subsystem != SDL_SYSWM_X11) {
        return false;
    }
    const XEvent& e = msg->msg.x11.event;
    switch (e.type) {
    case MotionNotify:
        out = {e.xmotion.window, e.xmotion.x_root, e.xmotion.y_root, e.xmotion.x, e.xmotion.y};
        return true;
    case ButtonPress:
    case ButtonRelease:
        out = {e.xbutton.window, e.xbutton.x_root, e.xbutton.y_root, e.xbutton.x, e.xbutton.y};
        return true;
    case EnterNotify:
    case LeaveNotify:
        out = {e.xcrossing.window, e.xcrossing.x_root, e.xcrossing.y_root, e.xcrossing.x, e.xcrossing.y};
        return true;
    default: return false;
    }
}

int X11ModifiersOf(const void* sysWmMessage) {
    const auto* msg = static_cast<const SDL_SysWMmsg*>(sysWmMessage);
    if (!msg || msg->subsystem != SDL_SYSWM_X11) {
        return -1;
    }
    const XEvent& e = msg->msg.x11.event;
    unsigned state = 0;
    switch (e.type) {
    case KeyPress:
    case KeyRelease: state = e.xkey.state; break;
    case ButtonPress:
    case ButtonRelease: state = e.xbutton.state; break;
    default: return -1;
    }
    return ((state & ShiftMask) ? X11ShiftDown : 0) | ((state & ControlMask) ? X11ControlDown : 0) |
           ((state & Mod1Mask) ? X11AltDown : 0);
}

int X11ConnectionFd(_XDisplay* display) { return ConnectionNumber(display); }

bool X11EventsQueued(_XDisplay* display) { return XEventsQueued(display, QueuedAlready) > 0; }

bool X11UseDefaultColormap(SDL_Window* sdlWindow) {
    SDL_SysWMinfo info;
    XWindowAttributes attributes;
    if (!X11Info(sdlWindow, info) ||
        !XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes) ||
        attributes.visual != DefaultVisualOfScreen(attributes.screen)) {
        return false;
    }
    XSetWindowColormap(info.info.x11.display, info.info.x11.window,
                       DefaultColormapOfScreen(attributes.screen));
    return true;
}

void X11MapWindow(SDL_Window* sdlWindow, bool show) {
    SDL_SysWMinfo info;
    if (!X11Info(sdlWindow, info)) {
        return;
    }
    if (show) {
        XMapRaised(info.info.x11.display, info.info.x11.window);
    } else {
        XUnmapWindow(info.info.x11.display, info.info.x11.window);
    }
    XFlush(info.info.x11.display);
}

bool X11PointerPosition(_XDisplay* display, int& x, int& y) {
    ::Window root = 0, child = 0;
    int winX = 0, winY = 0;
    unsigned int mask = 0;
    return XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &winX, &winY, &mask) ==
           True;
}

namespace {
// The window a window's _NET_SUPPORTING_WM_CHECK names, or 0.
::Window WmCheckWindowOf(Display* display, ::Window window, Atom check) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    ::Window named = 0;
    if (XGetWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr && type == XA_WINDOW && format == 32 && count == 1) {
        named = ::Window(reinterpret_cast<const long*>(data)[0]);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return named;
}

int IgnoreXError(Display*, XErrorEvent*) { return 0; }
} // namespace

bool X11HasWindowManager(_XDisplay* display) {
    if (!display) {
        return false;
    }
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) {
        return false; // no window manager has ever run on this display
    }
    ::Window named = WmCheckWindowOf(display, DefaultRootWindow(display), check);
    if (!named) {
        return false;
    }
    // A window manager that ended leaves the root's property behind, naming a window that is
    // gone: asking about it is then a BadWindow error, which must not end the program.
    XSync(display, False);
    auto previous = XSetErrorHandler(IgnoreXError);
    bool alive = WmCheckWindowOf(display, named, check) == named;
    XSync(display, False);
    XSetErrorHandler(previous);
    return alive;
}

X11WmState X11WmStateOf(SDL_Window* sdlWindow) {
    SDL_SysWMinfo info;
    if (!X11Info(sdlWindow, info)) {
        return X11WmState::Absent;
    }
    Display* display = info.info.x11.display;
    Atom wmState = XInternAtom(display, "WM_STATE", True);
    if (wmState == None) {
        return X11WmState::Absent; // no window manager has ever run on this display
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    X11WmState state = X11WmState::Absent;
    if (XGetWindowProperty(display, info.info.x11.window, wmState, 0, 2, False, wmState, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr && format == 32 && count >= 1) {
        switch (reinterpret_cast<const long*>(data)[0]) {
        case WithdrawnState: state = X11WmState::Withdrawn; break;
        case NormalState: state = X11WmState::Normal; break;
        case IconicState: state = X11WmState::Iconic; break;
        default: break;
        }
    }
    if (data != nullptr) {
        XFree(data);
    }
    return state;
}

unsigned long X11WmStateChangeOf(const void* sysWmMessage) {
    const auto* msg = static_cast<const SDL_SysWMmsg*>(sysWmMessage);
    if (!msg || msg->subsystem != SDL_SYSWM_X11 || msg->msg.x11.event.type != PropertyNotify) {
        return 0;
    }
    const XPropertyEvent& e = msg->msg.x11.event.xproperty;
    // Xlib answers a known atom from its cache, without a round trip.
    return e.atom == XInternAtom(e.display, "WM_STATE", False) ? e.window : 0;
}

} // namespace ui
