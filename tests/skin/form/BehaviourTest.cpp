// Window behaviour of the skinned frame: caption-button presses with capture, maximize and
// restore on the monitor's work area, minimized placement, magnetic snapping, hit codes in the
// window states, and the system menu's items.

#include "FormSkinFixture.h"

#include <string>
#include <vector>

namespace {

using namespace qv;

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TqvActiveSkinObject* Object(TqvVeltrane* skin, const std::string& name) {
    for (auto& o : skin->SkinObjects) {
        if (o->IDName == name) {
            return o.get();
        }
    }
    return nullptr;
}

LPARAM ScreenPoint(vcl::TForm* form, POINT windowPoint) {
    return MAKELPARAM(WORD(form->Left() + windowPoint.x), WORD(form->Top() + windowPoint.y));
}

class FormBehaviour : public FormSkinFixture {
protected:
    // A form with the main window's caption buttons, recording the close button's events.
    Skinned MakeMainLike() {
        Skinned s = MakeForm(100, 100, 400, 300);
        s.skin->SetBorderIcons(biMinimize | biMaximize);
        s.skin->OnMouseEnterEvent = [this](const std::string& id) { log.push_back("enter " + id); };
        s.skin->OnMouseLeaveEvent = [this](const std::string& id) { log.push_back("leave " + id); };
        s.form->OnClose = [this](vcl::TObject*, vcl::TCloseAction&) { log.push_back("close"); };
        Settle();
        return s;
    }
    void MoveTo(vcl::TForm* form, POINT windowPoint) {
        screen->MouseMove(form->Left() + windowPoint.x, form->Top() + windowPoint.y);
        Settle();
        Wait(60); // the hover poll notices a mouse that left without a frame message
    }
    std::vector<std::string> log;
};

TEST_F(FormBehaviour, APressThatLeavesTheCloseButtonDoesNotClose) {
    Skinned s = MakeMainLike();
    auto* close = dynamic_cast<TqvSkinButtonObject*>(Object(s.skin, "closebutton"));
    ASSERT_NE(close, nullptr);
    const POINT on = Centre(close->ObjectRect);
    const POINT off{on.x - 100, on.y}; // over the caption

    MoveTo(s.form, on);
    screen->MouseDown();
    Settle();
    EXPECT_TRUE(close->IsDown());
    EXPECT_TRUE(screen->MouseCaptured());
    MoveTo(s.form, off);
    screen->MouseUp();
    Settle();
    EXPECT_FALSE(close->IsDown());
    EXPECT_FALSE(screen->MouseCaptured());
    EXPECT_EQ(log, (std::vector<std::string>{"enter closebutton", "leave closebutton"}));
    EXPECT_TRUE(s.form->Visible());

    // Pressing, leaving and coming back before the release closes.
    log.clear();
    MoveTo(s.form, on);
    screen->MouseDown();
    Settle();
    MoveTo(s.form, off);
    MoveTo(s.form, on);
    EXPECT_TRUE(close->IsDown() && close->MouseOver);
    screen->MouseUp();
    Settle();
    EXPECT_EQ(log, (std::vector<std::string>{"enter closebutton", "leave closebutton", "enter closebutton",
                                             "close"}));
    EXPECT_FALSE(s.form->Visible());
}

TEST_F(FormBehaviour, TheRightButtonDoesNotPressACaptionButton) {
    Skinned s = MakeMainLike();
    auto* max = dynamic_cast<TqvSkinButtonObject*>(Object(s.skin, "maxbutton"));
    ASSERT_NE(max, nullptr);
    MoveTo(s.form, Centre(max->ObjectRect));
    screen->MouseDown(ui::MouseButton::Right);
    Settle();
    EXPECT_FALSE(max->IsDown());
    screen->MouseUp(ui::MouseButton::Right);
    Settle();
    EXPECT_EQ(s.skin->SkinWindowState(), vcl::wsNormal);
}

TEST_F(FormBehaviour, TheMaximizeButtonMaximizesToTheWorkAreaAndShowsTheRestoreImage) {
    Skinned s = MakeMainLike();
    auto* max = dynamic_cast<TqvSkinStdButtonObject*>(Object(s.skin, "maxbutton"));
    ASSERT_NE(max, nullptr);
    MoveTo(s.form, Centre(max->ObjectRect));
    screen->MouseDown();
    screen->MouseUp();
    Settle();
    EXPECT_EQ(s.skin->SkinWindowState(), vcl::wsMaximized);
    EXPECT_EQ(s.form->BoundsRect(), (RECT{0, 0, 1280, 984}));
    EXPECT_TRUE(max->InAlternativeState());
    // The restore image is what the button shows now (the mouse has left it).
    MoveTo(s.form, POINT{600, 500});
    ASSERT_FALSE(max->ObjectActive);
    gfx::Bitmap b = PrintFrame(s.form);
    const gfx::Bitmap* buttons = s.data->ExtraPicture(0);
    const RECT& r = max->ObjectRect;
    int same = 0;
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 21; ++x) {
            same += b.GetPixel(r.left + x, r.top + y) ==
                    buttons->GetPixel(max->restorerect.left + x, max->restorerect.top + y);
        }
    }
    EXPECT_EQ(same, 21 * 21);
    // A maximized caption is still the caption, but dragging it keeps the bounds.
    EXPECT_EQ(s.skin->HitTest(100, 12), HTCAPTION);
    RECT moving{50, 50, 1330, 1034};
    SendMessage(s.form->Handle(), WM_MOVING, WMSZ_LEFT, LPARAM(&moving));
    EXPECT_EQ(moving, (RECT{0, 0, 1280, 984}));

    // A double-click on the caption restores the bounds from before.
    SendMessage(s.form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(s.form, POINT{100, 12}));
    Settle();
    EXPECT_EQ(s.skin->SkinWindowState(), vcl::wsNormal);
    EXPECT_EQ(s.form->BoundsRect(), (RECT{100, 100, 500, 400}));
    EXPECT_FALSE(max->InAlternativeState());
    // And again maximizes.
    SendMessage(s.form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(s.form, POINT{100, 12}));
    EXPECT_EQ(s.form->BoundsRect(), (RECT{0, 0, 1280, 984}));
}

