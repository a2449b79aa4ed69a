#include "framework/Menus.h"

#include <gtest/gtest.h>

using namespace vcl;

TEST(Menus, ShortCutTextRoundTrips) {
    struct Case {
        TShortCut shortCut;
        const char* text;
    };
    const Case cases[] = {
        {ShortCut('S', scCtrl), "Ctrl+S"}, {ShortCut(0x73, scAlt), "Alt+F4"},
        {ShortCut(0x2E, 0), "Del"},        {ShortCut('1', scShift | scCtrl), "Shift+Ctrl+1"},
        {ShortCut(0x0D, 0), "Enter"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShortCutToText(c.shortCut), c.text);
        EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.text;
    }
    EXPECT_EQ(ShortCutToText(scNone), "");
    EXPECT_EQ(TextToShortCut("Hyper+Q"), scNone);
    EXPECT_EQ(TextToShortCut("ctrl+s"), ShortCut('S', scCtrl));
}

TEST(Menus, HotkeysIgnoreDoubledAmpersands) {
    EXPECT_EQ(GetHotkey("&Close"), U'c');
    EXPECT_EQ(GetHotkey("Save && &Quit"), U'q');
    EXPECT_EQ(GetHotkey("A && B"), 0u);
    EXPECT_EQ(GetHotkey("trailing&"), 0u);
    EXPECT_EQ(StripHotkey("Save && &Quit"), "Save & Quit");
}

TEST(Menus, TreeRadioGroupsShortCutsAndClicks) {
    TComponent form(nullptr);
    auto* menu = new TPopupMenu(&form);
    int clicks = 0;
    TMenuItem* view = menu->Items()->AddItem("&View");
    TMenuItem* big = view->AddItem("Big");
    TMenuItem* small = view->AddItem("Small");
    TMenuItem* other = view->AddItem("Other");
    for (TMenuItem* i : {big, small, other}) {
        i->SetRadioItem(true);
    }
    other->SetGroupIndex(1);
    big->SetChecked(true);
    other->SetChecked(true);
    small->SetChecked(true);
    EXPECT_FALSE(big->Checked());
    EXPECT_TRUE(small->Checked());
    EXPECT_TRUE(other->Checked()); // another group

    TMenuItem* close = menu->Items()->AddItem(
        "&Close", [&](TObject*) { ++clicks; }, ShortCut(0x73, scAlt));
    EXPECT_TRUE(menu->IsShortCut(ShortCut(0x73, scAlt)));
    close->SetEnabled(false);
    EXPECT_FALSE(menu->IsShortCut(ShortCut(0x73, scAlt)));
    close->Click();
    EXPECT_EQ(clicks, 1);

    EXPECT_EQ(menu->Items()->Count(), 2);
    EXPECT_EQ(small->MenuIndex(), 1);
    view->Delete(0);
    EXPECT_EQ(small->MenuIndex(), 0);
    EXPECT_EQ(view->Count(), 2);
    small->SetVisible(false);
    EXPECT_EQ(view->VisibleCount(), 1);
    EXPECT_EQ(menu->Items()->Find("close"), close);
}

TEST(Menus, ClickHandlerMayFreeItsMenu) {
    auto* owner = new TComponent(nullptr);
    auto* menu = new TPopupMenu(owner);
    TMenuItem* item = menu->Items()->AddItem("x");
    bool ran = false;
    item->OnClick = [&](TObject*) {
        ran = true;
        delete menu;
    };
    item->Click();
    EXPECT_TRUE(ran);
    EXPECT_EQ(owner->ComponentCount(), 0); // the items were owned by the owner too and went
    delete owner;
}
