// Skinned popup menus: size and place, the system menu's look, submenus and their delay, scroll
// markers, the keyboard and accelerators, the close messages, the focus staying with the form,
// and the opacity fade, on the headless screen and clock.

#include "FormSkinFixture.h"

#include "framework/Edit.h"
#include "skin/data/qvUtils.h"
#include "skin/form/qvSkinMenus.h"

#include <string>
#include <vector>

namespace {

using namespace qv;

class MenuTest : public FormSkinFixture {
protected:
    // A skinned popup menu owned by the form, with n plain items "Item 0" … (each counts its
    // clicks into clicks).
    TqvSkinPopupMenu* MakeMenu(vcl::TForm* form, int n) {
        auto* menu = new TqvSkinPopupMenu(form);
        for (int i = 0; i < n; ++i) {
            menu->Items()->AddItem("Item " + std::to_string(i),
                                   [this, i](vcl::TObject*) { clicks.push_back(i); });
        }
        return menu;
    }
    static RECT WindowRect(HWND h) {
        RECT r{};
        GetWindowRect(h, &r);
        return r;
    }
    // Screen point inside item i of a popup.
    static POINT ItemPoint(TqvSkinPopupWindow* popup, int i, int dx = 10) {
        RECT wr = WindowRect(popup->Handle());
        const RECT& r = popup->Items[std::size_t(i)]->ItemRect;
        return POINT{wr.left + r.left + dx, wr.top + (r.top + r.bottom) / 2};
    }
    void Hover(POINT p) {
        screen->MouseMove(p.x, p.y);
        Settle();
    }
    TqvSkinMenu* Engine(const Skinned& s) { return s.skin->SkinMenu(); }

