// The ">>" button of the main window: the folder dialog opens on the folder box's text, and what
// the user chooses there goes into the box and, by the history rules, into DefaultDir.txt.

#include "app/Unit1.h"
#include "platform/fs/FileError.h"

#include "ApplicationFixture.h"
#include "SystemFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::vector<std::string> Lines(const vcl::TStrings& items) {
    std::vector<std::string> lines;
    for (int i = 0; i < items.Count(); ++i)
        lines.push_back(items[i]);
    return lines;
}

class FolderChooserTest : public ApplicationFixture {
protected:
    void SetUp() override {
        ApplicationFixture::SetUp();
        history = dir / "DefaultDir.txt";
        for (const char* d : {"logs/W3SVC1", "logs/W3SVC2"})
            std::filesystem::create_directories(dir / d);
        // The folders as the dialog gives them back: in the system's own form.
        logs = NativePath(dir / "logs");
        w3svc1 = NativePath(dir / "logs/W3SVC1");
        w3svc2 = NativePath(dir / "logs/W3SVC2");
    }

    // The window over a history file holding `lines`. The file is then overwritten with a
    // marker, so that a test sees whether the window saved it again.
    app::TForm1* MakeWindow(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        dir.Write("DefaultDir.txt", text);
        app::MainWindowOptions options;
        options.HistoryFile = history;
        options.ExeFolder = dir.Path() + "/";
        app::SetMainWindowOptions(options);
        app::TForm1* form = nullptr;
        app->CreateForm(form);
        form->Show();
        Settle();
        dir.Write("DefaultDir.txt", kUntouched);
        return form;
    }

    // Presses ">>" (through btn1Click, so a failure reaches the test) and acts once on the dialog.
    void Choose(app::TForm1* form, const std::function<void(qv::TqvSelDirDlgForm*)>& during) {
        bool acted = false;
        app->OnIdle = [&](vcl::TObject*, bool&) {
            qv::TqvSelDirDlgForm* dialog = form->qvSelDir1->DialogForm();
            if (dialog && dialog->Visible() && !acted) {
                acted = true;
                during(dialog);
            }
        };
        try {
            form->btn1Click(form->btn1);
        } catch (...) {
            app->OnIdle = nullptr;
            throw;
        }
        app->OnIdle = nullptr;
        EXPECT_TRUE(acted);
    }
    // Moves the dialog's tree to `path` and accepts with Enter.
    void Pick(app::TForm1* form, const std::string& path) {
        Choose(form, [&](qv::TqvSelDirDlgForm* dialog) {
            dialog->FolderTree->SetPath(path);
            screen->Key(VK_RETURN);
        });
    }

    static constexpr const char* kUntouched = "untouched\r\n";
    TempFolder dir;
    std::string history;
    std::string logs, w3svc1, w3svc2;
};

TEST_F(FolderChooserTest, TheComponentAsTheWindowHoldsIt) {
    app::TForm1* form = MakeWindow({});
    qv::TqvSkinSelectDirectoryDialog* d = form->qvSelDir1;
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Title, "选择IIS日志目录");
    EXPECT_EQ(d->Directory, "/");
    EXPECT_FALSE(d->ShowToolBar);
    EXPECT_EQ(d->SkinData(), form->qvskindata1);
    EXPECT_EQ(d->CtrlSkinData(), form->qvskindata1);
    EXPECT_EQ(d->DefaultFont()->Name(), "宋体");
    EXPECT_EQ(d->DefaultFont()->Height(), -12);
    EXPECT_EQ(d->DefaultFont()->Charset(), 134); // GB2312
    EXPECT_EQ(d->DialogWidth, 0);
    EXPECT_EQ(d->DialogHeight, 0);
}

TEST_F(FolderChooserTest, TheDialogOpensOnTheFolderBoxText) {
    struct Case {
        std::string Text;
        std::string Selected;
    } cases[] = {
        {w3svc2, w3svc2},
        {"", "Computer"},
        {NativePath(dir / "logs/missing"), "Computer"},
    };
    app::TForm1* form = MakeWindow({logs});
    for (const Case& c : cases) {
        form->cbb1->SetText(c.Text);
        std::string selected, caption;
        Choose(form, [&](qv::TqvSelDirDlgForm* dialog) {
            selected = dialog->FolderTree->SelectedPath();
            caption = dialog->Caption();
            screen->Key(VK_ESCAPE);
        });
        EXPECT_EQ(selected, c.Selected) << c.Text;
        EXPECT_EQ(caption, "选择IIS日志目录");
    }
}

