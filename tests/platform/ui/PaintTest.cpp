// The paint cycle: update regions and the erase/paint order, clipping between siblings and
// children, window regions, the default frame, opacity and presenting only what changed.
#include "UiFixture.h"

#include <algorithm>
#include <map>

using namespace uitest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGray = RGB(128, 128, 128);

gfx::Pixel Px(COLORREF c) { return gfx::ColorToPixel(c); }
gfx::Pixel Sys(int index) { return gfx::ColorToPixel(GetSysColor(index)); }

class Paint : public UiFixture {
protected:
    // Each window paints its whole client area in its colour.
    std::map<HWND, COLORREF> colour;
    void SetUp() override {
        UiFixture::SetUp();
        CurrentHook() = [this](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
            if (m != WM_PAINT || !colour.count(h)) {
                return false;
            }
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            RECT c;
            GetClientRect(h, &c);
            HBRUSH b = CreateSolidBrush(colour[h]);
            FillRect(dc, &c, b);
            DeleteObject(b);
            EndPaint(h, &ps);
            r = 0;
            return true;
        };
    }
    void Fill(HWND h, COLORREF c) {
        HDC dc = GetDC(h);
        RECT r;
        GetClientRect(h, &r);
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc, &r, b);
        DeleteObject(b);
        ReleaseDC(h, dc);
        Pump();
    }
};

TEST_F(Paint, EraseComesBeforePaintAndCoversTheUpdateRectangle) {
    HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    Pump();
    Log().clear();
    RECT r{10, 10, 20, 30};
    InvalidateRect(w, &r, TRUE);
    RECT u;
    EXPECT_TRUE(GetUpdateRect(w, &u, FALSE));
    EXPECT_EQ(u, r);
    RECT seen{};
    CurrentHook() = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& res) {
        if (m != WM_PAINT) {
            return false;
        }
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        seen = ps.rcPaint;
        EndPaint(h, &ps);
        res = 0;
        return true;
    };
    UpdateWindow(w);
    ExpectSequence({E(w, WM_PAINT), E(w, WM_ERASEBKGND)}, false, {WM_PAINT, WM_ERASEBKGND});
    EXPECT_EQ(seen, r);
    EXPECT_FALSE(GetUpdateRect(w, &u, FALSE));
}

TEST_F(Paint, ValidatingCancelsThePaint) {
    HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    Pump();
    InvalidateRect(w, nullptr, FALSE);
    ValidateRect(w, nullptr);
    Log().clear();
    Pump();
    ExpectSequence({}, false, {WM_PAINT, WM_ERASEBKGND});
}

TEST_F(Paint, ParentsPaintBeforeTheirChildren) {
    HWND p = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    HWND c = Child(p, WS_VISIBLE, RECT{10, 10, 50, 50});
    Log().clear();
    Pump();
    // BeginPaint sends the frame and erase messages from inside WM_PAINT.
    ExpectSequence({E(p, WM_PAINT), E(p, WM_NCPAINT), E(p, WM_ERASEBKGND), E(c, WM_PAINT), E(c, WM_NCPAINT),
                    E(c, WM_ERASEBKGND)},
                   false, {WM_PAINT, WM_ERASEBKGND, WM_NCPAINT});
}

TEST_F(Paint, SiblingsClipOnlyWithClipSiblings) {
    struct Case {
        DWORD style;
        gfx::Pixel overlap; // where the lower sibling lies under the upper one
    } cases[] = {{WS_CLIPSIBLINGS, Px(kRed)}, {0, Px(kGreen)}};
    for (const Case& k : cases) {
        HWND p = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 200});
        HWND upper = Child(p, WS_VISIBLE | WS_CLIPSIBLINGS, RECT{0, 0, 100, 100}, 1);
        HWND lower = Child(p, WS_VISIBLE | k.style, RECT{50, 50, 150, 150}, 2);
        colour = {{p, kGray}, {upper, kRed}, {lower, kGreen}};
        Pump();
        ASSERT_EQ(GetWindow(p, GW_CHILD), upper) << "older siblings stay on top";
        EXPECT_EQ(ScreenPixel(75, 75), Px(kRed));
        InvalidateRect(lower, nullptr, TRUE);
        UpdateWindow(lower);
        EXPECT_EQ(ScreenPixel(75, 75), k.overlap) << std::hex << k.style;
        EXPECT_EQ(ScreenPixel(125, 125), Px(kGreen));
        EXPECT_EQ(ScreenPixel(20, 180), Px(kGray));
        DestroyWindow(p);
    }
}

