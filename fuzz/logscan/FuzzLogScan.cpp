// Differential fuzzer of the log scanner: every way of cutting the input (parts, blocks, kernels)
// must give the line count and hit counts of the plain split-then-search rules.
// Input: byte 0 picks the parts, byte 1 the block size and the signature set; the rest is the log.
#include "analysis/CrawlerAnalysis.h"
#include "analysis/LogScanner.h"

#include "ReferenceScan.h"

#include <cstdlib>
#include <cstring>

namespace {

const std::vector<std::string>& ShortSignatures() {
    // Short, overlapping signatures make hits, repeats and cuts through them frequent.
    static const std::vector<std::string> sigs{"ab", "b", "abc", "Yahoo!+Slurp", "http://x", "zz", "a+b"};
    return sigs;
}

// The parts run one after the other: the cuts and the merge are what is under test, and starting
// threads would slow the fuzzer down a hundredfold.
analysis::LogScanner Sequential(std::vector<std::string> signatures, analysis::LogScanner::Kernel kernel) {
    analysis::LogScanner scanner(std::move(signatures), kernel);
    scanner.SetParallel(false);
    return scanner;
}

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "mismatch: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    unsigned parts = 1 + data[0] % 5;
    std::size_t chunk = 1 + data[1] % 97;
    bool shortSet = data[1] & 0x80;
    std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    static const analysis::LogScanner fast = Sequential(analysis::MakeSignatureList(),
                                                        analysis::LogScanner::Kernel::Auto);
    static const analysis::LogScanner baseline = Sequential(analysis::MakeSignatureList(),
                                                            analysis::LogScanner::Kernel::Baseline);
    static const analysis::LogScanner fastShort = Sequential(ShortSignatures(),
                                                             analysis::LogScanner::Kernel::Auto);
    static const analysis::LogScanner baselineShort = Sequential(ShortSignatures(),
                                                                 analysis::LogScanner::Kernel::Baseline);
    const std::vector<std::string>& sigs = shortSet ? ShortSignatures() : fast.Signatures();

    const std::int64_t lines = std::int64_t(ReferenceLines(text).size());
    const std::vector<std::int64_t> hits = ReferenceHits(text, sigs);
    auto read = [text](std::uint64_t offset, char* buffer, std::size_t length) {
        Check(offset + length <= text.size(), "read past the source");
        std::memcpy(buffer, text.data() + offset, length);
    };
    for (const analysis::LogScanner* scanner :
         {shortSet ? &fastShort : &fast, shortSet ? &baselineShort : &baseline}) {
        analysis::ScanResult whole = scanner->Scan(text, parts);
        Check(whole.Lines == lines, "Scan lines");
        Check(whole.Hits == hits, "Scan hits");
        analysis::ScanResult blocks = scanner->ScanSource(text.size(), read, parts, chunk);
        Check(blocks.Lines == lines, "ScanSource lines");
        Check(blocks.Hits == hits, "ScanSource hits");
    }
    return 0;
}
