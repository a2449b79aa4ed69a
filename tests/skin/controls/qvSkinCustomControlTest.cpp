#include "skin/controls/qvSkinCtrls.h"

#include "ControlsFixture.h"
#include "framework/Canvas.h"

using namespace qv;

namespace {

using SkinControlBase = ControlsFixture;

// A picture whose every pixel says where it is: red = x, green = y.
gfx::Bitmap CoordinatePicture(int w, int h) {
    gfx::Bitmap b(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            b.SetPixel(x, y, gfx::ColorToPixel(RGB(x, y, 7)));
        }
    }
    return b;
}

// A 20 x 10 mask: black (inside) except the two top corner pixels.
gfx::Bitmap CornerMask() {
    gfx::Bitmap m(20, 10, gfx::ColorToPixel(RGB(0, 0, 0)));
    m.SetPixel(0, 0, gfx::ColorToPixel(RGB(255, 255, 255)));
    m.SetPixel(19, 0, gfx::ColorToPixel(RGB(255, 255, 255)));
    return m;
}

const char* kSmallSkin = R"([SKINCONTROLS]
count=5
0=fixed:panel
1=none:panel
2=label:stdlabel
3=corners:panel
4=vertical:panel

[fixed]
pictureindex=0
maskpictureindex=1
skinrect=10,20,30,30
clientrect=2,2,18,8

[none]
pictureindex=0
skinrect=0,0,0,0
rightbottompoint=5,5

[label]
fontname=Arial
fontheight=14

[corners]
pictureindex=0
skinrect=0,0,40,30
lefttoppoint=5,5
righttoppoint=35,5
leftbottompoint=5,25
rightbottompoint=35,25
clientrect=3,3,37,27

[vertical]
pictureindex=0
skinrect=50,0,60,40
lefttoppoint=5,8
leftbottompoint=5,32
clientrect=1,1,9,39
)";

TqvSkinCustomControl* MakeControl(vcl::TForm* form, TqvSkinData* skin, const char* section, int w, int h) {
    auto* c = new TqvSkinCustomControl(form);
    c->SetParent(form);
    c->SetSkinDataName(section);
    c->SetSkinData(skin);
    c->SetBounds(5, 5, w, h);
    return c;
}

} // namespace

TEST_F(SkinControlBase, LayoutKindsAndFittingOnTheEmbeddedSkin) {
    TqvSkinData* skin = EmbeddedSkin();
    struct Case {
        const char* section;
        int w, h;
        int layout;
        SIZE size;
        RECT sizedClient;
    } cases[] = {
        {"button", 121, 40, slHorizontal, {121, 22}, {2, 2, 119, 20}},
        {"panel", 754, 57, slCorners, {754, 57}, {2, 2, 752, 55}},
        {"statusgauge", 754, 33, slHorizontal, {754, 20}, {4, 4, 752, 15}},
        {"vgauge", 50, 100, slVertical, {20, 100}, {4, 4, 15, 96}},
        {"stdlabel", 30, 30, slFixed, {30, 30}, {}}, // not a picture record: nothing to fit
    };
    for (const Case& c : cases) {
        auto* control = MakeControl(form, skin, c.section, c.w, c.h);
        EXPECT_EQ(control->SkinLayout(), c.layout) << c.section;
        EXPECT_EQ(control->Width(), c.size.cx) << c.section;
        EXPECT_EQ(control->Height(), c.size.cy) << c.section;
        if (c.layout != slFixed) {
            EXPECT_EQ(control->SizedClientRect, c.sizedClient) << c.section;
        }
        delete control;
    }
}

