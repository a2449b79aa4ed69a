#include "app/Unit1.h"
#include "app/Unit2.h"

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

class HistoryEditorTest : public ApplicationFixture {
protected:
    void SetUp() override {
        ApplicationFixture::SetUp();
        history = dir / "DefaultDir.txt";
    }

    // Both windows as start-up makes them: the main window, then the hidden editor.
    void Start(const std::string& file) {
        dir.Write("DefaultDir.txt", file);
        app::MainWindowOptions options;
        options.HistoryFile = history;
        options.ExeFolder = dir.Path() + "/";
        app::SetMainWindowOptions(options);
        app->CreateForm(form1);
        app->CreateForm(form2);
        form1->Show();
        Settle();
    }

    // Runs `step` on every idle turn of the loop (the editor's modal loop among them) until it
    // returns true; gives up, cancelling the editor, after a bounded number of turns.
    void WhileIdle(std::function<bool()> step) {
        idleStep_ = std::move(step);
        idleTurns_ = 0;
        gaveUp = false;
        app->OnIdle = [this](vcl::TObject*, bool& done) {
            if (!idleStep_) return;
            done = false;
            bool finished = idleStep_();
            if (!finished && ++idleTurns_ > 2000) gaveUp = true;
            if (finished || gaveUp) {
                idleStep_ = nullptr; // not the running handler: that is OnIdle, which stays
                if (form2->Modal()) form2->SetModalResult(vcl::mrCancel);
            }
        };
    }

    void PressCtrlE() {
        screen->KeyDown(VK_CONTROL);
        screen->Key('E');
        screen->KeyUp(VK_CONTROL);
        Settle();
    }

    TempFolder dir;
    std::string history;
    app::TForm1* form1 = nullptr;
    app::TForm2* form2 = nullptr;
    bool gaveUp = false; // the last WhileIdle step never finished; the editor was cancelled

private:
    std::function<bool()> idleStep_;
    int idleTurns_ = 0;
};

TEST_F(HistoryEditorTest, IsCreatedHiddenOnTheMainWindowsSkin) {
    Start("/a\r\n");
    EXPECT_FALSE(form2->Visible());
    EXPECT_EQ(form1->HistoryEditor(), form2);
    EXPECT_EQ(form2->Caption(), "编辑日志查询记录");
    EXPECT_EQ(form2->ClientWidth(), 526);
    EXPECT_EQ(form2->ClientHeight(), 312);
    EXPECT_EQ(form2->qvform1->SkinData(), form1->qvskindata1);
    EXPECT_EQ(form2->mmo1->SkinData(), form1->qvskindata1);
    EXPECT_EQ(form2->mmo1->VScrollBar(), form2->qvknscrlbr2);
    EXPECT_EQ(form2->mmo1->HScrollBar(), form2->qvknscrlbr1);
    EXPECT_FALSE(form1->btn2->Visible()); // the button stays hidden: Ctrl+E reaches the editor
}

TEST_F(HistoryEditorTest, CtrlEOpensTheEditorModallyWithOneEntryPerLine) {
    Start("/a\r\n/b\r\n\r\n/c\r\n");
    form1->lv1->SetFocus();
    bool shown = false;
    bool modal = false;
    bool mainDisabled = false;
    std::vector<std::string> lines;
    WhileIdle([&] {
        if (!form2->Visible()) return false;
        shown = true;
        modal = form2->Modal();
        mainDisabled = !IsWindowEnabled(form1->Handle());
        lines = Lines(*form2->mmo1->Lines());
        form2->btn2Click(form2->btn2);
        return true;
    });
    PressCtrlE();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(mainDisabled);
    EXPECT_EQ(lines, (std::vector<std::string>{"/a", "/b", "", "/c"}));
    EXPECT_FALSE(form2->Visible());
    EXPECT_TRUE(IsWindowEnabled(form1->Handle()));
    // Other modifiers leave Ctrl+E alone.
    shown = false;
    WhileIdle([&] { return shown = form2->Visible(); });
    screen->KeyDown(VK_CONTROL);
    screen->KeyDown(VK_SHIFT);
    screen->Key('E');
    screen->KeyUp(VK_SHIFT);
    screen->KeyUp(VK_CONTROL);
    Settle();
    EXPECT_FALSE(shown);
}

