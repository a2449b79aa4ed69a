#include "platform/gfx/BmpCodec.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unordered_map>

namespace gfx {
namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;
constexpr std::size_t kFileHeaderSize = 14, kInfoHeaderSize = 40, kCoreHeaderSize = 12;
// Pictures beyond these are refused: a header of a few bytes (and RLE data of a few more) can
// describe a huge area. No skin picture needs more than a whole 4K screen (3840 x 2160, 32 MB as
// pixels); the program's own pictures are below 600 x 450.
constexpr std::int64_t kMaxSide = 8192;
constexpr std::int64_t kMaxPixels = std::int64_t(1) << 23;

[[noreturn]] void Invalid() { throw EInvalidGraphic(); }

// Little-endian reads within a span whose bounds were already checked by the caller.
std::uint16_t U16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0; // always positive here; topDown tells the row order
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t masks[3] = {0, 0, 0};
    std::size_t paletteOffset = 0;
    std::size_t paletteEntrySize = 4;
    std::size_t paletteCount = 0;
};

std::size_t RowStride(std::int64_t width, int bits) { return std::size_t(((width * bits + 31) / 32) * 4); }

Header ParseInfoHeader(std::span<const std::uint8_t> file) {
    if (file.size() < kFileHeaderSize + 4) {
        Invalid();
    }
    std::uint32_t size = U32(&file[14]);
    Header h;
    if (size == kCoreHeaderSize) {
        if (file.size() < kFileHeaderSize + kCoreHeaderSize) {
            Invalid();
        }
        const std::uint8_t* p = &file[14];
        h.width = U16(p + 4);
        h.height = U16(p + 6);
        if (U16(p + 8) != 1) {
            Invalid();
        }
        h.bitCount = U16(p + 10);
        h.paletteEntrySize = 3;
        h.paletteOffset = kFileHeaderSize + kCoreHeaderSize;
        if (h.bitCount <= 8) {
            h.paletteCount = std::size_t(1) << h.bitCount;
        }
    } else {
        bool known = size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
        if (!known || size > file.size() - kFileHeaderSize) {
            Invalid();
        }
        const std::uint8_t* p = &file[14];
        h.width = std::int32_t(U32(p + 4));
        std::int64_t height = std::int32_t(U32(p + 8));
        h.topDown = height < 0;
        h.height = height < 0 ? -height : height;
        if (U16(p + 12) != 1) {
            Invalid();
        }
        h.bitCount = U16(p + 14);
        h.compression = U32(p + 16);
        std::uint32_t clrUsed = U32(p + 32);
        h.paletteOffset = kFileHeaderSize + size;
        if (h.compression == kBiBitfields) {
            if (size >= 52) {
                for (int i = 0; i < 3; ++i) {
                    h.masks[i] = U32(p + 40 + 4 * i);
                }
            } else {
                if (file.size() < h.paletteOffset + 12) {
                    Invalid();
                }
                for (int i = 0; i < 3; ++i) {
                    h.masks[i] = U32(&file[h.paletteOffset + 4 * std::size_t(i)]);
                }
                h.paletteOffset += 12;
            }
        }
        if (h.bitCount <= 8) {
            std::size_t full = std::size_t(1) << h.bitCount;
            h.paletteCount = clrUsed == 0 ? full : std::min<std::size_t>(clrUsed, full);
        }
    }
    bool bitsOk = h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
                  h.bitCount == 24 || h.bitCount == 32;
    bool compressionOk = h.compression == kBiRgb ||
                         (h.compression == kBiRle8 && h.bitCount == 8 && !h.topDown) ||
                         (h.compression == kBiRle4 && h.bitCount == 4 && !h.topDown) ||
                         (h.compression == kBiBitfields && (h.bitCount == 16 || h.bitCount == 32));
    if (!bitsOk || !compressionOk || h.width < 0 || h.width > kMaxSide || h.height > kMaxSide ||
        h.width * h.height > kMaxPixels) {
        Invalid();
    }
    return h;
}

