// What the desktop does to our windows behind the program's back: the pointer leaving every
// window of ours, and the window manager or taskbar minimizing and restoring a window.
#include "UiFixture.h"

using namespace uitest;

namespace {

class DesktopTest : public UiFixture {
protected:
    static ui::NativeId Native(HWND top) { return top->native; }
    std::vector<Rec> Of(UINT msg) {
        std::vector<Rec> out;
        for (const Rec& r : Log()) {
            if (r.msg == msg) {
                out.push_back(r);
            }
        }
        return out;
    }
    static bool Track(HWND w, DWORD flags) {
        TRACKMOUSEEVENT tme;
        tme.dwFlags = flags;
        tme.hwndTrack = w;
        return TrackMouseEvent(&tme) != FALSE;
    }
};

TEST_F(DesktopTest, GetCursorPosAsksWhereThePointerIsNow) {
    HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 300});
    Pump();
    screen->MouseMove(150, 150);
    Pump();
    POINT seenInMove{};
    CurrentHook() = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_MOUSEMOVE) {
            GetCursorPos(&seenInMove);
        }
        return false;
    };
    // The pointer moved on before the program took the first move.
    screen->MouseMove(160, 160);
    screen->PointerLeave(Native(w), 700, 20);
    POINT now{};
    ASSERT_TRUE(GetCursorPos(&now));
    EXPECT_EQ(now.x, 700);
    EXPECT_EQ(now.y, 20);
    Pump();
    EXPECT_EQ(seenInMove.x, 700);
    EXPECT_EQ(seenInMove.y, 20);
    // The message still carries where it happened.
    EXPECT_EQ(GET_X_LPARAM(Of(WM_MOUSEMOVE).back().lParam), 60);
}

TEST_F(DesktopTest, ThePointerLeavingEveryWindowEndsTracking) {
    // A framed window with a child; a move over the part named, the tracking asked for there,
    // then the pointer leaves the window for the desktop.
    struct Case {
        const char* what;
        POINT over;
        bool trackChild;
        DWORD flags;
        UINT leave;
    } const cases[] = {
        {"client area", {200, 250}, false, TME_LEAVE, WM_MOUSELEAVE},
        {"child window", {130, 140}, true, TME_LEAVE, WM_MOUSELEAVE},
        {"caption", {200, 110}, false, TME_LEAVE | TME_NONCLIENT, WM_NCMOUSELEAVE},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        SetUp();
        HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
        HWND c = Child(w, WS_VISIBLE, RECT{10, 10, 60, 60});
        Pump();
        screen->MouseMove(k.over.x, k.over.y);
        Pump();
        HWND tracked = k.trackChild ? c : w;
        ASSERT_TRUE(Track(tracked, k.flags));
        Log().clear();
        screen->PointerLeave(Native(w), 900, 700);
        Pump();
        auto leaves = Of(k.leave);
        ASSERT_EQ(leaves.size(), 1u) << Describe(Log());
        EXPECT_EQ(leaves[0].hwnd, tracked);
        EXPECT_TRUE(Of(WM_MOUSEMOVE).empty()) << "no move is reported where the pointer went";
        TearDown();
    }
}

TEST_F(DesktopTest, LeavingForAnotherOfOurWindowsLeavesItsMovesToDecide) {
    HWND a = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    HWND b = Top(WS_POPUP | WS_VISIBLE, RECT{200, 0, 300, 100});
    Pump();
    screen->MouseMove(50, 50);
    Pump();
    ASSERT_TRUE(Track(a, TME_LEAVE));
    Log().clear();
    screen->PointerLeave(Native(a), 250, 50);
    Pump();
    EXPECT_TRUE(Of(WM_MOUSELEAVE).empty());
    screen->MouseMove(250, 50);
    Pump();
    ASSERT_EQ(Of(WM_MOUSELEAVE).size(), 1u);
    EXPECT_EQ(Of(WM_MOUSELEAVE)[0].hwnd, a);
    EXPECT_EQ(Of(WM_MOUSEMOVE).back().hwnd, b);
}

TEST_F(DesktopTest, ACapturedMouseLeavesOnlyWhenTheCaptureEnds) {
    HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    Pump();
    screen->MouseMove(50, 50);
    Pump();
    ASSERT_TRUE(Track(w, TME_LEAVE));
    SetCapture(w);
    Log().clear();
    screen->PointerLeave(Native(w), 500, 500);
    Pump();
    EXPECT_TRUE(Of(WM_MOUSELEAVE).empty()) << "the capture still holds the mouse";
    // Released off every window: a move at the pointer's place follows, as on Windows, and
    // nothing of ours is under it.
    ReleaseCapture();
    Pump();
    ASSERT_EQ(Of(WM_MOUSELEAVE).size(), 1u);
    EXPECT_EQ(Of(WM_MOUSELEAVE)[0].hwnd, w);
}

TEST_F(DesktopTest, ReleasingTheCaptureMovesTheHoverToTheWindowUnderThePointer) {
    HWND a = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    HWND b = Top(WS_POPUP | WS_VISIBLE, RECT{200, 0, 300, 100});
    Pump();
    screen->MouseMove(50, 50);
    Pump();
    SetCapture(a);
    screen->MouseMove(250, 40);
    Pump();
    Log().clear();
    ReleaseCapture();
    Pump();
    auto moves = Of(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].hwnd, b);
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(50, 40));
}

