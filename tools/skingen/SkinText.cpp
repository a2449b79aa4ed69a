#include "SkinText.h"

#include "skin/data/qvSkinIni.h"

namespace skingen {

namespace {

// The frame objects and the controls in list order with their kinds.
// clang-format off
const char* const kObjects[][2] = {
    {"closebutton", "stdbutton"}, {"maxbutton", "stdbutton"}, {"minbutton", "stdbutton"},
    {"rollupbutton", "stdbutton"}, {"sysmenubutton", "stdbutton"}, {"caption", "caption"},
    {"menuitem", "menuitem"}, {"mainmenubaritem", "mainmenubaritem"},
    {"menubarsysmenubutton", "mainmenubarbutton"}, {"menubarclosebutton", "mainmenubarbutton"},
    {"menubarmaxbutton", "mainmenubarbutton"}, {"menubarminbutton", "mainmenubarbutton"},
    {"traybutton", "stdbutton"},
};

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
// clang-format on

template <class R>
R& Find(std::vector<std::unique_ptr<R>>& records, const std::string& name) {
    for (auto& record : records) {
        if (record->SectionName == name) {
            return *record;
        }
    }
    throw std::logic_error("section " + name + " is not listed");
}

// A blank line before every section but the first, so the committed text reads easily.
std::string SpacedSections(const std::string& text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        end = end == std::string::npos ? text.size() : end + 2;
        if (text[pos] == '[' && pos > 0) {
            out += "\r\n";
        }
        out.append(text, pos, end - pos);
        pos = end;
    }
    return out;
}

} // namespace

SkinText::SkinText() {
    for (const auto& o : kObjects) {
        data_.FormObjects.push_back(qv::CreateFormObject(o[1], o[0]));
    }
    for (const auto& c : kControls) {
        data_.ControlSkins.push_back(qv::CreateControlSkin(c[1], c[0]));
    }
}

qv::TqvDataSkinObject& SkinText::FindObject(const std::string& name) {
    filled_.insert(name);
    return Find(data_.FormObjects, name);
}

qv::TqvDataSkinControl& SkinText::FindControl(const std::string& name) {
    filled_.insert(name);
    return Find(data_.ControlSkins, name);
}

std::string SkinText::Render() {
    // A listed record no builder filled would go out with every key at its default.
    auto requireFilled = [this](const auto& table) {
        for (const auto& entry : table) {
            if (filled_.count(entry[0]) == 0) {
                throw std::logic_error(std::string("no builder fills section ") + entry[0]);
            }
        }
    };
    requireFilled(kObjects);
    requireFilled(kControls);
    qv::TqvSkinIni ini;
    data_.SaveToSkinText(ini);
    return SpacedSections(ini.Text());
}

} // namespace skingen
