#include "analysis/ReportCommand.h"
#include "app/Unit1.h"
#include "platform/fs/FileError.h"

#include "ApplicationFixture.h"
#include "SystemFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

// The report list's rows as text, one string of tab-separated cells per row.
std::vector<std::string> Rows(qv::TqvSkinListView* list) {
    std::vector<std::string> rows;
    for (int i = 0; i < list->Items()->Count(); ++i) {
        vcl::TListItem* item = list->Items()->Item(i);
        std::string row = item->Caption();
        for (int j = 0; j < item->SubItems()->Count(); ++j)
            row += "\t" + item->SubItems()->Get(j);
        rows.push_back(row);
    }
    return rows;
}

class MainWindowTest : public ApplicationFixture {
protected:
    void SetUp() override {
        ApplicationFixture::SetUp();
        history = dir / "DefaultDir.txt";
        exeFolder = dir.Path() + "/";
    }

    app::TForm1* MakeWindow(std::optional<std::string> folder = std::nullopt) {
        app::MainWindowOptions options;
        options.Folder = std::move(folder);
        options.HistoryFile = history;
        options.ExeFolder = exeFolder;
        app::SetMainWindowOptions(options);
        app::TForm1* form = nullptr;
        app->CreateForm(form);
        return form;
    }

    TempFolder dir;
    TempFolder logs;
    std::string history;
    std::string exeFolder;
};

TEST_F(MainWindowTest, OpensSkinnedWithItsCaptionSizeAndColumns) {
    app::TForm1* form = MakeWindow();
    EXPECT_EQ(form->Caption(), "Tarvel社IIS日志分析工具V1.0");
    EXPECT_EQ(form->ClientWidth(), 754);
    EXPECT_EQ(form->ClientHeight(), 573);
    // The stored skin is loaded while the window is read, before FormCreate.
    EXPECT_FALSE(form->qvskindata1->IsEmpty());
    EXPECT_EQ(form->qvform1->SkinData(), form->qvskindata1);
    EXPECT_EQ(form->Analysis->Signatures().size(), 7u);
    EXPECT_FALSE(form->btn2->Visible());
    EXPECT_TRUE(form->lv1->GridLines());
    ASSERT_EQ(form->lv1->Columns()->Count(), 10);
    std::string captions;
    for (int i = 0; i < 10; ++i)
        captions += form->lv1->Columns()->Items(i)->Caption() + (i < 9 ? "\t" : "\n");
    EXPECT_EQ(captions, analysis::FormatReportLine(analysis::ReportCaptions(), analysis::ReportStyle::Tab));
    form->Show();
    Settle();
    EXPECT_TRUE(form->Visible());
}

