// Message orders of creation, showing, SetWindowPos and destruction; subclassing; the queue,
// cross-thread posting, timers and nested modal loops.
#include "UiFixture.h"

#include "platform/gfx/BmpCodec.h"

#include <chrono>
#include <cstdlib>
#include <thread>

using namespace uitest;

namespace {

class Messages : public UiFixture {};

TEST_F(Messages, CreatingAVisibleTopLevelWindowSendsTheWindowsOrder) {
    HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{10, 10, 310, 210});
    ASSERT_TRUE(w);
    ExpectSequence({E(w, WM_GETMINMAXINFO), E(w, WM_NCCREATE), EW(w, WM_NCCALCSIZE, FALSE), E(w, WM_CREATE),
                    E(w, WM_SIZE), E(w, WM_MOVE), EW(w, WM_SHOWWINDOW, TRUE), E(w, WM_WINDOWPOSCHANGING),
                    EW(w, WM_ACTIVATEAPP, TRUE), EW(w, WM_NCACTIVATE, TRUE), EW(w, WM_ACTIVATE, WA_ACTIVE),
                    E(w, WM_SETFOCUS), E(w, WM_WINDOWPOSCHANGED)},
                   false, {WM_GETMINMAXINFO});
    EXPECT_EQ(GetActiveWindow(), w);
    EXPECT_EQ(GetFocus(), w);
}

TEST_F(Messages, CreatingAChildNotifiesItsParentBeforeShowing) {
    HWND p = Top(WS_POPUP, RECT{0, 0, 200, 200});
    Log().clear();
    HWND c = Child(p, WS_VISIBLE, RECT{5, 5, 50, 50}, 42);
    ExpectSequence({E(c, WM_NCCREATE), E(c, WM_NCCALCSIZE), E(c, WM_CREATE), E(c, WM_SIZE), E(c, WM_MOVE),
                    EW(p, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 42)), E(c, WM_SHOWWINDOW),
                    E(c, WM_WINDOWPOSCHANGING), E(c, WM_WINDOWPOSCHANGED)});
    EXPECT_EQ(reinterpret_cast<HWND>(Log()[5].lParam), c);
    EXPECT_EQ(GetDlgCtrlID(c), 42);
    EXPECT_EQ(GetParent(c), p);
}

TEST_F(Messages, DestroyGoesParentFirstAndFreesChildFirst) {
    HWND p = Top(WS_POPUP, RECT{0, 0, 200, 200});
    HWND c = Child(p, WS_VISIBLE, RECT{5, 5, 50, 50});
    HWND g = Child(c, WS_VISIBLE, RECT{1, 1, 10, 10});
    Log().clear();
    EXPECT_TRUE(DestroyWindow(p));
    ExpectSequence({E(p, WM_DESTROY), E(c, WM_DESTROY), E(g, WM_DESTROY), E(g, WM_NCDESTROY),
                    E(c, WM_NCDESTROY), E(p, WM_NCDESTROY)});
    EXPECT_FALSE(IsWindow(p));
    EXPECT_FALSE(IsWindow(g));
    EXPECT_FALSE(DestroyWindow(p));
}

TEST_F(Messages, DestroyingAVisibleChildNotifiesHidesAndDestroys) {
    HWND p = Top(WS_POPUP, RECT{0, 0, 200, 200});
    HWND c = Child(p, WS_VISIBLE, RECT{5, 5, 50, 50}, 7);
    Log().clear();
    DestroyWindow(c);
    ExpectSequence({EW(p, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, 7)), E(c, WM_WINDOWPOSCHANGING),
                    E(c, WM_WINDOWPOSCHANGED), E(c, WM_DESTROY), E(c, WM_NCDESTROY)});
    EXPECT_EQ(GetWindow(p, GW_CHILD), nullptr);
}

