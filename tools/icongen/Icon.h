#pragma once
// The program's icon, drawn in the skin's colours: a rounded accent tile holding a white log sheet
// and a magnifying glass. Sizes are drawn from one layout scaled to the size, not from one picture
// scaled down, so the small sizes stay sharp.

#include "platform/gfx/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace icongen {

// One RGBA pixel, straight (not premultiplied) alpha.
struct Rgba {
    std::uint8_t r, g, b, a;
};

struct Image {
    int Width = 0, Height = 0;
    std::vector<Rgba> Pixels; // rows top to bottom
};

// The icon at size x size pixels with a transparent surround.
Image DrawIcon(int size);

// The sizes installed into the icon theme.
constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};
// The sizes the program's windows carry (ICON_SMALL, ICON_BIG).
constexpr int kWindowSizes[] = {16, 32};

// C++ source defining kAppIcons (assets/icons/AppIcon.h): the window sizes as 0xAARRGGBB words.
std::string WindowIconSource();

} // namespace icongen
