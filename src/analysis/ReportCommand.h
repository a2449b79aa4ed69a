#pragma once
// The headless report: the analysis's rows as text, for operators who script, and the no-display
// fallback of the program. Kept apart from the executables so tests drive it with string streams.

#include "analysis/CrawlerAnalysis.h"
#include "analysis/ReportColumns.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace analysis {

enum class ReportStyle {
    Tab, // cells separated by a tab, lines ended by LF
    Csv, // RFC 4180: cells quoted when needed, lines ended by CR LF
};

// The report's column captions: 序号 日志名称 文件大小 百度 谷歌 搜搜 雅虎 搜狗 有道 必应.
const std::vector<std::string>& ReportCaptions();

// One report line, line end included.
std::string FormatReportLine(const std::vector<std::string>& cells, ReportStyle style);

// What the report list copies to the clipboard: the captions, then the given rows (ten cells
// each), exactly as `iislog-report --header` prints them.
std::string ReportCopyText(const std::vector<std::vector<std::string>>& rows);

// What the report prints and how.
struct ReportOptions {
    ReportStyle Style = ReportStyle::Tab;
    bool Header = false;
    bool Json = false;
    // The current mode's crawlers; null for the classic mode.
    const CrawlerCatalogue* Catalogue = nullptr;
    // The current mode's count columns; empty chooses them after the analysis: one per crawler
    // with hits.
    ReportColumns Columns = GroupColumns();
    bool ColumnsOfCrawlersWithHits = false;
};

// Analyses `folder` and prints its rows to `out` (as they come, unless the columns or the JSON
// document need every row first). Returns the exit status: 0 done, 1 the analysis failed (the
// rows so far are printed, the error text goes to `err`), 2 the folder does not exist or is a
// file.
int PrintReport(const std::string& folder, const ReportOptions& options, std::ostream& out,
                std::ostream& err);
// The classic report (captions first when `header`).
int PrintReport(const std::string& folder, ReportStyle style, bool header, std::ostream& out,
                std::ostream& err);

// The catalogue as lines: key, group, name, English name, operator, "retired" or "", URL.
void PrintCatalogue(const CrawlerCatalogue& catalogue, ReportStyle style, bool header, std::ostream& out);

// The whole command line of `iislog-report [OPTION...] FOLDER` (or --help, --version,
// --list-crawlers: stdout, status 0); bad usage gives the usage text on `err` and status 2.
int ReportMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace analysis
