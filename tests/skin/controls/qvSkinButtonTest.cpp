#include "skin/controls/qvSkinCtrls.h"
#include "skin/controls/qvSkinExCtrls.h"

#include "ControlsFixture.h"
#include "framework/Edit.h"

using namespace qv;

namespace {

class SkinButton : public ControlsFixture {
protected:
    TqvSkinButton* MakeButton(int left, const char* caption = "OK") {
        auto* b = new TqvSkinButton(form);
        b->SetParent(form);
        b->SetSkinData(skin);
        b->SetCaption(caption);
        b->SetBounds(left, 10, 100, 25);
        b->OnClick = [this](vcl::TObject*) { ++clicks; };
        return b;
    }
    // The colour of the skin picture at a point of a state rectangle.
    COLORREF SkinAt(const RECT& state, int x, int y) {
        return skin->ExtraPicture(4)->GetColor(state.left + x, state.top + y);
    }
    void SetUp() override {
        ControlsFixture::SetUp();
        skin = EmbeddedSkin();
    }
    TqvSkinData* skin = nullptr;
    int clicks = 0;
};

} // namespace

TEST_F(SkinButton, ClicksOnlyWhenReleasedOverIt) {
    struct Case {
        const char* name;
        std::vector<POINT> moves; // after pressing at (20, 10)
        int clicks;
    } cases[] = {
        {"press and release", {}, 1},
        {"move out and release", {{200, 10}}, 0},
        {"out and back in", {{200, 10}, {30, 12}}, 1},
    };
    for (const Case& c : cases) {
        auto* b = MakeButton(10);
        Show();
        clicks = 0;
        Press(b, 20, 10);
        EXPECT_TRUE(b->Down()) << c.name;
        for (POINT p : c.moves) {
            MoveTo(b, p.x, p.y);
        }
        Release();
        EXPECT_EQ(clicks, c.clicks) << c.name;
        EXPECT_FALSE(b->Down()) << c.name;
        EXPECT_FALSE(b->PressedByMouse()) << c.name;
        delete b;
    }
}

TEST_F(SkinButton, RepeatModeClicksFromTheTimerAndOnRelease) {
    auto* b = MakeButton(10);
    b->SetRepeatMode(true);
    b->SetRepeatInterval(100);
    Show();
    Press(b, 20, 10);
    Advance(1000);
    EXPECT_EQ(clicks, 5); // 600, 700, 800, 900, 1000 ms: the 500 ms tick only switches
    Release();
    EXPECT_EQ(clicks, 6);
    Advance(500);
    EXPECT_EQ(clicks, 6);
    // Off the button the repeat pauses, and releasing outside gives no click.
    Press(b, 20, 10);
    MoveTo(b, 300, 10);
    Advance(1000);
    Release();
    EXPECT_EQ(clicks, 6);
}

TEST_F(SkinButton, OnClickMayFreeTheButton) {
    auto* b = MakeButton(10);
    b->OnClick = [&](vcl::TObject* sender) {
        ++clicks;
        delete sender;
    };
    Show();
    Press(b, 20, 10);
    Release();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->ControlCount(), 0);

    auto* r = MakeButton(10);
    r->SetRepeatMode(true);
    r->OnClick = [&](vcl::TObject* sender) {
        ++clicks;
        delete sender;
    };
    Press(r, 20, 10);
    Advance(700); // the first repeat frees it while the mouse is still down
    Release();
    EXPECT_EQ(clicks, 2);
}

TEST_F(SkinButton, SizeAndStateLooksComeFromTheRecord) {
    auto* b = MakeButton(10);
    b->SetBounds(10, 10, 121, 40);
    EXPECT_EQ(b->Width(), 121);
    EXPECT_EQ(b->Height(), 22);
    const auto* record = dynamic_cast<const TqvDataSkinButtonControl*>(
        skin->ControlSkins[skin->IndexOfControlSkin("button")].get());
    ASSERT_NE(record, nullptr);
    auto look = [&](bool enabled, bool hot, bool down, bool focused) {
        b->SetEnabled(enabled);
        b->ForceState(hot, down, focused);
        vcl::TBitmap image(b->Width(), b->Height());
        b->PaintTo(image.Canvas());
        return image.Pixels().GetColor(1, 11);
    };
    EXPECT_EQ(look(true, false, false, false), SkinAt(record->skinrect, 1, 11));
    EXPECT_EQ(look(true, true, false, false), SkinAt(record->activeskinrect, 1, 11));
    EXPECT_EQ(look(true, true, true, false), SkinAt(record->downskinrect, 1, 11));
    EXPECT_EQ(look(true, false, false, true), SkinAt(record->focusedskinrect, 1, 11));
    EXPECT_EQ(look(false, false, false, false), SkinAt(record->disabledskinrect, 1, 11));
}

