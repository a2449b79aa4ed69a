#include "Png.h"

#include <stdexcept>
#include <zlib.h>

namespace icongen {
namespace {

void PutBigEndian(std::string& out, std::uint32_t v) {
    for (int shift : {24, 16, 8, 0})
        out += char((v >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char type[4], const std::string& data) {
    PutBigEndian(out, std::uint32_t(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    PutBigEndian(out,
                 std::uint32_t(::crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

} // namespace

std::string EncodePng(const Image& image) {
    std::string header;
    PutBigEndian(header, std::uint32_t(image.Width));
    PutBigEndian(header, std::uint32_t(image.Height));
    header += char(8);              // bits per channel
    header += char(6);              // RGBA
    header += std::string(3, '\0'); // deflate, adaptive filtering, no interlace

    std::string raw;
    raw.reserve(std::size_t(image.Height) * (1 + std::size_t(image.Width) * 4));
    for (int y = 0; y < image.Height; ++y) {
        raw += char(0); // filter: none
        for (int x = 0; x < image.Width; ++x) {
            const Rgba& p = image.Pixels[std::size_t(y) * std::size_t(image.Width) + std::size_t(x)];
            raw += char(p.r);
            raw += char(p.g);
            raw += char(p.b);
            raw += char(p.a);
        }
    }
    uLongf length = ::compressBound(uLong(raw.size()));
    std::string deflated(length, '\0');
    if (::compress2(reinterpret_cast<Bytef*>(deflated.data()), &length,
                    reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), 9) != Z_OK)
        throw std::runtime_error("deflate failed");
    deflated.resize(length);

    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", deflated);
    PutChunk(png, "IEND", "");
    return png;
}

} // namespace icongen
