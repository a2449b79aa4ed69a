#include "framework/Timer.h"

#include "framework/Forms.h"

namespace vcl {

namespace {

constexpr const char* kTimerClass = "TTimerWindow";
constexpr UINT_PTR kTimerId = 1;

} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
    onTimer_ = nullptr;
    enabled_ = false;
    UpdateTimer();
    if (window_ != nullptr) {
        SetWindowLongPtr(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

LRESULT TTimer::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kTimerId) {
        if (auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtr(hwnd, GWLP_USERDATA))) {
            try {
                timer->Timer();
            } catch (const std::exception& e) {
                if (Application != nullptr) {
                    Application->HandleException(e, timer);
                }
            }
        }
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void TTimer::UpdateTimer() {
    if (running_ && window_ != nullptr) {
        KillTimer(window_, kTimerId);
        running_ = false;
    }
    if (!enabled_ || interval_ == 0 || !onTimer_ || IsLoading() || IsDestroying()) {
        return;
    }
    if (window_ == nullptr) {
        WNDCLASS wc{};
        wc.lpfnWndProc = &TTimer::WndProc;
        wc.lpszClassName = kTimerClass;
        RegisterClass(&wc);
        window_ = CreateWindowEx(0, kTimerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                 nullptr);
        if (window_ == nullptr) {
            throw EOutOfResources("Not enough timers available");
        }
        // The window is of the timer's own class, so its user data is ours to use.
        SetWindowLongPtr(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    if (SetTimer(window_, kTimerId, interval_, nullptr) == 0) {
        throw EOutOfResources("Not enough timers available");
    }
    running_ = true;
}

void TTimer::SetEnabled(bool on) {
    if (on != enabled_) {
        enabled_ = on;
        UpdateTimer();
    }
}

void TTimer::SetInterval(UINT ms) {
    if (ms != interval_) {
        interval_ = ms;
        UpdateTimer();
    }
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::Timer() {
    if (enabled_ && onTimer_) {
        TNotifyEvent handler = onTimer_; // the handler may free the timer
        handler(this);
    }
}

} // namespace vcl
