#include "analysis/CrawlerCatalogue.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace {

TEST(CrawlerCatalogue, BadEntriesAreNamedAndLeftOut) {
    const char* text = "; comment\n"
                       "[good]\n"
                       "name = 好\n"
                       "group = search\n"
                       "match = GoodBot\n"
                       "[Bad Key]\n"
                       "group = search\n"
                       "[nogroup]\n"
                       "match = X\n"
                       "[badgroup]\n"
                       "group = robots\n"
                       "match = Y\n"
                       "[notokens]\n"
                       "group = seo\n"
                       "[unknownkey]\n"
                       "group = seo\n"
                       "match = Z\n"
                       "colour = red\n"
                       "[noequals]\n"
                       "group = seo\n"
                       "match\n"
                       "[badretired]\n"
                       "group = seo\n"
                       "match = R\n"
                       "retired = maybe\n"
                       "[good]\n"
                       "group = seo\n"
                       "[also-good]\n"
                       "group = monitor\r\n"
                       "match = Uptime Thing\r\n"
                       "retired = yes\n";
    analysis::CrawlerCatalogue c;
    std::vector<analysis::CatalogueError> errors;
    c.Load(text, "my.ini", errors);
    std::vector<std::string> texts;
    for (const analysis::CatalogueError& e : errors)
        texts.push_back(e.Text());
    EXPECT_EQ(
        texts,
        (std::vector<std::string>{
            "my.ini:6: bad crawler key \"Bad Key\" (lower-case letters, digits and '-')",
            "my.ini:8: crawler \"nogroup\" has no group",
            "my.ini:11: unknown group \"robots\" (search, ai-crawler, ai-assistant, seo, social or monitor)",
            "my.ini:13: crawler \"notokens\" has no match token",
            "my.ini:18: unknown key \"colour\"",
            "my.ini:21: expected \"key = value\"",
            "my.ini:25: retired must be yes or no, not \"maybe\"",
            "my.ini:26: crawler \"good\" is listed twice in this file",
        }));
    ASSERT_EQ(c.Size(), 2u);
    EXPECT_EQ(c.Crawlers()[0].Key, "good");
    EXPECT_EQ(c.Crawlers()[0].Name, "好");
    EXPECT_EQ(c.Crawlers()[0].NameEn, "good"); // the key stands in for a missing English name
    EXPECT_EQ(c.Crawlers()[0].Group, analysis::CrawlerGroup::Search);
    EXPECT_EQ(c.Crawlers()[1].Tokens, std::vector<std::string>{"Uptime Thing"});
    EXPECT_TRUE(c.Crawlers()[1].Retired);
    EXPECT_EQ(c.IndexOf("also-good"), 1);
    EXPECT_EQ(c.IndexOf("Bad Key"), -1);
}

TEST(CrawlerCatalogue, ALaterFileOverridesByKey) {
    analysis::CrawlerCatalogue c;
    std::vector<analysis::CatalogueError> errors;
    c.Load("[a]\nname = A\ngroup = search\nmatch = ABot\nmatch = AAgent\nrdns = a.example\n", "one", errors);
    c.Load("[a]\nretired = yes\nmatch = NewA\n[b]\ngroup = social\nmatch = BBot\n", "two", errors);
    c.Load("[a]\ngroup = nonsense\n", "three", errors); // a bad override leaves the entry alone
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].File, "three");
    ASSERT_EQ(c.Size(), 2u);
    const analysis::Crawler& a = c.Crawlers()[0];
    EXPECT_EQ(a.Name, "A");
    EXPECT_EQ(a.Group, analysis::CrawlerGroup::Search);
    EXPECT_TRUE(a.Retired);
    EXPECT_EQ(a.Tokens, std::vector<std::string>{"NewA"});
    EXPECT_EQ(a.RdnsSuffixes, std::vector<std::string>{"a.example"});
}

TEST(CrawlerCatalogue, TheBuiltInListIsSound) {
    analysis::CrawlerCatalogue c;
    std::vector<analysis::CatalogueError> errors;
    c.Load(analysis::CrawlerCatalogue::BuiltInText(), "crawlers.ini", errors);
    for (const analysis::CatalogueError& e : errors)
        ADD_FAILURE() << e.Text();
    EXPECT_GE(c.Size(), 80u);
    EXPECT_EQ(c.Size(), analysis::CrawlerCatalogue::BuiltIn().Size());
    std::set<analysis::CrawlerGroup> groups;
    for (const analysis::Crawler& crawler : c.Crawlers()) {
        groups.insert(crawler.Group);
        EXPECT_FALSE(crawler.Name.empty()) << crawler.Key;
        EXPECT_FALSE(crawler.Operator.empty()) << crawler.Key;
        for (const std::string& token : crawler.Tokens)
            EXPECT_GE(token.size(), 4u) << crawler.Key << ": a short token would match too much";
    }
    EXPECT_EQ(groups.size(), analysis::kGroupCount);
    for (const char* key : {"googlebot", "googlebot-image", "bingbot", "baiduspider", "yandexbot", "gptbot",
                            "claudebot", "slurp", "msnbot"})
        EXPECT_GE(c.IndexOf(key), 0) << key;
    EXPECT_TRUE(c.Crawlers()[std::size_t(c.IndexOf("slurp"))].Retired);
}

#ifdef _WIN32
constexpr const char* kConfigVariable = "APPDATA";
void SetVariable(const char* name, const std::string& value) { _putenv_s(name, value.c_str()); }
#else
constexpr const char* kConfigVariable = "XDG_CONFIG_HOME";
void SetVariable(const char* name, const std::string& value) {
    if (value.empty()) unsetenv(name);
    else setenv(name, value.c_str(), 1);
}
#endif

TEST(CrawlerCatalogue, TheUsersFileAndTheOneBesideTheProgramAddCrawlers) {
    TempFolder dir;
    std::filesystem::create_directories(dir / "config/iislog");
    std::filesystem::create_directories(dir / "program");
    dir.Write("config/iislog/crawlers.ini",
              "[mybot]\ngroup = seo\nmatch = MyBot\n[googlebot]\nretired = yes\n");
    dir.Write("program/crawlers.ini", "[mybot]\nname = 我的\n[broken\n");
    const char* saved = std::getenv(kConfigVariable);
    std::string savedValue = saved ? saved : "";
    SetVariable(kConfigVariable, dir / "config");
    std::string userFile = analysis::UserCatalogueFile();
    std::vector<analysis::CatalogueError> errors;
    analysis::CrawlerCatalogue c = analysis::LoadDefaultCatalogue(dir / "program", errors);
    SetVariable(kConfigVariable, savedValue);

    EXPECT_EQ(userFile.substr(0, (dir / "config").size()), dir / "config");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Text(), dir / "program" + "/crawlers.ini:3: a section line must end with \"]\"");
    int mine = c.IndexOf("mybot");
    ASSERT_GE(mine, 0);
    EXPECT_EQ(c.Crawlers()[std::size_t(mine)].Name, "我的");
    EXPECT_TRUE(c.Crawlers()[std::size_t(c.IndexOf("googlebot"))].Retired);
    EXPECT_EQ(c.Size(), analysis::CrawlerCatalogue::BuiltIn().Size() + 1);
}

} // namespace
