// The skinned list box on its own and as the popup list: internal bars created and removed with
// the content, the wheel, the horizontal offset, item heights, caption buttons with their repeat
// on the headless clock, rows painted with tab stops, and the popup that never activates.

#include "ControlsFixture.h"

#include "skin/controls/qvPopupListBox.h"
#include "skin/controls/qvSkinListBox.h"
#include "skin/controls/qvSkinScrollBar.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

class ListBoxTest : public ControlsFixture {
protected:
    TqvSkinListBox* MakeList(TqvSkinData* skin, int w = 200, int h = 124) {
        auto* list = new TqvSkinListBox(form);
        list->SetParent(form);
        list->SetBounds(10, 10, w, h);
        if (skin != nullptr) {
            list->SetSkinData(skin);
        }
        form->Show();
        Settle();
        return list;
    }
    void Settle() {
        app->ProcessMessages();
        app->ProcessMessages();
    }
    void Tick(int ms) {
        screen->AdvanceClock(std::uint64_t(ms));
        Settle();
    }
};

} // namespace

TEST_F(ListBoxTest, VerticalBarComesAndGoesWithTheRows) {
    TqvSkinListBox* list = MakeList(EmbeddedSkin());
    const int fullWidth = list->InnerListBox()->Width();
    EXPECT_EQ(fullWidth, 200 - 4); // inside the 2-pixel skin border
    for (int i = 0; i < 6; ++i) {
        list->Items()->Add("row " + std::to_string(i)); // 6 rows of 20 fit in 120
    }
    Settle();
    EXPECT_EQ(list->ListVScrollBar(), nullptr);
    list->Items()->Add("row 6");
    Settle();
    ASSERT_NE(list->ListVScrollBar(), nullptr);
    const int barWidth = list->ListVScrollBar()->Width();
    EXPECT_GT(barWidth, 0);
    EXPECT_EQ(list->InnerListBox()->Width(), fullWidth - barWidth);
    list->Items()->Delete(6);
    Settle();
    EXPECT_EQ(list->ListVScrollBar(), nullptr);
    EXPECT_EQ(list->InnerListBox()->Width(), fullWidth);
}

TEST_F(ListBoxTest, RowCountFitsTheHeightAndAnExactFitNeedsNoBar) {
    TqvSkinListBox* list = MakeList(EmbeddedSkin(), 433);
    for (int i = 0; i < 8; ++i) {
        list->Items()->Add("row " + std::to_string(i));
    }
    list->SetRowCount(8);
    Settle();
    EXPECT_EQ(list->Height(), 164);
    EXPECT_EQ(list->ListClientRect(), (RECT{2, 2, 431, 162}));
    EXPECT_EQ(list->ListVScrollBar(), nullptr);
    list->Items()->Add("row 8");
    Settle();
    EXPECT_NE(list->ListVScrollBar(), nullptr);
}

TEST_F(ListBoxTest, WheelScrollsOneLineAndTheBarFollows) {
    TqvSkinListBox* list = MakeList(EmbeddedSkin());
    for (int i = 0; i < 20; ++i) {
        list->Items()->Add("row " + std::to_string(i));
    }
    Settle();
    ASSERT_NE(list->ListVScrollBar(), nullptr);
    POINT p = list->InnerListBox()->ClientToScreen(POINT{20, 20});
    screen->MouseMove(p.x, p.y);
    screen->Wheel(-120); // towards the user
    Settle();
    EXPECT_EQ(list->InnerListBox()->TopIndex(), 1);
    EXPECT_EQ(list->ListVScrollBar()->Position(), 1);
    screen->Wheel(120);
    Settle();
    EXPECT_EQ(list->InnerListBox()->TopIndex(), 0);
}

TEST_F(ListBoxTest, HorizontalExtentShowsABarThatShiftsTheRows) {
    TqvSkinListBox* list = MakeList(nullptr);
    list->Items()->Add("short");
    list->SetHorizontalExtent(true);
    Settle();
    EXPECT_EQ(list->ListHScrollBar(), nullptr);
    list->Items()->Add(std::string(80, 'W'));
    list->UpdateScrollBars();
    Settle();
    ASSERT_NE(list->ListHScrollBar(), nullptr);
    list->ListHScrollBar()->SetPosition(30);
    EXPECT_EQ(list->InnerListBox()->HorzOffset(), 30);
    // Narrowing the list by d while scrolled keeps the text's right end: the offset grows by d.
    list->SetWidth(list->Width() - 10);
    Settle();
    EXPECT_EQ(list->InnerListBox()->HorzOffset(), 40);
    list->SetHorizontalExtent(false);
    Settle();
    EXPECT_EQ(list->ListHScrollBar(), nullptr);
    EXPECT_EQ(list->InnerListBox()->HorzOffset(), 0);
}

TEST_F(ListBoxTest, ItemHeightFromTheSkinOrTheDefault) {
    TqvSkinListBox* list = MakeList(EmbeddedSkin());
    list->SetDefaultItemHeight(30);
    EXPECT_EQ(list->InnerListBox()->ItemHeight(), 20);
    list->SetUseSkinItemHeight(false);
    EXPECT_EQ(list->InnerListBox()->ItemHeight(), 30);
    EXPECT_EQ(list->HeightForRows(3), 52 + 90 - 48);
}

