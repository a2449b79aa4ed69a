#include "platform/gfx/Utf8.h"

#include <algorithm>

namespace gfx {

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Bytes of the sequence a lead byte starts; 0 for a byte that can never lead (a continuation
// byte, C0/C1 which could only start overlong forms, F5..FF which exceed U+10FFFF).
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool IsValidScalar(char32_t cp, std::size_t length) {
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    return cp >= kMin[length] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

} // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& pos, Utf8Errors errors) {
    auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t len = SequenceLength(lead);
    if (len == 1) {
        ++pos;
        return lead;
    }
    const char32_t malformed = errors == Utf8Errors::Replace ? kReplacementCharacter : char32_t(lead);
    if (len == 0 || len > text.size() - pos) {
        ++pos;
        return malformed;
    }
    char32_t cp = lead & (0xFF >> (len + 1));
    for (std::size_t k = 1; k < len; ++k) {
        auto c = static_cast<unsigned char>(text[pos + k]);
        if (!IsContinuation(c)) {
            ++pos;
            return malformed;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are malformed in both modes: a lenient
    // decoder would let "\xE0\x81\x81" compare equal to "A" in case-insensitive lookups.
    if (!IsValidScalar(cp, len)) {
        ++pos;
        return malformed;
    }
    pos += len;
    return cp;
}

std::vector<CodePoint> DecodeUtf8(std::string_view text) {
    std::vector<CodePoint> out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t start = pos;
        char32_t cp = NextCodePoint(text, pos);
        out.push_back(CodePoint{cp, start, pos - start});
    }
    return out;
}

std::u32string ToCodePoints(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size())
        out.push_back(NextCodePoint(text, pos));
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string ToUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t cp : text)
        AppendUtf8(out, cp);
    return out;
}

std::size_t Utf8Boundary(std::string_view text, std::size_t n) {
    n = std::min(n, text.size());
    while (n > 0 && n < text.size() && IsContinuation(static_cast<unsigned char>(text[n])))
        --n;
    return n;
}

std::size_t PreviousCodePointStart(std::string_view text, std::size_t end) {
    std::size_t start = end - 1;
    while (start > 0 && IsContinuation(static_cast<unsigned char>(text[start])) && end - start < 4)
        --start;
    if (IsContinuation(static_cast<unsigned char>(text[start]))) start = end - 1;
    return start;
}

char32_t ToLowerCodePoint(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') {
        return cp + 32;
    }
    if (cp < 0x80) {
        return cp;
    }
    if ((cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) {
        return cp + 32;
    }
    if (cp == 0x178) {
        return 0xFF; // Y with diaeresis: its lower case sits in Latin-1, not beside it
    }
    if (cp >= 0x100 && cp <= 0x17F && cp != 0x130 && cp != 0x131 && cp != 0x138 && cp != 0x149 &&
        cp != 0x17F) {
        // Latin Extended-A pairs upper/lower on even/odd, except 0x139..0x148 and 0x179..0x17E
        // which pair odd/even.
        bool oddUpper = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
        if (oddUpper) {
            return (cp & 1) ? cp + 1 : cp;
        }
        return (cp & 1) ? cp : cp + 1;
    }
    if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) {
        return cp + 32;
    }
    if (cp >= 0x410 && cp <= 0x42F) {
        return cp + 32;
    }
    if (cp >= 0x400 && cp <= 0x40F) {
        return cp + 80;
    }
    return cp;
}

} // namespace gfx
