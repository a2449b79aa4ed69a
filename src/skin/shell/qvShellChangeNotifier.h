#pragma once
// A component that watches a folder (and, by default, everything below it) and calls OnChange on
// the user-interface thread after each change. A worker thread waits on the platform's change
// watch and on a wake-up descriptor; new options or a stop reach it through that descriptor, so
// no handle is ever closed under a running wait. For each change the worker posts a message to a
// hidden window of the notifier and waits until OnChange has run there.

#include "framework/Component.h"
#include "platform/ui/UserTypes.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace qv {

enum TNotifyFilter : unsigned {
    nfFileNameChange = 1,
    nfDirNameChange = 2,
    nfAttributeChange = 4,
    nfSizeChange = 8,
    nfWriteChange = 16,
    nfSecurityChange = 32
};
using TNotifyFilters = unsigned;
// The platform's change flags (FILE_NOTIFY_CHANGE_*) of a filter set.
DWORD NotifyFiltersToFlags(TNotifyFilters filters);

// Guards the options that notifiers hand to their workers.
extern std::mutex WatchOptionsLock;

struct ShellChangeShared;

// The worker: it frees itself when it ends (its state is shared with the notifier until then).
class TqvShellChangeThread {
public:
    // Starts the worker for `shared`, which already holds its first options.
    static void Start(std::shared_ptr<ShellChangeShared> shared);
    // New options, in force from the worker's next wait on.
    static void SetDirectoryOptions(ShellChangeShared& shared, const std::string& directory, bool watchTree,
                                    DWORD flags);
    // Asks the worker to end and wakes it.
    static void Terminate(ShellChangeShared& shared);
    // Workers of all notifiers that have not ended yet.
    static int RunningCount();
};

class TqvCustomShellChangeNotifier : public vcl::TComponent {
public:
    explicit TqvCustomShellChangeNotifier(vcl::TComponent* owner);
    ~TqvCustomShellChangeNotifier() override;

    TNotifyFilters NotifyFilters() const { return notifyFilters_; }
    void SetNotifyFilters(TNotifyFilters filters);
    bool WatchSubTree() const { return watchSubTree_; }
    void SetWatchSubTree(bool on);
    const std::string& Root() const { return root_; }
    // Setting the same root again changes nothing.
    void SetRoot(const std::string& root);
    const std::function<void()>& OnChange() const { return onChange_; }
    // Assigning a handler starts the worker when none runs.
    void SetOnChange(std::function<void()> handler);
    // True while a worker runs for this notifier.
    bool HasWorker() const;

private:
    void Start();
    void HandOverOptions();

    TNotifyFilters notifyFilters_ = nfFileNameChange | nfDirNameChange;
    bool watchSubTree_ = true;
    std::string root_ = "C:\\";
    std::function<void()> onChange_;
    std::shared_ptr<ShellChangeShared> worker_;
    HWND syncWindow_ = nullptr;
};

class TqvShellChangeNotifier : public TqvCustomShellChangeNotifier {
public:
    using TqvCustomShellChangeNotifier::TqvCustomShellChangeNotifier;
};

} // namespace qv
