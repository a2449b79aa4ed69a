#include "ControlsFixture.h"

namespace {

class TreeViewWindowTest : public ControlsFixture {
protected:
    HTREEITEM Insert(HWND tree, HTREEITEM parentItem, const char* text, int children) {
        TVINSERTSTRUCT ins;
        ins.hParent = parentItem;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_CHILDREN;
        ins.item.pszText = const_cast<char*>(text);
        ins.item.cChildren = children;
        return reinterpret_cast<HTREEITEM>(
            SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&ins)));
    }
    HTREEITEM Next(HWND tree, HTREEITEM item, UINT code) {
        return reinterpret_cast<HTREEITEM>(
            SendMessage(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    RECT ItemRect(HWND tree, HTREEITEM item, bool textOnly) {
        RECT r{};
        std::memcpy(static_cast<void*>(&r), &item, sizeof item);
        SendMessage(tree, TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&r));
        return r;
    }

    // The parent loads children when a node is first expanded, as the folder tree does.
    void LoadOnDemand(HWND tree) {
        answer = [this, tree](UINT msg, WPARAM, LPARAM lParam, bool&) -> LRESULT {
            if (msg != WM_NOTIFY) return 0;
            auto* nm = reinterpret_cast<NMTREEVIEW*>(lParam);
            if (static_cast<int>(nm->hdr.code) == TVN_ITEMEXPANDING && nm->action == TVE_EXPAND &&
                !Next(tree, nm->itemNew.hItem, TVGN_CHILD)) {
                Insert(tree, nm->itemNew.hItem, "Documents", 1);
                Insert(tree, nm->itemNew.hItem, "Music", 0);
            }
            return 0;
        };
    }
};

} // namespace

TEST_F(TreeViewWindowTest, LazyExpansionAsksTheParentOnce) {
    HWND tree = Child(WC_TREEVIEW, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 10,
                      10, 200, 200);
    LoadOnDemand(tree);
    HTREEITEM home = Insert(tree, TVI_ROOT, "Home", 1);
    EXPECT_EQ(Next(tree, home, TVGN_CHILD), nullptr);
    EXPECT_TRUE(SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(home)));
    EXPECT_EQ(Count(WM_NOTIFY, TVN_ITEMEXPANDING), 1);
    EXPECT_EQ(Count(WM_NOTIFY, TVN_ITEMEXPANDED), 1);
    HTREEITEM docs = Next(tree, home, TVGN_CHILD);
    ASSERT_NE(docs, nullptr);
    EXPECT_EQ(Next(tree, home, TVGN_NEXTVISIBLE), docs);
    EXPECT_EQ(SendMessage(tree, TVM_GETCOUNT, 0, 0), 3);
    SendMessage(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(home));
    SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(home));
    EXPECT_EQ(Count(WM_NOTIFY, TVN_ITEMEXPANDING), 1);
    EXPECT_EQ(SendMessage(tree, TVM_GETCOUNT, 0, 0), 3);

    // A click on a collapsed child's button expands it (and asks the parent, by mouse).
    RECT label = ItemRect(tree, docs, true);
    ClickAt(tree, label.left - 12, (label.top + label.bottom) / 2);
    EXPECT_EQ(Count(WM_NOTIFY, TVN_ITEMEXPANDING), 2);
    EXPECT_NE(Next(tree, docs, TVGN_CHILD), nullptr);
}

