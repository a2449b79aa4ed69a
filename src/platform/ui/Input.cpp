// Input routing (hit testing, client and non-client mouse messages, double-clicks, wheel,
// keys and text), capture, focus, activation, enabling, mouse-leave tracking, key state.
#include "platform/ui/WindowSystem.h"

#include "platform/gfx/Utf8.h"

#include <algorithm>

using ui::WS;
using ui::Window;

namespace ui {

namespace {

HWND TopByNative(WindowSystem& ws, NativeId id) {
    for (HWND t : ws.tops_) {
        if (t->native == id) {
            return t;
        }
    }
    return nullptr;
}

bool Disabled(HWND w) {
    for (; w; w = w->IsChild() ? w->parent : nullptr) {
        if (w->style & WS_DISABLED) {
            return true;
        }
    }
    return false;
}

MSG MakeMsg(HWND hwnd, UINT message, WPARAM w, LPARAM l, POINT pt, DWORD time) {
    MSG m;
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = w;
    m.lParam = l;
    m.pt = pt;
    m.time = time;
    return m;
}

} // namespace

// A press in a child window is announced to its parents, nearest first, each with the point in
// its own client coordinates; a window with WS_EX_NOPARENTNOTIFY ends the chain (the pressed
// window itself included). The event is the client button-down message even for presses in
// the frame and double-clicks.
void WindowSystem::NotifyParentsOfPress(HWND hwnd, UINT buttonDown, POINT screen) {
    for (HWND c = hwnd; IsLive(c) && c->IsChild() && !(c->exStyle & WS_EX_NOPARENTNOTIFY); c = c->parent) {
        HWND p = c->parent;
        POINT o = ClientScreenOrigin(p);
        Send(p, WM_PARENTNOTIFY, MAKEWPARAM(WORD(buttonDown), 0),
             MAKELPARAM(WORD(screen.x - o.x), WORD(screen.y - o.y)));
    }
}

HWND WindowSystem::HitWindow(POINT screen, LRESULT* hit) {
    HWND w = WindowFromPoint(screen);
    while (w) {
        LRESULT h = Send(w, WM_NCHITTEST, 0, MAKELPARAM(WORD(screen.x), WORD(screen.y)));
        if (!IsLive(w)) {
            return nullptr;
        }
        if (h != HTTRANSPARENT) {
            *hit = h;
            return w;
        }
        w = w->IsChild() ? w->parent : nullptr;
    }
    *hit = HTNOWHERE;
    return nullptr;
}

void WindowSystem::CheckMouseLeave(HWND now, bool client) {
    if (pointer_.Hover() == now && pointer_.HoverClient() == client) {
        return;
    }
    HWND old = pointer_.Hover();
    bool oldClient = pointer_.HoverClient();
    pointer_.SetHover(now, client);
    if (!IsLive(old) || !old->trackFlags) {
        return;
    }
    bool ncTracking = (old->trackFlags & TME_NONCLIENT) != 0;
    if (ncTracking != !oldClient) {
        return; // the tracked part is not the one the mouse left
    }
    old->trackFlags = 0;
    Post(old, ncTracking ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

void WindowSystem::Route(const InputEvent& ev) {
    switch (ev.kind) {
    case InputEvent::Kind::MouseMove:
    case InputEvent::Kind::MouseDown:
    case InputEvent::Kind::MouseUp:
    case InputEvent::Kind::Wheel: RouteMouse(ev); break;
    case InputEvent::Kind::KeyDown:
    case InputEvent::Kind::KeyUp:
    case InputEvent::Kind::Text: RouteKey(ev); break;
    case InputEvent::Kind::Close:
        if (HWND t = TopByNative(*this, ev.window)) {
            Post(t, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        break;
    case InputEvent::Kind::FocusLost:
        // Only a foreign window takes the focus from the active one: our own activations
        // move it first, so the loss reported afterwards names a window no longer active.
        if (Active() && Active()->native == ev.window) {
            SetActive(nullptr, WA_INACTIVE);
        }
        break;
    case InputEvent::Kind::FocusGained:
        if (HWND t = TopByNative(*this, ev.window)) {
            if (t != Active() && !(t->style & WS_DISABLED) && !(t->exStyle & WS_EX_NOACTIVATE)) {
                SetActive(t, WA_ACTIVE);
            }
        }
        break;
    case InputEvent::Kind::Expose:
        if (HWND t = TopByNative(*this, ev.window)) {
            ExposeAll(t);
        }
        break;
    case InputEvent::Kind::Quit: PostQuit(0); break;
    case InputEvent::Kind::DropFile: RouteDrop(ev); break;
    case InputEvent::Kind::MouseLeft: PointerLeft(ev); break;
    case InputEvent::Kind::Minimized:
        if (HWND t = TopByNative(*this, ev.window)) {
            DesktopMinimized(t);
        }
        break;
    case InputEvent::Kind::Restored:
        if (HWND t = TopByNative(*this, ev.window)) {
            DesktopRestored(t);
        }
        break;
    }
}

// The pointer went where no move is reported to us. Unless a window of ours lies there (its
// own moves follow), nothing of ours is under the pointer any more: the tracked window hears
// of it as on Windows. A captured mouse keeps reporting moves, so the capture decides alone.
void WindowSystem::PointerLeft(const InputEvent& ev) {
    if (CaptureOwner()) {
        return;
    }
    HWND top = TopWindowAt(ev.pt);
    if (top && top->native != ev.window) {
        return;
    }
    CheckMouseLeave(nullptr, false);
}

// The desktop minimized the window: it takes the path a minimize from its system menu takes.
// A program that refuses (handles SC_MINIMIZE without minimizing) keeps the window on screen.
void WindowSystem::DesktopMinimized(HWND top) {
    if (top->style & WS_MINIMIZE) {
        return; // our own minimize, reported back
    }
    Send(top, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (IsLive(top) && !(top->style & WS_MINIMIZE) && top->native) {
        backend_->RestoreNativeWindow(top->native);
    }
}

// The desktop restored the window (taskbar, window list): the program restores it as from
// its system menu, and the pixels the desktop dropped while it was minimized are shown again.
void WindowSystem::DesktopRestored(HWND top) {
    if (top->style & WS_MINIMIZE) {
        Send(top, WM_SYSCOMMAND, SC_RESTORE, 0);
        if (!IsLive(top)) {
            return;
        }
        if ((top->style & WS_MINIMIZE) && top->native) {
            backend_->MinimizeNativeWindow(top->native); // the program kept it minimized
            return;
        }
    }
    ExposeAll(top);
}

void WindowSystem::RouteDrop(const InputEvent& ev) {
    // The window under the drop point, or the nearest ancestor of it, that accepts files.
    HWND target = WindowFromPoint(ev.pt);
    if (!target) {
        target = TopByNative(*this, ev.window);
    }
    while (target && !(target->exStyle & WS_EX_ACCEPTFILES)) {
        target = target->IsChild() ? target->parent : nullptr;
    }
    if (!target) {
        return;
    }
    auto* drop = new HDROP__{{ev.text}, ev.pt, target};
    if (!Post(target, WM_DROPFILES, WPARAM(drop), 0)) {
        delete drop;
    }
}

// The wheel goes to the window under the pointer, focused or not, active or not (Windows 10's
// "scroll inactive windows when I hover over them", and every Linux desktop); while a window holds
// the capture, to that window; with no window of ours under the pointer, to the focus. A window
// that a modal loop disabled, or a place that takes no mouse, gets nothing. Shift turns a
// vertical turn sideways (WM_MOUSEHWHEEL, away from the user = to the left), as the desktops do.
HWND WindowSystem::WheelTarget(POINT pt) {
    if (HWND owner = CaptureOwner()) {
        return owner;
    }
    LRESULT hit = HTNOWHERE;
    if (HWND under = HitWindow(pt, &hit)) {
        return hit == HTERROR || hit == HTNOWHERE ? nullptr : under;
    }
    return Focus() ? Focus() : Active();
}

void WindowSystem::RouteWheel(const InputEvent& ev, DWORD time) {
    HWND target = WheelTarget(ev.pt);
    if (!target || !IsLive(target) || Disabled(target)) {
        return;
    }
    bool sideways = ev.wheelHorizontal;
    int delta = ev.wheelDelta;
    if (!sideways && keys_.Down(VK_SHIFT)) {
        sideways = true;
        delta = -delta;
    }
    WPARAM w = MAKEWPARAM(WORD(keys_.MouseKeys()), WORD(std::int16_t(delta)));
    LPARAM l = MAKELPARAM(WORD(ev.pt.x), WORD(ev.pt.y));
    queue_.AddInput(MakeMsg(target, sideways ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL, w, l, ev.pt, time));
}

// A disabled window, or a place that takes no mouse, gets only the cursor it asks for; a
// click on a window that a modal loop disabled brings that loop's popup forward.
void WindowSystem::RefuseMouse(HWND target, LRESULT hit, UINT msg, bool press) {
    if (!CaptureOwner() && IsLive(target)) {
        Send(target, WM_SETCURSOR, WPARAM(reinterpret_cast<std::uintptr_t>(target)),
             MAKELPARAM(WORD(hit == HTNOWHERE ? HTNOWHERE : HTERROR), WORD(msg)));
    }
    if (press && Disabled(target)) {
        HWND top = TopLevel(target);
        if (HWND popup = GetWindow(top, GW_ENABLEDPOPUP)) {
            SetActive(popup, WA_CLICKACTIVE);
        }
    }
}

// A press in an inactive window asks it (WM_MOUSEACTIVATE) whether to activate and whether
// the press still counts. Returns false when the press is eaten or its window is gone.
bool WindowSystem::ActivateOnPress(HWND target, LRESULT hit, UINT msg) {
    HWND top = TopLevel(target);
    if (top == Active() || (top->exStyle & WS_EX_NOACTIVATE)) {
        return true;
    }
    LRESULT ma = Send(target, WM_MOUSEACTIVATE, WPARAM(reinterpret_cast<std::uintptr_t>(top)),
                      MAKELPARAM(WORD(hit), WORD(msg)));
    if (!IsLive(target)) {
        return false;
    }
    if (ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT || ma == 0) {
        SetActive(top, WA_CLICKACTIVE);
    }
    return ma != MA_ACTIVATEANDEAT && ma != MA_NOACTIVATEANDEAT && IsLive(target);
}

void WindowSystem::RouteMouse(const InputEvent& ev) {
    using K = InputEvent::Kind;
    pointer_.MovedTo(ev.pt);
    DWORD time = DWORD(Now());
    int vk = ev.button == MouseButton::Left    ? VK_LBUTTON
             : ev.button == MouseButton::Right ? VK_RBUTTON
                                               : VK_MBUTTON;
    if (ev.kind == K::MouseDown || ev.kind == K::MouseUp) {
        keys_.Set(vk, ev.kind == K::MouseDown);
    }
    if (ev.kind == K::Wheel) {
        RouteWheel(ev, time);
        return;
    }
    LRESULT hit = HTCLIENT;
    HWND target = CaptureOwner();
    if (!target) {
        target = HitWindow(ev.pt, &hit);
    }
    if (!target) {
        CheckMouseLeave(nullptr, false);
        return;
    }
    int base = ev.button == MouseButton::Left ? 0 : ev.button == MouseButton::Right ? 3 : 6;
    bool client = hit == HTCLIENT;
    UINT msg = ev.kind == K::MouseMove   ? (client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE)
               : ev.kind == K::MouseDown ? UINT((client ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN) + base)
                                         : UINT((client ? WM_LBUTTONUP : WM_NCLBUTTONUP) + base);
    if (ev.kind == K::MouseMove) {
        CheckMouseLeave(target, client);
    }
    if (Disabled(target) || hit == HTERROR || hit == HTNOWHERE) {
        RefuseMouse(target, hit, msg, ev.kind == K::MouseDown);
        return;
    }
    if (ev.kind == K::MouseDown) {
        NotifyParentsOfPress(target, UINT(WM_LBUTTONDOWN + base), ev.pt);
        if (!IsLive(target) || (!CaptureOwner() && !ActivateOnPress(target, hit, msg))) {
            return;
        }
    }
    if (!CaptureOwner()) {
        Send(target, WM_SETCURSOR, WPARAM(reinterpret_cast<std::uintptr_t>(target)),
             MAKELPARAM(WORD(hit), WORD(msg)));
        if (!IsLive(target)) {
            return;
        }
    }
    if (ev.kind == K::MouseDown) {
        bool wantsDbl = !client || (target->cls->wc.style & CS_DBLCLKS);
        if (pointer_.Press(target, msg, Now(), ev.pt, wantsDbl)) {
            msg += 2; // xBUTTONDOWN + 2 = xBUTTONDBLCLK
        }
    }
    WPARAM w = WPARAM(hit);
    LPARAM l = MAKELPARAM(WORD(ev.pt.x), WORD(ev.pt.y));
    if (client) {
        POINT co = ClientScreenOrigin(target);
        w = keys_.MouseKeys();
        l = MAKELPARAM(WORD(ev.pt.x - co.x), WORD(ev.pt.y - co.y));
    }
    queue_.AddInput(MakeMsg(target, msg, w, l, ev.pt, time));
}

void WindowSystem::RouteKey(const InputEvent& ev) {
    using K = InputEvent::Kind;
    DWORD time = DWORD(Now());
    HWND target = Focus() ? Focus() : Active();
    if (ev.kind == K::Text) {
        if (!target || Disabled(target)) {
            return;
        }
        bool alt = keys_.Down(VK_MENU) && !keys_.Down(VK_CONTROL);
        UINT msg = alt ? WM_SYSCHAR : WM_CHAR;
        for (char32_t cp : gfx::ToCodePoints(ev.text)) {
            queue_.AddInput(MakeMsg(target, msg, WPARAM(cp), 1, pointer_.Position(), time));
        }
        return;
    }
    int vk = ev.vk & 0xFF;
    bool wasDown = keys_.Down(vk);
    bool down = ev.kind == K::KeyDown;
    keys_.Set(vk, down);
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) keys_.Set(VK_SHIFT, down);
    if (vk == VK_LCONTROL || vk == VK_RCONTROL) keys_.Set(VK_CONTROL, down);
    if (vk == VK_LMENU || vk == VK_RMENU) keys_.Set(VK_MENU, down);
    if (!target || Disabled(target)) {
        return;
    }
    bool alt = keys_.Down(VK_MENU) || vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU;
    bool ctrl = keys_.Down(VK_CONTROL);
    bool sys = (alt && !ctrl) || vk == VK_F10;
    LPARAM l = 1;
    if (alt) l |= LPARAM(1) << 29;
    if (wasDown) l |= LPARAM(1) << 30;
    if (!down) l |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
    UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    queue_.AddInput(MakeMsg(target, msg, WPARAM(vk), l, pointer_.Position(), time));
}

void WindowSystem::SetActive(HWND hwnd, WPARAM how) {
    if (hwnd && !IsLive(hwnd)) {
        return;
    }
    if (hwnd == Active()) {
        return;
    }
    HWND old = Active();
    if (IsLive(old)) {
        Send(old, WM_NCACTIVATE, FALSE, 0);
        Send(old, WM_ACTIVATE, MAKEWPARAM(WORD(WA_INACTIVE), WORD((old->style & WS_MINIMIZE) ? 1 : 0)),
             LPARAM(reinterpret_cast<std::intptr_t>(hwnd)));
    }
    activation_.SetActive(hwnd);
    if (!hwnd) {
        if (AppActive()) {
            activation_.SetAppActive(false);
            std::vector<HWND> tops = tops_;
            for (HWND t : tops) {
                Send(t, WM_ACTIVATEAPP, FALSE, 0);
            }
        }
        if (Focus()) {
            DropFocus();
        }
        return;
    }
    {
        auto& sib = tops_;
        sib.erase(std::remove(sib.begin(), sib.end(), hwnd), sib.end());
        auto pos = sib.begin();
        if (!(hwnd->exStyle & WS_EX_TOPMOST)) {
            while (pos != sib.end() && ((*pos)->exStyle & WS_EX_TOPMOST)) {
                ++pos;
            }
        }
        sib.insert(pos, hwnd);
        if (hwnd->native) {
            backend_->ActivateNativeWindow(hwnd->native);
        }
        // Owned windows (drop-down lists, hints, dialogs) stay above their owner.
        std::vector<HWND> owned;
        for (HWND t : sib) {
            if (t->owner == hwnd && t->Visible()) {
                owned.push_back(t);
            }
        }
        for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
            sib.erase(std::remove(sib.begin(), sib.end(), *it), sib.end());
            sib.insert(std::find(sib.begin(), sib.end(), hwnd), *it);
            if ((*it)->native) {
                backend_->RaiseNativeWindow((*it)->native);
            }
        }
    }
    if (!AppActive()) {
        activation_.SetAppActive(true);
        std::vector<HWND> tops = tops_;
        for (HWND t : tops) {
            Send(t, WM_ACTIVATEAPP, TRUE, 0);
        }
    }
    if (!IsLive(hwnd) || Active() != hwnd) {
        return;
    }
    Send(hwnd, WM_NCACTIVATE, TRUE, 0);
    if (!IsLive(hwnd) || Active() != hwnd) {
        return;
    }
    Send(hwnd, WM_ACTIVATE, MAKEWPARAM(WORD(how), WORD((hwnd->style & WS_MINIMIZE) ? 1 : 0)),
         LPARAM(reinterpret_cast<std::intptr_t>(old)));
    if (IsLive(hwnd) && Active() == hwnd && Focus() && TopLevel(Focus()) != hwnd) {
        // The window kept the focus for itself or left it where it was: never leave the
        // keyboard with a window that is no longer active.
        SetFocusTo(nullptr);
    }
}

void WindowSystem::SetFocusTo(HWND hwnd) {
    if (hwnd == Focus()) {
        return;
    }
    if (hwnd) {
        HWND top = TopLevel(hwnd);
        if (top != Active()) {
            SetActive(top, WA_ACTIVE);
            if (Focus() == hwnd || !IsLive(hwnd)) {
                return;
            }
        }
    }
    HWND old = Focus();
    activation_.SetFocus(hwnd);
    if (IsLive(old)) {
        Send(old, WM_KILLFOCUS, WPARAM(reinterpret_cast<std::uintptr_t>(hwnd)), 0);
    }
    if (hwnd && Focus() == hwnd) {
        Send(hwnd, WM_SETFOCUS, WPARAM(reinterpret_cast<std::uintptr_t>(IsLive(old) ? old : nullptr)), 0);
    }
}

// The keyboard goes nowhere, and no window hears WM_SETFOCUS: the one that had it is going
// away, or the application is no longer the active one.
void WindowSystem::DropFocus() {
    HWND f = Focus();
    activation_.SetFocus(nullptr);
    Send(f, WM_KILLFOCUS, 0, 0);
}

void WindowSystem::ChangeCapture(HWND hwnd) {
    HWND old = capture_.Set(hwnd);
    if ((old != nullptr) != (hwnd != nullptr)) {
        backend_->SetMouseCapture(hwnd != nullptr);
    }
    if (old && !hwnd) {
        // As on Windows, a move at the pointer's place follows the release, so the window now
        // under it (or none: the pointer may have been dragged off every window) takes over
        // the hover and a tracked window hears that the mouse left.
        InputEvent move;
        move.kind = InputEvent::Kind::MouseMove;
        move.pt = backend_->CursorPos();
        queue_.AddRaw(move);
    }
    if (IsLive(old) && old != hwnd) {
        Send(old, WM_CAPTURECHANGED, 0, LPARAM(reinterpret_cast<std::intptr_t>(hwnd)));
    }
}

} // namespace ui

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) {
        return FALSE;
    }
    auto& ws = WS();
    int vk = int(msg->wParam);
    bool ctrl = ws.Keys().Down(VK_CONTROL);
    bool alt = ws.Keys().Down(VK_MENU);
    // Printable characters arrive as text input (WM_CHAR from the backend); keys only add the
    // control characters that no text event carries.
    char32_t ch = 0;
    if (msg->message == WM_SYSKEYDOWN) {
        if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
            ch = char32_t(vk >= 'A' ? vk + 32 : vk);
            ws.Post(msg->hwnd, WM_SYSCHAR, WPARAM(ch), msg->lParam);
            return TRUE;
        }
        return FALSE;
    }
    switch (vk) {
    case VK_RETURN: ch = '\r'; break;
    case VK_BACK: ch = ctrl ? 0x7F : 8; break; // Ctrl+Backspace is DEL, as on Windows
    case VK_TAB: ch = '\t'; break;
    case VK_ESCAPE: ch = 27; break;
    default:
        if (ctrl && !alt && vk >= 'A' && vk <= 'Z') {
            ch = char32_t(vk - 'A' + 1);
        }
        break;
    }
    if (!ch) {
        return FALSE;
    }
    ws.Post(msg->hwnd, WM_CHAR, WPARAM(ch), msg->lParam);
    return TRUE;
}