TEST_F(ListBoxTest, CaptionButtonRepeatsAfter600msThenEvery100ms) {
    TqvSkinListBox* list = MakeList(nullptr, 200, 200);
    list->SetCaptionMode(true);
    for (int i = 0; i < 10; ++i) {
        list->Items()->Add("row " + std::to_string(i));
    }
    list->SetItemIndex(4);
    Settle();
    EXPECT_EQ(list->CaptionButtonRect(TqvSkinCustomListBox::kPreviousButton), (RECT{181, 2, 198, 18}));
    POINT p = list->ClientToScreen(POINT{190, 10});
    screen->MouseMove(p.x, p.y);
    screen->MouseDown();
    Settle();
    EXPECT_EQ(list->ItemIndex(), 4);
    Tick(500); // switches to the 100 ms period only
    EXPECT_EQ(list->ItemIndex(), 4);
    Tick(99);
    EXPECT_EQ(list->ItemIndex(), 4);
    Tick(1);
    EXPECT_EQ(list->ItemIndex(), 3);
    for (int i = 0; i < 6; ++i) {
        Tick(100);
    }
    EXPECT_EQ(list->ItemIndex(), 0); // stops at the first item
    list->SetItemIndex(5);
    screen->MouseUp();
    Settle();
    EXPECT_EQ(list->ItemIndex(), 4); // the release over the button moves once more
    Tick(300);
    EXPECT_EQ(list->ItemIndex(), 4);
    // Released away from the button: no step.
    screen->MouseDown();
    Settle();
    POINT away = list->ClientToScreen(POINT{20, 100});
    screen->MouseMove(away.x, away.y);
    screen->MouseUp();
    Settle();
    EXPECT_EQ(list->ItemIndex(), 4);
    // A program's handler replaces the step and the repeat.
    int clicks = 0;
    list->OnDownButtonClick = [&](vcl::TObject*) { ++clicks; };
    POINT next = list->ClientToScreen(POINT{172, 10});
    screen->MouseMove(next.x, next.y);
    screen->MouseDown();
    Settle();
    Tick(700);
    screen->MouseUp();
    Settle();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list->ItemIndex(), 4);
}

TEST_F(ListBoxTest, RowsAreDrawnAtTheirTabStops) {
    TqvSkinListBox* list = MakeList(nullptr, 300, 60);
    list->Items()->Add("a\tb");
    vcl::TStringList tabs;
    tabs.Add("120");
    list->SetTabWidths(&tabs);
    Settle();
    gfx::Bitmap shot = screen->ReadScreen();
    POINT origin = list->InnerListBox()->ClientToScreen(POINT{0, 0});
    auto ink = [&](int from, int to) {
        int n = 0;
        for (int y = 2; y < 18; ++y) {
            for (int x = from; x < to; ++x) {
                gfx::Pixel p = shot.GetPixel(origin.x + x, origin.y + y);
                n += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 300;
            }
        }
        return n;
    };
    EXPECT_GT(ink(2, 14), 0);    // "a" at the left
    EXPECT_EQ(ink(16, 118), 0);  // nothing up to the stop
    EXPECT_GT(ink(120, 132), 0); // "b" at x = 120
}

TEST_F(ListBoxTest, PopupNeverActivatesAndFadesInByTimer) {
    struct Owner : IqvPopupListOwner {
        virtual ~Owner() = default;
        bool AlphaBlend() const override { return true; }
        bool AlphaBlendAnimation() const override { return true; }
        BYTE AlphaBlendValue() const override { return 200; }
    } owner;
    form->Show();
    Settle();
    auto* popup = new TqvPopupListBox(form);
    popup->SetParent(form);
    popup->SetPopupOwner(&owner);
    popup->Items()->Add("one");
    popup->Items()->Add("two");
    popup->ShowPopupAt(POINT{300, 300});
    Settle();
    EXPECT_TRUE(popup->PopupShown());
    EXPECT_EQ(GetActiveWindow(), form->Handle());
    EXPECT_EQ(SendMessage(popup->Handle(), WM_MOUSEACTIVATE, WPARAM(form->Handle()), 0), MA_NOACTIVATE);
    EXPECT_TRUE(popup->LayeredApplied());
    EXPECT_EQ(popup->AppliedAlpha(), 0);
    int steps = 0;
    while (popup->Fading() && steps < 100) {
        Tick(int(TqvPopupListBox::kFadePeriodMs) + 1);
        ++steps;
    }
    EXPECT_EQ(popup->AppliedAlpha(), 200);
    EXPECT_EQ(steps, 20);
    // Clicking a row chooses it and leaves the form active.
    POINT p = popup->InnerListBox()->ClientToScreen(POINT{10, 25});
    screen->Click(p.x, p.y);
    Settle();
    EXPECT_EQ(popup->ItemIndex(), 1);
    EXPECT_EQ(GetActiveWindow(), form->Handle());
    popup->HidePopup();
    Settle();
    EXPECT_FALSE(popup->PopupShown());
    popup->SetPopupOwner(nullptr);
}
