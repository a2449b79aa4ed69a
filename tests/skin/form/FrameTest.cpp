// The skinned frame: geometry and insets at several sizes, the window outline from the mask, the
// built-in look without a skin, the inactive look, and the order of a skin change.

#include "FormSkinFixture.h"

#include "platform/gfx/SysColors.h"
#include "skin/data/qvSkinClient.h"

#include <string>
#include <vector>

namespace {

using namespace qv;

class FrameTest : public FormSkinFixture {};

COLORREF At(const gfx::Bitmap& b, int x, int y) { return gfx::PixelToColor(b.GetPixel(x, y)); }

// ---- geometry ----

TEST_F(FrameTest, FrameIsFourPixelsWithATwentySevenPixelTopAtAnySize) {
    struct Case {
        int w, h;
    };
    for (Case c : {Case{285, 210}, Case{200, 31}, Case{754, 573}, Case{1000, 120}}) {
        Skinned s = MakeForm(10, 10, c.w, c.h);
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        EXPECT_EQ(s.form->Width(), c.w);
        EXPECT_EQ(s.form->Height(), c.h);
        RECT in = s.skin->FrameInsets();
        EXPECT_EQ(in, (RECT{4, 27, 4, 4}));
        RECT client{};
        GetClientRect(s.form->Handle(), &client);
        EXPECT_EQ(client, (RECT{0, 0, c.w - 8, c.h - 31}));
        POINT origin{0, 0};
        ClientToScreen(s.form->Handle(), &origin);
        EXPECT_EQ(origin.x - s.form->Left(), 4);
        EXPECT_EQ(origin.y - s.form->Top(), 27);
        // Worked out from [FORMINFO]: dx = W - 285, dy = H - 210.
        const int dx = c.w - 285, dy = c.h - 210;
        EXPECT_EQ(s.skin->ClientArea, (RECT{4, 27, 281 + dx, 206 + dy}));
        EXPECT_EQ(s.skin->CaptionArea, (RECT{3, 5, 282 + dx, 24}));
        EXPECT_EQ(s.skin->FrameRB, (POINT{274 + dx, 200 + dy}));
        EXPECT_EQ(s.skin->HitRT, (POINT{279 + dx, 8}));
        EXPECT_EQ(s.skin->MaskArea, (RECT{4, 3, 282 + dx, 206 + dy}));
        delete s.form;
    }
}

TEST_F(FrameTest, ASmallFormGrowsToTheSkinsMinimumSize) {
    Skinned s = MakeForm(10, 10, 120, 20);
    EXPECT_EQ(s.skin->MinFormWidth(), 200);
    EXPECT_EQ(s.skin->MinFormHeight(), 31);
    EXPECT_EQ(s.form->Width(), 200);
    EXPECT_EQ(s.form->Height(), 31);
    // MinWidth only wins when the form picture is narrower than it.
    s.skin->MinWidth = 250;
    EXPECT_EQ(s.skin->MinFormWidth(), 200);
    s.skin->MinWidth = 300;
    EXPECT_EQ(s.skin->MinFormWidth(), 300);
}

// ---- painting ----

TEST_F(FrameTest, FrameCornersKeepTheirPixelsAndTheCaptionButtonsSitRightToLeft) {
    Skinned s = MakeForm(10, 10, 500, 300);
    const gfx::Bitmap& p = s.data->MainPicture;
    gfx::Bitmap b = PrintFrame(s.form);
    // Corner pieces are copied unchanged; the far corners move with the size.
    for (POINT q : {POINT{0, 0}, POINT{3, 2}, POINT{8, 20}}) {
        EXPECT_EQ(b.GetPixel(q.x, q.y), p.GetPixel(q.x, q.y)) << q.x << "," << q.y;
    }
    EXPECT_EQ(b.GetPixel(499, 299), p.GetPixel(284, 209));
    EXPECT_EQ(b.GetPixel(497, 296), p.GetPixel(282, 206));
    // The client area is not touched by the frame paint.
    EXPECT_EQ(b.GetPixel(250, 150), 0x00FF00FFu);

    // The main window's icons: close, maximize, minimize from the right with a 2-pixel gap.
    s.skin->SetBorderIcons(biMinimize | biMaximize);
    s.skin->LayoutObjects();
    std::vector<std::pair<std::string, RECT>> shown;
    for (auto& o : s.skin->SkinObjects) {
        if (o->Shown) {
            shown.emplace_back(o->IDName, o->ObjectRect);
        }
    }
    const int W = 500;
    std::vector<std::pair<std::string, RECT>> expected = {
        {"closebutton", RECT{W - 24, 5, W - 3, 26}},
        {"maxbutton", RECT{W - 47, 5, W - 26, 26}},
        {"minbutton", RECT{W - 70, 5, W - 49, 26}},
        {"caption", RECT{5, 4, W - 70, 24}},
    };
    EXPECT_EQ(shown, expected);
    // The close button's normal image from picture 0 lands at its place.
    b = PrintFrame(s.form);
    const gfx::Bitmap* buttons = s.data->ExtraPicture(0);
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(b.GetPixel(W - 24 + 10, 5 + 10), buttons->GetPixel(10, 10));
}

// The frame picture stays (the skin has no inactive picture and no inactive rendering); only the
// caption text colour and the buttons' inactive images change.
TEST_F(FrameTest, AnInactiveFrameChangesOnlyItsCaptionObjects) {
    Skinned s = MakeForm(10, 10, 400, 200);
    ASSERT_TRUE(s.form->Active());
    gfx::Bitmap active = PrintFrame(s.form);
    Skinned other = MakeForm(500, 500, 300, 200);
    ASSERT_FALSE(s.form->Active());
    gfx::Bitmap inactive = PrintFrame(s.form);
    auto inObject = [&](int x, int y) {
        for (auto& o : s.skin->SkinObjects) {
            if (o->Shown && PtInRect(o->ObjectRect, POINT{x, y})) {
                return true;
            }
        }
        return false;
    };
    const TqvSkinCaptionObject* caption = s.skin->CaptionObject();
    ASSERT_NE(caption, nullptr);
    int differing = 0;
    bool activeColour = false, inactiveColour = false;
    for (int y = 0; y < active.Height(); ++y) {
        for (int x = 0; x < active.Width(); ++x) {
            if (active.GetPixel(x, y) == inactive.GetPixel(x, y)) {
                continue;
            }
            ++differing;
            ASSERT_TRUE(inObject(x, y)) << x << "," << y;
            activeColour = activeColour || At(active, x, y) == COLORREF(caption->activefontcolor);
            inactiveColour = inactiveColour || At(inactive, x, y) == COLORREF(caption->fontcolor);
        }
    }
    EXPECT_GT(differing, 20);
    EXPECT_TRUE(activeColour);
    EXPECT_TRUE(inactiveColour);

    (void)other;
}

TEST_F(FrameTest, WithoutASkinTheBuiltInFrameIsDrawn) {
    Skinned s = MakeForm(10, 10, 300, 200, false);
    EXPECT_EQ(s.skin->FrameInsets(), (RECT{3, 22, 3, 3}));
    RECT client{};
    GetClientRect(s.form->Handle(), &client);
    EXPECT_EQ(client, (RECT{0, 0, 294, 175}));
    gfx::Bitmap b = PrintFrame(s.form);
    // Three rings.
    EXPECT_EQ(At(b, 0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(At(b, 299, 199), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(b, 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(At(b, 298, 198), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(At(b, 2, 100), GetSysColor(COLOR_BTNFACE));
    // Stripes in the caption left of the text patch: highlight on even rows from y = 2.
    const int lc = s.skin->DefaultCaptionArea.left - 3;
    EXPECT_EQ(At(b, 3 + lc + 3, 3 + 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(At(b, 3 + lc + 3, 3 + 3), GetSysColor(COLOR_BTNSHADOW));
    // Default buttons: close at the right edge, 17 pixels square from y = 4.
    TqvActiveSkinObject* close = s.skin->SkinObjects.front().get();
    EXPECT_EQ(close->IDName, "closebutton");
    EXPECT_EQ(close->ObjectRect, (RECT{280, 4, 297, 21}));
    // A tool window has a 15-pixel caption.
    s.form->SetBorderStyle(vcl::bsSizeToolWin);
    EXPECT_EQ(s.skin->FrameInsets(), (RECT{3, 18, 3, 3}));
}

TEST_F(FrameTest, ClearingTheSkinFallsBackToTheBuiltInFrame) {
    Skinned s = MakeForm(10, 10, 300, 200);
    ASSERT_TRUE(s.skin->SkinInUse());
    s.data->ClearSkin();
    s.data->BroadcastSkinMessage(QVM_SKIN_CHANGING);
    s.data->BroadcastSkinMessage(QVM_SKIN_CHANGE);
    s.data->BroadcastSkinMessage(QVM_SKIN_CHANGED);
    Settle();
    EXPECT_FALSE(s.skin->SkinInUse());
    EXPECT_EQ(s.skin->FrameInsets(), (RECT{3, 22, 3, 3}));
    RECT client{};
    GetClientRect(s.form->Handle(), &client);
    EXPECT_EQ(client, (RECT{0, 0, s.form->Width() - 6, s.form->Height() - 25}));
}

// ---- region ----

// One form through sizes it had before, as a nudge a pixel narrower and back does: the outline
// is the one of the size it has now.
TEST_F(FrameTest, TheWindowOutlineFollowsTheMaskAtAnySize) {
    Skinned s = MakeForm(10, 10, 285, 300);
    for (int w : {285, 640, 285, 640, 639, 640}) {
        s.form->SetWidth(w);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(s.form->Handle(), region), ERROR);
        const gfx::Bitmap& mask = s.data->FormMaskPicture;
        auto inMask = [&](int x, int y) { return (mask.GetPixel(x, y) & 0xFFFFFF) == 0; };
        // The corners of the mask, at the window's four corners.
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 6; ++x) {
                SCOPED_TRACE(std::to_string(w) + ": " + std::to_string(x) + "," + std::to_string(y));
                EXPECT_EQ(PtInRegion(region, x, y) != 0, inMask(x, y));
                EXPECT_EQ(PtInRegion(region, w - 1 - x, y) != 0, inMask(284 - x, y));
                EXPECT_EQ(PtInRegion(region, x, 299 - y) != 0, inMask(x, 209 - y));
                EXPECT_EQ(PtInRegion(region, w - 1 - x, 299 - y) != 0, inMask(284 - x, 209 - y));
            }
        }
        EXPECT_TRUE(PtInRegion(region, w / 2, 150));
        EXPECT_FALSE(PtInRegion(region, w, 150));
        DeleteObject(region);
    }
    delete s.form;
}

// ---- skin change order ----

std::vector<std::string> gLog;

class ClientControl : public vcl::TWinControl, public IqvSkinClient {
public:
    ClientControl(vcl::TComponent* owner, std::string name, TqvSkinData* data)
        : vcl::TWinControl(owner), name_(std::move(name)), data_(data) {}
    TqvSkinData* SkinData() const override { return data_; }
    void ReleaseSkinRecord() override { gLog.push_back("release " + name_); }
    void ApplySkin() override { gLog.push_back("apply " + name_); }

private:
    std::string name_;
    TqvSkinData* data_;
};

class ClientComponent : public vcl::TComponent, public IqvSkinClient {
public:
    ClientComponent(vcl::TComponent* owner, TqvSkinData* data) : vcl::TComponent(owner), data_(data) {}
    TqvSkinData* SkinData() const override { return data_; }
    void ReleaseSkinRecord() override { gLog.push_back("release component"); }
    void ApplySkin() override { gLog.push_back("apply component"); }

private:
    TqvSkinData* data_;
};

TEST_F(FrameTest, ASkinChangeReachesTheFormThenItsControlsDepthFirst) {
    Skinned s = MakeForm(10, 10, 400, 300);
    auto* panel = new ClientControl(s.form, "panel", s.data);
    panel->SetParent(s.form);
    auto* inner = new ClientControl(s.form, "inner", s.data);
    inner->SetParent(panel);
    auto* later = new ClientControl(s.form, "later", s.data);
    later->SetParent(s.form);
    new ClientComponent(s.form, s.data);
    auto* otherData = new TqvSkinData(s.form);
    auto* stranger = new ClientControl(s.form, "stranger", otherData);
    stranger->SetParent(s.form);
    s.skin->OnBeforeChangeSkinData = [](vcl::TObject*) { gLog.push_back("before"); };
    s.skin->OnChangeSkinData = [](vcl::TObject*) { gLog.push_back("change"); };
    s.skin->OnAfterChangeSkinData = [](vcl::TObject*) { gLog.push_back("after"); };
    gLog.clear();
    s.data->LoadFromContainer(Container());
    std::vector<std::string> expected = {
        "release panel", "release inner", "release later", "release component", "before", "change",
        "apply panel",   "apply inner",   "apply later",   "apply component",   "after"};
    EXPECT_EQ(gLog, expected);
    EXPECT_TRUE(s.skin->SkinInUse());
    EXPECT_FALSE(s.skin->SkinObjects.empty());

    // Another skin data's change leaves this form's skin alone but rebinds its own clients.
    gLog.clear();
    otherData->LoadFromContainer(Container());
    // OnAfterChangeSkinData closes every change the form hears of.
    EXPECT_EQ(gLog, (std::vector<std::string>{"apply stranger", "after"}));
}

TEST_F(FrameTest, AttachingTakesOverTheFramesOfAFormThatAlreadyHasAWindow) {
    auto* form = new vcl::TForm(app.get());
    form->SetBounds(20, 20, 300, 200);
    form->Show();
    Settle();
    RECT before{};
    GetClientRect(form->Handle(), &before);
    std::vector<UINT> seen;
    auto* skin = new TqvVeltrane(form);
    EXPECT_EQ(form->BorderIcons(), 0u);
    Settle();
    RECT after{};
    GetClientRect(form->Handle(), &after);
    EXPECT_EQ(after, (RECT{0, 0, 294, 175}));
    EXPECT_NE(before, after);
    // The hook answers the skin query and passes what it does not treat to the form.
    EXPECT_EQ(SendMessage(form->Handle(), kSkinQueryMessage, 0, 0), 0x3235);
    form->SetCaption("Renamed");
    EXPECT_EQ(form->Caption(), "Renamed");
    // Freeing the component gives the form its own frame back.
    delete skin;
    form->RecreateWnd();
    Settle();
    GetClientRect(form->Handle(), &after);
    EXPECT_EQ(after, before);
}

TEST_F(FrameTest, AnOwnerThatIsNoFormIsRefused) {
    vcl::TComponent owner(nullptr);
    EXPECT_THROW(TqvVeltrane skin(&owner), vcl::EInvalidCast);
}

} // namespace
