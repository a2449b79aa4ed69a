#pragma once
// The Windows build's boundary between the program's UTF-8 texts and the UTF-16 the wide Win32
// calls take and return. Invalid UTF-8 becomes U+FFFD on the way in, unpaired surrogates become
// U+FFFD on the way out, so a bad byte never truncates a path silently.
// Windows only: the Linux build has no UTF-16 anywhere.

#include <string>
#include <string_view>

namespace fs {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// `path` made fit for the wide file calls: "/" separators turned into "\" (the program joins a
// folder and a name with "/", which most calls accept but not the long-path form).
std::wstring WidenPath(std::string_view path);

} // namespace fs