TEST_F(SkinControlBase, NamesBindExactlyAndUnboundControlsKeepTheirDefaultSize) {
    TqvSkinData* skin = EmbeddedSkin();
    auto* control = new TqvSkinCustomControl(form);
    control->SetParent(form);
    control->SetSkinDataName("Panel"); // the section is "panel": names are case-sensitive
    control->SetDefaultWidth(70);
    control->SetDefaultHeight(30);
    control->SetSkinData(skin);
    EXPECT_EQ(control->SkinRecordIndex(), -1);
    EXPECT_EQ(control->Width(), 70);
    EXPECT_EQ(control->Height(), 30);
    Show();
    EXPECT_EQ(ScreenPixel(control, 10, 10), GetSysColor(COLOR_BTNFACE));

    // The name alone changes nothing until the next paint or skin change.
    control->SetSkinDataName("button");
    EXPECT_EQ(control->SkinRecordIndex(), -1);
    EXPECT_EQ(control->Height(), 30);
    control->ApplySkin();
    EXPECT_GE(control->SkinRecordIndex(), 0);
    EXPECT_EQ(control->Height(), 22);

    // Losing the skin data component falls back to the default look at the next paint.
    delete skin;
    EXPECT_EQ(control->SkinData(), nullptr);
    control->Repaint();
    EXPECT_EQ(control->SkinRecordIndex(), -1);
}

TEST_F(SkinControlBase, BindsWhenASkinWithTheSectionArrives) {
    auto* skin = new TqvSkinData(form);
    auto* control = MakeControl(form, skin, "corners", 60, 40);
    EXPECT_EQ(control->SkinRecordIndex(), -1);
    LoadText(*skin, kSmallSkin, {CoordinatePicture(64, 48), CornerMask()});
    control->ApplySkin(); // what the form skin does on QVM_SKIN_CHANGE
    EXPECT_EQ(control->SkinLayout(), slCorners);
    EXPECT_EQ(control->SizedClientRect, (RECT{3, 3, 57, 37}));
}

