// The skinned hint: its size around the text, its place at the work area's edges, its outline,
// opacity and titled form, the direct hints and the caption buttons' hints of the form skin.

#include "FormSkinFixture.h"

#include "framework/Canvas.h"
#include "skin/data/qvHintSource.h"
#include "skin/form/qvSkinHint.h"

using namespace qv;

namespace {

struct HintCorners {
    POINT lt, rt, lb, rb;
    RECT clientrect;
};
// The hint record of the skin the system was first designed with.
constexpr HintCorners kClassic{{3, 6}, {21, 6}, {5, 14}, {20, 14}, {4, 3, 24, 18}};

void Fill(TqvDataSkinHintWindow& r, const HintCorners& c) {
    r.lefttoppoint = c.lt;
    r.righttoppoint = c.rt;
    r.leftbottompoint = c.lb;
    r.rightbottompoint = c.rb;
    r.clientrect = c.clientrect;
}

// A control that offers a title and an image for its hint, as skinned controls do.
class TitledControl : public vcl::TCustomControl, public IqvHintSource {
public:
    using vcl::TCustomControl::TCustomControl;
    const std::string& HintTitle() const override { return title; }
    int HintImageIndex() const override { return imageIndex; }
    vcl::TImageList* HintImageList() const override { return images; }
    std::string title;
    int imageIndex = -1;
    vcl::TImageList* images = nullptr;
};

} // namespace

