#include "platform/controls/CodePoints.h"

namespace controls {

bool StartsWithNoCase(std::u32string_view text, std::u32string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (FoldCase(text[i]) != FoldCase(prefix[i])) return false;
    return true;
}

bool EqualsNoCase(std::u32string_view a, std::u32string_view b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

} // namespace controls