TEST_F(HistoryEditorTest, SaveReplacesTheHistoryAndWritesEveryLineWithCrLf) {
    struct Case {
        const char* Name;
        std::string Text; // what the user left in the memo
        std::vector<std::string> Items;
        std::string File;
    } cases[] = {
        {"edited", "/a\r\n/new\r\n/c", {"/a", "/new", "/c"}, "/a\r\n/new\r\n/c\r\n"},
        {"every line deleted", "", {}, ""},
        {"a blank line in between", "/a\r\n\r\n/c", {"/a", "", "/c"}, "/a\r\n\r\n/c\r\n"},
        {"a blank last line", "/a\r\n\r\n", {"/a", ""}, "/a\r\n\r\n"},
        {"a final break", "/a\r\n/b\r\n", {"/a", "/b"}, "/a\r\n/b\r\n"},
        {"lone line feeds", "/a\n/b", {"/a", "/b"}, "/a\r\n/b\r\n"},
        {"non-ASCII folder", "/日志/ü", {"/日志/ü"}, "/日志/ü\r\n"},
    };
    Start("/a\r\n/b\r\n/c\r\n");
    for (const Case& c : cases) {
        form1->cbb1->SetText("/typed");
        form2->Show();
        Settle();
        form2->mmo1->SetText(c.Text);
        form2->btn1Click(form2->btn1);
        Settle();
        EXPECT_EQ(Lines(*form1->cbb1->Items()), c.Items) << c.Name;
        EXPECT_EQ(ReadFile(history), c.File) << c.Name;
        EXPECT_EQ(form1->cbb1->GetText(), "/typed") << c.Name; // the box's text is not touched
        EXPECT_FALSE(form2->Visible()) << c.Name;
    }
}

TEST_F(HistoryEditorTest, ReopeningShowsTheSavedHistoryBlankLinesIncluded) {
    Start("/a\r\n\r\n");
    form2->Show();
    Settle();
    EXPECT_EQ(Lines(*form2->mmo1->Lines()), (std::vector<std::string>{"/a", ""}));
    form2->btn1Click(form2->btn1);
    EXPECT_EQ(ReadFile(history), "/a\r\n\r\n"); // saving unchanged text keeps the blank entry
}

TEST_F(HistoryEditorTest, CancelEscapeAndTheCloseButtonDiscardTheEdits) {
    Start("/a\r\n/b\r\n");
    for (int way = 0; way < 3; ++way) {
        bool reopened = false;
        std::vector<std::string> lines;
        int opening = 0;
        WhileIdle([&] {
            if (!form2->Visible()) return false;
            if (opening == 0) {
                form2->mmo1->SetText("/edited");
                if (way == 0) form2->btn2Click(form2->btn2); // "取消"
                else if (way == 1)
                    PostMessage(form2->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); // the frame's close button
                else screen->Key(VK_ESCAPE); // typed into the memo, which has the focus
                ++opening;
                return false;
            }
            return false;
        });
        form1->btn2Click(form1->btn2);
        EXPECT_FALSE(gaveUp) << way; // the dialog closed by itself
        EXPECT_FALSE(form2->Visible());
        EXPECT_EQ(Lines(*form1->cbb1->Items()), (std::vector<std::string>{"/a", "/b"})) << way;
        WhileIdle([&] {
            if (!form2->Visible()) return false;
            reopened = true;
            lines = Lines(*form2->mmo1->Lines());
            form2->btn2Click(form2->btn2);
            return true;
        });
        form1->btn2Click(form1->btn2);
        EXPECT_TRUE(reopened);
        EXPECT_EQ(lines, (std::vector<std::string>{"/a", "/b"})) << way;
        EXPECT_EQ(ReadFile(history), "/a\r\n/b\r\n") << way;
    }
}

TEST_F(HistoryEditorTest, AFailedSaveIsReportedAndTheDialogStaysOpen) {
    Start("/a\r\n");
    std::vector<std::string> reported;
    app->OnException = [&](vcl::TObject*, const std::exception& e) { reported.push_back(e.what()); };
    // The history file's place is taken by a folder: the save cannot replace it.
    std::filesystem::remove(history);
    std::filesystem::create_directory(history);
    bool stillOpen = false;
    int phase = 0;
    WhileIdle([&] {
        if (!form2->Visible()) return false;
        if (phase == 0) {
            form2->mmo1->SetText("/x\r\n/y");
            ClickAt(form2->btn1, 37, 12);
            ++phase;
            return false;
        }
        stillOpen = form2->Visible() && form2->Modal();
        form2->btn2Click(form2->btn2);
        return true;
    });
    form1->btn2Click(form1->btn2);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].rfind("Cannot create file \"" + NativePath(history) + "\". ", 0), 0u)
        << reported[0];
    EXPECT_TRUE(stillOpen);
    // The main window's history was replaced before the save failed.
    EXPECT_EQ(Lines(*form1->cbb1->Items()), (std::vector<std::string>{"/x", "/y"}));
}

} // namespace
