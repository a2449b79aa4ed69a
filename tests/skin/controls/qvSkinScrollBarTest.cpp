// The skinned scroll bar on the headless screen: events of its setters, the arrow and page
// repeats on the virtual clock, thumb drags, keys and the wheel, and its pixels drawn plainly and
// from the embedded skin.

#include "ControlsFixture.h"

#include "skin/controls/qvSkinScrollBar.h"

#include <vector>

using namespace qv;

namespace {

class ScrollBarTest : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        form->SetBounds(0, 0, 400, 400);
        bar = new TqvSkinScrollBar(form);
        bar->SetParent(form);
        bar->OnChange = [this](vcl::TObject*) { changes.push_back(bar->Position()); };
        Show();
    }

    void MoveTo(int x, int y) { ControlsFixture::MoveTo(bar, x, y); }
    void PressAt(int x, int y) { Press(bar, x, y); }
    void Wait(int ms) { Advance(ms); }
    void UseEmbeddedSkin() { bar->SetSkinData(EmbeddedSkin()); }
    gfx::Bitmap Paint() {
        vcl::TBitmap image(bar->Width(), bar->Height());
        bar->PaintTo(image.Canvas());
        return image.Pixels();
    }

    TqvSkinScrollBar* bar = nullptr;
    std::vector<int> changes;
};

} // namespace

TEST_F(ScrollBarTest, SettersClampAndOnlyPositionReportsAChange) {
    bar->SetPosition(150);
    EXPECT_EQ(bar->Position(), 100);
    bar->SetPosition(100); // unchanged: no event
    EXPECT_EQ(changes, std::vector<int>{100});

    bar->SetPosition(0);
    changes.clear();
    bar->SetPageSize(21);
    bar->SetPosition(150);
    EXPECT_EQ(changes, std::vector<int>{80});

    changes.clear();
    bar->AssignRange(0, 99, 90, 24);
    EXPECT_EQ(bar->Position(), 76);
    bar->SetMax(50);
    bar->SetMin(60);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(bar->Position(), 60);
}

TEST_F(ScrollBarTest, HeldArrowStepsAtPressThenEveryFiftyMsAfterHalfASecond) {
    bar->SetBounds(0, 0, 200, 19);
    Settle();
    PressAt(190, 9); // the increment button
    EXPECT_EQ(bar->CapturedPart(), TqvSkinScrollBar::kIncrement);
    EXPECT_EQ(changes, std::vector<int>{1});
    Wait(500); // the first tick only switches to the short interval
    EXPECT_EQ(bar->Position(), 1);
    Wait(50);
    EXPECT_EQ(bar->Position(), 2);
    Wait(100);
    EXPECT_EQ(bar->Position(), 4);

    MoveTo(100, 9); // off the button: the steps pause
    Wait(200);
    EXPECT_EQ(bar->Position(), 4);
    EXPECT_EQ(bar->HotPart(), -1);
    MoveTo(190, 9); // back: they go on at the short interval
    Wait(50);
    EXPECT_EQ(bar->Position(), 5);
    Release();
    Wait(200);
    EXPECT_EQ(bar->Position(), 5);
    EXPECT_EQ(bar->CapturedPart(), -1);
    EXPECT_EQ(bar->AutoRepeatKind(), TqvAutoRepeat::None);
}

TEST_F(ScrollBarTest, ButtonHandlersReplaceTheStep) {
    int ups = 0;
    bar->OnUpButtonClick = [&](vcl::TObject*) { ++ups; };
    PressAt(190, 9);
    Release();
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(bar->Position(), 0);
}