TEST_F(FolderChooserTest, AChosenFolderGoesIntoTheBoxAndByTheRulesIntoTheHistory) {
    struct Case {
        const char* Name;
        std::vector<std::string> History;
        std::string Chosen;
        std::vector<std::string> Items; // afterwards
        bool Saved;
    } cases[] = {
        {"empty history: the box only", {}, w3svc1, {}, false},
        {"a new folder is appended and saved", {"/var/log"}, w3svc1, {"/var/log", w3svc1}, true},
        {"a known folder in another letter case: saved unchanged",
         {"/var/log", NativePath(dir / "logs/w3svc1")},
         w3svc1,
         {"/var/log", NativePath(dir / "logs/w3svc1")},
         true},
    };
    for (const Case& c : cases) {
        app::TForm1* form = MakeWindow(c.History);
        form->cbb1->SetText(logs);
        Pick(form, c.Chosen);
        EXPECT_EQ(form->cbb1->GetText(), c.Chosen) << c.Name;
        EXPECT_EQ(Lines(*form->cbb1->Items()), c.Items) << c.Name;
        std::string saved;
        for (const std::string& line : c.Items)
            saved += line + "\r\n";
        EXPECT_EQ(ReadFile(history), c.Saved ? saved : std::string(kUntouched)) << c.Name;
        delete form;
    }
}

TEST_F(FolderChooserTest, CancelChangesNothingEvenAfterMovingTheSelection) {
    app::TForm1* form = MakeWindow({"/var/log"});
    form->cbb1->SetText(w3svc1);
    Choose(form, [&](qv::TqvSelDirDlgForm* dialog) {
        screen->Key(VK_DOWN);
        app->ProcessMessages();
        EXPECT_EQ(dialog->FolderTree->SelectedPath(), w3svc2);
        screen->Key(VK_ESCAPE);
    });
    EXPECT_EQ(form->cbb1->GetText(), w3svc1);
    EXPECT_EQ(Lines(*form->cbb1->Items()), std::vector<std::string>{"/var/log"});
    EXPECT_EQ(ReadFile(history), kUntouched);
}

TEST_F(FolderChooserTest, AHistoryThatCannotBeSavedIsReportedAfterTheBoxAndListChanged) {
    app::TForm1* form = MakeWindow({"/var/log"});
    // A folder where the file was: the save cannot replace it (not even as root).
    std::filesystem::remove(history);
    std::filesystem::create_directory(history);
    form->cbb1->SetText(logs);
    try {
        Pick(form, w3svc2);
        ADD_FAILURE() << "no error";
    } catch (const fs::FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + NativePath(history) + "\". ", 0), 0u)
            << e.what();
    }
    EXPECT_EQ(form->cbb1->GetText(), w3svc2);
    EXPECT_EQ(Lines(*form->cbb1->Items()), (std::vector<std::string>{"/var/log", w3svc2}));
}

TEST_F(FolderChooserTest, PressingTheButtonRunsTheDialog) {
    app::TForm1* form = MakeWindow({"/var/log"});
    form->cbb1->SetText(w3svc1);
    bool opened = false;
    app->OnIdle = [&](vcl::TObject*, bool&) {
        if (qv::TqvSelDirDlgForm* dialog = form->qvSelDir1->DialogForm();
            dialog && dialog->Visible() && !opened) {
            opened = true;
            screen->Key(VK_DOWN);
            screen->Key(VK_RETURN);
        }
    };
    ClickAt(form->btn1, 5, 5);
    app->OnIdle = nullptr;
    EXPECT_TRUE(opened);
    EXPECT_EQ(form->cbb1->GetText(), w3svc2);
    EXPECT_EQ(ReadFile(history), "/var/log\r\n" + w3svc2 + "\r\n");
}

} // namespace
