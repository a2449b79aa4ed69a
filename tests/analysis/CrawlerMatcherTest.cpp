#include "analysis/CrawlerMatcher.h"

#include "CatalogueOf.h"

#include <gtest/gtest.h>

namespace {

TEST(CrawlerMatcher, TheLongestTokenWinsThenTheFirstListed) {
    analysis::CrawlerCatalogue catalogue = CatalogueOf(R"(
[googlebot]
group = search
match = Googlebot
[googlebot-image]
group = search
match = Googlebot-Image
[first]
group = seo
match = SameLen
[second]
group = seo
match = SameLen
match = xSameLe
[sogou]
group = search
match = Sogou web spider
)");
    analysis::CrawlerMatcher m(catalogue);
    struct Case {
        std::string_view Agent;
        int Crawler;
    } cases[] = {
        {"Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)", 0},
        {"Googlebot-Image/1.0", 1},
        {"Googlebot-Imag", 0},       // a token cut short is not that token
        {"googlebot-image/1.0", -1}, // tokens are case-sensitive
        {"SameLen", 2},              // equal length: the crawler listed first
        {"xSameLen", 2},             // both tokens are 7 bytes long
        {"Sogou+web+spider/4.0", 4}, // the IIS form of a space
        {"Sogou web spider/4.0", 4}, // the quoted form
        {"Sogou+web spide", -1},
        {"", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m.MatchToken(c.Agent), c.Crawler) << c.Agent;
}

TEST(CrawlerMatcher, OtherCrawlersDeclareThemselves) {
    struct Case {
        std::string_view Text;
        bool UserAgent;
        bool Crawler;
    } cases[] = {
        {"NewsBlurBot/1.0", true, true},
        {"Mozilla/5.0+(compatible;+SomeSpider/3.1;++https://example.com/spider)", true, true},
        {"MegaIndex.ru crawler (http://megaindex.com/crawler)", true, true},
        {"Mozilla/5.0 (compatible; Seekport; +http://seekport.com/)", true, true},
        {"Mozilla/5.0+(compatible;+MSIE+9.0;+Windows+NT+6.1;+Trident/5.0)", true, false},
        // Device names and words that end like crawlers, but are no product with a version.
        {"Mozilla/5.0 (Linux; Android 10; CUBOT P40) AppleWebKit/537.36 Chrome/120.0 Mobile Safari/537.36",
         true, false},
        {"Mozilla/5.0 (Linux; Android 9; CUBOT_X30 Build/PPR1) Chrome/99.0", true, false},
        {"Mozilla/5.0 (Windows NT 10.0) Chrome/120.0 Safari/537.36", true, false},
        // In a whole line, addresses belong to the request and the referrer.
        {"GET /robots/searchbot/2 - 80 - 1.2.3.4 Mozilla/5.0 http://www.google.com/?q=spider", false, false},
        {"GET / - 80 - 1.2.3.4 Mozilla/5.0+(compatible;+Foo;++http://foo.example/) -", false, true},
        {"GET / - 80 - 1.2.3.4 FooCrawler/2.0 -", false, true},
        {"GET / - 80 - 1.2.3.4 CUBOT+P40 http://cubot.example/", false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(analysis::CrawlerMatcher::DeclaresCrawler(c.Text, c.UserAgent), c.Crawler) << c.Text;

    analysis::CrawlerCatalogue catalogue = CatalogueOf("[gptbot]\ngroup = ai-crawler\nmatch = GPTBot\n");
    analysis::CrawlerMatcher m(catalogue);
    EXPECT_EQ(m.Match("Mozilla/5.0 GPTBot/1.2 (+https://openai.com/gptbot)", true), 0);
    EXPECT_EQ(m.Match("UnknownBot/1.0", true), analysis::CrawlerMatcher::kOtherBot);
    EXPECT_EQ(m.Match("Mozilla/5.0", true), analysis::CrawlerMatcher::kNone);
}

} // namespace
