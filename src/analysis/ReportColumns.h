#pragma once
// The report's columns: number, name and size, then the count columns of the chosen layout
// (the classic seven, the crawler groups, or one column per chosen crawler), as captions and as
// cells of a row. The window and the headless report share them.

#include "analysis/CrawlerAnalysis.h"
#include "analysis/CrawlerCatalogue.h"

#include <array>
#include <string>
#include <vector>

namespace analysis {

struct ReportColumn {
    enum class Kind { Classic, Group, OtherBots, Requests, Crawler };
    Kind What = Kind::Classic;
    std::size_t Index = 0; // the signature, group or crawler
};

struct ReportColumns {
    std::vector<ReportColumn> Counts; // after 序号, 日志名称, 文件大小

    // 序号 日志名称 文件大小, then each count column's caption.
    std::vector<std::string> Captions(const CrawlerCatalogue* catalogue) const;
    // The row's cells under these columns.
    std::vector<std::string> Cells(const ResultRow& row, const CrawlerCatalogue* catalogue) const;
};

// 百度 谷歌 搜搜 雅虎 搜狗 有道 必应.
ReportColumns ClassicColumns();
// 搜索引擎 AI训练 AI助手 SEO工具 链接预览 监控, 其他爬虫, 请求总数.
ReportColumns GroupColumns();
// One column per crawler of `crawlers` (catalogue indices), in that order.
ReportColumns CrawlerColumns(const std::vector<std::size_t>& crawlers);

// The crawlers with at least one hit in `rows`, in catalogue order.
std::vector<std::size_t> CrawlersWithHits(const std::vector<ResultRow>& rows,
                                          const CrawlerCatalogue& catalogue);

// A current-mode row's hits per group.
std::array<std::int64_t, kGroupCount> GroupCounts(const ResultRow& row, const CrawlerCatalogue& catalogue);

} // namespace analysis