TEST_F(MainWindowTest, StartUpShowsTheLastFolderUsed) {
    struct Case {
        const char* Name;
        std::optional<std::string> File;   // nullopt: first run
        std::optional<std::string> Folder; // named on the command line
        std::string Text;
        std::vector<std::string> Items;
    } cases[] = {
        {"first run", std::nullopt, std::nullopt, exeFolder, {exeFolder}},
        {"three lines", "/a\r\n/b\r\n/c\r\n", std::nullopt, "/c", {"/a", "/b", "/c"}},
        {"empty file", "", std::nullopt, "", {}},
        {"folder argument", "/a\r\n", "/srv/logs", "/srv/logs", {"/a"}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(history);
        if (c.File) dir.Write("DefaultDir.txt", *c.File);
        app::TForm1* form = MakeWindow(c.Folder);
        EXPECT_EQ(form->cbb1->GetText(), c.Text) << c.Name;
        EXPECT_EQ(Lines(*form->cbb1->Items()), c.Items) << c.Name;
        // The history is written back at once: the first run creates the file.
        std::string saved;
        for (const std::string& line : c.Items)
            saved += line + "\r\n";
        EXPECT_EQ(ReadFile(history), saved) << c.Name;
        delete form;
    }
}

TEST_F(MainWindowTest, AnalyseRemembersTheFolderOnceAndNumbersTheRows) {
    logs.Write("u_ex130102.log", "x Yahoo!+Slurp\r\n");
    logs.Write("U_EX130101.log", "http://www.google.com/bot.html\r\nplain\r\n");
    logs.Write("u_ex130103.log", "");
    dir.Write("DefaultDir.txt", logs.Path() + "\r\n");
    app::TForm1* form = MakeWindow();
    form->Show();
    Settle();
    std::vector<std::string> expected{"1\tU_EX130101.log\t0 kb\t0\t1\t0\t0\t0\t0\t0",
                                      "2\tu_ex130102.log\t0 kb\t0\t0\t0\t1\t0\t0\t0",
                                      "3\tu_ex130103.log\t0 kb\t0\t0\t0\t0\t0\t0\t0"};
    // The same folder typed in other letter case is already in the history.
    std::string upper = logs.Path();
    for (char& ch : upper)
        ch = char(std::toupper(static_cast<unsigned char>(ch)));
    for (const std::string& text : {logs.Path(), upper}) {
        form->cbb1->SetText(text);
        form->qvSkinXFormButton1Click(form);
        EXPECT_EQ(Lines(*form->cbb1->Items()), std::vector<std::string>{logs.Path()}) << text;
        if (text == logs.Path()) {
            EXPECT_EQ(Rows(form->lv1), expected); // numbering restarts at 1 for every analysis
        }
    }
    // The gauge is not reset: it shows the last file's last line, and the last file is empty,
    // so its maximum is -1, the minimum 0 and the value clamped to the maximum.
    EXPECT_EQ(form->qvkng1->MaxValue(), -1);
    EXPECT_EQ(form->qvkng1->MinValue(), 0);
    EXPECT_EQ(form->qvkng1->Value(), -1);
    EXPECT_EQ(ReadFile(history), logs.Path() + "\r\n");

    // A folder without logs clears the list, leaves the gauge as it was and is remembered.
    TempFolder empty;
    form->qvkng1->SetMaxValue(10);
    form->qvkng1->SetValue(7);
    form->cbb1->SetText(empty.Path());
    form->qvSkinXFormButton1Click(form);
    EXPECT_TRUE(Rows(form->lv1).empty());
    EXPECT_EQ(form->qvkng1->Value(), 7);
    EXPECT_EQ(ReadFile(history), logs.Path() + "\r\n" + empty.Path() + "\r\n");
}

// The folder box takes typed text: a click into it, Ctrl+A, the folder typed (characters as an
// input method commits them), then "分析" analyses that folder and adds it to the history.
TEST_F(MainWindowTest, AFolderTypedIntoTheBoxIsAnalysedAndRemembered) {
    logs.Write("u_ex130101.log", "http://www.google.com/bot.html\r\n");
    dir.Write("DefaultDir.txt", "/var/log/none\r\n");
    app::TForm1* form = MakeWindow();
    form->Show();
    Settle();
    ClickAt(form->cbb1->InnerEdit(), 5, 5);
    EXPECT_EQ(GetFocus(), form->cbb1->InnerEdit()->Handle());
    screen->KeyDown(VK_CONTROL);
    screen->Key('A');
    screen->KeyUp(VK_CONTROL);
    screen->Text(logs.Path());
    Settle();
    screen->AdvanceClock(300);
    Settle();
    EXPECT_EQ(form->cbb1->GetText(), logs.Path());
    ClickAt(form->qvSkinXFormButton1, 60, 11);
    EXPECT_EQ(Rows(form->lv1), std::vector<std::string>{"1\tu_ex130101.log\t0 kb\t0\t1\t0\t0\t0\t0\t0"});
    EXPECT_EQ(ReadFile(history), "/var/log/none\r\n" + logs.Path() + "\r\n");
}

TEST_F(MainWindowTest, AnUnwritableHistoryIsReportedAndStopsTheAnalysisOnly) {
    UnwritableFolder unwritable;
    history = unwritable / "iislog/DefaultDir.txt";
    std::vector<std::string> reported;
    app->OnException = [&](vcl::TObject*, const std::exception& e) { reported.push_back(e.what()); };
    logs.Write("a.log", "x\r\n");
    app::TForm1* form = MakeWindow(logs.Path());
    ASSERT_NE(form, nullptr); // the window opens all the same
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].rfind("Cannot create file \"" + NativePath(history) + "\". ", 0), 0u)
        << reported[0];
    vcl::TListItem* old = form->lv1->Items()->Add();
    old->SetCaption("earlier");
    EXPECT_THROW(form->qvSkinXFormButton1Click(form), fs::FileError);
    EXPECT_EQ(Rows(form->lv1), std::vector<std::string>{"earlier"}); // the analysis did not run
}

