#include "framework/TextUtils.h"

#include "framework/Exceptions.h"

#include <charconv>

namespace vcl {

char32_t ToUpperCodePoint(char32_t cp) {
    if (cp >= 'a' && cp <= 'z') {
        return cp - 32;
    }
    if (cp < 0x80) {
        return cp;
    }
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) {
        return cp - 32;
    }
    if (cp >= 0x100 && cp <= 0x17F && ToLowerCodePoint(cp) == cp) {
        char32_t up = cp - 1;
        if (up >= 0x100 && ToLowerCodePoint(up) == cp) {
            return up;
        }
        return cp;
    }
    if (cp >= 0x3B1 && cp <= 0x3CB && cp != 0x3C2) {
        return cp - 32;
    }
    if (cp >= 0x430 && cp <= 0x44F) {
        return cp - 32;
    }
    if (cp >= 0x450 && cp <= 0x45F) {
        return cp - 80;
    }
    return cp;
}

namespace {

template <class Map>
std::string MapCase(std::string_view text, Map map) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t start = pos;
        char32_t cp = NextCodePoint(text, pos);
        char32_t mapped = map(cp);
        if (mapped == cp) {
            out.append(text.substr(start, pos - start)); // keeps malformed bytes as they were
        } else {
            AppendCodePoint(out, mapped);
        }
    }
    return out;
}

} // namespace

std::string LowerCase(std::string_view text) { return MapCase(text, ToLowerCodePoint); }
std::string UpperCase(std::string_view text) { return MapCase(text, ToUpperCodePoint); }

int CompareText(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t ca = ToLowerCodePoint(NextCodePoint(a, i));
        char32_t cb = ToLowerCodePoint(NextCodePoint(b, j));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

std::string IntToStr(long long value) { return std::to_string(value); }

long long StrToInt(std::string_view text) {
    std::string trimmed = Trim(text);
    std::string_view digits = trimmed;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    long long value = 0;
    int base = 10;
    if (!digits.empty() && digits[0] == '$') {
        base = 16;
        digits.remove_prefix(1);
    } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    }
    return negative ? -value : value;
}

long long StrToIntDef(std::string_view text, long long fallback) {
    try {
        return StrToInt(text);
    } catch (const EConvertError&) {
        return fallback;
    }
}

std::string Trim(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') {
        ++b;
    }
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') {
        --e;
    }
    return std::string(text.substr(b, e - b));
}

std::string ExtractFilePath(std::string_view path) {
    auto slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ExtractFileName(std::string_view path) {
    auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() != '/') {
        out += '/';
    }
    return out;
}

} // namespace vcl
