#include "Icon.h"
#include "Png.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string Committed(int size) {
    std::string n = std::to_string(size);
    std::ifstream in(std::string(IISLOG_SOURCE_DIR) + "/assets/icons/hicolor/" + n + "x" + n + "/apps/iislog.png",
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