TEST_F(Paint, ParentDrawingSparesChildrenOnlyWithClipChildren) {
    struct Case {
        DWORD style;
        gfx::Pixel child;
    } cases[] = {{WS_CLIPCHILDREN, Px(kGreen)}, {0, Px(kRed)}};
    for (const Case& k : cases) {
        HWND p = Top(WS_POPUP | WS_VISIBLE | k.style, RECT{0, 0, 200, 200});
        HWND c = Child(p, WS_VISIBLE, RECT{20, 20, 60, 60});
        colour = {{p, kGray}, {c, kGreen}};
        Pump();
        Fill(p, kRed);
        EXPECT_EQ(ScreenPixel(30, 30), k.child) << std::hex << k.style;
        EXPECT_EQ(ScreenPixel(100, 100), Px(kRed));
        DestroyWindow(p);
    }
}

TEST_F(Paint, ChildrenAreClippedToTheirParentsClientArea) {
    HWND p = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 200});
    HWND box = Child(p, WS_VISIBLE | WS_BORDER, RECT{10, 10, 60, 60});
    HWND inner = Child(box, WS_VISIBLE, RECT{-20, -20, 100, 100});
    colour = {{p, kGray}, {box, kBlue}, {inner, kGreen}};
    Pump();
    EXPECT_EQ(ScreenPixel(30, 30), Px(kGreen));
    EXPECT_EQ(ScreenPixel(10, 10), Sys(COLOR_WINDOWFRAME)) << "the border is outside the client area";
    EXPECT_EQ(ScreenPixel(70, 70), Px(kGray));
}

TEST_F(Paint, WindowRegionsClipPaintingAndHitTesting) {
    HWND p = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 200});
    HWND c = Child(p, WS_VISIBLE, RECT{0, 0, 100, 100});
    colour = {{p, kGray}, {c, kBlue}};
    EXPECT_EQ(SetWindowRgn(c, CreateRectRgn(0, 0, 50, 100), TRUE), 1);
    Pump();
    EXPECT_EQ(ScreenPixel(25, 50), Px(kBlue));
    EXPECT_EQ(ScreenPixel(75, 50), Px(kGray));
    EXPECT_EQ(WindowFromPoint(POINT{75, 50}), p);
    EXPECT_EQ(WindowFromPoint(POINT{25, 50}), c);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(c, copy), SIMPLEREGION);
    RECT box;
    GetRgnBox(copy, &box);
    EXPECT_EQ(box, (RECT{0, 0, 50, 100}));
    DeleteObject(copy);
    SetWindowRgn(c, nullptr, TRUE);
    Pump();
    EXPECT_EQ(ScreenPixel(75, 50), Px(kBlue));
}

TEST_F(Paint, TopLevelRegionsShapeTheWindowOnScreen) {
    HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{100, 100, 200, 200});
    colour = {{w, kBlue}};
    HRGN r = CreateRectRgn(0, 0, 100, 100);
    HRGN hole = CreateRectRgn(40, 40, 60, 60);
    CombineRgn(r, r, hole, RGN_DIFF);
    DeleteObject(hole);
    SetWindowRgn(w, r, TRUE);
    Pump();
    EXPECT_EQ(ScreenPixel(110, 110), Px(kBlue));
    EXPECT_EQ(ScreenPixel(150, 150), ui::HeadlessConfig{}.desktop);
    EXPECT_EQ(WindowFromPoint(POINT{150, 150}), nullptr);
}

TEST_F(Paint, AWindowOwnsTheRegionItWasGiven) {
    HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{100, 100, 200, 200});
    colour = {{w, kBlue}};
    HRGN r = CreateRectRgn(0, 0, 50, 100);
    SetWindowRgn(w, r, TRUE);
    // Deleting it again is the caller's fault: a debug build stops there; otherwise the
    // deletion is refused and the window keeps its shape.
    EXPECT_DEBUG_DEATH(EXPECT_FALSE(DeleteObject(r)), "the window owns it");
    Pump();
    EXPECT_EQ(ScreenPixel(120, 150), Px(kBlue));
    EXPECT_EQ(ScreenPixel(170, 150), ui::HeadlessConfig{}.desktop);
    // Replacing and destroying free what the window owned (the sanitizer build sees any leak
    // or double free).
    SetWindowRgn(w, CreateRectRgn(0, 0, 80, 80), FALSE);
    DestroyWindow(w);
}

