// Input routing: hit codes into client or non-client messages, capture, double-clicks, mouse
// leave, activation by click, keyboard focus, keys and text, Alt+F4, disabled windows, wheel.
#include "UiFixture.h"

using namespace uitest;

namespace {

class Input : public UiFixture {
protected:
    std::vector<Rec> Of(UINT lo, UINT hi) {
        std::vector<Rec> out;
        for (const Rec& r : Log()) {
            if (r.msg >= lo && r.msg <= hi) {
                out.push_back(r);
            }
        }
        return out;
    }
    // Keeps the default move/size loop and close tracking out of tests about routing.
    void SwallowNcButtons() {
        CurrentHook() = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
            r = 0;
            return m == WM_NCLBUTTONDOWN;
        };
    }
};

TEST_F(Input, HitCodesChooseClientOrNonClientMessages) {
    Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    Pump();
    struct Case {
        POINT pt;
        UINT msg;
        WPARAM w;
        LPARAM l;
    } cases[] = {
        {{200, 200}, WM_MOUSEMOVE, 0, MAKELPARAM(96, 78)},
        {{200, 110}, WM_NCMOUSEMOVE, WPARAM(HTCAPTION), MAKELPARAM(200, 110)},
        {{101, 200}, WM_NCMOUSEMOVE, WPARAM(HTLEFT), MAKELPARAM(101, 200)},
        {{250, 298}, WM_NCMOUSEMOVE, WPARAM(HTBOTTOM), MAKELPARAM(250, 298)},
        {{398, 298}, WM_NCMOUSEMOVE, WPARAM(HTBOTTOMRIGHT), MAKELPARAM(398, 298)},
        {{101, 101}, WM_NCMOUSEMOVE, WPARAM(HTTOPLEFT), MAKELPARAM(101, 101)},
        {{385, 112}, WM_NCMOUSEMOVE, WPARAM(HTCLOSE), MAKELPARAM(385, 112)},
    };
    for (const Case& k : cases) {
        Log().clear();
        screen->MouseMove(k.pt.x, k.pt.y);
        Pump();
        auto got = Of(WM_NCMOUSEMOVE, WM_NCMOUSEMOVE);
        auto client = Of(WM_MOUSEMOVE, WM_MOUSEMOVE);
        got.insert(got.end(), client.begin(), client.end());
        ASSERT_EQ(got.size(), 1u) << k.pt.x << "," << k.pt.y;
        EXPECT_EQ(got[0].msg, k.msg) << k.pt.x << "," << k.pt.y;
        EXPECT_EQ(got[0].wParam, k.w) << k.pt.x << "," << k.pt.y;
        EXPECT_EQ(got[0].lParam, k.l) << k.pt.x << "," << k.pt.y;
    }
}

TEST_F(Input, TheProceduresHitCodeDecides) {
    HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 200});
    Pump();
    CurrentHook() = [](HWND, UINT m, WPARAM, LPARAM l, LRESULT& r) {
        if (m == WM_NCHITTEST) {
            r = GET_Y_LPARAM(l) < 20 ? HTOBJECT : HTCLIENT;
            return true;
        }
        return false;
    };
    Log().clear();
    screen->Click(50, 10);
    screen->Click(50, 50);
    Pump();
    auto nc = Of(WM_NCLBUTTONDOWN, WM_NCLBUTTONUP);
    ASSERT_EQ(nc.size(), 2u);
    EXPECT_EQ(nc[0].wParam, WPARAM(HTOBJECT));
    EXPECT_EQ(nc[0].lParam, MAKELPARAM(50, 10));
    auto client = Of(WM_LBUTTONDOWN, WM_LBUTTONUP);
    ASSERT_EQ(client.size(), 2u);
    EXPECT_EQ(client[0].wParam, MK_LBUTTON);
    EXPECT_EQ(client[1].wParam, 0u);
    (void)w;
}