TEST_F(ScrollBarTest, PageRepeatStopsWhenTheThumbPassesThePointer) {
    bar->SetBounds(0, 0, 200, 19);
    bar->SetLargeChange(10);
    int pageDowns = 0;
    bar->OnPageDown = [&](vcl::TObject*) { ++pageDowns; };
    Settle();
    // Track 17..183, thumb centre range 25..175: position p puts the thumb at 17 + 1.5 p.
    PressAt(80, 9);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(bar->AutoRepeatKind(), TqvAutoRepeat::PageIncrement);
    Wait(1000);
    // 20 puts the thumb at 47..63, 30 at 62..78, 40 at 77..93: no longer before the pointer.
    EXPECT_EQ(bar->Position(), 40);
    EXPECT_EQ(pageDowns, 4);
    EXPECT_EQ(bar->AutoRepeatKind(), TqvAutoRepeat::None);
    Release();

    // Page up from the far side.
    bar->SetPosition(100);
    PressAt(60, 9);
    EXPECT_EQ(bar->AutoRepeatKind(), TqvAutoRepeat::PageDecrement);
    Wait(2000);
    EXPECT_EQ(bar->Position(), 20); // thumb 47..63 holds the pointer at 60
    Release();
}

TEST_F(ScrollBarTest, DraggingBeyondTheEndStopsAtTheLastPage) {
    bar->SetBounds(0, 0, 200, 19);
    bar->AssignRange(0, 99, 0, 24);
    int lastChanges = 0;
    bar->OnLastChange = [&](vcl::TObject*) { ++lastChanges; };
    Settle();
    const RECT thumb = bar->CalcGeometry().Thumb;
    PressAt(thumb.left + 2, 9);
    EXPECT_TRUE(bar->Dragging());
    MoveTo(thumb.left + 40, 9);
    int middle = bar->Position();
    EXPECT_GT(middle, 0);
    EXPECT_LT(middle, 76);
    MoveTo(390, 30); // far past the end and off the bar: the capture keeps the drag going
    EXPECT_EQ(bar->Position(), 76);
    EXPECT_EQ(lastChanges, 0);
    Release();
    EXPECT_FALSE(bar->Dragging());
    EXPECT_EQ(lastChanges, 1);
    EXPECT_EQ(changes.back(), 76);
}

// The keys move only a focusable bar; the wheel moves any bar under the pointer, a sideways
// turn too (to the right towards Max).
TEST_F(ScrollBarTest, KeysMoveOnlyAFocusableBarAndTheWheelAnyBarUnderThePointer) {
    bar->SetKind(sbVertical);
    bar->SetBounds(0, 0, 19, 200);
    bar->SetSmallChange(3);
    bar->SetPosition(30);
    Settle();
    MoveTo(9, 100);
    screen->Wheel(-WHEEL_DELTA);
    Settle();
    EXPECT_EQ(bar->Position(), 33);
    screen->HWheel(-WHEEL_DELTA);
    Settle();
    EXPECT_EQ(bar->Position(), 30);
    screen->Key(VK_DOWN);
    Settle();
    EXPECT_EQ(bar->Position(), 30);

    bar->SetCanFocused(true);
    EXPECT_TRUE(bar->TabStop());
    PressAt(9, 100); // a page click takes the focus first
    Release();
    EXPECT_TRUE(bar->Focused());
    int afterClick = bar->Position();
    screen->Key(VK_DOWN);
    Settle();
    EXPECT_EQ(bar->Position(), afterClick + 3);
    screen->Key(VK_LEFT);
    Settle();
    EXPECT_EQ(bar->Position(), afterClick);
    screen->Wheel(WHEEL_DELTA); // away from the user: towards Min
    Settle();
    EXPECT_EQ(bar->Position(), afterClick - 3);
    screen->Wheel(-2 * WHEEL_DELTA);
    Settle();
    EXPECT_EQ(bar->Position(), afterClick);
}

