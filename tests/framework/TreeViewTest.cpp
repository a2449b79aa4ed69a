#include "framework/Forms.h"
#include "framework/TreeView.h"
#include "HeadlessFixture.h"

#include <gtest/gtest.h>

using namespace vcl;

TEST_F(HeadlessTest, TreeViewLoadsChildrenInOnExpanding) {
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