class FormBehaviourWithoutTaskbar : public FormBehaviour {
protected:
    FormBehaviourWithoutTaskbar() {
        config.monitors = {ui::MonitorDesc{{0, 0, 1280, 1024}, {0, 0, 1280, 1024}, true}};
    }
};

TEST_F(FormBehaviourWithoutTaskbar, MaximizingLeavesAOnePixelMarginWhenNothingIsReserved) {
    Skinned s = MakeMainLike();
    s.skin->SetSkinWindowState(vcl::wsMaximized);
    EXPECT_EQ(s.form->BoundsRect(), (RECT{1, 1, 1279, 1023}));
    s.skin->MaximizeOnFullScreen = true;
    s.skin->SetSkinWindowState(vcl::wsNormal);
    EXPECT_EQ(s.form->BoundsRect(), (RECT{100, 100, 500, 400}));
    s.skin->SetSkinWindowState(vcl::wsMaximized);
    EXPECT_EQ(s.form->BoundsRect(), (RECT{0, 0, 1280, 1024}));
}

TEST_F(FormBehaviour, MinimizedFormsLineUpAtTheBottomLeftOfTheWorkArea) {
    Skinned a = MakeForm(100, 100, 400, 300);
    Skinned b = MakeForm(300, 200, 350, 250);
    a.skin->SetSkinWindowState(vcl::wsMinimized);
    b.skin->SetSkinWindowState(vcl::wsMinimized);
    EXPECT_EQ(a.form->BoundsRect(), (RECT{0, 953, 200, 984}));
    EXPECT_EQ(b.form->BoundsRect(), (RECT{200, 953, 400, 984}));
    // A minimized form is all caption: no sizing borders.
    EXPECT_EQ(a.skin->HitTest(1, 1), HTOBJECT);
    EXPECT_EQ(a.skin->HitTest(60, 12), HTCAPTION);
    a.skin->SetSkinWindowState(vcl::wsNormal);
    EXPECT_EQ(a.form->BoundsRect(), (RECT{100, 100, 500, 400}));
}

TEST_F(FormBehaviour, RollingUpLeavesTheFrameAlone) {
    Skinned s = MakeForm(100, 100, 400, 300);
    s.skin->SetBorderIcons(biMinimize | biMaximize);
    s.skin->SetRolledUp(true); // ignored without the roll-up icon
    EXPECT_FALSE(s.skin->RolledUp());
    s.skin->SetBorderIcons(biRollUp);
    s.skin->SetRolledUp(true);
    EXPECT_EQ(s.form->Height(), 31);
    // The caption double-click of a form without maximize toggles the roll-up.
    SendMessage(s.form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(s.form, POINT{100, 12}));
    EXPECT_FALSE(s.skin->RolledUp());
    EXPECT_EQ(s.form->Height(), 300);
}

