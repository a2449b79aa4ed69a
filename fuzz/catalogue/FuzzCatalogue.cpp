// Fuzzer of the crawler catalogue reader: any text loads without a crash, every crawler it keeps
// is whole (a key of the allowed bytes, a group, at least one token), the matcher builds from it
// and finds, in the text itself, only crawlers that exist.
#include "analysis/CrawlerCatalogue.h"
#include "analysis/CrawlerMatcher.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    analysis::CrawlerCatalogue catalogue;
    std::vector<analysis::CatalogueError> errors;
    catalogue.Load(text, "fuzz.ini", errors);
    catalogue.Load(text, "again.ini", errors); // the same entries again: overrides
    for (const analysis::Crawler& c : catalogue.Crawlers()) {
        Check(!c.Key.empty() &&
                  c.Key.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-") == std::string::npos,
              "key");
        Check(!c.Tokens.empty(), "tokens");
        Check(std::size_t(c.Group) < analysis::kGroupCount, "group");
        Check(catalogue.IndexOf(c.Key) >= 0, "index");
    }
    for (const analysis::CatalogueError& e : errors)
        Check(!e.Problem.empty(), "error text");
    analysis::CrawlerMatcher matcher(catalogue);
    int crawler = matcher.Match(text, true);
    Check(crawler >= analysis::CrawlerMatcher::kOtherBot && crawler < int(catalogue.Size()), "match");
    return 0;
}