TEST_F(SkinButton, DisabledCaptionTurnsGreyWhenTheSkinGivesNoOtherColour) {
    auto* b = MakeButton(10);
    b->ReadSkinRecord();
    EXPECT_EQ(b->disabledfontcolor, 12102819); // the skin's own, distinct from fontcolor
    const char* text = R"([SKINCONTROLS]
count=1
0=button:button

[button]
pictureindex=0
skinrect=0,0,40,20
lefttoppoint=3,9
righttoppoint=37,9
clientrect=2,2,38,18
fontcolor=255
disabledfontcolor=255
)";
    LoadText(*skin, text, {gfx::Bitmap(40, 20, gfx::ColorToPixel(RGB(255, 255, 255)))});
    b->SetCaption("IIIIIIII");
    b->SetEnabled(false);
    b->ApplySkin();
    EXPECT_EQ(b->disabledfontcolor, 8421504);
    vcl::TBitmap image(b->Width(), b->Height());
    b->PaintTo(image.Canvas());
    int grey = 0;
    int red = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            COLORREF c = image.Pixels().GetColor(x, y);
            // Anti-aliased text blends into the white face: grey stays neutral, red would not.
            const int r = GetRValue(c), g = GetGValue(c), bl = GetBValue(c);
            grey += r == g && g == bl && r < 200;
            red += r > g + 30;
        }
    }
    EXPECT_GT(grey, 10);
    EXPECT_EQ(red, 0);
}

TEST_F(SkinButton, GroupedButtonsToggle) {
    auto* first = MakeButton(10);
    auto* second = MakeButton(150);
    first->SetGroupIndex(1);
    second->SetGroupIndex(1);
    EXPECT_FALSE(first->CanFocused());
    Show();
    Press(first, 20, 10);
    EXPECT_EQ(clicks, 1); // a group button clicks on the press
    Release();
    EXPECT_TRUE(first->Down());
    Press(second, 20, 10);
    Release();
    EXPECT_TRUE(second->Down());
    EXPECT_FALSE(first->Down());
    EXPECT_EQ(clicks, 2);
    // Clicking the down button again leaves it down and calls no OnClick.
    Press(second, 20, 10);
    Release();
    EXPECT_TRUE(second->Down());
    EXPECT_EQ(clicks, 2);
    // With AllowAllUp it comes up, with a click.
    second->SetAllowAllUp(true);
    Press(second, 20, 10);
    Release();
    EXPECT_FALSE(second->Down());
    EXPECT_EQ(clicks, 3);
}

TEST_F(SkinButton, DefaultAndCancelAnswerEnterAndEscape) {
    auto* edit = new vcl::TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 100, 100, 22);
    auto* ok = MakeButton(10);
    auto* cancel = MakeButton(150);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    ok->SetModalResult(vcl::mrOk);
    cancel->SetModalResult(vcl::mrCancel);
    int okClicks = 0;
    ok->OnClick = [&](vcl::TObject*) { ++okClicks; };
    Show();
    edit->SetFocus();
    Settle();
    EXPECT_TRUE(ok->ActiveDefault());
    EXPECT_TRUE(ok->MouseInside()); // the default button looks hot while an edit has the focus
    screen->Key(VK_RETURN);
    Settle();
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(form->ModalResult(), vcl::mrOk);
    screen->Key(VK_ESCAPE);
    Settle();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->ModalResult(), vcl::mrCancel);
    // Focus on the cancel button makes it the one Enter clicks.
    cancel->SetFocus();
    Settle();
    EXPECT_FALSE(ok->ActiveDefault());
    EXPECT_FALSE(ok->MouseInside());
    screen->Key(VK_RETURN);
    Settle();
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(clicks, 2);
}