TEST_F(Messages, WindowPosChangingMayRewriteTheRecord) {
    HWND p = Top(WS_POPUP, RECT{0, 0, 300, 300});
    HWND c = Child(p, WS_VISIBLE, RECT{0, 0, 50, 50});
    CurrentHook() = [&](HWND h, UINT m, WPARAM, LPARAM l, LRESULT&) {
        if (h == c && m == WM_WINDOWPOSCHANGING) {
            reinterpret_cast<WINDOWPOS*>(l)->cx = 123;
        }
        return false;
    };
    Log().clear();
    SetWindowPos(c, nullptr, 10, 20, 80, 90, SWP_NOZORDER);
    ExpectSequence({E(c, WM_WINDOWPOSCHANGING), EW(c, WM_NCCALCSIZE, TRUE), E(c, WM_WINDOWPOSCHANGED),
                    E(c, WM_MOVE), EW(c, WM_SIZE, SIZE_RESTORED)});
    EXPECT_EQ(Log().back().lParam, MAKELPARAM(123, 90));
    RECT r;
    GetWindowRect(c, &r);
    EXPECT_EQ(r, (RECT{10, 20, 133, 110}));
}

TEST_F(Messages, MovingOnlySendsNoSize) {
    HWND p = Top(WS_POPUP, RECT{0, 0, 300, 300});
    HWND c = Child(p, WS_VISIBLE, RECT{0, 0, 50, 50});
    Log().clear();
    MoveWindow(c, 5, 5, 50, 50, TRUE);
    ExpectSequence({E(c, WM_WINDOWPOSCHANGING), E(c, WM_WINDOWPOSCHANGED), E(c, WM_MOVE)});
    EXPECT_EQ(Log().back().lParam, MAKELPARAM(5, 5));
}

TEST_F(Messages, TheProcedureDecidesTheClientRectangle) {
    CurrentHook() = [](HWND, UINT m, WPARAM w, LPARAM l, LRESULT& r) {
        if (m != WM_NCCALCSIZE) {
            return false;
        }
        RECT& rc = w ? reinterpret_cast<NCCALCSIZE_PARAMS*>(l)->rgrc[0] : *reinterpret_cast<RECT*>(l);
        rc.left += 4;
        rc.top += 27;
        rc.right -= 4;
        rc.bottom -= 4;
        r = 0;
        return true;
    };
    HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{100, 100, 400, 300});
    RECT c;
    GetClientRect(w, &c);
    EXPECT_EQ(c, (RECT{0, 0, 292, 169}));
    POINT pt{0, 0};
    ClientToScreen(w, &pt);
    EXPECT_EQ(pt, (POINT{104, 127}));
    SetWindowPos(w, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(w, &c);
    EXPECT_EQ(c, (RECT{0, 0, 192, 69}));
}

TEST_F(Messages, TheDefaultFrameIsWhatGetSystemMetricsReports) {
    const int frame = GetSystemMetrics(SM_CXFRAME);
    const int dialog = GetSystemMetrics(SM_CXDLGFRAME);
    const int border = GetSystemMetrics(SM_CXBORDER);
    const int edge = GetSystemMetrics(SM_CXEDGE);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    const int small = GetSystemMetrics(SM_CYSMCAPTION);
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    struct Case {
        DWORD style, ex;
        RECT insets; // left, top, right, bottom of the frame
    } const cases[] = {
        {WS_POPUP | WS_THICKFRAME, 0, {frame, frame, frame, frame}},
        {WS_OVERLAPPEDWINDOW, 0, {frame, frame + caption, frame, frame}},
        {WS_POPUP | WS_CAPTION, 0, {dialog, dialog + caption, dialog, dialog}},
        {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, {dialog, dialog + small, dialog, dialog}},
        {WS_POPUP | WS_BORDER,
         WS_EX_CLIENTEDGE,
         {border + edge, border + edge, border + edge, border + edge}},
        {WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, {0, 0, bar, GetSystemMetrics(SM_CYHSCROLL)}},
    };
    for (const Case& k : cases) {
        HWND w = Top(k.style, RECT{0, 0, 300, 200}, "rec", k.ex);
        RECT c;
        GetClientRect(w, &c);
        POINT o{0, 0};
        ClientToScreen(w, &o);
        RECT want{k.insets.left, k.insets.top, 300 - k.insets.right, 200 - k.insets.bottom};
        EXPECT_EQ(OffsetRect(c, o.x, o.y), want) << std::hex << k.style << " " << k.ex;
        DestroyWindow(w);
    }
    EXPECT_EQ(GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CXMIN));
}