TEST_F(DesktopTest, TheDesktopMinimizesAndRestoresThroughTheSystemCommands) {
    HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    Pump();
    ASSERT_EQ(GetActiveWindow(), w);
    Log().clear();
    screen->DesktopMinimize(Native(w));
    Pump();
    ExpectSequence({EW(w, WM_SYSCOMMAND, SC_MINIMIZE), EW(w, WM_SIZE, SIZE_MINIMIZED),
                    EW(w, WM_NCACTIVATE, FALSE), E(w, WM_ACTIVATE), EW(w, WM_ACTIVATEAPP, FALSE),
                    E(w, WM_KILLFOCUS)});
    EXPECT_TRUE(IsIconic(w));
    EXPECT_TRUE(screen->Native(Native(w))->minimized);

    Log().clear();
    screen->DesktopRestore(Native(w));
    Pump();
    auto cmds = Of(WM_SYSCOMMAND);
    ASSERT_EQ(cmds.size(), 1u);
    EXPECT_EQ(cmds[0].wParam, WPARAM(SC_RESTORE));
    auto sizes = Of(WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes[0].wParam, WPARAM(SIZE_RESTORED));
    EXPECT_FALSE(IsIconic(w));
    EXPECT_EQ(GetActiveWindow(), w);
    EXPECT_FALSE(Of(WM_PAINT).empty()) << "the restored window repaints";
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right, 400);

    // It takes clicks again.
    Log().clear();
    screen->Click(200, 200);
    Pump();
    EXPECT_EQ(Of(WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(DesktopTest, AMaximizedWindowComesBackMaximized) {
    HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    ShowWindow(w, SW_MAXIMIZE);
    Pump();
    RECT big{};
    GetWindowRect(w, &big);
    screen->DesktopMinimize(Native(w));
    Pump();
    ASSERT_TRUE(IsIconic(w));
    Log().clear();
    screen->DesktopRestore(Native(w));
    Pump();
    EXPECT_TRUE(IsZoomed(w));
    EXPECT_FALSE(IsIconic(w));
    ASSERT_FALSE(Of(WM_SIZE).empty());
    EXPECT_EQ(Of(WM_SIZE)[0].wParam, WPARAM(SIZE_MAXIMIZED));
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, big.left);
    EXPECT_EQ(r.bottom, big.bottom);
}

TEST_F(DesktopTest, AProgramThatRefusesKeepsTheScreenInStep) {
    HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    Pump();
    CurrentHook() = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        r = 0;
        return m == WM_SYSCOMMAND;
    };
    screen->DesktopMinimize(Native(w));
    Pump();
    EXPECT_FALSE(IsIconic(w));
    EXPECT_FALSE(screen->Native(Native(w))->minimized) << "shown again, as the program wants";

    CurrentHook() = nullptr;
    ShowWindow(w, SW_MINIMIZE);
    CurrentHook() = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        r = 0;
        return m == WM_SYSCOMMAND;
    };
    screen->DesktopRestore(Native(w));
    Pump();
    EXPECT_TRUE(IsIconic(w));
    EXPECT_TRUE(screen->Native(Native(w))->minimized);
}

TEST_F(DesktopTest, OurOwnMinimizeReportedBackSendsNothingTwice) {
    HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    Pump();
    ShowWindow(w, SW_MINIMIZE);
    Pump();
    Log().clear();
    screen->DesktopMinimize(Native(w)); // what a backend reports after our own request
    Pump();
    EXPECT_TRUE(Of(WM_SYSCOMMAND).empty());
    EXPECT_TRUE(Of(WM_SIZE).empty());
}

} // namespace

namespace {

// Which of our windows the desktop sees as popups (no taskbar entry, never activated by the
// window manager) and which as windows the user works in.
TEST_F(DesktopTest, OnlyWindowsWithoutACaptionOrActivationAreShownAsPopups) {
    HWND owner = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 400, 300});
    struct Case {
        const char* what;
        DWORD style;
        DWORD ex;
        bool popup;
    } cases[] = {
        {"a form", WS_OVERLAPPEDWINDOW, 0, false},
        {"a message box", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, false},
        {"a captioned tool window", WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, false},
        {"a hint", WS_POPUP | WS_BORDER, 0, true},
        {"a drop-down list", WS_POPUP | WS_CLIPCHILDREN, 0, true},
        {"a menu", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, true},
        {"a captioned window that never activates", WS_POPUP | WS_CAPTION, WS_EX_NOACTIVATE, true},
    };
    for (const Case& c : cases) {
        HWND w = Top(c.style | WS_VISIBLE, RECT{50, 50, 200, 150}, "rec", c.ex, owner);
        Pump();
        const auto* native = screen->Native(Native(w));
        ASSERT_NE(native, nullptr) << c.what;
        EXPECT_EQ(native->popup, c.popup) << c.what;
        // An owned window tells the desktop its owner, which keeps it above.
        EXPECT_EQ(native->owner, Native(owner)) << c.what;
        DestroyWindow(w);
    }
    HWND alone = Top(WS_POPUP | WS_CAPTION | WS_VISIBLE, RECT{50, 50, 200, 150});
    Pump();
    EXPECT_EQ(screen->Native(Native(alone))->owner, 0u);
}

} // namespace
