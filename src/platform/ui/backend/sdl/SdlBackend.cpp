#include "platform/ui/backend/sdl/SdlBackend.h"

#include "platform/ui/UserTypes.h"

#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include "platform/ui/backend/sdl/X11Glue.h"

namespace ui {

namespace {

constexpr const char* kNoDisplay = "No display available: set DISPLAY or run under Xvfb.";

int VirtualKey(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return VK_F1 + (k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (k - SDLK_KP_1);
    switch (k) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return VK_RWIN;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_EQUALS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE: return VK_OEM_7;
    default: return 0;
    }
}

SDL_SystemCursor SystemCursor(int idc) {
    switch (idc) {
    case 32513: return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514: return SDL_SYSTEM_CURSOR_WAIT;
    case 32515: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643: return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644: return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645: return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646: return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648: return SDL_SYSTEM_CURSOR_NO;
    case 32649: return SDL_SYSTEM_CURSOR_HAND;
    case 32650: return SDL_SYSTEM_CURSOR_WAITARROW;
    default: return SDL_SYSTEM_CURSOR_ARROW;
    }
}

} // namespace

SdlBackend::SdlBackend() {
    const char* display = std::getenv("DISPLAY");
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if ((!display || !*display) && !driver) {
        throw std::runtime_error(kNoDisplay);
    }
    // Software surfaces on X11: the OpenGL path costs several times the start-up time and
    // memory, and every pixel is composed by the window system anyway.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // SDL prefers a DirectColor visual (for gamma ramps, which we never set) with a private
    // colormap per window; we want the screen's default TrueColor visual and colormap, as
    // every other program has (see X11UseDefaultColormap). A value the user set is kept.
    setenv("SDL_VIDEO_X11_NODIRECTCOLOR", "1", 0);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        throw std::runtime_error(kNoDisplay);
    }
    // The X events themselves too: only they tell where the pointer was on the screen.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        SDL_Quit();
        throw std::runtime_error(std::string("Cannot create the wake-up event: ") + std::strerror(errno));
    }
    SDL_StartTextInput();
}

SdlBackend::~SdlBackend() {
    for (auto& [id, n] : windows_) {
        (void)id;
        SDL_DestroyWindow(n.window);
    }
    for (auto& [id, c] : cursors_) {
        (void)id;
        SDL_FreeCursor(c);
    }
    SDL_Quit();
    close(wakeFd_);
}

SdlBackend::Native* SdlBackend::Find(NativeId id) {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : &it->second;
}

NativeId SdlBackend::CreateNativeWindow(const NativeWindowDesc& desc) {
    Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    if (desc.popup) {
        flags |= SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_POPUP_MENU;
    } else if (desc.owner) {
        flags |= SDL_WINDOW_SKIP_TASKBAR;
    }
    if (desc.topmost) {
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    }
    SDL_Window* w = SDL_CreateWindow(desc.title.c_str(), desc.rect.left, desc.rect.top,
                                     std::max(1, RectWidth(desc.rect)), std::max(1, RectHeight(desc.rect)),
                                     flags);
    if (!w) {
        throw std::runtime_error(std::string("Cannot create a window: ") + SDL_GetError());
    }
    if (!display_) {
        display_ = X11DisplayOf(w);
    }
    if (defaultVisual_) {
        defaultVisual_ = X11UseDefaultColormap(w);
    }
    NativeId id = SDL_GetWindowID(w);
    Native& n = windows_[id];
    n.window = w;
    n.rect = desc.rect;
    n.popup = desc.popup;
    n.xwindow = X11WindowOf(w);
    if (Native* owner = desc.owner ? Find(desc.owner) : nullptr) {
        // WM_TRANSIENT_FOR: the window manager keeps the dialog above its owner.
        SDL_SetWindowModalFor(w, owner->window);
    }
    return id;
}

