#include "skin/shell/qvShellChangeNotifier.h"

#include "platform/shell/ChangeWatch.h"
#include "platform/ui/User.h"

#include <atomic>
#include <condition_variable>
#include <thread>

namespace qv {

std::mutex WatchOptionsLock;

// What a notifier and its worker share. Options and the handler are guarded by WatchOptionsLock;
// the running of a change on the user-interface thread by `syncMutex`.
struct ShellChangeShared {
    shell::WakeSignal wake;
    std::weak_ptr<ShellChangeShared> self;
    std::string directory;
    bool watchTree = true;
    DWORD flags = 0;
    bool optionsChanged = false;
    bool terminated = false;
    bool running = false;
    std::function<void()> changeEvent;
    HWND syncWindow = nullptr;

    std::mutex syncMutex;
    std::condition_variable syncDone;
    bool changePending = false; // posted, not yet run on the user-interface thread
};

namespace {

std::atomic<int> runningWorkers{0};

constexpr UINT kRunChange = WM_USER + 0x5C;
constexpr const char* kSyncClass = "qvShellChangeSync";

void Wake(ShellChangeShared& shared) { shared.wake.Raise(); }

// Runs on the user-interface thread: the handler of a change the worker is waiting on.
LRESULT SyncWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kRunChange) return DefWindowProc(hwnd, msg, wParam, lParam);
    // The worker holds the state while it waits for this message; hold it here too, since the
    // handler may free the notifier, which lets the worker end.
    std::shared_ptr<ShellChangeShared> shared = reinterpret_cast<ShellChangeShared*>(lParam)->self.lock();
    if (!shared) return 0;
    std::function<void()> handler;
    {
        std::lock_guard lock(WatchOptionsLock);
        handler = shared->changeEvent;
    }
    try {
        if (handler) handler();
    } catch (...) {
        std::lock_guard lock(shared->syncMutex);
        shared->changePending = false;
        shared->syncDone.notify_all();
        throw;
    }
    std::lock_guard lock(shared->syncMutex);
    shared->changePending = false;
    shared->syncDone.notify_all();
    return 0;
}

HWND CreateSyncWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASS wc;
        wc.lpfnWndProc = SyncWindowProc;
        wc.lpszClassName = kSyncClass;
        RegisterClass(&wc);
        registered = true;
    }
    return CreateWindowEx(0, kSyncClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}

// Posts the change to the user-interface thread and waits until it has run there, or until the
// notifier goes away (its window then never handles the message).
void RunOnInterfaceThread(ShellChangeShared& shared) {
    std::unique_lock lock(shared.syncMutex);
    HWND window;
    {
        std::lock_guard options(WatchOptionsLock);
        if (shared.terminated || !shared.syncWindow) return;
        window = shared.syncWindow;
    }
    shared.changePending = true;
    PostMessage(window, kRunChange, 0, reinterpret_cast<LPARAM>(&shared));
    shared.syncDone.wait(lock, [&] {
        std::lock_guard options(WatchOptionsLock);
        return !shared.changePending || shared.terminated;
    });
}

bool OpenWatch(ShellChangeShared& shared, shell::ChangeWatch& watch) {
    std::lock_guard lock(WatchOptionsLock);
    shared.optionsChanged = false;
    return watch.Open(shared.directory, shared.watchTree, shared.flags);
}

void RunWorker(std::shared_ptr<ShellChangeShared> shared) {
    shell::ChangeWatch watch;
    if (OpenWatch(*shared, watch)) {
        for (;;) {
            {
                std::lock_guard lock(WatchOptionsLock);
                if (shared->terminated) break;
            }
            int woke = shell::WaitForChangeOrWake(watch, shared->wake);
            if (woke & shell::kWaitFailed) break;
            if ((woke & shell::kWaitChanged) && watch.TakeChanges()) RunOnInterfaceThread(*shared);
            bool reopen;
            {
                std::lock_guard lock(WatchOptionsLock);
                reopen = shared->optionsChanged && !shared->terminated;
            }
            if (reopen && !OpenWatch(*shared, watch))
                break; // the new folder cannot be watched: the worker ends silently
        }
    }
    {
        std::lock_guard lock(WatchOptionsLock);
        shared->running = false;
    }
    --runningWorkers;
}

} // namespace

