#include "Ico.h"

#include "Png.h"

#include <cstdint>

namespace icongen {
namespace {

void Word(std::string& out, std::uint32_t v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

void Dword(std::string& out, std::uint32_t v) {
    Word(out, v & 0xFFFF);
    Word(out, v >> 16);
}

// BITMAPINFOHEADER, the colour rows (BGRA, bottom row first) and the AND mask (1 bit a pixel,
// set where the pixel is transparent, rows padded to 32 bits). The header's height counts both
// the colour rows and the mask's.
std::string EncodeDib(const Image& image) {
    const int w = image.Width, h = image.Height;
    const int maskStride = (w + 31) / 32 * 4;
    std::string out;
    Dword(out, 40);
    Dword(out, std::uint32_t(w));
    Dword(out, std::uint32_t(2 * h));
    Word(out, 1);  // planes
    Word(out, 32); // bits per pixel
    Dword(out, 0); // BI_RGB
    Dword(out, std::uint32_t(w * h * 4 + maskStride * h));
    for (int i = 0; i < 4; ++i)
        Dword(out, 0); // resolution and palette: unused
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const Rgba& p = image.Pixels[std::size_t(y) * std::size_t(w) + std::size_t(x)];
            out += char(p.b);
            out += char(p.g);
            out += char(p.r);
            out += char(p.a);
        }
    for (int y = h - 1; y >= 0; --y) {
        std::string row(std::size_t(maskStride), '\0');
        for (int x = 0; x < w; ++x)
            if (image.Pixels[std::size_t(y) * std::size_t(w) + std::size_t(x)].a == 0)
                row[std::size_t(x / 8)] = char(row[std::size_t(x / 8)] | (0x80 >> (x % 8)));
        out += row;
    }
    return out;
}

} // namespace

std::string EncodeIco() {
    constexpr std::uint32_t kCount = sizeof kIcoSizes / sizeof kIcoSizes[0];
    std::string directory, images;
    Word(directory, 0);
    Word(directory, 1); // an icon, not a cursor
    Word(directory, kCount);
    std::uint32_t offset = 6 + 16 * kCount;
    for (int size : kIcoSizes) {
        const Image image = DrawIcon(size);
        const std::string data = size >= 256 ? EncodePng(image) : EncodeDib(image);
        directory += char(size >= 256 ? 0 : size); // 0 stands for 256
        directory += char(size >= 256 ? 0 : size);
        directory += '\0'; // no palette
        directory += '\0';
        Word(directory, 1);
        Word(directory, 32);
        Dword(directory, std::uint32_t(data.size()));
        Dword(directory, offset);
        offset += std::uint32_t(data.size());
        images += data;
    }
    return directory + images;
}

} // namespace icongen
