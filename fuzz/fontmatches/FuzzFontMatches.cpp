// Feeds arbitrary text to the font engine's cache reader; what it accepts must write back to
// text that reads the same.
#include "platform/gfx/FontMatchCache.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gfx::FontMatchCache cache;
    if (!cache.Parse(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    std::string text = cache.Serialize();
    gfx::FontMatchCache again;
    if (!again.Parse(text) || again.Serialize() != text) std::abort();
    return 0;
}