TEST_F(Input, CaptureTakesEveryMouseMessageAsClientMessages) {
    HWND p = Top(WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 300});
    HWND a = Child(p, WS_VISIBLE, RECT{0, 0, 50, 50}, 1);
    HWND b = Child(p, WS_VISIBLE, RECT{60, 0, 110, 50}, 2);
    Pump();
    EXPECT_EQ(SetCapture(a), nullptr);
    Log().clear();
    screen->MouseMove(500, 600);
    Pump();
    auto moves = Of(WM_MOUSEMOVE, WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].hwnd, a);
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(400, 500));
    EXPECT_TRUE(screen->MouseCaptured());
    Log().clear();
    EXPECT_EQ(SetCapture(b), a);
    ExpectSequence({E(a, WM_CAPTURECHANGED)});
    EXPECT_EQ(reinterpret_cast<HWND>(Log()[0].lParam), b);
    Log().clear();
    ReleaseCapture();
    ExpectSequence({E(b, WM_CAPTURECHANGED)});
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(screen->MouseCaptured());
}

TEST_F(Input, DoubleClicksNeedTheClassStyleTimeAndDistance) {
    struct Case {
        const char* cls;
        std::uint64_t gap;
        int dx;
        bool dbl;
    } cases[] = {
        {"recdbl", 100, 0, true},  {"recdbl", 500, 2, true}, {"recdbl", 501, 0, false},
        {"recdbl", 100, 3, false}, {"rec", 100, 0, false},
    };
    for (const Case& k : cases) {
        HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 200}, k.cls);
        Pump();
        Log().clear();
        screen->Click(50, 50);
        Pump();
        screen->AdvanceClock(k.gap);
        screen->Click(50 + k.dx, 50);
        Pump();
        screen->AdvanceClock(10);
        screen->Click(50 + k.dx, 50); // a third click starts over
        Pump();
        auto downs = Of(WM_LBUTTONDOWN, WM_LBUTTONDBLCLK);
        std::vector<UINT> kinds;
        for (const Rec& r : downs) {
            if (r.msg != WM_LBUTTONUP) {
                kinds.push_back(r.msg);
            }
        }
        std::vector<UINT> want = k.dbl ? std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}
                                       : std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN};
        if (!k.dbl) {
            want.push_back(std::string(k.cls) == "rec" ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK);
        }
        EXPECT_EQ(kinds, want) << k.cls << " gap " << k.gap << " dx " << k.dx;
        DestroyWindow(w);
        screen->AdvanceClock(1000);
    }
}

TEST_F(Input, TrackMouseEventPostsOneLeave) {
    HWND p = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 300});
    HWND a = Child(p, WS_VISIBLE, RECT{0, 0, 100, 100}, 1);
    Pump();
    screen->MouseMove(50, 50);
    Pump();
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = a;
    EXPECT_TRUE(TrackMouseEvent(&tme));
    Log().clear();
    screen->MouseMove(60, 60);
    screen->MouseMove(200, 200);
    screen->MouseMove(210, 210);
    Pump();
    auto leaves = Of(WM_MOUSELEAVE, WM_MOUSELEAVE);
    ASSERT_EQ(leaves.size(), 1u);
    EXPECT_EQ(leaves[0].hwnd, a);
    Log().clear();
    TrackMouseEvent(&tme); // not over it any more: the leave comes at once
    Pump();
    EXPECT_EQ(Of(WM_MOUSELEAVE, WM_MOUSELEAVE).size(), 1u);
}

