#include "framework/WinControl.h"

#include "framework/ControlCanvas.h"
#include "framework/Forms.h"

#include <algorithm>

namespace vcl {

namespace {

// The application object keeps the table from windows to their controls (it is the only place
// the framework may keep such state); a window made without one has no control.
void AttachControl(HWND hwnd, TWinControl* control) {
    if (Application != nullptr) {
        Application->RegisterWindow(hwnd, control);
    }
}

void DetachControl(HWND hwnd) {
    if (Application != nullptr) {
        Application->UnregisterWindow(hwnd);
    }
}

TWinControl* LookupControl(HWND hwnd) {
    return hwnd == nullptr || Application == nullptr ? nullptr : Application->WindowControl(hwnd);
}

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST; }

} // namespace

TWinControl* TWinControl::FindControl(HWND window) { return LookupControl(window); }

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetColor(clBtnFace);
}

TWinControl::~TWinControl() {
    Destroying();
    // A hook installed by a component that is gone by now must not see the last messages.
    WindowProc = [this](TMessage& m) { WndProc(m); };
    // Children go with the window they sit in, as in the framework: a child that is also owned
    // elsewhere leaves its owner's list as it is freed.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        delete child;
    }
    // Leave the parent while still a windowed control, so the form forgets it as its focused
    // or active control (TControl's destructor no longer knows it had a window).
    if (Parent() != nullptr) {
        Parent()->RemoveControl(this);
    }
    if (handle_ != nullptr) {
        DestroyHandle();
    }
}

// --- the window ---

HWND TWinControl::Handle() {
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded() {
    if (handle_ != nullptr) {
        return;
    }
    if (Parent() != nullptr) {
        Parent()->HandleNeeded();
        if (handle_ != nullptr) {
            return; // the parent made ours together with its own
        }
    }
    CreateHandle();
}

void TWinControl::CreateHandle() {
    if (handle_ != nullptr) {
        return;
    }
    trackingMouse_ = false;
    CreateWnd();
    // Windowed children get their windows now, bottom of the z-order first.
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (auto* wc = dynamic_cast<TWinControl*>(c); wc != nullptr && !wc->HandleAllocated()) {
            wc->CreateHandle();
        }
    }
    Realign();
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Caption = text_;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle() & csAcceptsControls) {
        p.Style |= WS_CLIPCHILDREN;
    }
    if (!Enabled()) {
        p.Style |= WS_DISABLED;
    }
    if (Visible()) {
        p.Style |= WS_VISIBLE;
    }
    p.X = left_;
    p.Y = top_;
    p.Width = width_;
    p.Height = height_;
    p.WndParent = Parent() != nullptr ? Parent()->handle_ : parentWindow_;
    p.WinClassName = ClassName();
    p.ClassStyle = CS_DBLCLKS;
}

void TWinControl::CreateWnd() {
    if (Application == nullptr) {
        throw EInvalidOperation("Windows need the application object: create a TApplication first");
    }
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && params.WndParent == nullptr) {
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    }
    SetControlState(ControlState() | csCreating);
    try {
        CreateWindowHandle(params);
    } catch (...) {
        SetControlState(ControlState() & ~unsigned(csCreating));
        throw;
    }
    SetControlState(ControlState() & ~unsigned(csCreating));
    if (handle_ == nullptr) {
        throw EOutOfResources("Error creating window");
    }
    CreateComplete();
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
    bool native = !p.NativeClassName.empty();
    if (!native) {
        WNDCLASS wc{};
        wc.style = p.ClassStyle;
        wc.lpfnWndProc = &TWinControl::StdWndProc;
        wc.lpszClassName = p.WinClassName.c_str();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClass(&wc); // fails harmlessly when the class exists already
        defWndProc_ = &DefWindowProc;
    }
    const std::string& cls = native ? p.NativeClassName : p.WinClassName;
    HWND h = CreateWindowEx(p.ExStyle, cls.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                            p.WndParent, nullptr, nullptr, this);
    if (h == nullptr) {
        return;
    }
    if (native) {
        // The native class keeps its own procedure as ours to fall back on.
        handle_ = h;
        AttachControl(h, this);
        defWndProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::StdWndProc)));
    }
    handle_ = h;
    // Pick up the bounds the window system actually gave (a top-level window may be adjusted).
    UpdateBoundsRect(WindowBoundsRect());
}

