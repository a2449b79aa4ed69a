#include "skin/data/qvUtils.h"

#include <gtest/gtest.h>

namespace {

// Six pixels per code point, like a fixed-pitch font.
int CodePointWidth(std::string_view s) {
    int n = 0;
    for (unsigned char c : s)
        n += (c & 0xC0) != 0x80;
    return 6 * n;
}

} // namespace

TEST(FitTextToWidth, ShortensByCodePointsAndAppendsEllipsis) {
    struct Case {
        std::string text;
        int limit;
        std::string want;
    } cases[] = {
        {"Hello world", 66, "Hello world"},    // fits exactly: unchanged
        {"Hello world", 40, "Hel..."},         // "Hell..." would be 42
        {"Hello world", 10, "..."},            // even "..." is wider than the limit
        {"", 0, ""},
        {"\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97\xE5\xB9\x95" "abc", 40,
         "\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97..."}, // whole CJK characters are removed
    };
    for (Case& c : cases) {
        std::string text = c.text;
        qv::FitTextToWidth(text, c.limit, CodePointWidth);
        EXPECT_EQ(text, c.want) << c.text << " / " << c.limit;
    }
}