TEST_F(Input, PressesInChildWindowsAreAnnouncedToTheirParents) {
    // p (0,0) > c at (10,10) > g at (5,5): a press at screen (30,30) lies in g.
    struct Case {
        const char* what;
        DWORD noNotifyOn; // 0 none, 1 g, 2 c
        ui::MouseButton button;
        UINT event;
        int notified; // how many parents hear of it
    };
    const Case cases[] = {
        {"left press", 0, ui::MouseButton::Left, WM_LBUTTONDOWN, 2},
        {"right press", 0, ui::MouseButton::Right, WM_RBUTTONDOWN, 2},
        {"middle press", 0, ui::MouseButton::Middle, WM_MBUTTONDOWN, 2},
        {"the pressed window opts out", 1, ui::MouseButton::Left, WM_LBUTTONDOWN, 0},
        {"a parent opts out of passing it on", 2, ui::MouseButton::Left, WM_LBUTTONDOWN, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        SetUp();
        HWND p = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 300});
        HWND c = Child(p, WS_VISIBLE, RECT{10, 10, 200, 200}, 1);
        HWND g = Child(c, WS_VISIBLE, RECT{5, 5, 100, 100}, 2);
        if (k.noNotifyOn) {
            HWND w = k.noNotifyOn == 1 ? g : c;
            SetWindowLongPtr(w, GWL_EXSTYLE, GetWindowLongPtr(w, GWL_EXSTYLE) | WS_EX_NOPARENTNOTIFY);
        }
        Pump();
        Log().clear();
        screen->MouseMove(30, 30);
        screen->MouseDown(k.button);
        screen->MouseUp(k.button);
        Pump();
        std::vector<Rec> got;
        for (const Rec& r : Log()) {
            if (r.msg == WM_PARENTNOTIFY || r.msg == k.event) {
                got.push_back(r);
            }
        }
        ASSERT_EQ(got.size(), std::size_t(k.notified + 1));
        const HWND parents[] = {c, p};
        const POINT where[] = {{20, 20}, {30, 30}}; // in each parent's client area
        for (int i = 0; i < k.notified; ++i) {
            EXPECT_EQ(got[i].hwnd, parents[i]);
            EXPECT_EQ(got[i].msg, UINT(WM_PARENTNOTIFY));
            EXPECT_EQ(got[i].wParam, WPARAM(k.event));
            EXPECT_EQ(GET_X_LPARAM(got[i].lParam), where[i].x);
            EXPECT_EQ(GET_Y_LPARAM(got[i].lParam), where[i].y);
        }
        EXPECT_EQ(got.back().hwnd, g) << "the press itself follows the notifications";
        TearDown();
    }
}

TEST_F(Input, PressesInTheFrameAndDoubleClicksAnnounceAPlainPress) {
    HWND p = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 300});
    HWND c = Child(p, WS_VISIBLE | WS_BORDER, RECT{10, 10, 200, 200}, 1, "recdbl");
    Pump();
    Log().clear();
    screen->Click(10, 10); // on c's border
    screen->Click(50, 50);
    screen->Click(50, 50); // a double-click
    Pump();
    std::vector<Rec> notes;
    for (const Rec& r : Log()) {
        if (r.msg == WM_PARENTNOTIFY) {
            notes.push_back(r);
        }
    }
    ASSERT_EQ(notes.size(), 3u);
    for (const Rec& r : notes) {
        EXPECT_EQ(r.hwnd, p);
        EXPECT_EQ(r.wParam, WPARAM(WM_LBUTTONDOWN));
    }
    EXPECT_FALSE(Of(WM_LBUTTONDBLCLK, WM_LBUTTONDBLCLK).empty());
    auto ncPresses = Of(WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN);
    ASSERT_EQ(ncPresses.size(), 1u);
    EXPECT_EQ(ncPresses[0].hwnd, c);
}

TEST_F(Input, ClickingAnInactiveWindowActivatesIt) {
    HWND a = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    HWND b = Top(WS_POPUP | WS_VISIBLE, RECT{200, 0, 300, 100});
    SetActiveWindow(a);
    Pump();
    Log().clear();
    screen->Click(250, 50);
    Pump();
    std::vector<Rec> keep;
    for (const Rec& r : Log()) {
        if (r.msg != WM_MOUSEMOVE) {
            keep.push_back(r);
        }
    }
    Log() = keep;
    ExpectSequence({E(b, WM_MOUSEACTIVATE), EW(a, WM_NCACTIVATE, FALSE), EW(a, WM_ACTIVATE, WA_INACTIVE),
                    EW(b, WM_NCACTIVATE, TRUE), EW(b, WM_ACTIVATE, WA_CLICKACTIVE), E(a, WM_KILLFOCUS),
                    E(b, WM_SETFOCUS), E(b, WM_LBUTTONDOWN), E(b, WM_LBUTTONUP)});
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDFIRST), b) << "the activated window comes to the top";
}

TEST_F(Input, OwnedWindowsStayAboveTheirActivatedOwner) {
    HWND a = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    HWND drop = Top(WS_POPUP, RECT{0, 90, 100, 150}, "rec", WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, a);
    ShowWindow(drop, SW_SHOWNA);
    HWND b = Top(WS_POPUP | WS_VISIBLE, RECT{200, 0, 300, 100});
    ASSERT_EQ(GetActiveWindow(), b);
    screen->Click(50, 20);
    Pump();
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetTopWindow(nullptr), drop);
    EXPECT_EQ(GetWindow(drop, GW_HWNDNEXT), a);
    EXPECT_EQ(WindowFromPoint(POINT{50, 95}), drop);
    (void)b;
}

