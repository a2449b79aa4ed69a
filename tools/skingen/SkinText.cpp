#include "SkinText.h"

namespace skingen {

Section& Section::Set(const std::string& key, const std::string& value) {
    for (auto& e : entries_) {
        if (e.first == key) {
            e.second = value;
            return *this;
        }
    }
    entries_.emplace_back(key, value);
    return *this;
}

Section& Section::Set(const std::string& key, const RECT& r) {
    return Set(key, std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                        std::to_string(r.right) + "," + std::to_string(r.bottom));
}

Section& Section::Set(const std::string& key, const POINT& p) {
    return Set(key, std::to_string(p.x) + "," + std::to_string(p.y));
}

Section& SkinText::operator[](const std::string& name) {
    for (auto& s : sections_) {
        if (s.Name() == name) {
            return s;
        }
    }
    sections_.emplace_back(name);
    return sections_.back();
}

void SkinText::ListObject(const std::string& name, const std::string& kind) {
    objects_.push_back(name + ":" + kind);
}

void SkinText::ListControl(const std::string& name, const std::string& kind) {
    controls_.push_back(name + ":" + kind);
}

std::string SkinText::Render() const {
    std::string out;
    auto line = [&out](const std::string& s) { out += s + "\r\n"; };
    auto list = [&](const std::string& name, const std::vector<std::string>& items) {
        line("[" + name + "]");
        line("count=" + std::to_string(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i) {
            line(std::to_string(i) + "=" + items[i]);
        }
        line("");
    };
    for (const auto& s : sections_) {
        line("[" + s.Name() + "]");
        for (const auto& [k, v] : s.Entries()) {
            line(k + "=" + v);
        }
        line("");
        // The two lists follow [SKINCOLORS], ahead of the sections they name.
        if (s.Name() == "SKINCOLORS") {
            list("SKINOBJECTS", objects_);
            list("SKINCONTROLS", controls_);
        }
    }
    return out;
}

} // namespace skingen