TEST_F(FormBehaviour, HitCodesFollowTheFrame) {
    Skinned s = MakeMainLike();
    struct Case {
        POINT p;
        int code;
    };
    const Case cases[] = {
        {{1, 1}, HTTOPLEFT},         {{10, 1}, HTTOP},         {{10, 10}, HTCAPTION},  {{385, 15}, HTOBJECT},
        {{200, 150}, HTCLIENT},      {{398, 150}, HTRIGHT},    {{1, 150}, HTLEFT},     {{200, 298}, HTBOTTOM},
        {{398, 298}, HTBOTTOMRIGHT}, {{1, 298}, HTBOTTOMLEFT}, {{398, 2}, HTTOPRIGHT},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SendMessage(s.form->Handle(), WM_NCHITTEST, 0, ScreenPoint(s.form, c.p)), c.code)
            << c.p.x << "," << c.p.y;
    }
    // A dialog border cannot be dragged to size: the edge is caption or frame.
    s.form->SetBorderStyle(vcl::bsDialog);
    Settle();
    EXPECT_EQ(s.skin->HitTest(1, 1), HTOBJECT);
    EXPECT_EQ(s.skin->HitTest(10, 10), HTCAPTION);
}

TEST_F(FormBehaviour, MagneticMovingSnapsToTheEdgeAndLetsGo) {
    Skinned s = MakeForm(100, 100, 400, 300);
    s.skin->Magnetic = true;
    SetCursorPos(300, 300);
    SendMessage(s.form->Handle(), WM_ENTERSIZEMOVE, 0, 0);
    int left = 4, top = 200; // 4 pixels from the work area's left edge
    s.skin->SnapToEdges(left, top, 300, 400);
    EXPECT_EQ(left, 0);
    // Within the snap distance of where it snapped the form stays on the edge...
    SetCursorPos(305, 300);
    left = 9;
    s.skin->SnapToEdges(left, top, 300, 400);
    EXPECT_EQ(left, 0);
    // ...further away it follows the cursor again.
    SetCursorPos(306, 300);
    left = 10;
    s.skin->SnapToEdges(left, top, 300, 400);
    EXPECT_EQ(left, 6);
    // The bottom edge of the work area (984) snaps too, through WM_MOVING.
    RECT moving{50, 682, 450, 982};
    SendMessage(s.form->Handle(), WM_MOVING, WMSZ_LEFT, LPARAM(&moving));
    EXPECT_EQ(moving, (RECT{50, 684, 450, 984}));
}

std::vector<std::string> Captions(vcl::TMenu* menu) {
    std::vector<std::string> out;
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        out.push_back(menu->Items()->Items(i)->Caption());
    }
    return out;
}

TEST_F(FormBehaviour, TheSystemMenuOffersWhatTheIconsAllow) {
    Skinned s = MakeMainLike();
    EXPECT_EQ(Captions(s.skin->SystemMenuItems()),
              (std::vector<std::string>{"Mi&nimize", "Ma&ximize", "-", "&Close"}));
    EXPECT_EQ(vcl::ShortCutToText(s.skin->SystemMenuItems()->Items()->Items(3)->ShortCut()), "Alt+F4");
    s.skin->SetSkinWindowState(vcl::wsMaximized);
    EXPECT_EQ(Captions(s.skin->SystemMenuItems()),
              (std::vector<std::string>{"Mi&nimize", "&Restore", "-", "&Close"}));
    s.skin->SetBorderIcons(0);
    s.skin->SetSkinWindowState(vcl::wsNormal);
    EXPECT_EQ(Captions(s.skin->SystemMenuItems()), (std::vector<std::string>{"&Close"}));
    // The Close item closes the form.
    s.skin->SystemMenuItems()->Items()->Items(0)->Click();
    EXPECT_EQ(log.back(), "close");
}

TEST_F(FormBehaviour, SizeLimitsComeFromTheSkin) {
    Skinned s = MakeMainLike();
    MINMAXINFO info{};
    SendMessage(s.form->Handle(), WM_GETMINMAXINFO, 0, LPARAM(&info));
    EXPECT_EQ(info.ptMinTrackSize, (POINT{200, 31}));
    EXPECT_EQ(info.ptMaxTrackSize, (POINT{1280, 984}));
    s.skin->MaxWidth = 800;
    s.skin->MinHeight = 100;
    SendMessage(s.form->Handle(), WM_GETMINMAXINFO, 0, LPARAM(&info));
    EXPECT_EQ(info.ptMinTrackSize, (POINT{200, 100}));
    EXPECT_EQ(info.ptMaxTrackSize, (POINT{800, 984}));
}

} // namespace