TEST_F(Input, SomeWindowsAreNotActivatedByClicks) {
    HWND a = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    HWND popup = Top(WS_POPUP | WS_VISIBLE, RECT{200, 0, 300, 100}, "rec",
                     WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
    HWND c = Top(WS_POPUP, RECT{400, 0, 500, 100});
    EXPECT_EQ(GetActiveWindow(), a) << "shown without activation";
    screen->Click(250, 50);
    Pump();
    EXPECT_EQ(GetActiveWindow(), a);
    CurrentHook() = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
        r = MA_NOACTIVATE;
        return h == c && m == WM_MOUSEACTIVATE;
    };
    ShowWindow(c, SW_SHOWNA);
    screen->Click(450, 50);
    Pump();
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(Of(WM_LBUTTONDOWN, WM_LBUTTONDOWN).back().hwnd, c) << "the click itself still arrives";
    (void)popup;
}

TEST_F(Input, KeysGoToTheFocusAndTextBecomesCharacters) {
    HWND p = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    HWND c = Child(p, WS_VISIBLE, RECT{0, 0, 50, 50});
    SetFocus(c);
    Pump();
    Log().clear();
    screen->KeyDown('A');
    Pump();
    EXPECT_LT(GetKeyState('A'), 0);
    screen->KeyUp('A');
    screen->Text("a\xC3\xA9");
    screen->Key(VK_RETURN);
    Pump();
    EXPECT_GE(GetKeyState('A'), 0);
    ExpectSequence({EW(c, WM_KEYDOWN, 'A'), EW(c, WM_KEYUP, 'A'), EW(c, WM_CHAR, 'a'), EW(c, WM_CHAR, 0xE9),
                    EW(c, WM_KEYDOWN, VK_RETURN), EW(c, WM_CHAR, '\r'), EW(c, WM_KEYUP, VK_RETURN)});
}

TEST_F(Input, AltF4ClosesTheActiveWindow) {
    HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 300, 200});
    Pump();
    Log().clear();
    screen->KeyDown(VK_MENU);
    screen->KeyDown(VK_F4);
    Pump();
    EXPECT_FALSE(IsWindow(w));
    auto sys = Of(WM_SYSKEYDOWN, WM_SYSKEYDOWN);
    ASSERT_EQ(sys.size(), 2u);
    EXPECT_EQ(sys[1].wParam, WPARAM(VK_F4));
}

TEST_F(Input, DisabledWindowsGetNoMouseInput) {
    HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    HWND c = Child(w, WS_VISIBLE, RECT{0, 0, 50, 50});
    EnableWindow(c, FALSE);
    Pump();
    Log().clear();
    screen->Click(10, 10);
    Pump();
    auto downs = Of(WM_LBUTTONDOWN, WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].hwnd, w) << "a disabled child lets its parent have the click";
    EnableWindow(w, FALSE);
    Log().clear();
    screen->Click(10, 10);
    Pump();
    EXPECT_TRUE(Of(WM_LBUTTONDOWN, WM_LBUTTONDOWN).empty());
}

