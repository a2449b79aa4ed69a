#include "framework/ControlCanvas.h"
#include "framework/Forms.h"

#include <algorithm>

namespace vcl {

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {
    SetVisible(false);
    SetParentFont(false);
    SetColor(clBtnFace);
    Font()->SetName("MS Sans Serif");
    Font()->SetHeight(-11);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    if (Screen != nullptr) {
        Screen->AddForm(this);
    }
}

TCustomForm::~TCustomForm() {
    Destroying();
    if (created_ && !destroyFired_ && OnDestroy) {
        destroyFired_ = true;
        TNotifyEvent handler = OnDestroy;
        handler(this);
    }
    if (Screen != nullptr) {
        Screen->RemoveForm(this);
    }
    if (Application != nullptr && Application->MainForm() == this) {
        Application->SetMainForm(nullptr);
    }
    // Owned components (the form's controls, its form skin) go while the form is still whole.
    DestroyComponents();
    WindowProc = [this](TMessage& m) { WndProc(m); };
    DestroyHandle();
}

TCanvas* TCustomForm::Canvas() const { return canvas_.get(); }

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    if (style != borderStyle_) {
        borderStyle_ = style;
        RecreateWnd();
    }
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    if (icons != borderIcons_) {
        borderIcons_ = icons;
        RecreateWnd();
    }
}

void TCustomForm::SetFormStyle(TFormStyle style) {
    if (style != formStyle_) {
        formStyle_ = style;
        RecreateWnd();
    }
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style &= ~DWORD(WS_CHILD | WS_VISIBLE);
    p.Style |= WS_CLIPCHILDREN;
    p.WndParent = nullptr;
    switch (borderStyle_) {
    case bsNone: p.Style |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: p.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        p.Style |= WS_POPUP | WS_CAPTION | 0x80 /* DS_MODALFRAME */;
        p.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) {
        p.ExStyle |= WS_EX_TOOLWINDOW;
    }
    if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
        p.Style |= WS_SYSMENU;
        if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow && borderStyle_ != bsSizeToolWin) {
            if (borderIcons_ & biMinimize) p.Style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize) p.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (formStyle_ == fsStayOnTop) {
        p.ExStyle |= WS_EX_TOPMOST;
    }
    p.WinClassName = ClassName();
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    if (pendingClientWidth_ >= 0 && !IsLoading()) {
        int w = pendingClientWidth_;
        int h = pendingClientHeight_;
        pendingClientWidth_ = pendingClientHeight_ = -1;
        SetClientSize(w, h);
    }
}

RECT TCustomForm::ClientRect() {
    if (!HandleAllocated() && pendingClientWidth_ >= 0) {
        return RECT{0, 0, pendingClientWidth_, pendingClientHeight_};
    }
    return TWinControl::ClientRect();
}

void TCustomForm::ApplyPendingClientSize() {
    if (pendingClientWidth_ >= 0) {
        SetClientSize(pendingClientWidth_, pendingClientHeight_);
    }
}

void TCustomForm::SetClientSize(int width, int height) {
    if (IsLoading() || IsDestroying()) {
        // Applied when loading ends, with whatever frame the form has by then.
        pendingClientWidth_ = width;
        pendingClientHeight_ = height;
        return;
    }
    pendingClientWidth_ = pendingClientHeight_ = -1;
    HandleNeeded();
    RECT client = TWinControl::ClientRect();
    SetBounds(Left(), Top(), Width() - RectWidth(client) + width, Height() - RectHeight(client) + height);
}

TWindowState TCustomForm::WindowState() const {
    auto* self = const_cast<TCustomForm*>(this);
    if (self->HandleAllocated() && Visible()) {
        HWND h = self->Handle();
        if (IsIconic(h)) return wsMinimized;
        if (IsZoomed(h)) return wsMaximized;
        return wsNormal;
    }
    return windowState_;
}

void TCustomForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (HandleAllocated() && Showing()) {
        ApplyWindowState();
    }
}

void TCustomForm::ApplyWindowState() {
    int cmd = windowState_ == wsMaximized   ? SW_SHOWMAXIMIZED
              : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                            : SW_SHOWNORMAL;
    ShowWindow(Handle(), cmd);
}

// --- focus ---

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == activeControl_) {
        return;
    }
    if (control != nullptr && !ContainsControl(control)) {
        throw EInvalidOperation("Invalid active control");
    }
    activeControl_ = control;
    if (control != nullptr && active_ && HandleAllocated() && control->CanFocus()) {
        ::SetFocus(control->Handle());
    }
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (control == nullptr || !control->CanFocus()) {
        return;
    }
    activeControl_ = control == this ? nullptr : control;
    if (HandleAllocated() && IsWindowVisible(Handle())) {
        ::SetFocus(control->Handle());
    }
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    TWinControl* old = focusedControl_;
    focusedControl_ = control;
    if (control != this) {
        activeControl_ = control;
    }
    if (old != control) {
        TControlTracker alive(this);
        if (old != nullptr && old != this && ContainsControl(old)) {
            old->Perform(CM_EXIT, 0, 0);
        }
        if (!alive.Alive()) {
            return false;
        }
        if (control != this && focusedControl_ == control) {
            control->Perform(CM_ENTER, 0, 0);
        }
        if (!alive.Alive()) {
            return false;
        }
        TMessage m{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control), 0};
        Broadcast(m);
    }
    if (Screen != nullptr) {
        Screen->SetActiveForm(this);
    }
    return true;
}