    std::vector<int> clicks;
};

// ---- placement ----

TEST(MenuPlacement, PopupsStayInsideTheWorkArea) {
    const RECT wa{0, 0, 1000, 800};
    struct Case {
        const char* what;
        RECT anchor;
        bool submenu, scrolling, up;
        POINT expected;
    };
    // clang-format off
    const Case cases[] = {
        {"fits below the point", {100, 100, 100, 100}, false, false, false, {100, 100}},
        {"moved left at the right edge", {950, 100, 950, 100}, false, false, false, {800, 100}},
        {"upper half, too low: bottom of the work area, beside", {100, 350, 140, 520}, false,
         false, false, {141, 500}},
        {"lower half: above the anchor", {100, 700, 140, 720}, false, false, false, {100, 400}},
        {"asked upward and fits", {100, 500, 140, 520}, false, false, true, {100, 200}},
        {"asked upward, no room above, upper half: below", {100, 50, 140, 70}, false, false, true,
         {100, 70}},
        {"submenu: first item level with the parent item", {100, 100, 300, 120}, true, false,
         false, {301, 96}},
        {"submenu at the right edge goes left", {700, 100, 900, 120}, true, false, false,
         {499, 96}},
        {"submenu too low in the lower half: bottom-aligned", {100, 700, 300, 720}, true, false,
         false, {301, 424}},
        {"scrolling: top of the work area", {100, 300, 100, 300}, false, true, false, {101, 0}},
    };
    // clang-format on
    for (const Case& c : cases) {
        POINT p = PlaceMenuPopup(c.anchor, wa, 200, 300, c.submenu, c.scrolling, c.up, 4);
        EXPECT_EQ(p.x, c.expected.x) << c.what;
        EXPECT_EQ(p.y, c.expected.y) << c.what;
    }
}

// ---- the system menu ----

TEST_F(MenuTest, TheSystemMenuOpensAtTheCursorWithTheFirstItemHighlighted) {
    Skinned s = MakeForm(100, 100, 400, 300);
    s.skin->SetBorderIcons(biMinimize | biMaximize);
    const POINT at{s.form->Left() + 150, s.form->Top() + 12};
    screen->Click(at.x, at.y, ui::MouseButton::Right);
    Settle();
    TqvSkinPopupWindow* popup = Engine(s)->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(s.skin->SkinMenuOpen());
    ASSERT_EQ(popup->Items.size(), 4u);
    EXPECT_EQ(popup->Items[0]->SourceItem->Caption(), "Mi&nimize");
    EXPECT_EQ(popup->Items[1]->SourceItem->Caption(), "Ma&ximize");
    EXPECT_TRUE(popup->Items[2]->IsSeparator());
    EXPECT_EQ(popup->Items[3]->SourceItem->Caption(), "&Close");
    EXPECT_TRUE(popup->Items[0]->Selected);
    EXPECT_EQ(popup->HotIndex, 0);

    // Size from the skin: items 22 high, the separator 7, plus the frame around itemsrect.
    const TqvDataSkinPopupWindow& ws = s.data->PopupWindowSkin;
    const gfx::Bitmap* picture = s.data->ExtraPicture(ws.windowpictureindex);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(popup->Height(), 22 * 3 + 7 + picture->Height() - HeightOfRect(ws.itemsrect));
    EXPECT_EQ(WindowRect(popup->Handle()), (RECT{at.x, at.y, at.x + popup->Width(), at.y + popup->Height()}));
    EXPECT_EQ(popup->Items[0]->ItemRect.top, ws.itemsrect.top);
    EXPECT_EQ(popup->Items[3]->ItemRect.bottom, popup->Height() - (picture->Height() - ws.itemsrect.bottom));
    // The widest text (caption, two spaces, shortcut) fits between the image column and the
    // right edge.
    EXPECT_GT(popup->Width(), 100);

    // The form kept the activation and the focus.
    EXPECT_EQ(GetActiveWindow(), s.form->Handle());
    EXPECT_EQ(GetFocus(), s.form->Handle());
}

TEST_F(MenuTest, AtTheScreensCornerTheSystemMenuStaysInTheWorkArea) {
    // A form whose caption lies in the lower half, near the right edge of the 1280 x 984 work area.
    Skinned s = MakeForm(1280 - 300, 984 - 60, 300, 60);
    s.skin->SetBorderIcons(biMinimize | biMaximize);
    const POINT at{1280 - 120, s.form->Top() + 12}; // left of the caption buttons
    screen->Click(at.x, at.y, ui::MouseButton::Right);
    Settle();
    TqvSkinPopupWindow* popup = Engine(s)->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    // Moved left to the edge, and above the cursor since it does not fit below.
    EXPECT_EQ(WindowRect(popup->Handle()), (RECT{1280 - popup->Width(), at.y - popup->Height(), 1280, at.y}));
}

TEST_F(MenuTest, TheSystemMenuDrawsTheSkinsItemPicturesAndGlyphs) {
    Skinned s = MakeForm(100, 100, 400, 300);
    s.skin->SetBorderIcons(biMinimize | biMaximize);
    screen->Click(s.form->Left() + 150, s.form->Top() + 12, ui::MouseButton::Right);
    Settle();
    TqvSkinPopupWindow* popup = Engine(s)->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    const TqvDataSkinMenuItem* rec = popup->ItemSkin;
    ASSERT_NE(rec, nullptr);
    const gfx::Bitmap* items = s.data->ExtraPicture(rec->activepictureindex);
    ASSERT_NE(items, nullptr);
    const RECT wr = WindowRect(popup->Handle());
    const gfx::Bitmap shot = screen->ReadScreen();
    auto pixel = [&](int x, int y) { return shot.GetPixel(x, y); };
    // A point of the item background away from text and glyphs: the active picture on the
    // highlighted first item, the normal one on the second.
    auto itemPixel = [&](int i) {
        const RECT& r = popup->Items[std::size_t(i)]->ItemRect;
        return pixel(wr.left + r.right - 8, wr.top + r.top + 3);
    };
    EXPECT_EQ(itemPixel(0), items->GetPixel(rec->activeskinrect.right - 8, rec->activeskinrect.top + 3));
    EXPECT_EQ(itemPixel(1), items->GetPixel(rec->skinrect.right - 8, rec->skinrect.top + 3));
    EXPECT_NE(itemPixel(0), itemPixel(1));
    // Each command item shows its glyph in the image column: some pixel there has the font
    // colour of the item.
    for (int i : {0, 1, 3}) {
        const RECT& r = popup->Items[std::size_t(i)]->ItemRect;
        const TColor c = popup->Items[std::size_t(i)]->Active() ? rec->activefontcolor : rec->font.color;
        const COLORREF want = vcl::ColorToRGB(c);
        const gfx::Pixel wantPixel = (GetRValue(want) << 16) | (GetGValue(want) << 8) | GetBValue(want);
        bool found = false;
        for (int y = rec->imagerect.top; y < rec->imagerect.bottom && !found; ++y) {
            for (int x = rec->imagerect.left; x < rec->imagerect.right && !found; ++x) {
                found = (pixel(wr.left + r.left + x, wr.top + r.top + y) & 0xFFFFFF) == wantPixel;
            }
        }
        EXPECT_TRUE(found) << "glyph of item " << i;
    }
}

TEST_F(MenuTest, WithoutASkinTheBuiltInLookIsDrawn) {
    Skinned s = MakeForm(100, 100, 400, 300, /*withSkin=*/false);
    auto* menu = MakeMenu(s.form, 3);
    menu->PopupFor(s.form, 300, 300);
    Settle();
    TqvSkinPopupWindow* popup = Engine(s)->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->WindowSkin, nullptr);
    EXPECT_EQ(popup->ItemSkin, nullptr);
    EXPECT_EQ(popup->Height(), 3 * 20 + 6);
    EXPECT_EQ(popup->ItemsArea, (RECT{2, 2, popup->Width() - 2, popup->Height() - 2}));
    const RECT wr = WindowRect(popup->Handle());
    const RECT& first = popup->Items[0]->ItemRect;
    // The highlighted first item: a navy frame around a light steel-blue fill.
    EXPECT_EQ(ScreenPixel(wr.left + first.left, wr.top + first.top + 5) & 0xFFFFFF, 0x000080u);
    EXPECT_EQ(ScreenPixel(wr.left + first.right - 3, wr.top + first.top + 3) & 0xFFFFFF, 0xB6BDD2u);
    // The window border is the button shadow colour.
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(ScreenPixel(wr.left, wr.top + 10) & 0xFFFFFF,
              gfx::Pixel((GetRValue(shadow) << 16) | (GetGValue(shadow) << 8) | GetBValue(shadow)));
}