TEST_F(MainWindowTest, CopyTakesTheSelectedRowsOrAllUnderTheCaptions) {
    logs.Write("a.log", "Yahoo!+Slurp\r\n");
    logs.Write("b.log", "http://www.baidu.com/search/spider.htm\r\n");
    app::TForm1* form = MakeWindow(logs.Path());
    form->Show();
    Settle();
    form->qvSkinXFormButton1Click(form);
    std::ostringstream report, err;
    ASSERT_EQ(analysis::PrintReport(logs.Path(), analysis::ReportStyle::Tab, true, report, err), 0);

    // Ctrl+C in the focused report list, nothing selected: every row.
    form->lv1->SetFocus();
    screen->KeyDown(VK_CONTROL);
    screen->Key('C');
    screen->KeyUp(VK_CONTROL);
    Settle();
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(CF_UNICODETEXT).value_or("<none>"), report.str());
    CloseClipboard();

    form->lv1->Items()->Item(1)->SetSelected(true);
    std::string header = report.str().substr(0, report.str().find('\n') + 1);
    EXPECT_EQ(form->ReportClipboardText(), header + "2\tb.log\t0 kb\t1\t0\t0\t0\t0\t0\t0\n");
}

TEST_F(MainWindowTest, ADroppedFileOrFolderFillsTheFolderBox) {
    std::string file = logs.Write("a.log", "");
    app::TForm1* form = MakeWindow("/elsewhere");
    form->Show();
    Settle();
    // Dropped from the desktop onto the report list: the window takes it.
    POINT p = ScreenAt(form->lv1, 100, 100);
    screen->DropFile(p.x, p.y, file);
    Settle();
    EXPECT_EQ(form->cbb1->GetText(), logs.Path() + "/");
    form->DropPath(dir.Path());
    EXPECT_EQ(form->cbb1->GetText(), dir.Path());
}

} // namespace

// Made narrow and short, the window shows the report's horizontal bar between the list and
// the gauge, and the vertical bar beside the list: the bars were hidden while it shrank.
TEST_F(MainWindowTest, ANarrowWindowKeepsTheGaugeAtTheBottomBelowTheBars) {
    for (int i = 0; i < 40; ++i)
        logs.Write("u_ex" + std::to_string(130100 + i) + ".log", "x\r\n");
    dir.Write("DefaultDir.txt", logs.Path() + "\r\n");
    app::TForm1* form = MakeWindow();
    form->Show();
    Settle();
    form->qvSkinXFormButton1Click(form);
    Settle();
    form->SetClientSize(380, 300);
    Settle();
    ASSERT_TRUE(form->qvknscrlbr1->Visible());
    ASSERT_TRUE(form->qvknscrlbr2->Visible());
    RECT gauge = form->qvkng1->BoundsRect(), hbar = form->qvknscrlbr1->BoundsRect();
    RECT vbar = form->qvknscrlbr2->BoundsRect(), list = form->lv1->BoundsRect();
    EXPECT_EQ(gauge.bottom, 300);
    EXPECT_EQ(hbar.bottom, gauge.top);
    EXPECT_EQ(list.bottom, hbar.top);
    EXPECT_EQ(vbar.bottom, hbar.top);
    EXPECT_EQ(vbar.left, list.right);
}
