#include "framework/Forms.h"

#include "framework/HintWindow.h"
#include "platform/fs/Process.h"

#include <algorithm>
#include <climits>

namespace vcl {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

std::string ErrorReportText(const std::string& message) {
    // The last byte of a multi-byte UTF-8 character is above "." too, so comparing bytes
    // gives the same answer as comparing the last code point.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

// --- TApplication ---

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    if (Application == nullptr) {
        Application = this;
    }
    if (Screen == nullptr) {
        new TScreen(this);
    }
}

TApplication::~TApplication() {
    Destroying();
    FreeReleasedForms();
    // Forms first (they are owned by the application), then the screen that listed them.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i < ComponentCount() && dynamic_cast<TCustomForm*>(Components(i)) != nullptr) {
            delete Components(i);
        }
    }
    CancelHint();
    if (utilityWindow_ != nullptr) {
        DestroyWindow(utilityWindow_);
    }
    DestroyComponents();
    if (Application == this) {
        Application = nullptr;
    }
}

void TApplication::Initialize() { exeName_ = fs::ExecutablePath(); }

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove) {
        if (component == mainForm_) {
            mainForm_ = nullptr;
        }
        released_.erase(std::remove(released_.begin(), released_.end(), component), released_.end());
    }
}

void TApplication::Run() {
    running_ = true;
    if (mainForm_ != nullptr && showMainForm_) {
        mainForm_->Show();
    }
    while (!terminated_) {
        HandleMessage();
        if (mainForm_ == nullptr) {
            terminated_ = true;
        }
    }
    running_ = false;
}

