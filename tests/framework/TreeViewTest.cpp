#include "framework/TreeView.h"
#include "ApplicationFixture.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace vcl;

class TreeViewTest : public ApplicationFixture {};

TEST_F(TreeViewTest, TreeViewLoadsChildrenInOnExpanding) {
    auto* form = new TForm(app.get());
    auto* tree = new TTreeView(form);
    tree->SetParent(form);
    tree->SetBounds(0, 0, 200, 200);
    TTreeNode* desktop = tree->Items()->AddChild(nullptr, "Desktop");
    desktop->SetHasChildren(true);
    int asked = 0;
    tree->OnExpanding = [&](TObject*, TTreeNode* node, bool& allow) {
        allow = true;
        if (node->Count() > 0) return;
        ++asked;
        tree->Items()->AddChild(node, "Home")->SetHasChildren(true);
        tree->Items()->AddChild(node, "Computer");
    };
    TTreeNode* changed = nullptr;
    tree->OnChange = [&](TObject*, TTreeNode* node) { changed = node; };
    form->Show();
    desktop->Expand(false);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(desktop->Expanded());
    ASSERT_EQ(desktop->Count(), 2);
    EXPECT_EQ(SendMessage(tree->Handle(), TVM_GETCOUNT, 0, 0), 3);
    desktop->Collapse(false);
    desktop->Expand(false);
    EXPECT_EQ(asked, 1);

    tree->SetSelected(desktop->Item(1));
    EXPECT_EQ(changed, desktop->Item(1));
    EXPECT_EQ(tree->Selected(), desktop->Item(1));
    // A refusing handler keeps the branch closed.
    tree->OnExpanding = [](TObject*, TTreeNode*, bool& allow) { allow = false; };
    desktop->Item(0)->Expand(false);
    EXPECT_FALSE(desktop->Item(0)->Expanded());

    // Re-creating the window keeps nodes, expansion and selection.
    tree->SetShowLines(false);
    EXPECT_EQ(SendMessage(tree->Handle(), TVM_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(tree->Selected(), desktop->Item(1));
    tree->Items()->Delete(desktop->Item(1));
    EXPECT_EQ(desktop->Count(), 1);
    EXPECT_EQ(SendMessage(tree->Handle(), TVM_GETCOUNT, 0, 0), 2);
}

namespace {
// The texts of the window's items under `parent` (TVI_ROOT for the top level), in window order.
std::vector<std::string> WindowChildren(TTreeView* tree, HTREEITEM parent) {
    std::vector<std::string> texts;
    HWND h = tree->Handle();
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessage(h, TVM_GETNEXTITEM, parent == TVI_ROOT ? TVGN_ROOT : TVGN_CHILD,
                    reinterpret_cast<LPARAM>(parent == TVI_ROOT ? nullptr : parent)));
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     SendMessage(h, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        char text[64] = {};
        TVITEM info;
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        SendMessage(h, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&info));
        texts.push_back(text);
    }
    return texts;
}
} // namespace

TEST_F(TreeViewTest, TreeViewInsertsSortsAndReportsDeletions) {
    auto* form = new TForm(app.get());
    auto* tree = new TTreeView(form);
    tree->SetParent(form);
    tree->SetBounds(0, 0, 200, 60);
    form->Show();
    TTreeNode* root = tree->Items()->AddChild(nullptr, "root");
    TTreeNode* b = tree->Items()->AddChild(root, "b10");
    tree->Items()->AddChild(root, "b2");
    TTreeNode* a = tree->Items()->Insert(b, "a");
    EXPECT_EQ(a->Index(), 0);
    EXPECT_EQ(WindowChildren(tree, root->ItemId()), (std::vector<std::string>{"a", "b10", "b2"}));
    // Longest text first: the window follows the wrapper's new order.
    root->CustomSort(
        [](TTreeNode* x, TTreeNode* y) { return int(y->Text().size()) - int(x->Text().size()); });
    EXPECT_EQ(root->Item(0)->Text(), "b10");
    EXPECT_EQ(WindowChildren(tree, root->ItemId()), (std::vector<std::string>{"b10", "b2", "a"}));
    EXPECT_EQ(root->GetNext(), root->Item(0));
    EXPECT_EQ(root->Item(2)->GetNext(), nullptr);

    // Batched changes publish the scroll state once, at the end.
    tree->Items()->BeginUpdate();
    for (int i = 0; i < 20; ++i)
        tree->Items()->AddChild(root, "x");
    root->Expand(false);
    int min = 0, max = 0;
    GetScrollRange(tree->Handle(), SB_VERT, &min, &max);
    EXPECT_EQ(max, 0);
    tree->Items()->EndUpdate();
    GetScrollRange(tree->Handle(), SB_VERT, &min, &max);
    EXPECT_EQ(max, 23);
    tree->SetTopItem(root->Item(5));
    EXPECT_EQ(tree->TopItem(), root->Item(5));

    std::vector<std::string> deleted;
    tree->OnDeletion = [&](TObject*, TTreeNode* node) { deleted.push_back(node->Text()); };
    tree->Items()->AddChild(root->Item(0), "child");
    tree->Items()->Delete(root->Item(0));
    EXPECT_EQ(deleted, (std::vector<std::string>{"child", "b10"}));
    deleted.clear();
    tree->Items()->Clear();
    EXPECT_EQ(deleted.size(), 23u); // 21 children and "a", then the root last
    EXPECT_EQ(deleted.back(), "root");
}

TEST_F(TreeViewTest, TreeViewRightClickSelectsWhenAsked) {
    auto* form = new TForm(app.get());
    auto* tree = new TTreeView(form);
    tree->SetParent(form);
    tree->SetBounds(0, 0, 200, 100);
    form->Show();
    TTreeNode* first = tree->Items()->AddChild(nullptr, "first");
    TTreeNode* second = tree->Items()->AddChild(nullptr, "second");
    tree->SetSelected(first);
    RECT r{};
    HTREEITEM id = second->ItemId();
    std::memcpy(static_cast<void*>(&r), &id, sizeof id);
    SendMessage(tree->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    POINT p = tree->ClientToScreen(POINT{r.left + 2, r.top + 2});
    screen->Click(p.x, p.y, ui::MouseButton::Right);
    Settle();
    EXPECT_EQ(tree->Selected(), first);
    tree->SetRightClickSelect(true);
    screen->Click(p.x, p.y, ui::MouseButton::Right);
    Settle();
    EXPECT_EQ(tree->Selected(), second);
}
