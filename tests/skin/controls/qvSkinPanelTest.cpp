#include "skin/controls/qvSkinCtrls.h"

#include "ControlsFixture.h"

using namespace qv;

namespace {

class SkinPanel : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        skin = EmbeddedSkin();
        panel = new TqvSkinPanel(form);
        panel->SetParent(form);
        panel->SetSkinData(skin);
        panel->SetBounds(0, 0, 754, 57);
        child = new TqvSkinPanel(form);
        child->SetParent(panel);
        child->SetAlign(vcl::alClient);
    }
    gfx::Bitmap Paint() {
        vcl::TBitmap image(panel->Width(), panel->Height());
        panel->PaintTo(image.Canvas());
        return image.Pixels();
    }
    COLORREF Skin(int x, int y) { return skin->ExtraPicture(4)->GetColor(x, y); }
    TqvSkinData* skin = nullptr;
    TqvSkinPanel* panel = nullptr;
    TqvSkinPanel* child = nullptr;
};

} // namespace

TEST_F(SkinPanel, ToolBarPanelFramesItsChildrenInTheClientRectangle) {
    EXPECT_EQ(panel->SkinLayout(), slCorners);
    EXPECT_EQ(panel->AlignRect(), (RECT{2, 2, 752, 55}));
    EXPECT_EQ(child->BoundsRect(), (RECT{2, 2, 752, 55}));
    gfx::Bitmap image = Paint();
    // "panel": skinrect 0,0,59,52, clientrect 2,2,57,50 in picture 4.
    EXPECT_EQ(image.GetColor(0, 0), Skin(0, 0));
    EXPECT_EQ(image.GetColor(753, 56), Skin(58, 51));
    EXPECT_EQ(image.GetColor(753, 0), Skin(58, 0));
    EXPECT_EQ(image.GetColor(2, 2), Skin(2, 2));      // the client tile starts at the client corner
    EXPECT_EQ(image.GetColor(2 + 55, 2), Skin(2, 2)); // and repeats
}

TEST_F(SkinPanel, WithoutBorderTheClientTileCoversEverything) {
    panel->SetBorderStyle(bvNone);
    panel->Realign();
    EXPECT_EQ(panel->AlignRect(), (RECT{0, 0, 754, 57}));
    EXPECT_EQ(child->BoundsRect(), (RECT{0, 0, 754, 57}));
    gfx::Bitmap image = Paint();
    EXPECT_EQ(image.GetColor(0, 0), Skin(2, 2));
    EXPECT_EQ(image.GetColor(55, 48), Skin(2, 2));
}

TEST_F(SkinPanel, RollingUpAndDownRestoresTheHeightAndTheChildren) {
    auto* second = new TqvSkinPanel(form);
    second->SetParent(panel);
    second->SetBounds(10, 10, 40, 20);
    panel->SetBounds(0, 0, 300, 120);
    panel->SetRollUpState(true); // outside roll-up mode: refused
    EXPECT_FALSE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 120);

    panel->SetRollUpMode(true);
    int changes = 0;
    panel->OnChangeRollUpState = [&](vcl::TObject*) { ++changes; };
    panel->SetRollUpState(true);
    EXPECT_EQ(panel->Height(), 4); // what lies outside the client rectangle: 2 + 2
    EXPECT_EQ(panel->RealHeight(), 120);
    EXPECT_FALSE(child->Visible());
    EXPECT_FALSE(second->Visible());
    panel->SetRollUpState(false);
    EXPECT_EQ(panel->Height(), 120);
    EXPECT_EQ(panel->RealHeight(), -1);
    EXPECT_TRUE(child->Visible());
    EXPECT_TRUE(second->Visible());
    EXPECT_EQ(changes, 2);

    // Without a record the caption bar stays.
    panel->SetSkinData(nullptr);
    panel->ApplySkin();
    panel->SetRollUpState(true);
    EXPECT_EQ(panel->Height(), 23);
    panel->SetRollUpState(false);
    EXPECT_EQ(panel->Height(), 120);
}

TEST_F(SkinPanel, DefaultLookAndCaptionBar) {
    panel->SetSkinDataName("nosuchpanel");
    panel->ApplySkin();
    panel->SetBounds(0, 0, 200, 100);
    EXPECT_EQ(panel->AlignRect(), (RECT{1, 1, 199, 99}));
    gfx::Bitmap image = Paint();
    EXPECT_EQ(image.GetColor(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(image.GetColor(50, 50), GetSysColor(COLOR_BTNFACE));
    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    EXPECT_EQ(panel->AlignRect(), (RECT{1, 23, 199, 99}));
    int checks = 0;
    panel->OnChecked = [&](vcl::TObject*) { ++checks; };
    Show();
    Press(panel, 100, 10); // a click in the caption bar toggles the check box
    Release();
    EXPECT_TRUE(panel->Checked());
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(child->Enabled());
    Press(panel, 100, 10);
    Release();
    EXPECT_FALSE(panel->Checked());
    EXPECT_FALSE(child->Enabled()); // the children follow the check box
}