TEST_F(MenuTest, TheSystemMenuButtonOpensItUnderItselfAndEscapeReleasesIt) {
    Skinned s = MakeForm(100, 100, 400, 300);
    s.skin->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    Settle();
    TqvSkinButtonObject* button = nullptr;
    for (auto& o : s.skin->SkinObjects) {
        auto* b = dynamic_cast<TqvSkinStdButtonObject*>(o.get());
        if (b != nullptr && b->command == cmSysMenu && b->Shown) {
            button = b;
        }
    }
    ASSERT_NE(button, nullptr);
    const RECT r = button->ObjectRect;
    const POINT at{s.form->Left() + (r.left + r.right) / 2, s.form->Top() + (r.top + r.bottom) / 2};
    screen->MouseMove(at.x, at.y);
    Settle();
    screen->MouseDown();
    Settle();
    screen->MouseUp();
    Settle();
    TqvSkinPopupWindow* popup = Engine(s)->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(WindowRect(popup->Handle()).left, s.form->Left() + r.left);
    EXPECT_EQ(WindowRect(popup->Handle()).top, s.form->Top() + r.bottom);
    EXPECT_TRUE(button->IsDown());
    screen->Key(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(Engine(s)->MenuOpen());
    EXPECT_FALSE(s.skin->SkinMenuOpen());
    EXPECT_FALSE(button->IsDown());
}

TEST_F(MenuTest, TheWheelIsSwallowedWhileAMenuIsOpen) {
    Skinned s = MakeForm(100, 100, 400, 300);
    int wheels = 0;
    vcl::TWndMethod old = s.form->WindowProc;
    s.form->WindowProc = [&](vcl::TMessage& m) {
        wheels += m.Msg == WM_MOUSEWHEEL ? 1 : 0;
        old(m);
    };
    screen->MouseMove(s.form->Left() + 200, s.form->Top() + 150);
    screen->Wheel(120);
    Settle();
    EXPECT_EQ(wheels, 1);
    auto* menu = MakeMenu(s.form, 3);
    menu->PopupFor(s.form, 600, 600);
    Settle();
    screen->Wheel(120);
    Settle();
    EXPECT_EQ(wheels, 1);
    EXPECT_TRUE(Engine(s)->MenuOpen());
    s.form->WindowProc = old;
}

// ---- the mouse ----

TEST_F(MenuTest, AClickRunsTheItemAfterTheMenuClosedAndTheFormKeepsTheFocus) {
    Skinned s = MakeForm(100, 100, 400, 300);
    auto* edit = new vcl::TEdit(s.form);
    edit->SetParent(s.form);
    edit->SetBounds(10, 10, 100, 24);
    Settle();
    edit->SetFocus();
    Settle();
    auto* menu = MakeMenu(s.form, 3);
    bool openDuringClick = true;
    menu->Items()->Items(1)->OnClick = [&](vcl::TObject*) {
        openDuringClick = Engine(s)->MenuOpen();
        clicks.push_back(1);
    };
    menu->PopupFor(edit, 300, 300);
    Settle();
    TqvSkinPopupWindow* popup = Engine(s)->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetFocus(), edit->Handle());
    POINT p = ItemPoint(popup, 1);
    screen->Click(p.x, p.y);
    Settle();
    EXPECT_EQ(clicks, (std::vector<int>{1}));
    EXPECT_FALSE(openDuringClick);
    EXPECT_FALSE(Engine(s)->MenuOpen());
    EXPECT_FALSE(s.skin->SkinMenuOpen());
    EXPECT_EQ(GetFocus(), edit->Handle());
    EXPECT_EQ(GetActiveWindow(), s.form->Handle());
    // The key filter is gone with the menu.
    EXPECT_FALSE(app->OnMessage);
}

