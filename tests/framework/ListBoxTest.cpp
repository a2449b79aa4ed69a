#include "framework/ListBox.h"
#include "ApplicationFixture.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

using namespace vcl;

class ListBoxTest : public ApplicationFixture {};

TEST_F(ListBoxTest, ListBoxItemsReachTheWindowAndKeysMoveTheIndex) {
    auto* form = new TForm(app.get());
    auto* lb = new TListBox(form);
    lb->SetParent(form);
    lb->SetBounds(10, 10, 150, 100);
    lb->Items()->Add("/var/log/iis");
    lb->Items()->Add("/srv/www");
    lb->SetItemIndex(1);
    lb->SetItemHeight(20);
    int clicks = 0;
    lb->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    HWND h = lb->Handle();
    EXPECT_EQ(SendMessage(h, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessage(h, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessage(h, LB_GETITEMHEIGHT, 0, 0), 20);
    lb->Items()->Insert(0, "/home/ops");
    EXPECT_EQ(lb->ItemIndex(), 2);
    char text[32] = {};
    SendMessage(h, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "/home/ops");

    lb->SetFocus();
    screen->Key(VK_HOME);
    app->ProcessMessages();
    EXPECT_EQ(lb->ItemIndex(), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(lb->Items()->IndexOf("/SRV/WWW"), 2);
    lb->Items()->Delete(0);
    EXPECT_EQ(SendMessage(h, LB_GETCOUNT, 0, 0), 2);
    EXPECT_THROW(lb->Items()->Get(5), EStringListError);
}
