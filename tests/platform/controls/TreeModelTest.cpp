#include "platform/controls/TreeModel.h"

#include <gtest/gtest.h>

using namespace controls;

namespace {

TVITEM Item(const char* text, int children = 0) {
    TVITEM it;
    it.mask = TVIF_TEXT | TVIF_CHILDREN;
    it.pszText = const_cast<char*>(text);
    it.cChildren = children;
    return it;
}

} // namespace

TEST(TreeModel, LazyExpansionAsksOnceByMessageAndEveryTimeByUser) {
    TreeModel t;
    TreeNode* root = t.Insert(TVI_ROOT, TVI_LAST, Item("Desktop", 1));
    int asked = 0;
    ExpandHooks hooks;
    hooks.expanding = [&](TreeNode* n, UINT action) {
        if (action == TVE_EXPAND && !n->firstChild) {
            ++asked;
            t.Insert(n, TVI_LAST, Item("Home", 1));
            t.Insert(n, TVI_LAST, Item("Computer", 1));
        }
        return false;
    };
    EXPECT_TRUE(t.Expand(root, TVE_EXPAND, false, hooks));
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(t.VisibleRows().size(), 3u);
    EXPECT_EQ(t.VisibleRows()[1]->text, "Home");
    EXPECT_TRUE(t.Expand(root, TVE_COLLAPSE, false, hooks));
    EXPECT_EQ(t.VisibleRows().size(), 1u);

    int notified = 0;
    ExpandHooks counting;
    counting.expanding = [&](TreeNode*, UINT) { return ++notified, false; };
    EXPECT_TRUE(t.Expand(root, TVE_EXPAND, false, counting));
    EXPECT_EQ(notified, 0); // expanded once already: no notification for a message
    EXPECT_TRUE(t.Expand(root, TVE_TOGGLE, true, counting));
    EXPECT_EQ(notified, 1);
}

TEST(TreeModel, RefusedOrEmptyExpansionLeavesNoOpenBranch) {
    TreeModel t;
    TreeNode* a = t.Insert(TVI_ROOT, TVI_LAST, Item("a", 1));
    ExpandHooks refuse;
    refuse.expanding = [](TreeNode*, UINT) { return true; };
    EXPECT_FALSE(t.Expand(a, TVE_EXPAND, true, refuse));
    EXPECT_FALSE(TreeModel::Expanded(a));
    // A node that claimed children but got none loses its button.
    EXPECT_TRUE(t.Expand(a, TVE_EXPAND, true, {}));
    EXPECT_FALSE(TreeModel::Expanded(a));
    EXPECT_FALSE(TreeModel::HasChildren(a));
    EXPECT_FALSE(t.Expand(a, TVE_EXPAND, true, {}));
}

TEST(TreeModel, InsertPositionsAndNavigation) {
    TreeModel t;
    TreeNode* r = t.Insert(TVI_ROOT, TVI_LAST, Item("root"));
    TreeNode* b = t.Insert(r, TVI_LAST, Item("b"));
    TreeNode* a = t.Insert(r, TVI_FIRST, Item("a"));
    TreeNode* d = t.Insert(r, TVI_SORT, Item("D"));
    TreeNode* c = t.Insert(r, TVI_SORT, Item("c"));
    EXPECT_EQ(t.Next(r, TVGN_CHILD), a);
    EXPECT_EQ(t.Next(a, TVGN_NEXT), b);
    EXPECT_EQ(t.Next(b, TVGN_NEXT), c);
    EXPECT_EQ(t.Next(c, TVGN_NEXT), d);
    EXPECT_EQ(t.Next(d, TVGN_PREVIOUS), c);
    EXPECT_EQ(t.Next(d, TVGN_PARENT), r);
    EXPECT_EQ(t.Next(nullptr, TVGN_ROOT), r);
    EXPECT_EQ(t.Level(d), 1);
    EXPECT_EQ(t.Insert(reinterpret_cast<HTREEITEM>(0x1234), TVI_LAST, Item("x")), nullptr);
    EXPECT_EQ(t.Count(), 5);
}

TEST(TreeModel, DeletingRemovesTheSubtreeAndMovesTheCaret) {
    TreeModel t;
    TreeNode* r = t.Insert(TVI_ROOT, TVI_LAST, Item("r"));
    TreeNode* a = t.Insert(r, TVI_LAST, Item("a"));
    TreeNode* a1 = t.Insert(a, TVI_LAST, Item("a1"));
    TreeNode* b = t.Insert(r, TVI_LAST, Item("b"));
    t.Expand(r, TVE_EXPAND, false, {});
    t.Expand(a, TVE_EXPAND, false, {});
    t.SetCaret(a1);
    std::vector<std::string> gone;
    EXPECT_TRUE(t.Delete(a, [&](TreeNode* n) { gone.push_back(n->text); }));
    EXPECT_EQ(gone, (std::vector<std::string>{"a1", "a"}));
    EXPECT_EQ(t.Caret(), b);
    EXPECT_FALSE(t.Valid(a1));
    EXPECT_FALSE(t.Delete(a));
    EXPECT_EQ(t.VisibleRows().size(), 2u);
}

TEST(TreeModel, CollapseMovesAHiddenCaretToTheBranch) {
    TreeModel t;
    TreeNode* r = t.Insert(TVI_ROOT, TVI_LAST, Item("r"));
    TreeNode* a = t.Insert(r, TVI_LAST, Item("a"));
    t.Expand(r, TVE_EXPAND, false, {});
    t.SetCaret(a);
    t.Expand(r, TVE_COLLAPSE, false, {});
    EXPECT_EQ(t.Caret(), r);
    EXPECT_EQ(t.KeyTarget(ListKey::Down, 10), r);
}