TEST_F(MenuTest, SeparatorsAndDisabledItemsIgnoreClicks) {
    Skinned s = MakeForm(100, 100, 400, 300);
    auto* menu = MakeMenu(s.form, 2);
    menu->Items()->Insert(1, new vcl::TMenuItem(menu));
    menu->Items()->Items(1)->SetCaption("-");
    menu->Items()->Items(2)->SetEnabled(false);
    menu->PopupFor(s.form, 300, 300);
    Settle();
    TqvSkinPopupWindow* popup = Engine(s)->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    for (int i : {1, 2}) {
        POINT p = ItemPoint(popup, i);
        screen->Click(p.x, p.y);
        Settle();
        EXPECT_TRUE(Engine(s)->MenuOpen()) << i;
    }
    EXPECT_TRUE(clicks.empty());
}

TEST_F(MenuTest, HoveringAnItemWithChildrenOpensItsSubmenuAfterHalfASecond) {
    Skinned s = MakeForm(100, 100, 400, 300);
    auto* menu = MakeMenu(s.form, 3);
    vcl::TMenuItem* sub = menu->Items()->Items(1);
    sub->OnClick = nullptr;
    sub->AddItem("Inner A", [this](vcl::TObject*) { clicks.push_back(10); });
    sub->AddItem("Inner B", [this](vcl::TObject*) { clicks.push_back(11); });
    menu->PopupFor(s.form, 300, 300);
    Settle();
    TqvSkinMenu* engine = Engine(s);
    TqvSkinPopupWindow* popup = engine->PopupAt(0);
    ASSERT_NE(popup, nullptr);

    // Moving to a plain item before the delay cancels it.
    Hover(ItemPoint(popup, 1));
    EXPECT_EQ(engine->PendingItem, popup->Items[1].get());
    Wait(300);
    Hover(ItemPoint(popup, 2));
    Wait(400);
    EXPECT_EQ(engine->Popups.size(), 1u);
    EXPECT_EQ(engine->PendingItem, nullptr);

    // Resting on it: nothing at 450 ms, the submenu at 500 ms, its first item level with the
    // parent item and its first item highlighted.
    Hover(ItemPoint(popup, 1));
    Wait(450);
    EXPECT_EQ(engine->Popups.size(), 1u);
    Wait(60);
    ASSERT_EQ(engine->Popups.size(), 2u);
    TqvSkinPopupWindow* inner = engine->PopupAt(1);
    EXPECT_TRUE(popup->Items[1]->SubmenuOpen);
    const RECT outer = WindowRect(popup->Handle());
    const RECT innerRect = WindowRect(inner->Handle());
    EXPECT_EQ(innerRect.top + inner->ItemsArea.top, outer.top + popup->Items[1]->ItemRect.top);
    EXPECT_EQ(innerRect.left, outer.left + popup->Items[1]->ItemRect.right + 1);
    EXPECT_TRUE(inner->Items[0]->Selected);

    // Escape closes only the submenu, then the whole menu.
    screen->Key(VK_ESCAPE);
    Settle();
    EXPECT_EQ(engine->Popups.size(), 1u);
    EXPECT_FALSE(popup->Items[1]->SubmenuOpen);
    screen->Key(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(engine->MenuOpen());
    EXPECT_TRUE(clicks.empty());
}

// ---- the keyboard ----

TEST_F(MenuTest, ArrowsSkipSeparatorsAndDisabledItemsAndWrap) {
    Skinned s = MakeForm(100, 100, 400, 300);
    auto* menu = MakeMenu(s.form, 4);
    menu->Items()->Insert(1, new vcl::TMenuItem(menu));
    menu->Items()->Items(1)->SetCaption("-");
    menu->Items()->Items(3)->SetEnabled(false); // "Item 2"
    menu->PopupFor(s.form, 300, 300);
    Settle();
    TqvSkinPopupWindow* popup = Engine(s)->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    // Rows: Item 0, -, Item 1, Item 2 (disabled), Item 3.
    std::vector<int> hot;
    for (int vk : {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_UP}) {
        screen->Key(vk);
        Settle();
        hot.push_back(popup->HotIndex);
    }
    EXPECT_EQ(hot, (std::vector<int>{2, 4, 0, 4, 2}));
    int selected = 0;
    for (auto& i : popup->Items) {
        selected += i->Selected ? 1 : 0;
    }
    EXPECT_EQ(selected, 1);
    screen->Key(VK_RETURN);
    Settle();
    EXPECT_EQ(clicks, (std::vector<int>{1}));
}

TEST_F(MenuTest, TheAcceleratorLetterRunsItsItemAtOnce) {
    Skinned s = MakeForm(100, 100, 400, 300);
    auto* edit = new vcl::TEdit(s.form);
    edit->SetParent(s.form);
    edit->SetBounds(10, 10, 100, 24);
    Settle();
    edit->SetFocus();
    Settle();
    ASSERT_EQ(GetFocus(), edit->Handle());
    auto* menu = new TqvSkinPopupMenu(s.form);
    menu->Items()->AddItem("Cu&t", [this](vcl::TObject*) { clicks.push_back(0); });
    menu->Items()->AddItem("&Copy", [this](vcl::TObject*) { clicks.push_back(1); });
    menu->Items()->AddItem("&Paste", [this](vcl::TObject*) { clicks.push_back(2); });
    menu->PopupFor(edit, 300, 300);
    Settle();
    // The window system reports the key and the character it types apart.
    screen->KeyDown('P');
    screen->Text("p");
    screen->KeyUp('P');
    Settle();
    EXPECT_EQ(clicks, (std::vector<int>{2}));
    EXPECT_FALSE(Engine(s)->MenuOpen());
    // The key and its character went to the menu, not to the focused edit.
    EXPECT_EQ(edit->GetText(), "");
    // Once closed, keys reach the edit again.
    screen->KeyDown('Q');
    screen->Text("q");
    screen->KeyUp('Q');
    Settle();
    EXPECT_EQ(edit->GetText(), "q");
}

TEST_F(MenuTest, TheSystemMenuFromTheKeyboardRunsMaximizeByItsLetter) {
    Skinned s = MakeForm(100, 100, 400, 300);
    s.skin->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    EXPECT_TRUE(s.form->IsShortCut(VK_SPACE, vcl::ssAlt));
    ASSERT_TRUE(Engine(s)->MenuOpen());
    screen->Key('X');
    Settle();
    EXPECT_EQ(s.skin->SkinWindowState(), vcl::wsMaximized);
    EXPECT_FALSE(s.skin->SkinMenuOpen());
}

// ---- close messages ----

TEST_F(MenuTest, TheAskingControlHearsTheCloseAndTheCommandDone) {
    Skinned s = MakeForm(100, 100, 400, 300);
    auto* edit = new vcl::TEdit(s.form);
    edit->SetParent(s.form);
    edit->SetBounds(10, 10, 100, 24);
    Settle();
    std::vector<std::string> log;
    vcl::TWndMethod old = edit->WindowProc;
    edit->WindowProc = [&](vcl::TMessage& m) {
        if (m.Msg == QVM_SKIN_MENU_CLOSED) {
            log.push_back("edit closed");
        } else if (m.Msg == QVM_SKIN_MENU_COMMAND_DONE) {
            log.push_back("edit done");
        }
        old(m);
    };
    vcl::TWndMethod formOld = s.form->WindowProc;
    s.form->WindowProc = [&](vcl::TMessage& m) {
        if (m.Msg == QVM_SKIN_MENU_CLOSED) {
            log.push_back("form closed");
        }
        formOld(m);
    };
    auto* menu = new TqvSkinPopupMenu(s.form);
    menu->Items()->AddItem("&Run", [&](vcl::TObject*) { log.push_back("click"); });
    menu->OnClose = [&](vcl::TObject*) { log.push_back("on close"); };
    menu->PopupFor(edit, 300, 300);
    Settle();
    EXPECT_TRUE(menu->Showing());
    EXPECT_EQ(Engine(s)->PopupControl(), edit);
    screen->Key(VK_RETURN);
    Settle();
    EXPECT_EQ(log,
              (std::vector<std::string>{"edit closed", "on close", "form closed", "click", "edit done"}));
    EXPECT_EQ(Engine(s)->CommandControl(), nullptr);

    // Escape: the close messages, no command.
    log.clear();
    menu->PopupFor(edit, 300, 300);
    Settle();
    screen->Key(VK_ESCAPE);
    Settle();
    EXPECT_EQ(log, (std::vector<std::string>{"edit closed", "on close", "form closed"}));
    s.form->WindowProc = formOld;
    edit->WindowProc = old;
}

TEST_F(MenuTest, AMenuOpenedOverAnotherTellsTheFirstControlOfItsClose) {
    Skinned s = MakeForm(100, 100, 400, 300);
    std::vector<std::string> log;
    auto makeEdit = [&](const std::string& name, int y) {
        auto* edit = new vcl::TEdit(s.form);
        edit->SetParent(s.form);
        edit->SetBounds(10, y, 100, 24);
        vcl::TWndMethod old = edit->WindowProc;
        edit->WindowProc = [&log, name, old](vcl::TMessage& m) {
            if (m.Msg == QVM_SKIN_MENU_CLOSED) {
                log.push_back(name);
            }
            old(m);
        };
        return edit;
    };
    vcl::TEdit* a = makeEdit("a", 10);
    vcl::TEdit* b = makeEdit("b", 40);
    Settle();
    auto* menu = MakeMenu(s.form, 2);
    TqvSkinMenu* engine = Engine(s);
    engine->Popup(a, s.data, 0, RECT{300, 300, 300, 300}, menu->Items(), false);
    engine->Popup(b, s.data, 0, RECT{320, 320, 320, 320}, menu->Items(), false);
    EXPECT_EQ(log, (std::vector<std::string>{"a"}));
    EXPECT_EQ(engine->PopupControl(), b);
    engine->CloseMenu();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
    // The edits' hooks use log: they go before it.
    delete a;
    delete b;
}

TEST_F(MenuTest, OnAFormWithoutAFormSkinTheMenuKeepsAnEngineOfItsOwn) {
    auto* form = new vcl::TForm(app.get());
    form->SetBounds(100, 100, 300, 200);
    form->Show();
    Settle();
    std::vector<std::string> log;
    vcl::TWndMethod old = form->WindowProc;
    form->WindowProc = [&](vcl::TMessage& m) {
        if (m.Msg == QVM_SKIN_MENU_CLOSED) {
            log.push_back("form closed");
        }
        old(m);
    };
    auto* menu = MakeMenu(form, 3);
    menu->PopupFor(form, 150, 150);
    Settle();
    ASSERT_NE(menu->Engine(), nullptr);
    EXPECT_TRUE(menu->Showing());
    // No skin: the built-in look.
    EXPECT_EQ(menu->Engine()->PopupAt(0)->WindowSkin, nullptr);
    screen->Key(VK_DOWN);
    screen->Key(VK_RETURN);
    Settle();
    EXPECT_EQ(clicks, (std::vector<int>{1}));
    EXPECT_EQ(log, (std::vector<std::string>{"form closed"}));
    EXPECT_FALSE(menu->Showing());
    form->WindowProc = old;
}

TEST_F(MenuTest, FreeingTheMenuWhileItIsOpenClosesIt) {
    Skinned s = MakeForm(100, 100, 400, 300);
    auto* menu = MakeMenu(s.form, 3);
    menu->PopupFor(s.form, 300, 300);
    Settle();
    ASSERT_TRUE(Engine(s)->MenuOpen());
    delete menu;
    Settle();
    EXPECT_FALSE(Engine(s)->MenuOpen());
    EXPECT_FALSE(s.skin->SkinMenuOpen());
    Wait(200);
}

TEST_F(MenuTest, ACommandThatFreesTheFormLeavesNothingBehind) {
    Skinned s = MakeForm(100, 100, 400, 300);
    auto* menu = new TqvSkinPopupMenu(s.form);
    vcl::TForm* form = s.form;
    menu->Items()->AddItem("&Free", [form](vcl::TObject*) { delete form; });
    menu->PopupFor(form, 300, 300);
    Settle();
    screen->Key(VK_RETURN);
    Settle();
    // Timers and messages of the freed menu find nothing.
    Wait(100);
    screen->Key(VK_DOWN);
    Settle();
}

// ---- scrolling ----

TEST_F(MenuTest, AMenuTallerThanTheWorkAreaScrollsOneItemPerTenthOfASecond) {
    Skinned s = MakeForm(100, 100, 400, 300);
    auto* menu = MakeMenu(s.form, 60); // 60 x 22 pixels > 984
    menu->PopupFor(s.form, 300, 300);
    Settle();
    TqvSkinPopupWindow* popup = Engine(s)->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->Scrolling);
    const RECT wr = WindowRect(popup->Handle());
    EXPECT_EQ(wr.top, 0);
    EXPECT_EQ(HeightOfRect(wr), 984);
    EXPECT_EQ(wr.left, 301);
    EXPECT_EQ(popup->FirstShown, 0);
    EXPECT_EQ(popup->Items[0]->ItemRect.top, popup->ItemsArea.top + 10);
    const int shown = popup->ShownCount;
    EXPECT_LT(shown, 60);
    EXPECT_FALSE(popup->Items[std::size_t(shown)]->ItemVisible);

    // Resting on the lower marker.
    const RECT lower = popup->LowerMarker();
    Hover(POINT{wr.left + (lower.left + lower.right) / 2, wr.top + lower.top + 5});
    EXPECT_EQ(popup->ScrollDirection, 2);
    Wait(100);
    EXPECT_EQ(popup->FirstShown, 1);
    for (int i = 0; i < 3; ++i) {
        Wait(100);
    }
    EXPECT_EQ(popup->FirstShown, 4);
    EXPECT_FALSE(popup->Items[0]->ItemVisible);
    EXPECT_TRUE(popup->Items[4]->ItemVisible);
    // Leaving the marker stops it.
    Hover(ItemPoint(popup, 10));
    EXPECT_EQ(popup->ScrollDirection, 0);
    for (int i = 0; i < 3; ++i) {
        Wait(100);
    }
    EXPECT_EQ(popup->FirstShown, 4);

    // The keyboard wraps from the first item to the last, scrolled to the end.
    screen->Key(VK_HOME); // not a menu key: nothing moves
    for (int i = popup->HotIndex; i > 0; --i) {
        screen->Key(VK_UP);
    }
    Settle();
    EXPECT_EQ(popup->HotIndex, 0);
    EXPECT_EQ(popup->FirstShown, 0);
    screen->Key(VK_UP);
    Settle();
    EXPECT_EQ(popup->HotIndex, 59);
    EXPECT_EQ(popup->FirstShown, popup->LastStart());
    EXPECT_TRUE(popup->Items[59]->ItemVisible);
    EXPECT_EQ(popup->FirstShown + popup->ShownCount, 60);
    screen->Key(VK_DOWN);
    Settle();
    EXPECT_EQ(popup->HotIndex, 0);
    EXPECT_EQ(popup->FirstShown, 0);
}

