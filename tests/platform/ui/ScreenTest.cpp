// Monitors, metrics, parameters and the version; scroll-bar state; clipboard; the backend
// that the environment chooses.
#include "UiFixture.h"

#include "platform/ui/backend/BackendFactory.h"

#include <cstdlib>

using namespace uitest;

namespace {

class Screen : public UiFixture {};

TEST_F(Screen, TheDefaultHeadlessScreenHasATaskbarRow) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    RECT work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work, (RECT{0, 0, 1280, 984}));
    BOOL full = FALSE;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &full, 0));
    EXPECT_TRUE(full);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    EXPECT_GT(GetSystemMetrics(SM_CXSIZE), 0);
    OSVERSIONINFO v;
    ASSERT_TRUE(GetVersionEx(&v));
    EXPECT_EQ(v.dwMajorVersion, 6u);
    EXPECT_EQ(v.dwMinorVersion, 1u);
}

TEST_F(Screen, MonitorsAreFoundByAreaOrNearest) {
    ui::HeadlessConfig cfg;
    cfg.monitors = {ui::MonitorDesc{{0, 0, 1000, 800}, {0, 0, 1000, 760}, true},
                    ui::MonitorDesc{{1000, 0, 1800, 600}, {1000, 0, 1800, 600}, false}};
    ui::ResetWindowSystem(std::make_unique<ui::HeadlessBackend>(cfg));
    RegisterClass([] {
        static WNDCLASS wc;
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "plain";
        return &wc;
    }());
    HWND w = CreateWindowEx(0, "plain", "", WS_POPUP, 1500, 100, 400, 100, nullptr, nullptr, nullptr,
                            nullptr);
    HMONITOR m = MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi;
    ASSERT_TRUE(GetMonitorInfo(m, &mi));
    EXPECT_EQ(mi.rcMonitor, (RECT{1000, 0, 1800, 600}));
    EXPECT_EQ(mi.dwFlags, 0u);
    EXPECT_EQ(MonitorFromPoint(POINT{5000, 5000}, MONITOR_DEFAULTTONULL), nullptr);
    GetMonitorInfo(MonitorFromPoint(POINT{5000, 100}, MONITOR_DEFAULTTONEAREST), &mi);
    EXPECT_EQ(mi.rcMonitor.left, 1000);
    GetMonitorInfo(MonitorFromPoint(POINT{5000, 5000}, MONITOR_DEFAULTTOPRIMARY), &mi);
    EXPECT_EQ(mi.rcWork, (RECT{0, 0, 1000, 760}));
    EXPECT_EQ(mi.dwFlags, MONITORINFOF_PRIMARY);
    int count = 0;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, RECT*, LPARAM l) -> BOOL {
            ++*reinterpret_cast<int*>(l);
            return TRUE;
        },
        LPARAM(reinterpret_cast<std::intptr_t>(&count)));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 1800);
}

TEST_F(Screen, ScrollStateIsClampedAsWindowsDoes) {
    HWND w = Top(WS_POPUP | WS_VSCROLL, RECT{0, 0, 100, 100});
    struct Case {
        int min, max;
        UINT page;
        int pos;
        UINT wantPage;
        int wantPos;
    } cases[] = {
        {0, 99, 10, 50, 10, 50}, {0, 99, 10, 95, 10, 90}, // the last page starts at max - page + 1
        {0, 99, 200, 5, 100, 0},                          // the page never exceeds the range
        {10, 20, 0, -5, 0, 10},  {0, 0, 0, 3, 0, 0},
    };
    for (const Case& k : cases) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        si.nMin = k.min;
        si.nMax = k.max;
        si.nPage = k.page;
        si.nPos = k.pos;
        EXPECT_EQ(SetScrollInfo(w, SB_VERT, &si, TRUE), k.wantPos);
        SCROLLINFO got;
        got.fMask = SIF_ALL;
        ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &got));
        EXPECT_EQ(got.nPage, k.wantPage);
        EXPECT_EQ(got.nPos, k.wantPos);
        EXPECT_EQ(GetScrollPos(w, SB_VERT), k.wantPos);
    }
    SetScrollRange(w, SB_HORZ, 0, 10, FALSE);
    EXPECT_EQ(SetScrollPos(w, SB_HORZ, 20, FALSE), 0);
    EXPECT_EQ(GetScrollPos(w, SB_HORZ), 10);
    int lo = -1, hi = -1;
    GetScrollRange(w, SB_HORZ, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 10);
    RECT c;
    GetClientRect(w, &c);
    EXPECT_EQ(c.right, 84);
    ShowScrollBar(w, SB_VERT, FALSE);
    GetClientRect(w, &c);
    EXPECT_EQ(c.right, 100) << "hiding the bar gives its room back to the client";
}