// The window's place in the coordinates the control's bounds are kept in: a child window's in
// its parent's client area, any other window's (a popup: drop-down list, menu, hint, even
// with a parent control) on the screen, as the window system places them.
RECT TWinControl::WindowBoundsRect() const {
    RECT r{};
    GetWindowRect(handle_, &r);
    if (GetWindowLongPtr(handle_, GWL_STYLE) & WS_CHILD) {
        POINT tl{r.left, r.top};
        ::ScreenToClient(GetParent(handle_), &tl);
        r = RECT{tl.x, tl.y, tl.x + RectWidth(r), tl.y + RectHeight(r)};
    }
    return r;
}

void TWinControl::DestroyHandle() {
    if (handle_ == nullptr) {
        return;
    }
    for (TControl* c : controls_) {
        if (auto* wc = dynamic_cast<TWinControl*>(c); wc != nullptr && wc->handle_ != nullptr) {
            wc->DestroyHandle();
        }
    }
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    // The text lives in the window while there is one; keep it for the next window.
    text_ = GetText();
    showing_ = false;
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    SetControlState(ControlState() | csDestroyingHandle);
    HWND h = handle_;
    if (h != nullptr) {
        DestroyWindow(h);
    }
    // WM_NCDESTROY normally detaches; make sure even when a hook swallowed it.
    if (handle_ != nullptr) {
        DetachControl(handle_);
        handle_ = nullptr;
    }
    SetControlState(ControlState() & ~unsigned(csDestroyingHandle));
}

void TWinControl::RecreateWnd() {
    if (handle_ == nullptr) {
        return;
    }
    DestroyHandle();
    UpdateShowing();
    if (handle_ == nullptr && (Parent() == nullptr || Parent()->HandleAllocated())) {
        // A hidden top-level window is remade on demand; a child under a live parent right away.
        if (Parent() != nullptr) {
            CreateHandle();
        }
    }
}

void TWinControl::SetParentWindow(HWND parent) {
    if (parent == parentWindow_) {
        return;
    }
    parentWindow_ = parent;
    if (handle_ != nullptr && Parent() == nullptr) {
        RecreateWnd();
    }
}

bool TWinControl::Showing() const { return showing_; }

void TWinControl::UpdateShowing() {
    bool show = Visible() &&
                (Parent() != nullptr ? Parent()->Showing() : parentWindow_ != nullptr || showing_);
    if (Parent() == nullptr && parentWindow_ == nullptr) {
        show = Visible(); // a top-level window shows by its own flag
    }
    if (show && handle_ == nullptr) {
        CreateHandle();
    }
    if (show != showing_) {
        showing_ = show;
        TMessage m{CM_SHOWINGCHANGED, 0, 0, 0};
        CMShowingChanged(m);
    }
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (auto* wc = dynamic_cast<TWinControl*>(c)) {
            wc->UpdateShowing();
        }
    }
}