TEST(SkinHintLayout, SizesAroundTheContentWithoutCrossingCorners) {
    struct Case {
        const char* name;
        HintCorners corners;
        SIZE picture;
        SIZE content;
        int extra;
        int w, h;
    };
    constexpr HintCorners narrowRight{{10, 6}, {12, 6}, {8, 14}, {12, 14}, {4, 3, 24, 18}};
    const Case cases[] = {
        // Text plus 4 + 4 + 5 across and 3 + 3 down.
        {"text", kClassic, {28, 21}, {40, 16}, 5, 53, 22},
        {"titled adds 10, not 5", kClassic, {28, 21}, {40, 16}, 10, 58, 22},
        // 13 x 6 would put the bottom points (14 - 15) above the top ones (6): height grows to
        // 13; the right pair then meets exactly (14 - 8 = 6).
        {"empty text", kClassic, {28, 21}, {0, 0}, 5, 13, 13},
        // The top right point 12 - 15 would pass the left one at 10: width grows to 26; the
        // bottom pair then fits (12 - 2 >= 8).
        {"narrow right corner", narrowRight, {28, 21}, {0, 0}, 5, 26, 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TqvDataSkinHintWindow record;
        Fill(record, c.corners);
        const TqvHintLayout l = LayoutSkinnedHint(c.content, c.picture, record, c.extra);
        EXPECT_EQ(l.Width, c.w);
        EXPECT_EQ(l.Height, c.h);
        const int dx = c.w - c.picture.cx;
        const int dy = c.h - c.picture.cy;
        const RECT& cr = c.corners.clientrect;
        EXPECT_EQ(l.ClientArea, (RECT{cr.left, cr.top, cr.right + dx, cr.bottom + dy}));
        EXPECT_GE(l.Scaled.RT.x, l.Scaled.LT.x);
        EXPECT_GE(l.Scaled.RB.x, l.Scaled.LB.x);
        EXPECT_GE(l.Scaled.LB.y, l.Scaled.LT.y);
        EXPECT_GE(l.Scaled.RB.y, l.Scaled.RT.y);
    }
}

TEST(SkinHintLayout, PlacesInsideTheLimit) {
    const RECT limit{0, 0, 1280, 984};
    struct Case {
        const char* name;
        POINT at;
        int w, h;
        RECT expected;
    };
    const Case cases[] = {
        {"room enough", {100, 100}, 60, 20, {100, 100, 160, 120}},
        {"touching the right edge stays", {1220, 100}, 60, 20, {1220, 100, 1280, 120}},
        {"past the right edge opens left", {1250, 100}, 60, 20, {1188, 100, 1248, 120}},
        {"past the bottom opens above", {100, 970}, 60, 20, {100, 948, 160, 968}},
        {"corner", {1250, 970}, 60, 20, {1188, 948, 1248, 968}},
        {"wider than the room left stays on screen", {40, 100}, 1250, 20, {0, 100, 1250, 120}},
        {"taller than the room above stays on screen", {100, 970}, 60, 990, {100, 0, 160, 990}},
        {"flipped and still crossing is pulled in", {100, 1000}, 60, 20, {100, 964, 160, 984}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlaceHint(c.at, c.w, c.h, limit), c.expected);
    }
}

TEST(SkinHintLayout, SeparatorsBecomeLineBreaks) {
    EXPECT_EQ(HintDisplayText("one@two@@three", "@"), "one\r\ntwo\r\n\r\nthree");
    EXPECT_EQ(HintDisplayText("a||b", "||"), "a\r\nb");
    EXPECT_EQ(HintDisplayText("a@b", ""), "a@b");
}

class SkinHintTest : public FormSkinFixture {
protected:
    // A main form with the embedded skin and an active hint component bound to it.
    struct Setup {
        Skinned s;
        TqvSkinHint* hint;
    };
    Setup MakeHinted(bool withSkin = true) {
        Skinned s = MakeForm(100, 100, 400, 300, withSkin);
        app->SetMainForm(s.form);
        auto* hint = new TqvSkinHint(s.form);
        hint->SetSkinData(s.data);
        return Setup{s, hint};
    }

    // The text's size in the skin's hint font, measured apart from the hint window.
    SIZE SkinTextSize(const TqvSkinData& data, const std::string& text, bool bold = false) {
        vcl::TBitmap bitmap(1, 1);
        vcl::TFont* f = bitmap.Canvas()->Font();
        f->SetName(data.HintWindowSkin.font.name);
        f->SetHeight(data.HintWindowSkin.font.height);
        f->SetStyle(data.HintWindowSkin.font.style | (bold ? vcl::fsBold : 0u));
        RECT r{0, 0, 0, 0};
        bitmap.Canvas()->DrawText(text, r, DT_CALCRECT | DT_NOPREFIX);
        return SIZE{r.right, r.bottom};
    }

    RECT HintRect(TqvSkinHint* hint) {
        RECT r{};
        GetWindowRect(hint->HintWindow()->Handle(), &r);
        return r;
    }

    // Shows text as the form skin does for a caption button, with the pointer at (x, y).
    void ShowDirect(TqvSkinHint* hint, const std::string& text, int x, int y) {
        screen->MouseMove(x, y);
        Settle();
        hint->ShowHintText(text);
        Wait(app->HintPause());
    }
};

TEST_F(SkinHintTest, ADirectHintShowsAfterThePauseBelowThePointerAndHidesLater) {
    Setup t = MakeHinted();
    screen->MouseMove(300, 400);
    Settle();
    t.hint->ShowHintText("Close");
    Wait(app->HintPause() - 10);
    EXPECT_FALSE(t.hint->HintWindow()->HintVisible());
    Wait(10);
    ASSERT_TRUE(t.hint->HintWindow()->HintVisible());

    const SIZE text = SkinTextSize(*t.s.data, "Close");
    const TqvHintLayout expected = LayoutSkinnedHint(text, SIZE{28, 21}, t.s.data->HintWindowSkin, 5);
    const RECT r = HintRect(t.hint);
    EXPECT_EQ(r, (RECT{300, 400 + GetSystemMetrics(SM_CYCURSOR), 300 + expected.Width,
                       400 + GetSystemMetrics(SM_CYCURSOR) + expected.Height}));
    EXPECT_EQ(expected.Width, text.cx + 13);
    EXPECT_TRUE(t.hint->HintWindow()->Skinned());
    // Shown without taking the activation from the form.
    EXPECT_EQ(GetActiveWindow(), t.s.form->Handle());
    EXPECT_NE(GetWindowLongPtr(t.hint->HintWindow()->Handle(), GWL_EXSTYLE) & WS_EX_NOACTIVATE, 0);

    Wait(app->HintHidePause());
    EXPECT_FALSE(t.hint->HintWindow()->HintVisible());
}

TEST_F(SkinHintTest, HideHintTextCancelsAPendingHint) {
    Setup t = MakeHinted();
    t.hint->ShowHintText("Close");
    EXPECT_TRUE(t.hint->HintPending());
    t.hint->HideHintText();
    EXPECT_FALSE(t.hint->HintPending());
    Wait(app->HintPause() + app->HintHidePause());
    EXPECT_FALSE(t.hint->HintWindow()->HintVisible());
}

TEST_F(SkinHintTest, StaysInsideTheWorkAreaAtItsEdges) {
    Setup t = MakeHinted();
    ShowDirect(t.hint, "Minimize to Tray", 1275, 500);
    RECT r = HintRect(t.hint);
    const int w = r.right - r.left;
    EXPECT_EQ(r.left, 1275 - w - 2);
    t.hint->HideHintText();

    // The work area ends at 984 (the reserved rows below it are a taskbar): moved up by its
    // height, the hint below the pointer's picture would still cross it.
    ShowDirect(t.hint, "Close", 400, 975);
    r = HintRect(t.hint);
    EXPECT_EQ(r.bottom, 984);
    EXPECT_EQ(r.left, 400);
}

TEST_F(SkinHintTest, IsPaintedFromTheHintPictureInsideItsMask) {
    Setup t = MakeHinted();
    ShowDirect(t.hint, "Maximize", 300, 300);
    TqvSkinHintWindow* window = t.hint->HintWindow();
    const TqvHintLayout& l = window->Layout();
    const gfx::Bitmap& picture = t.s.data->ExtraPictures[1];
    const gfx::Bitmap& mask = t.s.data->ExtraPictures[7];

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window->Handle(), region), ERROR);
    gfx::Bitmap drawn(l.Width, l.Height);
    vcl::TCanvas canvas;
    gfx::DC dc(&drawn);
    canvas.SetHandle(&dc);
    window->PaintTo(&canvas);
    canvas.SetHandle(nullptr);
    // The four corners come from the picture's corners and are cut by the mask's.
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            const POINT corners[][2] = {
                {{x, y}, {x, y}},
                {{l.Width - 1 - x, y}, {27 - x, y}},
                {{x, l.Height - 1 - y}, {x, 20 - y}},
                {{l.Width - 1 - x, l.Height - 1 - y}, {27 - x, 20 - y}},
            };
            for (const auto& c : corners) {
                EXPECT_EQ(PtInRegion(region, c[0].x, c[0].y) != 0,
                          (mask.GetPixel(c[1].x, c[1].y) & 0xFFFFFF) == 0);
                EXPECT_EQ(drawn.GetPixel(c[0].x, c[0].y) & 0xFFFFFF,
                          picture.GetPixel(c[1].x, c[1].y) & 0xFFFFFF);
            }
        }
    }
    DeleteObject(region);
    // Dark text on the light picture inside the client area, none outside it.
    int textPixels = 0;
    for (int y = 0; y < l.Height; ++y) {
        for (int x = 0; x < l.Width; ++x) {
            const COLORREF c = drawn.GetColor(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 100) {
                EXPECT_TRUE(PtInRect(l.ClientArea, POINT{x, y})) << x << "," << y;
                ++textPixels;
            }
        }
    }
    EXPECT_GT(textPixels, 10);
}

