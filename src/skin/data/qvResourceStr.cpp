#include "skin/data/qvResourceStr.h"

#include <array>
#include <string_view>

namespace qv {

namespace {

constexpr std::array<std::string_view, 20> kBuiltInTexts{
    "CLOSEBUTTON_HINT=Close",
    "MAXBUTTON_HINT=Maximize",
    "MINBUTTON_HINT=Minimize",
    "MENUBUTTON_HINT=System menu",
    "ROLLUPBUTTON_HINT=Roll Up",
    "TRAYBUTTON_HINT=Minimize to Tray",
    "MI_MINCAPTION=Mi&nimize",
    "MI_MAXCAPTION=Ma&ximize",
    "MI_RESTORECAPTION=&Restore",
    "MI_ROLLUPCAPTION=Ro&llUp",
    "MI_MINTOTRAYCAPTION=Minimize to &Tray",
    "MI_CLOSECAPTION=&Close",
    "EDIT_UNDO=Undo",
    "EDIT_CUT=Cut",
    "EDIT_COPY=Copy",
    "EDIT_PASTE=Paste",
    "EDIT_DELETE=Delete",
    "EDIT_SELECTALL=Select All",
    "MSG_BTN_NEWFOLDER_HINT=Create New Folder",
    "MSG_NEWFOLDER=New Folder",
};
constexpr std::array<std::string_view, 2> kBuiltInButtons{"MSG_BTN_OK=OK", "MSG_BTN_CANCEL=Cancel"};

bool SameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'a' && a[i] <= 'z' ? char(a[i] - 32) : a[i];
        char y = b[i] >= 'a' && b[i] <= 'z' ? char(b[i] - 32) : b[i];
        if (x != y) {
            return false;
        }
    }
    return true;
}

} // namespace

TqvResourceStrData::TqvResourceStrData(vcl::TComponent* owner) : vcl::TComponent(owner) {
    for (std::string_view line : kBuiltInTexts) {
        resStrings_.Add(std::string(line));
    }
    for (std::string_view line : kBuiltInButtons) {
        resStrings_.Add(std::string(line));
    }
}

std::string TqvResourceStrData::GetResStr(const std::string& key) const {
    for (int i = 0; i < resStrings_.Count(); ++i) {
        std::string line = resStrings_.Get(i);
        std::size_t eq = line.find('=');
        if (eq != std::string::npos && SameKey(std::string_view(line).substr(0, eq), key)) {
            return line.substr(eq + 1);
        }
    }
    return "";
}

} // namespace qv
