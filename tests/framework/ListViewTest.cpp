#include "framework/ListView.h"
#include "ApplicationFixture.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

using namespace vcl;

class ListViewTest : public ApplicationFixture {};

namespace {

// The report list of the main window, set up before its window exists.
TListView* MakeReport(TForm* form, TImageList* images) {
    auto* lv = new TListView(form);
    lv->SetParent(form);
    lv->SetBounds(0, 0, 400, 300);
    lv->SetViewStyle(vsReport);
    lv->SetRowSelect(true);
    lv->SetGridLines(true);
    lv->SetSmallImages(images);
    const char* captions[] = {"序号", "文件名", "大小"};
    for (int i = 0; i < 3; ++i) {
        TListColumn* c = lv->Columns()->Add();
        c->SetCaption(captions[i]);
        c->SetWidth(100 + i * 10);
        c->SetAlignment(i == 2 ? TAlignment::taRightJustify : TAlignment::taCenter);
    }
    return lv;
}

} // namespace

TEST_F(ListViewTest, ListViewKeepsColumnsAndItemsMadeBeforeItsWindow) {
    auto* form = new TForm(app.get());
    TImageList images(nullptr);
    images.SetSize(16, 18);
    TListView* lv = MakeReport(form, &images);
    TListItem* first = lv->Items()->Add();
    first->SetCaption("1");
    first->SubItems()->Add("ex1.log");
    first->SubItems()->Add("12");
    first->SetSelected(true);
    EXPECT_FALSE(lv->HandleAllocated());
    EXPECT_EQ(lv->ItemIndex(), 0);

    form->Show();
    HWND h = lv->Handle();
    EXPECT_EQ(SendMessage(h, LVM_GETITEMCOUNT, 0, 0), 1);
    char text[32] = {};
    LVITEM item;
    item.iSubItem = 2;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(h, LVM_GETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "12");
    EXPECT_EQ(SendMessage(h, LVM_GETCOLUMNWIDTH, 1, 0), 110);
    LVCOLUMN col;
    col.mask = LVCF_FMT;
    SendMessage(h, LVM_GETCOLUMN, 2, reinterpret_cast<LPARAM>(&col));
    EXPECT_EQ(col.fmt, LVCFMT_RIGHT);
    EXPECT_EQ(SendMessage(h, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(lv->ItemIndex(), 0);
    // The image list sets the row height.
    RECT r{};
    SendMessage(h, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.bottom - r.top, 18);

    // Rows added after the window exists appear at once, with their sub-items.
    for (int i = 2; i <= 3; ++i) {
        TListItem* row = lv->Items()->Add();
        row->SetCaption(std::to_string(i));
        row->SubItems()->Add("ex" + std::to_string(i) + ".log");
    }
    EXPECT_EQ(SendMessage(h, LVM_GETITEMCOUNT, 0, 0), 3);
    item.iSubItem = 1;
    SendMessage(h, LVM_GETITEMTEXT, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "ex3.log");
    lv->Items()->Clear();
    EXPECT_EQ(SendMessage(h, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListViewTest, ListViewClickSelectsAndRaisesItsEvents) {
    auto* form = new TForm(app.get());
    TListView* lv = MakeReport(form, nullptr);
    for (int i = 0; i < 5; ++i)
        lv->Items()->Add()->SetCaption(std::to_string(i + 1));
    int clicks = 0;
    TListItem* selectedItem = nullptr;
    lv->OnClick = [&](TObject*) { ++clicks; };
    lv->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
        if (selected) selectedItem = item;
    };
    form->Show();
    app->ProcessMessages();
    RECT r{};
    SendMessage(lv->Handle(), LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
    ClickAt(lv, 200, r.top + 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(selectedItem, lv->Items()->Item(3));
    EXPECT_EQ(lv->Selected(), lv->Items()->Item(3));
    EXPECT_TRUE(lv->Items()->Item(3)->Selected());
    // Re-creating the window keeps items and selection.
    lv->SetShowColumnHeaders(false);
    EXPECT_EQ(SendMessage(lv->Handle(), LVM_GETITEMCOUNT, 0, 0), 5);
    EXPECT_EQ(lv->ItemIndex(), 3);
}

TEST_F(ListViewTest, ListViewColoursFollowColorAndFontAfterItsWindowExists) {
    auto* form = new TForm(app.get());
    auto* lv = new TListView(form);
    lv->SetParent(form);
    form->Show();
    lv->SetColor(0x123456);
    lv->Font()->SetColor(0x00AB00);
    EXPECT_EQ(SendMessage(lv->Handle(), LVM_GETBKCOLOR, 0, 0), 0x123456);
    EXPECT_EQ(SendMessage(lv->Handle(), LVM_GETTEXTCOLOR, 0, 0), 0x00AB00);
}
