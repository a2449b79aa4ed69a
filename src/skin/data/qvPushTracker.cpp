#include "skin/data/qvPushTracker.h"

#include "framework/Timer.h"

namespace qv {

// --- TqvRepeatTimer ---

TqvRepeatTimer::TqvRepeatTimer() = default;

TqvRepeatTimer::~TqvRepeatTimer() { Stop(); }

void TqvRepeatTimer::Create(UINT interval) {
    timer_.reset(); // any previous timer goes first
    timer_ = std::make_unique<vcl::TTimer>(nullptr);
    timer_->SetInterval(interval);
    timer_->SetOnTimer([this](vcl::TObject*) { Tick(); });
}

void TqvRepeatTimer::Start(UINT interval, UINT firstDelay) {
    interval_ = interval;
    waitingFirst_ = true;
    Create(firstDelay);
}

void TqvRepeatTimer::Resume(UINT interval) {
    interval_ = interval;
    waitingFirst_ = false;
    Create(interval);
}

void TqvRepeatTimer::Stop() {
    waitingFirst_ = false;
    timer_.reset();
}

void TqvRepeatTimer::Tick() {
    if (waitingFirst_) {
        waitingFirst_ = false;
        timer_->SetInterval(interval_);
        return;
    }
    if (OnRepeat) {
        std::function<void()> handler = OnRepeat; // the handler may free us
        handler();
    }
}

// --- TqvPushTracker ---

TqvPushTracker::TqvPushTracker(int partCount) : partCount_(partCount) {
    repeat_.OnRepeat = [this] {
        if (pressed_ >= 0 && OnRepeat) {
            std::function<void(int)> handler = OnRepeat;
            handler(pressed_);
        }
    };
}

void TqvPushTracker::Changed(int part) {
    if (part >= 0 && OnChange) {
        OnChange(part);
    }
}

void TqvPushTracker::SetHotPart(int part) {
    if (part == hot_) {
        return;
    }
    int old = hot_;
    hot_ = part;
    if (pressed_ >= 0 && RepeatMode) {
        if (old == pressed_) {
            repeat_.Stop(); // moving off the pressed part pauses its repeat
        } else if (part == pressed_) {
            if (ResumeAtInterval) {
                repeat_.Resume(RepeatInterval);
            } else {
                repeat_.Start(RepeatInterval, FirstDelay);
            }
        }
    }
    Changed(old);
    Changed(part);
}

void TqvPushTracker::MouseMove(int part) {
    if (part >= partCount_ || part < -1) {
        part = -1;
    }
    if (pressed_ >= 0 && part != pressed_) {
        part = -1;
    }
    SetHotPart(part);
}

void TqvPushTracker::SetHot(int part) {
    if (part >= partCount_ || part < -1) {
        part = -1;
    }
    SetHotPart(part);
}

bool TqvPushTracker::Press(int part) {
    if (part < 0 || part >= partCount_) {
        return false;
    }
    repeat_.Stop();
    int oldHot = hot_;
    pressed_ = part;
    hot_ = part;
    if (RepeatMode) {
        repeat_.Start(RepeatInterval, FirstDelay);
    }
    if (oldHot != part) {
        Changed(oldHot);
    }
    Changed(part);
    return true;
}

int TqvPushTracker::Release() {
    int part = pressed_;
    if (part < 0) {
        return -1;
    }
    bool inside = hot_ == part;
    pressed_ = -1;
    repeat_.Stop();
    Changed(part);
    return inside ? part : -1;
}

void TqvPushTracker::Cancel() {
    int part = pressed_;
    pressed_ = -1;
    repeat_.Stop();
    Changed(part);
}

} // namespace qv
