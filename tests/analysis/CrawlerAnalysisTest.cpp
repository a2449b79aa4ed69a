#include "analysis/CrawlerAnalysis.h"

#include "platform/fs/FileError.h"

#include "SystemFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

// Records every notification as text, in order, the way a message log records window messages.
class Recorder : public analysis::AnalysisObserver {
public:
    void beginFile(std::int64_t lines) override { calls.push_back("beginFile " + std::to_string(lines)); }
    void atLine(std::int64_t index) override { calls.push_back("atLine " + std::to_string(index)); }
    void addRow(const analysis::ResultRow& row) override {
        std::string text = "addRow";
        for (const std::string& cell : row.Cells())
            text += " " + cell;
        calls.push_back(text);
        rows.push_back(row);
    }
    void fileDone() override { calls.push_back("fileDone"); }

    std::vector<std::string> calls;
    std::vector<analysis::ResultRow> rows;
};

TEST(CrawlerAnalysis, NotifiesInTheSpecifiedOrder) {
    TempFolder dir;
    const analysis::SignatureList sigs = analysis::MakeSignatureList();
    dir.Write("a.log", "#Fields: x\r\n" + sigs[1] + " " + sigs[0] + "\r\n" + sigs[3] + "\r\n");
    analysis::CrawlerAnalysis scan;
    Recorder rec;
    ASSERT_TRUE(scan.analyseLogFiles(dir.Path(), rec));
    std::vector<std::string> expected{
        "beginFile 3", "atLine 0", "atLine 1", "atLine 2", "addRow 1 a.log 0 kb 1 1 0 1 0 0 0", "fileDone",
    };
    EXPECT_EQ(rec.calls, expected);
    EXPECT_EQ(scan.LogFiles(), analysis::LogFileList{dir.Path() + "/a.log"});
}

TEST(CrawlerAnalysis, EmptyFileGivesARowOfZeros) {
    TempFolder dir;
    dir.Write("empty.log", "");
    analysis::CrawlerAnalysis scan;
    Recorder rec;
    scan.analyseLogFiles(dir.Path(), rec);
    std::vector<std::string> expected{"beginFile 0", "addRow 1 empty.log 0 kb 0 0 0 0 0 0 0", "fileDone"};
    EXPECT_EQ(rec.calls, expected);
}

TEST(CrawlerAnalysis, NoLogFilesGiveNoNotificationAtAll) {
    TempFolder dir;
    dir.Write("readme.txt", "x\n");
    std::filesystem::create_directory(dir / "sub.log");
    dir.Write("sub.log/inner.log", "x\n");
    for (std::string folder : {dir.Path(), dir / "missing", std::string()}) {
        analysis::CrawlerAnalysis scan;
        Recorder rec;
        EXPECT_TRUE(scan.analyseLogFiles(folder == "" ? dir / "sub.log/inner.log" : folder, rec));
        EXPECT_TRUE(rec.calls.empty()) << folder;
        EXPECT_TRUE(scan.LogFiles().empty());
    }
}

TEST(CrawlerAnalysis, ReadsOnlyRegularLogFilesInNameOrder) {
#ifdef _WIN32
    GTEST_SKIP() << "FIFOs, devices and symbolic links to them are Linux file kinds";
#else
    TempFolder dir;
    for (const char* name :
         {"u_ex130102.log", "b.log", ".hidden.log", "a.log", "A.log", "U_EX130101.log", "x.txt"})
        dir.Write(name, "a\n");
    std::filesystem::create_directory(dir / "x.log");
    std::filesystem::create_symlink(dir / "b.log", dir / "link.log");
    // Reading any of these would block or never end.
    std::filesystem::create_symlink("/dev/zero", dir / "zero.log");
    ASSERT_EQ(::mkfifo((dir / "pipe.log").c_str(), 0600), 0);
    analysis::CrawlerAnalysis scan;
    Recorder rec;
    scan.analyseLogFiles(dir.Path(), rec);
    std::vector<std::string> names;
    for (const analysis::ResultRow& row : rec.rows)
        names.push_back(row.FileName);
    EXPECT_EQ(names, (std::vector<std::string>{".hidden.log", "A.log", "a.log", "b.log", "link.log",
                                               "U_EX130101.log", "u_ex130102.log"}));
#endif
}

TEST(CrawlerAnalysis, NameOrderIgnoresLetterCaseThenComparesBytes) {
    std::vector<std::string> names{"b", "B", "a10", "A2", "a1", "_x", "Ab", "aB"};
    std::sort(names.begin(), names.end(), analysis::LogNameLess);
    EXPECT_EQ(names, (std::vector<std::string>{"_x", "a1", "a10", "A2", "Ab", "aB", "B", "b"}));
}

TEST(CrawlerAnalysis, SizeTextIsWholeKilobytesOfSixtyFourBitSizes) {
    struct Case {
        std::uint64_t Bytes;
        const char* Text;
    } cases[] = {
        {0, "0 kb"},
        {1023, "0 kb"},
        {1024, "1 kb"},
        {5000000, "4882 kb"},
        {(std::uint64_t(4) << 30) + 1024, "4194305 kb"},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        EXPECT_EQ(analysis::SizeText(c.Bytes), c.Text);
        // The same through the analysis, on a sparse file: a line, then NUL bytes that end the text.
        std::filesystem::remove_all(dir / "f.log");
        MakeSparseFile(dir / "f.log", c.Bytes ? "a" : "", c.Bytes);
        analysis::CrawlerAnalysis scan;
        Recorder rec;
        scan.analyseLogFiles(dir.Path(), rec);
        ASSERT_EQ(rec.rows.size(), 1u);
        EXPECT_EQ(rec.rows[0].SizeText, c.Text);
        EXPECT_EQ(rec.calls[0], c.Bytes ? "beginFile 1" : "beginFile 0");
    }
}

