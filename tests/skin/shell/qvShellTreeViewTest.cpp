// The folder tree on the headless screen, skinned with the embedded skin, with its two bars
// beside it: lazy loading in shell order, selecting deep paths, refreshing, and the bars
// following the tree and the tree following the bars.

#include "skin/shell/qvSkinShellCtrls.h"

#include "EmbeddedSkin.h"
#include "TempFolder.h"
#include "framework/Forms.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "skin/data/qvSkinContainer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

using namespace qv;

namespace {

class ShellTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("LANG", "C", 1);
        ::unsetenv("LC_ALL");
        ::unsetenv("LC_MESSAGES");
        ::unsetenv("XDG_CONFIG_HOME");
        ::setenv("HOME", (root_ / "home").c_str(), 1);
        for (const char* dir :
             {"home/Documents", "home/Music/rock", "logs/W3SVC10/deep/er/still", "logs/W3SVC2", "logs/W3SVC1",
              "logs/.hidden/inside", "logs/empty", "logs/x.zip"})
            std::filesystem::create_directories(root_ / dir);
        for (int i = 0; i < 12; ++i)
            std::filesystem::create_directories(root_ / ("logs/site" + std::to_string(i)));

        auto backend = std::make_unique<ui::HeadlessBackend>();
        screen_ = backend.get();
        ui::ResetWindowSystem(std::move(backend));
        app_ = std::make_unique<vcl::TApplication>(nullptr);
        form_ = new vcl::TForm(app_.get());
        form_->SetBounds(20, 20, 260, 200);
        skin_ = new TqvSkinData(form_);
        skin_->LoadFromContainer(
            InflateSkinStream(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize)));
        hbar_ = new TqvSkinScrollBar(form_);
        hbar_->SetParent(form_);
        hbar_->SetAlign(vcl::TAlign::alBottom);
        hbar_->SetSkinData(skin_);
        vbar_ = new TqvSkinScrollBar(form_);
        vbar_->SetKind(sbVertical);
        vbar_->SetSkinDataName("vscrollbar");
        vbar_->SetBounds(0, 0, 17, 100);
        vbar_->SetParent(form_);
        vbar_->SetAlign(vcl::TAlign::alRight);
        vbar_->SetSkinData(skin_);
        tree_ = new TqvSkinDirTreeView(form_);
        tree_->SetParent(form_);
        tree_->SetAlign(vcl::TAlign::alClient);
        tree_->SetHideSelection(false);
        tree_->SetSkinData(skin_);
        tree_->SetVScrollBar(vbar_);
        tree_->SetHScrollBar(hbar_);
        form_->Show();
        Settle();
    }
    void TearDown() override {
        app_.reset();
        ui::ShutdownWindowSystem();
    }
    void Settle() {
        app_->ProcessMessages();
        app_->ProcessMessages();
    }
    static std::vector<std::string> Texts(vcl::TTreeNode* node) {
        std::vector<std::string> texts;
        for (int i = 0; i < node->Count(); ++i)
            texts.push_back(node->Item(i)->Text());
        return texts;
    }
    static vcl::TTreeNode* Child(vcl::TTreeNode* node, const std::string& text) {
        for (int i = 0; node && i < node->Count(); ++i)
            if (node->Item(i)->Text() == text) return node->Item(i);
        return nullptr;
    }
    // The bars show exactly what the native control's scroll state says.
    void ExpectBarsInStep() {
        int min = 0, max = 0;
        GetScrollRange(tree_->Handle(), SB_VERT, &min, &max);
        int rows = int(SendMessage(tree_->Handle(), TVM_GETVISIBLECOUNT, 0, 0));
        EXPECT_EQ(vbar_->Visible(), max > 0 && rows <= max);
        if (vbar_->Visible()) {
            EXPECT_EQ(vbar_->Max(), max);
            EXPECT_EQ(vbar_->Position(), GetScrollPos(tree_->Handle(), SB_VERT));
            EXPECT_EQ(vbar_->PageSize(), rows);
        }
        EXPECT_EQ(hbar_->Both(), vbar_->Visible());
    }

    TempFolder root_;
    std::unique_ptr<vcl::TApplication> app_;
    vcl::TForm* form_ = nullptr;
    TqvSkinData* skin_ = nullptr;
    TqvSkinScrollBar* hbar_ = nullptr;
    TqvSkinScrollBar* vbar_ = nullptr;
    TqvSkinDirTreeView* tree_ = nullptr;
    ui::HeadlessBackend* screen_ = nullptr;
};

