// The move/size loop, maximize / minimize / restore, and the default close button.
#include "UiFixture.h"

using namespace uitest;

namespace {

constexpr UINT kAfterDefault = WM_APP + 2; // logged when DefWindowProc(WM_NCLBUTTONDOWN) returned

class SizeMove : public UiFixture {
protected:
    std::function<void(HWND, UINT, LPARAM)> onMessage;
    void SetUp() override {
        UiFixture::SetUp();
        CurrentHook() = [this](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT& r) {
            if (onMessage) {
                onMessage(h, m, l);
            }
            if (m == WM_NCLBUTTONDOWN) {
                r = DefWindowProc(h, m, w, l);
                Log().push_back(Rec{h, kAfterDefault, 0, 0});
                return true;
            }
            return false;
        };
    }
    std::vector<Rec> Only(std::initializer_list<UINT> msgs) {
        std::vector<Rec> out;
        for (const Rec& r : Log()) {
            for (UINT m : msgs) {
                if (r.msg == m) {
                    out.push_back(r);
                }
            }
        }
        return out;
    }
    RECT Bounds(HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        return r;
    }
};

TEST_F(SizeMove, DraggingTheCaptionRunsTheLoopInOrder) {
    HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    Pump();
    Log().clear();
    screen->MouseMove(150, 110);
    screen->MouseDown();
    screen->MouseMove(170, 130);
    screen->MouseUp();
    Pump();
    auto got = Only({WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_MOVING, WM_WINDOWPOSCHANGING,
                     WM_WINDOWPOSCHANGED, WM_MOVE, WM_CAPTURECHANGED, WM_EXITSIZEMOVE, kAfterDefault,
                     WM_LBUTTONUP, WM_MOUSEMOVE});
    Log() = got;
    ExpectSequence({EW(w, WM_NCLBUTTONDOWN, HTCAPTION), EW(w, WM_SYSCOMMAND, SC_MOVE + HTCAPTION),
                    E(w, WM_ENTERSIZEMOVE), E(w, WM_MOVING), E(w, WM_WINDOWPOSCHANGING),
                    E(w, WM_WINDOWPOSCHANGED), E(w, WM_MOVE), E(w, WM_CAPTURECHANGED), E(w, WM_EXITSIZEMOVE),
                    E(w, kAfterDefault)});
    EXPECT_EQ(Bounds(w), (RECT{120, 120, 420, 320}));
}

TEST_F(SizeMove, AChangedMovingRectangleIsHonoured) {
    HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    Pump();
    onMessage = [](HWND, UINT m, LPARAM l) {
        if (m == WM_MOVING) {
            RECT* r = reinterpret_cast<RECT*>(l);
            int wdt = RectWidth(*r);
            r->left = 0; // pinned to the left edge, free vertically
            r->right = wdt;
        }
    };
    screen->MouseMove(150, 110);
    screen->MouseDown();
    screen->MouseMove(200, 150);
    screen->MouseMove(260, 170);
    screen->MouseUp();
    Pump();
    EXPECT_EQ(Bounds(w), (RECT{0, 160, 300, 360}));
    EXPECT_EQ(Only({WM_MOVING}).size(), 2u);
}

TEST_F(SizeMove, SizingFromACornerKeepsTheMinimumAndEscapeRestores) {
    HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    Pump();
    Log().clear();
    screen->MouseMove(398, 298);
    screen->MouseDown();
    screen->MouseMove(418, 318);
    screen->MouseMove(0, 0);
    screen->MouseUp();
    Pump();
    auto sizing = Only({WM_SIZING});
    ASSERT_EQ(sizing.size(), 2u);
    EXPECT_EQ(sizing[0].wParam, WMSZ_BOTTOMRIGHT);
    EXPECT_EQ(Bounds(w),
              (RECT{100, 100, 100 + GetSystemMetrics(SM_CXMINTRACK), 100 + GetSystemMetrics(SM_CYMINTRACK)}));
    EXPECT_FALSE(Only({WM_SIZE}).empty());

    screen->MouseMove(101, 150);
    screen->MouseDown();
    screen->MouseMove(51, 150);
    screen->KeyDown(VK_ESCAPE);
    screen->MouseUp();
    Pump();
    EXPECT_EQ(Bounds(w),
              (RECT{100, 100, 100 + GetSystemMetrics(SM_CXMINTRACK), 100 + GetSystemMetrics(SM_CYMINTRACK)}));
}

TEST_F(SizeMove, MaximizeFillsTheWorkAreaAndRestoreReturns) {
    HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    Pump();
    Log().clear();
    SendMessage(w, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(w));
    EXPECT_EQ(Bounds(w), (RECT{-4, -4, 1284, 988})) << "the frame lies outside the 1280 x 984 work area";
    auto sizes = Only({WM_SIZE});
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back().wParam, SIZE_MAXIMIZED);
    SendMessage(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsZoomed(w));
    EXPECT_EQ(Bounds(w), (RECT{100, 100, 400, 300}));
    Log().clear();
    SendMessage(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(w));
    EXPECT_TRUE(screen->Native(w->native)->minimized);
    EXPECT_EQ(Only({WM_SIZE}).back().wParam, SIZE_MINIMIZED);
    ShowWindow(w, SW_RESTORE);
    EXPECT_FALSE(IsIconic(w));
    EXPECT_FALSE(screen->Native(w->native)->minimized);
}

TEST_F(SizeMove, TheDefaultCloseButtonClosesOnRelease) {
    HWND w = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    Pump();
    screen->MouseMove(385, 112);
    screen->MouseDown();
    screen->MouseMove(250, 200); // released elsewhere: nothing happens
    screen->MouseUp();
    Pump();
    ASSERT_TRUE(IsWindow(w));
    screen->AdvanceClock(1000); // not a double-click
    screen->MouseMove(385, 112);
    screen->MouseDown();
    screen->MouseUp();
    Pump();
    EXPECT_FALSE(IsWindow(w));
}

} // namespace
