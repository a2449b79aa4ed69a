#include "analysis/CrawlerScanner.h"
#include "analysis/W3cFields.h"
#include "analysis/W3cShapeKernel.h"

#include "CatalogueOf.h"
#include "ReferenceScan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace {

const char* const kCatalogue = R"(
[googlebot]
group = search
match = Googlebot
[googlebot-image]
group = search
match = Googlebot-Image
[sogou]
group = search
match = Sogou web spider
[gptbot]
group = ai-crawler
match = GPTBot
)";

class CrawlerScannerTest : public ::testing::Test {
protected:
    analysis::CrawlerCatalogue catalogue = CatalogueOf(kCatalogue);
    analysis::CrawlerScanner scanner{catalogue};

    ReferenceTally Reference(std::string_view text) const {
        return ReferenceCrawlerScan(
            text, catalogue.Size(), analysis::CrawlerScanner::kMaxLineBytes,
            [&](std::string_view t, bool ua) { return scanner.Matcher().Match(t, ua); });
    }

    // Every cut of the text (parts, block sizes) gives the plain rules' tally.
    void ExpectSameEverywhere(const std::string& text) {
        ReferenceTally want = Reference(text);
        analysis::CrawlerScanner sequential{catalogue};
        sequential.SetParallel(false);
        auto read = [&](std::uint64_t offset, char* buffer, std::size_t length) {
            ASSERT_LE(offset + length, text.size());
            std::memcpy(buffer, text.data() + offset, length);
        };
        for (unsigned parts : {1u, 2u, 3u, 7u})
            for (std::size_t chunk :
                 {std::size_t(1), std::size_t(5), std::size_t(64), std::size_t(1) << 16}) {
                analysis::CrawlerTally got = sequential.ScanSource(text.size(), read, parts, chunk);
                SCOPED_TRACE(testing::Message() << "parts " << parts << " chunk " << chunk);
                EXPECT_EQ(got.Lines, want.Lines);
                EXPECT_EQ(got.Requests, want.Requests);
                EXPECT_EQ(got.OtherBots, want.OtherBots);
                EXPECT_EQ(got.Counts, want.Counts);
            }
    }
};

const char* const kHeader = "#Software: Microsoft Internet Information Services 10.0\r\n"
                            "#Version: 1.0\r\n"
                            "#Date: 2026-12-01 00:00:00\r\n";

TEST_F(CrawlerScannerTest, LooksInTheUserAgentOfEachBlock) {
    // Two blocks with the agent in other places; the referrer names Googlebot too and must not
    // count; a line whose count does not match its block is looked at whole.
    std::string text =
        std::string(kHeader) +
        "#Fields: date time cs-uri-stem cs(User-Agent) cs(Referer)\r\n"
        "2026-12-01 00:00:01 / Mozilla/5.0+(compatible;+Googlebot/2.1;++http://www.google.com/bot.html) -\r\n"
        "2026-12-01 00:00:02 / Mozilla/5.0+(Windows+NT+10.0) http://x.example/?q=Googlebot\r\n"
        "2026-12-01 00:00:03 / Googlebot-Image/1.0 -\r\n"
        "2026-12-01 00:00:04 / extra Mozilla/5.0+GPTBot/1.2 -\r\n" +
        kHeader +
        "#Fields: date time cs(User-Agent) cs-uri-stem\r\n"
        "2026-12-01 00:00:05 Sogou+web+spider/4.0 /\r\n"
        "2026-12-01 00:00:06 FooBot/2.0+(+https://foo.example/bot) /\r\n"
        "\r\n"
        "   \r\n";
    analysis::CrawlerTally t = scanner.Scan(text, 1);
    EXPECT_EQ(t.Lines, 16);
    EXPECT_EQ(t.Requests, 6);
    EXPECT_EQ(t.Counts, (std::vector<std::int64_t>{1, 1, 1, 1}));
    EXPECT_EQ(t.OtherBots, 1);
    ExpectSameEverywhere(text);
}

