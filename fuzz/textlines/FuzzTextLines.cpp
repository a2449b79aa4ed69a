// Text files read as lists of lines (the folder history): any bytes split without reading past
// the input, and writing the lines back with CR LF and reading them again gives the same lines.

#include "framework/StringList.h"
#include "framework/TextUtils.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vcl::TStringList list;
    list.SetText(bytes);
    std::string written = list.Text();
    vcl::TStringList again;
    again.SetText(written);
    if (!list.Equals(again)) {
        std::abort();
    }
    for (int i = 0; i < list.Count(); ++i) {
        const std::string& line = list[i];
        if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) {
            std::abort();
        }
        // Case-insensitive lookups must find every line, whatever bytes it holds.
        if (list.IndexOf(line) < 0 || list.IndexOf(vcl::UpperCase(line)) < 0) {
            std::abort();
        }
    }
    return 0;
}
