#pragma once
// Which crawler a user agent names: the catalogue's tokens found in one pass, the most specific
// one winning, and the rule for the crawlers the catalogue does not name.
//
// A token is a case-sensitive substring of the user agent as the operator documents it. IIS logs
// a space inside a field as '+', so a space and a '+' are taken as the same byte on both sides:
// "Sogou web spider" is found in "Sogou+web+spider" and in a quoted "Sogou web spider".
//
// The tokens are compiled into one automaton (Aho-Corasick, as a dense table over the byte
// classes the tokens use), so the cost per byte does not grow with the number of tokens.

#include "analysis/CrawlerCatalogue.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace analysis {

class CrawlerMatcher {
public:
    static constexpr int kNone = -1;     // no crawler: a person's browser, or nothing at all
    static constexpr int kOtherBot = -2; // a crawler the catalogue does not name

    explicit CrawlerMatcher(const CrawlerCatalogue& catalogue);

    // The crawler named in `text`: the catalogue index of the longest token found (on equal
    // length, the crawler listed first), else kOtherBot when the text declares itself a crawler,
    // else kNone. `userAgent` says that `text` is the cs(User-Agent) field alone; otherwise it is
    // a whole line, where addresses belong to the request and the referrer, not the agent.
    int Match(std::string_view text, bool userAgent) const;

    // The longest-token rule alone (kNone when no token occurs).
    int MatchToken(std::string_view text) const;

    // The rule for crawlers the catalogue does not name: a product token ending in "bot",
    // "spider" or "crawler" (any letter case) with a version ("Name/1.2"), or, in a user agent,
    // with an information address; or the "(compatible; Name; +http://…)" form.
    static bool DeclaresCrawler(std::string_view text, bool userAgent);

private:
    std::uint8_t classOf_[256] = {};
    std::size_t classes_ = 1;
    std::vector<std::uint32_t> next_; // state * classes_ + class -> state
    std::vector<std::uint32_t> best_; // state -> score of the best token ending there, 0 for none
};

} // namespace analysis