void TWinControl::CMShowingChanged(TMessage&) {
    if (handle_ == nullptr) {
        return;
    }
    if (Parent() == nullptr && parentWindow_ == nullptr) {
        ShowWindow(handle_, showing_ ? SW_SHOW : SW_HIDE);
    } else {
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
}

void TWinControl::CMVisibleChanged(TMessage&) {
    if (Parent() != nullptr && !Parent()->HandleAllocated()) {
        return; // nothing to show yet; the window is made with the right style later
    }
    UpdateShowing();
    if (handle_ != nullptr && Parent() != nullptr) {
        // A child hidden with its parent keeps its visible flag in step with Visible.
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
}

void TWinControl::CMEnabledChanged(TMessage& m) {
    if (handle_ != nullptr) {
        EnableWindow(handle_, Enabled() ? TRUE : FALSE);
    }
    TControl::CMEnabledChanged(m);
}

void TWinControl::CMFontChanged(TMessage& m) {
    TControl::CMFontChanged(m);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& m) {
    TControl::CMColorChanged(m);
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMTextChanged(TMessage& m) { TControl::CMTextChanged(m); }

std::string TWinControl::GetText() const {
    if (handle_ == nullptr) {
        return text_;
    }
    auto* self = const_cast<TWinControl*>(this);
    auto n = std::size_t(self->Perform(WM_GETTEXTLENGTH, 0, 0));
    std::string s(n + 1, '\0');
    auto got = std::size_t(self->Perform(WM_GETTEXT, WPARAM(n + 1), reinterpret_cast<LPARAM>(s.data())));
    s.resize(std::min(got, n));
    return s;
}

void TWinControl::NotifyControls(UINT msg) {
    for (TControl* c : std::vector<TControl*>(controls_)) {
        c->Perform(msg, 0, 0);
    }
}

void TWinControl::Broadcast(TMessage& message) {
    for (TControl* c : std::vector<TControl*>(controls_)) {
        c->WindowProc(message);
        if (message.Result != 0) {
            return;
        }
    }
}

// --- the window procedure ---

LRESULT TWinControl::StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = LookupControl(hwnd);
    if (control == nullptr && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        control = cs != nullptr ? static_cast<TWinControl*>(cs->lpCreateParams) : nullptr;
        if (control != nullptr) {
            control->handle_ = hwnd;
            AttachControl(hwnd, control);
        }
    }
    if (control == nullptr) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    TMessage m{msg, wParam, lParam, 0};
    control->MainWndProc(m);
    if (msg == WM_NCDESTROY) {
        DetachControl(hwnd);
        if (control->handle_ == hwnd) {
            control->handle_ = nullptr;
            control->showing_ = false;
        }
    }
    return m.Result;
}

void TWinControl::MainWndProc(TMessage& m) {
    // Failures inside a handler are reported where the framework reports them, so that the
    // window system never unwinds through its own dispatch.
    try {
        // A press on a form's frame ends the modes of its focused control as a press inside
        // does (the frame's handler may be a hook that never passes it on).
        if ((m.Msg == WM_NCLBUTTONDOWN || m.Msg == WM_NCRBUTTONDOWN) && Parent() == nullptr) {
            if (auto* form = dynamic_cast<TCustomForm*>(this);
                form != nullptr && form->ActiveControl() != nullptr) {
                form->ActiveControl()->Perform(CM_CANCELMODE, 0, 0);
            }
        }
        WindowProc(m);
    } catch (const std::exception& e) {
        if (Application != nullptr) {
            Application->HandleException(e, this);
        }
    }
}

bool TWinControl::IsControlMouseMsg(TMessage& m) {
    TControl* target = nullptr;
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (GetCapture() == handle_) {
        // While this window holds the mouse, only a graphic child that took it gets the messages.
        target = mouseCaptureChild_;
    } else {
        target = ControlAtPos(p, false, false);
    }
    if (m.Msg == WM_MOUSEMOVE) {
        TrackMouse(target != nullptr ? target : this);
    }
    if (target == nullptr) {
        return false;
    }
    TMessage child{m.Msg, m.WParam, MAKELPARAM(WORD(p.x - target->Left()), WORD(p.y - target->Top())), 0};
    target->WindowProc(child);
    m.Result = child.Result;
    return true;
}

void TWinControl::TrackMouse(TControl* target) {
    if (Application != nullptr) {
        Application->SetMouseControl(target);
    }
    if (!trackingMouse_ && handle_ != nullptr) {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = handle_;
        trackingMouse_ = TrackMouseEvent(&tme) != FALSE;
    }
}

void TWinControl::WndProc(TMessage& m) {
    if (IsMouseMessage(m.Msg) && m.Msg != WM_MOUSEWHEEL && m.Msg != WM_MOUSEHWHEEL && IsControlMouseMsg(m)) {
        return;
    }
    TControl::WndProc(m);
}

void TWinControl::ReflectToChild(TMessage& m, HWND child) {
    if (TWinControl* c = LookupControl(child); c != nullptr && c != this) {
        m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        return;
    }
    DefaultHandler(m);
}

void TWinControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT: WMPaint(m); return;
    case WM_ERASEBKGND: WMEraseBkgnd(m); return;
    case WM_SIZE:
    case WM_MOVE: WMSizeOrMove(m); return;
    case WM_SETFOCUS: WMSetFocus(m); return;
    case WM_KILLFOCUS: DefaultHandler(m); return;
    case CN_KEYDOWN:
    case CN_BASE + WM_SYSKEYDOWN: HandleKeyMessage(m); return;
    case CN_CHAR: HandleCharMessage(m); return;
    case CN_BASE + WM_SYSCHAR: HandleSysCharMessage(m); return;
    case CM_DIALOGCHAR: Broadcast(m); return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: WMKey(m); return;
    case WM_CHAR: WMChar(m); return;
    case WM_MOUSELEAVE: WMMouseLeave(m); return;
    case WM_SETCURSOR: WMSetCursor(m); return;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM: ReflectNotification(m); return;
    case CM_DIALOGKEY: CMDialogKey(m); return;
    case CM_FOCUSCHANGED: CMFocusChanged(m); return;
    case CM_SHOWINGCHANGED: CMShowingChanged(m); return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    case CM_RECREATEWND: RecreateWnd(); return;
    default: TControl::Dispatch(m); return;
    }
}