// The wheel goes where the pointer is, whichever window has the focus or the activation; the
// focus gets it only when no window of ours is under the pointer. Each turn is delivered once
// and then climbs the parent chain through DefWindowProc.
TEST_F(Input, TheWheelGoesToTheWindowUnderThePointer) {
    HWND a = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 100});
    HWND list = Child(a, WS_VISIBLE, RECT{100, 0, 200, 100}, 1);
    HWND edit = Child(a, WS_VISIBLE, RECT{0, 0, 100, 50}, 2);
    HWND b = Top(WS_POPUP | WS_VISIBLE, RECT{300, 0, 400, 100}); // another top level, not active
    SetActiveWindow(a);
    SetFocus(edit);
    Pump();
    struct Case {
        POINT pt;
        std::vector<HWND> chain; // who gets WM_MOUSEWHEEL, in order
    } cases[] = {
        {{150, 50}, {list, a}},  // a child that does not have the focus
        {{50, 75}, {a}},         // the parent's own client area
        {{350, 50}, {b}},        // an inactive top-level window
        {{600, 600}, {edit, a}}, // nothing of ours there: the focus
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.pt.x << "," << k.pt.y);
        screen->MouseMove(k.pt.x, k.pt.y);
        Pump();
        Log().clear();
        screen->Wheel(-120);
        Pump();
        auto wheel = Of(WM_MOUSEWHEEL, WM_MOUSEWHEEL);
        ASSERT_EQ(wheel.size(), k.chain.size());
        for (std::size_t i = 0; i < wheel.size(); ++i) {
            EXPECT_EQ(wheel[i].hwnd, k.chain[i]) << "step " << i;
            EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[i].wParam), -120);
            EXPECT_EQ(wheel[i].lParam, MAKELPARAM(k.pt.x, k.pt.y)); // screen coordinates
        }
    }
    // Nothing changed hands: neither the activation nor the focus follows the wheel.
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), edit);
}

TEST_F(Input, TheWheelGoesToTheCaptureAndNeverToADisabledWindow) {
    HWND a = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 100});
    HWND child = Child(a, WS_VISIBLE, RECT{100, 0, 200, 100});
    HWND b = Top(WS_POPUP | WS_VISIBLE, RECT{300, 0, 400, 100});
    Pump();
    screen->MouseMove(350, 50);
    SetCapture(child);
    Pump();
    Log().clear();
    screen->Wheel(120);
    Pump();
    auto wheel = Of(WM_MOUSEWHEEL, WM_MOUSEWHEEL);
    ASSERT_FALSE(wheel.empty());
    EXPECT_EQ(wheel[0].hwnd, child);
    ReleaseCapture();
    // A window that a modal loop disabled takes no wheel, over its children neither.
    EnableWindow(a, FALSE);
    screen->MouseMove(150, 50);
    Pump();
    Log().clear();
    screen->Wheel(120);
    Pump();
    EXPECT_TRUE(Of(WM_MOUSEWHEEL, WM_MOUSEHWHEEL).empty());
    (void)b;
}

// A sideways wheel arrives as WM_MOUSEHWHEEL (positive to the right); Shift turns a vertical turn
// into one (away from the user = to the left), with MK_SHIFT still in the keys.
TEST_F(Input, SidewaysWheelsAndShiftWheelArriveAsHorizontal) {
    HWND a = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 100});
    Pump();
    screen->MouseMove(50, 50);
    Pump();
    struct Case {
        bool sideways, shift;
        int delta;
        UINT msg;
        int delivered;
        WPARAM keys;
    } cases[] = {
        {true, false, 120, WM_MOUSEHWHEEL, 120, 0},
        {true, false, -240, WM_MOUSEHWHEEL, -240, 0},
        {false, true, 120, WM_MOUSEHWHEEL, -120, MK_SHIFT},
        {false, true, -120, WM_MOUSEHWHEEL, 120, MK_SHIFT},
        {false, false, 120, WM_MOUSEWHEEL, 120, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.sideways << k.shift << k.delta);
        if (k.shift) screen->KeyDown(VK_SHIFT);
        Log().clear();
        if (k.sideways) screen->HWheel(k.delta);
        else screen->Wheel(k.delta);
        Pump();
        if (k.shift) screen->KeyUp(VK_SHIFT);
        Pump();
        auto wheel = Of(WM_MOUSEWHEEL, WM_MOUSEHWHEEL);
        ASSERT_EQ(wheel.size(), 1u);
        EXPECT_EQ(wheel[0].hwnd, a);
        EXPECT_EQ(wheel[0].msg, k.msg);
        EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].wParam), k.delivered);
        EXPECT_EQ(LOWORD(wheel[0].wParam), k.keys);
    }
}