HWND SetCapture(HWND hwnd) {
    auto& ws = WS();
    HWND old = ws.CaptureOwner();
    if (ws.IsLive(hwnd)) {
        ws.ChangeCapture(hwnd);
    }
    return old;
}

BOOL ReleaseCapture() {
    auto& ws = WS();
    if (ws.CaptureOwner()) {
        ws.ChangeCapture(nullptr);
    }
    return TRUE;
}

HWND GetCapture() { return WS().CaptureOwner(); }

HWND SetFocus(HWND hwnd) {
    auto& ws = WS();
    if (hwnd && !ws.IsLive(hwnd)) {
        return nullptr;
    }
    HWND old = ws.Focus();
    ws.SetFocusTo(hwnd);
    return old;
}

HWND GetFocus() { return WS().Focus(); }

HWND SetActiveWindow(HWND hwnd) {
    auto& ws = WS();
    HWND old = ws.Active();
    if (hwnd && !ws.IsLive(hwnd)) {
        return nullptr;
    }
    ws.SetActive(hwnd ? ws.TopLevel(hwnd) : nullptr, WA_ACTIVE);
    return old;
}

HWND GetActiveWindow() { return WS().Active(); }

BOOL SetForegroundWindow(HWND hwnd) {
    auto& ws = WS();
    if (!ws.IsLive(hwnd)) {
        return FALSE;
    }
    ws.SetActive(ws.TopLevel(hwnd), WA_ACTIVE);
    return TRUE;
}