bool TApplication::IsKeyMsg(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) {
        return false;
    }
    if (GetCapture() != nullptr) {
        return false;
    }
    // The key goes first to the nearest framework control around the focused window (a native
    // child such as a combo box's edit belongs to its framework owner).
    HWND wnd = msg.hwnd;
    while (wnd != nullptr && TWinControl::FindControl(wnd) == nullptr) {
        wnd = GetParent(wnd);
    }
    if (wnd == nullptr) {
        return false;
    }
    return SendMessage(wnd, CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    try {
        bool handled = false;
        if (OnMessage) {
            OnMessage(msg, handled);
        }
        if (!handled && !IsKeyMsg(msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    } catch (const std::exception& e) {
        HandleException(e);
    }
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg{};
    while (ProcessMessage(msg)) {
    }
    FreeReleasedForms();
}

void TApplication::Idle() {
    FreeReleasedForms();
    bool done = true;
    if (OnIdle) {
        try {
            OnIdle(this, done);
        } catch (const std::exception& e) {
            HandleException(e);
        }
    }
    if (done && !terminated_) {
        WaitMessage();
    }
}

void TApplication::HandleMessage() {
    MSG msg{};
    if (!ProcessMessage(msg)) {
        Idle();
    }
    FreeReleasedForms();
}

void TApplication::Terminate() {
    if (!terminated_) {
        PostQuitMessage(0);
    }
}

void TApplication::QueueRelease(TCustomForm* form) {
    if (std::find(released_.begin(), released_.end(), form) == released_.end()) {
        released_.push_back(form);
        form->FreeNotification(this);
        // Wake the loop so the form goes soon.
        if (mainForm_ != nullptr && mainForm_->HandleAllocated()) {
            PostMessage(mainForm_->Handle(), WM_NULL, 0, 0);
        }
    }
}

void TApplication::FreeReleasedForms() {
    while (!released_.empty()) {
        TCustomForm* form = released_.back();
        released_.pop_back();
        delete form;
    }
}

void TApplication::Minimize() {
    if (mainForm_ != nullptr && mainForm_->HandleAllocated()) {
        ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
    }
    if (OnMinimize) {
        OnMinimize(this);
    }
}

void TApplication::Restore() {
    if (mainForm_ != nullptr && mainForm_->HandleAllocated()) {
        ShowWindow(mainForm_->Handle(), SW_RESTORE);
    }
    if (OnRestore) {
        OnRestore(this);
    }
}

void TApplication::HandleException(const std::exception& e, TObject* sender) {
    if (OnException) {
        OnException(sender != nullptr ? sender : this, e);
        return;
    }
    ShowException(e);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND owner = nullptr;
    if (Screen != nullptr && Screen->ActiveForm() != nullptr && Screen->ActiveForm()->HandleAllocated()) {
        owner = Screen->ActiveForm()->Handle();
    }
    return ::MessageBox(owner, text.c_str(), caption.c_str(), flags);
}

void TApplication::ShowException(const std::exception& e) {
    MessageBox(ErrorReportText(e.what()), title_, MB_OK | MB_ICONERROR);
}

// --- windows ---

void TApplication::RegisterWindow(HWND hwnd, TWinControl* control) { windows_[hwnd] = control; }

void TApplication::UnregisterWindow(HWND hwnd) { windows_.erase(hwnd); }

TWinControl* TApplication::WindowControl(HWND hwnd) const {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second;
}

// --- mouse tracking ---

void TApplication::SetMouseControl(TControl* control) {
    if (control == mouseControl_) {
        return;
    }
    TControl* old = mouseControl_;
    mouseControl_ = control;
    if (old != nullptr) {
        old->Perform(CM_MOUSELEAVE, 0, 0);
    }
    // The leave handler may have moved the mouse control on (or freed the new one).
    if (control != nullptr && mouseControl_ == control) {
        control->Perform(CM_MOUSEENTER, 0, 0);
        ActivateHint(control);
    } else if (control == nullptr) {
        hintControl_ = nullptr;
        CancelHint();
    }
}

void TApplication::MouseLeftWindow(TWinControl* window) {
    if (mouseControl_ == nullptr) {
        return;
    }
    if (mouseControl_ == window ||
        (mouseControl_->Parent() == window && dynamic_cast<TWinControl*>(mouseControl_) == nullptr)) {
        SetMouseControl(nullptr);
    }
}

void TApplication::ControlDestroyed(TControl* control) {
    if (mouseControl_ == control) {
        mouseControl_ = nullptr;
    }
    if (hintControl_ == control) {
        hintControl_ = nullptr;
        CancelHint();
    }
    if (hintWindow_ == control) {
        hintWindow_ = nullptr;
    }
}

// --- hints ---

namespace {

bool EffectiveShowHint(const TControl* c) {
    while (c != nullptr && c->ParentShowHint() && c->Parent() != nullptr) {
        c = c->Parent();
    }
    return c != nullptr && c->ShowHint();
}

} // namespace

namespace {

constexpr UINT_PTR kShowHintTimer = 1;
constexpr UINT_PTR kHideHintTimer = 2;

} // namespace

LRESULT TApplication::UtilityProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && Application != nullptr) {
        KillTimer(hwnd, wParam);
        try {
            if (wParam == kShowHintTimer) {
                Application->ShowHintNow();
            } else if (wParam == kHideHintTimer) {
                Application->CancelHint();
            }
        } catch (const std::exception& e) {
            Application->HandleException(e);
        }
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND TApplication::UtilityWindow() {
    if (utilityWindow_ == nullptr) {
        WNDCLASS wc{};
        wc.lpfnWndProc = &TApplication::UtilityProc;
        wc.lpszClassName = "TApplicationUtility";
        RegisterClass(&wc);
        utilityWindow_ = CreateWindowEx(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        nullptr, nullptr);
    }
    return utilityWindow_;
}

void TApplication::SetShowHint(bool on) {
    if (on == showHint_) {
        return;
    }
    showHint_ = on;
    CancelHint();
    if (!on && hintWindow_ != nullptr) {
        delete hintWindow_;
        hintWindow_ = nullptr;
    }
}

void TApplication::ActivateHint(TControl* control) {
    bool wasShown = hintShown_;
    CancelHint();
    hintControl_ = control;
    hint_ = control != nullptr ? control->Hint() : std::string();
    if (OnHint) {
        OnHint(this);
    }
    if (!showHint_ || control == nullptr || hint_.empty() || !EffectiveShowHint(control)) {
        return;
    }
    // Moving from one hint straight to the next shows it after the short pause.
    int pause = wasShown ? hintShortPause_ : hintPause_;
    if (HWND w = UtilityWindow()) {
        SetTimer(w, kShowHintTimer, UINT(std::max(1, pause)), nullptr);
    }
}

void TApplication::ShowHintNow() {
    TControl* control = hintControl_;
    if (control == nullptr) {
        return;
    }
    THintInfo info;
    info.HintControl = control;
    GetCursorPos(&info.CursorPos);
    info.HintPos = POINT{info.CursorPos.x, info.CursorPos.y + 20};
    info.HintMaxWidth = 300;
    info.CursorRect = control->ClientRect();
    info.HideTimeout = hintHidePause_;
    info.HintStr = hint_;
    bool canShow = true;
    std::string text = hint_;
    if (OnShowHint) {
        OnShowHint(text, canShow, info);
    }
    if (!canShow || text.empty() || hintControl_ != control) {
        return;
    }
    if (hintWindow_ == nullptr) {
        hintWindow_ = HintWindowClass ? HintWindowClass(this) : new THintWindow(this);
    }
    RECT r = hintWindow_->CalcHintRect(info.HintMaxWidth, text);
    r = OffsetRect(r, info.HintPos.x, info.HintPos.y);
    hintWindow_->ActivateHint(r, text);
    hintShown_ = true;
    if (info.HideTimeout > 0) {
        SetTimer(UtilityWindow(), kHideHintTimer, UINT(info.HideTimeout), nullptr);
    }
}

void TApplication::CancelHint() {
    if (utilityWindow_ != nullptr) {
        KillTimer(utilityWindow_, kShowHintTimer);
        KillTimer(utilityWindow_, kHideHintTimer);
    }
    if (hintWindow_ != nullptr) {
        hintWindow_->ReleaseHint();
    }
    hintShown_ = false;
}

// --- TScreen ---

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
    if (Screen == nullptr) {
        Screen = this;
    }
}

TScreen::~TScreen() {
    if (Screen == this) {
        Screen = nullptr;
    }
}

void TScreen::AddForm(TCustomForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (activeForm_ == form) {
        activeForm_ = nullptr;
    }
}

void TScreen::SetActiveForm(TCustomForm* form) {
    if (form == activeForm_) {
        return;
    }
    activeForm_ = form;
    if (OnActiveFormChange) {
        OnActiveFormChange(this);
    }
}

TWinControl* TScreen::ActiveControl() const {
    return activeForm_ != nullptr ? activeForm_->ActiveControl() : nullptr;
}

namespace {

BOOL CollectMonitor(HMONITOR monitor, HDC, RECT*, LPARAM data) {
    reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(monitor);
    return TRUE;
}

TMonitor DescribeMonitor(HMONITOR handle, int index) {
    TMonitor m;
    m.Handle = handle;
    m.MonitorNum = index;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfo(handle, &info)) {
        m.BoundsRect = info.rcMonitor;
        m.WorkareaRect = info.rcWork;
        m.Primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    }
    return m;
}

std::vector<HMONITOR> AllMonitors() {
    std::vector<HMONITOR> list;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&list));
    return list;
}

} // namespace