// What GetScrollBarInfo reports is where the default frame draws the bar and its thumb.
TEST_F(Screen, ScrollBarInfoMatchesThePaintedBar) {
    HWND w = Top(WS_POPUP | WS_VISIBLE | WS_VSCROLL, RECT{50, 40, 150, 140});
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    struct Case {
        int pos;
        int thumbTop, thumbBottom;
    } cases[] = {{0, 16, 24}, {45, 46, 54}, {90, 76, 84}}; // track 68 px, thumb 8 px
    for (const Case& k : cases) {
        si.nPos = k.pos;
        SetScrollInfo(w, SB_VERT, &si, TRUE);
        RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        SCROLLBARINFO info;
        ASSERT_TRUE(GetScrollBarInfo(w, OBJID_VSCROLL, &info));
        EXPECT_EQ(info.rcScrollBar, (RECT{134, 40, 150, 140}));
        EXPECT_EQ(info.dxyLineButton, 16);
        EXPECT_EQ(info.xyThumbTop, k.thumbTop) << k.pos;
        EXPECT_EQ(info.xyThumbBottom, k.thumbBottom) << k.pos;
        EXPECT_EQ(info.rgstate[0], 0u);
        const gfx::Pixel face = gfx::ColorToPixel(GetSysColor(COLOR_BTNFACE));
        const gfx::Pixel track = gfx::ColorToPixel(GetSysColor(COLOR_SCROLLBAR));
        EXPECT_EQ(ScreenPixel(142, 40 + (k.thumbTop + k.thumbBottom) / 2), face) << "thumb at " << k.pos;
        int outside = k.thumbTop > 30 ? k.thumbTop - 4 : k.thumbBottom + 4;
        EXPECT_EQ(ScreenPixel(142, 40 + outside), track) << "track at " << k.pos;
    }
    SCROLLBARINFO horz;
    ASSERT_TRUE(GetScrollBarInfo(w, OBJID_HSCROLL, &horz));
    EXPECT_EQ(horz.rgstate[0], STATE_SYSTEM_INVISIBLE) << "a bar the window lacks";
    si.nPage = 100; // the page holds the whole range: no thumb
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    SCROLLBARINFO whole;
    ASSERT_TRUE(GetScrollBarInfo(w, OBJID_VSCROLL, &whole));
    EXPECT_EQ(whole.rgstate[3], STATE_SYSTEM_INVISIBLE);
    EXPECT_FALSE(GetScrollBarInfo(w, 0, &whole));
}

TEST_F(Screen, ClipboardTextNeedsAnOpenClipboard) {
    EXPECT_FALSE(SetClipboardData(CF_TEXT, "x"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));
    EmptyClipboard();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(SetClipboardData(CF_UNICODETEXT, "日本 text"));
    EXPECT_EQ(GetClipboardData(CF_TEXT).value_or(""), "日本 text");
    CloseClipboard();
    EXPECT_EQ(screen->ClipboardText(), "日本 text");
}

TEST_F(Screen, TheEnvironmentChoosesTheBackend) {
#ifdef _WIN32
    GTEST_SKIP() << "DISPLAY and the SDL backend are Linux's";
#else
    const char* oldBackend = std::getenv("IISLOG_BACKEND");
    const char* oldDisplay = std::getenv("DISPLAY");
    std::string keepBackend = oldBackend ? oldBackend : "";
    std::string keepDisplay = oldDisplay ? oldDisplay : "";
    setenv("IISLOG_BACKEND", "headless", 1);
    EXPECT_NE(dynamic_cast<ui::HeadlessBackend*>(ui::CreateDefaultBackend().get()), nullptr);
    unsetenv("IISLOG_BACKEND");
    unsetenv("DISPLAY");
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (!driver) {
        try {
            ui::CreateDefaultBackend();
            ADD_FAILURE() << "the SDL backend opened without a display";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "No display available: set DISPLAY or run under Xvfb.");
        }
    }
    if (oldBackend) setenv("IISLOG_BACKEND", keepBackend.c_str(), 1);
    if (oldDisplay) setenv("DISPLAY", keepDisplay.c_str(), 1);
#endif
}

} // namespace