TEST_F(Paint, LayeredWindowsBlendWithWhatIsBelow) {
    HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50}, "rec", WS_EX_LAYERED);
    colour = {{w, RGB(255, 255, 255)}};
    EXPECT_TRUE(SetLayeredWindowAttributes(w, 0, 0, LWA_ALPHA));
    Pump();
    EXPECT_EQ(ScreenPixel(10, 10), ui::HeadlessConfig{}.desktop);
    SetLayeredWindowAttributes(w, 0, 255, LWA_ALPHA);
    EXPECT_EQ(ScreenPixel(10, 10), 0xFFFFFFu & 0x00FFFFFF);
    SetLayeredWindowAttributes(w, 0, 128, LWA_ALPHA);
    gfx::Pixel p = ScreenPixel(10, 10);
    EXPECT_EQ((p >> 16) & 0xFF, (255u * 128 + 0 * 127 + 127) / 255); // red over a desktop without red
    // Leaving the layered style makes the window opaque again.
    SetWindowLongPtr(w, GWL_EXSTYLE, 0);
    EXPECT_EQ(ScreenPixel(10, 10), 0x00FFFFFFu);
    EXPECT_FALSE(SetLayeredWindowAttributes(w, 0, 10, LWA_ALPHA));
}

TEST_F(Paint, TheDefaultFrameShowsActivation) {
    Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 300, 200});
    Pump();
    EXPECT_EQ(ScreenPixel(60, 10), Sys(COLOR_ACTIVECAPTION));
    EXPECT_EQ(ScreenPixel(0, 100), Sys(COLOR_3DLIGHT));
    EXPECT_EQ(ScreenPixel(150, 100), Sys(COLOR_WINDOW)) << "the class brush erased the client";
    HWND b = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{400, 0, 700, 200});
    Pump();
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(ScreenPixel(60, 10), Sys(COLOR_INACTIVECAPTION));
    EXPECT_EQ(ScreenPixel(460, 10), Sys(COLOR_ACTIVECAPTION));
}

TEST_F(Paint, OnlyTheChangedAreaIsPresented) {
    HWND w = Top(WS_POPUP | WS_VISIBLE | WS_BORDER, RECT{0, 0, 100, 100});
    colour = {{w, kBlue}};
    Pump();
    const auto* native = screen->Native(w->native);
    ASSERT_TRUE(native);
    int before = native->presents;
    RECT r{10, 10, 20, 20};
    InvalidateRect(w, &r, FALSE);
    Pump();
    EXPECT_EQ(native->presents, before + 1);
    EXPECT_EQ(native->lastDirty, (RECT{11, 11, 21, 21})) << "client coordinates plus the border";
}

