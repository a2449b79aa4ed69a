#include "app/ReportCommand.h"
#include "app/SampleReport.h"
#include "platform/fs/FileError.h"

#include "SystemFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

struct Outcome {
    int Status;
    std::string Out, Err;
};

Outcome Report(std::vector<std::string> args) {
    std::ostringstream out, err;
    int status = app::ReportMain(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(ReportCommand, FormatsTabAndCsvLines) {
    struct Case {
        std::vector<std::string> Cells;
        app::ReportStyle Style;
        std::string Line;
    } cases[] = {
        {{"1", "a.log", "0 kb"}, app::ReportStyle::Tab, "1\ta.log\t0 kb\n"},
        {{"1", "a.log", "0 kb"}, app::ReportStyle::Csv, "1,a.log,0 kb\r\n"},
        {{"a,b", "say \"hi\"", "x\ny", ""}, app::ReportStyle::Csv, "\"a,b\",\"say \"\"hi\"\"\",\"x\ny\",\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(app::FormatReportLine(c.Cells, c.Style), c.Line);
}

TEST(ReportCommand, PrintsRowsWithOptionalCaptions) {
    TempFolder dir;
    dir.Write("a.log", "Yahoo!+Slurp\r\nhttp://www.google.com/bot.html\r\n" + std::string(1100, 'x'));
    Outcome plain = Report({dir.Path()});
    EXPECT_EQ(plain.Status, 0);
    EXPECT_EQ(plain.Out, "1\ta.log\t1 kb\t0\t1\t0\t1\t0\t0\t0\n");
    Outcome csv = Report({"--header", dir.Path(), "--csv"});
    EXPECT_EQ(csv.Status, 0);
    EXPECT_EQ(csv.Out, "序号,日志名称,文件大小,百度,谷歌,搜搜,雅虎,搜狗,有道,必应\r\n1,a.log,1 kb,0,1,0,1,0,0,0\r\n");
    EXPECT_EQ(csv.Err, "");
    Outcome header = Report({dir.Path(), "--header"});
    EXPECT_EQ(header.Out.substr(0, header.Out.find('\n')), "序号\t日志名称\t文件大小\t百度\t谷歌\t搜搜\t雅虎\t搜狗\t有道\t必应");
}

TEST(ReportCommand, ExitStatusTellsWhatWentWrong) {
    TempFolder dir;
    dir.Write("ok.log", "x\n");
    struct Case {
        std::vector<std::string> Args;
        int Status;
        std::string ErrStart; // what stderr starts with
        bool OutEmpty;
    } cases[] = {
        {{}, 2, "iislog-report: no folder given\nUsage:", true},
        {{"--bogus", dir.Path()}, 2, "iislog-report: unknown option --bogus\nUsage:", true},
        {{dir.Path(), dir.Path()}, 2, "iislog-report: only one folder", true},
        {{dir / "missing"}, 2, "iislog-report: folder \"" + dir / "missing" + "\" does not exist", true},
        {{dir / "ok.log"}, 2, "iislog-report: \"" + dir / "ok.log" + "\" is a file, not a folder", true},
        {{"--help"}, 0, "", false},
        {{"--version", dir.Path()}, 0, "", false},
        {{dir.Path()}, 0, "", false},
    };
    for (const Case& c : cases) {
        Outcome r = Report(c.Args);
        EXPECT_EQ(r.Status, c.Status) << testing::PrintToString(c.Args);
        EXPECT_EQ(r.Err.substr(0, c.ErrStart.size()), c.ErrStart) << testing::PrintToString(c.Args);
        EXPECT_EQ(r.Out.empty(), c.OutEmpty) << testing::PrintToString(c.Args);
    }
}

TEST(ReportCommand, AnalysisErrorPrintsTheRowsSoFarThenFails) {
    TempFolder dir;
    UnreadableFile bad(dir / "bad.log");
    dir.Write("a.log", "x\n");
    Outcome r = Report({dir.Path()});
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "Cannot open file \"" + (std::filesystem::canonical(dir.Path()) / "bad.log").string() + "\". " +
                         fs::SystemErrorText(UnreadableFile::kError) + "\n");
    EXPECT_EQ(r.Out, "1\ta.log\t0 kb\t0\t0\t0\t0\t0\t0\t0\n"); // a.log comes before bad.log
}

TEST(ReportCommand, HelpAndVersionGoToStandardOutput) {
    Outcome help = Report({"--help"});
    EXPECT_EQ(help.Out.substr(0, 27), "Usage: iislog-report [--csv");
    Outcome version = Report({"--version"});
    EXPECT_EQ(version.Out, "iislog-report " IISLOG_VERSION "\n");
    EXPECT_EQ(help.Err + version.Err, "");
}

TEST(ReportCommand, CopyTextIsTheHeaderedReport) {
    TempFolder dir;
    dir.Write("b.log", "Yahoo!+Slurp\r\n");
    dir.Write("A.log", "http://www.google.com/bot.html\n\n");
    app::CrawlerAnalysis analysis;
    struct Rows : app::AnalysisObserver {
        void beginFile(std::int64_t) override {}
        void atLine(std::int64_t) override {}
        void addRow(const app::ResultRow& row) override { cells.push_back(row.Cells()); }
        void fileDone() override {}
        std::vector<std::vector<std::string>> cells;
    } rows;
    analysis.analyseLogFiles(dir.Path(), rows);
    EXPECT_EQ(app::ReportCopyText(rows.cells), Report({"--header", dir.Path()}).Out);
    EXPECT_EQ(app::ReportCopyText({}), "序号\t日志名称\t文件大小\t百度\t谷歌\t搜搜\t雅虎\t搜狗\t有道\t必应\n");
}

} // namespace

namespace {

TEST(SampleReport, PrintsTheBundledLogsWithCaptions) {
    std::ostringstream out, err;
    ASSERT_EQ(app::PrintSampleReport(out, err), 0) << err.str();
    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, app::FormatReportLine(app::ReportCaptions(), app::ReportStyle::Tab).substr(0, line.size()));
    int rows = 0;
    while (std::getline(lines, line)) {
        ++rows;
        EXPECT_EQ(line.substr(0, line.find('\t')), std::to_string(rows));
        EXPECT_NE(line.find(".log\t234 kb\t"), std::string::npos) << line;
    }
    EXPECT_EQ(rows, 3); // samples/logs holds three generated logs
}

} // namespace