TEST_F(SkinButton, SpaceClicksOnRelease) {
    auto* b = MakeButton(10);
    Show();
    b->SetFocus();
    Settle();
    screen->KeyDown(VK_SPACE);
    Settle();
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 0);
    screen->KeyUp(VK_SPACE);
    Settle();
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButton, DefaultLookWithoutASkin) {
    auto* b = new TqvSkinButton(form);
    b->SetParent(form);
    b->SetBounds(10, 10, 80, 25);
    b->ForceState(true, false, false);
    vcl::TBitmap image(80, 25);
    b->PaintTo(image.Canvas());
    EXPECT_EQ(image.Pixels().GetColor(0, 0), COLORREF(8388608)); // navy frame
    EXPECT_EQ(image.Pixels().GetColor(3, 3), COLORREF(13811126));
    b->ForceState(true, true, false);
    b->PaintTo(image.Canvas());
    EXPECT_EQ(image.Pixels().GetColor(3, 3), COLORREF(11899781));
    b->ForceState(false, false, false);
    b->PaintTo(image.Canvas());
    EXPECT_EQ(image.Pixels().GetColor(3, 3), GetSysColor(COLOR_BTNFACE));
}

TEST_F(SkinButton, FormStyleButtonUsesItsOwnPicturesWithoutARecord) {
    auto* b = new TqvSkinXFormButton(form);
    b->SetParent(form);
    b->SetSkinDataName("nosuchsection");
    b->SetSkinData(skin);
    EXPECT_FALSE(b->CanFocused());
    vcl::TBitmap normal(30, 16), active(30, 16), mask(30, 16);
    normal.Pixels() = gfx::Bitmap(30, 16, gfx::ColorToPixel(RGB(10, 20, 30)));
    active.Pixels() = gfx::Bitmap(30, 16, gfx::ColorToPixel(RGB(40, 50, 60)));
    mask.Pixels() = gfx::Bitmap(30, 16, gfx::ColorToPixel(RGB(0, 0, 0)));
    mask.Pixels().SetPixel(0, 0, gfx::ColorToPixel(RGB(255, 255, 255)));
    b->SetDefImage(&normal);
    b->SetDefActiveImage(&active);
    b->SetDefMask(&mask);
    b->SetBounds(10, 10, 100, 40); // snaps back to the picture
    EXPECT_EQ(b->Width(), 30);
    EXPECT_EQ(b->Height(), 16);
    Show();
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(b->Handle(), rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_TRUE(PtInRegion(rgn, 1, 0));
    DeleteObject(rgn);
    EXPECT_EQ(ScreenPixel(b, 2, 2), RGB(10, 20, 30));
    MoveTo(b, 5, 5);
    UpdateWindow(form->Handle());
    EXPECT_EQ(ScreenPixel(b, 2, 2), RGB(40, 50, 60));
    // Bound to a record, it is the skinned button.
    b->SetSkinDataName("button");
    b->ApplySkin();
    EXPECT_EQ(b->Height(), 22);
}

TEST_F(SkinButton, MorphingFadesToTheHotLookOnTheTimer) {
    const char* text = R"([SKINCONTROLS]
count=1
0=button:button

[button]
pictureindex=0
skinrect=0,0,40,20
activeskinrect=0,20,40,40
lefttoppoint=3,9
righttoppoint=37,9
clientrect=2,2,38,18
morphing=1
morphkind=mkdefault
)";
    // Normal look black, hot look white: the blend shows the level.
    gfx::Bitmap picture(40, 40, gfx::ColorToPixel(RGB(0, 0, 0)));
    for (int y = 20; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            picture.SetPixel(x, y, gfx::ColorToPixel(RGB(250, 250, 250)));
        }
    }
    LoadText(*skin, text, {picture});
    auto* b = MakeButton(10, "");
    b->SetCanFocused(false);
    b->ApplySkin();
    Show();
    MoveTo(b, 20, 10);
    std::vector<double> levels{b->MorphLevel()};
    for (int i = 0; i < 8; ++i) {
        Advance(20, 20);
        levels.push_back(b->MorphLevel());
    }
    EXPECT_NEAR(levels[1], 0.2, 1e-9);
    EXPECT_NEAR(levels[2], 0.4, 1e-9);
    EXPECT_DOUBLE_EQ(levels.back(), 1.0);
    // Half way, the face is half way between the two looks.
    MoveTo(b, 300, 10);
    Advance(40, 20); // 1.0 -> 0.8 -> 0.6
    vcl::TBitmap image(b->Width(), b->Height());
    b->PaintTo(image.Canvas());
    EXPECT_NEAR(GetRValue(image.Pixels().GetColor(20, 5)), 150, 2);
    Advance(200, 20);
    EXPECT_DOUBLE_EQ(b->MorphLevel(), 0.0);
}
