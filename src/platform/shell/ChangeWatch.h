#pragma once
// Watching a folder (and optionally every folder below it) for changes, on inotify: the stand-in
// for the Windows change-notification handles (which the Windows build uses). The owner waits on
// a watch together with a wake signal (WaitForChangeOrWake) and calls TakeChanges after a change.
//
// inotify watches single folders, so a subtree gets one watch per folder, and folders created or
// moved in later are added as their events arrive. Links are not followed into, so a link loop
// costs nothing.

#include "platform/gfx/WinTypes.h"

#include <cstdint>
#include <string>
#include <unordered_map>

// What a watch reports (the Windows FILE_NOTIFY_CHANGE_* flags).
constexpr DWORD FILE_NOTIFY_CHANGE_FILE_NAME = 0x1;
constexpr DWORD FILE_NOTIFY_CHANGE_DIR_NAME = 0x2;
constexpr DWORD FILE_NOTIFY_CHANGE_ATTRIBUTES = 0x4;
constexpr DWORD FILE_NOTIFY_CHANGE_SIZE = 0x8;
constexpr DWORD FILE_NOTIFY_CHANGE_LAST_WRITE = 0x10;
constexpr DWORD FILE_NOTIFY_CHANGE_SECURITY = 0x100;

namespace shell {

class WakeSignal;

class ChangeWatch {
public:
    ChangeWatch() = default;
    ~ChangeWatch() { Close(); }
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    // Starts watching `folder`; false (with errno set) when it cannot be watched.
    bool Open(const std::string& folder, bool subtree, DWORD filter);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    // The descriptor to poll for reading.
    int Descriptor() const { return fd_; }
    // Reads what arrived without blocking; true when at least one change passes the filter.
    // Folders that appeared in a watched subtree are watched from now on.
    bool TakeChanges();
    // The number of folders watched (the subtree's size, bounded by the system's watch limit).
    int WatchedFolders() const { return int(folders_.size()); }

private:
    void AddFolder(const std::string& path, int depth);
    bool Passes(std::uint32_t mask) const;

    int fd_ = -1;
    bool subtree_ = false;
    DWORD filter_ = 0;
    std::unordered_map<int, std::string> folders_; // watch descriptor -> folder
#ifdef _WIN32
    std::intptr_t notification_ = 0; // the change-notification handle
#endif
    friend int WaitForChangeOrWake(ChangeWatch& watch, WakeSignal& wake);
};

// A signal that another thread raises to end a wait on a watch early (a stop, new options).
class WakeSignal {
public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;
    // Any thread; a raise before the wait ends that wait at once.
    void Raise();

private:
    friend int WaitForChangeOrWake(ChangeWatch& watch, WakeSignal& wake);
    std::intptr_t handle_ = -1; // an eventfd on Linux, an auto-reset event on Windows
};

// What ended a wait: bits.
constexpr int kWaitChanged = 1; // the watch has changes to take
constexpr int kWaitWoken = 2;   // the signal was raised (and is taken)
constexpr int kWaitFailed = 4;  // the wait itself failed

// Waits until `watch` has changes or `wake` is raised.
int WaitForChangeOrWake(ChangeWatch& watch, WakeSignal& wake);

} // namespace shell
