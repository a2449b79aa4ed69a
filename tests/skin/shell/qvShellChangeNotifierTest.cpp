#include "skin/shell/qvShellChangeNotifier.h"

#include "framework/Forms.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

namespace {

using namespace qv;

class qvShellChangeNotifierTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::ResetWindowSystem(std::make_unique<ui::HeadlessBackend>());
        app_ = std::make_unique<vcl::TApplication>(nullptr);
    }
    void TearDown() override {
        app_.reset();
        ui::ShutdownWindowSystem();
    }

    // Handles messages until `done` holds, returning at once when it does; false when it did not
    // come true within a time no healthy machine needs.
    bool PumpUntil(const std::function<bool()>& done) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            app_->ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    std::unique_ptr<vcl::TApplication> app_;
    TempFolder root_;
};

TEST_F(qvShellChangeNotifierTest, ReportsCreatedAndRenamedFoldersOnTheInterfaceThread) {
    std::filesystem::create_directories(root_ / "deep/er");
    TqvShellChangeNotifier notifier(nullptr);
    notifier.SetRoot(root_.Path());
    EXPECT_FALSE(notifier.HasWorker()) << "no handler, no worker";
    int changes = 0;
    std::thread::id where;
    notifier.SetOnChange([&] {
        ++changes;
        where = std::this_thread::get_id();
    });
    EXPECT_TRUE(notifier.HasWorker());
    // The worker watches from its first wait on; a folder made before that may go unseen, so
    // keep making folders until one is reported.
    int made = 0;
    ASSERT_TRUE(PumpUntil([&] {
        if (changes == 0 && made < 200)
            std::filesystem::create_directory(root_ / ("new" + std::to_string(made++)));
        return changes > 0;
    }));
    EXPECT_EQ(where, std::this_thread::get_id());

    int before = changes;
    std::filesystem::rename(root_ / "deep/er", root_ / "deep/renamed"); // below the root: a subtree
    EXPECT_TRUE(PumpUntil([&] { return changes > before; }));

    // A new root is watched from the worker's next wait on.
    before = changes;
    TempFolder other;
    notifier.SetRoot(other.Path());
    made = 0;
    EXPECT_TRUE(PumpUntil([&] {
        if (changes == before && made < 200)
            std::filesystem::create_directory(other / ("there" + std::to_string(made++)));
        return changes > before;
    }));
}

TEST_F(qvShellChangeNotifierTest, DestroyingTheNotifierEndsItsWorker) {
    int base = TqvShellChangeThread::RunningCount();
    {
        TqvShellChangeNotifier notifier(nullptr);
        notifier.SetRoot(root_.Path());
        notifier.SetOnChange([] {});
        EXPECT_EQ(TqvShellChangeThread::RunningCount(), base + 1);
    }
    EXPECT_TRUE(PumpUntil([&] { return TqvShellChangeThread::RunningCount() == base; }));

    // A folder that cannot be watched ends the worker silently.
    TqvShellChangeNotifier missing(nullptr);
    missing.SetRoot(root_ / "missing");
    missing.SetOnChange([] {});
    EXPECT_TRUE(PumpUntil([&] { return !missing.HasWorker(); }));
}

} // namespace
