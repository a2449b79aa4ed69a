#pragma once
// The hot path of the tool: one pass over a log's bytes that yields both the number of lines and,
// per signature, the number of lines that contain it.
//
// Lines follow the log-reading rules: the text ends at the first NUL byte or at the end of the
// bytes; a line ends at CR, LF or CR LF (one break); text after the last break forms a last line
// only when it is not empty; an LF followed by a CR leaves an empty line between them. A
// signature counts once per line however often it occurs there.
//
// Nothing is split into strings. Because a signature never contains CR, LF or NUL, an occurrence
// can never straddle a break, so it is enough to find the occurrences in the raw bytes and to
// number the lines by the count of CR and LF bytes before them: two occurrences lie on the same
// line exactly when no CR or LF byte lies between them. The bytes are classified 64 at a time with
// vector compares (breaks, NUL and a two-byte prefilter on the signatures' first and fifth bytes);
// only prefilter candidates are compared in full. Large inputs are cut into parts scanned on
// several threads and merged; the result does not depend on the cut.

#include "analysis/LogScanKernel.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

struct ScanResult {
    std::int64_t Lines = 0;
    std::vector<std::int64_t> Hits; // one counter per signature, in signature order
};

class LogScanner {
public:
    // Inputs below this size are scanned on the caller's thread alone.
    static constexpr std::size_t kMinPartBytes = std::size_t(4) << 20;
    // Block size of ScanSource: small enough to stay in the second-level cache while it is scanned.
    static constexpr std::size_t kChunkBytes = std::size_t(256) << 10;

    // Fills `length` bytes at `offset` of the source, or throws. Called from several threads at
    // once, for disjoint ranges.
    using ReadAt = std::function<void(std::uint64_t offset, char* buffer, std::size_t length)>;

    enum class Kernel { Auto, Baseline, Avx2 };

    // Up to 64 signatures, each non-empty and free of CR, LF and NUL bytes (std::invalid_argument
    // otherwise): such a signature could never lie inside one line. Kernel::Avx2 falls back to
    // the baseline where the processor lacks it.
    explicit LogScanner(std::vector<std::string> signatures, Kernel kernel = Kernel::Auto);
    LogScanner(LogScanner&&) noexcept;
    LogScanner& operator=(LogScanner&&) noexcept;
    LogScanner(const LogScanner&) = delete;
    LogScanner& operator=(const LogScanner&) = delete;
    ~LogScanner();

    // Scans `text`. `parts` = 0 picks the number of threads from the input size and the machine;
    // any other value forces that many parts (tests and the fuzzer use it to check the merge).
    ScanResult Scan(std::string_view text, unsigned parts = 0) const;

    // Scans a source of `size` bytes read block by block through `read` (the primary file read):
    // each part (thread) walks its range in blocks of `chunkBytes`, reading a few bytes past each
    // block so that a signature across the block's end is seen. Exceptions thrown by `read` reach
    // the caller after every thread has stopped.
    ScanResult ScanSource(std::uint64_t size, const ReadAt& read, unsigned parts = 0,
                          std::size_t chunkBytes = kChunkBytes) const;

    // With parallel off, the parts of a scan run one after the other on the caller's thread: the
    // same cuts and merge, without the cost of starting threads (the fuzzer runs thousands of
    // tiny scans a second).
    void SetParallel(bool parallel) { parallel_ = parallel; }

    const std::vector<std::string>& Signatures() const { return signatures_; }
    Kernel SelectedKernel() const { return kernel_; }

private:
    void BuildTables();
    void ScanPart(const char* text, std::size_t size, std::size_t begin, std::size_t end,
                  kernel::PartTally& out) const;
    void ScanSourcePart(std::uint64_t begin, std::uint64_t end, std::uint64_t size, const ReadAt& read,
                        std::size_t chunkBytes, kernel::PartTally& out) const;
    ScanResult Finish(const kernel::PartTally& all) const;

    std::size_t overlap_ = 0; // bytes read past a block: the longest signature plus the prefilter offset

    std::vector<std::string> signatures_;
    std::vector<kernel::SignatureGroup> groups_;
    std::unique_ptr<kernel::ScanTables> tables_; // points into signatures_ and groups_
    Kernel kernel_;
    bool parallel_ = true;
};

} // namespace analysis
