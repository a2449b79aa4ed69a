// The analysis against public data of other projects: real crawler and browser user agents and
// W3C logs written by IIS and other servers (../shared/realdata beside the repository). Each test
// skips, saying why, when the data is absent.
#include "analysis/CrawlerAnalysis.h"
#include "analysis/CrawlerScanner.h"
#include "analysis/W3cFields.h"

#include "ReferenceScan.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

namespace {

namespace stdfs = std::filesystem;
using Json = nlohmann::json;

const stdfs::path& RealData() {
    static const stdfs::path folder = stdfs::path(IISLOG_SOURCE_DIR) / ".." / "shared" / "realdata";
    return folder;
}

#define REQUIRE_REAL_DATA(relative)                                                                          \
    if (!stdfs::exists(RealData() / (relative)))                                                             \
    GTEST_SKIP() << "no public test data at " << (RealData() / (relative)).string()

std::string ReadFile(const stdfs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// How IIS logs a field: a space as '+'.
std::string IisForm(std::string agent) {
    for (char& c : agent)
        if (c == ' ') c = '+';
    return agent;
}

// Instances the catalogue leaves out on purpose: bare words in a case the operator never
// writes (tokens are case-sensitive, as the operators document them), and a retired Yahoo!
// Japan agent.
bool IsKnownMiss(const std::string& agent) {
    static const char* const misses[] = {"dotbot", "coccoc", "SEMrushBot", "WhatsApp", "claudebot"};
    for (const char* miss : misses)
        if (agent == miss) return true;
    return agent.find("Y!J SearchMonkey") != std::string::npos;
}

class RealDataTest : public ::testing::Test {
protected:
    const analysis::CrawlerCatalogue& catalogue = analysis::CrawlerCatalogue::BuiltIn();
    analysis::CrawlerMatcher matcher{catalogue};

    std::string KeyOf(int crawler) const {
        return crawler >= 0 ? catalogue.Crawlers()[std::size_t(crawler)].Key
               : crawler == analysis::CrawlerMatcher::kOtherBot ? "(other bot)"
                                                                : "(none)";
    }
};

TEST_F(RealDataTest, CrawlerListInstancesGoToTheirCrawler) {
    REQUIRE_REAL_DATA("crawlers/monperrus-crawler-user-agents/crawler-user-agents.json");
    Json entries =
        Json::parse(ReadFile(RealData() / "crawlers/monperrus-crawler-user-agents/crawler-user-agents.json"));
    std::size_t instances = 0, named = 0, declared = 0;
    for (const Json& entry : entries) {
        if (!entry.contains("instances")) continue;
        // The entry's crawler is the one most of its instances name; every instance of an entry
        // whose crawler is in the catalogue must be attributed to a catalogue crawler (an entry
        // may hold several crawlers of one operator that the catalogue tells apart).
        std::map<int, int> votes;
        std::vector<std::pair<std::string, int>> verdicts;
        for (const Json& instance : entry["instances"]) {
            std::string agent = instance.get<std::string>();
            int normal = matcher.Match(agent, true), iis = matcher.Match(IisForm(agent), true);
            EXPECT_EQ(normal, iis) << agent << ": the IIS form gives another crawler";
            verdicts.emplace_back(agent, normal);
            ++votes[normal];
            ++instances;
            named += normal >= 0 ? 1 : 0;
            declared += normal == analysis::CrawlerMatcher::kOtherBot ? 1 : 0;
        }
        bool inCatalogue = false;
        for (const auto& [crawler, count] : votes)
            inCatalogue = inCatalogue || crawler >= 0;
        if (!inCatalogue) continue;
        for (const auto& [agent, crawler] : verdicts)
            if (!IsKnownMiss(agent)) {
                EXPECT_GE(crawler, 0) << "pattern " << entry["pattern"].get<std::string>() << ": " << agent
                                      << " -> " << KeyOf(crawler);
            }
    }
    std::cout << "crawler-user-agents.json: " << instances << " instances, " << named << " named crawlers, "
              << declared << " other bots, " << instances - named - declared << " not recognised\n";
}

TEST_F(RealDataTest, BrowsersAreNoCrawlers) {
    REQUIRE_REAL_DATA("crawlers/omrilotan-isbot/fixtures/browsers.yml");
    std::istringstream lines(ReadFile(RealData() / "crawlers/omrilotan-isbot/fixtures/browsers.yml"));
    std::string line;
    std::size_t browsers = 0, otherBots = 0;
    while (std::getline(lines, line)) {
        if (line.rfind("  - ", 0) != 0) continue;
        std::string agent = line.substr(4);
        if (agent.size() >= 2 && (agent.front() == '"' || agent.front() == '\'') &&
            agent.back() == agent.front())
            agent = agent.substr(1, agent.size() - 2);
        ++browsers;
        for (const std::string& form : {agent, IisForm(agent)}) {
            int crawler = matcher.Match(form, true);
            EXPECT_LT(crawler, 0) << form << " -> " << KeyOf(crawler);
            otherBots += crawler == analysis::CrawlerMatcher::kOtherBot ? 1 : 0;
        }
    }
    ASSERT_GT(browsers, 100u);
    std::cout << "browsers.yml: " << browsers << " browsers, " << otherBots << " of " << 2 * browsers
              << " forms taken for other bots\n";
    EXPECT_LT(double(otherBots), 0.005 * double(2 * browsers));
}

// Every log of the W3C fixtures, with the name of the folder it lies in.
std::vector<stdfs::path> LogFixtures() {
    std::vector<stdfs::path> files;
    if (!stdfs::exists(RealData() / "iis")) return files;
    for (const stdfs::directory_entry& e : stdfs::recursive_directory_iterator(RealData() / "iis")) {
        std::string name = e.path().filename().string();
        if (e.is_regular_file() && name.find("LICENSE") == std::string::npos &&
            e.path().extension() != ".json" && e.path().extension() != ".md")
            files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST_F(RealDataTest, W3cFixturesReadTheSameEveryWay) {
    REQUIRE_REAL_DATA("iis");
    analysis::CrawlerScanner scanner(catalogue);
    scanner.SetParallel(false);
    analysis::LogScanner classic(analysis::MakeSignatureList());
    std::size_t files = 0;
    for (const stdfs::path& file : LogFixtures()) {
        std::string text = ReadFile(file);
        SCOPED_TRACE(file.string());
        ++files;
        // Classic counts: the plain rules.
        analysis::ScanResult scan = classic.Scan(text);
        EXPECT_EQ(scan.Lines, std::int64_t(ReferenceLines(text).size()));
        EXPECT_EQ(scan.Hits, ReferenceHits(text, classic.Signatures()));
        // Current counts: the plain rules, for any cut.
        ReferenceTally want =
            ReferenceCrawlerScan(text, catalogue.Size(), analysis::CrawlerScanner::kMaxLineBytes,
                                 [&](std::string_view t, bool ua) { return matcher.Match(t, ua); });
        for (unsigned parts : {1u, 3u}) {
            analysis::CrawlerTally got = scanner.Scan(text, parts);
            EXPECT_EQ(got.Lines, want.Lines);
            EXPECT_EQ(got.Requests, want.Requests);
            EXPECT_EQ(got.Counts, want.Counts);
            EXPECT_EQ(got.OtherBots, want.OtherBots);
        }
    }
    EXPECT_GT(files, 20u);
}

TEST_F(RealDataTest, FieldsAgreeWithFilebeat) {
    const char* folder = "iis/elastic-beats/filebeat/module/iis/access/test";
    REQUIRE_REAL_DATA(folder);
    std::size_t events = 0;
    for (const stdfs::directory_entry& e : stdfs::directory_iterator(RealData() / folder)) {
        std::string name = e.path().filename().string();
        const std::string suffix = "-expected.json";
        if (name.size() <= suffix.size() || name.substr(name.size() - suffix.size()) != suffix) continue;
        std::string log = ReadFile(e.path().parent_path() / name.substr(0, name.size() - suffix.size()));
        // The field list in force at each line, as the reader sees it.
        std::map<std::string, analysis::W3cLayout> layoutOfLine;
        analysis::W3cLayout layout;
        for (const std::string& line : ReferenceLines(log)) {
            if (analysis::ClassifyW3cLine(line) == analysis::W3cLineKind::Fields)
                analysis::ParseFieldsDirective(line, layout);
            else if (analysis::ClassifyW3cLine(line) == analysis::W3cLineKind::Data)
                layoutOfLine[line] = layout;
        }
        for (const Json& event : Json::parse(ReadFile(e.path()))) {
            std::string original = event["event.original"].get<std::string>();
            SCOPED_TRACE(original);
            ASSERT_TRUE(layoutOfLine.count(original));
            const analysis::W3cLayout& fields = layoutOfLine[original];
            std::string_view values[analysis::kMaxW3cFields];
            int n = analysis::SplitW3cValues(original, values, analysis::kMaxW3cFields);
            if (n != fields.Count())
                continue; // Filebeat reads headerless lines by its own patterns; so do we, whole
            ++events;
            auto value = [&](int index) { return std::string(values[index]); };
            if (event.contains("user_agent.original")) {
                ASSERT_GE(fields.UserAgent, 0);
                std::string agent = value(fields.UserAgent);
                std::replace(agent.begin(), agent.end(), '+', ' ');
                EXPECT_EQ(agent, event["user_agent.original"].get<std::string>());
            }
            if (event.contains("http.response.status_code")) {
                ASSERT_GE(fields.Status, 0);
                EXPECT_EQ(value(fields.Status),
                          std::to_string(event["http.response.status_code"].get<int>()));
            }
            if (event.contains("url.path") && fields.UriStem >= 0) {
                EXPECT_EQ(value(fields.UriStem), event["url.path"].get<std::string>());
            }
            if (event.contains("http.response.body.bytes") && fields.Bytes >= 0) {
                EXPECT_EQ(value(fields.Bytes),
                          std::to_string(event["http.response.body.bytes"].get<long long>()));
            }
            if (event.contains("iis.access.site_name") && fields.SiteName >= 0) {
                EXPECT_EQ(value(fields.SiteName), event["iis.access.site_name"].get<std::string>());
            }
        }
    }
    // The first line of each of test.log's three blocks, and the IIS 7.2 lines; the other lines
    // are headerless or belong to no block of theirs.
    EXPECT_GE(events, 3u);
}

} // namespace