TEST_F(ScrollBarTest, PlainLookHasArrowButtonsAndNoThumbWhenDisabled) {
    bar->SetBounds(0, 0, 200, 19);
    bar->SetPosition(50);
    auto rgb = [](const gfx::Bitmap& b, int x, int y) { return b.GetPixel(x, y) & 0xFFFFFF; };
    auto same = [](gfx::Pixel a, COLORREF c) {
        return a == (((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
    };
    gfx::Bitmap image = Paint();
    // Decrement button frame 1..17, increment 183..199, thumb 92..108 at the middle.
    EXPECT_TRUE(same(rgb(image, 1, 5), GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_TRUE(same(rgb(image, 16, 5), GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_TRUE(same(rgb(image, 183, 5), GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_TRUE(same(rgb(image, 92, 5), GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_TRUE(same(rgb(image, 107, 5), GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_TRUE(same(rgb(image, 60, 5), GetSysColor(COLOR_BTNFACE)));
    // Each button carries a black arrow.
    auto blackIn = [&](const gfx::Bitmap& b, int left, int right) {
        int n = 0;
        for (int y = 0; y < 19; ++y)
            for (int x = left; x < right; ++x)
                n += rgb(b, x, y) == 0;
        return n;
    };
    EXPECT_GE(blackIn(image, 1, 17), 7);
    EXPECT_GE(blackIn(image, 183, 199), 7);
    EXPECT_EQ(blackIn(image, 17, 183), 0);

    bar->SetEnabled(false);
    image = Paint();
    EXPECT_TRUE(same(rgb(image, 92, 5), GetSysColor(COLOR_BTNFACE)));
    EXPECT_TRUE(same(rgb(image, 100, 9), GetSysColor(COLOR_BTNFACE)));
    EXPECT_GE(blackIn(image, 183, 199), 7); // the buttons stay
}

TEST_F(ScrollBarTest, BothModeSwitchesSectionsAndKeepsTheCornerFree) {
    bar->SetBounds(0, 0, 200, 19);
    bar->SetBoth(true);
    EXPECT_EQ(bar->SkinDataName(), "bothhscrollbar");
    EXPECT_EQ(bar->NormalSkinDataName(), "hscrollbar");
    const TqvScrollBarLayout& plain = bar->CalcGeometry();
    EXPECT_EQ(plain.Increment.right, 200 - 19 - 1);

    UseEmbeddedSkin();
    bar->SetBounds(0, 0, 300, 17);
    // "bothhscrollbar" is 87 wide with its increment button at 52..68: 19 pixels stay free.
    EXPECT_EQ(bar->CalcGeometry().Increment.right, 300 - 19);
    bar->SetBoth(false);
    EXPECT_EQ(bar->SkinDataName(), "hscrollbar");
    EXPECT_EQ(bar->CalcGeometry().Increment.right, 300);
}

TEST_F(ScrollBarTest, SkinnedBarDrawsHotButtonsAndTheThumbFromThePicture) {
    form->SetBounds(0, 0, 400, 560);
    UseEmbeddedSkin();
    bar->SetKind(sbVertical);
    bar->SetSkinDataName("vscrollbar");
    bar->SetBounds(0, 0, 17, 477);
    bar->AssignRange(0, 99, 38, 24);
    Settle();
    const gfx::Bitmap& pic = *bar->SkinPicture();
    ASSERT_NE(bar->SkinRecordIndex(), -1);
    auto at = [&](int sx, int sy) { return pic.GetPixel(sx, sy) & 0xFFFFFF; };
    const RECT s = bar->skinrect;

    gfx::Bitmap image = Paint();
    auto px = [&](int x, int y) { return image.GetPixel(x, y) & 0xFFFFFF; };
    // Normal increment button: the composed bottom of the picture.
    EXPECT_EQ(px(8, 470), at(s.left + 8, s.top + 68 - 7));
    // The thumb spans 186..292, its ends cut from "thumbrect" (5 fixed pixels each).
    EXPECT_EQ(px(8, 187), at(bar->thumbrect.left + 8, bar->thumbrect.top + 1));
    EXPECT_EQ(px(8, 290), at(bar->thumbrect.left + 8, bar->thumbrect.bottom - 2));

    MoveTo(8, 470);
    EXPECT_EQ(bar->HotPart(), TqvSkinScrollBar::kIncrement);
    image = Paint();
    const RECT& active = bar->activeupbuttonrect;
    ASSERT_NE(at(s.left + active.left + 8, s.top + active.top + 9), at(s.left + 8, s.top + 68 - 7));
    EXPECT_EQ(px(8, 470), at(s.left + active.left + 8, s.top + active.top + 9));
    screen->MouseDown();
    Settle();
    image = Paint();
    const RECT& down = bar->downupbuttonrect;
    EXPECT_EQ(px(8, 470), at(s.left + down.left + 8, s.top + down.top + 9));
    Release();
}
