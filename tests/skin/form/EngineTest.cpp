// The form skin's engine: caption repaint on a new title, the fade-in on the window's timer, the
// keyboard's way to the system menu.

#include "FormSkinFixture.h"

#include "skin/form/qvSkinMenus.h"

#include <string>
#include <vector>

namespace {

using namespace qv;

class EngineTest : public FormSkinFixture {};

TEST_F(EngineTest, ANewCaptionRepaintsTheFrameAtOnce) {
    Skinned s = MakeForm(10, 10, 400, 200);
    std::vector<std::string> painted;
    s.skin->OnCaptionPaint = [&](vcl::TCanvas*, const RECT&, bool) { painted.push_back(s.form->Caption()); };
    s.form->SetCaption("Another title");
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(painted.back(), "Another title");
}

BYTE Opacity(HWND h, bool& layered) {
    layered = (GetWindowLong(h, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    BYTE alpha = 255;
    GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr);
    return alpha;
}

TEST_F(EngineTest, AnOpaqueAlphaBlendEndsNotLayered) {
    Skinned s = MakeForm(10, 10, 400, 200, true, false);
    s.skin->SetAlphaBlend(true);
    s.skin->SetAlphaBlendValue(255);
    s.form->Show();
    Settle();
    bool layered = false;
    Opacity(s.form->Handle(), layered);
    EXPECT_TRUE(layered); // until the fade timer ran
    Wait(2);
    Opacity(s.form->Handle(), layered);
    EXPECT_FALSE(layered);
}

TEST_F(EngineTest, TheFadeInClimbsByTenEveryFiveMilliseconds) {
    Skinned s = MakeForm(10, 10, 400, 200, true, false);
    s.skin->AlphaBlendAnimation = true;
    s.skin->SetAlphaBlend(true);
    s.skin->SetAlphaBlendValue(200);
    s.form->Show();
    Settle();
    bool layered = false;
    EXPECT_EQ(Opacity(s.form->Handle(), layered), 0);
    Wait(1); // the first tick arms the 5 ms steps
    std::vector<int> seen;
    for (int i = 0; i < 25; ++i) {
        Wait(5);
        seen.push_back(Opacity(s.form->Handle(), layered));
    }
    EXPECT_EQ(seen.front(), 10);
    EXPECT_EQ(seen[4], 50);
    EXPECT_EQ(seen.back(), 200);
    EXPECT_TRUE(layered);
}

TEST_F(EngineTest, AltSpaceIsTheSystemMenuKeyAndTheKeyMenuIsSwallowed) {
    Skinned s = MakeForm(10, 10, 400, 200);
    std::vector<WORD> userKeys;
    s.skin->OnShortCut = [&](WORD key, vcl::TShiftState, bool& handled) {
        userKeys.push_back(key);
        handled = key == 'Q';
    };
    int opened = 0;
    s.skin->OnSkinMenuOpen = [&](vcl::TObject*) { ++opened; };
    // The user's handler sees every key first and may take it.
    EXPECT_TRUE(s.form->IsShortCut('Q', vcl::ssAlt));
    EXPECT_EQ(opened, 0);
    // Alt+Space is handled, and with a usable system-menu button opens the menu, which Escape
    // closes again.
    s.skin->SetBorderIcons(biSystemMenu);
    EXPECT_TRUE(s.form->IsShortCut(VK_SPACE, vcl::ssAlt));
    EXPECT_TRUE(s.skin->SkinMenuOpen());
    screen->Key(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(s.skin->SkinMenuOpen());
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(userKeys, (std::vector<WORD>{'Q', VK_SPACE}));
    // Without one it is handled all the same and shows nothing.
    s.skin->SetBorderIcons(0);
    EXPECT_TRUE(s.form->IsShortCut(VK_SPACE, vcl::ssAlt));
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(s.form->IsShortCut(VK_SPACE, vcl::ssAlt | vcl::ssCtrl));
    // SC_KEYMENU never reaches the platform's menu; an open menu state is closed.
    s.skin->OpenSkinMenu();
    ASSERT_TRUE(s.skin->SkinMenuOpen());
    SendMessage(s.form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_FALSE(s.skin->SkinMenuOpen());
}

TEST_F(EngineTest, SwitchingTheSkinnedModeOffGivesTheFormItsOwnFrameAndBack) {
    Skinned s = MakeForm(100, 100, 400, 300);
    s.skin->SetBorderIcons(biMinimize | biMaximize);
    s.skin->SetSkinWindowState(vcl::wsMaximized);
    s.data->SetSkinnableForm(false);
    Settle();
    EXPECT_FALSE(s.skin->FormSkinnable());
    // The platform's frame and caption buttons, and the maximized state carried over to it.
    EXPECT_EQ(s.form->BorderIcons(), vcl::biSystemMenu | vcl::biMinimize | vcl::biMaximize);
    EXPECT_EQ(s.form->WindowState(), vcl::wsMaximized);
    EXPECT_TRUE(s.form->Visible());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(s.form->Handle(), region), ERROR);
    DeleteObject(region);
    EXPECT_NE(SendMessage(s.form->Handle(), WM_NCHITTEST, 0,
                          MAKELPARAM(WORD(s.form->Left() + 300), WORD(s.form->Top() + 2))),
              HTOBJECT);

    s.data->SetSkinnableForm(true);
    Settle();
    EXPECT_TRUE(s.skin->FormSkinnable());
    EXPECT_EQ(s.form->BorderIcons(), 0u);
    EXPECT_EQ(s.skin->FrameInsets(), (RECT{4, 27, 4, 4}));
    EXPECT_TRUE(s.form->Visible());
}

TEST_F(EngineTest, TheSystemMenuRunsTheChosenCommand) {
    Skinned s = MakeForm(100, 100, 400, 300);
    s.skin->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    // From the keyboard: Alt+Space opens it with the first item (Minimize) highlighted; Down and
    // Enter run the second, Maximize. The form keeps the focus all along.
    EXPECT_TRUE(s.form->IsShortCut(VK_SPACE, vcl::ssAlt));
    screen->Key(VK_DOWN);
    screen->Key(VK_RETURN);
    Settle();
    EXPECT_EQ(s.skin->SkinWindowState(), vcl::wsMaximized);
    EXPECT_FALSE(s.skin->SkinMenuOpen());

    // With the mouse: a right click on the caption opens it at the cursor; a click on the
    // second item (Minimize, Restore, -, Close while maximized) restores.
    const POINT at{s.form->Left() + 300, s.form->Top() + 12};
    screen->Click(at.x, at.y, ui::MouseButton::Right);
    Settle();
    qv::TqvSkinPopupWindow* popup = s.skin->SkinMenu()->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    RECT wr{};
    GetWindowRect(popup->Handle(), &wr);
    EXPECT_EQ(wr.left, at.x);
    EXPECT_EQ(wr.top, at.y);
    const RECT item = popup->Items[1]->ItemRect;
    screen->MouseMove(wr.left + item.left + 10, wr.top + item.top + 5);
    screen->Click(wr.left + item.left + 10, wr.top + item.top + 5);
    Settle();
    EXPECT_EQ(s.skin->SkinWindowState(), vcl::wsNormal);
    EXPECT_EQ(s.form->BoundsRect(), (RECT{100, 100, 500, 400}));

    // A press outside the menu closes it and runs nothing.
    const POINT caption{s.form->Left() + 300, s.form->Top() + 12};
    screen->Click(caption.x, caption.y, ui::MouseButton::Right);
    Settle();
    EXPECT_TRUE(s.skin->SkinMenuOpen());
    screen->Click(s.form->Left() + 200, s.form->Top() + 150);
    Settle();
    EXPECT_FALSE(s.skin->SkinMenuOpen());
    EXPECT_EQ(s.skin->SkinWindowState(), vcl::wsNormal);
    EXPECT_TRUE(s.form->Visible());
}

} // namespace