void SdlBackend::DestroyNativeWindow(NativeId id) {
    if (Native* n = Find(id)) {
        SDL_DestroyWindow(n->window);
        windows_.erase(id);
    }
}

void SdlBackend::ShowNativeWindow(NativeId id, bool show, bool activate) {
    Native* n = Find(id);
    if (!n) {
        return;
    }
    n->shown = show;
    // A popup shown without activation (a drop-down list) is mapped without SDL, which would
    // give it the focus when no window manager runs.
    // The outline goes to the server before the window is mapped, so that it never shows as
    // a rectangle; while hidden, SetShape only keeps it.
    if (show) {
        ApplyShape(*n);
    }
    if ((show && n->popup && !activate) || (!show && n->mappedByX11)) {
        if (show) {
            SDL_SetWindowPosition(n->window, n->rect.left, n->rect.top);
        }
        X11MapWindow(n->window, show);
        n->mappedByX11 = show;
        return;
    }
    if (show) {
        SDL_ShowWindow(n->window);
        SDL_SetWindowPosition(n->window, n->rect.left, n->rect.top);
        if (activate && !n->popup) {
            SDL_RaiseWindow(n->window);
        }
    } else {
        SDL_HideWindow(n->window);
    }
}

void SdlBackend::MoveNativeWindow(NativeId id, const RECT& rect) {
    Native* n = Find(id);
    if (!n) {
        return;
    }
    bool sized = RectWidth(rect) != RectWidth(n->rect) || RectHeight(rect) != RectHeight(n->rect);
    n->rect = rect;
    if (sized) {
        SDL_SetWindowSize(n->window, std::max(1, RectWidth(rect)), std::max(1, RectHeight(rect)));
    }
    SDL_SetWindowPosition(n->window, rect.left, rect.top);
}

void SdlBackend::RaiseNativeWindow(NativeId id) {
    if (Native* n = Find(id); n && n->shown && !n->popup) {
        SDL_RaiseWindow(n->window);
    }
}

// SDL asks the window manager to activate the window. Without one nobody hands the keyboard on:
// SDL gives it to each window it shows, and when that window goes (a dialog closing) the X
// focus goes nowhere and the owner the window system activated heard no key again. Then the
// window takes the keyboard itself.
void SdlBackend::ActivateNativeWindow(NativeId id) {
    Native* n = Find(id);
    if (!n || !n->shown || n->popup) {
        return;
    }
    SDL_RaiseWindow(n->window);
    if (!X11HasWindowManager(display_)) {
        SDL_SetWindowInputFocus(n->window);
    }
}

// SDL does nothing for a window already in the state asked for, and then no confirmation
// comes: only a real change is awaited.
void SdlBackend::MinimizeNativeWindow(NativeId id) {
    if (Native* n = Find(id); n && !n->iconic && !(SDL_GetWindowFlags(n->window) & SDL_WINDOW_MINIMIZED)) {
        n->wantMinimized = true;
        SDL_MinimizeWindow(n->window);
    }
}

void SdlBackend::RestoreNativeWindow(NativeId id) {
    Native* n = Find(id);
    if (!n) {
        return;
    }
    bool sdlMinimized = (SDL_GetWindowFlags(n->window) & SDL_WINDOW_MINIMIZED) != 0;
    if (n->iconic || sdlMinimized) {
        n->wantMinimized = false;
    }
    if (n->iconic && !sdlMinimized) {
        // The window manager iconified it, but SDL has not read the unmap yet and would do
        // nothing: mapping the window is how a program asks for it back.
        X11MapWindow(n->window, true);
        return;
    }
    SDL_RestoreWindow(n->window);
}

void SdlBackend::SetNativeTitle(NativeId id, const std::string& title) {
    if (Native* n = Find(id)) {
        SDL_SetWindowTitle(n->window, title.c_str());
    }
}

