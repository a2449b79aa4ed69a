// Differential fuzzer of the W3C log reading of the current mode: every way of cutting the input
// (parts, block sizes) must give the tally of the plain rules, and the value split must agree
// with the plain split. Input: byte 0 picks the parts, byte 1 the block size; the rest is the log.
#include "analysis/CrawlerScanner.h"
#include "analysis/W3cFields.h"
#include "analysis/W3cShapeKernel.h"

#include "ReferenceScan.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Short tokens that overlap make matches, ties and cuts through them frequent.
const char* const kCatalogue = "[a]\ngroup = search\nmatch = ab\n"
                               "[b]\ngroup = seo\nmatch = abc\nmatch = b c\n"
                               "[c]\ngroup = social\nmatch = Bot/\nmatch = ab\n";

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "mismatch: %s\n", what);
        std::abort();
    }
}

const analysis::CrawlerCatalogue& Catalogue() {
    static const analysis::CrawlerCatalogue catalogue = [] {
        analysis::CrawlerCatalogue c;
        std::vector<analysis::CatalogueError> errors;
        c.Load(kCatalogue, "fuzz.ini", errors);
        return c;
    }();
    return catalogue;
}

void CheckSplit(std::string_view text) {
    std::string line(text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3))));
    std::vector<std::string> want = ReferenceValues(line);
    std::string_view got[8];
    int n = analysis::SplitW3cValues(line, got, 8);
    Check(n == int(want.size()), "value count");
    for (int i = 0; i < n && i < 8; ++i)
        Check(got[i] == want[std::size_t(i)], "value");
    // Both kernels shape the raw bytes (breaks and all) alike.
    std::string padded = std::string(text) + std::string(64, ' '); // read past the end, never counted
    for (int index = -1; index < 4; ++index) {
        analysis::W3cLineShape a = analysis::w3c::ShapeLineBaseline(text.data(), text.size(), text.size(),
                                                                    index);
        analysis::W3cLineShape b = analysis::w3c::ShapeLineAvx2(padded.data(), text.size(), padded.size(),
                                                                index);
        Check(a.Length == b.Length && a.Ended == b.Ended && a.Break == b.Break && a.Values == b.Values &&
                  a.ValueStart == b.ValueStart && a.ValueEnd == b.ValueEnd,
              "kernels");
        Check(a.Length == line.size(), "line end");
    }
    for (int index = 0; index < 4; ++index) {
        std::string_view value;
        int count = analysis::LocateW3cValue(line, index, value);
        bool plain = line.find('"') == std::string::npos && index < int(want.size());
        Check(count == (plain ? int(want.size()) : -1), "located count");
        if (plain) Check(value == want[std::size_t(index)], "located value");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    unsigned parts = 1 + data[0] % 5;
    std::size_t chunk = 1 + data[1] % 97;
    std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    CheckSplit(text);

    static analysis::CrawlerScanner scanner = [] {
        analysis::CrawlerScanner s(Catalogue());
        s.SetParallel(false); // the cuts and the merge are under test, not the threads
        return s;
    }();
    ReferenceTally want =
        ReferenceCrawlerScan(text, Catalogue().Size(), analysis::CrawlerScanner::kMaxLineBytes,
                             [](std::string_view t, bool ua) { return scanner.Matcher().Match(t, ua); });
    auto read = [text](std::uint64_t offset, char* buffer, std::size_t length) {
        Check(offset + length <= text.size(), "read past the source");
        std::memcpy(buffer, text.data() + offset, length);
    };
    analysis::CrawlerTally got = scanner.ScanSource(text.size(), read, parts, chunk);
    Check(got.Lines == want.Lines, "lines");
    Check(got.Requests == want.Requests, "requests");
    Check(got.OtherBots == want.OtherBots, "other bots");
    Check(got.Counts == want.Counts, "counts");
    return 0;
}