TEST_F(Messages, DefaultClientRectanglesFollowTheStyles) {
    struct Case {
        DWORD style;
        bool child;
        RECT client; // in window coordinates
    } cases[] = {
        {WS_POPUP, false, {0, 0, 150, 80}},
        {WS_POPUP | WS_CAPTION, false, {3, 21, 147, 77}},
        {WS_OVERLAPPEDWINDOW, false, {4, 22, 146, 76}},
        {WS_BORDER, true, {1, 1, 149, 79}},
        {WS_VSCROLL, true, {0, 0, 134, 80}},
        {0, true, {0, 0, 150, 80}},
    };
    HWND p = Top(WS_POPUP, RECT{0, 0, 500, 500});
    for (const Case& k : cases) {
        HWND w = k.child ? Child(p, k.style, RECT{0, 0, 150, 80}) : Top(k.style, RECT{0, 0, 150, 80});
        RECT c;
        GetClientRect(w, &c);
        POINT o{0, 0};
        ClientToScreen(w, &o);
        RECT wr;
        GetWindowRect(w, &wr);
        EXPECT_EQ(OffsetRect(c, o.x - wr.left, o.y - wr.top), k.client) << std::hex << k.style;
        RECT adj = k.client;
        AdjustWindowRectEx(&adj, k.style, FALSE, 0);
        EXPECT_EQ(adj, (RECT{0, 0, 150, 80})) << std::hex << k.style;
    }
}

TEST_F(Messages, TopLevelSizesKeepTheMinimumTrackingSize) {
    HWND w = Top(WS_OVERLAPPEDWINDOW, RECT{0, 0, 50, 10});
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(RectWidth(r), GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ(RectHeight(r), GetSystemMetrics(SM_CYMINTRACK));
    CurrentHook() = [](HWND, UINT m, WPARAM, LPARAM l, LRESULT&) {
        if (m == WM_GETMINMAXINFO) {
            reinterpret_cast<MINMAXINFO*>(l)->ptMaxTrackSize = POINT{300, 200};
        }
        return false;
    };
    SetWindowPos(w, nullptr, 0, 0, 900, 900, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(w, &r);
    EXPECT_EQ(RectWidth(r), 300);
    EXPECT_EQ(RectHeight(r), 200);
    HWND popup = Top(WS_POPUP, RECT{0, 0, 50, 10}); // popups without a sizing frame are exempt
    GetWindowRect(popup, &r);
    EXPECT_EQ(RectWidth(r), 50);
    for (int unused : {0}) {
        (void)unused;
    }
}

WNDPROC g_saved = nullptr;
LRESULT SubclassProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    Log().push_back(Rec{h, WM_APP + 1, m, 0});
    if (m == WM_USER + 1) {
        return 7 + CallWindowProc(g_saved, h, m, w, l);
    }
    return CallWindowProc(g_saved, h, m, w, l);
}

TEST_F(Messages, SubclassingChainsToTheSavedProcedure) {
    HWND w = Top(WS_POPUP, RECT{0, 0, 10, 10});
    g_saved = reinterpret_cast<WNDPROC>(GetWindowLongPtr(w, GWL_WNDPROC));
    EXPECT_EQ(g_saved, &RecordProc);
    LONG_PTR old = SetWindowLongPtr(w, GWL_WNDPROC, LONG_PTR(reinterpret_cast<std::intptr_t>(&SubclassProc)));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(old), &RecordProc);
    CurrentHook() = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        r = 1;
        return m == WM_USER + 1;
    };
    Log().clear();
    EXPECT_EQ(SendMessage(w, WM_USER + 1, 0, 0), 8);
    ASSERT_EQ(Log().size(), 2u);
    EXPECT_EQ(Log()[0].msg, WM_APP + 1u); // the new procedure first
    EXPECT_EQ(Log()[1].msg, WM_USER + 1u);
    SetWindowLongPtr(w, GWL_WNDPROC, old);
    Log().clear();
    SendMessage(w, WM_USER + 1, 0, 0);
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].msg, WM_USER + 1u);
}

TEST_F(Messages, SentMessagesRunAtOncePostedOnesFromTheLoop) {
    HWND w = Top(WS_POPUP, RECT{0, 0, 10, 10});
    Pump();
    Log().clear();
    PostMessage(w, WM_USER + 1, 1, 0);
    SendMessage(w, WM_USER + 2, 2, 0);
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].msg, WM_USER + 2u);
    Pump();
    ASSERT_EQ(Log().size(), 2u);
    EXPECT_EQ(Log()[1].msg, WM_USER + 1u);
    PostMessage(w, WM_USER + 3, 0, 0);
    DestroyWindow(w);
    MSG m;
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) << "messages for a destroyed window are dropped";
}

