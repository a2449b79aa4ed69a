#include "analysis/ReportCommand.h"

#include "analysis/ReportJson.h"

#include "platform/fs/File.h"
#include "platform/fs/FindFiles.h"
#include "platform/fs/Paths.h"
#include "platform/fs/Process.h"

#include <exception>
#include <optional>
#include <ostream>

namespace analysis {
namespace {

#ifndef IISLOG_VERSION
#error "IISLOG_VERSION comes from the project's version in CMake"
#endif

constexpr const char* kUsage =
    "Usage: iislog-report [--csv] [--header] [--json] [--crawlers MODE] [--columns COLUMNS] FOLDER\n"
    "       iislog-report --list-crawlers [--crawlers FILE] [--csv] [--header]\n"
    "       iislog-report --help | --version\n"
    "Prints one line per *.log file of FOLDER: number, file name, size and crawler counts.\n"
    "  --crawlers classic  the lines that carry the Baidu, Google, Soso, Yahoo, Sogou, Youdao and\n"
    "                      MSN/Bing crawler signatures of 2013 (the default)\n"
    "  --crawlers current  the requests of today's crawlers, each request counted for one\n"
    "                      crawler (the built-in catalogue with the user's crawlers.ini)\n"
    "  --crawlers FILE     the same with the crawlers of FILE instead\n"
    "  --columns groups    current mode: the crawler groups, other bots and all requests (default)\n"
    "  --columns crawlers  current mode: one column per crawler with hits\n"
    "  --columns KEY,KEY   current mode: these crawlers (see --list-crawlers)\n"
    "  --json              one JSON document with every count\n"
    "  --csv               RFC 4180 comma-separated values instead of tab-separated columns\n"
    "  --header            a first line with the column captions\n"
    "  --list-crawlers     the crawler catalogue: key, group, name, English name, operator,\n"
    "                      retired, page\n"
    "  --help              this text\n"
    "  --version           the program's version\n"
    "Exit status: 0 done, 1 a file could not be read (the rows before it are printed), 2 bad usage\n"
    "or a folder that does not exist or is a file.\n";

std::string CsvCell(const std::string& cell) {
    if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// Prints rows as they come, or keeps them when the whole report is needed first.
class ReportPrinter final : public AnalysisObserver {
public:
    ReportPrinter(std::ostream& out, const ReportOptions& options, bool keep)
        : out_(out), options_(options), keep_(keep) {}
    void beginFile(std::int64_t) override {}
    void atLine(std::int64_t) override {}
    void addRow(const ResultRow& row) override {
        if (keep_) rows_.push_back(row);
        else out_ << FormatReportLine(options_.Columns.Cells(row, options_.Catalogue), options_.Style);
    }
    // A scripted caller may be watching a slow folder: hand each row over as soon as it exists.
    void fileDone() override {
        if (!keep_) out_.flush();
    }
    const std::vector<ResultRow>& Rows() const { return rows_; }

private:
    std::ostream& out_;
    const ReportOptions& options_;
    bool keep_;
    std::vector<ResultRow> rows_;
};

// Reads the value of --columns into `options`; false with a reason in `problem` for a bad one.
bool ParseColumns(const std::string& value, const CrawlerCatalogue& catalogue, ReportOptions& options,
                  std::string& problem) {
    options.ColumnsOfCrawlersWithHits = false;
    if (value == "groups") {
        options.Columns = GroupColumns();
        return true;
    }
    if (value == "crawlers") {
        options.ColumnsOfCrawlersWithHits = true;
        return true;
    }
    std::vector<std::size_t> crawlers;
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t comma = value.find(',', start);
        std::string key = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int index = catalogue.IndexOf(key);
        if (index < 0) {
            problem = "unknown crawler \"" + key + "\" in --columns (see --list-crawlers)";
            return false;
        }
        crawlers.push_back(std::size_t(index));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    options.Columns = CrawlerColumns(crawlers);
    return true;
}

} // namespace

const std::vector<std::string>& ReportCaptions() {
    static const std::vector<std::string> captions{"序号", "日志名称", "文件大小", "百度", "谷歌",
                                                   "搜搜", "雅虎",     "搜狗",     "有道", "必应"};
    return captions;
}

std::string FormatReportLine(const std::vector<std::string>& cells, ReportStyle style) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += style == ReportStyle::Csv ? ',' : '\t';
        line += style == ReportStyle::Csv ? CsvCell(cells[i]) : cells[i];
    }
    line += style == ReportStyle::Csv ? "\r\n" : "\n";
    return line;
}

std::string ReportCopyText(const std::vector<std::vector<std::string>>& rows) {
    std::string text = FormatReportLine(ReportCaptions(), ReportStyle::Tab);
    for (const std::vector<std::string>& row : rows)
        text += FormatReportLine(row, ReportStyle::Tab);
    return text;
}

