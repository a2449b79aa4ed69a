#pragma once
// The timers of SetTimer: a window (or none, for a thread timer), an id, a period and the
// moment each is next due. The message loop takes due timers and learns how long it may
// sleep; SetTimer, KillTimer and window destruction change the list. Times are the window
// system's clock (the backend's milliseconds), passed in by the caller.

#include "platform/ui/User.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace ui {

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    TIMERPROC proc = nullptr;
    std::uint64_t due = 0;
};

class TimerList {
public:
    using Filter = std::function<bool(const Timer&)>;

    // Arms the timer, or re-arms the one with the same window and id; returns what SetTimer
    // returns (a thread timer's id, else non-zero).
    UINT_PTR Set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, std::uint64_t now);
    bool Kill(HWND hwnd, UINT_PTR id);
    void KillAllOf(HWND hwnd);

    // The first timer due at `now` that `wanted` accepts. Taking it starts its next period:
    // a timer that fell behind fires once, not once per missed period.
    std::optional<Timer> Due(std::uint64_t now, const Filter& wanted, bool take);
    // Milliseconds until the first timer `wanted` accepts is due (0 when one is), -1 for none.
    int MillisecondsToNext(std::uint64_t now, const Filter& wanted) const;

private:
    std::vector<Timer> timers_;
    UINT_PTR nextThreadTimerId_ = 0x7FFF0000;
};

} // namespace ui