void SdlBackend::SetNativeIcon(NativeId id, const gfx::Bitmap& icon) {
    Native* n = Find(id);
    if (!n || icon.Empty()) {
        return; // SDL keeps the last icon; the program never takes its icon away
    }
    // Our pixels are 0xAARRGGBB words: SDL's ARGB8888 reads them in place.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<gfx::Pixel*>(icon.Data()), icon.Width(), icon.Height(), 32,
        icon.Width() * int(sizeof(gfx::Pixel)), SDL_PIXELFORMAT_ARGB8888);
    if (surface) {
        SDL_SetWindowIcon(n->window, surface);
        SDL_FreeSurface(surface);
    }
}

// A form is sized and reshaped several times before it is first shown: only the outline it has
// when shown goes to the server.
void SdlBackend::SetShape(NativeId id, const std::optional<gfx::Region>& shape) {
    if (Native* n = Find(id)) {
        n->shape = shape;
        if (n->shown) {
            ApplyShape(*n);
        }
    }
}

void SdlBackend::ApplyShape(Native& n) { ApplyX11Shape(n.window, n.shape ? &*n.shape : nullptr); }

void SdlBackend::SetOpacity(NativeId id, std::uint8_t alpha) {
    if (Native* n = Find(id)) {
        SDL_SetWindowOpacity(n->window, float(alpha) / 255.0f);
    }
}

void SdlBackend::Present(NativeId id, const gfx::Bitmap& pixels, const RECT& dirty) {
    Native* n = Find(id);
    if (!n || !n->shown) {
        return;
    }
    SDL_Surface* s = SDL_GetWindowSurface(n->window);
    if (!s) {
        return;
    }
    RECT d = IntersectRect(dirty,
                           RECT{0, 0, std::min(pixels.Width(), s->w), std::min(pixels.Height(), s->h)});
    if (IsRectEmpty(d)) {
        return;
    }
    SDL_LockSurface(s);
    const void* src = pixels.Row(d.top) + d.left;
    void* dst = static_cast<Uint8*>(s->pixels) + std::size_t(d.top) * std::size_t(s->pitch) +
                std::size_t(d.left) * s->format->BytesPerPixel;
    SDL_ConvertPixels(RectWidth(d), RectHeight(d), SDL_PIXELFORMAT_RGB888, src, pixels.Width() * 4,
                      s->format->format, dst, s->pitch);
    SDL_UnlockSurface(s);
    SDL_Rect r{d.left, d.top, RectWidth(d), RectHeight(d)};
    SDL_UpdateWindowSurfaceRects(n->window, &r, 1);
}