std::vector<Pixel> ReadPalette(std::span<const std::uint8_t> file, const Header& h) {
    std::size_t bytes = h.paletteCount * h.paletteEntrySize;
    if (h.paletteOffset > file.size() || bytes > file.size() - h.paletteOffset) {
        Invalid();
    }
    std::vector<Pixel> palette(h.paletteCount);
    for (std::size_t i = 0; i < h.paletteCount; ++i) {
        const std::uint8_t* e = &file[h.paletteOffset + i * h.paletteEntrySize];
        palette[i] = Pixel(e[0]) | (Pixel(e[1]) << 8) | (Pixel(e[2]) << 16);
    }
    return palette;
}

// One channel extracted through a bit-field mask and scaled to 8 bits.
struct Channel {
    int shift = 0;
    int bits = 0;
    static Channel From(std::uint32_t mask) {
        Channel c;
        if (mask != 0) {
            c.shift = std::countr_zero(mask);
            c.bits = std::min(8, std::popcount(mask >> c.shift));
        }
        return c;
    }
    std::uint32_t Take(std::uint32_t v, std::uint32_t mask) const {
        if (bits == 0) {
            return 0;
        }
        std::uint32_t raw = (v & mask) >> shift;
        int total = std::popcount(mask >> shift);
        raw >>= (total - bits);
        // Replicate the top bits so that full scale maps to 255.
        std::uint32_t out = 0;
        for (int filled = 0; filled < 8; filled += bits) {
            out |= (raw << (8 - bits)) >> filled;
        }
        return out & 0xFF;
    }
};

void DecodeRgbRows(std::span<const std::uint8_t> pixels, const Header& h, const std::vector<Pixel>& palette,
                   Bitmap& out) {
    std::size_t stride = RowStride(h.width, h.bitCount);
    if (stride * std::size_t(h.height) > pixels.size()) {
        Invalid();
    }
    std::uint32_t masks[3] = {h.masks[0], h.masks[1], h.masks[2]};
    if (h.compression != kBiBitfields && h.bitCount == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }
    Channel ch[3] = {Channel::From(masks[0]), Channel::From(masks[1]), Channel::From(masks[2])};
    auto lookup = [&](std::size_t index) { return index < palette.size() ? palette[index] : 0u; };
    int width = int(h.width);
    // One loop per format: skins are mostly 24-bit pictures, and their rows decode in a tight
    // loop instead of choosing the format again for every pixel.
    for (int row = 0; row < int(h.height); ++row) {
        const std::uint8_t* src = pixels.data() + std::size_t(row) * stride;
        int y = h.topDown ? row : int(h.height) - 1 - row;
        Pixel* dst = out.Row(y);
        switch (h.bitCount) {
        case 1:
            for (int x = 0; x < width; ++x) {
                dst[x] = lookup((src[x >> 3] >> (7 - (x & 7))) & 1);
            }
            break;
        case 4:
            for (int x = 0; x < width; ++x) {
                dst[x] = lookup((src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
            }
            break;
        case 8:
            for (int x = 0; x < width; ++x) {
                dst[x] = lookup(src[x]);
            }
            break;
        case 24: {
            // Four bytes at a time, the fourth dropped: every pixel but a row's last has a
            // fourth byte after it in the row.
            int x = 0;
            for (; x + 1 < width; ++x, src += 3) {
                dst[x] = U32(src) & 0xFFFFFF;
            }
            if (x < width) {
                dst[x] = Pixel(src[0]) | (Pixel(src[1]) << 8) | (Pixel(src[2]) << 16);
            }
            break;
        }
        default:
            if (h.compression == kBiBitfields || h.bitCount == 16) {
                for (int x = 0; x < width; ++x) {
                    std::uint32_t v = h.bitCount == 16 ? U16(src + 2 * x) : U32(src + 4 * x);
                    dst[x] = (ch[0].Take(v, masks[0]) << 16) | (ch[1].Take(v, masks[1]) << 8) |
                             ch[2].Take(v, masks[2]);
                }
            } else {
                for (int x = 0; x < width; ++x) {
                    dst[x] = U32(src + 4 * x) & 0xFFFFFF;
                }
            }
            break;
        }
    }
}

// RLE rows run bottom-up; pixels the stream skips (delta, early end) stay at palette entry 0.
void DecodeRle(std::span<const std::uint8_t> data, const Header& h, const std::vector<Pixel>& palette,
               Bitmap& out) {
    bool four = h.compression == kBiRle4;
    auto lookup = [&](std::size_t index) { return index < palette.size() ? palette[index] : 0u; };
    out.Clear(lookup(0));
    std::int64_t x = 0, row = 0;
    std::size_t i = 0;
    auto put = [&](std::size_t index) {
        if (x < h.width && row < h.height) {
            out.Row(int(h.height - 1 - row))[x] = lookup(index);
        }
        ++x;
    };
    auto need = [&](std::size_t n) {
        if (n > data.size() - i) {
            Invalid();
        }
    };
    while (row < h.height) {
        need(2);
        std::uint8_t count = data[i], value = data[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k) {
                put(four ? ((k & 1) ? value & 0xF : value >> 4) : value);
            }
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++row;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta
            need(2);
            x += data[i];
            row += data[i + 1];
            i += 2;
        } else { // absolute run of `value` pixels, padded to a 16-bit boundary
            std::size_t bytes = four ? (value + 1) / 2 : value;
            std::size_t padded = (bytes + 1) & ~std::size_t(1);
            need(padded);
            for (int k = 0; k < value; ++k) {
                std::uint8_t b = four ? data[i + std::size_t(k / 2)] : data[i + std::size_t(k)];
                put(four ? ((k & 1) ? b & 0xF : b >> 4) : b);
            }
            i += padded;
        }
    }
}

} // namespace

