#include "app/ReportCommand.h"

#include "platform/fs/FindFiles.h"
#include "platform/fs/Paths.h"

#include <exception>
#include <ostream>

namespace app {
namespace {

#ifndef IISLOG_VERSION
#error "IISLOG_VERSION comes from the project's version in CMake"
#endif

constexpr const char* kUsage =
    "Usage: iislog-report [--csv] [--header] FOLDER\n"
    "       iislog-report --help | --version\n"
    "Prints one line per *.log file of FOLDER: number, file name, size and the line counts of the\n"
    "Baidu, Google, Soso, Yahoo, Sogou, Youdao and MSN/Bing crawler signatures.\n"
    "  --csv     RFC 4180 comma-separated values instead of tab-separated columns\n"
    "  --header  a first line with the column captions\n"
    "  --help    this text\n"
    "  --version the program's version\n"
    "Exit status: 0 done, 1 a file could not be read (the rows before it are printed), 2 bad usage\n"
    "or a folder that does not exist or is a file.\n";

std::string CsvCell(const std::string& cell) {
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

class ReportPrinter final : public AnalysisObserver {
public:
    ReportPrinter(std::ostream& out, ReportStyle style) : out_(out), style_(style) {}
    void beginFile(std::int64_t) override {}
    void atLine(std::int64_t) override {}
    void addRow(const ResultRow& row) override { out_ << FormatReportLine(row.Cells(), style_); }
    // A scripted caller may be watching a slow folder: hand each row over as soon as it exists.
    void fileDone() override { out_.flush(); }

private:
    std::ostream& out_;
    ReportStyle style_;
};

} // namespace

const std::vector<std::string>& ReportCaptions() {
    static const std::vector<std::string> captions{"序号", "日志名称", "文件大小", "百度", "谷歌",
                                                   "搜搜", "雅虎", "搜狗", "有道", "必应"};
    return captions;
}

std::string FormatReportLine(const std::vector<std::string>& cells, ReportStyle style) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += style == ReportStyle::Csv ? ',' : '\t';
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

int PrintReport(const std::string& folder, ReportStyle style, bool header, std::ostream& out,
                std::ostream& err) {
    // The analysis treats a missing folder like an empty one; a script deserves to know.
    if (!fs::DirectoryExists(folder)) {
        if (fs::PathExists(folder))
            err << "iislog-report: \"" << folder << "\" is a file, not a folder\n";
        else
            err << "iislog-report: folder \"" << folder << "\" does not exist\n";
        return 2;
    }
    if (header)
        out << FormatReportLine(ReportCaptions(), style);
    ReportPrinter printer(out, style);
    CrawlerAnalysis analysis;
    try {
        analysis.analyseLogFiles(folder, printer);
    } catch (const std::exception& e) {
        out.flush();
        err << e.what() << "\n";
        return 1;
    }
    out.flush();
    return 0;
}

int ReportMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ReportStyle style = ReportStyle::Tab;
    bool header = false;
    std::vector<std::string> folders;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
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
            style = ReportStyle::Csv;
        } else if (arg == "--header") {
            header = true;
        } else {
            err << "iislog-report: unknown option " << arg << "\n" << kUsage;
            return 2;
        }
    }
    if (folders.size() != 1) {
        err << (folders.empty() ? "iislog-report: no folder given\n" : "iislog-report: only one folder, please\n")
            << kUsage;
        return 2;
    }
    return PrintReport(folders[0], style, header, out, err);
}

} // namespace app
