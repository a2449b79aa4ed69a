#pragma once
// The scan of one log for today's crawlers: every data line counts in the requests and for at
// most one crawler, the one its user agent names (CrawlerMatcher).
//
// Lines follow the same reading rules as the classic scan (the text ends at the first NUL byte; a
// line ends at CR, LF or CR LF). Directives are not data: each "#Fields:" line sets the field list
// of the lines after it, and the user agent is looked up in the cs(User-Agent) value of a line
// whose values match its block in number; any other data line is looked at whole. A line longer
// than kMaxLineBytes is judged by its first kMaxLineBytes.
//
// Real logs repeat a few thousand user agents millions of times, so each part keeps the verdicts
// of the agents it has seen in a small cache and runs the automaton only for new ones.
//
// Large inputs are cut into parts scanned on several threads. A part starts at the first line
// that begins in it and reads its last line to the end; a part other than the first first looks
// back for the "#Fields:" line in force where it starts. The result never depends on the cuts.

#include "analysis/CrawlerMatcher.h"
#include "analysis/LogScanner.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace analysis {

struct CrawlerTally {
    std::int64_t Lines = 0;           // every line, as the classic scan counts them
    std::int64_t Requests = 0;        // data lines
    std::int64_t OtherBots = 0;       // crawlers the catalogue does not name
    std::vector<std::int64_t> Counts; // per crawler, in catalogue order

    void Add(const CrawlerTally& other);
};

class CrawlerScanner {
public:
    static constexpr std::size_t kMinPartBytes = std::size_t(4) << 20;
    static constexpr std::size_t kChunkBytes = std::size_t(256) << 10;
    static constexpr std::size_t kMaxLineBytes = std::size_t(64) << 10;

    using ReadAt = LogScanner::ReadAt;

    explicit CrawlerScanner(const CrawlerCatalogue& catalogue);

    // Scans `text`; `parts` as LogScanner::Scan.
    CrawlerTally Scan(std::string_view text, unsigned parts = 0) const;
    // Scans a source of `size` bytes read block by block through `read` (may be called from
    // several threads at once, for disjoint or overlapping ranges).
    CrawlerTally ScanSource(std::uint64_t size, const ReadAt& read, unsigned parts = 0,
                            std::size_t chunkBytes = kChunkBytes) const;

    void SetParallel(bool parallel) { parallel_ = parallel; }
    const CrawlerMatcher& Matcher() const { return matcher_; }

private:
    CrawlerMatcher matcher_;
    std::size_t crawlers_;
    bool parallel_ = true;
};

} // namespace analysis