TEST_F(ShellTreeTest, ExpandsLazilyAndSelectsADeepPathWithItsBarsInStep) {
    ASSERT_EQ(tree_->Items()->Roots().size(), 1u);
    vcl::TTreeNode* desktop = tree_->Items()->GetFirstNode();
    EXPECT_EQ(desktop->Text(), "Desktop");
    EXPECT_TRUE(desktop->Expanded());
    EXPECT_EQ(tree_->Selected(), desktop);
    EXPECT_EQ(Texts(desktop), (std::vector<std::string>{"Home", "Computer"}));
    vcl::TTreeNode* home = Child(desktop, "Home");
    EXPECT_TRUE(home->HasChildren());
    EXPECT_EQ(home->Count(), 0) << "children load on first expansion only";
    EXPECT_EQ(home->ImageIndex(), kIconHome);
    EXPECT_EQ(tree_->Color(), vcl::TColor(16777215)); // the skin's white field

    std::string deep = root_ / "logs/W3SVC10/deep/er";
    tree_->SetPath(deep);
    EXPECT_EQ(tree_->SelectedPath(), deep);
    vcl::TTreeNode* selected = tree_->Selected();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->Text(), "er");
    EXPECT_TRUE(selected->Expanded());
    vcl::TTreeNode* logs = selected->Parent()->Parent()->Parent();
    EXPECT_EQ(logs->Text(), "logs");
    // Shell order: natural, case-blind; hidden folders and files left out; siblings on the way
    // are listed but not loaded.
    std::vector<std::string> sites = Texts(logs);
    EXPECT_EQ(std::vector<std::string>(sites.begin(), sites.begin() + 5),
              (std::vector<std::string>{"empty", "site0", "site1", "site2", "site3"}));
    EXPECT_EQ(std::vector<std::string>(sites.end() - 4, sites.end()),
              (std::vector<std::string>{"W3SVC1", "W3SVC2", "W3SVC10", "x.zip"}));
    EXPECT_FALSE(Child(logs, "empty")->HasChildren());
    EXPECT_EQ(Child(logs, "W3SVC2")->Count(), 0);
    EXPECT_EQ(home->Count(), 0);
    Settle();
    ExpectBarsInStep();
    EXPECT_TRUE(vbar_->Visible());

    // The bar scrolls the tree.
    vcl::TTreeNode* topBefore = tree_->TopItem();
    vbar_->SetPosition(vbar_->Position() > 0 ? 0 : 3);
    Settle();
    EXPECT_NE(tree_->TopItem(), topBefore);
    EXPECT_EQ(GetScrollPos(tree_->Handle(), SB_VERT), vbar_->Position());
    ExpectBarsInStep();

    // The wheel over the tree scrolls it, and the bar follows.
    vbar_->SetPosition(0);
    Settle();
    POINT over = tree_->ClientToScreen(POINT{40, 40});
    screen_->MouseMove(over.x, over.y);
    screen_->Wheel(-WHEEL_DELTA);
    Settle();
    EXPECT_EQ(GetScrollPos(tree_->Handle(), SB_VERT), 3);
    ExpectBarsInStep();

    // A hidden folder is found only when hidden items are listed.
    tree_->SetPath(root_ / "logs/.hidden/inside");
    EXPECT_EQ(tree_->Selected(), nullptr);
    tree_->SetObjectTypes(otFolders | otHidden);
    tree_->SetPath(root_ / "logs/.hidden/inside");
    EXPECT_EQ(tree_->SelectedPath(), root_ / "logs/.hidden/inside");

    try {
        tree_->SetPath(root_ / "missing");
        ADD_FAILURE() << "no error";
    } catch (const EInvalidPath& e) {
        EXPECT_EQ(std::string(e.what()), "Error setting path: \"" + root_ / "missing" + "\"");
        EXPECT_EQ(tree_->Path(), root_ / "missing");
    }
    tree_->SelectMyComputer();
    EXPECT_EQ(tree_->SelectedPath(), "Computer");
    EXPECT_TRUE(tree_->Selected()->Expanded());
}

TEST_F(ShellTreeTest, ANewWindowKeepsTheSelectedFolderAndItsExpansion) {
    tree_->SelectMyComputer();
    tree_->RecreateWnd();
    Settle();
    EXPECT_EQ(tree_->SelectedPath(), "Computer");
    EXPECT_TRUE(tree_->Selected()->Expanded());
    // The last selection wins over an earlier path.
    tree_->SetPath(root_ / "logs/W3SVC2");
    tree_->SetPath(root_ / "logs/W3SVC10");
    tree_->Items()->GetFirstNode()->Item(0)->Expand(false); // Home: not the selection
    tree_->SetSelected(tree_->Items()->GetFirstNode()->Item(0));
    tree_->RecreateWnd();
    Settle();
    EXPECT_EQ(tree_->SelectedPath(), root_ / "home");
    EXPECT_TRUE(tree_->Selected()->Expanded());
}