void TWinControl::WMPaint(TMessage& m) {
    // A native window with nothing of ours on it paints itself.
    if (!CustomPaint() && std::none_of(controls_.begin(), controls_.end(), [](TControl* c) {
            return dynamic_cast<TWinControl*>(c) == nullptr;
        })) {
        DefaultHandler(m);
        return;
    }
    PaintHandler(m);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
    if (!eraseBackground_ || (ControlStyle() & csOpaque)) {
        m.Result = 1;
        return;
    }
    RECT r = ClientRect();
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush);
    DeleteObject(brush);
    m.Result = 1;
}

// The window moved or changed size, by us or behind our back: the bounds follow it, and a
// new size realigns the children and tells OnResize.
void TWinControl::WMSizeOrMove(TMessage& m) {
    DefaultHandler(m);
    if (handle_ == nullptr) {
        return;
    }
    RECT r = WindowBoundsRect();
    bool resized = RectWidth(r) != width_ || RectHeight(r) != height_;
    UpdateBoundsRect(r);
    if (m.Msg == WM_SIZE) {
        Realign();
        if (resized && !IsLoading()) {
            Resize();
        }
    }
}

void TWinControl::WMSetFocus(TMessage& m) {
    DefaultHandler(m);
    if (auto* form = GetParentForm()) {
        form->SetFocusedControl(this);
    }
}

// Key presses and releases go to the OnKeyDown / OnKeyUp handlers first, which may change the
// key or swallow it (key 0).
void TWinControl::WMKey(TMessage& m) {
    WORD key = WORD(m.WParam);
    const bool down = m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN;
    if (down ? DoKeyDown(key, KeyboardShiftState()) : DoKeyUp(key, KeyboardShiftState())) {
        m.Result = 0;
        return;
    }
    m.WParam = key;
    DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
    auto key = char32_t(m.WParam);
    if (DoKeyPress(key)) {
        m.Result = 0;
        return;
    }
    m.WParam = WPARAM(key);
    DefaultHandler(m);
}

void TWinControl::WMMouseLeave(TMessage& m) {
    trackingMouse_ = false;
    if (Application != nullptr) {
        Application->MouseLeftWindow(this);
    }
    DefaultHandler(m);
}

// Over the client area the cursor is the screen's, else that of the control under the mouse.
void TWinControl::WMSetCursor(TMessage& m) {
    if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(std::uintptr_t(m.LParam)) == HTCLIENT) {
        TCursor cursor = Screen != nullptr ? Screen->Cursor() : crDefault;
        if (cursor == crDefault) {
            POINT p{};
            GetCursorPos(&p);
            p = ScreenToClient(p);
            TControl* c = ControlAtPos(p, false, false);
            cursor = c != nullptr ? c->Cursor() : Cursor();
        }
        if (cursor != crDefault && Screen != nullptr) {
            ::SetCursor(Screen->CursorHandle(cursor));
            m.Result = TRUE;
            return;
        }
    }
    DefaultHandler(m);
}

// Notifications a child window sends its parent go back to the child's control as CN_ messages.
void TWinControl::ReflectNotification(TMessage& m) {
    HWND from = nullptr;
    switch (m.Msg) {
    case WM_NOTIFY:
        // Every notification record starts with the sending window (NMHDR.hwndFrom).
        from = m.LParam != 0 ? *reinterpret_cast<const HWND*>(m.LParam) : nullptr;
        break;
    case WM_DRAWITEM: {
        // DRAWITEMSTRUCT: five UINTs, then the item's window.
        struct DrawItemHead {
            UINT ctlType, ctlId, itemId, itemAction, itemState;
            HWND hwndItem;
        };
        from = m.LParam != 0 ? reinterpret_cast<const DrawItemHead*>(m.LParam)->hwndItem : nullptr;
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: ReflectToChild(m, reinterpret_cast<HWND>(m.LParam)); return;
    default: // WM_COMMAND, WM_HSCROLL, WM_VSCROLL: the child in lParam (0 for menus and own bars)
        from = reinterpret_cast<HWND>(m.LParam);
        break;
    }
    if (from != nullptr) {
        ReflectToChild(m, from);
        return;
    }
    DefaultHandler(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (handle_ == nullptr) {
        TControl::DefaultHandler(m);
        return;
    }
    if (m.Msg >= CM_BASE && m.Msg < CN_BASE + 0x400) {
        // The framework's private messages mean nothing to the window system.
        m.Result = 0;
        return;
    }
    m.Result = CallWindowProc(defWndProc_ != nullptr ? defWndProc_ : &DefWindowProc, handle_, m.Msg, m.WParam,
                              m.LParam);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}

} // namespace vcl
