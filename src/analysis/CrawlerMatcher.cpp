#include "analysis/CrawlerMatcher.h"

#include <algorithm>
#include <array>
#include <deque>
#include <stdexcept>

namespace analysis {
namespace {

// A match's score: longer tokens first, then the crawler listed first.
constexpr std::uint32_t kMaxCrawlers = 0xFFFF;
std::uint32_t Score(std::size_t length, std::size_t crawler) {
    return std::uint32_t(length << 16) | std::uint32_t(kMaxCrawlers - crawler);
}
int CrawlerOfScore(std::uint32_t score) { return int(kMaxCrawlers - (score & 0xFFFF)); }

unsigned char Canonical(unsigned char c) { return c == ' ' ? '+' : c; }

bool IsWordByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

bool EndsWithFolded(std::string_view word, std::string_view suffix) {
    if (word.size() < suffix.size()) return false;
    std::string_view tail = word.substr(word.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != suffix[i]) return false;
    }
    return true;
}

bool IsCrawlerWord(std::string_view word) {
    // "bot" alone, or a name such as "Robot", is a word, not a product name.
    return word.size() > 3 &&
           (EndsWithFolded(word, "bot") || EndsWithFolded(word, "spider") || EndsWithFolded(word, "crawler"));
}

// A product token starts the text or follows a separator of the agent's syntax; a word after
// '/', '.', '=', '?' or '&' is part of an address.
bool StartsProduct(std::string_view text, std::size_t at) {
    if (at == 0) return true;
    char c = text[at - 1];
    return c == ' ' || c == '+' || c == '(' || c == ';' || c == ',' || c == '"';
}

bool HasAddress(std::string_view text) {
    return text.find("http://") != std::string_view::npos || text.find("https://") != std::string_view::npos;
}

} // namespace

CrawlerMatcher::CrawlerMatcher(const CrawlerCatalogue& catalogue) {
    const std::vector<Crawler>& crawlers = catalogue.Crawlers();
    if (crawlers.size() > kMaxCrawlers) throw std::invalid_argument("too many crawlers");

    // Byte classes: every byte some token uses gets a class of its own, the rest share class 0.
    for (const Crawler& c : crawlers)
        for (const std::string& token : c.Tokens)
            for (unsigned char b : token) {
                unsigned char k = Canonical(b);
                if (classOf_[k] == 0) classOf_[k] = std::uint8_t(classes_++);
            }
    classOf_[std::uint8_t(' ')] = classOf_[std::uint8_t('+')];

    // The trie, as rows of the table; 0 in a row means "no edge yet" (the root is never a target).
    std::vector<std::uint32_t> trie(classes_, 0);
    std::vector<std::uint32_t> own(1, 0); // the score of the token ending at each state
    for (std::size_t ci = 0; ci < crawlers.size(); ++ci)
        for (const std::string& token : crawlers[ci].Tokens) {
            if (token.empty()) continue;
            std::uint32_t state = 0;
            for (unsigned char b : token) {
                std::size_t cls = classOf_[Canonical(b)];
                if (trie[state * classes_ + cls] == 0) {
                    trie[state * classes_ + cls] = std::uint32_t(own.size());
                    trie.resize(trie.size() + classes_, 0);
                    own.push_back(0);
                }
                state = trie[state * classes_ + cls];
            }
            own[state] = std::max(own[state], Score(token.size(), ci));
        }

    // Breadth first: each state's missing edges follow its failure state's, and its best score
    // is the best of its own and of every suffix that is a token.
    std::size_t states = own.size();
    next_ = trie;
    best_ = own;
    std::vector<std::uint32_t> fail(states, 0);
    std::deque<std::uint32_t> queue;
    for (std::size_t cls = 0; cls < classes_; ++cls)
        if (std::uint32_t child = trie[cls]; child != 0) {
            fail[child] = 0;
            queue.push_back(child);
        }
    while (!queue.empty()) {
        std::uint32_t state = queue.front();
        queue.pop_front();
        best_[state] = std::max(best_[state], best_[fail[state]]);
        for (std::size_t cls = 0; cls < classes_; ++cls) {
            std::uint32_t child = trie[state * classes_ + cls];
            if (child != 0) {
                fail[child] = next_[fail[state] * classes_ + cls];
                queue.push_back(child);
            } else {
                next_[state * classes_ + cls] = next_[fail[state] * classes_ + cls];
            }
        }
    }
}

int CrawlerMatcher::MatchToken(std::string_view text) const {
    std::uint32_t state = 0, best = 0;
    const std::uint32_t* next = next_.data();
    const std::uint32_t* score = best_.data();
    for (unsigned char b : text) {
        state = next[state * classes_ + classOf_[b]];
        best = std::max(best, score[state]);
    }
    return best == 0 ? kNone : CrawlerOfScore(best);
}

bool CrawlerMatcher::DeclaresCrawler(std::string_view text, bool userAgent) {
    bool address = userAgent && HasAddress(text);
    for (std::size_t i = 0; i < text.size();) {
        if (!IsWordByte(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t start = i;
        while (i < text.size() && IsWordByte(static_cast<unsigned char>(text[i])))
            ++i;
        std::string_view word = text.substr(start, i - start);
        if (!StartsProduct(text, start) || !IsCrawlerWord(word)) continue;
        bool version = i + 1 < text.size() && text[i] == '/' && text[i + 1] >= '0' && text[i + 1] <= '9';
        if (version || address) return true;
    }
    // "Mozilla/5.0 (compatible; Name; +http://…)": the form crawlers use to name their page. Only
    // inside the parentheses, where a whole line's referrer never is.
    std::size_t compatible = text.find("compatible;");
    if (compatible == std::string_view::npos) return false;
    std::size_t close = text.find(')', compatible);
    return HasAddress(
        text.substr(compatible, close == std::string_view::npos ? text.npos : close - compatible));
}

int CrawlerMatcher::Match(std::string_view text, bool userAgent) const {
    int crawler = MatchToken(text);
    if (crawler != kNone) return crawler;
    return DeclaresCrawler(text, userAgent) ? kOtherBot : kNone;
}

} // namespace analysis