TEST_F(ShellTreeTest, RefreshKeepsExpansionSelectionAndTopItem) {
    tree_->SetRoot(root_ / "logs");
    vcl::TTreeNode* logs = tree_->Items()->GetFirstNode();
    ASSERT_NE(logs, nullptr);
    EXPECT_EQ(logs->Text(), "logs");
    tree_->SetPath(root_ / "logs/W3SVC10/deep");
    vcl::TTreeNode* oldSelected = tree_->Selected();
    vcl::TTreeNode* site = Child(logs, "site5");
    tree_->SetTopItem(site);
    std::filesystem::create_directories(root_ / "logs/W3SVC3");
    std::filesystem::remove(root_ / "logs/empty");

    tree_->RefreshNode(logs);
    logs = tree_->Items()->GetFirstNode();
    EXPECT_EQ(tree_->Items()->Roots().size(), 1u);
    EXPECT_NE(Child(logs, "W3SVC3"), nullptr);
    EXPECT_EQ(Child(logs, "empty"), nullptr);
    EXPECT_TRUE(Child(logs, "W3SVC10")->Expanded());
    EXPECT_TRUE(Child(Child(logs, "W3SVC10"), "deep")->Expanded());
    EXPECT_NE(tree_->Selected(), oldSelected);
    EXPECT_EQ(tree_->SelectedPath(), root_ / "logs/W3SVC10/deep");
    EXPECT_EQ(tree_->TopItem(), Child(logs, "site5"));
}

TEST_F(ShellTreeTest, AddFolderEventMayRefuseAFolder) {
    int asked = 0;
    tree_->OnAddFolder = [&](vcl::TObject*, TqvShellFolder* folder, bool& canAdd) {
        ++asked;
        canAdd = folder->DisplayName().rfind("site", 0) != 0;
    };
    tree_->SetRoot(root_ / "logs");
    vcl::TTreeNode* logs = tree_->Items()->GetFirstNode();
    EXPECT_EQ(Texts(logs), (std::vector<std::string>{"empty", "W3SVC1", "W3SVC2", "W3SVC10", "x.zip"}));
    Settle();
    EXPECT_FALSE(vbar_->Visible()) << "every row fits";
    ExpectBarsInStep();
    int afterFirst = asked;
    logs->Collapse(false);
    logs->Expand(false);
    EXPECT_EQ(asked, afterFirst) << "a second expansion loads nothing again";
}

TEST_F(ShellTreeTest, LabelEditingRenamesTheFolder) {
    tree_->SetRoot(root_ / "logs");
    vcl::TTreeNode* w1 = Child(tree_->Items()->GetFirstNode(), "W3SVC1");
    std::string edited;
    tree_->OnEdited = [&](vcl::TObject*, vcl::TTreeNode*, std::string& text) {
        edited = text;
        text += "0";
    };
    auto rename = [&](vcl::TTreeNode* node, const char* text) {
        HWND edit =
            reinterpret_cast<HWND>(SendMessage(tree_->Handle(), TVM_EDITLABEL, 0, LPARAM(node->ItemId())));
        ASSERT_NE(edit, nullptr);
        SetWindowText(edit, text);
        SendMessage(tree_->Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
    };
    rename(w1, "W3SVC4");
    EXPECT_EQ(edited, "W3SVC4");
    EXPECT_EQ(w1->Text(), "W3SVC40");
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "logs/W3SVC40"));
    EXPECT_EQ(tree_->FolderOf(w1)->PathName(), root_ / "logs/W3SVC40");
}

TEST_F(ShellTreeTest, AutoRefreshFollowsTheSelectedFolder) {
    tree_->SetRoot(root_ / "logs");
    tree_->SetAutoRefresh(true);
    tree_->SetPath(root_ / "logs/W3SVC2");
    ASSERT_NE(tree_->Notifier(), nullptr);
    EXPECT_EQ(tree_->Notifier()->Root(), root_ / "logs/W3SVC2");
    // The notifier's worker watches from its first wait on: keep adding until the tree shows one.
    int made = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (tree_->Selected()->Count() == 0 && std::chrono::steady_clock::now() < deadline) {
        if (made < 100)
            std::filesystem::create_directory(root_ / ("logs/W3SVC2/new" + std::to_string(made++)));
        app_->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_GT(tree_->Selected()->Count(), 0);
    EXPECT_EQ(tree_->SelectedPath(), root_ / "logs/W3SVC2");
    tree_->SetAutoRefresh(false);
    EXPECT_EQ(tree_->Notifier(), nullptr);
}

} // namespace