TEST_F(SkinControlBase, NoneAndFixedLayoutsAndTheMaskRegion) {
    TqvSkinData* skin = TextSkin(kSmallSkin, {CoordinatePicture(64, 48), CornerMask()});
    auto* none = MakeControl(form, skin, "none", 33, 44);
    auto* fixed = MakeControl(form, skin, "fixed", 80, 80);
    fixed->SetLeft(100);
    Show();
    EXPECT_EQ(none->SkinLayout(), slNone);
    EXPECT_EQ(none->Width(), 33);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(none->Handle(), rgn), ERROR);

    EXPECT_EQ(fixed->SkinLayout(), slFixed);
    EXPECT_EQ(fixed->Width(), 20);
    EXPECT_EQ(fixed->Height(), 10);
    EXPECT_NE(GetWindowRgn(fixed->Handle(), rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_TRUE(PtInRegion(rgn, 1, 0));
    EXPECT_TRUE(PtInRegion(rgn, 19, 9));
    DeleteObject(rgn);
    // The fixed image is skinrect copied as it is: pixel (x, y) comes from (10 + x, 20 + y).
    EXPECT_EQ(ScreenPixel(fixed, 3, 4), RGB(13, 24, 7));
}

TEST_F(SkinControlBase, CornersImageKeepsCornersAndStretchesTheMiddle) {
    TqvSkinData* skin = TextSkin(kSmallSkin, {CoordinatePicture(64, 48)});
    auto* control = MakeControl(form, skin, "corners", 100, 70);
    Show();
    EXPECT_EQ(ScreenPixel(control, 1, 1), RGB(1, 1, 7));     // top-left corner
    EXPECT_EQ(ScreenPixel(control, 98, 1), RGB(38, 1, 7));   // top-right corner, moved by 60
    EXPECT_EQ(ScreenPixel(control, 98, 68), RGB(38, 28, 7)); // bottom-right corner
    EXPECT_EQ(ScreenPixel(control, 2, 68), RGB(2, 28, 7));
}

TEST_F(SkinControlBase, DirectFramePaintMatchesTheComposedImage) {
    TqvSkinData* skin = TextSkin(kSmallSkin, {CoordinatePicture(64, 48)});
    auto* composed = MakeControl(form, skin, "corners", 100, 70);
    auto* direct = MakeControl(form, skin, "corners", 100, 70);
    direct->SetDirectFramePaint(true);
    vcl::TBitmap a(100, 70), b(100, 70);
    composed->PaintTo(a.Canvas());
    direct->PaintTo(b.Canvas());
    // The corners are the same; the client is the client tile (3..37 x 3..27) repeated from
    // (3, 3).
    for (POINT p : {POINT{0, 0}, POINT{99, 0}, POINT{0, 69}, POINT{99, 69}, POINT{4, 4}}) {
        EXPECT_EQ(a.Pixels().GetColor(p.x, p.y), b.Pixels().GetColor(p.x, p.y)) << p.x << "," << p.y;
    }
    EXPECT_EQ(b.Pixels().GetColor(3, 3), RGB(3, 3, 7));
    EXPECT_EQ(b.Pixels().GetColor(3 + 34, 3), RGB(3, 3, 7));      // second tile column
    EXPECT_EQ(b.Pixels().GetColor(3 + 35, 3 + 24), RGB(4, 3, 7)); // second row, one pixel in
}

TEST_F(SkinControlBase, SkinToControlRectFollowsTheGrowth) {
    TqvSkinData* skin = TextSkin(kSmallSkin, {CoordinatePicture(64, 48)});
    auto* corners = MakeControl(form, skin, "corners", 100, 70);       // grows by 60 x 40
    auto* horz = MakeControl(form, EmbeddedSkin(), "button", 142, 22); // grows by 100
    auto* vert = MakeControl(form, skin, "vertical", 10, 60);          // grows by 20
    struct Case {
        TqvSkinCustomControl* control;
        RECT in, out;
    } cases[] = {
        {corners, {1, 1, 4, 4}, {1, 1, 4, 4}},         // inside the top-left zone
        {corners, {36, 1, 39, 4}, {96, 1, 99, 4}},     // top-right zone
        {corners, {1, 26, 4, 29}, {1, 66, 4, 69}},     // bottom-left zone
        {corners, {36, 26, 39, 29}, {96, 66, 99, 69}}, // bottom-right zone
        {corners, {2, 2, 38, 28}, {2, 2, 98, 68}},     // spanning everything
        {corners, {2, 2, 38, 4}, {2, 2, 98, 4}},       // along the top
        {corners, {2, 2, 4, 28}, {2, 2, 4, 68}},       // down the left side
        {corners, {36, 2, 38, 28}, {96, 2, 98, 68}},   // down the right side
        {corners, {2, 26, 38, 28}, {2, 66, 98, 68}},   // along the bottom
        {horz, {36, 2, 40, 20}, {136, 2, 140, 20}},    // right of righttoppoint: moves
        {horz, {2, 2, 40, 20}, {2, 2, 140, 20}},       // spanning: widens
        {horz, {10, 2, 20, 20}, {10, 2, 20, 20}},      // in the middle: stays
        {vert, {1, 33, 9, 38}, {1, 53, 9, 58}},        {vert, {1, 2, 9, 38}, {1, 2, 9, 58}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.control->SkinToControlRect(c.in), c.out)
            << c.control->SkinDataName() << " " << c.in.left << "," << c.in.top;
    }
}

TEST_F(SkinControlBase, ReleaseDropsTheRecordUntilTheNextApply) {
    TqvSkinData* skin = EmbeddedSkin();
    auto* control = MakeControl(form, skin, "panel", 100, 60);
    IqvSkinClient* client = control;
    EXPECT_EQ(client->SkinData(), skin);
    client->ReleaseSkinRecord();
    EXPECT_EQ(control->SkinRecordIndex(), -1);
    client->ApplySkin();
    EXPECT_EQ(control->SkinRecordIndex(), skin->IndexOfControlSkin("panel"));
}

TEST_F(SkinControlBase, StretchedRecordsTellTheChildrenTheirBackgroundChanged) {
    const std::string text = std::string(kSmallSkin) + "stretcheffect=1\n"; // on [vertical]
    TqvSkinData* skin = TextSkin(text, {CoordinatePicture(64, 48)});
    auto* parent = MakeControl(form, skin, "vertical", 10, 60);
    struct Child : vcl::TGraphicControl {
        using TGraphicControl::TGraphicControl;
        int notes = 0;
        void WndProc(vcl::TMessage& m) override {
            if (m.Msg == WM_PARENTBGCHANGED) {
                ++notes;
            }
            TGraphicControl::WndProc(m);
        }
    };
    auto* child = new Child(form);
    child->SetParent(parent);
    parent->SetBounds(5, 5, 10, 80);
    EXPECT_EQ(child->notes, 1);
}
