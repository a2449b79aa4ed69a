#include "platform/ui/TimerList.h"

#include <algorithm>

namespace ui {

UINT_PTR TimerList::Set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, std::uint64_t now) {
    if (!hwnd) {
        // Thread timers get ids of their own; an existing one may be re-armed by its id.
        auto it = std::find_if(timers_.begin(), timers_.end(),
                               [&](const Timer& t) { return !t.hwnd && t.id == id; });
        if (id == 0 || it == timers_.end()) {
            id = ++nextThreadTimerId_;
        }
    }
    elapse = std::max<UINT>(elapse, 1);
    for (Timer& t : timers_) {
        if (t.hwnd == hwnd && t.id == id) {
            t.elapse = elapse;
            t.proc = proc;
            t.due = now + elapse;
            return hwnd ? 1 : id;
        }
    }
    timers_.push_back(Timer{hwnd, id, elapse, proc, now + elapse});
    return hwnd ? (id ? id : 1) : id;
}

bool TimerList::Kill(HWND hwnd, UINT_PTR id) {
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers_.end()) {
        return false;
    }
    timers_.erase(it);
    return true;
}

void TimerList::KillAllOf(HWND hwnd) {
    std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd; });
}

std::optional<Timer> TimerList::Due(std::uint64_t now, const Filter& wanted, bool take) {
    for (Timer& t : timers_) {
        if (t.due <= now && wanted(t)) {
            Timer due = t;
            if (take) {
                t.due = now + std::max<UINT>(t.elapse, 1);
            }
            return due;
        }
    }
    return std::nullopt;
}

int TimerList::MillisecondsToNext(std::uint64_t now, const Filter& wanted) const {
    int timeout = -1;
    for (const Timer& t : timers_) {
        if (!wanted(t)) {
            continue;
        }
        int left = t.due <= now ? 0 : int(std::min<std::uint64_t>(t.due - now, 1 << 30));
        timeout = timeout < 0 ? left : std::min(timeout, left);
    }
    return timeout;
}

} // namespace ui
