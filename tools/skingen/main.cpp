// skingen: draws the program's skin (pictures and description text) into a folder.
//
//   skingen OUTDIR
//
// The output is deterministic, so regenerating an unchanged generator leaves the committed files
// byte for byte as they are.

#include "Generator.h"
#include "Theme.h"
#include "Widgets.h"

#include "platform/gfx/BmpCodec.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>

namespace skingen {

namespace {

void WriteGlobalSections(SkinText& text, const SkinPictures& pics) {
    qv::TqvSkinData& d = text.Data();
    d.skinname = "Clear Light";
    d.skinauthor = "IIS log tool team";
    d.skincomments = "A light theme with one accent colour, drawn by tools/skingen.";
    d.MainPictureName = pics.main.file;
    d.MaskPictureName = pics.mask.file;
    for (const Picture& extra : pics.extras) {
        d.ExtraPictureNames.push_back(extra.file);
    }
}

void WriteColours(SkinText& text) {
    using namespace theme;
    qv::TqvSkinColors& c = text.Data().Colors;
    c.cbtnface = SkinColour(kFace);
    c.cbtntext = SkinColour(kText);
    c.cwindow = SkinColour(kWindow);
    c.cwindowtext = SkinColour(kText);
    c.chighlight = SkinColour(kAccent);
    c.chighlighttext = SkinColour(Rgb(0xFF, 0xFF, 0xFF));
    c.cbtnhighlight = SkinColour(Rgb(0xFF, 0xFF, 0xFF));
    c.cbtnshadow = SkinColour(kLine);
}

void Save(const std::string& dir, const Picture& pic) {
    gfx::SaveBmpFile(dir + "/" + pic.file, pic.bitmap, pic.bits);
}

void Generate(const std::string& dir) {
    SkinPictures pics;
    SkinText text;
    BuildFrame(pics, text);
    BuildMenus(pics, text);
    BuildControls(pics, text);
    BuildSecondary(pics, text);
    BuildMoreControls(pics, text);
    WriteGlobalSections(text, pics);
    WriteColours(text);

    Save(dir, pics.main);
    Save(dir, pics.mask);
    for (const auto& pic : pics.extras) {
        Save(dir, pic);
    }
    std::ofstream out(dir + "/skin.ini", std::ios::binary);
    std::string body = text.Render();
    out.write(body.data(), std::streamsize(body.size()));
    if (!out) {
        throw std::runtime_error("Cannot write " + dir + "/skin.ini");
    }
}
} // namespace
} // namespace skingen

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen OUTDIR\n");
        return 2;
    }
    try {
        skingen::Generate(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
