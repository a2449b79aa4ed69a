#include "platform/shell/ChangeWatch.h"

#include "platform/shell/ShellSystem.h"

// On Windows a watch is a change-notification handle: the system applies the filter and watches
// the subtree itself, so there is nothing to follow by hand.

namespace shell {

bool ChangeWatch::Open(const std::string& folder, bool subtree, DWORD filter) {
    Close();
    notification_ = win32::OpenChangeNotification(folder, subtree, filter);
    if (!notification_) return false;
    fd_ = 0; // open
    subtree_ = subtree;
    filter_ = filter;
    folders_[0] = folder;
    return true;
}

void ChangeWatch::Close() {
    win32::CloseSystemHandle(notification_);
    notification_ = 0;
    fd_ = -1;
    folders_.clear();
}

bool ChangeWatch::TakeChanges() {
    // The handle is signalled only for changes that pass the filter; re-arm it for the next.
    return notification_ && win32::NextChangeNotification(notification_);
}

WakeSignal::WakeSignal() : handle_(win32::CreateWakeEvent()) {}

WakeSignal::~WakeSignal() { win32::CloseSystemHandle(handle_); }

void WakeSignal::Raise() { win32::RaiseWakeEvent(handle_); }

int WaitForChangeOrWake(ChangeWatch& watch, WakeSignal& wake) {
    switch (win32::WaitForEither(watch.notification_, wake.handle_)) {
    case 0: return kWaitChanged;
    case 1: return kWaitWoken;
    default: return kWaitFailed;
    }
}

} // namespace shell
