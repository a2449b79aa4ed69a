#include "analysis/W3cFields.h"

#include "analysis/ScanParts.h"
#include "analysis/W3cShapeImpl.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace analysis {
namespace {

bool IsBlankByte(char c) { return c == ' ' || c == '\t'; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool StartsWithFolded(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (AsciiLower(s[i]) != prefix[i]) return false;
    return true;
}

// Bit i set for each space (and, separately, each quote) among p[0..15].
struct Marks {
    unsigned Spaces, Quotes;
};

inline Marks MarkBlock(const char* p) {
#if defined(__SSE2__)
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return {unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')))),
            unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('"'))))};
#else
    Marks m{0, 0};
    for (unsigned i = 0; i < 16; ++i) {
        m.Spaces |= unsigned(p[i] == ' ') << i;
        m.Quotes |= unsigned(p[i] == '"') << i;
    }
    return m;
#endif
}

// The plain split, for lines without any quote: every space ends a value.
int SplitPlain(std::string_view line, std::string_view* values, int max) {
    const char* p = line.data();
    std::size_t n = line.size(), start = 0, i = 0;
    int count = 0;
    auto cut = [&](std::size_t at) {
        if (count < max) values[count] = std::string_view(p + start, at - start);
        ++count;
        start = at + 1;
    };
    for (; i + 16 <= n; i += 16)
        for (unsigned m = MarkBlock(p + i).Spaces; m; m &= m - 1)
            cut(i + unsigned(__builtin_ctz(m)));
    for (; i < n; ++i)
        if (p[i] == ' ') cut(i);
    cut(n);
    return count;
}

// The split that honours quoted values, byte by byte: only lines that hold a quote come here.
int SplitQuoted(std::string_view line, std::string_view* values, int max) {
    std::size_t i = 0, n = line.size();
    int count = 0;
    auto store = [&](std::size_t from, std::size_t to) {
        if (count < max) values[count] = line.substr(from, to - from);
        ++count;
    };
    while (true) {
        if (i < n && line[i] == '"') {
            std::size_t from = i + 1, close = from;
            while (close < n && !(line[close] == '"' && (close + 1 == n || line[close + 1] == ' ')))
                ++close;
            if (close >= n) { // never closed: the rest of the line
                store(from, n);
                return count;
            }
            store(from, close);
            i = close + 1;
        } else {
            std::size_t end = line.find(' ', i);
            if (end == std::string_view::npos) end = n;
            store(i, end);
            i = end;
        }
        if (i >= n) return count;
        ++i; // the space after the value
    }
}

bool HasQuote(std::string_view line) { return std::memchr(line.data(), '"', line.size()) != nullptr; }

} // namespace

W3cLineKind ClassifyW3cLine(std::string_view line) {
    if (!line.empty() && line[0] == '#')
        return StartsWithFolded(line, "#fields:") ? W3cLineKind::Fields : W3cLineKind::Directive;
    for (char c : line)
        if (!IsBlankByte(c)) return W3cLineKind::Data;
    return W3cLineKind::Blank;
}

bool ParseFieldsDirective(std::string_view line, W3cLayout& layout) {
    if (!StartsWithFolded(line, "#fields:")) return false;
    W3cLayout read;
    std::size_t i = 8;
    while (i < line.size() && read.Count() < kMaxW3cFields) {
        while (i < line.size() && IsBlankByte(line[i]))
            ++i;
        std::size_t start = i;
        while (i < line.size() && !IsBlankByte(line[i]))
            ++i;
        if (i > start) read.Names.emplace_back(line.substr(start, i - start));
    }
    if (read.Names.empty()) return false;
    // Field names are matched without regard to ASCII case: "cs(User-Agent)" and
    // "cs(user-agent)" both occur.
    auto index = [&](std::string_view name) {
        for (int k = 0; k < read.Count(); ++k) {
            const std::string& have = read.Names[std::size_t(k)];
            if (have.size() == name.size() && StartsWithFolded(have, name)) return k;
        }
        return -1;
    };
    read.UserAgent = index("cs(user-agent)");
    read.Status = index("sc-status");
    read.Bytes = index("sc-bytes");
    read.UriStem = index("cs-uri-stem");
    read.Date = index("date");
    read.SiteName = index("s-sitename");
    read.ClientIp = index("c-ip");
    layout = std::move(read);
    return true;
}

W3cLineShape ShapeW3cLine(const char* p, std::size_t size, int index, std::size_t readable) {
    static const auto shape = CpuHasAvx2() ? &w3c::ShapeLineAvx2 : &w3c::ShapeLineBaseline;
    return shape(p, size, std::max(size, readable), index);
}

int LocateW3cValue(std::string_view line, int index, std::string_view& value) {
    W3cLineShape shape = ShapeW3cLine(line.data(), line.size(), index);
    if (shape.Ended || shape.Values < 0) return -1;
    value = line.substr(shape.ValueStart, shape.ValueEnd - shape.ValueStart);
    return shape.Values;
}

int SplitW3cValues(std::string_view line, std::string_view* values, int max) {
    return HasQuote(line) ? SplitQuoted(line, values, max) : SplitPlain(line, values, max);
}

} // namespace analysis

namespace analysis::w3c {
namespace {

// Set bits of a mask, without the POPCNT instruction the baseline lacks.
inline int Ones64(std::uint64_t m) {
    m = m - ((m >> 1) & 0x5555555555555555ull);
    m = (m & 0x3333333333333333ull) + ((m >> 2) & 0x3333333333333333ull);
    m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return int((m * 0x0101010101010101ull) >> 56);
}

inline Marks64 MarkBlock64(const char* p) {
    Marks64 m{0, 0, 0};
#if defined(__SSE2__)
    const __m128i space = _mm_set1_epi8(' '), quote = _mm_set1_epi8('"'), cr = _mm_set1_epi8('\r'),
                  lf = _mm_set1_epi8('\n'), nul = _mm_setzero_si128();
    for (unsigned k = 0; k < 4; ++k) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        __m128i brk = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)),
                                   _mm_cmpeq_epi8(v, nul));
        m.Spaces |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, space)))) << (16 * k);
        m.Quotes |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, quote)))) << (16 * k);
        m.Breaks |= std::uint64_t(unsigned(_mm_movemask_epi8(brk))) << (16 * k);
    }
#else
    for (unsigned i = 0; i < 64; ++i) {
        m.Spaces |= std::uint64_t(p[i] == ' ') << i;
        m.Quotes |= std::uint64_t(p[i] == '"') << i;
        m.Breaks |= std::uint64_t(p[i] == '\r' || p[i] == '\n' || p[i] == '\0') << i;
    }
#endif
    return m;
}

} // namespace

W3cLineShape ShapeLineBaseline(const char* p, std::size_t size, std::size_t readable, int index) {
    auto select = [](std::uint64_t m, unsigned k) {
        for (; k > 0; --k)
            m &= m - 1;
        return __builtin_ctzll(m);
    };
    return ShapeLine([](const char* q) { return MarkBlock64(q); }, [](std::uint64_t m) { return Ones64(m); },
                     select, p, size, readable, index);
}

} // namespace analysis::w3c
