#include "analysis/CrawlerAnalysis.h"

#include "platform/fs/File.h"
#include "platform/fs/FileError.h"
#include "platform/fs/FindFiles.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace analysis {

SignatureList MakeSignatureList() {
    return {
        "http://www.baidu.com/search/spider.htm",
        "http://www.google.com/bot.html",
        "http://help.soso.com/webspider.htm",
        "Yahoo!+Slurp",
        "http://www.sogou.com/docs/help/webmasters.htm",
        "http://www.youdao.com/help/webmaster/spider/",
        "http://search.msn.com/msnbot.htm",
    };
}

bool LogNameLess(const std::string& a, const std::string& b) {
    auto fold = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : int(c); };
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        int x = fold(static_cast<unsigned char>(a[i])), y = fold(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

void getlogFiles(const std::string& folder, LogFileList& list) {
    list.clear();
    std::vector<std::string> names;
    for (fs::FindEntry& entry : fs::FindFiles(folder, "*.log")) {
        // A FIFO blocks its reader and a device may never run dry. A dangling link stays: its
        // read fails and says so.
        if (!entry.IsDirectory && !entry.IsSpecialFile) names.push_back(std::move(entry.Name));
    }
    std::sort(names.begin(), names.end(), LogNameLess);
    for (const std::string& name : names)
        list.push_back(folder + "/" + name);
}

std::string readWholeFile(const std::string& path) { return fs::ReadWholeFile(path); }

std::string SizeText(std::uint64_t bytes) { return std::to_string(bytes / 1024) + " kb"; }

std::string FileNameOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::string> ResultRow::Cells() const {
    std::vector<std::string> cells{std::to_string(Number), FileName, SizeText};
    for (std::int64_t count : Counts)
        cells.push_back(std::to_string(count));
    return cells;
}

CrawlerAnalysis::CrawlerAnalysis(SignatureList signatures) : scanner_(std::move(signatures)) {
    if (scanner_.Signatures().size() != kSignatureCount)
        throw std::invalid_argument("the report has exactly seven signature columns");
}

CrawlerAnalysis::CrawlerAnalysis(const CrawlerCatalogue& catalogue) : scanner_(MakeSignatureList()) {
    current_.emplace(catalogue);
}

bool CrawlerAnalysis::analyseLogFiles(const std::string& folder, AnalysisObserver& observer) {
    if (busy_) return false;
    busy_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{busy_};

    getlogFiles(folder, logFiles_);
    for (std::size_t i = 0; i < logFiles_.size(); ++i) {
        ResultRow row = AnalyseFile(i, observer);
        observer.addRow(row);
        observer.fileDone();
    }
    return true;
}

template <class Result, class ScanText, class ScanFile>
Result CrawlerAnalysis::ReadAndScan(const std::string& path, const ScanText& scanText,
                                    const ScanFile& scanFile) const {
    // The primary read fails over to the fallback for any reason, including a read error halfway:
    // the scan keeps nothing of a failed attempt.
    try {
        fs::File file = fs::File::Open(path);
        // A size of 0 is also what the kernel's own files report whatever they hold; reading
        // such a file to its end costs nothing when it really is empty.
        if (file.Size() == 0) throw fs::FileError::CannotOpen(path, ESPIPE);
        return scanFile(file.Size(), [&file](std::uint64_t offset, char* buffer, std::size_t length) {
            file.ReadAt(offset, buffer, length);
        });
    } catch (const fs::FileError&) {
        std::string content = readWholeFile(path);
        return scanText(content);
    }
}

ResultRow CrawlerAnalysis::AnalyseFile(std::size_t index, AnalysisObserver& observer) const {
    const std::string& path = logFiles_[index];
    ResultRow row;
    std::int64_t lines = 0;
    if (current_) {
        CrawlerTally tally = ReadAndScan<CrawlerTally>(
            path, [&](std::string_view text) { return current_->Scan(text); },
            [&](std::uint64_t size, const LogScanner::ReadAt& read) {
                return current_->ScanSource(size, read);
            });
        lines = tally.Lines;
        row.CrawlerCounts = std::move(tally.Counts);
        row.Requests = tally.Requests;
        row.OtherBots = tally.OtherBots;
    } else {
        ScanResult scan = ReadAndScan<ScanResult>(
            path, [&](std::string_view text) { return scanner_.Scan(text); },
            [&](std::uint64_t size, const LogScanner::ReadAt& read) {
                return scanner_.ScanSource(size, read);
            });
        lines = scan.Lines;
        for (std::size_t k = 0; k < kSignatureCount; ++k)
            row.Counts[k] = scan.Hits[k];
    }
    // The counts are complete before the first notification, but no observer can tell: it sees
    // the line count, then every line index in order, then the row, as if each line were
    // examined right after its atLine.
    observer.beginFile(lines);
    for (std::int64_t j = 0; j < lines; ++j)
        observer.atLine(j);

    row.Number = int(index + 1);
    row.FileName = FileNameOf(path);
    row.SizeBytes = fs::GetFileSize(path);
    row.SizeText = SizeText(row.SizeBytes);
    return row;
}

} // namespace analysis