TEST(CrawlerAnalysis, UnreadableFileEndsTheAnalysisAfterTheEarlierRows) {
    TempFolder dir;
    for (const char* name : {"1.log", "2.log", "3.log", "4.log"})
        dir.Write(name, "Yahoo!+Slurp\r\n");
    UnreadableFile unreadable(dir / "bad.log");
    analysis::CrawlerAnalysis scan;
    Recorder rec;
    std::string message;
    try {
        scan.analyseLogFiles(dir.Path(), rec);
        FAIL() << "no error";
    } catch (const fs::FileError& e) {
        message = e.what();
    }
    const analysis::LogFileList& files = scan.LogFiles();
    std::size_t bad = std::find(files.begin(), files.end(), dir / "bad.log") - files.begin();
    ASSERT_LT(bad, files.size());
    EXPECT_EQ(message, "Cannot open file \"" + (std::filesystem::canonical(dir.Path()) / "bad.log").string() +
                           "\". " + fs::SystemErrorText(UnreadableFile::kError));
    ASSERT_EQ(rec.rows.size(), bad); // the rows before it, none for it, none after it
    for (std::size_t i = 0; i < bad; ++i) {
        EXPECT_EQ(rec.rows[i].Number, int(i + 1));
        EXPECT_EQ(rec.rows[i].FileName, analysis::FileNameOf(files[i]));
    }
    EXPECT_EQ(rec.calls.empty() ? "" : rec.calls.back(), bad ? "fileDone" : "");
    EXPECT_FALSE(scan.IsBusy()); // a failed analysis does not block the next one
}

TEST(CrawlerAnalysis, NumberingRestartsAndDoubledSeparatorsWork) {
    TempFolder dir;
    dir.Write("a.log", "x\n");
    dir.Write("b.log", "x\n");
    analysis::CrawlerAnalysis scan;
    for (const std::string& folder : {dir.Path(), dir.Path() + "/"}) {
        Recorder rec;
        scan.analyseLogFiles(folder, rec);
        ASSERT_EQ(rec.rows.size(), 2u);
        EXPECT_EQ(rec.rows[0].Number, 1);
        EXPECT_EQ(rec.rows[1].Number, 2);
        EXPECT_EQ(scan.LogFiles()[0].substr(0, folder.size() + 1), folder + "/");
    }
}

TEST(CrawlerAnalysis, ASecondRequestDuringFileDoneIsIgnored) {
    TempFolder first, second;
    first.Write("a.log", "x\n");
    first.Write("b.log", "x\n");
    second.Write("other.log", "x\n");
    analysis::CrawlerAnalysis scan;

    class Reentrant : public Recorder {
    public:
        Reentrant(analysis::CrawlerAnalysis& a, std::string f) : scan(a), folder(std::move(f)) {}
        void fileDone() override {
            Recorder::fileDone();
            Recorder inner;
            nested.push_back(scan.analyseLogFiles(folder, inner));
            EXPECT_TRUE(inner.calls.empty());
        }
        analysis::CrawlerAnalysis& scan;
        std::string folder;
        std::vector<bool> nested;
    } rec(scan, second.Path());

    EXPECT_TRUE(scan.analyseLogFiles(first.Path(), rec));
    EXPECT_EQ(rec.nested, (std::vector<bool>{false, false}));
    ASSERT_EQ(rec.rows.size(), 2u);
    EXPECT_EQ(scan.LogFiles().size(), 2u);
    // Once the first analysis has returned, the next request runs.
    Recorder after;
    EXPECT_TRUE(scan.analyseLogFiles(second.Path(), after));
    EXPECT_EQ(after.rows.size(), 1u);
}

TEST(CrawlerAnalysis, FilesWithoutAKnownSizeAreReadByTheFallback) {
#ifdef _WIN32
    GTEST_SKIP() << "/proc has no Windows counterpart";
#else
    // The kernel's own files report size 0 yet have content; the fallback reads them to the end.
    TempFolder dir;
    std::filesystem::create_symlink("/proc/self/status", dir / "status.log");
    analysis::CrawlerAnalysis scan;
    Recorder rec;
    scan.analyseLogFiles(dir.Path(), rec);
    ASSERT_FALSE(rec.calls.empty());
    EXPECT_NE(rec.calls[0], "beginFile 0");
#endif
}

TEST(CrawlerAnalysis, SignatureListIsTheReportsColumnOrder) {
    EXPECT_EQ(analysis::MakeSignatureList(),
              (analysis::SignatureList{"http://www.baidu.com/search/spider.htm",
                                       "http://www.google.com/bot.html", "http://help.soso.com/webspider.htm",
                                       "Yahoo!+Slurp", "http://www.sogou.com/docs/help/webmasters.htm",
                                       "http://www.youdao.com/help/webmaster/spider/",
                                       "http://search.msn.com/msnbot.htm"}));
    EXPECT_EQ(analysis::FileNameOf("/var/log/iis/u_ex1301.log"), "u_ex1301.log");
    EXPECT_EQ(analysis::FileNameOf("plain.log"), "plain.log");
}

} // namespace
