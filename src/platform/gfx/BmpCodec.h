#pragma once
// Reading and writing Windows BMP files.
//
// The reader takes a complete BMP file from a byte span and reports how many bytes it occupies
// (bfSize), because the stored skin keeps its pictures back to back. It decodes 1, 4, 8, 16, 24
// and 32 bits per pixel, bottom-up and top-down rows, colour tables, BI_RGB, BI_RLE4, BI_RLE8 and
// BI_BITFIELDS, with the 12-byte core header or the 40-byte (and longer) info header. Anything
// truncated or inconsistent raises EInvalidGraphic; the reader never looks outside the span, nor
// beyond bfSize within it.
//
// The writer produces 1, 4, 8, 24 and 32-bit BI_RGB files byte for byte as the platform does:
// a 14-byte file header, the 40-byte info header, the full colour table for 8 or fewer bits,
// then bottom-up rows padded to 4 bytes. Unused header fields are zero, so writing the same
// picture twice gives the same bytes.

#include "platform/gfx/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace gfx {

// The error of every bitmap decoder. The framework re-exports it as its bitmap error.
class EInvalidGraphic : public std::runtime_error {
public:
    EInvalidGraphic() : std::runtime_error("Bitmap image is not valid") {}
};

// A decoded BMP with what is needed to write it back the way it came.
struct BmpImage {
    Bitmap bitmap;
    int bitCount = 24;          // bits per pixel of the file: 1, 4, 8, 16, 24 or 32
    std::vector<Pixel> palette; // the colour table (0x00RRGGBB) for 8 or fewer bits, else empty
};

// Decodes the BMP at the start of data. consumed (when given) receives bfSize.
BmpImage ReadBmp(std::span<const std::uint8_t> data, std::size_t* consumed = nullptr);

// Encodes bitmap at bitCount 1, 4, 8, 24 or 32 (anything else throws std::invalid_argument).
// For 8 or fewer bits the palette, when given, is used (at most 2^bitCount entries; the table is
// padded to its full size with black); without one, the picture's own colours are used when they
// fit and a fixed standard palette otherwise. Pixels missing from the palette take the nearest
// entry.
std::vector<std::uint8_t> WriteBmp(const Bitmap& bitmap, int bitCount = 24,
                                   std::span<const Pixel> palette = {});
inline std::vector<std::uint8_t> WriteBmp(const BmpImage& image) {
    int bits = image.bitCount == 16 ? 24 : image.bitCount;
    return WriteBmp(image.bitmap, bits, image.palette);
}

// The colour table the writer uses for bitmap at bitCount when no palette is given.
std::vector<Pixel> BuildPalette(const Bitmap& bitmap, int bitCount);

// Files by path ("/" separated). Failing to open or write throws std::runtime_error with the
// system's reason; a file that is not a valid BMP throws EInvalidGraphic.
BmpImage LoadBmpFile(const std::string& path);
void SaveBmpFile(const std::string& path, const Bitmap& bitmap, int bitCount = 24,
                 std::span<const Pixel> palette = {});

} // namespace gfx
