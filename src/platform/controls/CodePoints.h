#pragma once
// UTF-8 <-> code points for the controls' text models. The models index text by code point,
// so a caret or selection can never split a multi-byte sequence. Malformed bytes decode to
// U+FFFD one byte at a time, so any byte string is accepted.

#include <string>
#include <string_view>

namespace controls {

std::u32string DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::u32string_view text);
// Simple case folding for prefix searches: ASCII and the Latin-1/Greek/Cyrillic letters with
// a one-to-one lower case; other code points fold to themselves.
char32_t FoldCase(char32_t c);
bool StartsWithNoCase(std::u32string_view text, std::u32string_view prefix);
bool EqualsNoCase(std::u32string_view a, std::u32string_view b);

} // namespace controls