TEST_F(CrawlerScannerTest, WithoutFieldsTheWholeLineCounts) {
    std::string text = "1.2.3.4 - - [01/Dec/2026] \"GET / HTTP/1.1\" 200 5 \"-\" \"Googlebot/2.1\"\n"
                       "no agent here\n";
    analysis::CrawlerTally t = scanner.Scan(text);
    EXPECT_EQ(t.Requests, 2);
    EXPECT_EQ(t.Counts[0], 1);
}

TEST_F(CrawlerScannerTest, QuotedValuesOfAdvancedLogging) {
    std::string text =
        "#Fields: date cs(User-Agent) sc-status\n"
        "2026-12-01 \"Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)\" 200\n"
        "2026-12-01 \"Sogou web spider/4.0\" 200\n"
        "2026-12-01 \"never closed 200\n";
    analysis::CrawlerTally t = scanner.Scan(text);
    EXPECT_EQ(t.Requests, 3);
    EXPECT_EQ(t.Counts, (std::vector<std::int64_t>{1, 0, 1, 0}));
    ExpectSameEverywhere(text);
}

TEST_F(CrawlerScannerTest, CutsNeverChangeTheCounts) {
    // Blocks that change field order part way, CR LF and lone CR and LF, a NUL that ends the
    // text, an overlong line: cut every way.
    std::string text;
    for (int block = 0; block < 6; ++block) {
        text += block % 2 ? "#Fields: cs(User-Agent) date\r\n" : "#Fields: date cs(User-Agent)\n";
        for (int i = 0; i < 9; ++i) {
            const char* agent = i % 3 == 0   ? "Googlebot-Image/1.0"
                                : i % 3 == 1 ? "GPTBot/1.1"
                                             : "Mozilla/5.0";
            text += block % 2 ? std::string(agent) + " 2026-12-0" + char('1' + i) + (i % 2 ? "\r" : "\r\n")
                              : std::string("2026-12-0") + char('1' + i) + " " + agent + "\n";
        }
    }
    ExpectSameEverywhere(text);
    std::string overlong = text + std::string(analysis::CrawlerScanner::kMaxLineBytes + 10, 'x') +
                           " GPTBot\n" + text;
    ExpectSameEverywhere(overlong);
    std::string nul = text;
    nul.insert(nul.size() / 2, std::string("GPTBot\0GPTBot\n", 14));
    ExpectSameEverywhere(nul);
    EXPECT_LT(scanner.Scan(nul).Requests, scanner.Scan(text).Requests);
}

TEST_F(CrawlerScannerTest, ALaterPartTakesTheFieldListInForceWhereItStarts) {
    // The first block names the agent first; the second, which rules the later parts, names it
    // second: a later part must find the second list behind it, not take the file's first.
    std::string text = "#Fields: cs(User-Agent) date\n";
    for (int i = 0; i < 3; ++i)
        text += "GPTBot 2026-12-01\n";
    text += "#Fields: date cs(User-Agent)\n";
    for (int i = 0; i < 400; ++i)
        text += "Googlebot-Image 2026-12-01\n";
    analysis::CrawlerTally t = scanner.Scan(text, 4);
    EXPECT_EQ(t.Counts[1], 0); // "Googlebot-Image" is the date field of the second list
    EXPECT_EQ(t.Counts[3], 3); // the first block names the agent first
    EXPECT_EQ(t.Requests, 403);
    ExpectSameEverywhere(text);
}