TEST_F(TreeViewWindowTest, ClickAndKeysMoveTheSelection) {
    HWND tree = Child(WC_TREEVIEW, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 10, 10, 200, 200);
    LoadOnDemand(tree);
    HTREEITEM a = Insert(tree, TVI_ROOT, "Desktop", 1);
    HTREEITEM b = Insert(tree, TVI_ROOT, "Computer", 0);
    RECT rb = ItemRect(tree, b, true);
    received.clear();
    ClickAt(tree, rb.left + 3, rb.top + 3);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), b);
    ASSERT_EQ(Count(WM_NOTIFY, TVN_SELCHANGED), 1);
    for (const auto& r : received) {
        if (r.code == TVN_SELCHANGED) {
            EXPECT_EQ(r.action, TVC_BYMOUSE);
        }
    }
    Key(VK_UP);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), a);
    Key(VK_RIGHT); // expands, loading the children
    HTREEITEM child = Next(tree, a, TVGN_CHILD);
    ASSERT_NE(child, nullptr);
    Key(VK_RIGHT); // then moves into them
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), child);
    Key(VK_LEFT);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), a);
    Key(VK_LEFT);
    EXPECT_FALSE(SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(a)) ==
                 reinterpret_cast<LRESULT>(child));

    // A parent may refuse a selection change.
    answer = [](UINT msg, WPARAM, LPARAM lParam, bool& handled) -> LRESULT {
        if (msg == WM_NOTIFY && static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code) == TVN_SELCHANGING) {
            handled = true;
            return TRUE;
        }
        return 0;
    };
    Key(VK_DOWN);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), a);
}

TEST_F(TreeViewWindowTest, ScrollStateFollowsVisibleRows) {
    HWND tree = Child(WC_TREEVIEW, TVS_HASBUTTONS, 10, 10, 200, 100);
    for (int i = 0; i < 20; ++i)
        Insert(tree, TVI_ROOT, ("Folder " + std::to_string(i)).c_str(), 0);
    int rows = static_cast<int>(SendMessage(tree, TVM_GETVISIBLECOUNT, 0, 0));
    ASSERT_GT(rows, 1);
    int min = -1, max = -1;
    GetScrollRange(tree, SB_VERT, &min, &max);
    EXPECT_EQ(max, 19);
    SendMessage(tree, WM_VSCROLL, MAKELONG(SB_THUMBPOSITION, 4), 0);
    EXPECT_EQ(GetScrollPos(tree, SB_VERT), 4);
    HTREEITEM first = Next(tree, nullptr, TVGN_FIRSTVISIBLE);
    char text[32] = {};
    TVITEM item;
    item.mask = TVIF_TEXT;
    item.hItem = first;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Folder 4");
    SendMessage(tree, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(GetScrollPos(tree, SB_VERT), 20 - rows);
}

TEST_F(TreeViewWindowTest, LabelEditingGoesThroughTheParent) {
    HWND tree = Child(WC_TREEVIEW, TVS_EDITLABELS, 10, 10, 200, 100);
    HTREEITEM item = Insert(tree, TVI_ROOT, "old name", 0);
    std::string proposed;
    answer = [&](UINT msg, WPARAM, LPARAM lParam, bool& handled) -> LRESULT {
        if (msg != WM_NOTIFY) return 0;
        auto* info = reinterpret_cast<NMTVDISPINFO*>(lParam);
        if (static_cast<int>(info->hdr.code) == TVN_ENDLABELEDIT) {
            proposed = info->item.pszText ? info->item.pszText : "(cancelled)";
            handled = true;
            return TRUE;
        }
        return 0;
    };
    HWND edit = reinterpret_cast<HWND>(SendMessage(tree, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(item)));
    ASSERT_TRUE(IsWindow(edit));
    EXPECT_EQ(Count(WM_NOTIFY, TVN_BEGINLABELEDIT), 1);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(tree, TVM_GETEDITCONTROL, 0, 0)), edit);
    SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new name"));
    Key(VK_RETURN);
    EXPECT_EQ(proposed, "new name");
    EXPECT_FALSE(IsWindow(edit));
    char text[32] = {};
    TVITEM get;
    get.mask = TVIF_TEXT;
    get.hItem = item;
    get.pszText = text;
    get.cchTextMax = sizeof text;
    SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&get));
    EXPECT_STREQ(text, "new name");

    // Escape cancels: the parent hears a null text and the item keeps its name.
    edit = reinterpret_cast<HWND>(SendMessage(tree, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(item)));
    SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("other"));
    Key(VK_ESCAPE);
    EXPECT_EQ(proposed, "(cancelled)");
    SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&get));
    EXPECT_STREQ(text, "new name");
}

