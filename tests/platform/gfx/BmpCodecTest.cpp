#include "platform/gfx/BmpCodec.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using gfx::Bitmap;
using gfx::BmpImage;
using gfx::EInvalidGraphic;
using gfx::Pixel;
using gfx::ReadBmp;
using gfx::WriteBmp;
using Bytes = std::vector<std::uint8_t>;

namespace {

void Put32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(std::uint8_t(v >> (8 * i)));
}
void Put16(Bytes& b, std::uint16_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}

// A BMP assembled by hand from its fields, so that the reader is checked against the format
// rather than against our own writer.
Bytes HandMade(int width, int height, int bits, std::uint32_t compression, const Bytes& table,
               const Bytes& pixels) {
    Bytes b{'B', 'M'};
    std::uint32_t off = 14 + 40 + std::uint32_t(table.size());
    Put32(b, off + std::uint32_t(pixels.size()));
    Put32(b, 0);
    Put32(b, off);
    Put32(b, 40);
    Put32(b, std::uint32_t(width));
    Put32(b, std::uint32_t(height));
    Put16(b, 1);
    Put16(b, std::uint16_t(bits));
    Put32(b, compression);
    Put32(b, std::uint32_t(pixels.size()));
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, bits <= 8 ? std::uint32_t(table.size() / 4) : 0);
    Put32(b, 0);
    b.insert(b.end(), table.begin(), table.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

Bitmap Sample(int w, int h, int colours) {
    static const Pixel kColours[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080,
                                     0x123456, 0xC0C0C0, 0x800000, 0x008000, 0x000080, 0x808000,
                                     0x800080, 0x008080, 0xFFFF00, 0x00FFFF};
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y,
                       colours <= 16 ? kColours[(x * 7 + y * 3) % colours]
                                     : Pixel((x * 37 + y * 101) * 2654435761u) & 0xFFFFFF);
    return b;
}

} // namespace

TEST(BmpCodec, ReadsHandMade24BitBottomUpWithRowPadding) {
    // 3 x 2: each row is 9 bytes padded to 12; the first stored row is the bottom one.
    Bytes px = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0, 0, 0,
                0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0, 0, 0};
    Bytes file = HandMade(3, 2, 24, 0, {}, px);
    std::size_t consumed = 0;
    BmpImage img = ReadBmp(file, &consumed);
    EXPECT_EQ(consumed, file.size());
    EXPECT_EQ(img.bitCount, 24);
    ASSERT_EQ(img.bitmap.Width(), 3);
    ASSERT_EQ(img.bitmap.Height(), 2);
    EXPECT_EQ(img.bitmap.GetPixel(0, 1), 0xFF0000u); // bytes are blue, green, red
    EXPECT_EQ(img.bitmap.GetPixel(1, 1), 0x00FF00u);
    EXPECT_EQ(img.bitmap.GetPixel(2, 1), 0x0000FFu);
    EXPECT_EQ(img.bitmap.GetPixel(0, 0), 0x332211u);
    EXPECT_EQ(img.bitmap.GetPixel(2, 0), 0x998877u);
}