TEST_F(SkinHintTest, ASeparatorMakesTwoLines) {
    Setup t = MakeHinted();
    ShowDirect(t.hint, "Roll@Up", 300, 300);
    const SIZE one = SkinTextSize(*t.s.data, "Roll");
    const RECT r = HintRect(t.hint);
    EXPECT_EQ(r.bottom - r.top, 2 * one.cy + 6);
    EXPECT_EQ(t.hint->HintWindow()->Text(), "Roll\r\nUp");
}

TEST_F(SkinHintTest, WithoutAHintPictureThePlainLookIsUsed) {
    Setup t = MakeHinted(false);
    ShowDirect(t.hint, "Close", 300, 300);
    TqvSkinHintWindow* window = t.hint->HintWindow();
    ASSERT_TRUE(window->HintVisible());
    EXPECT_FALSE(window->Skinned());
    EXPECT_EQ(window->WindowRegion(), nullptr);
    const RECT r = HintRect(t.hint);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    gfx::Bitmap drawn(w, h);
    vcl::TCanvas canvas;
    gfx::DC dc(&drawn);
    canvas.SetHandle(&dc);
    window->PaintTo(&canvas);
    canvas.SetHandle(nullptr);
    auto rgb = [&](int x, int y) { return drawn.GetColor(x, y); };
    EXPECT_EQ(rgb(0, 0), vcl::ColorToRGB(vcl::clBtnShadow));
    EXPECT_EQ(rgb(w - 1, h - 1), vcl::ColorToRGB(vcl::clBtnShadow));
    EXPECT_EQ(rgb(1, 1), vcl::ColorToRGB(vcl::clInfoBk));
}

