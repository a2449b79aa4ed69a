#include "analysis/ReportJson.h"

#include "analysis/ReportColumns.h"

#include <nlohmann/json.hpp>

namespace analysis {
namespace {

using Json = nlohmann::ordered_json;

struct ClassicCrawler {
    const char *Key, *Name, *NameEn, *Operator, *Url;
    bool Retired;
};

// The seven columns of the classic report, in their order.
constexpr ClassicCrawler kClassic[kSignatureCount] = {
    {"baidu", "百度", "Baidu", "Baidu", "http://www.baidu.com/search/spider.htm", false},
    {"google", "谷歌", "Google", "Google", "http://www.google.com/bot.html", false},
    {"soso", "搜搜", "Soso", "Tencent", "http://help.soso.com/webspider.htm", true},
    {"yahoo", "雅虎", "Yahoo", "Yahoo", "http://help.yahoo.com/help/us/ysearch/slurp", true},
    {"sogou", "搜狗", "Sogou", "Sogou", "http://www.sogou.com/docs/help/webmasters.htm", false},
    {"youdao", "有道", "Youdao", "NetEase Youdao", "http://www.youdao.com/help/webmaster/spider/", true},
    {"msn", "必应", "MSN/Bing", "Microsoft", "http://search.msn.com/msnbot.htm", true},
};

Json ClassicCrawlers() {
    Json list = Json::array();
    for (const ClassicCrawler& c : kClassic)
        list.push_back({{"key", c.Key},
                        {"name", c.Name},
                        {"name_en", c.NameEn},
                        {"operator", c.Operator},
                        {"url", c.Url},
                        {"retired", c.Retired}});
    return list;
}

Json CatalogueCrawlers(const CrawlerCatalogue& catalogue) {
    Json list = Json::array();
    for (const Crawler& c : catalogue.Crawlers())
        list.push_back({{"key", c.Key},
                        {"name", c.Name},
                        {"name_en", c.NameEn},
                        {"group", std::string(GroupKey(c.Group))},
                        {"operator", c.Operator},
                        {"url", c.Url},
                        {"retired", c.Retired}});
    return list;
}

Json FileEntry(const ResultRow& row, const CrawlerCatalogue* catalogue) {
    Json file = {{"number", row.Number}, {"name", row.FileName}, {"size", row.SizeBytes}};
    Json counts = Json::object();
    if (catalogue == nullptr) {
        for (std::size_t k = 0; k < kSignatureCount; ++k)
            counts[kClassic[k].Key] = row.Counts[k];
        file["counts"] = std::move(counts);
        return file;
    }
    file["requests"] = row.Requests;
    for (std::size_t c = 0; c < catalogue->Size() && c < row.CrawlerCounts.size(); ++c)
        if (row.CrawlerCounts[c] > 0) counts[catalogue->Crawlers()[c].Key] = row.CrawlerCounts[c];
    file["counts"] = std::move(counts);
    Json groups = Json::object();
    std::array<std::int64_t, kGroupCount> byGroup = GroupCounts(row, *catalogue);
    for (std::size_t g = 0; g < kGroupCount; ++g)
        groups[std::string(GroupKey(CrawlerGroup(g)))] = byGroup[g];
    file["groups"] = std::move(groups);
    file["other_bots"] = row.OtherBots;
    return file;
}

} // namespace

std::string ReportJson(const std::vector<ResultRow>& rows, const CrawlerCatalogue* catalogue) {
    Json doc = {{"mode", catalogue == nullptr ? "classic" : "current"},
                {"crawlers", catalogue == nullptr ? ClassicCrawlers() : CatalogueCrawlers(*catalogue)}};
    Json files = Json::array();
    for (const ResultRow& row : rows)
        files.push_back(FileEntry(row, catalogue));
    doc["files"] = std::move(files);
    return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace analysis
