#include "analysis/ReportCommand.h"
#include "platform/fs/FileError.h"

#include "SystemFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>

namespace {

struct Outcome {
    int Status;
    std::string Out, Err;
};

Outcome Report(std::vector<std::string> args) {
    std::ostringstream out, err;
    int status = analysis::ReportMain(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(ReportCommand, FormatsTabAndCsvLines) {
    struct Case {
        std::vector<std::string> Cells;
        analysis::ReportStyle Style;
        std::string Line;
    } cases[] = {
        {{"1", "a.log", "0 kb"}, analysis::ReportStyle::Tab, "1\ta.log\t0 kb\n"},
        {{"1", "a.log", "0 kb"}, analysis::ReportStyle::Csv, "1,a.log,0 kb\r\n"},
        {{"a,b", "say \"hi\"", "x\ny", ""},
         analysis::ReportStyle::Csv,
         "\"a,b\",\"say \"\"hi\"\"\",\"x\ny\",\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(analysis::FormatReportLine(c.Cells, c.Style), c.Line);
}

TEST(ReportCommand, PrintsRowsWithOptionalCaptions) {
    TempFolder dir;
    dir.Write("a.log", "Yahoo!+Slurp\r\nhttp://www.google.com/bot.html\r\n" + std::string(1100, 'x'));
    Outcome plain = Report({dir.Path()});
    EXPECT_EQ(plain.Status, 0);
    EXPECT_EQ(plain.Out, "1\ta.log\t1 kb\t0\t1\t0\t1\t0\t0\t0\n");
    Outcome csv = Report({"--header", dir.Path(), "--csv"});
    EXPECT_EQ(csv.Status, 0);
    EXPECT_EQ(csv.Out,
              "序号,日志名称,文件大小,百度,谷歌,搜搜,雅虎,搜狗,有道,必应\r\n1,a.log,1 kb,0,1,0,1,0,0,0\r\n");
    EXPECT_EQ(csv.Err, "");
    Outcome header = Report({dir.Path(), "--header"});
    EXPECT_EQ(header.Out.substr(0, header.Out.find('\n')),
              "序号\t日志名称\t文件大小\t百度\t谷歌\t搜搜\t雅虎\t搜狗\t有道\t必应");
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
    EXPECT_EQ(r.Err, "Cannot open file \"" + (std::filesystem::canonical(dir.Path()) / "bad.log").string() +
                         "\". " + fs::SystemErrorText(UnreadableFile::kError) + "\n");
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
    analysis::CrawlerAnalysis scan;
    struct Rows : analysis::AnalysisObserver {
        void beginFile(std::int64_t) override {}
        void atLine(std::int64_t) override {}
        void addRow(const analysis::ResultRow& row) override { cells.push_back(row.Cells()); }
        void fileDone() override {}
        std::vector<std::vector<std::string>> cells;
    } rows;
    scan.analyseLogFiles(dir.Path(), rows);
    EXPECT_EQ(analysis::ReportCopyText(rows.cells), Report({"--header", dir.Path()}).Out);
    EXPECT_EQ(analysis::ReportCopyText({}),
              "序号\t日志名称\t文件大小\t百度\t谷歌\t搜搜\t雅虎\t搜狗\t有道\t必应\n");
}

// A log of today: a block per field list, crawlers of several groups, a referrer that names a
// crawler, an unknown bot and a browser.
const char* const kTodayLog =
    "#Software: Microsoft Internet Information Services 10.0\r\n"
    "#Fields: date time cs-uri-stem c-ip cs(User-Agent) cs(Referer) sc-status\r\n"
    "2026-12-01 00:00:01 / 1.2.3.4 Mozilla/5.0+(compatible;+bingbot/2.0;++http://www.bing.com/bingbot.htm) - "
    "200\r\n"
    "2026-12-01 00:00:02 / 1.2.3.4 Mozilla/5.0+(compatible;+Googlebot/2.1;++http://www.google.com/bot.html) "
    "- 200\r\n"
    "2026-12-01 00:00:03 / 1.2.3.4 "
    "Mozilla/5.0+AppleWebKit/537.36+(KHTML,+like+Gecko;+compatible;+GPTBot/1.2;++https://openai.com/gptbot) "
    "- 200\r\n"
    "2026-12-01 00:00:04 / 1.2.3.4 Mozilla/5.0+(Windows+NT+10.0)+Chrome/120.0 "
    "https://www.bing.com/search?q=bingbot 200\r\n"
    "2026-12-01 00:00:05 / 1.2.3.4 FooBot/1.0+(+https://foo.example/) - 200\r\n"
    "2026-12-01 00:00:06 / 1.2.3.4 Mozilla/5.0+(compatible;+AhrefsBot/7.0;++http://ahrefs.com/robot/) - "
    "200\r\n";

TEST(ReportCommand, CurrentModeCountsEachRequestOnce) {
    TempFolder dir;
    dir.Write("u_ex261201.log", kTodayLog);
    Outcome groups = Report({"--crawlers", "current", "--header", dir.Path()});
    EXPECT_EQ(groups.Status, 0) << groups.Err;
    EXPECT_EQ(
        groups.Out,
        "序号\t日志名称\t文件大小\t搜索引擎\tAI训练\tAI助手\tSEO工具\t链接预览\t监控\t其他爬虫\t请求总数\n"
        "1\tu_ex261201.log\t0 kb\t2\t1\t0\t1\t0\t0\t1\t6\n");
    Outcome crawlers = Report({"--crawlers=current", "--columns", "crawlers", dir.Path()});
    // One column per crawler with hits, in catalogue order: Google and Bing before GPTBot before
    // AhrefsBot.
    EXPECT_EQ(crawlers.Out, "1\tu_ex261201.log\t0 kb\t1\t1\t1\t1\n");
    Outcome keys = Report({"--crawlers", "current", "--columns", "gptbot,bingbot", "--csv", dir.Path()});
    EXPECT_EQ(keys.Out, "1,u_ex261201.log,0 kb,1,1\r\n");
    // The classic report of the same log is unchanged: only Google's old address counts.
    EXPECT_EQ(Report({dir.Path()}).Out, "1\tu_ex261201.log\t0 kb\t0\t1\t0\t0\t0\t0\t0\n");
}

TEST(ReportCommand, JsonIsOneDocumentEvenForBadBytes) {
    TempFolder dir;
    dir.Write("a.log", kTodayLog);
#ifndef _WIN32
    dir.Write("bad\xff\xfe.log", "Mozilla/5.0 GPTBot/1.0\n"); // a Linux name may hold any byte
#endif
    Outcome current = Report({"--crawlers", "current", "--json", dir.Path()});
    ASSERT_EQ(current.Status, 0) << current.Err;
    nlohmann::json doc = nlohmann::json::parse(current.Out);
    EXPECT_EQ(doc["mode"], "current");
    EXPECT_GE(doc["crawlers"].size(), 80u);
    const nlohmann::json& a = doc["files"][0];
    EXPECT_EQ(a["name"], "a.log");
    EXPECT_EQ(a["size"], std::string(kTodayLog).size());
    EXPECT_EQ(a["requests"], 6);
    EXPECT_EQ(a["counts"]["bingbot"], 1);
    EXPECT_EQ(a["counts"]["gptbot"], 1);
    EXPECT_FALSE(a["counts"].contains("baiduspider")); // no hits, no key
    EXPECT_EQ(a["groups"]["search"], 2);
    EXPECT_EQ(a["groups"]["monitor"], 0);
    EXPECT_EQ(a["other_bots"], 1);
#ifndef _WIN32
    EXPECT_EQ(doc["files"][1]["name"], "bad\xEF\xBF\xBD\xEF\xBF\xBD.log");
#endif
    nlohmann::json classic = nlohmann::json::parse(Report({"--json", dir.Path()}).Out);
    EXPECT_EQ(classic["mode"], "classic");
    EXPECT_EQ(classic["crawlers"].size(), 7u);
    EXPECT_EQ(classic["crawlers"][6]["key"], "msn");
    EXPECT_EQ(classic["files"][0]["counts"]["google"], 1);
    EXPECT_FALSE(classic["files"][0].contains("groups"));
}

TEST(ReportCommand, CrawlerFilesAndTheirProblems) {
    TempFolder dir;
    dir.Write("a.log", kTodayLog);
    dir.Write("mine.ini",
              "[foobot]\nname = 福\ngroup = seo\nmatch = FooBot\n[bad]\ngroup = nope\nmatch = x\n");
    Outcome own = Report({"--crawlers", dir / "mine.ini", "--columns", "crawlers", "--header", dir.Path()});
    EXPECT_EQ(own.Status, 0);
    EXPECT_EQ(own.Out, "序号\t日志名称\t文件大小\t福\n1\ta.log\t0 kb\t1\n");
    EXPECT_EQ(own.Err,
              "iislog-report: " + dir / "mine.ini" +
                  ":6: unknown group \"nope\" (search, ai-crawler, ai-assistant, seo, social or monitor)\n");
    Outcome list = Report({"--list-crawlers", "--crawlers", dir / "mine.ini"});
    EXPECT_EQ(list.Out, "foobot\tseo\t福\tfoobot\t\t\t\n");
    Outcome builtIn = Report({"--list-crawlers", "--header"});
    EXPECT_EQ(builtIn.Out.substr(0, builtIn.Out.find('\n')),
              "key\tgroup\tname\tname_en\toperator\tretired\turl");
    EXPECT_NE(builtIn.Out.find("\ngptbot\tai-crawler\t"), std::string::npos);

    struct Case {
        std::vector<std::string> Args;
        std::string ErrStart;
    } bad[] = {
        {{"--crawlers", "current", "--columns", "nosuchbot", dir.Path()},
         "iislog-report: unknown crawler \"nosuchbot\""},
        {{"--columns", "groups", dir.Path()}, "iislog-report: --columns is for --crawlers current"},
        {{"--crawlers", dir / "missing.ini", dir.Path()}, "iislog-report: Cannot open file"},
        {{"--crawlers"}, "iislog-report: --crawlers needs classic, current or a file"},
    };
    for (const Case& c : bad) {
        Outcome r = Report(c.Args);
        EXPECT_EQ(r.Status, 2);
        EXPECT_EQ(r.Err.substr(0, c.ErrStart.size()), c.ErrStart);
        EXPECT_EQ(r.Out, "");
    }
}

} // namespace
