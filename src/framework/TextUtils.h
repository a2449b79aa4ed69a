#pragma once
// Text helpers of the framework: comparison without regard to case over UTF-8 code points,
// integer conversions with the framework's errors, and small formatting aids.

#include "platform/gfx/Utf8.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vcl {

// Decodes the code point at text[pos] and advances pos; a malformed byte decodes as itself
// (so arbitrary bytes in the system code page still compare stably).
inline char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    return gfx::NextCodePoint(text, pos, gfx::Utf8Errors::KeepByte);
}
inline void AppendCodePoint(std::string& out, char32_t cp) { gfx::AppendUtf8(out, cp); }

// Simple case mapping of one code point: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic.
inline char32_t ToLowerCodePoint(char32_t cp) { return gfx::ToLowerCodePoint(cp); }
char32_t ToUpperCodePoint(char32_t cp);

std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);
// <0, 0, >0 comparing the case-folded code points.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// Decimal conversions; StrToInt raises EConvertError "'<text>' is not a valid integer value".
std::string IntToStr(long long value);
long long StrToInt(std::string_view text);
long long StrToIntDef(std::string_view text, long long fallback);

std::string Trim(std::string_view text);

// Paths ("/" separated): the folder part with its trailing separator, the name part, and a path
// with exactly one trailing separator.
std::string ExtractFilePath(std::string_view path);
std::string ExtractFileName(std::string_view path);
std::string IncludeTrailingPathDelimiter(std::string_view path);

} // namespace vcl