void SdlBackend::Translate(const void* raw, std::vector<InputEvent>& out) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    InputEvent ev;
    // A mouse event's window coordinates are relative to where the X server had the window when
    // the event happened, not to where we last asked it to be: while the window is dragged, the
    // server reports motion against the old place until our move reaches it, and adding the
    // new place made the window run ahead of the pointer.
    auto screenPoint = [&](Uint32 windowId, int x, int y) {
        if (Native* n = Find(windowId)) {
            POINT origin = n->pointerOrigin.value_or(POINT{n->rect.left, n->rect.top});
            return POINT{origin.x + x, origin.y + y};
        }
        return CursorPos();
    };
    // SDL gives a press the place of the last motion; the press's own X event has the place.
    auto pressPoint = [&](Uint32 windowId, int x, int y) {
        Native* n = Find(windowId);
        return n && n->pointerOrigin ? n->pointerAt : screenPoint(windowId, x, y);
    };
    switch (e.type) {
    case SDL_SYSWMEVENT:
        eventModifiers_ = X11ModifiersOf(e.syswm.msg);
        NotePointerEvent(e.syswm.msg);
        if (unsigned long xwindow = X11WmStateChangeOf(e.syswm.msg)) {
            NoteWmState(xwindow, out);
        }
        return;
    case SDL_MOUSEMOTION:
        ev.kind = InputEvent::Kind::MouseMove;
        ev.pt = screenPoint(e.motion.windowID, e.motion.x, e.motion.y);
        ev.window = e.motion.windowID;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        ev.kind = e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Kind::MouseDown : InputEvent::Kind::MouseUp;
        ev.pt = pressPoint(e.button.windowID, e.button.x, e.button.y);
        ev.button = e.button.button == SDL_BUTTON_RIGHT    ? MouseButton::Right
                    : e.button.button == SDL_BUTTON_MIDDLE ? MouseButton::Middle
                                                           : MouseButton::Left;
        if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT &&
            e.button.button != SDL_BUTTON_MIDDLE) {
            return;
        }
        SyncModifiers(0, out);
        // A move first, so the window system sees the press where it happened.
        {
            InputEvent move;
            move.kind = InputEvent::Kind::MouseMove;
            move.pt = ev.pt;
            out.push_back(move);
        }
        break;
    case SDL_MOUSEWHEEL: {
        // One event may carry both directions (a touchpad): the vertical turn, then the sideways one.
        const int sign = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
        ev.kind = InputEvent::Kind::Wheel;
        ev.pt = CursorPos();
        if (e.wheel.y != 0) {
            ev.wheelDelta = sign * e.wheel.y * 120;
            out.push_back(ev);
        }
        if (e.wheel.x == 0) {
            return;
        }
        ev.wheelDelta = sign * e.wheel.x * 120;
        ev.wheelHorizontal = true;
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        ev.kind = e.type == SDL_KEYDOWN ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
        ev.vk = VirtualKey(e.key.keysym.sym);
        if (!ev.vk) {
            return;
        }
        SyncModifiers(ev.vk, out);
        NoteModifier(ev.vk, e.type == SDL_KEYDOWN);
        break;
    case SDL_TEXTINPUT:
        ev.kind = InputEvent::Kind::Text;
        ev.text = e.text.text;
        break;
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(&e, ev);
        if (ev.window == 0) {
            return;
        }
        break;
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
        // SDL hands over the text; a dropped text (not a file) is not taken.
        if (e.drop.file == nullptr) {
            return;
        }
        ev.kind = InputEvent::Kind::DropFile;
        ev.text = e.drop.file;
        SDL_free(e.drop.file);
        if (e.type != SDL_DROPFILE) {
            return;
        }
        ev.window = e.drop.windowID;
        ev.pt = CursorPos();
        break;
    default: return; // SDL_QUIT included: closing goes through the windows' close requests
    }
    out.push_back(std::move(ev));
}

// SDL keeps a key state of its own: it lets every key go when a window of ours loses the X
// focus and, on gaining it, asks the server which modifiers are down at that moment. A focus
// change between a Ctrl press and the A (a dialog opening, the window manager moving the focus)
// that the program reads only after the keys were let go thus made Ctrl+A an A. The X event
// says which modifiers were down when it happened: where that differs from what our events
// said, the modifier's press or release comes first. The key's own modifier is left to the key.
void SdlBackend::SyncModifiers(int vk, std::vector<InputEvent>& out) {
    const int modifiers = eventModifiers_;
    eventModifiers_ = -1; // the X event is used up by the first SDL event made of it
    if (modifiers < 0) {
        return; // one of SDL's own key events (a focus change): no X event behind it
    }
    constexpr struct {
        int bit;
        int vk;
    } kModifiers[] = {{X11ShiftDown, VK_SHIFT}, {X11ControlDown, VK_CONTROL}, {X11AltDown, VK_MENU}};
    for (const auto& m : kModifiers) {
        bool down = (modifiers & m.bit) != 0;
        if (m.vk == vk || down == ((modifiersDown_ & m.bit) != 0)) {
            continue;
        }
        InputEvent ev;
        ev.kind = down ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
        ev.vk = m.vk;
        out.push_back(ev);
        NoteModifier(m.vk, down);
    }
}