TEST_F(Messages, PeekMessageFiltersAndCanLeaveTheMessage) {
    HWND a = Top(WS_POPUP, RECT{0, 0, 10, 10});
    HWND b = Top(WS_POPUP, RECT{0, 0, 10, 10});
    PostMessage(a, WM_USER + 1, 0, 0);
    PostMessage(b, WM_USER + 2, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_USER + 2u);
    ASSERT_TRUE(PeekMessage(&m, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE));
    EXPECT_EQ(m.hwnd, b);
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, a);
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, PostingFromAWorkerThreadWakesTheLoop) {
    std::thread worker([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        PostMessage(nullptr, WM_USER + 9, 99, 0);
    });
    MSG m;
    BOOL got = GetMessage(&m, nullptr, 0, 0);
    worker.join();
    EXPECT_TRUE(got);
    EXPECT_EQ(m.message, WM_USER + 9u);
    EXPECT_EQ(m.wParam, 99u);
}

TEST_F(Messages, AFilteredWaitSleepsThroughTimersItCannotReturn) {
    HWND a = Top(WS_POPUP, RECT{0, 0, 10, 10});
    HWND b = Top(WS_POPUP, RECT{20, 0, 30, 10});
    Pump();
    SetTimer(a, 1, 10, nullptr);
    screen->AdvanceClock(50); // a's timer is due, but the loops below only take b's or keys
    struct Wait {
        HWND filter;
        UINT min, max;
        UINT post;
    } const waits[] = {{b, 0, 0, WM_USER + 1}, {nullptr, WM_KEYFIRST, WM_KEYLAST, WM_KEYDOWN}};
    for (const Wait& k : waits) {
        std::thread worker([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            PostMessage(b, k.post, 0, 0);
        });
        std::size_t before = screen->Polls();
        MSG m;
        GetMessage(&m, k.filter, k.min, k.max);
        worker.join();
        EXPECT_EQ(m.message, k.post);
        EXPECT_LT(screen->Polls() - before, 10u) << "the wait spun on a timer it cannot return";
    }
}

TEST_F(Messages, QuitEndsGetMessageAfterPostedMessages) {
    PostMessage(nullptr, WM_USER, 0, 0);
    PostQuitMessage(3);
    MSG m;
    EXPECT_TRUE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_USER);
    EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.wParam, 3u);
}

TEST_F(Messages, TimersFireAfterTheirIntervalUntilKilled) {
    HWND w = Top(WS_POPUP, RECT{0, 0, 10, 10});
    Pump();
    SetTimer(w, 7, 100, nullptr);
    auto timers = [&] {
        Pump();
        int n = 0;
        for (const Rec& r : Log()) {
            n += r.msg == WM_TIMER && r.wParam == 7;
        }
        Log().clear();
        return n;
    };
    screen->AdvanceClock(99);
    EXPECT_EQ(timers(), 0);
    screen->AdvanceClock(1);
    EXPECT_EQ(timers(), 1);
    EXPECT_EQ(timers(), 0);
    screen->AdvanceClock(250); // late ticks do not pile up
    EXPECT_EQ(timers(), 1);
    SetTimer(w, 7, 10, nullptr); // re-arming keeps one timer with the new interval
    screen->AdvanceClock(10);
    EXPECT_EQ(timers(), 1);
    EXPECT_TRUE(KillTimer(w, 7));
    screen->AdvanceClock(500);
    EXPECT_EQ(timers(), 0);
    EXPECT_FALSE(KillTimer(w, 7));
}

int g_ticks = 0;
void CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }

TEST_F(Messages, WaitingForATimerLetsVirtualTimePass) {
    g_ticks = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 250, CountTick);
    ASSERT_NE(id, 0u);
    DWORD before = GetTickCount();
    MSG m;
    ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_TIMER);
    DispatchMessage(&m);
    EXPECT_EQ(g_ticks, 1);
    EXPECT_EQ(GetTickCount() - before, 250u);
    KillTimer(nullptr, id);
}

