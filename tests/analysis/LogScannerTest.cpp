#include "analysis/LogScanner.h"
#include "analysis/CrawlerAnalysis.h"

#include "LogGenerator.h"
#include "ReferenceScan.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Kernel = analysis::LogScanner::Kernel;

// Every way the scanner can cut its input: one part, several parts, and small blocks read
// through ScanSource, with both kernels. They must all agree.
std::vector<analysis::ScanResult> AllWays(const analysis::LogScanner& scanner, std::string_view text) {
    std::vector<analysis::ScanResult> results;
    for (unsigned parts : {1u, 2u, 3u, 7u})
        results.push_back(scanner.Scan(text, parts));
    auto read = [text](std::uint64_t offset, char* buffer, std::size_t length) {
        ASSERT_LE(offset + length, text.size());
        std::memcpy(buffer, text.data() + offset, length);
    };
    for (std::size_t chunk : {std::size_t(1), std::size_t(5), std::size_t(64), std::size_t(4096)})
        for (unsigned parts : {1u, 2u})
            results.push_back(scanner.ScanSource(text.size(), read, parts, chunk));
    return results;
}

TEST(LogScanner, SplitsLinesByTheRules) {
    struct Case {
        std::string Text;
        std::int64_t Lines;
    } cases[] = {
        {"", 0},
        {"a", 1},
        {"a\n", 1},
        {"a\r\n", 1},
        {"a\r", 1},
        {"a\r\nb", 2},
        {"a\n\r", 2}, // LF CR: an empty line between them
        {"a\n\rb", 3},
        {"a\r\rb", 3},
        {"\n", 1},
        {"\r\n\r\n", 2},
        {"a\n\nb\n", 3},
        {std::string("a\nb\0c\nd\n", 8), 2}, // the text ends at the NUL
        {std::string("a\r\0\nb", 5), 1},     // a CR before the NUL is not joined with the LF after it
        {std::string("\0abc\n", 5), 0},
        {std::string(200, 'x') + "\r\n" + std::string(200, 'y'), 2},
        {std::string(100, '\n'), 100},
        {std::string(63, 'x') + "\r\n", 1}, // a CR LF across the 64-byte block boundary
    };
    for (Kernel kernel : {Kernel::Baseline, Kernel::Avx2}) {
        analysis::LogScanner scanner(analysis::MakeSignatureList(), kernel);
        for (const Case& c : cases) {
            ASSERT_EQ(std::int64_t(ReferenceLines(c.Text).size()), c.Lines) << "bad case";
            for (const analysis::ScanResult& r : AllWays(scanner, c.Text))
                EXPECT_EQ(r.Lines, c.Lines) << testing::PrintToString(c.Text);
        }
    }
}

TEST(LogScanner, CountsLinesPerSignature) {
    const analysis::SignatureList sigs = analysis::MakeSignatureList();
    const std::string google = sigs[1], baidu = sigs[0], yahoo = sigs[3], msn = sigs[6];
    struct Case {
        std::string Text;
        std::vector<std::int64_t> Hits; // Baidu, Google, Soso, Yahoo, Sogou, Youdao, MSN
    } cases[] = {
        {"x " + google + " " + baidu + "\r\n", {1, 1, 0, 0, 0, 0, 0}},
        {yahoo + yahoo + " " + yahoo + "\r\n", {0, 0, 0, 1, 0, 0, 0}},
        {"yahoo!+slurp HTTP://WWW.GOOGLE.COM/BOT.HTML\r\n", {0, 0, 0, 0, 0, 0, 0}},
        {yahoo + "\r\nabc " + yahoo, {0, 0, 0, 2, 0, 0, 0}}, // at the start and at the very end
        {yahoo + "\n\r" + yahoo + "\r" + yahoo, {0, 0, 0, 3, 0, 0, 0}},
        {"Yahoo!+Slur\r\np", {0, 0, 0, 0, 0, 0, 0}}, // cut by a break
        {std::string("Yahoo!+Sl\0urp\r\n", 15), {0, 0, 0, 0, 0, 0, 0}},
        {yahoo + std::string("\0", 1) + yahoo, {0, 0, 0, 1, 0, 0, 0}}, // nothing after the NUL
        {"http://www.google.com/bot.htm " + msn.substr(0, msn.size() - 1), {0, 0, 0, 0, 0, 0, 0}},
        {"Mozilla/5.0+(compatible;+Baiduspider/2.0;++" + baidu + "l)", {1, 0, 0, 0, 0, 0, 0}},
        {"http://http://www.baidu.com/search/spider.htm", {1, 0, 0, 0, 0, 0, 0}},
        {std::string(60, ' ') + google + std::string(70, ' ') + google, {0, 1, 0, 0, 0, 0, 0}},
    };
    for (Kernel kernel : {Kernel::Baseline, Kernel::Avx2}) {
        analysis::LogScanner scanner(sigs, kernel);
        for (const Case& c : cases) {
            ASSERT_EQ(ReferenceHits(c.Text, sigs), c.Hits) << "bad case " << testing::PrintToString(c.Text);
            for (const analysis::ScanResult& r : AllWays(scanner, c.Text))
                EXPECT_EQ(r.Hits, c.Hits) << testing::PrintToString(c.Text);
        }
    }
}

TEST(LogScanner, AgreesWithThePlainRulesOnGeneratedLogs) {
    const analysis::SignatureList sigs = analysis::MakeSignatureList();
    std::string log = loggen::LogGenerator::Generate(7, 300000);
    std::vector<std::int64_t> expected = ReferenceHits(log, sigs);
    for (std::int64_t hits : expected)
        ASSERT_GT(hits, 0) << "the generator should exercise every signature";
    analysis::LogScanner scanner(sigs);
    for (const analysis::ScanResult& r : AllWays(scanner, log)) {
        EXPECT_EQ(r.Lines, std::int64_t(ReferenceLines(log).size()));
        EXPECT_EQ(r.Hits, expected);
    }
}

TEST(LogScanner, ShortAndManySignaturesTakeTheGenericPaths) {
    // Single-byte signatures and more first/fifth-byte keys than the vector prefilter holds.
    std::vector<std::string> sigs{"a", "ab", "b", "cd", "xyz", "q", "zz"};
    std::string text = "ab\r\nba\nzzz\rcd cd\n\nqxyz";
    analysis::LogScanner scanner(sigs);
    for (const analysis::ScanResult& r : AllWays(scanner, text)) {
        EXPECT_EQ(r.Lines, std::int64_t(ReferenceLines(text).size()));
        EXPECT_EQ(r.Hits, ReferenceHits(text, sigs));
    }
}

TEST(LogScanner, RefusesSignaturesThatCannotLieInALine) {
    for (std::string bad :
         {std::string(""), std::string("a\nb"), std::string("a\rb"), std::string("a\0b", 3)})
        EXPECT_THROW(analysis::LogScanner(std::vector<std::string>{bad}), std::invalid_argument);
}

TEST(LogScanner, ReadErrorsReachTheCaller) {
    analysis::LogScanner scanner(analysis::MakeSignatureList());
    auto failing = [](std::uint64_t offset, char*, std::size_t) {
        if (offset > 0) throw std::runtime_error("read failed");
    };
    EXPECT_THROW(scanner.ScanSource(1 << 20, failing, 2, 4096), std::runtime_error);
}

} // namespace
