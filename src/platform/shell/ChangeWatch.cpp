#include "platform/shell/ChangeWatch.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace shell {
namespace {

// A bound on the depth of a watched subtree; a deeper tree is watched down to here.
constexpr int kMaxDepth = 64;

std::uint32_t InotifyMask(DWORD filter) {
    std::uint32_t mask = IN_ONLYDIR;
    if (filter & (FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME))
        mask |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
    if (filter & (FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY)) mask |= IN_ATTRIB;
    if (filter & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE))
        mask |= IN_MODIFY | IN_CLOSE_WRITE;
    return mask;
}

} // namespace

bool ChangeWatch::Open(const std::string& folder, bool subtree, DWORD filter) {
    Close();
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) return false;
    subtree_ = subtree;
    filter_ = filter;
    // Subtrees always need the folder events, to follow new folders.
    int wd = ::inotify_add_watch(fd_, folder.c_str(),
                                 InotifyMask(filter | (subtree ? FILE_NOTIFY_CHANGE_DIR_NAME : 0)));
    if (wd < 0) {
        int error = errno;
        Close();
        errno = error;
        return false;
    }
    folders_[wd] = folder;
    if (subtree) AddFolder(folder, 0);
    return true;
}

void ChangeWatch::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    folders_.clear();
}

void ChangeWatch::AddFolder(const std::string& path, int depth) {
    if (depth >= kMaxDepth) return;
    DIR* dir = ::opendir(path.c_str());
    if (!dir) return;
    while (dirent* entry = ::readdir(dir)) {
        if (entry->d_type != DT_DIR || std::strcmp(entry->d_name, ".") == 0 ||
            std::strcmp(entry->d_name, "..") == 0)
            continue; // links are not followed (DT_LNK)
        std::string child = path + "/" + entry->d_name;
        int wd = ::inotify_add_watch(fd_, child.c_str(),
                                     InotifyMask(filter_ | FILE_NOTIFY_CHANGE_DIR_NAME) | IN_DONT_FOLLOW);
        if (wd < 0) continue; // unreadable, or the system's watch limit: the rest of the tree goes unwatched
        folders_[wd] = child;
        AddFolder(child, depth + 1);
    }
    ::closedir(dir);
}

bool ChangeWatch::Passes(std::uint32_t mask) const {
    bool isDir = mask & IN_ISDIR;
    if (mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF))
        return filter_ & (isDir ? FILE_NOTIFY_CHANGE_DIR_NAME : FILE_NOTIFY_CHANGE_FILE_NAME);
    if (mask & IN_ATTRIB) return filter_ & (FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY);
    if (mask & (IN_MODIFY | IN_CLOSE_WRITE))
        return filter_ & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    return mask & IN_Q_OVERFLOW; // events were lost: something changed
}

bool ChangeWatch::TakeChanges() {
    if (fd_ < 0) return false;
    bool changed = false;
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        ssize_t size = ::read(fd_, buffer, sizeof buffer);
        if (size < 0 && errno == EINTR) continue;
        if (size <= 0) break;
        for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= size;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_IGNORED) {
                folders_.erase(event->wd);
                continue;
            }
            if (Passes(event->mask)) changed = true;
            auto folder = folders_.find(event->wd);
            if (subtree_ && folder != folders_.end() && (event->mask & IN_ISDIR) &&
                (event->mask & (IN_CREATE | IN_MOVED_TO)) && event->len > 0) {
                std::string child = folder->second + "/" + event->name;
                int wd = ::inotify_add_watch(
                    fd_, child.c_str(), InotifyMask(filter_ | FILE_NOTIFY_CHANGE_DIR_NAME) | IN_DONT_FOLLOW);
                if (wd >= 0) {
                    folders_[wd] = child;
                    AddFolder(child, 1);
                }
            }
        }
    }
    return changed;
}

WakeSignal::WakeSignal() : handle_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

WakeSignal::~WakeSignal() {
    if (handle_ >= 0) ::close(int(handle_));
}

void WakeSignal::Raise() {
    std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(int(handle_), &one, sizeof one);
}

int WaitForChangeOrWake(ChangeWatch& watch, WakeSignal& wake) {
    pollfd waits[2] = {{watch.Descriptor(), POLLIN, 0}, {int(wake.handle_), POLLIN, 0}};
    int ready;
    while ((ready = ::poll(waits, 2, -1)) < 0 && errno == EINTR) {
    }
    if (ready < 0) return kWaitFailed;
    int result = 0;
    if (waits[1].revents & POLLIN) {
        std::uint64_t count;
        [[maybe_unused]] ssize_t n = ::read(int(wake.handle_), &count, sizeof count);
        result |= kWaitWoken;
    }
    if (waits[0].revents & POLLIN) result |= kWaitChanged;
    return result;
}

} // namespace shell
