#include "SkinIni.h"

#include "StoredSkin.h"

#include <cctype>
#include <cstdlib>

namespace skintool {

namespace {
std::string Lower(std::string s) {
    for (auto& c : s) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

// Spaces and control characters go at both ends.
std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') {
        ++b;
    }
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') {
        --e;
    }
    return s.substr(b, e - b);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string cur;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) {
        lines.push_back(cur);
    }
    return lines;
}

std::vector<int> ReadNumbers(const std::string& value, std::size_t wanted) {
    std::vector<int> out;
    std::size_t start = 0;
    while (out.size() < wanted) {
        std::size_t comma = value.find(',', start);
        std::string part = value.substr(start, comma == std::string::npos ? std::string::npos
                                                                           : comma - start);
        std::string digits;
        for (char c : part) {
            if (c >= '0' && c <= '9') {
                digits += c;
            }
        }
        if (digits.empty() || digits.size() > 9) {
            throw SkinError("'" + part + "' is not a valid integer value");
        }
        out.push_back(std::atoi(digits.c_str()));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (out.size() < wanted) {
        throw SkinError("'' is not a valid integer value");
    }
    return out;
}
} // namespace

IniText::IniText(const std::string& text) : lines_(SplitLines(text)) {
    std::map<std::string, std::string>* current = nullptr;
    for (const auto& raw : lines_) {
        std::string line = Trim(raw);
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            std::string name = Trim(line.substr(1, line.size() - 2));
            std::string key = Lower(name);
            if (!sections_.count(key)) {
                order_.push_back(name);
            }
            current = &sections_[key];
            current->clear();  // a repeated section replaces the earlier one
            continue;
        }
        auto eq = line.find('=');
        if (current && eq != std::string::npos) {
            (*current)[Lower(Trim(line.substr(0, eq)))] = Trim(line.substr(eq + 1));
        }
    }
}

bool IniText::HasSection(const std::string& section) const {
    return sections_.count(Lower(section)) != 0;
}

std::optional<std::string> IniText::Find(const std::string& section, const std::string& key) const {
    auto s = sections_.find(Lower(section));
    if (s == sections_.end()) {
        return std::nullopt;
    }
    auto k = s->second.find(Lower(key));
    if (k == s->second.end()) {
        return std::nullopt;
    }
    return k->second;
}

std::string IniText::ReadString(const std::string& section, const std::string& key,
                                const std::string& def) const {
    return Find(section, key).value_or(def);
}

long IniText::ReadInteger(const std::string& section, const std::string& key, long def) const {
    auto v = Find(section, key);
    if (!v || v->empty()) {
        return def;
    }
    std::string s = *v;
    int base = 10;
    std::size_t at = 0;
    bool negative = false;
    if (s[at] == '-' || s[at] == '+') {
        negative = s[at++] == '-';
    }
    if (s.compare(at, 1, "$") == 0) {
        base = 16;
        at += 1;
    } else if (s.compare(at, 2, "0x") == 0 || s.compare(at, 2, "0X") == 0) {
        base = 16;
        at += 2;
    }
    if (at >= s.size()) {
        return def;
    }
    char* end = nullptr;
    long n = std::strtol(s.c_str() + at, &end, base);
    if (*end != '\0' || (s[at] == '-' || s[at] == '+')) {
        return def;
    }
    return negative ? -n : n;
}

RECT IniText::ReadRect(const std::string& section, const std::string& key) const {
    auto v = Find(section, key);
    if (!v) {
        return RECT{0, 0, 0, 0};
    }
    auto n = ReadNumbers(*v, 4);
    return RECT{n[0], n[1], n[2], n[3]};
}

POINT IniText::ReadPoint(const std::string& section, const std::string& key) const {
    auto v = Find(section, key);
    if (!v) {
        return POINT{0, 0};
    }
    auto n = ReadNumbers(*v, 2);
    return POINT{n[0], n[1]};
}

std::vector<std::string> IniText::ReadNumberedList(const std::string& section,
                                                   const std::string& name) const {
    std::vector<std::string> items;
    long count = ReadInteger(section, name + "count", 0);
    if (count > kMaxListCount) {
        throw SkinError("[" + section + "] " + name + "count " + std::to_string(count) +
                        " is beyond any skin");
    }
    for (long i = 0; i < count; ++i) {
        items.push_back(ReadString(section, std::to_string(i), ""));
    }
    return items;
}

const std::map<std::string, std::string>* IniText::Keys(const std::string& section) const {
    auto s = sections_.find(Lower(section));
    return s == sections_.end() ? nullptr : &s->second;
}

std::vector<ListedSection> ReadSectionList(const IniText& ini, const std::string& list) {
    // Entries 0 .. count-1 in index order; walking the keys that exist instead of every index
    // keeps a huge count cheap (absent entries have no colon and are left out anyway).
    std::vector<ListedSection> out;
    long count = ini.ReadInteger(list, "count", 0);
    const auto* keys = ini.Keys(list);
    if (!keys || count <= 0) {
        return out;
    }
    std::map<long, std::string> entries;
    for (const auto& [key, value] : *keys) {
        if (key.empty() || key.size() > 9 ||
            key.find_first_not_of("0123456789") != std::string::npos ||
            (key.size() > 1 && key[0] == '0')) {
            continue;
        }
        long index = std::atol(key.c_str());
        if (index < count) {
            entries[index] = value;
        }
    }
    for (const auto& [index, entry] : entries) {
        auto colon = entry.find(':');
        if (colon != std::string::npos) {
            out.push_back({entry.substr(0, colon), entry.substr(colon + 1)});
        }
    }
    return out;
}

} // namespace skintool
