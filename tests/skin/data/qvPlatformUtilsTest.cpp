#include "skin/data/qvPlatformUtils.h"

#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

namespace {

class PlatformUtils : public ::testing::Test {
protected:
    void Start(ui::HeadlessConfig config = {}) {
        ui::ResetWindowSystem(std::make_unique<ui::HeadlessBackend>(std::move(config)));
        WNDCLASS wc;
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "plain";
        RegisterClass(&wc);
    }
    void TearDown() override { ui::ShutdownWindowSystem(); }
    HWND Window(int x, int y, DWORD ex = 0) {
        return CreateWindowEx(ex, "plain", "w", WS_POPUP, x, y, 100, 80, nullptr, nullptr, nullptr, nullptr);
    }
};

} // namespace

TEST_F(PlatformUtils, VersionIsWindows7) {
    Start();
    const qv::TqvWindowsVersion v = qv::GetWindowsVersion();
    EXPECT_EQ(v.Major, 6u);
    EXPECT_EQ(v.Minor, 1u);
    EXPECT_TRUE(qv::IsWindows6OrLater());
    EXPECT_TRUE(qv::IsWindowsXPOrLater());
    EXPECT_TRUE(qv::IsWindows2000OrLater());
}

TEST_F(PlatformUtils, OneMonitorGivesTheDesktopWorkArea) {
    Start();
    EXPECT_FALSE(qv::HasMultipleMonitors());
    EXPECT_EQ(qv::GetDesktopArea(), (RECT{0, 0, 1280, 984}));
    HWND w = Window(50, 50);
    EXPECT_EQ(qv::GetMonitorArea(w), (RECT{0, 0, 1280, 984}));
    EXPECT_EQ(qv::GetMonitorArea(w, false), (RECT{0, 0, 1280, 984})); // still the desktop's
    DestroyWindow(w);
}

TEST_F(PlatformUtils, SeveralMonitorsGiveTheNearestOnesArea) {
    ui::HeadlessConfig config;
    config.monitors.push_back(ui::MonitorDesc{{1280, 0, 2560, 1024}, {1280, 0, 2560, 1000}, false});
    Start(config);
    EXPECT_TRUE(qv::HasMultipleMonitors());
    HWND right = Window(1500, 100);
    EXPECT_EQ(qv::GetMonitorArea(right), (RECT{1280, 0, 2560, 1000}));
    EXPECT_EQ(qv::GetMonitorArea(right, false), (RECT{1280, 0, 2560, 1024}));
    HWND left = Window(100, 100);
    EXPECT_EQ(qv::GetMonitorArea(left), (RECT{0, 0, 1280, 984}));
    DestroyWindow(right);
    DestroyWindow(left);
}

TEST_F(PlatformUtils, SetWindowAlphaMakesALayeredWindowTranslucent) {
    Start();
    HWND w = Window(10, 10, WS_EX_LAYERED);
    qv::SetWindowAlpha(w, 128);
    COLORREF key = 1;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(w, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, LWA_ALPHA);
    EXPECT_EQ(key, 0u);
    DestroyWindow(w);
}

TEST_F(PlatformUtils, SafeGetScrollBarInfoReportsTheBarOrInvisible) {
    Start();
    HWND w = CreateWindowEx(0, "plain", "w", WS_POPUP | WS_VSCROLL, 10, 20, 100, 80, nullptr, nullptr,
                            nullptr, nullptr);
    SCROLLBARINFO info;
    EXPECT_TRUE(qv::SafeGetScrollBarInfo(w, OBJID_VSCROLL, info));
    EXPECT_EQ(info.rcScrollBar, (RECT{94, 20, 110, 100}));
    EXPECT_EQ(info.rgstate[0], 0u);
    EXPECT_TRUE(qv::SafeGetScrollBarInfo(w, OBJID_HSCROLL, info));
    EXPECT_EQ(info.rgstate[0], STATE_SYSTEM_INVISIBLE);
    DestroyWindow(w);
    info.rcScrollBar = RECT{1, 2, 3, 4};
    EXPECT_FALSE(qv::SafeGetScrollBarInfo(w, OBJID_VSCROLL, info)) << "a window that is gone";
    EXPECT_EQ(info.rgstate[0], STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(info.rcScrollBar, RECT{});
}
