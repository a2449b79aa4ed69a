#include "Icon.h"
#include "Ico.h"
#include "Png.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string Committed(int size) {
    std::string n = std::to_string(size);
    std::ifstream in(std::string(IISLOG_SOURCE_DIR) + "/assets/icons/hicolor/" + n + "x" + n +
                         "/apps/iislog.png",
                     std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

const icongen::Rgba& At(const icongen::Image& image, int x, int y) {
    return image.Pixels[std::size_t(y) * std::size_t(image.Width) + std::size_t(x)];
}

TEST(Icon, CommittedFilesAreWhatTheGeneratorDraws) {
    for (int size : icongen::kSizes)
        EXPECT_TRUE(icongen::EncodePng(icongen::DrawIcon(size)) == Committed(size))
            << size << ": run icongen assets/icons after changing the drawing";
}

TEST(Icon, ARoundedTileOnATransparentSurround) {
    for (int size : icongen::kSizes) {
        icongen::Image icon = icongen::DrawIcon(size);
        ASSERT_EQ(icon.Pixels.size(), std::size_t(size) * std::size_t(size));
        // Corners are outside the rounded tile.
        for (auto [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
            EXPECT_EQ(At(icon, x, y).a, 0) << size << " at " << x << "," << y;
        // The tile's edge, left of the sheet, is opaque and blue (the skin's accent family).
        const icongen::Rgba& tile = At(icon, size * 6 / 48, size / 2);
        EXPECT_EQ(tile.a, 255) << size;
        EXPECT_GT(tile.b, tile.r + 60) << size;
        // The sheet above the lens is white.
        const icongen::Rgba& sheet = At(icon, size * 14 / 48, size * 11 / 48);
        EXPECT_EQ(sheet.a, 255) << size;
        EXPECT_GE(std::min({sheet.r, sheet.g, sheet.b}), 0xF0) << size;
    }
}

TEST(Icon, PngHeaderCarriesTheSize) {
    std::string png = icongen::EncodePng(icongen::DrawIcon(48));
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x30\0\0\0\x30", 8));
    EXPECT_EQ(png.substr(24, 2), std::string("\x08\x06", 2)); // 8-bit RGBA
    EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
}

} // namespace

TEST(Icon, CommittedWindowIconSourceIsWhatTheGeneratorDraws) {
    std::ifstream in(std::string(IISLOG_SOURCE_DIR) + "/assets/icons/AppIconData.cpp", std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    EXPECT_TRUE(all.str() == icongen::WindowIconSource())
        << "run icongen --source assets/icons/AppIconData.cpp after changing the drawing";
}

namespace {

std::uint32_t Le(const std::string& s, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | std::uint8_t(s[at + std::size_t(i)]);
    return v;
}

} // namespace

TEST(Icon, CommittedIconFileIsWhatTheGeneratorDraws) {
    std::ifstream in(std::string(IISLOG_SOURCE_DIR) + "/assets/icons/iislog.ico", std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    EXPECT_TRUE(all.str() == icongen::EncodeIco())
        << "run icongen --ico assets/icons/iislog.ico after changing the drawing";
}

// The directory names every size with the place of its picture; the small pictures are DIBs whose
// header height counts the mask too, whose colours are the drawing's (bottom row first) and whose
// mask marks the transparent corners; the 256-pixel one is the PNG of the drawing.
TEST(Icon, IconFileHoldsEverySizeWhereItsDirectorySays) {
    const std::string ico = icongen::EncodeIco();
    constexpr std::size_t kCount = std::size(icongen::kIcoSizes);
    ASSERT_GE(ico.size(), 6 + 16 * kCount);
    EXPECT_EQ(Le(ico, 0, 2), 0u);
    EXPECT_EQ(Le(ico, 2, 2), 1u);
    ASSERT_EQ(Le(ico, 4, 2), kCount);
    std::size_t expectedOffset = 6 + 16 * kCount;
    for (std::size_t i = 0; i < kCount; ++i) {
        const int size = icongen::kIcoSizes[i];
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(Le(ico, entry, 1), std::uint32_t(size % 256)) << size;
        EXPECT_EQ(Le(ico, entry + 1, 1), std::uint32_t(size % 256)) << size;
        EXPECT_EQ(Le(ico, entry + 6, 2), 32u) << size;
        const std::uint32_t length = Le(ico, entry + 8, 4), offset = Le(ico, entry + 12, 4);
        ASSERT_EQ(offset, expectedOffset) << size;
        ASSERT_LE(std::size_t(offset) + length, ico.size()) << size;
        expectedOffset += length;
        const std::string data = ico.substr(offset, length);
        const icongen::Image image = icongen::DrawIcon(size);
        if (size >= 256) {
            EXPECT_TRUE(data == icongen::EncodePng(image)) << size;
            continue;
        }
        const std::uint32_t maskStride = (std::uint32_t(size) + 31) / 32 * 4;
        ASSERT_EQ(length, 40 + std::uint32_t(size * size * 4) + maskStride * std::uint32_t(size)) << size;
        EXPECT_EQ(Le(data, 0, 4), 40u);
        EXPECT_EQ(Le(data, 4, 4), std::uint32_t(size));
        EXPECT_EQ(Le(data, 8, 4), std::uint32_t(2 * size));
        EXPECT_EQ(Le(data, 14, 2), 32u);
        // The top left pixel of the drawing is the first of the last colour row.
        const icongen::Rgba &topLeft = At(image, 0, 0), centre = At(image, size / 2, size / 2);
        const std::size_t lastRow = 40 + std::size_t(size - 1) * std::size_t(size) * 4;
        EXPECT_EQ(Le(data, lastRow, 4), std::uint32_t(topLeft.a) << 24 | std::uint32_t(topLeft.r) << 16 |
                                            std::uint32_t(topLeft.g) << 8 | topLeft.b);
        const std::size_t mid =
            40 + (std::size_t(size - 1 - size / 2) * std::size_t(size) + std::size_t(size / 2)) * 4;
        EXPECT_EQ(Le(data, mid, 4), std::uint32_t(centre.a) << 24 | std::uint32_t(centre.r) << 16 |
                                        std::uint32_t(centre.g) << 8 | centre.b);
        // The mask: the transparent corner is set, the opaque centre is clear.
        const std::size_t mask = 40 + std::size_t(size * size * 4);
        const auto maskBit = [&](int x, int y) {
            return (std::uint8_t(data[mask + std::size_t(size - 1 - y) * maskStride + std::size_t(x / 8)]) >>
                    (7 - x % 8)) &
                   1;
        };
        EXPECT_EQ(maskBit(0, 0), 1) << size;
        EXPECT_EQ(maskBit(size / 2, size / 2), 0) << size;
    }
    EXPECT_EQ(expectedOffset, ico.size());
}
