#include "platform/fs/FindFiles.h"

namespace fs {
namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Length of the UTF-8 sequence that starts at name[i] (1 for bytes that start none).
std::size_t CodePointLength(std::string_view name, std::size_t i) {
    std::size_t n = 1;
    while (i + n < name.size() && IsContinuationByte(name[i + n]))
        ++n;
    return n;
}

} // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    // Iterative matcher with one backtrack point for the last "*": linear in practice and never
    // recursive, so a hostile pattern cannot blow the stack.
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += CodePointLength(name, n);
        } else if (p < pattern.size() && FoldCase(pattern[p]) == FoldCase(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace fs
