// Feeds arbitrary bytes to the BMP reader; a valid picture must survive a write and re-read.
#include "platform/gfx/BmpCodec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        std::size_t consumed = 0;
        gfx::BmpImage image = gfx::ReadBmp(std::span(data, size), &consumed);
        if (consumed > size) {
            std::abort();
        }
        std::vector<std::uint8_t> again = gfx::WriteBmp(image);
        if (gfx::ReadBmp(again).bitmap.Width() != image.bitmap.Width()) {
            std::abort();
        }
    } catch (const gfx::EInvalidGraphic&) {
    }
    return 0;
}