int TScreen::MonitorCount() { return int(AllMonitors().size()); }

TMonitor TScreen::Monitors(int index) {
    auto list = AllMonitors();
    if (index < 0 || index >= int(list.size())) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return DescribeMonitor(list[std::size_t(index)], index);
}

TMonitor TScreen::MonitorFromWindow(HWND window) {
    HMONITOR h = ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    auto list = AllMonitors();
    auto it = std::find(list.begin(), list.end(), h);
    return DescribeMonitor(h, it == list.end() ? 0 : int(it - list.begin()));
}

TMonitor TScreen::PrimaryMonitor() {
    auto list = AllMonitors();
    for (std::size_t i = 0; i < list.size(); ++i) {
        TMonitor m = DescribeMonitor(list[i], int(i));
        if (m.Primary) {
            return m;
        }
    }
    return list.empty() ? TMonitor{} : DescribeMonitor(list[0], 0);
}

RECT TScreen::WorkAreaRect() {
    RECT r{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

HCURSOR TScreen::CursorHandle(TCursor cursor) const {
    const char* id = IDC_ARROW;
    switch (cursor) {
    case crIBeam: id = IDC_IBEAM; break;
    case crCross: id = IDC_CROSS; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crNo: id = IDC_NO; break;
    case crHandPoint: id = IDC_HAND; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHelp: id = IDC_HELP; break;
    case crNone: return nullptr;
    default: break;
    }
    return LoadCursor(nullptr, id);
}

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == cursor_) {
        return;
    }
    cursor_ = cursor;
    POINT p{};
    GetCursorPos(&p);
    if (cursor != crDefault) {
        ::SetCursor(CursorHandle(cursor));
    } else {
        SetCursorPos(p.x, p.y); // makes the window under the mouse choose its cursor again
    }
}

} // namespace vcl
