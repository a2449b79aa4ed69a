#pragma once
// The press / hot / capture / auto-repeat state machine of every clickable element the skin draws.
//
// How to reuse it (a button has one part; a scroll bar three; a caption bar one per button):
//  1. Own a TqvPushTracker(partCount); set OnChange (repaint part) and, for auto-repeat,
//     RepeatMode, RepeatInterval and OnRepeat (one step).
//  2. Translate mouse messages into parts: WM_MOUSEMOVE -> MouseMove(part under the point, -1 for
//     none); leaving the element -> MouseLeave(); left press -> Press(part) (capture the mouse
//     yourself); left release -> Release(), which returns the part clicked or -1.
//  3. Capture lost, focus lost or disabled: Cancel(). Read IsHot / IsPressed / IsDown when painting.
//  Repeat: Press starts the repeat timer; the first tick comes after FirstDelay (500 ms) and only
//  switches to RepeatInterval, later ticks call OnRepeat. Moving off the pressed part pauses it;
//  moving back restarts it (ResumeAtInterval: at once at RepeatInterval, else with FirstDelay).
//  Callbacks may free the owner: the tracker touches nothing of itself after OnRepeat returns.
// TqvRepeatTimer alone serves elements that track their own state (the button's Down property).

#include "platform/gfx/WinTypes.h"

#include <functional>
#include <memory>

namespace vcl {
class TTimer;
}

namespace qv {

// The wait before a held element starts repeating.
inline constexpr UINT kRepeatFirstDelay = 500;

// A window timer (vcl::TTimer, so the headless clock steps it) for auto-repeat: created on Start,
// freed on Stop. The first tick after Start waits firstDelay and only switches to the interval.
class TqvRepeatTimer {
public:
    TqvRepeatTimer();
    ~TqvRepeatTimer();
    TqvRepeatTimer(const TqvRepeatTimer&) = delete;
    TqvRepeatTimer& operator=(const TqvRepeatTimer&) = delete;

    // Called on every tick after the first; it may free the timer's owner.
    std::function<void()> OnRepeat;

    // Frees any running timer and starts a new one that fires after firstDelay.
    void Start(UINT interval, UINT firstDelay = kRepeatFirstDelay);
    // Starts (or restarts) ticking at interval straight away, with no first delay.
    void Resume(UINT interval);
    void Stop();
    bool Running() const { return timer_ != nullptr; }
    // True between Start and the first tick.
    bool WaitingFirstRepeat() const { return waitingFirst_; }

private:
    void Tick();
    void Create(UINT interval);

    std::unique_ptr<vcl::TTimer> timer_;
    UINT interval_ = 0;
    bool waitingFirst_ = false;
};

class TqvPushTracker {
public:
    explicit TqvPushTracker(int partCount = 1);

    // --- configuration ---
    bool RepeatMode = false;
    UINT RepeatInterval = 100;
    UINT FirstDelay = kRepeatFirstDelay;
    // After a pause (the mouse left the pressed part), repeat at once at RepeatInterval instead
    // of waiting FirstDelay again.
    bool ResumeAtInterval = false;

    // A part's look changed (hot or pressed); -1 never reaches it.
    std::function<void(int part)> OnChange;
    // One auto-repeat step of the pressed part; it may free the owner.
    std::function<void(int part)> OnRepeat;

    // --- input ---
    // The mouse is over part (-1: over no part). While a part is pressed, no other part turns
    // hot, as the captured mouse belongs to the pressed one.
    void MouseMove(int part);
    void MouseLeave() { MouseMove(-1); }
    // The left button went down over part: it becomes pressed and hot; repeat starts. Returns
    // false (and changes nothing) for -1.
    bool Press(int part);
    // The left button went up: returns the part clicked (released over the pressed part) or -1.
    int Release();
    // The press ends without a click (capture lost, focus lost, disabled).
    void Cancel();
    // Forces the hot part (keyboard focus, a default button kept hot).
    void SetHot(int part);

    // --- state ---
    int PartCount() const { return partCount_; }
    int HotPart() const { return hot_; }
    int PressedPart() const { return pressed_; }
    bool IsHot(int part) const { return part >= 0 && hot_ == part; }
    bool IsPressed(int part) const { return part >= 0 && pressed_ == part; }
    // Pressed with the mouse still over it: the look of a part being pushed.
    bool IsDown(int part) const { return IsPressed(part) && hot_ == part; }
    bool Repeating() const { return repeat_.Running(); }

private:
    void Changed(int part);
    void SetHotPart(int part);

    int partCount_;
    int hot_ = -1;
    int pressed_ = -1;
    TqvRepeatTimer repeat_;
};

} // namespace qv
