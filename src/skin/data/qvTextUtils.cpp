#include "skin/data/qvTextUtils.h"

namespace qv {

namespace {

constexpr std::string_view kEllipsis = "...";

// Removes the last code point of a UTF-8 text (a stray continuation byte counts as one).
void PopCodePoint(std::string& text) {
    std::size_t end = text.size();
    if (end == 0) {
        return;
    }
    std::size_t start = end - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80 &&
           end - start < 4) {
        --start;
    }
    if ((static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) {
        start = end - 1; // no lead byte within reach: drop one byte
    }
    text.erase(start);
}

} // namespace

void FitTextToWidth(std::string& text, int limit, const TqvTextMeasure& width) {
    if (width(text) <= limit) {
        return;
    }
    std::string candidate;
    while (!text.empty()) {
        PopCodePoint(text);
        candidate.assign(text).append(kEllipsis);
        if (width(candidate) <= limit) {
            break;
        }
    }
    text.append(kEllipsis);
}

} // namespace qv
