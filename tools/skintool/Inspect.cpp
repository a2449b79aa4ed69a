#include "Inspect.h"

#include <cstdio>
#include <sstream>
#include <vector>

namespace skintool {

namespace {

std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

} // namespace

std::vector<ListedSection> ReadSectionList(const Skin& skin, const char* list) {
    qv::TqvSkinIni ini(skin.container.text);
    bool objects = std::string(list) == "SKINOBJECTS";
    std::vector<ListedSection> out;
    for (int i : qv::IniPresentIndexes(ini, list, ini.ReadInteger(list, "count", 0))) {
        ListedSection e;
        const std::string* entry = ini.FindValue(list, std::to_string(i));
        if (entry == nullptr || !qv::SplitSkinListEntry(*entry, e.name, e.kind)) {
            continue;
        }
        e.loaded = (objects ? skin.data.IndexOfFormObject(e.name) : skin.data.IndexOfControlSkin(e.name)) >=
                   0;
        out.push_back(std::move(e));
    }
    return out;
}

namespace {

struct PictureRow {
    std::string name;
    const ContainerPicture* pic;
};

std::vector<PictureRow> Pictures(const Container& c) {
    std::vector<PictureRow> rows{{"main", c.main ? &*c.main : nullptr},
                                 {"inactive", c.inactive ? &*c.inactive : nullptr},
                                 {"mask", c.mask ? &*c.mask : nullptr}};
    for (std::size_t i = 0; i < c.extras.size(); ++i) {
        rows.push_back({"extra " + std::to_string(i), &c.extras[i]});
    }
    return rows;
}

void Text(std::ostringstream& o, const Skin& skin, std::size_t inflated) {
    const Container& c = skin.container;
    o << "version " << c.version << "\ninflated " << inflated << " bytes\n";
    for (const auto& row : Pictures(c)) {
        o << "picture " << row.name << ": ";
        if (!row.pic) {
            o << "none\n";
            continue;
        }
        const auto& b = row.pic->image.bitmap;
        o << b.Width() << " x " << b.Height() << ", " << row.pic->image.bitCount << " bits, "
          << row.pic->length << " bytes\n";
    }
    o << "text " << c.text.size() << " bytes at offset " << c.textOffset << ", first line \""
      << FirstLine(c.text) << "\"\n";
    for (const char* list : {"SKINOBJECTS", "SKINCONTROLS"}) {
        for (const auto& e : ReadSectionList(skin, list)) {
            o << (std::string(list) == "SKINOBJECTS" ? "object " : "control ") << e.name << " " << e.kind
              << (e.loaded ? "" : " (unknown kind: the program skips it)") << "\n";
        }
    }
}

void Json(std::ostringstream& o, const Skin& skin, std::size_t inflated) {
    const Container& c = skin.container;
    o << "{\n  \"version\": " << c.version << ",\n  \"inflatedSize\": " << inflated << ",\n  \"pictures\": [";
    bool first = true;
    for (const auto& row : Pictures(c)) {
        o << (first ? "\n" : ",\n") << "    {\"name\": " << JsonString(row.name);
        first = false;
        if (row.pic) {
            const auto& b = row.pic->image.bitmap;
            o << ", \"width\": " << b.Width() << ", \"height\": " << b.Height()
              << ", \"bits\": " << row.pic->image.bitCount << ", \"bytes\": " << row.pic->length;
        } else {
            o << ", \"present\": false";
        }
        o << "}";
    }
    o << "\n  ],\n  \"text\": {\"bytes\": " << c.text.size() << ", \"offset\": " << c.textOffset
      << ", \"firstLine\": " << JsonString(FirstLine(c.text)) << "},\n";
    for (const char* list : {"SKINOBJECTS", "SKINCONTROLS"}) {
        o << "  " << (std::string(list) == "SKINOBJECTS" ? "\"objects\"" : "\"controls\"") << ": [";
        bool firstEntry = true;
        for (const auto& e : ReadSectionList(skin, list)) {
            o << (firstEntry ? "\n" : ",\n") << "    {\"name\": " << JsonString(e.name)
              << ", \"kind\": " << JsonString(e.kind) << ", \"loaded\": " << (e.loaded ? "true" : "false")
              << "}";
            firstEntry = false;
        }
        o << "\n  ]" << (std::string(list) == "SKINOBJECTS" ? ",\n" : "\n");
    }
    o << "}\n";
}
} // namespace

std::string DescribeSkin(const Skin& skin, std::size_t inflatedSize, bool json) {
    std::ostringstream o;
    json ? Json(o, skin, inflatedSize) : Text(o, skin, inflatedSize);
    return o.str();
}

} // namespace skintool
