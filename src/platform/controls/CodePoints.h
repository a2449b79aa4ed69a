#pragma once
// Code points for the controls' text models. The models index text by code point, so a caret or
// selection can never split a multi-byte sequence. The coding and the case folding are gfx's:
// malformed bytes decode to U+FFFD one byte at a time, so any byte string is accepted.

#include "platform/gfx/Utf8.h"

#include <string>
#include <string_view>

namespace controls {

inline std::u32string DecodeUtf8(std::string_view bytes) { return gfx::ToCodePoints(bytes); }
inline std::string EncodeUtf8(std::u32string_view text) { return gfx::ToUtf8(text); }
// Simple case folding for prefix searches: ASCII and the Latin-1/Greek/Cyrillic letters with
// a one-to-one lower case; other code points fold to themselves.
inline char32_t FoldCase(char32_t c) { return gfx::ToLowerCodePoint(c); }
bool StartsWithNoCase(std::u32string_view text, std::u32string_view prefix);
bool EqualsNoCase(std::u32string_view a, std::u32string_view b);

} // namespace controls
