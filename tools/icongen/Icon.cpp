#include "Icon.h"

#include "../skingen/Paint.h"
#include "../skingen/Theme.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace icongen {
namespace {

using skingen::Box;
using skingen::Painter;
using skingen::Pixel;
namespace theme = skingen::theme;

// The layout on a 48-pixel grid; every coordinate is multiplied by size / 48.
void Paint(Painter& p, double size) {
    const double k = size / 48.0;
    auto s = [k](double v) { return v * k; };
    // The tile: accent gradient, a darker rim for contrast on light panels.
    // Its edges sit on whole pixels, so the small sizes get a crisp outline.
    double inset = std::max(1.0, std::round(s(2)));
    Box tile{inset, inset, size - inset, size - inset};
    int top = int(inset), bottom = int(size - inset);
    p.FillRoundRect(tile, skingen::Radii::All(s(9)),
                    skingen::VGradient(top, bottom, skingen::Rgb(0x4A, 0x86, 0xE8), theme::kAccentDark));
    p.StrokeRoundRect(tile, skingen::Radii::All(s(9)), theme::kAccentDark, std::max(1.0, s(1)));
    // The log sheet with its folded corner.
    Box sheet{s(11), s(8), s(33), s(38)};
    p.FillRoundRect(sheet, skingen::Radii{s(2), s(7), s(2), s(2)}, skingen::Solid(theme::kWindow));
    p.Triangle(s(26), s(8), s(33), s(15), s(26), s(15), theme::kAccentTint2);
    // Log lines; the small sizes keep three, the large ones show more.
    int lines = size >= 32 ? 5 : 3;
    double step = 20.0 / lines;
    for (int i = 0; i < lines; ++i) {
        double y = 16 + i * step;
        double right = i % 2 == 0 ? 29 : 25;
        p.Line(s(15), s(y), s(right), s(y), std::max(1.0, s(1.6)), theme::kLine);
    }
    // The magnifying glass: a tinted lens with a white rim, and a handle.
    double cx = 31, cy = 30, r = 8.5;
    p.Line(s(cx + 5.5), s(cy + 5.5), s(41), s(41), std::max(1.6, s(4.2)), theme::kWindow);
    p.FillCircle(s(cx), s(cy), s(r), theme::kWindow);
    p.FillCircle(s(cx), s(cy), s(r - 2.4), theme::kAccent);
    p.FillCircle(s(cx), s(cy), s(r - 3.6), theme::kAccentTint);
}

} // namespace

Image DrawIcon(int size) {
    // Coverage comes from drawing twice, over black and over white: where a pixel differs, the
    // shapes covered it only in part, and the difference gives its alpha.
    gfx::Bitmap onBlack(size, size, skingen::Rgb(0, 0, 0));
    gfx::Bitmap onWhite(size, size, skingen::Rgb(255, 255, 255));
    Painter black(onBlack), white(onWhite);
    Paint(black, size);
    Paint(white, size);

    Image image{size, size, {}};
    image.Pixels.reserve(std::size_t(size) * std::size_t(size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Pixel b = onBlack.GetPixel(x, y), w = onWhite.GetPixel(x, y);
            auto channel = [](Pixel p, int shift) { return int((p >> shift) & 0xFF); };
            // alpha = 1 - (white - black) / 255, averaged over the channels.
            int spread = 0;
            for (int shift : {16, 8, 0})
                spread += channel(w, shift) - channel(b, shift);
            int alpha = std::clamp(255 - int(std::lround(spread / 3.0)), 0, 255);
            auto colour = [&](int shift) {
                return alpha == 0 ? 0
                                  : std::clamp(int(std::lround(channel(b, shift) * 255.0 / alpha)), 0, 255);
            };
            image.Pixels.push_back(Rgba{std::uint8_t(colour(16)), std::uint8_t(colour(8)),
                                        std::uint8_t(colour(0)), std::uint8_t(alpha)});
        }
    }
    return image;
}

std::string WindowIconSource() {
    std::string out =
        "// The program's window icons, written by tools/icongen (icongen --source): do not edit.\n"
        "#include \"AppIcon.h\"\n\nnamespace {\n";
    char word[16];
    for (int size : kWindowSizes) {
        const Image image = DrawIcon(size);
        out += "const std::uint32_t kIcon" + std::to_string(size) + "[] = {";
        for (std::size_t i = 0; i < image.Pixels.size(); ++i) {
            const Rgba& p = image.Pixels[i];
            std::snprintf(word, sizeof word, "0x%02x%02x%02x%02x,", p.a, p.r, p.g, p.b);
            out += (i % 8 == 0 ? "\n    " : " ") + std::string(word);
        }
        out += "\n};\n";
    }
    out += "} // namespace\n\nconst AppIconPicture kAppIcons[kAppIconCount] = {";
    for (int size : kWindowSizes)
        out += "{" + std::to_string(size) + ", kIcon" + std::to_string(size) + "}, ";
    out.resize(out.size() - 2);
    out += "};\n";
    return out;
}

} // namespace icongen