HWND GetForegroundWindow() { return WS().AppActive() ? WS().Active() : nullptr; }

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w) {
        return FALSE;
    }
    BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (bool(enable) == !wasDisabled) {
        return wasDisabled;
    }
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        if (ws.Focus() && (ws.Focus() == hwnd || IsChild(hwnd, ws.Focus()))) {
            ws.SetFocusTo(nullptr);
        }
        if (ws.CaptureOwner() && (ws.CaptureOwner() == hwnd || IsChild(hwnd, ws.CaptureOwner()))) {
            ws.ChangeCapture(nullptr);
        }
    }
    ws.Send(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = WS().Get(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme) {
    auto& ws = WS();
    if (!tme) {
        return FALSE;
    }
    if (tme->dwFlags & TME_QUERY) {
        HWND hover = ws.Pointer().Hover();
        HWND h = ws.IsLive(hover) && hover->trackFlags ? hover : nullptr;
        tme->hwndTrack = h;
        tme->dwFlags = h ? h->trackFlags : 0;
        return TRUE;
    }
    Window* w = ws.Get(tme->hwndTrack);
    if (!w) {
        return FALSE;
    }
    DWORD what = tme->dwFlags & (TME_LEAVE | TME_NONCLIENT);
    if (tme->dwFlags & TME_CANCEL) {
        w->trackFlags = 0;
        return TRUE;
    }
    if (!(what & TME_LEAVE)) {
        return TRUE; // FIXME: TME_HOVER (WM_MOUSEHOVER) is not generated; no caller needs it yet.
    }
    bool nc = (what & TME_NONCLIENT) != 0;
    if (ws.Pointer().Hover() != w || ws.Pointer().HoverClient() == nc) {
        // Not over the part to track: the leave is due at once, as on Windows.
        ws.Post(w, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        return TRUE;
    }
    w->trackFlags = what;
    return TRUE;
}

SHORT GetKeyState(int vk) {
    BYTE k = WS().Keys().State(vk);
    return SHORT(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int vk) { return SHORT(WS().Keys().Down(vk) ? 0x8000 : 0); }

BOOL GetCursorPos(POINT* pt) {
    if (!pt) {
        return FALSE;
    }
    // Where the pointer is now, not where the last message saw it: hover polls and drags
    // ask between messages, and the pointer may have left every window of ours.
    *pt = WS().backend().CursorPos();
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    auto& ws = WS();
    ws.WarpPointer(POINT{x, y});
    return TRUE;
}

UINT GetDoubleClickTime() { return 500; }

void MessageBeep(UINT) {}
