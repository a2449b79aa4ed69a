#include "platform/gfx/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

struct Step {
    char32_t value;
    std::size_t length;
};

std::vector<Step> Walk(std::string_view text, gfx::Utf8Errors errors) {
    std::vector<Step> steps;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t start = pos;
        char32_t cp = gfx::NextCodePoint(text, pos, errors);
        steps.push_back({cp, pos - start});
    }
    return steps;
}

bool operator==(const Step& a, const Step& b) { return a.value == b.value && a.length == b.length; }

void PrintTo(const Step& s, std::ostream* os) {
    *os << "{U+" << std::hex << unsigned(s.value) << ", " << std::dec << s.length << "}";
}

constexpr char32_t R = gfx::kReplacementCharacter;

} // namespace

// The two error policies agree on well-formed text and differ only in what a bad byte becomes
// (U+FFFD or the byte itself); both reject overlong forms, surrogates and values past U+10FFFF.
TEST(Utf8, NextCodePointUnderBothErrorPolicies) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<Step> replace;
        std::vector<Step> keepByte;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"ascii and each length", "a\xC3\xA9\xE5\x88\x86\xF0\x9F\x98\x80",
         {{'a', 1}, {0xE9, 2}, {0x5206, 3}, {0x1F600, 4}},
         {{'a', 1}, {0xE9, 2}, {0x5206, 3}, {0x1F600, 4}}},
        {"lowest and highest scalars", std::string("\0\xF4\x8F\xBF\xBF", 5), {{0, 1}, {0x10FFFF, 4}}, {{0, 1}, {0x10FFFF, 4}}},
        {"stray continuation", "\x80", {{R, 1}}, {{0x80, 1}}},
        {"bytes that never lead", "\xC0\xAF\xFF", {{R, 1}, {R, 1}, {R, 1}}, {{0xC0, 1}, {0xAF, 1}, {0xFF, 1}}},
        {"truncated at the end", "\xE5\x88", {{R, 1}, {R, 1}}, {{0xE5, 1}, {0x88, 1}}},
        {"interrupted by ascii", "\xE5" "a", {{R, 1}, {'a', 1}}, {{0xE5, 1}, {'a', 1}}},
        {"overlong three bytes", "\xE0\x81\x81", {{R, 1}, {R, 1}, {R, 1}}, {{0xE0, 1}, {0x81, 1}, {0x81, 1}}},
        {"surrogate", "\xED\xA0\x80", {{R, 1}, {R, 1}, {R, 1}}, {{0xED, 1}, {0xA0, 1}, {0x80, 1}}},
        {"past U+10FFFF", "\xF4\x90\x80\x80", {{R, 1}, {R, 1}, {R, 1}, {R, 1}},
         {{0xF4, 1}, {0x90, 1}, {0x80, 1}, {0x80, 1}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Walk(c.text, gfx::Utf8Errors::Replace), c.replace);
        EXPECT_EQ(Walk(c.text, gfx::Utf8Errors::KeepByte), c.keepByte);
    }
}

TEST(Utf8, WholeTextDecodersAgreeWithTheStreamingOne) {
    const std::string text = "a\xE5\x88\x86\xFF\xE5\x88"
                             "b\xF0\x9F\x98\x80";
    std::vector<gfx::CodePoint> cps = gfx::DecodeUtf8(text);
    std::u32string values = gfx::ToCodePoints(text);
    ASSERT_EQ(cps.size(), values.size());
    std::size_t pos = 0;
    for (std::size_t i = 0; i < cps.size(); ++i) {
        EXPECT_EQ(cps[i].offset, pos);
        EXPECT_EQ(cps[i].value, gfx::NextCodePoint(text, pos));
        EXPECT_EQ(cps[i].length, pos - cps[i].offset);
        EXPECT_EQ(values[i], cps[i].value);
    }
    EXPECT_EQ(pos, text.size());
    EXPECT_EQ(values, (std::u32string{'a', 0x5206, R, R, R, 'b', 0x1F600}));
}

TEST(Utf8, EncoderRoundTripsEveryLength) {
    const std::u32string cps = {0, 0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0x10000, 0x10FFFF};
    std::string utf8 = gfx::ToUtf8(cps);
    EXPECT_EQ(
        utf8,
        std::string("\0\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", 20));
    EXPECT_EQ(gfx::ToCodePoints(utf8), cps);
}

TEST(Utf8, CutPointsNeverSplitASequence) {
    // "a" + U+5206 (3 bytes) + "b"
    const std::string text = "a\xE5\x88\x86"
                             "b";
    struct Case {
        std::size_t limit;
        std::size_t boundary;
    };
    for (Case c : std::vector<Case>{{0, 0}, {1, 1}, {2, 1}, {3, 1}, {4, 4}, {5, 5}, {99, 5}}) {
        SCOPED_TRACE(c.limit);
        EXPECT_EQ(gfx::Utf8Boundary(text, c.limit), c.boundary);
    }
    // Stray continuation bytes stay with the byte before them, whatever it is.
    EXPECT_EQ(gfx::Utf8Boundary("ab\x80\x80\x80\x80", 4), 1u);
    EXPECT_EQ(gfx::Utf8Boundary("ab\x80\x80\x80\x80", 6), 6u);
    EXPECT_EQ(gfx::Utf8Boundary("\x80\x80", 1), 0u);

    struct Back {
        std::string text;
        std::size_t start;
    };
    for (const Back& b : std::vector<Back>{{"ab", 1},
                                           {"a\xC3\xA9", 1},
                                           {"a\xF0\x9F\x98\x80", 1},
                                           {"\x80", 0},
                                           {"a\x80\x80\x80\x80", 4}, // no lead within three bytes
                                           {"\x80\x80", 1}}) {
        SCOPED_TRACE(b.text);
        EXPECT_EQ(gfx::PreviousCodePointStart(b.text, b.text.size()), b.start);
    }
}

TEST(Utf8, SimpleLowerCase) {
    struct Case {
        char32_t in;
        char32_t out;
    };
    for (Case c : std::vector<Case>{{'A', 'a'},
                                    {'z', 'z'},
                                    {'@', '@'},
                                    {0xC9, 0xE9},
                                    {0xD7, 0xD7},
                                    {0xDF, 0xDF},
                                    {0x100, 0x101},
                                    {0x101, 0x101},
                                    {0x139, 0x13A},
                                    {0x13A, 0x13A},
                                    {0x130, 0x130},
                                    {0x17D, 0x17E},
                                    {0x178, 0xFF},
                                    {0x391, 0x3B1},
                                    {0x3A2, 0x3A2},
                                    {0x401, 0x451},
                                    {0x410, 0x430},
                                    {0x42F, 0x44F},
                                    {0x1F600, 0x1F600}}) {
        SCOPED_TRACE(unsigned(c.in));
        EXPECT_EQ(gfx::ToLowerCodePoint(c.in), c.out);
    }
}
