#include "LogGenerator.h"

#include "TodayLog.h"

#include <cstdio>
#include <iterator>

namespace loggen {
namespace {

struct Weighted {
    const char* Text;
    int Weight;
};

// User agents as IIS logs them. The weights are per mille of the lines.
constexpr Weighted kAgents[] = {
    // Counted crawlers, old and new forms.
    {"Baiduspider+(+http://www.baidu.com/search/spider.htm)", 6},
    {"Mozilla/5.0+(compatible;+Baiduspider/2.0;++http://www.baidu.com/search/spider.html)", 10},
    {"Googlebot/2.1+(+http://www.google.com/bot.html)", 3},
    {"Mozilla/5.0+(compatible;+Googlebot/2.1;++http://www.google.com/bot.html)", 8},
    {"Sosospider+(+http://help.soso.com/webspider.htm)", 3},
    {"Mozilla/5.0(compatible;+Sosospider/2.0;++http://help.soso.com/webspider.htm)", 2},
    {"Mozilla/5.0+(compatible;+Yahoo!+Slurp;+http://help.yahoo.com/help/us/ysearch/slurp)", 3},
    {"Mozilla/5.0+(compatible;+Yahoo!+Slurp+China;+http://misc.yahoo.com.cn/help.html)", 2},
    {"Sogou+web+spider/3.0(+http://www.sogou.com/docs/help/webmasters.htm#07)", 2},
    {"Sogou+web+spider/4.0(+http://www.sogou.com/docs/help/webmasters.htm#07)", 4},
    {"Mozilla/5.0+(compatible;+YoudaoBot/1.0;+http://www.youdao.com/help/webmaster/spider/;+)", 3},
    {"msnbot/1.1+(+http://search.msn.com/msnbot.htm)", 2},
    {"msnbot/2.0b+(+http://search.msn.com/msnbot.htm)", 2},
    {"msnbot-media/1.1+(+http://search.msn.com/msnbot.htm)", 1},
    // Crawlers the report does not count.
    {"Mozilla/5.0+(compatible;+bingbot/2.0;++http://www.bing.com/bingbot.htm)", 5},
    {"Mozilla/5.0+(compatible;+YandexBot/3.0;++http://yandex.com/bots)", 2},
    {"Sogou+Pic+Spider/3.0(+http://www.sogou.com/docs/help/webmasters.htm#07)", 0},
    // Browsers.
    {"Mozilla/4.0+(compatible;+MSIE+6.0;+Windows+NT+5.1;+SV1)", 180},
    {"Mozilla/4.0+(compatible;+MSIE+8.0;+Windows+NT+6.1;+Trident/4.0;+.NET+CLR+2.0.50727)", 220},
    {"Mozilla/5.0+(Windows+NT+6.1;+WOW64)+AppleWebKit/537.36+(KHTML,+like+Gecko)+Chrome/31.0.1650.63+"
     "Safari/537.36",
     260},
    {"Mozilla/5.0+(Windows+NT+6.1;+rv:26.0)+Gecko/20100101+Firefox/26.0", 150},
    {"Mozilla/5.0+(iPhone;+CPU+iPhone+OS+7_0+like+Mac+OS+X)+AppleWebKit/537.51.1+(KHTML,+like+Gecko)+"
     "Version/7.0+Mobile/11A465+Safari/9537.53",
     80},
    {"Mozilla/5.0+(compatible;+MSIE+9.0;+Windows+NT+6.1;+Trident/5.0;+SE+2.X+MetaSr+1.0)", 48},
};

// Referrers: search-engine result pages (not signatures, so not counted), the site itself, none.
constexpr const char* kReferrers[] = {
    "-",
    "-",
    "-",
    "http://www.example.com.cn/",
    "http://www.example.com.cn/news/index.html",
    "http://www.baidu.com/s?wd=%E6%97%A5%E5%BF%97%E5%88%86%E6%9E%90&rsv_bp=0",
    "http://www.baidu.com/link?url=Q9rX2Lf0aB&wd=iis%E6%97%A5%E5%BF%97",
    "http://www.google.com/search?q=iis+log+analyser&ie=utf-8",
    "http://www.google.com.hk/url?sa=t&rct=j&q=&esrc=s&source=web&cd=1",
    "http://www.sogou.com/web?query=%E7%BD%91%E7%AB%99&_asf=www.sogou.com",
    "http://www.soso.com/q?w=iis&sc=web&ch=w.uhome",
    "http://search.yahoo.com/search?p=yahoo+slurp",
    "http://www.youdao.com/search?q=iis&ue=utf8",
    "http://cn.bing.com/search?q=msnbot&form=QBLH",
};

constexpr const char* kStems[] = {
    "/",
    "/index.html",
    "/news/list.asp",
    "/news/show.asp",
    "/images/logo.gif",
    "/css/main.css",
    "/js/jquery.min.js",
    "/robots.txt",
    "/products/item.aspx",
    "/favicon.ico",
    "/about/contact.html",
};

constexpr const char* kQueries[] = {"-", "-", "-", "id=1024", "page=2&sort=date", "id=77&type=news"};

constexpr int kStatuses[] = {200, 200, 200, 200, 200, 200, 304, 304, 404, 301};

int TotalWeight() {
    int total = 0;
    for (const Weighted& a : kAgents)
        total += a.Weight;
    return total;
}

} // namespace

LogGenerator::LogGenerator(std::uint64_t seed, Options options) : random_(seed) {
    if (options.style == Style::Today) today_ = std::make_unique<TodayLog>(seed, options.blockBytes);
}

LogGenerator::~LogGenerator() = default;

void LogGenerator::AppendHeader(std::string& out, int day, std::uint64_t fileBytes) {
    if (today_) {
        today_->BeginFile(out, day, fileBytes);
        return;
    }
    char date[64];
    std::snprintf(date, sizeof date, "#Date: 2013-%02d-%02d 00:00:00\r\n", 1 + (day / 28) % 12, 1 + day % 28);
    out += "#Software: Microsoft Internet Information Services 6.0\r\n"
           "#Version: 1.0\r\n";
    out += date;
    out += "#Fields: date time s-sitename s-ip cs-method cs-uri-stem cs-uri-query s-port cs-username c-ip "
           "cs(User-Agent) cs(Referer) sc-status sc-substatus sc-win32-status sc-bytes time-taken\r\n";
}

void LogGenerator::AppendLine(std::string& out, int day) {
    static const int total = TotalWeight();
    int pick = int(Below(std::uint64_t(total)));
    const Weighted* agent = kAgents;
    while (pick >= agent->Weight) {
        pick -= agent->Weight;
        ++agent;
    }
    bool crawler = agent - kAgents < 17;
    const char* referrer = crawler ? "-" : kReferrers[Below(std::size(kReferrers))];
    seconds_ = (seconds_ + int(Below(3))) % 86400;
    // The draws in a fixed order (the one these logs were first written with), not left to the
    // compiler's order of evaluating arguments.
    const unsigned taken = unsigned(Below(900));
    const unsigned bytes = unsigned(200 + Below(60000));
    const int status = kStatuses[Below(std::size(kStatuses))];
    const unsigned ip4 = unsigned(1 + Below(254));
    const unsigned ip3 = unsigned(Below(256));
    const unsigned ip2 = unsigned(Below(256));
    const unsigned ip1 = unsigned(crawler ? 123 : 58 + Below(160));
    const char* query = kQueries[Below(std::size(kQueries))];
    const char* stem = kStems[Below(std::size(kStems))];
    char line[1024];
    int n =
        std::snprintf(line, sizeof line,
                      "2013-%02d-%02d %02d:%02d:%02d W3SVC1 192.168.1.10 GET %s %s 80 - %u.%u.%u.%u %s %s "
                      "%d 0 0 %u %u\r\n",
                      1 + (day / 28) % 12, 1 + day % 28, seconds_ / 3600, seconds_ / 60 % 60, seconds_ % 60,
                      stem, query, ip1, ip2, ip3, ip4, agent->Text, referrer, status, bytes, taken);
    out.append(line, std::size_t(n));
}

void LogGenerator::AppendLines(std::string& out, std::uint64_t bytes, int day) {
    if (today_) {
        today_->AppendLines(out, bytes);
        return;
    }
    std::uint64_t target = out.size() + bytes;
    while (out.size() < target)
        AppendLine(out, day);
}

std::string LogGenerator::FileName(int day) const {
    if (today_) return TodayLog::FileName(day);
    char name[32];
    std::snprintf(name, sizeof name, "u_ex13%02d%02d.log", 1 + (day / 28) % 12, 1 + day % 28);
    return name;
}

std::string LogGenerator::Generate(std::uint64_t seed, std::uint64_t bytes, Options options) {
    LogGenerator gen(seed, options);
    std::string out;
    out.reserve(bytes + 4096);
    gen.AppendHeader(out, 0, bytes);
    gen.AppendLines(out, bytes > out.size() ? bytes - out.size() : 0, 0);
    return out;
}

} // namespace loggen
