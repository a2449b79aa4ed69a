#pragma once
// The message queue of the UI thread: messages posted (from any thread, hence the lock),
// input already turned into messages, raw input events from the backend not yet routed, the
// quit request, and the message last taken (GetMessageTime, GetMessagePos). The message loop
// (WindowSystem::Get) is its reader; it decides the order in which the kinds are looked at.

#include "platform/ui/User.h"
#include "platform/ui/backend/Backend.h"

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace ui {

class MessageQueue {
public:
    using Filter = std::function<bool(const MSG&)>;

    // Any thread.
    void Post(const MSG& msg);
    // Takes (`remove`) or copies the first posted message that `wanted` accepts; messages for
    // which `stale` holds (their window is gone) are dropped on the way.
    std::optional<MSG> TakePosted(const Filter& stale, const Filter& wanted, bool remove);

    // Input turned into messages, waiting for the loop.
    void AddInput(const MSG& msg) { input_.push_back(msg); }
    std::optional<MSG> TakeInput(const Filter& wanted, bool remove);

    // Raw events: the backend appends, the loop routes them one at a time.
    void Pump(Backend& backend, int timeoutMs) { backend.PumpEvents(timeoutMs, raw_); }
    void AddRaw(InputEvent ev) { raw_.push_back(std::move(ev)); }
    std::optional<InputEvent> NextRaw();

    void RequestQuit(int code);
    // The exit code of a pending quit request; taking it ends the request.
    std::optional<int> Quit(bool take);

    void SetCurrent(const MSG& msg) { current_ = msg; }
    const MSG& Current() const { return current_; }

private:
    std::mutex postedMutex_;
    std::deque<MSG> posted_; // guarded by postedMutex_
    std::deque<MSG> input_;
    std::vector<InputEvent> raw_;
    bool quit_ = false;
    int quitCode_ = 0;
    MSG current_{};
};

} // namespace ui