TEST(BmpCodec, ReadsPalettedDepthsAndTopDownRows) {
    Bytes table = {0x00, 0x00, 0x00, 0, 0xFF, 0xFF, 0xFF, 0, 0x00, 0x00, 0xFF, 0};
    struct Case {
        int bits;
        int height;
        Bytes pixels;
    } cases[] = {
        // 1 bit, 10 x 1: bits 1010000011 (msb first), one padded row.
        {1, 1, {0xA0, 0xC0, 0, 0}},
        // 4 bits, 10 x 1: nibbles 1,0,1,0,0,0,0,0,1,1.
        {4, 1, {0x10, 0x10, 0x00, 0x00, 0x11, 0, 0, 0}},
        // 8 bits, top-down, 10 x 1.
        {8, -1, {1, 0, 1, 0, 0, 0, 0, 0, 1, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        BmpImage img = ReadBmp(HandMade(10, c.height, c.bits, 0, table, c.pixels));
        ASSERT_EQ(img.bitmap.Width(), 10);
        std::vector<Pixel> expect = {0xFFFFFF, 0, 0xFFFFFF, 0, 0, 0, 0, 0, 0xFFFFFF, 0xFFFFFF};
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(img.bitmap.GetPixel(x, 0), expect[x]) << x;
        // biClrUsed = 3, but a 1-bit picture can only address two entries.
        ASSERT_EQ(img.palette.size(), c.bits == 1 ? 2u : 3u);
        EXPECT_EQ(img.palette.back(), c.bits == 1 ? 0xFFFFFFu : 0xFF0000u);
    }
    // Two rows top-down: row 0 of the file is the top row.
    BmpImage td = ReadBmp(HandMade(1, -2, 8, 0, table, {2, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(td.bitmap.GetPixel(0, 0), 0xFF0000u);
    EXPECT_EQ(td.bitmap.GetPixel(0, 1), 0xFFFFFFu);
}

TEST(BmpCodec, DecodesRle8Rle4AndBitfields) {
    Bytes table = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0};
    // RLE8 4 x 2: bottom row = run of 3 x index 2 then absolute... use encoded run + literal.
    Bytes rle8 = {3, 2, 0, 0, /*eol*/ 0, 3, 1, 2, 1, 0 /*pad*/, 0, 1 /*eob*/};
    BmpImage a = ReadBmp(HandMade(4, 2, 8, 1, table, rle8));
    EXPECT_EQ(a.bitmap.GetPixel(0, 1), 0xFF0000u);
    EXPECT_EQ(a.bitmap.GetPixel(2, 1), 0xFF0000u);
    EXPECT_EQ(a.bitmap.GetPixel(3, 1), 0u); // not written by the stream: entry 0
    EXPECT_EQ(a.bitmap.GetPixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(a.bitmap.GetPixel(1, 0), 0xFF0000u);
    EXPECT_EQ(a.bitmap.GetPixel(2, 0), 0xFFFFFFu);

    // RLE4 4 x 1: a run of 4 alternating nibbles 2,1.
    BmpImage b = ReadBmp(HandMade(4, 1, 4, 2, table, {4, 0x21, 0, 1}));
    EXPECT_EQ(b.bitmap.GetPixel(0, 0), 0xFF0000u);
    EXPECT_EQ(b.bitmap.GetPixel(1, 0), 0xFFFFFFu);
    EXPECT_EQ(b.bitmap.GetPixel(2, 0), 0xFF0000u);

    // 16-bit 5-6-5 bit fields: pure red and pure green.
    Bytes masks;
    Put32(masks, 0xF800);
    Put32(masks, 0x07E0);
    Put32(masks, 0x001F);
    BmpImage c = ReadBmp(HandMade(2, 1, 16, 3, masks, {0x00, 0xF8, 0xE0, 0x07}));
    EXPECT_EQ(c.bitmap.GetPixel(0, 0), 0xFF0000u);
    EXPECT_EQ(c.bitmap.GetPixel(1, 0), 0x00FF00u);
}

TEST(BmpCodec, RoundTripsEveryWrittenDepthByteForByte) {
    struct Case {
        int bits;
        int colours;
    } cases[] = {{1, 2}, {4, 16}, {8, 200}, {24, 1 << 20}, {32, 1 << 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        // Odd widths exercise the row padding at every depth.
        Bitmap original = c.bits == 8 ? Sample(13, 5, 16) : Sample(13, 5, c.colours);
        Bytes first = WriteBmp(original, c.bits);
        std::size_t stride = ((13 * std::size_t(c.bits) + 31) / 32) * 4;
        std::size_t table = c.bits <= 8 ? (std::size_t(1) << c.bits) * 4 : 0;
        ASSERT_EQ(first.size(), 14 + 40 + table + stride * 5);
        std::size_t consumed = 0;
        BmpImage back = ReadBmp(first, &consumed);
        EXPECT_EQ(consumed, first.size());
        EXPECT_EQ(back.bitCount, c.bits);
        EXPECT_EQ(back.bitmap, original);
        EXPECT_EQ(WriteBmp(back), first);
    }
}

TEST(BmpCodec, WriterUsesGivenPaletteAndNearestColour) {
    Bitmap b(2, 1);
    b.SetPixel(0, 0, 0xF0F0F0); // nearest to white
    b.SetPixel(1, 0, 0x100000); // nearest to black
    std::vector<Pixel> palette = {0xFFFFFF, 0x000000};
    Bytes file = WriteBmp(b, 1, palette);
    EXPECT_EQ(file[54], 0xFF); // first table entry: white (blue byte)
    EXPECT_EQ(file[62], 0x40); // after the 2-entry table; pixel bits: index 0 then 1 -> 01xxxxxx
    BmpImage back = ReadBmp(file);
    EXPECT_EQ(back.bitmap.GetPixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(back.bitmap.GetPixel(1, 0), 0x000000u);
    EXPECT_THROW(WriteBmp(b, 1, std::vector<Pixel>(3)), std::invalid_argument);
    EXPECT_THROW(WriteBmp(b, 16), std::invalid_argument);
}

TEST(BmpCodec, ReadsBackToBackFilesByConsumedSize) {
    Bytes a = WriteBmp(Sample(3, 3, 2), 1);
    Bytes b = WriteBmp(Sample(5, 2, 16), 4);
    Bytes both = a;
    both.insert(both.end(), b.begin(), b.end());
    std::size_t used = 0;
    ReadBmp(both, &used);
    ASSERT_EQ(used, a.size());
    BmpImage second = ReadBmp(std::span(both).subspan(used), &used);
    EXPECT_EQ(used, b.size());
    EXPECT_EQ(second.bitmap, Sample(5, 2, 16));
}

TEST(BmpCodec, EveryTruncationIsRejected) {
    for (int bits : {1, 8, 24}) {
        Bytes file = WriteBmp(Sample(7, 3, 2), bits);
        for (std::size_t n = 0; n < file.size(); ++n) {
            Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(n));
            EXPECT_THROW(ReadBmp(cut), EInvalidGraphic) << bits << " bits, " << n << " bytes";
        }
    }
    try {
        ReadBmp(Bytes{'B', 'M'});
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
}

TEST(BmpCodec, CorruptHeadersAreRejected) {
    const Bytes good = WriteBmp(Sample(4, 4, 16), 4);
    auto patched = [&](std::size_t at, std::vector<std::uint8_t> bytes) {
        Bytes b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + std::ptrdiff_t(at));
        return b;
    };
    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"signature", patched(0, {'B', 'A'})},
        {"bfSize beyond the data", patched(2, {0xFF, 0xFF, 0, 0})},
        {"bfOffBits beyond bfSize", patched(10, {0xFF, 0xFF, 0, 0})},
        {"header size", patched(14, {41, 0, 0, 0})},
        {"planes", patched(26, {2, 0})},
        {"bit count", patched(28, {3, 0})},
        {"compression", patched(30, {9, 0, 0, 0})},
        {"RLE with a depth it cannot have", patched(30, {1, 0, 0, 0})},
        {"negative width", patched(18, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"rows beyond the file", patched(22, {40, 0, 0, 0})},
        {"huge picture", patched(18, {0, 0, 0, 0x40})},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(ReadBmp(c.file), EInvalidGraphic) << c.what;
    }
    // An RLE stream that runs out before its end marker.
    Bytes table = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
    // Size limits: 8192 pixels a side and 2^23 pixels in all, even when a few RLE bytes (here the
    // end-of-bitmap marker alone) are enough to describe the picture.
    const Bytes endOfBitmap = {0, 1};
    struct Size {
        int width, height;
        bool fits;
    } sizes[] = {{8192, 1, true},    {1, 8192, true},     {8193, 1, false},   {1, 8193, false},
                 {4096, 2048, true}, {4096, 2049, false}, {8192, 8192, false}};
    for (const Size& s : sizes) {
        Bytes file = HandMade(s.width, s.height, 8, 1, table, endOfBitmap);
        if (s.fits) {
            BmpImage image = ReadBmp(file);
            EXPECT_EQ(image.bitmap.Width(), s.width);
            EXPECT_EQ(image.bitmap.Height(), s.height);
        } else {
            EXPECT_THROW(ReadBmp(file), EInvalidGraphic) << s.width << " x " << s.height;
        }
    }
    EXPECT_THROW(ReadBmp(HandMade(4, 2, 8, 1, table, {4, 1, 0, 0})), EInvalidGraphic);
    EXPECT_THROW(ReadBmp(HandMade(4, 2, 8, 1, table, {0, 5, 1, 1})), EInvalidGraphic);
}

TEST(BmpCodec, SavesAndLoadsFilesByPath) {
    TempFolder dir;
    auto path = dir / "codec.bmp";
    Bitmap b = Sample(9, 4, 16);
    gfx::SaveBmpFile(path, b, 8);
    BmpImage back = gfx::LoadBmpFile(path);
    EXPECT_EQ(back.bitmap, b);
    EXPECT_EQ(back.bitCount, 8);
    std::filesystem::remove(path);
    EXPECT_THROW(gfx::LoadBmpFile(path), std::runtime_error);
}