void TCustomForm::ControlRemoved(TWinControl* control) {
    if (activeControl_ != nullptr && control->ContainsControl(activeControl_)) {
        activeControl_ = nullptr;
    }
    if (focusedControl_ != nullptr && control->ContainsControl(focusedControl_)) {
        focusedControl_ = nullptr;
    }
}

// --- keys ---

bool TCustomForm::DoKeyDown(WORD& key, TShiftState shift) {
    KeyDown(key, shift);
    return key == 0;
}

bool TCustomForm::DoKeyPress(char32_t& key) {
    KeyPress(key);
    return key == 0;
}

bool TCustomForm::DoKeyUp(WORD& key, TShiftState shift) {
    KeyUp(key, shift);
    return key == 0;
}

bool TCustomForm::IsShortCut(WORD key, TShiftState shift) {
    bool handled = false;
    if (OnShortCut) {
        OnShortCut(key, shift, handled);
        if (handled) {
            return true;
        }
    }
    if (PopupMenu() != nullptr) {
        TShortCut sc = ShortCut(key, ((shift & ssShift) ? scShift : 0) | ((shift & ssCtrl) ? scCtrl : 0) |
                                         ((shift & ssAlt) ? scAlt : 0));
        return PopupMenu()->IsShortCut(sc);
    }
    return false;
}

void TCustomForm::CMDialogKey(TMessage& m) {
    WORD key = WORD(m.WParam);
    TShiftState shift = KeyboardShiftState();
    if ((shift & (ssAlt | ssCtrl)) == 0) {
        switch (key) {
        case VK_TAB:
            SelectNext(activeControl_, (shift & ssShift) == 0, true);
            m.Result = 1;
            return;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (activeControl_ != nullptr) {
                SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
                m.Result = 1;
                return;
            }
            break;
        default: break;
        }
    }
    // Enter and Escape: the buttons decide (default and cancel).
    TWinControl::CMDialogKey(m);
}

// --- showing and closing ---

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TCustomForm::BringToFront() {
    if (HandleAllocated() && Visible()) {
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetActiveWindow(Handle());
    }
}

void TCustomForm::PlaceOnFirstShow() {
    if (placed_) {
        return;
    }
    placed_ = true;
    RECT area{};
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter: area = Screen != nullptr ? Screen->PrimaryMonitor().BoundsRect : RECT{}; break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* ref = position_ == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
        if (ref == nullptr && Application != nullptr) {
            ref = Application->MainForm();
        }
        if (ref != nullptr && ref != this) {
            area = ref->BoundsRect();
        } else if (Screen != nullptr) {
            area = Screen->PrimaryMonitor().BoundsRect;
        }
        break;
    }
    default: return;
    }
    if (IsRectEmpty(area)) {
        return;
    }
    // Halving truncates toward zero, as everywhere in this program.
    int x = area.left + (RectWidth(area) - Width()) / 2;
    int y = area.top + (RectHeight(area) - Height()) / 2;
    SetBounds(x, y, Width(), Height());
}

void TCustomForm::CMShowingChanged(TMessage&) {
    if (!HandleAllocated()) {
        return;
    }
    if (Showing()) {
        PlaceOnFirstShow();
        DoShow();
        ApplyWindowState();
        if (windowState_ != wsMinimized) {
            SetActiveWindow(Handle());
        }
    } else {
        DoHide();
        ShowWindow(Handle(), SW_HIDE);
    }
}

void TCustomForm::DoShow() {
    if (OnShow) {
        TNotifyEvent handler = OnShow;
        handler(this);
    }
}

void TCustomForm::DoHide() {
    if (OnHide) {
        TNotifyEvent handler = OnHide;
        handler(this);
    }
}

void TCustomForm::Activate() {
    if (OnActivate) {
        OnActivate(this);
    }
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) {
        OnDeactivate(this);
    }
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) {
        OnCloseQuery(this, canClose);
    }
    return canClose;
}

void TCustomForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) {
        return;
    }
    TCloseAction action = formStyle_ == fsMDIChild ? caMinimize : caHide;
    TControlTracker alive(this);
    if (OnClose) {
        OnClose(this, action);
    }
    if (!alive.Alive() || action == caNone) {
        return;
    }
    if (Application != nullptr && Application->MainForm() == this) {
        Application->Terminate();
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree:
        Hide();
        Release();
        break;
    default: break;
    }
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        if (OnClose) {
            OnClose(this, action);
        }
    }
    switch (action) {
    case caNone: modalResult_ = mrNone; break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release() {
    if (Application != nullptr) {
        Application->QueueRelease(this);
    }
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || modal_) {
        throw EInvalidOperation("Cannot make a visible window modal");
    }
    if (GetCapture() != nullptr) {
        SendMessage(GetCapture(), WM_CANCELMODE, 0, 0);
    }
    ReleaseCapture();
    HWND previous = GetActiveWindow();
    // Every other form of the program is disabled while this one runs.
    std::vector<HWND> disabled;
    if (Screen != nullptr) {
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TCustomForm* f = Screen->Forms(i);
            if (f != this && f->HandleAllocated() && IsWindowVisible(f->Handle()) &&
                IsWindowEnabled(f->Handle())) {
                EnableWindow(f->Handle(), FALSE);
                disabled.push_back(f->Handle());
            }
        }
    }
    modal_ = true;
    modalResult_ = mrNone;
    TControlTracker alive(this);
    auto restore = [&] {
        for (HWND h : disabled) {
            if (IsWindow(h)) {
                EnableWindow(h, TRUE);
            }
        }
    };
    try {
        Show();
        while (alive.Alive()) {
            Application->HandleMessage();
            if (!alive.Alive()) {
                break;
            }
            if (Application->Terminated()) {
                modalResult_ = mrCancel;
            } else if (modalResult_ != mrNone) {
                CloseModal();
            }
            if (modalResult_ != mrNone) {
                break;
            }
        }
    } catch (...) {
        restore();
        if (alive.Alive()) {
            modal_ = false;
            Hide();
        }
        throw;
    }
    restore();
    if (!alive.Alive()) {
        return mrCancel;
    }
    TModalResult result = modalResult_;
    modal_ = false;
    Hide();
    if (previous != nullptr && IsWindow(previous)) {
        SetActiveWindow(previous);
    }
    return result;
}

void TCustomForm::DoCreate() {
    if (created_) {
        return;
    }
    created_ = true;
    if (OnCreate) {
        TNotifyEvent handler = OnCreate;
        // A failing creation handler is reported like any handler's failure, and the form
        // still comes into being: the user sees the error and then the window.
        try {
            handler(this);
        } catch (const std::exception& e) {
            if (Application == nullptr) {
                throw;
            }
            Application->HandleException(e, this);
        }
    }
}

void TCustomForm::PaintWindow(HDC dc) {
    canvas_->Lock();
    canvas_->SetHandle(dc);
    Paint();
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
}

void TCustomForm::Paint() {
    if (OnPaint) {
        OnPaint(this);
    }
}

void TCustomForm::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        m.Result = 0;
        return;
    case WM_ACTIVATE: {
        DefaultHandler(m);
        bool activating = LOWORD(m.WParam) != WA_INACTIVE;
        active_ = activating;
        if (activating) {
            if (Screen != nullptr) {
                Screen->SetActiveForm(this);
            }
            TWinControl* target = activeControl_;
            if (target == nullptr || !target->CanFocus()) {
                target = FindNextControl(nullptr, true, true, false);
            }
            if (target != nullptr && target->CanFocus()) {
                ::SetFocus(target->Handle());
            } else {
                ::SetFocus(Handle());
            }
            Activate();
        } else {
            Deactivate();
        }
        return;
    }
    case WM_SETFOCUS:
        // The form itself got the focus: hand it to the active control when there is one.
        DefaultHandler(m);
        if (activeControl_ != nullptr && activeControl_->CanFocus() && activeControl_->HandleAllocated()) {
            ::SetFocus(activeControl_->Handle());
        } else {
            SetFocusedControl(this);
        }
        return;
    case WM_SYSCOMMAND:
        if ((m.WParam & 0xFFF0) == SC_MINIMIZE && Application != nullptr && Application->MainForm() == this) {
            Application->Minimize();
            m.Result = 0;
            return;
        }
        DefaultHandler(m);
        return;
    case CM_RELEASE: Release(); return;
    default: TWinControl::Dispatch(m); return;
    }
}

// --- TFormLoader ---

TFormLoader::TFormLoader(TCustomForm* form) : form_(form) {
    form_->BeginLoading();
    form_->DisableAlign();
    loaded_.push_back(form_);
}

TFormLoader::~TFormLoader() {
    if (!finished_) {
        // Construction failed part way: the form is about to go; let it align normally.
        form_->EnableAlign();
    }
}

void TFormLoader::Add(TComponent* component, const std::string& name) {
    component->BeginLoading();
    if (!name.empty()) {
        component->SetName(name);
    }
    if (auto* wc = dynamic_cast<TWinControl*>(component)) {
        wc->DisableAlign();
    }
    loaded_.push_back(component);
}

void TFormLoader::Reference(std::function<void()> fixup) { fixups_.push_back(std::move(fixup)); }

void TFormLoader::Finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    for (auto& fixup : fixups_) {
        fixup();
    }
    fixups_.clear();
    for (TComponent* c : loaded_) {
        c->Loaded();
    }
    for (auto it = loaded_.rbegin(); it != loaded_.rend(); ++it) {
        if (auto* wc = dynamic_cast<TWinControl*>(*it)) {
            wc->EnableAlign();
        }
    }
    form_->ApplyPendingClientSize();
    form_->Realign();
    form_->DoCreate();
}

} // namespace vcl