TEST_F(SkinHintTest, NothingShowsWithoutAnActiveHintOnTheMainForm) {
    Setup t = MakeHinted();
    t.hint->SetActive(false);
    ShowDirect(t.hint, "Close", 300, 300);
    EXPECT_FALSE(t.hint->HintWindow()->HintVisible());

    // Activating one hint deactivates the others of the main form.
    auto* second = new TqvSkinHint(t.s.form);
    t.hint->SetActive(true);
    EXPECT_FALSE(second->Active());
    EXPECT_EQ(TqvSkinHintWindow::FindSkinHint(), t.hint);
}

TEST_F(SkinHintTest, OpacityIsAppliedAndFadesInOnTimers) {
    Setup t = MakeHinted();
    t.hint->AlphaBlend = true;
    t.hint->AlphaBlendValue = 150;
    ShowDirect(t.hint, "Close", 300, 300);
    HWND h = t.hint->HintWindow()->Handle();
    EXPECT_NE(GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 150);
    t.hint->HideHintText();

    t.hint->AlphaBlendAnimation = true;
    ShowDirect(t.hint, "Close", 300, 300);
    EXPECT_TRUE(t.hint->HintWindow()->Fading());
    EXPECT_LT(t.hint->HintWindow()->AppliedAlpha(), 150);
    for (int i = 0; i < 10; ++i) {
        Wait(int(TqvSkinHintWindow::kFadePeriodMs));
    }
    EXPECT_FALSE(t.hint->HintWindow()->Fading());
    ASSERT_TRUE(GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 150);
    t.hint->HideHintText();

    t.hint->AlphaBlend = false;
    t.hint->AlphaBlendAnimation = false;
    ShowDirect(t.hint, "Close", 300, 300);
    EXPECT_EQ(GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST_F(SkinHintTest, AControlsTitleAndImageMakeATitledHint) {
    Setup t = MakeHinted();
    auto* images = new vcl::TImageList(t.s.form);
    images->SetSize(16, 16);
    vcl::TBitmap glyph(16, 16);
    glyph.Canvas()->Brush()->SetColor(vcl::clRed);
    glyph.Canvas()->FillRect(RECT{0, 0, 16, 16});
    images->Add(&glyph, nullptr);
    auto* control = new TitledControl(t.s.form);
    control->SetParent(t.s.form);
    control->SetBounds(20, 20, 100, 40);
    control->SetHint("Counts the crawler lines");
    control->SetShowHint(true);
    control->title = "Analyse";
    control->imageIndex = 0;
    control->images = images;
    Settle();

    MoveTo(control, 10, 10);
    Wait(app->HintPause() + 10);
    auto* window = dynamic_cast<TqvSkinHintWindow*>(app->HintWindow());
    ASSERT_NE(window, nullptr) << "the application's hints use the skinned window";
    ASSERT_TRUE(window->HintVisible());
    EXPECT_TRUE(window->Titled());
    EXPECT_EQ(t.hint->HintTitle, "Analyse");

    const SIZE text = SkinTextSize(*t.s.data, "Counts the crawler lines");
    const SIZE title = SkinTextSize(*t.s.data, "Analyse", true);
    const SIZE content{std::max(text.cx, title.cx) + 16 + 10,
                       std::max<int>(text.cy + title.cy + 10, 16 + title.cy + 5)};
    const TqvHintLayout expected = LayoutSkinnedHint(content, SIZE{28, 21}, t.s.data->HintWindowSkin, 10);
    RECT r{};
    GetWindowRect(window->Handle(), &r);
    EXPECT_EQ(r.right - r.left, expected.Width);
    EXPECT_EQ(r.bottom - r.top, expected.Height);

    // The image sits at the left, level with the text below the title.
    gfx::Bitmap drawn(expected.Width, expected.Height);
    vcl::TCanvas canvas;
    gfx::DC dc(&drawn);
    canvas.SetHandle(&dc);
    window->PaintTo(&canvas);
    canvas.SetHandle(nullptr);
    const int imageX = expected.ClientArea.left + 5;
    const int imageY = expected.ClientArea.top + title.cy + 5;
    EXPECT_EQ(drawn.GetColor(imageX + 8, imageY + 8), RGB(255, 0, 0));
}

TEST_F(SkinHintTest, CaptionButtonsShowTheirHintsThroughTheFormSkin) {
    Setup t = MakeHinted();
    t.s.skin->SkinHint = t.hint;
    t.s.skin->ShowObjectHint = true;
    t.s.skin->SetBorderIcons(biMinimize | biMaximize);
    Settle();
    TqvActiveSkinObject* close = nullptr;
    for (auto& o : t.s.skin->SkinObjects) {
        if (o->IDName == "closebutton") {
            close = o.get();
        }
    }
    ASSERT_NE(close, nullptr);
    const RECT& b = close->ObjectRect;
    screen->MouseMove(t.s.form->Left() + (b.left + b.right) / 2, t.s.form->Top() + (b.top + b.bottom) / 2);
    Settle();
    Wait(60);
    Wait(app->HintPause());
    ASSERT_TRUE(t.hint->HintWindow()->HintVisible());
    EXPECT_EQ(t.hint->HintWindow()->Text(), "Close");
    EXPECT_EQ(GetActiveWindow(), t.s.form->Handle());

    // Leaving the button for the client area hides it.
    screen->MouseMove(t.s.form->Left() + 200, t.s.form->Top() + 150);
    Settle();
    Wait(60);
    EXPECT_FALSE(t.hint->HintWindow()->HintVisible());
}

TEST_F(SkinHintTest, OutsideItsMaskTheWindowBelowShowsThrough) {
    Setup t = MakeHinted();
    const POINT at{200, 200};
    const gfx::Pixel below = ScreenPixel(at.x, at.y + GetSystemMetrics(SM_CYCURSOR));
    ShowDirect(t.hint, "Close", at.x, at.y);
    ASSERT_TRUE(t.hint->HintWindow()->HintVisible());
    const RECT r = HintRect(t.hint);
    EXPECT_EQ(ScreenPixel(r.left, r.top), below);
    EXPECT_NE(ScreenPixel(r.left + 2, r.top), below);
    // Also after the window below repaints while the hint covers part of it.
    RedrawWindow(t.s.form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Settle();
    EXPECT_EQ(ScreenPixel(r.left, r.top), below);
}
