#pragma once
// The headless report: the analysis's rows as text, for operators who script, and the no-display
// fallback of the program. Kept apart from the executables so tests drive it with string streams.

#include "app/CrawlerAnalysis.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace app {

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

// Analyses `folder` and prints its rows to `out` as they come (captions first when `header`).
// Returns the exit status: 0 done, 1 the analysis failed (the rows so far are printed, the error
// text goes to `err`), 2 the folder does not exist or is a file.
int PrintReport(const std::string& folder, ReportStyle style, bool header, std::ostream& out,
                std::ostream& err);

// The whole command line of `iislog-report [--csv] [--header] FOLDER` (or --help, --version:
// stdout, status 0); bad usage gives the usage text on `err` and status 2.
int ReportMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace app