BmpImage ReadBmp(std::span<const std::uint8_t> data, std::size_t* consumed) {
    if (data.size() < kFileHeaderSize || data[0] != 'B' || data[1] != 'M') {
        Invalid();
    }
    std::uint32_t fileSize = U32(&data[2]);
    std::uint32_t offBits = U32(&data[10]);
    if (fileSize < kFileHeaderSize + kCoreHeaderSize || fileSize > data.size()) {
        Invalid();
    }
    std::span<const std::uint8_t> file = data.first(fileSize);
    Header h = ParseInfoHeader(file);
    if (offBits < h.paletteOffset || offBits > file.size()) {
        Invalid();
    }
    BmpImage image;
    image.bitCount = h.bitCount;
    std::vector<Pixel> palette = ReadPalette(file, h);
    bool rle = h.compression == kBiRle4 || h.compression == kBiRle8;
    // Uncompressed rows must all be in the file: checked before the picture is allocated.
    if (!rle && RowStride(h.width, h.bitCount) * std::size_t(h.height) > file.size() - offBits) {
        Invalid();
    }
    image.bitmap.Resize(int(h.width), int(h.height));
    if (!image.bitmap.Empty()) {
        std::span<const std::uint8_t> pixels = file.subspan(offBits);
        if (rle) {
            DecodeRle(pixels, h, palette, image.bitmap);
        } else {
            DecodeRgbRows(pixels, h, palette, image.bitmap);
        }
    }
    if (h.bitCount <= 8) {
        image.palette = std::move(palette);
    }
    if (consumed) {
        *consumed = fileSize;
    }
    return image;
}

