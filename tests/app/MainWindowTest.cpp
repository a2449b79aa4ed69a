#include "app/FolderHistory.h"
#include "app/Unit1.h"

#include "HeadlessFixture.h"
#include "TempFolder.h"

#include <gtest/gtest.h>


namespace {


class MainWindowTest : public HeadlessTest {
protected:
    app::TForm1* MakeWindow(std::optional<std::string> folder = std::nullopt) {
        app::MainWindowOptions options;
        options.Folder = std::move(folder);
        options.HistoryFile = dir / "DefaultDir.txt";
        options.ExeFolder = dir.Path() + "/";
        app::SetMainWindowOptions(options);
        app::TForm1* form = nullptr;
        app->CreateForm(form);
        return form;
    }

    TempFolder dir;
};

TEST_F(MainWindowTest, OpensSkinnedWithItsCaptionAndSize) {
    app::TForm1* form = MakeWindow();
    EXPECT_EQ(form->Caption(), "Tarvel社IIS日志分析工具V1.0");
    EXPECT_EQ(form->ClientWidth(), 754);
    EXPECT_EQ(form->ClientHeight(), 573);
    // The stored skin is loaded while the window is read, before FormCreate.
    EXPECT_FALSE(form->qvskindata1->IsEmpty());
    EXPECT_EQ(form->qvform1->SkinData(), form->qvskindata1);
    EXPECT_EQ(form->Analysis->Signatures().size(), 7u);
    form->Show();
    Settle();
    EXPECT_TRUE(form->Visible());
}

} // namespace
