// icongen: draws the program's icon into an icon-theme tree.
//
//   icongen OUTDIR           writes OUTDIR/hicolor/<n>x<n>/apps/iislog.png for every size
//   icongen --source FILE    writes the window icons as C++ source (assets/icons/AppIconData.cpp)
//   icongen --ico FILE       writes the Windows icon file (assets/icons/iislog.ico)
//
// Run by hand after a change to the drawing (`icongen <source>/assets/icons`); the output is
// deterministic and committed.

#include "Ico.h"
#include "Icon.h"
#include "Png.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::printf("Usage: icongen OUTDIR | --source FILE | --ico FILE\nDraws the program's icon into "
                    "OUTDIR/hicolor/<n>x<n>/apps/iislog.png,\nits window sizes as C++ source into FILE, or "
                    "the Windows icon file FILE.\n");
        return 0;
    }
    if (argc == 3 && (std::string(argv[1]) == "--source" || std::string(argv[1]) == "--ico")) {
        std::ofstream out(argv[2], std::ios::binary);
        out << (std::string(argv[1]) == "--ico" ? icongen::EncodeIco() : icongen::WindowIconSource());
        if (!out) {
            std::fprintf(stderr, "icongen: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "Usage: icongen OUTDIR | --source FILE | --ico FILE\n");
        return 2;
    }
    for (int size : icongen::kSizes) {
        std::string n = std::to_string(size);
        std::filesystem::path folder = std::filesystem::path(argv[1]) / "hicolor" / (n + "x" + n) / "apps";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        std::ofstream out(folder / "iislog.png", std::ios::binary);
        out << icongen::EncodePng(icongen::DrawIcon(size));
        if (!out) {
            std::fprintf(stderr, "icongen: cannot write %s\n", (folder / "iislog.png").string().c_str());
            return 1;
        }
    }
    return 0;
}