// DefWindowProc scrolls a window sideways through its own WM_HSCROLL when its horizontal scroll
// state can move (three lines a notch), and passes the wheel to the parent otherwise.
TEST_F(Input, DefWindowProcScrollsSidewaysOnlyWhereTheStateCanMove) {
    HWND a = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 100});
    HWND wide = Child(a, WS_VISIBLE, RECT{0, 0, 100, 100}, 1);
    HWND narrow = Child(a, WS_VISIBLE, RECT{100, 0, 200, 100}, 2);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    si.nMax = 299;
    si.nPage = 100; // content wider than the page
    SetScrollInfo(wide, SB_HORZ, &si, FALSE);
    si.nMax = 99; // content as wide as the page: nothing to scroll
    SetScrollInfo(narrow, SB_HORZ, &si, FALSE);
    Pump();

    screen->MouseMove(50, 50);
    Pump();
    Log().clear();
    screen->HWheel(240);
    Pump();
    std::vector<Expect> right{E(wide, WM_MOUSEHWHEEL)};
    for (int i = 0; i < 6; ++i)
        right.push_back(EW(wide, WM_HSCROLL, SB_LINERIGHT));
    ExpectSequence(right);

    Log().clear();
    screen->HWheel(-120);
    Pump();
    ExpectSequence({E(wide, WM_MOUSEHWHEEL), EW(wide, WM_HSCROLL, SB_LINELEFT),
                    EW(wide, WM_HSCROLL, SB_LINELEFT), EW(wide, WM_HSCROLL, SB_LINELEFT)});

    screen->MouseMove(150, 50);
    Pump();
    Log().clear();
    screen->HWheel(120);
    Pump();
    ExpectSequence({E(narrow, WM_MOUSEHWHEEL), E(a, WM_MOUSEHWHEEL)});
}

TEST_F(Input, TheDefaultCursorFollowsTheHitCode) {
    HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    Pump();
    struct Case {
        POINT pt;
        int idc;
    } cases[] = {{{101, 200}, 32644}, {{250, 101}, 32645}, {{398, 298}, 32642}, {{200, 110}, 32512}};
    for (const Case& k : cases) {
        screen->MouseMove(k.pt.x, k.pt.y);
        Pump();
        EXPECT_EQ(screen->CursorShape(), k.idc) << k.pt.x << "," << k.pt.y;
    }
    (void)w;
}

} // namespace

namespace {

TEST_F(Input, DroppedFilesGoToTheNearestWindowThatAcceptsThem) {
    HWND top = Top(WS_POPUP | WS_VISIBLE, RECT{100, 100, 400, 300});
    HWND child = Child(top, WS_CHILD | WS_VISIBLE, RECT{10, 10, 110, 60});
    Pump();
    // Nobody accepts files yet: the drop is lost, as on a window that never asked for drops.
    // The drop becomes a posted message, which the next pass of the loop delivers.
    screen->DropFile(150, 130, "/srv/logs/u_ex1301.log");
    Pump();
    Pump();
    EXPECT_TRUE(Of(WM_DROPFILES, WM_DROPFILES).empty());

    DragAcceptFiles(top, TRUE);
    EXPECT_NE(GetWindowLongPtr(top, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    HDROP drop = nullptr;
    CurrentHook() = [&](HWND h, UINT m, WPARAM w, LPARAM, LRESULT& r) {
        if (m != WM_DROPFILES) return false;
        EXPECT_EQ(h, top); // the child under the point does not accept files; its parent does
        drop = reinterpret_cast<HDROP>(w);
        r = 0;
        return true;
    };
    screen->DropFile(150, 130, "/srv/logs/u_ex1301.log");
    Pump();
    Pump();
    ASSERT_NE(drop, nullptr);
    (void)child;
    EXPECT_EQ(DragQueryFile(drop, 0xFFFFFFFFu, nullptr, 0), 1u);
    EXPECT_EQ(DragQueryFile(drop, 0, nullptr, 0), 22u);
    char small[9];
    EXPECT_EQ(DragQueryFile(drop, 0, small, sizeof small), 8u);
    EXPECT_STREQ(small, "/srv/log");
    char full[64];
    EXPECT_EQ(DragQueryFile(drop, 0, full, sizeof full), 22u);
    EXPECT_STREQ(full, "/srv/logs/u_ex1301.log");
    EXPECT_EQ(DragQueryFile(drop, 1, full, sizeof full), 0u);
    POINT pt{};
    EXPECT_TRUE(DragQueryPoint(drop, &pt));
    EXPECT_EQ(pt.x, 50);
    EXPECT_EQ(pt.y, 30);
    DragFinish(drop);
}

} // namespace