int PrintReport(const std::string& folder, const ReportOptions& options, std::ostream& out,
                std::ostream& err) {
    // The analysis treats a missing folder like an empty one; a script deserves to know.
    if (!fs::DirectoryExists(folder)) {
        if (fs::PathExists(folder)) err << "iislog-report: \"" << folder << "\" is a file, not a folder\n";
        else err << "iislog-report: folder \"" << folder << "\" does not exist\n";
        return 2;
    }
    bool current = options.Catalogue != nullptr;
    bool keep = options.Json || (current && options.ColumnsOfCrawlersWithHits);
    ReportOptions shown = options;
    if (!current) shown.Columns = ClassicColumns();
    if (options.Header && !keep)
        out << FormatReportLine(shown.Columns.Captions(shown.Catalogue), shown.Style);
    ReportPrinter printer(out, shown, keep);
    std::optional<CrawlerAnalysis> analysis;
    if (current) analysis.emplace(*options.Catalogue);
    else analysis.emplace();
    int status = 0;
    try {
        analysis->analyseLogFiles(folder, printer);
    } catch (const std::exception& e) {
        out.flush();
        err << e.what() << "\n";
        status = 1;
    }
    if (options.Json) {
        out << ReportJson(printer.Rows(), shown.Catalogue);
    } else if (keep) {
        shown.Columns = CrawlerColumns(CrawlersWithHits(printer.Rows(), *shown.Catalogue));
        if (shown.Header) out << FormatReportLine(shown.Columns.Captions(shown.Catalogue), shown.Style);
        for (const ResultRow& row : printer.Rows())
            out << FormatReportLine(shown.Columns.Cells(row, shown.Catalogue), shown.Style);
    }
    out.flush();
    return status;
}

int PrintReport(const std::string& folder, ReportStyle style, bool header, std::ostream& out,
                std::ostream& err) {
    ReportOptions options;
    options.Style = style;
    options.Header = header;
    return PrintReport(folder, options, out, err);
}

void PrintCatalogue(const CrawlerCatalogue& catalogue, ReportStyle style, bool header, std::ostream& out) {
    if (header)
        out << FormatReportLine({"key", "group", "name", "name_en", "operator", "retired", "url"}, style);
    for (const Crawler& c : catalogue.Crawlers())
        out << FormatReportLine({c.Key, std::string(GroupKey(c.Group)), c.Name, c.NameEn, c.Operator,
                                 c.Retired ? "retired" : "", c.Url},
                                style);
}

int ReportMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ReportOptions options;
    bool listCrawlers = false;
    std::string crawlers = "classic";
    std::optional<std::string> columns;
    std::vector<std::string> folders;
    bool optionsEnded = false;
    auto usage = [&](const std::string& problem) {
        err << "iislog-report: " << problem << "\n" << kUsage;
        return 2;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "--crawlers=current" and "--crawlers current" alike.
        std::string name = arg, value;
        bool hasValue = false;
        if (!optionsEnded && arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
            name = arg.substr(0, arg.find('='));
            value = arg.substr(arg.find('=') + 1);
            hasValue = true;
        }
        auto takeValue = [&]() {
            if (hasValue) return true;
            if (i + 1 >= args.size()) return false;
            value = args[++i];
            return true;
        };
        if (optionsEnded || arg.empty() || arg[0] != '-') {
            folders.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return 0;
        } else if (arg == "--version") {
            out << "iislog-report " IISLOG_VERSION "\n";
            return 0;
        } else if (arg == "--csv") {
            options.Style = ReportStyle::Csv;
        } else if (arg == "--header") {
            options.Header = true;
        } else if (arg == "--json") {
            options.Json = true;
        } else if (arg == "--list-crawlers") {
            listCrawlers = true;
        } else if (name == "--crawlers") {
            if (!takeValue() || value.empty()) return usage("--crawlers needs classic, current or a file");
            crawlers = value;
        } else if (name == "--columns") {
            if (!takeValue() || value.empty())
                return usage("--columns needs groups, crawlers or crawler keys");
            columns = value;
        } else {
            return usage("unknown option " + arg);
        }
    }

    // The catalogue: the built-in one with the user's, or the given file alone.
    CrawlerCatalogue catalogue;
    std::vector<CatalogueError> problems;
    bool current = crawlers != "classic" || listCrawlers;
    if (crawlers == "current" || (listCrawlers && crawlers == "classic")) {
        catalogue = LoadDefaultCatalogue(fs::FolderOfPath(fs::ExecutablePath()), problems);
    } else if (current) {
        std::string text;
        try {
            text = fs::ReadWholeFile(crawlers);
        } catch (const std::exception& e) {
            err << "iislog-report: " << e.what() << "\n";
            return 2;
        }
        catalogue.Load(text, crawlers, problems);
    }
    for (const CatalogueError& problem : problems)
        err << "iislog-report: " << problem.Text() << "\n";

    if (listCrawlers) {
        if (!folders.empty()) return usage("--list-crawlers takes no folder");
        PrintCatalogue(catalogue, options.Style, options.Header, out);
        return 0;
    }
    if (columns && !current) return usage("--columns is for --crawlers current or a crawler file");
    if (columns) {
        std::string problem;
        if (!ParseColumns(*columns, catalogue, options, problem)) return usage(problem);
    }
    if (folders.size() != 1) return usage(folders.empty() ? "no folder given" : "only one folder, please");
    if (current) options.Catalogue = &catalogue;
    return PrintReport(folders[0], options, out, err);
}

} // namespace analysis