TEST(W3cFields, SplitsValuesAndReadsDirectives) {
    struct Case {
        std::string Line;
        std::vector<std::string> Values;
    } cases[] = {
        {"a b c", {"a", "b", "c"}},
        {"a  b", {"a", "", "b"}},
        {"", {""}},
        {"\"x y\" z", {"x y", "z"}},
        {"a \"he said \"\"hi\"\"\" b", {"a", "he said \"\"hi\"\"", "b"}},
        {"a \"open b", {"a", "open b"}},
        {"a b\"c d", {"a", "b\"c", "d"}},
        {std::string(40, 'v') + " " + std::string(17, 'w') + " z",
         {std::string(40, 'v'), std::string(17, 'w'), "z"}},
    };
    for (const Case& c : cases) {
        std::string_view views[8];
        int n = analysis::SplitW3cValues(c.Line, views, 8);
        ASSERT_EQ(n, int(c.Values.size())) << c.Line;
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(views[i], c.Values[std::size_t(i)]) << c.Line;
    }
    // The one-pass lookup of one value agrees, and leaves quoted lines to the split.
    std::string line = std::string(40, 'v') + " " + std::string(17, 'w') + " z " + std::string(30, 'u');
    for (int index = 0; index < 4; ++index) {
        std::string_view all[8], one;
        ASSERT_EQ(analysis::LocateW3cValue(line, index, one), analysis::SplitW3cValues(line, all, 8));
        EXPECT_EQ(one, all[index]);
    }
    std::string_view value;
    EXPECT_EQ(analysis::LocateW3cValue(line, 4, value), -1);
    // Both kernels find a line's end and its value the same way, at every length around a block.
    for (std::size_t length : {0u, 1u, 63u, 64u, 65u, 127u, 130u}) {
        std::string text = std::string(length, 'x') + "\r\nrest";
        for (std::size_t i = 3; i < length; i += 7)
            text[i] = ' ';
        std::string padded = text + std::string(64, ' '); // read past the end, never counted
        for (int index : {-1, 0, 2, 9}) {
            analysis::W3cLineShape a = analysis::w3c::ShapeLineBaseline(text.data(), text.size(), text.size(),
                                                                        index);
            analysis::W3cLineShape b = analysis::w3c::ShapeLineAvx2(padded.data(), text.size(), padded.size(),
                                                                    index);
            EXPECT_EQ(a.Length, length);
            EXPECT_TRUE(a.Ended);
            EXPECT_EQ(a.Break, '\r');
            EXPECT_EQ(std::tie(a.Length, a.Values, a.ValueStart, a.ValueEnd),
                      std::tie(b.Length, b.Values, b.ValueStart, b.ValueEnd));
            std::string_view all[32];
            int n = analysis::SplitW3cValues(std::string_view(text).substr(0, length), all, 32);
            EXPECT_EQ(a.Values, index >= 0 && index < n ? n : -1) << length << " " << index;
        }
    }
    EXPECT_EQ(analysis::LocateW3cValue("a \"b c\"", 0, value), -1);
    std::string_view one[1];
    EXPECT_EQ(analysis::SplitW3cValues("a b c d", one, 1), 4); // counted beyond what is kept

    analysis::W3cLayout layout;
    ASSERT_TRUE(analysis::ParseFieldsDirective("#fields:  date\ttime cs(user-agent) sc-status", layout));
    EXPECT_EQ(layout.Count(), 4);
    EXPECT_EQ(layout.UserAgent, 2);
    EXPECT_EQ(layout.Status, 3);
    EXPECT_EQ(layout.Bytes, -1);
    EXPECT_FALSE(analysis::ParseFieldsDirective("#Fields:", layout));
    EXPECT_FALSE(analysis::ParseFieldsDirective("#Date: 2026", layout));
    EXPECT_EQ(analysis::ClassifyW3cLine("#Software: x"), analysis::W3cLineKind::Directive);
    EXPECT_EQ(analysis::ClassifyW3cLine("#FIELDS: a"), analysis::W3cLineKind::Fields);
    EXPECT_EQ(analysis::ClassifyW3cLine(" \t "), analysis::W3cLineKind::Blank);
    EXPECT_EQ(analysis::ClassifyW3cLine(" x"), analysis::W3cLineKind::Data);
}

} // namespace
