#pragma once
// TTimer: fires OnTimer every Interval milliseconds while Enabled, through a window timer of a
// hidden window of its own, so the handler runs inside the message loop like every other event.

#include "framework/Component.h"
#include "framework/Events.h"
#include "framework/Messages.h"

namespace vcl {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    UINT Interval() const { return interval_; }
    // An interval of 0 stops the timer (it stays Enabled, as in the framework).
    void SetInterval(UINT ms);
    void SetOnTimer(TNotifyEvent handler);
    const TNotifyEvent& OnTimer() const { return onTimer_; }

protected:
    virtual void Timer();
    void Loaded() override;

private:
    static LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void UpdateTimer();

    bool enabled_ = true;
    UINT interval_ = 1000;
    TNotifyEvent onTimer_;
    HWND window_ = nullptr;
    bool running_ = false;
};

} // namespace vcl