TEST_F(MenuTest, TheItemLimitCutsTheMenuAndScrolls) {
    Skinned s = MakeForm(100, 100, 400, 300);
    s.skin->SetMaxMenuItemsInWindow(5);
    auto* menu = MakeMenu(s.form, 12);
    menu->PopupFor(s.form, 300, 300);
    Settle();
    TqvSkinPopupWindow* popup = Engine(s)->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->Scrolling);
    EXPECT_EQ(popup->ShownCount, 5);
}

// ---- opacity ----

TEST_F(MenuTest, TheMenuFadesInByTenEveryFiveMilliseconds) {
    Skinned s = MakeForm(100, 100, 400, 300);
    s.skin->MenusAlphaBlend = true;
    s.skin->MenusAlphaBlendAnimation = true;
    s.skin->MenusAlphaBlendValue = 180;
    auto* menu = MakeMenu(s.form, 3);
    vcl::TMenuItem* sub = menu->Items()->Items(0);
    sub->AddItem("Inner");
    menu->PopupFor(s.form, 300, 300);
    Settle();
    TqvSkinPopupWindow* popup = Engine(s)->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    BYTE alpha = 255;
    GetLayeredWindowAttributes(popup->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 0);
    Wait(5);
    GetLayeredWindowAttributes(popup->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 10);
    for (int i = 0; i < 30; ++i) {
        Wait(5);
    }
    GetLayeredWindowAttributes(popup->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 180);
    // A submenu appears at the final opacity at once.
    screen->Key(VK_RIGHT);
    Settle();
    ASSERT_NE(Engine(s)->PopupAt(1), nullptr);
    GetLayeredWindowAttributes(Engine(s)->PopupAt(1)->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 180);
}

} // namespace
