// Feeds arbitrary text to the reader of the start-up glyph list; what it accepts must write
// back to text that reads the same.
#include "platform/gfx/StartGlyphs.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gfx::StartGlyphs list;
    if (!list.Parse(std::string_view(reinterpret_cast<const char*>(data), size)))
        return 0;
    std::string text = list.Serialize();
    gfx::StartGlyphs again;
    if (!again.Parse(text) || !(again == list) || again.Serialize() != text)
        std::abort();
    return 0;
}