void SdlBackend::NoteModifier(int vk, bool down) {
    int bit = vk == VK_SHIFT     ? X11ShiftDown
              : vk == VK_CONTROL ? X11ControlDown
              : vk == VK_MENU    ? X11AltDown
                                 : 0;
    modifiersDown_ = down ? (modifiersDown_ | bit) : (modifiersDown_ & ~bit);
}

// SDL queues the X event just before the SDL events it makes of it, so the pointer place noted
// here is the one of the mouse event that follows.
void SdlBackend::NotePointerEvent(const void* sysWmMessage) {
    X11PointerEvent p;
    if (!X11PointerEventOf(sysWmMessage, p)) {
        return;
    }
    for (auto& [id, n] : windows_) {
        (void)id;
        if (n.xwindow == p.window) {
            n.pointerOrigin = POINT{p.rootX - p.x, p.rootY - p.y};
            n.pointerAt = POINT{p.rootX, p.rootY};
            return;
        }
    }
}

// The window manager iconified a window or brought it back. A change we asked for is only
// confirmed; a window being hidden or destroyed (withdrawn) says nothing.
void SdlBackend::NoteWmState(unsigned long xwindow, std::vector<InputEvent>& out) {
    for (auto& [id, n] : windows_) {
        if (n.xwindow != xwindow) {
            continue;
        }
        X11WmState state = X11WmStateOf(n.window);
        bool iconic = state == X11WmState::Iconic;
        if (iconic == n.iconic) {
            return;
        }
        n.iconic = iconic;
        if (!iconic && state != X11WmState::Normal) {
            return; // withdrawn: hidden or going away
        }
        InputEvent ev;
        ev.window = id;
        if (n.wantMinimized) {
            if (*n.wantMinimized == iconic) {
                n.wantMinimized.reset(); // ours, confirmed
            }
            if (iconic) {
                return;
            }
            ev.kind = InputEvent::Kind::Expose; // ours (or a step on the way to our minimize)
        } else if (n.popup || !n.shown) {
            return;
        } else {
            ev.kind = iconic ? InputEvent::Kind::Minimized : InputEvent::Kind::Restored;
        }
        out.push_back(std::move(ev));
        return;
    }
}

// Sets ev.window to 0 for an event that means nothing to the window system.
void SdlBackend::TranslateWindowEvent(const void* raw, InputEvent& ev) {
    const SDL_WindowEvent& e = static_cast<const SDL_Event*>(raw)->window;
    using K = InputEvent::Kind;
    Native* n = Find(e.windowID);
    ev.window = n ? e.windowID : 0;
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE: ev.kind = K::Close; break;
    case SDL_WINDOWEVENT_FOCUS_LOST: ev.kind = K::FocusLost; break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: ev.kind = K::FocusGained; break;
    case SDL_WINDOWEVENT_LEAVE:
        ev.kind = K::MouseLeft;
        ev.pt = CursorPos();
        break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: ev.kind = K::Expose; break;
    case SDL_WINDOWEVENT_MINIMIZED:
        // SDL says so for every unmap (our own hiding, a window manager taking the window in):
        // the desktop's minimize is told by WM_STATE (NoteWmState).
        ev.window = 0;
        break;
    case SDL_WINDOWEVENT_RESTORED:
        // Mapped again or no longer maximized: the pixels are to be shown again. Coming back
        // from minimized is told by WM_STATE.
        ev.kind = K::Expose;
        break;
    default: ev.window = 0; break;
    }
}