namespace {

std::vector<Pixel> StandardPalette(int bitCount) {
    std::vector<Pixel> p;
    if (bitCount == 1) {
        p = {0x000000, 0xFFFFFF};
    } else if (bitCount == 4) {
        // The sixteen colours of the classic VGA palette.
        p = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
             0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    } else {
        // A 6 x 6 x 6 colour cube followed by a grey ramp.
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p.push_back(Pixel(r * 51) << 16 | Pixel(g * 51) << 8 | Pixel(b * 51));
        for (int i = 0; i < 40; ++i) {
            Pixel v = Pixel(i * 255 / 39);
            p.push_back(v << 16 | v << 8 | v);
        }
    }
    return p;
}

int Distance(Pixel a, Pixel b) {
    int dr = int((a >> 16) & 0xFF) - int((b >> 16) & 0xFF);
    int dg = int((a >> 8) & 0xFF) - int((b >> 8) & 0xFF);
    int db = int(a & 0xFF) - int(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

class PaletteIndex {
public:
    explicit PaletteIndex(std::span<const Pixel> palette) : palette_(palette) {}
    std::uint8_t operator()(Pixel p) {
        p &= 0xFFFFFF;
        if (auto it = cache_.find(p); it != cache_.end()) {
            return it->second;
        }
        std::size_t best = 0;
        int bestDistance = 1 << 30;
        for (std::size_t i = 0; i < palette_.size(); ++i) {
            int d = Distance(p, palette_[i] & 0xFFFFFF);
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        return cache_[p] = std::uint8_t(best);
    }

private:
    std::span<const Pixel> palette_;
    std::unordered_map<Pixel, std::uint8_t> cache_;
};

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

std::vector<Pixel> BuildPalette(const Bitmap& bitmap, int bitCount) {
    if (bitCount != 1 && bitCount != 4 && bitCount != 8) {
        return {};
    }
    std::size_t limit = std::size_t(1) << bitCount;
    std::vector<Pixel> colours;
    std::unordered_map<Pixel, bool> seen;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Pixel* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            Pixel p = row[x] & 0xFFFFFF;
            if (seen.emplace(p, true).second) {
                if (colours.size() == limit) {
                    return StandardPalette(bitCount);
                }
                colours.push_back(p);
            }
        }
    }
    return colours;
}

std::vector<std::uint8_t> WriteBmp(const Bitmap& bitmap, int bitCount, std::span<const Pixel> palette) {
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) {
        throw std::invalid_argument("WriteBmp: unsupported bit count");
    }
    std::vector<Pixel> table;
    if (bitCount <= 8) {
        std::size_t full = std::size_t(1) << bitCount;
        if (palette.size() > full) {
            throw std::invalid_argument("WriteBmp: palette larger than the bit count allows");
        }
        table = palette.empty() ? BuildPalette(bitmap, bitCount)
                                : std::vector<Pixel>(palette.begin(), palette.end());
        if (table.empty()) {
            table.push_back(0);
        }
    }
    const int w = bitmap.Width(), h = bitmap.Height();
    const std::size_t stride = RowStride(w, bitCount);
    const std::size_t tableBytes = bitCount <= 8 ? (std::size_t(1) << bitCount) * 4 : 0;
    const std::size_t offBits = kFileHeaderSize + kInfoHeaderSize + tableBytes;
    const std::size_t imageBytes = stride * std::size_t(h);

    std::vector<std::uint8_t> out;
    out.reserve(offBits + imageBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, std::uint32_t(offBits + imageBytes));
    Put32(out, 0);
    Put32(out, std::uint32_t(offBits));
    Put32(out, kInfoHeaderSize);
    Put32(out, std::uint32_t(w));
    Put32(out, std::uint32_t(h));
    Put16(out, 1);
    Put16(out, std::uint16_t(bitCount));
    Put32(out, kBiRgb);
    Put32(out, std::uint32_t(imageBytes));
    for (int i = 0; i < 4; ++i) { // resolution and colour counts: left zero
        Put32(out, 0);
    }
    if (bitCount <= 8) {
        for (std::size_t i = 0; i < tableBytes / 4; ++i) {
            Put32(out, i < table.size() ? table[i] & 0xFFFFFF : 0);
        }
    }
    PaletteIndex index(table);
    std::vector<std::uint8_t> row(stride);
    for (int y = h - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), 0);
        const Pixel* src = bitmap.Row(y);
        for (int x = 0; x < w; ++x) {
            Pixel p = src[x];
            switch (bitCount) {
            case 1: row[std::size_t(x >> 3)] |= std::uint8_t((index(p) & 1) << (7 - (x & 7))); break;
            case 4: row[std::size_t(x >> 1)] |= std::uint8_t((index(p) & 0xF) << ((x & 1) ? 0 : 4)); break;
            case 8: row[std::size_t(x)] = index(p); break;
            case 24:
                row[std::size_t(3 * x)] = std::uint8_t(p);
                row[std::size_t(3 * x + 1)] = std::uint8_t(p >> 8);
                row[std::size_t(3 * x + 2)] = std::uint8_t(p >> 16);
                break;
            default:
                std::memcpy(&row[std::size_t(4 * x)], &p, 4); // Pixel is little-endian BGRX
                row[std::size_t(4 * x + 3)] = 0;
                break;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

BmpImage LoadBmpFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(std::strerror(errno));
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ReadBmp(bytes);
}

void SaveBmpFile(const std::string& path, const Bitmap& bitmap, int bitCount,
                 std::span<const Pixel> palette) {
    std::vector<std::uint8_t> bytes = WriteBmp(bitmap, bitCount, palette);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error(std::strerror(errno));
    }
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error(std::strerror(errno));
    }
}

} // namespace gfx