TEST_F(Paint, TheScreenDCIsAMemoryDCForMeasuring) {
    HDC dc = GetDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(WindowFromDC(dc), nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(dc, 4, 4);
    EXPECT_NE(bmp, nullptr);
    DeleteObject(bmp);
    EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
    EXPECT_EQ(ReleaseDC(nullptr, dc), 0);
}

TEST_F(Paint, ResizingRepaintsTheWholeWindow) {
    HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    colour = {{w, kBlue}};
    Pump();
    SetWindowPos(w, nullptr, 0, 0, 150, 120, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(ScreenPixel(140, 110), Px(kBlue));
    EXPECT_EQ(screen->ReadWindow(w->native).Width(), 150);
}

} // namespace

// Invalidating again between two paints adds exactly what is new: more area, the erase, the
// frame, or the children's share, and nothing when everything asked for is already pending.
TEST_F(Paint, InvalidatingAgainAddsOnlyWhatIsNew) {
    const RECT whole{0, 0, 100, 100};
    struct Case {
        const char* what;
        const RECT* first;
        BOOL firstErase;
        const RECT* second;
        UINT secondFlags;
        RECT update;
        bool erase, frame;
    };
    const RECT small{20, 20, 30, 30};
    const RECT big{10, 10, 50, 50};
    const RECT apart{60, 60, 70, 70};
    const Case cases[] = {
        {"whole again", nullptr, TRUE, nullptr, RDW_INVALIDATE | RDW_ERASE, whole, true, false},
        {"now with erase", nullptr, FALSE, nullptr, RDW_INVALIDATE | RDW_ERASE, whole, true, false},
        {"inside, no erase", &big, TRUE, &small, RDW_INVALIDATE, big, true, false},
        {"inside, erase added", &big, FALSE, &small, RDW_INVALIDATE | RDW_ERASE, big, true, false},
        {"apart", &small, FALSE, &apart, RDW_INVALIDATE, RECT{20, 20, 70, 70}, false, false},
        {"larger", &small, FALSE, &big, RDW_INVALIDATE, big, false, false},
        {"frame added", nullptr, FALSE, nullptr, RDW_INVALIDATE | RDW_FRAME, whole, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HWND w = Top(WS_POPUP | WS_VISIBLE, whole);
        Pump();
        InvalidateRect(w, c.first, c.firstErase);
        RedrawWindow(w, c.second, nullptr, c.secondFlags);
        RECT u{};
        GetUpdateRect(w, &u, FALSE);
        EXPECT_EQ(u, c.update);
        Log().clear();
        UpdateWindow(w);
        auto sent = [](HWND h, UINT m) {
            return std::any_of(Log().begin(), Log().end(),
                               [&](const Rec& r) { return r.hwnd == h && r.msg == m; });
        };
        EXPECT_EQ(sent(w, WM_ERASEBKGND), c.erase);
        EXPECT_EQ(sent(w, WM_NCPAINT), c.frame);
        DestroyWindow(w);
    }
    // Without WS_CLIPCHILDREN the parent's invalidation reaches a child that was painted since.
    HWND p = Top(WS_POPUP | WS_VISIBLE, whole);
    HWND child = Child(p, WS_VISIBLE, RECT{10, 10, 50, 50});
    Pump();
    InvalidateRect(p, nullptr, TRUE);
    ValidateRect(child, nullptr);
    InvalidateRect(p, nullptr, TRUE);
    EXPECT_TRUE(GetUpdateRect(child, nullptr, FALSE));
}

// The caret is drawn by inverting its rectangle: it appears only when every HideCaret has been
// undone (a new caret starts hidden once), moves without leaving a trace, and its owner's
// pixels come back when it is destroyed.
TEST_F(Paint, TheCaretInvertsItsRectangleWhileShownAndHidingNests) {
    HWND w = Top(WS_POPUP | WS_VISIBLE, RECT{0, 0, 60, 40});
    colour[w] = kRed;
    Pump();
    const gfx::Pixel red = Px(kRed);
    const gfx::Pixel inverted = Px(RGB(0, 255, 255));
    ASSERT_TRUE(CreateCaret(w, nullptr, 2, 10));
    ASSERT_TRUE(SetCaretPos(10, 5));
    Pump();
    EXPECT_EQ(ScreenPixel(10, 5), red) << "a new caret starts hidden";
    ShowCaret(w);
    Pump();
    EXPECT_EQ(ScreenPixel(10, 5), inverted);
    EXPECT_EQ(ScreenPixel(11, 14), inverted);
    EXPECT_EQ(ScreenPixel(12, 5), red);
    HideCaret(w);
    HideCaret(w);
    ShowCaret(w);
    Pump();
    EXPECT_EQ(ScreenPixel(10, 5), red) << "one ShowCaret undoes one HideCaret";
    ShowCaret(w);
    SetCaretPos(30, 20);
    Pump();
    EXPECT_EQ(ScreenPixel(10, 5), red);
    EXPECT_EQ(ScreenPixel(30, 20), inverted);
    POINT at{};
    EXPECT_TRUE(GetCaretPos(&at));
    EXPECT_EQ(at.x, 30);
    EXPECT_EQ(at.y, 20);
    EXPECT_FALSE(ShowCaret(Top(WS_POPUP, RECT{0, 0, 10, 10}))) << "only the owner shows it";
    EXPECT_TRUE(DestroyCaret());
    Pump();
    EXPECT_EQ(ScreenPixel(30, 20), red);
    EXPECT_FALSE(GetCaretPos(&at));
    EXPECT_FALSE(DestroyCaret());
}
