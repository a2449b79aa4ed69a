#include "LogGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        std::size_t end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + separator.size();
    }
}

std::string Committed(const std::string& name) {
    std::ifstream in(std::string(IISLOG_SOURCE_DIR) + "/samples/logs/" + name, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// The bundled samples were written by `loggen --out samples/logs --seed 2013 --bytes 720000 --files 3`;
// the classic style must keep writing exactly them.
TEST(LogGenerator, ClassicStyleStillWritesTheBundledSamples) {
    loggen::LogGenerator gen(2013);
    for (int day = 0; day < 3; ++day) {
        std::string log;
        gen.AppendHeader(log, day);
        gen.AppendLines(log, 240000 - log.size(), day);
        const std::string name = gen.FileName(day);
        EXPECT_TRUE(log == Committed(name)) << name;
    }
}

// A reader must honour every #Fields block of a today-style log: the blocks differ, and each data
// line has exactly the fields its block names.
TEST(LogGenerator, TodayStyleWritesRestartBlocksWithTheirOwnFields) {
    const loggen::Options today{loggen::Style::Today, 64 << 10};
    const std::string log = loggen::LogGenerator::Generate(11, 2 << 20, today);
    EXPECT_EQ(log, loggen::LogGenerator::Generate(11, 2 << 20, today));
    EXPECT_NE(log, loggen::LogGenerator::Generate(12, 2 << 20, today));
    ASSERT_GE(log.size(), std::size_t(2 << 20));
    ASSERT_EQ(log.substr(log.size() - 2), "\r\n");

    const char* crawlers[] = {
        "Googlebot",     "bingbot",  "Baiduspider",   "YandexBot",           "Applebot",
        "DuckDuckBot",   "PetalBot", "YisouSpider",   "Sogou+web+spider",    "360Spider",
        "Bytespider",    "GPTBot",   "OAI-SearchBot", "ChatGPT-User",        "ClaudeBot",
        "PerplexityBot", "CCBot",    "Amazonbot",     "meta-externalagent",  "AhrefsBot",
        "SemrushBot",    "MJ12bot",  "DotBot",        "facebookexternalhit", "Twitterbot",
        "UptimeRobot",   "Bot/"};
    std::vector<std::string_view> fields, fieldLists;
    std::size_t agentIndex = 0, lines = 0, crawlerLines = 0, directives = 0;
    std::string_view previousTime;
    std::vector<std::string_view> all = Split(std::string_view(log).substr(0, log.size() - 2), "\r\n");
    for (std::string_view line : all) {
        ASSERT_EQ(line.find('\n'), std::string_view::npos);
        if (line.starts_with("#")) {
            // #Software, #Version, #Date, #Fields, in that order, at the start and at every restart.
            static constexpr std::string_view kOrder[] = {
                "#Software: ", "#Version: ", "#Date: ", "#Fields: "};
            ASSERT_TRUE(line.starts_with(kOrder[directives % 4])) << line;
            if (++directives % 4 == 0) {
                fieldLists.push_back(line.substr(9));
                fields = Split(line.substr(9), " ");
                agentIndex = std::find(fields.begin(), fields.end(), "cs(User-Agent)") - fields.begin();
                ASSERT_LT(agentIndex, fields.size());
            }
            continue;
        }
        ASSERT_EQ(directives % 4, 0u) << "a data line inside a header block: " << line;
        std::vector<std::string_view> values = Split(line, " ");
        ASSERT_EQ(values.size(), fields.size()) << line;
        for (std::string_view value : values)
            ASSERT_FALSE(value.empty()) << line;
        ASSERT_GE(values[1], previousTime) << line; // in time order
        previousTime = values[1];
        ++lines;
        for (const char* token : crawlers)
            if (values[agentIndex].find(token) != std::string_view::npos) {
                ++crawlerLines;
                break;
            }
    }
    std::sort(fieldLists.begin(), fieldLists.end());
    EXPECT_GE(fieldLists.size(), 10u);
    EXPECT_GE(std::unique(fieldLists.begin(), fieldLists.end()) - fieldLists.begin(), 3);
    EXPECT_GT(lines, 5000u);
    EXPECT_NEAR(double(crawlerLines) / double(lines), 1.0 / 3, 0.04);
}

} // namespace