DWORD NotifyFiltersToFlags(TNotifyFilters filters) {
    DWORD flags = 0;
    if (filters & nfFileNameChange) flags |= FILE_NOTIFY_CHANGE_FILE_NAME;
    if (filters & nfDirNameChange) flags |= FILE_NOTIFY_CHANGE_DIR_NAME;
    if (filters & nfAttributeChange) flags |= FILE_NOTIFY_CHANGE_ATTRIBUTES;
    if (filters & nfSizeChange) flags |= FILE_NOTIFY_CHANGE_SIZE;
    if (filters & nfWriteChange) flags |= FILE_NOTIFY_CHANGE_LAST_WRITE;
    if (filters & nfSecurityChange) flags |= FILE_NOTIFY_CHANGE_SECURITY;
    return flags;
}

void TqvShellChangeThread::Start(std::shared_ptr<ShellChangeShared> shared) {
    {
        std::lock_guard lock(WatchOptionsLock);
        shared->running = true;
    }
    ++runningWorkers;
    std::thread(RunWorker, std::move(shared)).detach();
}

void TqvShellChangeThread::SetDirectoryOptions(ShellChangeShared& shared, const std::string& directory,
                                               bool watchTree, DWORD flags) {
    {
        std::lock_guard lock(WatchOptionsLock);
        shared.directory = directory;
        shared.watchTree = watchTree;
        shared.flags = flags;
        shared.optionsChanged = true;
    }
    Wake(shared);
}

void TqvShellChangeThread::Terminate(ShellChangeShared& shared) {
    {
        std::lock_guard lock(WatchOptionsLock);
        shared.terminated = true;
        shared.syncWindow = nullptr;
    }
    {
        std::lock_guard lock(shared.syncMutex);
        shared.syncDone.notify_all();
    }
    Wake(shared);
}

int TqvShellChangeThread::RunningCount() { return runningWorkers; }

TqvCustomShellChangeNotifier::TqvCustomShellChangeNotifier(vcl::TComponent* owner) : vcl::TComponent(owner) {}

TqvCustomShellChangeNotifier::~TqvCustomShellChangeNotifier() {
    if (worker_) {
        TqvShellChangeThread::Terminate(*worker_);
        worker_.reset();
    }
    if (syncWindow_) DestroyWindow(syncWindow_);
}

bool TqvCustomShellChangeNotifier::HasWorker() const {
    if (!worker_) return false;
    std::lock_guard lock(WatchOptionsLock);
    return worker_->running;
}

void TqvCustomShellChangeNotifier::Start() {
    if (!onChange_ || worker_) return;
    if (!syncWindow_) syncWindow_ = CreateSyncWindow();
    auto shared = std::make_shared<ShellChangeShared>();
    shared->self = shared;
    shared->changeEvent = onChange_;
    shared->syncWindow = syncWindow_;
    shared->directory = root_;
    shared->watchTree = watchSubTree_;
    shared->flags = NotifyFiltersToFlags(notifyFilters_);
    worker_ = shared;
    TqvShellChangeThread::Start(std::move(shared));
}

void TqvCustomShellChangeNotifier::HandOverOptions() {
    if (worker_)
        TqvShellChangeThread::SetDirectoryOptions(*worker_, root_, watchSubTree_,
                                                  NotifyFiltersToFlags(notifyFilters_));
}

void TqvCustomShellChangeNotifier::SetNotifyFilters(TNotifyFilters filters) {
    notifyFilters_ = filters;
    HandOverOptions();
}

void TqvCustomShellChangeNotifier::SetWatchSubTree(bool on) {
    watchSubTree_ = on;
    HandOverOptions();
}

void TqvCustomShellChangeNotifier::SetRoot(const std::string& root) {
    // Compared exactly: "/Logs" and "/logs" are two folders on this file system.
    if (root == root_) return;
    root_ = root;
    HandOverOptions();
}

void TqvCustomShellChangeNotifier::SetOnChange(std::function<void()> handler) {
    onChange_ = std::move(handler);
    if (worker_) {
        std::lock_guard lock(WatchOptionsLock);
        worker_->changeEvent = onChange_;
    } else {
        Start();
    }
}

} // namespace qv
