#pragma once
// The crawler-hit analysis: for every "*.log" file of a folder, the number of lines that carry
// each of the seven search-engine crawler signatures (the classic mode), or the requests of each
// crawler of a catalogue (the current mode), reported file by file to an observer.
//
// It has no window. The main window owns one CrawlerAnalysis (built when the window is created,
// with the signature table), calls analyseLogFiles when the user presses the analyse button, and
// turns the notifications into gauge calls and report rows. Failures are exceptions (fs::FileError
// for a file that cannot be read); nothing is reported to the user from here.

#include "analysis/CrawlerScanner.h"
#include "analysis/LogScanner.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace analysis {

// The seven signatures in the order of the report's count columns:
// 百度, 谷歌, 搜搜, 雅虎, 搜狗, 有道, 必应.
using SignatureList = std::vector<std::string>;
constexpr std::size_t kSignatureCount = 7;
SignatureList MakeSignatureList();

// Full paths: the folder text exactly as given, "/", the name as the enumeration returned it.
using LogFileList = std::vector<std::string>;

// The order of the Windows file list that operators know: by name without regard to ASCII letter
// case, names that differ only in case by their bytes ("A.log" before "a.log").
bool LogNameLess(const std::string& a, const std::string& b);

// Fills `list` (cleared first) with the folder's "*.log" files, matched without regard to letter
// case, hidden files included, in LogNameLess order. Subfolders, FIFOs, sockets and devices (or
// links to them) are skipped. The empty folder text is the root
// "/". A folder that is missing or cannot be read leaves the list empty.
void getlogFiles(const std::string& folder, LogFileList& list);

// The fallback read: the whole file as one byte string. Throws fs::FileError.
std::string readWholeFile(const std::string& path);

// The size column: bytes div 1024, then " kb".
std::string SizeText(std::uint64_t bytes);

// The path's last component: the text after the last "/".
std::string FileNameOf(const std::string& path);

// What one file yields, in the report's column order.
struct ResultRow {
    int Number = 0; // 1-based position in the LogFileList
    std::string FileName;
    std::string SizeText;
    std::array<std::int64_t, kSignatureCount> Counts{}; // the classic mode's seven columns

    // The current mode's counts (empty in the classic mode): per crawler in catalogue order.
    std::vector<std::int64_t> CrawlerCounts;
    std::int64_t Requests = 0;  // data lines (current mode)
    std::int64_t OtherBots = 0; // crawlers the catalogue does not name (current mode)
    std::uint64_t SizeBytes = 0;

    // The ten columns as text: number, name, size text, then the seven counts.
    std::vector<std::string> Cells() const;
};

// Receives the analysis's progress on the caller's thread, in this order per file:
// beginFile(lines), atLine(0) .. atLine(lines - 1), addRow(row), fileDone().
// Line numbers are 64-bit: a 5 GiB log of short lines has more than 2^31 of them.
class AnalysisObserver {
public:
    virtual ~AnalysisObserver() = default;
    virtual void beginFile(std::int64_t lineCount) = 0;
    virtual void atLine(std::int64_t lineIndex) = 0;
    virtual void addRow(const ResultRow& row) = 0;
    // The caller's chance to process pending window messages. A new analysis requested from
    // here is ignored (see analyseLogFiles).
    virtual void fileDone() = 0;
};

class CrawlerAnalysis {
public:
    // The classic mode: the seven signatures anywhere in a line, a line counting in each column
    // it matches.
    explicit CrawlerAnalysis(SignatureList signatures = MakeSignatureList());
    // The current mode: each data line counts for at most one crawler of `catalogue`.
    explicit CrawlerAnalysis(const CrawlerCatalogue& catalogue);

    // Runs the whole analysis of `folder` (no files: no notification at all). Ends at the first
    // file that cannot be read by throwing its fs::FileError; rows of earlier files have been
    // delivered by then.
    //
    // Because fileDone lets the window process messages, the user can ask for a second analysis
    // while one runs. That request is ignored and this returns false: the running analysis owns
    // the file list until its last file, and the window can run the new request after the first
    // one returns. Returns true when the analysis ran.
    bool analyseLogFiles(const std::string& folder, AnalysisObserver& observer);

    bool IsBusy() const { return busy_; }
    bool IsCurrentMode() const { return current_.has_value(); }
    const SignatureList& Signatures() const { return scanner_.Signatures(); }
    // The files of the last analysis.
    const LogFileList& LogFiles() const { return logFiles_; }

private:
    ResultRow AnalyseFile(std::size_t index, AnalysisObserver& observer) const;
    template <class Result, class ScanText, class ScanFile>
    Result ReadAndScan(const std::string& path, const ScanText& scanText, const ScanFile& scanFile) const;

    LogScanner scanner_;
    std::optional<CrawlerScanner> current_;
    LogFileList logFiles_;
    bool busy_ = false;
};

} // namespace analysis
