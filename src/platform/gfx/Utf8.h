#pragma once
// UTF-8 to code points and back. Malformed bytes decode to U+FFFD one byte at a time, so that
// any byte string can be measured and drawn and no multi-byte sequence is ever split.

#include <string>
#include <string_view>
#include <vector>

namespace gfx {

struct CodePoint {
    char32_t value;
    std::size_t offset; // byte offset of the sequence in the input
    std::size_t length; // bytes it occupies
};

std::vector<CodePoint> DecodeUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t cp);

} // namespace gfx
