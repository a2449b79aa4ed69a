// shellicons: draws the shell namespace's small icons and writes them as a C++ source of pixel
// rows. Each icon is drawn twice, over white and over black: a pixel that keeps the background
// in both is outside the icon (transparent in the mask); every other pixel is opaque and takes
// its colour from the drawing over white, the colour of the folder tree behind it.

#include "Paint.h"
#include "Theme.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

using namespace skingen;

namespace {

constexpr int kSize = 16;

// Colours of the icons beyond the skin theme: folders are amber so that they read as folders at
// a glance; machines and drives take the theme's accent and greys.
constexpr Pixel kFolder = Rgb(0xF6, 0xC6, 0x5B);
constexpr Pixel kFolderLight = Rgb(0xFB, 0xDC, 0x8E);
constexpr Pixel kFolderBack = Rgb(0xE4, 0xAA, 0x3A);
constexpr Pixel kFolderLine = Rgb(0xC0, 0x8A, 0x23);
constexpr Pixel kMetal = Rgb(0xD5, 0xDB, 0xE3);
constexpr Pixel kMetalDark = Rgb(0x7A, 0x86, 0x97);
constexpr Pixel kLed = Rgb(0x3C, 0xB3, 0x5F);

using Drawing = std::function<void(Painter&)>;

void File(Painter& p) {
    p.FillRect(3, 1, 13, 15, theme::kWindow);
    p.Triangle(10, 1, 13, 4, 10, 4, theme::kLine);
    p.VLine(3, 1, 15, theme::kLineStrong);
    p.VLine(12, 4, 15, theme::kLineStrong);
    p.HLine(3, 10, 1, theme::kLineStrong);
    p.HLine(3, 13, 14, theme::kLineStrong);
    p.Line(10, 1.5, 12.5, 4, 1, theme::kLineStrong);
    for (int y : {6, 8, 10, 12})
        p.HLine(5, y == 12 ? 9 : 11, y, theme::kLine);
}

void FolderBody(Painter& p) {
    p.FillRoundRect({1, 3, 7, 6}, Radii{1, 1, 0, 0}, Solid(kFolderBack));
    p.FillRoundRect({1, 4, 15, 14}, 1.5, kFolderLine);
    p.FillRoundRect({2, 5, 14, 13}, 1, kFolder);
    p.HLine(2, 14, 5, kFolderLight);
}

void Folder(Painter& p) { FolderBody(p); }

void FolderOpen(Painter& p) {
    p.FillRoundRect({1, 3, 7, 6}, Radii{1, 1, 0, 0}, Solid(kFolderBack));
    p.FillRoundRect({1, 4, 13, 14}, 1.5, kFolderLine);
    p.FillRect(2, 5, 12, 13, kFolderBack);
    p.FillRect(3, 6, 11, 9, theme::kWindow); // a sheet inside
    // The front flap, tilted open.
    p.Triangle(3, 8, 16, 8, 13, 14, kFolderLine);
    p.Triangle(3, 8, 13, 14, 1, 14, kFolderLine);
    p.Triangle(4, 9, 14.6, 9, 12.4, 13, kFolderLight);
    p.Triangle(4, 9, 12.4, 13, 2.4, 13, kFolderLight);
}

void Screen(Painter& p, int bottom) {
    p.FillRoundRect({1, 2, 15, double(bottom)}, 1.5, theme::kTextMuted);
    p.FillRect(2, 3, 14, bottom - 1, VGradient(3, bottom - 1, theme::kAccentLine, theme::kAccent));
}

void Desktop(Painter& p) {
    Screen(p, 13);
    for (int y : {4, 8}) {
        p.FillRect(3, y, 5, y + 2, theme::kWindow);
    }
    p.FillRect(2, 11, 14, 12, theme::kAccentDark); // the task bar
    p.FillRect(6, 13, 10, 14, theme::kTextMuted);
    p.FillRect(4, 14, 12, 15, theme::kTextMuted);
}

void Computer(Painter& p) {
    Screen(p, 12);
    p.Line(4, 5, 6, 4, 1, theme::kAccentTint); // a glint on the glass
    p.FillRect(7, 12, 9, 14, theme::kTextMuted);
    p.FillRoundRect({3, 13.5, 13, 15}, 0.7, theme::kTextMuted);
}

void DriveBody(Painter& p, double top, double bottom) {
    p.FillRoundRect({1, top, 15, bottom}, 1.5, kMetalDark);
    p.FillRoundRect({2, top + 1, 14, bottom - 1}, 1, kMetal);
    p.HLine(2, 14, int(top) + 1, theme::kFaceHigh);
}

void Disk(Painter& p) {
    DriveBody(p, 5, 12);
    p.FillRect(11, 9, 13, 10, kLed);
    p.HLine(3, 9, 9, kMetalDark);
}

void Removable(Painter& p) {
    // A memory stick: the connector at the right, the body with a light.
    p.FillRect(11, 6, 15, 11, kMetalDark);
    p.FillRect(12, 7, 14, 10, kMetal);
    p.FillRoundRect({1, 4, 12, 13}, 1.5, theme::kAccentDark);
    p.FillRoundRect({2, 5, 11, 12}, 1, theme::kAccent);
    p.FillRect(3, 8, 5, 9, kLed);
}

void Network(Painter& p) {
    DriveBody(p, 1, 8);
    p.FillRect(11, 4, 13, 5, kLed);
    p.VLine(8, 8, 12, theme::kTextMuted);
    p.HLine(2, 15, 12, theme::kTextMuted);
    p.FillRect(6, 11, 11, 15, theme::kTextMuted); // the plug on the wire
    p.FillRect(7, 12, 10, 14, theme::kAccentLine);
}

void Home(Painter& p) {
    p.FillRect(3, 8, 13, 15, theme::kTextMuted);
    p.FillRect(4, 8, 12, 14, theme::kWindow);
    p.FillRect(7, 10, 9, 14, theme::kAccent); // the door
    p.Triangle(0.5, 8.5, 8, 1.2, 15.5, 8.5, theme::kAccentDark);
    p.Triangle(2.8, 8, 8, 2.9, 13.2, 8, theme::kAccent);
    p.FillRect(11, 2, 13, 5, theme::kAccentDark); // chimney
}

// In the order of the system image list (ShellIcon in ShellFolder.h).
const std::vector<std::pair<const char*, Drawing>> kIcons = {
    {"file", File},         {"folder", Folder}, {"open folder", FolderOpen},   {"desktop", Desktop},
    {"computer", Computer}, {"disk", Disk},     {"removable disk", Removable}, {"network drive", Network},
    {"home", Home},
};

// ARGB rows: alpha 0xFF for the icon's pixels, 0 for transparent ones.
std::vector<std::uint32_t> Render(const Drawing& draw) {
    gfx::Bitmap overWhite(kSize, kSize, Rgb(255, 255, 255));
    gfx::Bitmap overBlack(kSize, kSize, Rgb(0, 0, 0));
    Painter white(overWhite), black(overBlack);
    draw(white);
    draw(black);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            bool outside = overWhite.GetPixel(x, y) == Rgb(255, 255, 255) &&
                           overBlack.GetPixel(x, y) == Rgb(0, 0, 0);
            pixels.push_back(outside ? 0 : 0xFF000000u | (overWhite.GetPixel(x, y) & 0xFFFFFF));
        }
    return pixels;
}

std::string Source() {
    std::ostringstream out;
    out << "// Generated by tools/shellicons from its drawings; run shellicons to change it, never edit.\n"
           "#include \"platform/shell/ShellIcons.h\"\n\n"
           "// "
        << kIcons.size() << " icons of " << kSize << " x " << kSize
        << " pixels, rows top down, 0xAARRGGBB; alpha 0 marks a transparent pixel.\n"
           "const std::uint32_t kShellIconPixels[kShellIconImages][kShellIconSize * kShellIconSize] = {\n";
    for (const auto& [name, draw] : kIcons) {
        out << "    { // " << name << "\n";
        std::vector<std::uint32_t> pixels = Render(draw);
        for (int y = 0; y < kSize; ++y) {
            out << "       ";
            for (int x = 0; x < kSize; ++x)
                out << " 0x" << std::hex << std::setw(8) << std::setfill('0') << std::uppercase
                    << pixels[y * kSize + x] << std::dec << ",";
            out << "\n";
        }
        out << "    },\n";
    }
    out << "};\n";
    return out.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: shellicons OUTPUT.cpp\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << Source();
    if (!out) {
        std::fprintf(stderr, "shellicons: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
