#include "analysis/ReportColumns.h"

namespace analysis {
namespace {

const std::array<const char*, kSignatureCount> kClassicCaptions{"百度", "谷歌", "搜搜", "雅虎",
                                                                "搜狗", "有道", "必应"};

std::int64_t CrawlerCount(const ResultRow& row, std::size_t crawler) {
    return crawler < row.CrawlerCounts.size() ? row.CrawlerCounts[crawler] : 0;
}

} // namespace

std::vector<std::string> ReportColumns::Captions(const CrawlerCatalogue* catalogue) const {
    std::vector<std::string> captions{"序号", "日志名称", "文件大小"};
    for (const ReportColumn& c : Counts) {
        switch (c.What) {
        case ReportColumn::Kind::Classic: captions.emplace_back(kClassicCaptions[c.Index]); break;
        case ReportColumn::Kind::Group: captions.emplace_back(GroupCaption(CrawlerGroup(c.Index))); break;
        case ReportColumn::Kind::OtherBots: captions.emplace_back("其他爬虫"); break;
        case ReportColumn::Kind::Requests: captions.emplace_back("请求总数"); break;
        case ReportColumn::Kind::Crawler:
            captions.push_back(catalogue != nullptr && c.Index < catalogue->Size()
                                   ? catalogue->Crawlers()[c.Index].Name
                                   : std::string("?"));
            break;
        }
    }
    return captions;
}

std::vector<std::string> ReportColumns::Cells(const ResultRow& row, const CrawlerCatalogue* catalogue) const {
    std::vector<std::string> cells{std::to_string(row.Number), row.FileName, row.SizeText};
    std::array<std::int64_t, kGroupCount> groups{};
    bool groupsKnown = false;
    for (const ReportColumn& c : Counts) {
        std::int64_t value = 0;
        switch (c.What) {
        case ReportColumn::Kind::Classic: value = row.Counts[c.Index]; break;
        case ReportColumn::Kind::Group:
            if (!groupsKnown && catalogue != nullptr) {
                groups = GroupCounts(row, *catalogue);
                groupsKnown = true;
            }
            value = groups[c.Index];
            break;
        case ReportColumn::Kind::OtherBots: value = row.OtherBots; break;
        case ReportColumn::Kind::Requests: value = row.Requests; break;
        case ReportColumn::Kind::Crawler: value = CrawlerCount(row, c.Index); break;
        }
        cells.push_back(std::to_string(value));
    }
    return cells;
}

ReportColumns ClassicColumns() {
    ReportColumns columns;
    for (std::size_t k = 0; k < kSignatureCount; ++k)
        columns.Counts.push_back({ReportColumn::Kind::Classic, k});
    return columns;
}

ReportColumns GroupColumns() {
    ReportColumns columns;
    for (std::size_t g = 0; g < kGroupCount; ++g)
        columns.Counts.push_back({ReportColumn::Kind::Group, g});
    columns.Counts.push_back({ReportColumn::Kind::OtherBots, 0});
    columns.Counts.push_back({ReportColumn::Kind::Requests, 0});
    return columns;
}

ReportColumns CrawlerColumns(const std::vector<std::size_t>& crawlers) {
    ReportColumns columns;
    for (std::size_t c : crawlers)
        columns.Counts.push_back({ReportColumn::Kind::Crawler, c});
    return columns;
}

std::vector<std::size_t> CrawlersWithHits(const std::vector<ResultRow>& rows,
                                          const CrawlerCatalogue& catalogue) {
    std::vector<std::size_t> crawlers;
    for (std::size_t c = 0; c < catalogue.Size(); ++c)
        for (const ResultRow& row : rows)
            if (CrawlerCount(row, c) > 0) {
                crawlers.push_back(c);
                break;
            }
    return crawlers;
}

std::array<std::int64_t, kGroupCount> GroupCounts(const ResultRow& row, const CrawlerCatalogue& catalogue) {
    std::array<std::int64_t, kGroupCount> groups{};
    for (std::size_t c = 0; c < catalogue.Size() && c < row.CrawlerCounts.size(); ++c)
        groups[std::size_t(catalogue.Crawlers()[c].Group)] += row.CrawlerCounts[c];
    return groups;
}

} // namespace analysis
