// Feeds arbitrary bytes to the reader of the glyphs kept between starts; what it accepts must
// write back to the same bytes and read the same again.
#include "platform/gfx/StartGlyphs.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    gfx::StartGlyphs list;
    if (!list.Parse(input)) return 0;
    std::string bytes = list.Serialize();
    gfx::StartGlyphs again;
    if (bytes != input || !again.Parse(bytes) || !(again == list)) std::abort();
    return 0;
}
