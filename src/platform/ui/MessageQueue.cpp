#include "platform/ui/MessageQueue.h"

#include <algorithm>

namespace ui {

void MessageQueue::Post(const MSG& msg) {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(msg);
}

std::optional<MSG> MessageQueue::TakePosted(const Filter& stale, const Filter& wanted, bool remove) {
    std::lock_guard lock(postedMutex_);
    for (auto it = posted_.begin(); it != posted_.end();) {
        if (stale(*it)) {
            it = posted_.erase(it);
            continue;
        }
        if (wanted(*it)) {
            MSG msg = *it;
            if (remove) {
                posted_.erase(it);
            }
            return msg;
        }
        ++it;
    }
    return std::nullopt;
}

std::optional<MSG> MessageQueue::TakeInput(const Filter& wanted, bool remove) {
    auto it = std::find_if(input_.begin(), input_.end(), wanted);
    if (it == input_.end()) {
        return std::nullopt;
    }
    MSG msg = *it;
    if (remove) {
        input_.erase(it);
    }
    return msg;
}

std::optional<InputEvent> MessageQueue::NextRaw() {
    if (raw_.empty()) {
        return std::nullopt;
    }
    InputEvent ev = std::move(raw_.front());
    raw_.erase(raw_.begin());
    return ev;
}

void MessageQueue::RequestQuit(int code) {
    quit_ = true;
    quitCode_ = code;
}

std::optional<int> MessageQueue::Quit(bool take) {
    if (!quit_) {
        return std::nullopt;
    }
    if (take) {
        quit_ = false;
    }
    return quitCode_;
}

} // namespace ui