// The loop waits on the X connection and on an eventfd of its own, never in
// SDL_WaitEventTimeout: while SDL waits there, every event it queues, and every event another
// thread pushes, makes it send a wake-up message through a second X connection to one of our
// windows. Nothing orders that message against our own requests, so a window destroyed right
// after (closing the last window) made the X server answer BadWindow, and Xlib's default
// handler ended the program. Waking through the eventfd involves no window at all.
//
// A wake-up is taken only after a wait: the window system looks at its queue before it waits
// again, so a post that arrives at any moment either is seen there or keeps the eventfd
// readable and ends the next wait at once. Taking it without waiting could swallow the wake-up
// of a message posted just after the queue was looked at, and the loop would sleep on it.
void SdlBackend::PumpEvents(int timeoutMs, std::vector<InputEvent>& out) {
    std::size_t before = out.size();
    TakeSdlEvents(out);
    if (out.size() != before || timeoutMs == 0) {
        return;
    }
    WaitForInput(timeoutMs);
    TakeWake();
    TakeSdlEvents(out);
}

void SdlBackend::TakeSdlEvents(std::vector<InputEvent>& out) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        Translate(&e, out);
    }
}

void SdlBackend::TakeWake() {
    std::uint64_t count = 0;
    ssize_t got = read(wakeFd_, &count, sizeof count);
    (void)got; // nothing to take (EAGAIN) is as good as taking it
}

void SdlBackend::WaitForInput(int timeoutMs) {
    // Read what the connection holds into SDL's queue first (this also flushes our requests):
    // events Xlib has already buffered never make the socket readable again.
    SDL_PumpEvents();
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0 ||
        (display_ && X11EventsQueued(display_))) {
        return;
    }
    pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {display_ ? X11ConnectionFd(display_) : -1, POLLIN, 0}};
    // Before the first window there is no connection to watch, and nothing to say on it but
    // the clipboard's answers to other programs: look again now and then.
    constexpr int kNoConnectionWait = 100;
    if (!display_ && (timeoutMs < 0 || timeoutMs > kNoConnectionWait)) {
        timeoutMs = kNoConnectionWait;
    }
    while (poll(fds, display_ ? 2 : 1, timeoutMs) < 0 && errno == EINTR) {
    }
}

void SdlBackend::Wake() {
    std::uint64_t one = 1;
    // A full counter (never in practice) already wakes the loop, so a failed write loses nothing.
    ssize_t written = write(wakeFd_, &one, sizeof one);
    (void)written;
}

std::vector<MonitorDesc> SdlBackend::Monitors() {
    std::vector<MonitorDesc> out;
    int n = SDL_GetNumVideoDisplays();
    for (int i = 0; i < n; ++i) {
        SDL_Rect b, u;
        if (SDL_GetDisplayBounds(i, &b) != 0) {
            continue;
        }
        if (SDL_GetDisplayUsableBounds(i, &u) != 0) {
            u = b;
        }
        out.push_back(
            MonitorDesc{{b.x, b.y, b.x + b.w, b.y + b.h}, {u.x, u.y, u.x + u.w, u.y + u.h}, i == 0});
    }
    return out;
}

POINT SdlBackend::CursorPos() {
    int x = 0, y = 0;
    if (display_ && X11PointerPosition(display_, x, y)) {
        return POINT{x, y};
    }
    SDL_GetGlobalMouseState(&x, &y);
    return POINT{x, y};
}

void SdlBackend::SetCursorPos(POINT pt) { SDL_WarpMouseGlobal(pt.x, pt.y); }

void SdlBackend::SetCursorShape(int idc) {
    SDL_Cursor*& c = cursors_[idc];
    if (!c) {
        c = SDL_CreateSystemCursor(SystemCursor(idc));
    }
    if (c) {
        SDL_SetCursor(c);
    }
}

void SdlBackend::SetMouseCapture(bool on) { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }

std::string SdlBackend::ClipboardText() {
    char* t = SDL_GetClipboardText();
    std::string s = t ? t : "";
    SDL_free(t);
    return s;
}

void SdlBackend::SetClipboardText(const std::string& text) { SDL_SetClipboardText(text.c_str()); }

bool SdlBackend::HasClipboardText() { return SDL_HasClipboardText() == SDL_TRUE; }

std::uint64_t SdlBackend::Milliseconds() {
    return std::uint64_t(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_)
            .count());
}

} // namespace ui
