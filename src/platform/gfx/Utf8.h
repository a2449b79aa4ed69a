#pragma once
// The one UTF-8 codec of the platform and everything above it: decoding (whole texts or one code
// point at a time), encoding, finding cut points that never split a multi-byte sequence, and
// the simple case folding that the controls and the framework share.
// By default malformed bytes decode to U+FFFD one byte at a time, so that any byte string can be
// measured and drawn.

#include <string>
#include <string_view>
#include <vector>

namespace gfx {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

struct CodePoint {
    char32_t value;
    std::size_t offset; // byte offset of the sequence in the input
    std::size_t length; // bytes it occupies
};

// What a malformed byte decodes to.
enum class Utf8Errors {
    // U+FFFD; overlong forms, surrogates and values past U+10FFFF are malformed too.
    Replace,
    // The byte itself, read as Latin-1, so texts in a legacy single-byte code page still compare
    // stably. Overlong forms, surrogates and values past U+10FFFF are malformed here too.
    KeepByte,
};

// Decodes the code point at text[pos] (pos < text.size()) and moves pos past it; a malformed
// byte is consumed alone.
char32_t NextCodePoint(std::string_view text, std::size_t& pos, Utf8Errors errors = Utf8Errors::Replace);

std::vector<CodePoint> DecodeUtf8(std::string_view text);
std::u32string ToCodePoints(std::string_view text);

// The only encoder. Values are written as given (no check for surrogates or range).
void AppendUtf8(std::string& out, char32_t cp);
std::string ToUtf8(std::u32string_view text);

// The longest prefix of at most n bytes that does not end inside a sequence: n (or the text's
// size when smaller) moved back over continuation bytes while the byte at it is one.
std::size_t Utf8Boundary(std::string_view text, std::size_t n);
// Where the code point ending at end (0 < end <= text.size()) starts: back over at most three
// continuation bytes to their lead; a continuation byte with no lead within reach stands alone.
std::size_t PreviousCodePointStart(std::string_view text, std::size_t end);

// Simple one-to-one lower case of a code point, the folding used wherever text is compared or
// searched without regard to case: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic; other
// code points map to themselves.
char32_t ToLowerCodePoint(char32_t cp);

} // namespace gfx
