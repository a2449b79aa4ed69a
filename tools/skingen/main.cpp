// skingen: draws the program's skin (pictures and description text) into a folder.
//
//   skingen OUTDIR
//
// The output is deterministic, so regenerating an unchanged generator leaves the committed files
// byte for byte as they are.

#include "Generator.h"
#include "Theme.h"

#include "platform/gfx/BmpCodec.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>

namespace skingen {

namespace {

// The control sections in list order with their kinds.
const char* const kControls[][2] = {
    {"button", "button"}, {"toolpanel", "panel"}, {"toolbutton", "button"},
    {"checkbox", "checkradio"}, {"gauge", "gauge"}, {"vgauge", "gauge"},
    {"radiobox", "checkradio"}, {"panel", "panel"}, {"label", "label"},
    {"trackbar", "trackbar"}, {"htrackbar", "trackbar"}, {"grid", "grid"}, {"tab", "tab"},
    {"edit", "edit"}, {"memo", "memo"}, {"hscrollbar", "scrollbar"},
    {"vscrollbar", "scrollbar"}, {"listbox", "listbox"}, {"combobox", "combobox"},
    {"checklistbox", "checklistbox"}, {"spinedit", "spinedit"}, {"groupbox", "panel"},
    {"stdlabel", "stdlabel"}, {"statuspanel", "label"}, {"statusbar", "panel"},
    {"buttonedit", "edit"}, {"vupdown", "updown"}, {"hupdown", "updown"},
    {"captionlistbox", "listbox"}, {"captionchecklistbox", "checklistbox"},
    {"captioncombobox", "combobox"}, {"controlbar", "controlbar"},
    {"mainmenubar", "mainmenubar"}, {"vsplitter", "splitter"}, {"hsplitter", "splitter"},
    {"resizebutton", "button"}, {"bothhscrollbar", "scrollbar"}, {"bigtoolpanel", "panel"},
    {"bigtoolbutton", "button"}, {"toolmenubutton", "menubutton"},
    {"toolmenutrackbutton", "menubutton"}, {"bigtoolmenubutton", "menubutton"},
    {"bigtoolmenutrackbutton", "menubutton"}, {"scrollbox", "scrollbox"},
    {"listview", "listview"}, {"treeview", "treeview"}, {"statusgauge", "gauge"},
    {"richedit", "richedit"}, {"expanel", "expanel"}, {"slider", "slider"},
    {"bevel", "bevel"}, {"statusedit", "edit"}, {"statusbuttonedit", "edit"},
    {"statusspinedit", "spinedit"}, {"statuscombobox", "combobox"},
    {"toolcombobox", "combobox"}, {"toolspinedit", "spinedit"}, {"tooledit", "edit"},
    {"toolbuttonedit", "edit"}, {"resizetoolpanel", "panel"}, {"resizetoolbutton", "button"},
    {"combobutton", "button"}, {"vtracktoolbutton", "button"}, {"htracktoolbutton", "button"},
};

void WriteGlobalSections(SkinText& text, const SkinPictures& pics) {
    text["VERSION"]
        .Set("skinname", "Clear Light")
        .Set("skinauthor", "IIS log tool team")
        .Set("authoremail", "")
        .Set("authorurl", "")
        .Set("skincomments", "A light theme with one accent colour, drawn by tools/skingen.");
    Section& p = text["PICTURES"];
    p.Set("picture", pics.main.file).Set("inactivepicture", "").Set("mask", pics.mask.file)
        .Set("activepicturescount", int(pics.extras.size()));
    for (std::size_t i = 0; i < pics.extras.size(); ++i) {
        p.Set(std::to_string(i), pics.extras[i].file);
    }
}

void WriteColours(SkinText& text) {
    using namespace theme;
    text["SKINCOLORS"]
        .Set("cbtnface", ColorRef(kFace))
        .Set("cbtntext", ColorRef(kText))
        .Set("cwindow", ColorRef(kWindow))
        .Set("cwindowtext", ColorRef(kText))
        .Set("chighlight", ColorRef(kAccent))
        .Set("chighlighttext", ColorRef(Rgb(0xFF, 0xFF, 0xFF)))
        .Set("cbtnhighlight", ColorRef(Rgb(0xFF, 0xFF, 0xFF)))
        .Set("cbtnshadow", ColorRef(kLine));
}

void ListControls(SkinText& text) {
    for (const auto& c : kControls) {
        // Every listed section is written by some builder; a missing one is a generator fault.
        const Section& s = text[c[0]];
        if (s.Entries().empty()) {
            throw std::logic_error(std::string("no keys written for section ") + c[0]);
        }
        text.ListControl(c[0], c[1]);
    }
}

void Save(const std::string& dir, const Picture& pic) {
    gfx::SaveBmpFile(dir + "/" + pic.file, pic.bitmap, pic.bits);
}

void Generate(const std::string& dir) {
    SkinPictures pics;
    SkinText text;
    // Section order of the text: the global sections first, then the objects and controls.
    for (const char* name :
         {"VERSION", "PICTURES", "FORMINFO", "POPUPWINDOW", "HINTWINDOW", "SKINCOLORS"}) {
        text[name];
    }
    BuildFrame(pics, text);
    BuildMenus(pics, text);
    text.ListObject("traybutton", "stdbutton");
    BuildControls(pics, text);
    BuildSecondary(pics, text);
    BuildMoreControls(pics, text);
    WriteGlobalSections(text, pics);
    WriteColours(text);
    ListControls(text);

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