namespace {
int CompareDescending(LPARAM a, LPARAM b, LPARAM direction) { return int(direction) * int(a - b); }
} // namespace

TEST_F(TreeViewWindowTest, SortsChildrenWithTheCallersComparison) {
    HWND tree = Child(WC_TREEVIEW, TVS_HASBUTTONS, 10, 10, 200, 200);
    HTREEITEM root = Insert(tree, TVI_ROOT, "root", 1);
    for (int value : {2, 10, 1}) {
        TVINSERTSTRUCT ins;
        ins.hParent = root;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_PARAM;
        std::string text = std::to_string(value);
        ins.item.pszText = text.data();
        ins.item.lParam = value;
        SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&ins));
    }
    TVSORTCB sort;
    sort.hParent = root;
    sort.lpfnCompare = CompareDescending;
    sort.lParam = -1;
    ASSERT_TRUE(SendMessage(tree, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort)));
    std::vector<LPARAM> order;
    for (HTREEITEM i = Next(tree, root, TVGN_CHILD); i; i = Next(tree, i, TVGN_NEXT)) {
        TVITEM item;
        item.mask = TVIF_PARAM;
        item.hItem = i;
        SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
        order.push_back(item.lParam);
    }
    EXPECT_EQ(order, (std::vector<LPARAM>{10, 2, 1})); // by value, not by text
    sort.lpfnCompare = nullptr;
    EXPECT_FALSE(SendMessage(tree, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort)));
}

TEST_F(TreeViewWindowTest, RedrawOffDefersTheScrollStateUntilItIsOnAgain) {
    HWND tree = Child(WC_TREEVIEW, TVS_HASBUTTONS, 10, 10, 200, 100);
    SendMessage(tree, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < 30; ++i)
        Insert(tree, TVI_ROOT, "item", 0);
    int min = 0, max = 0;
    GetScrollRange(tree, SB_VERT, &min, &max);
    EXPECT_EQ(max, 0);
    SendMessage(tree, WM_SETREDRAW, TRUE, 0);
    GetScrollRange(tree, SB_VERT, &min, &max);
    EXPECT_EQ(max, 29);
}

TEST_F(TreeViewWindowTest, RightClickTellsTheParentAndKeepsTheSelection) {
    HWND tree = Child(WC_TREEVIEW, TVS_HASBUTTONS, 10, 10, 200, 100);
    HTREEITEM a = Insert(tree, TVI_ROOT, "a", 0);
    HTREEITEM b = Insert(tree, TVI_ROOT, "b", 0);
    SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(a));
    int menus = 0;
    bool handleClick = false;
    answer = [&](UINT msg, WPARAM, LPARAM lParam, bool& handled) -> LRESULT {
        if (msg == WM_CONTEXTMENU) ++menus;
        if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == UINT(NM_RCLICK) && handleClick) {
            handled = true;
            return 1;
        }
        return 0;
    };
    RECT rb = ItemRect(tree, b, true);
    POINT p = ScreenAt(tree, rb.left + 2, rb.top + 2);
    screen->Click(p.x, p.y, ui::MouseButton::Right);
    Pump();
    EXPECT_EQ(Count(WM_NOTIFY, NM_RCLICK), 1);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), a);
    EXPECT_EQ(menus, 1);
    handleClick = true;
    screen->Click(p.x, p.y, ui::MouseButton::Right);
    Pump();
    EXPECT_EQ(Count(WM_NOTIFY, NM_RCLICK), 2);
    EXPECT_EQ(menus, 1) << "a handled NM_RCLICK shows no context menu";
}