// --- Modal loops ---

bool g_iconIsRed = false;
bool g_textDrawn = false;

void InspectErrorBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto* screen = static_cast<ui::HeadlessBackend*>(&ui::WS().backend());
    HWND box = FindWindow("#32770", "Failure");
    if (box) {
        gfx::Bitmap px = screen->ReadWindow(box->native);
        POINT c{0, 0};
        ClientToScreen(box, &c);
        RECT wr;
        GetWindowRect(box, &wr);
        int ox = c.x - wr.left, oy = c.y - wr.top;
        g_iconIsRed = px.GetPixel(ox + 12 + 16, oy + 12 + 6) == gfx::ColorToPixel(RGB(204, 0, 0));
        int dark = 0;
        for (int y = oy + 12; y < oy + 44; ++y) {
            for (int x = ox + 56; x < px.Width() - 12; ++x) {
                gfx::Pixel p = px.GetPixel(x, y); // black text, antialiased
                dark += ((p >> 16) & 0xFF) < 100 && ((p >> 8) & 0xFF) < 100 && (p & 0xFF) < 100;
            }
        }
        g_textDrawn = dark > 10;
        if (std::getenv("IISLOG_DUMP")) {
            gfx::SaveBmpFile(std::getenv("IISLOG_DUMP"), px);
        }
    }
    screen->Key(VK_ESCAPE);
}

TEST_F(Messages, MessageBoxDrawsItsIconAndTextAndEscapeAnswersOk) {
    SetTimer(nullptr, 0, 10, InspectErrorBox);
    EXPECT_EQ(
        MessageBox(nullptr, "Cannot open file \"x.log\". Access denied.", "Failure", MB_OK | MB_ICONERROR),
        IDOK);
    EXPECT_TRUE(g_iconIsRed);
    EXPECT_TRUE(g_textDrawn);
}

HWND g_owner = nullptr;
bool g_ownerDisabledInside = false;
int g_innerResult = 0;

void AnswerBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto* screen = static_cast<ui::HeadlessBackend*>(&ui::WS().backend());
    g_ownerDisabledInside = !IsWindowEnabled(g_owner) && FindWindow("#32770", "Question");
    screen->Key(VK_ESCAPE);
}

TEST_F(Messages, MessageBoxIsModalAndEscapeCancels) {
    g_owner = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 400, 300});
    SetTimer(nullptr, 0, 10, AnswerBox);
    int r = MessageBox(g_owner, "Go on?", "Question", MB_OKCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(r, IDCANCEL);
    EXPECT_TRUE(g_ownerDisabledInside);
    EXPECT_TRUE(IsWindowEnabled(g_owner));
    EXPECT_EQ(GetActiveWindow(), g_owner);
    EXPECT_EQ(FindWindow("#32770", nullptr), nullptr);
}

void CheckBothDisabled(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND outer = FindWindow("#32770", "Outer");
    g_ownerDisabledInside = outer && !IsWindowEnabled(outer) && !IsWindowEnabled(g_owner) &&
                            GetActiveWindow() == FindWindow("#32770", "Inner");
    static_cast<ui::HeadlessBackend*>(&ui::WS().backend())->Key(VK_RETURN); // answers the inner box
}

void OpenInnerBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    SetTimer(nullptr, 0, 10, CheckBothDisabled);
    g_innerResult = MessageBox(FindWindow("#32770", "Outer"), "Inner", "Inner", MB_OK | MB_ICONWARNING);
    static_cast<ui::HeadlessBackend*>(&ui::WS().backend())->Key(VK_RETURN); // then the outer one
}

TEST_F(Messages, NestedMessageBoxesDisableTheirOwnersInTurn) {
    g_owner = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 400, 300});
    g_ownerDisabledInside = false;
    SetTimer(nullptr, 0, 10, OpenInnerBox);
    int outer = MessageBox(g_owner, "Outer", "Outer", MB_OKCANCEL | MB_ICONINFORMATION);
    EXPECT_EQ(g_innerResult, IDOK);
    EXPECT_EQ(outer, IDOK);
    EXPECT_TRUE(g_ownerDisabledInside);
    EXPECT_TRUE(IsWindowEnabled(g_owner));
}

} // namespace
