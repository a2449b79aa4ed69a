#include "skin/data/qvSkinIni.h"

#include "framework/Exceptions.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace qv {

namespace {

bool IsTrimmed(unsigned char c) {
    return c <= ' ';
}

std::string_view Trim(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsTrimmed(static_cast<unsigned char>(s[b]))) {
        ++b;
    }
    while (e > b && IsTrimmed(static_cast<unsigned char>(s[e - 1]))) {
        --e;
    }
    return s.substr(b, e - b);
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = char(c - 'A' + 'a');
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

bool TryParseSkinInteger(std::string_view text, int& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size()) {
        return false;
    }
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        int digit = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0) {
            return false;
        }
        magnitude = magnitude * (hex ? 16 : 10) + std::uint64_t(digit);
        if (magnitude > 0xFFFFFFFFull) {
            return false;
        }
    }
    if (hex) {
        // Hexadecimal covers the full 32 bits, so system colours can be written as $FF00000F.
        auto bits = std::uint32_t(magnitude);
        value = negative ? -std::int32_t(bits) : std::int32_t(bits);
        return true;
    }
    if (negative ? magnitude > 0x80000000ull : magnitude > 0x7FFFFFFFull) {
        return false;
    }
    value = negative ? int(-std::int64_t(magnitude)) : int(magnitude);
    return true;
}

// ---- the ini text ----

void TqvSkinIni::Clear() {
    sections_.clear();
    sectionIndex_.clear();
}

TqvSkinIni::Section* TqvSkinIni::FindSection(std::string_view name) {
    auto it = sectionIndex_.find(Lower(name));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const TqvSkinIni::Section* TqvSkinIni::FindSection(std::string_view name) const {
    auto it = sectionIndex_.find(Lower(name));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

TqvSkinIni::Section& TqvSkinIni::OpenSection(std::string_view name, bool replace) {
    if (Section* existing = FindSection(name)) {
        if (replace) {
            existing->name = std::string(name);
            existing->entries.clear();
            existing->index.clear();
        }
        return *existing;
    }
    sectionIndex_.emplace(Lower(name), sections_.size());
    sections_.push_back(Section{std::string(name), {}, {}});
    return sections_.back();
}

void TqvSkinIni::SetEntry(Section& section, std::string_view key, std::string_view value) {
    auto [it, inserted] = section.index.emplace(Lower(key), section.entries.size());
    if (inserted) {
        section.entries.push_back(Entry{std::string(key), std::string(value)});
    } else {
        section.entries[it->second].value = std::string(value);
    }
}

void TqvSkinIni::SetText(std::string_view text) {
    Clear();
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        std::size_t next = end;
        if (end == std::string_view::npos) {
            end = next = text.size();
        } else if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
            next = end + 2;
        } else {
            next = end + 1;
        }
        std::string_view line = Trim(text.substr(pos, end - pos));
        pos = next;
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            current = &OpenSection(Trim(line.substr(1, line.size() - 2)), true);
            continue;
        }
        if (current == nullptr) {
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            continue; // belongs to the section, but can never be read as a key
        }
        SetEntry(*current, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
    }
}

bool TqvSkinIni::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

const std::string* TqvSkinIni::FindValue(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) {
        return nullptr;
    }
    auto it = s->index.find(Lower(key));
    return it == s->index.end() ? nullptr : &s->entries[it->second].value;
}

std::string TqvSkinIni::ReadString(std::string_view section, std::string_view key,
                                   const std::string& def) const {
    const std::string* v = FindValue(section, key);
    return v ? *v : def;
}

int TqvSkinIni::ReadInteger(std::string_view section, std::string_view key, int def) const {
    const std::string* v = FindValue(section, key);
    int value = 0;
    return v && TryParseSkinInteger(*v, value) ? value : def;
}

void TqvSkinIni::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    SetEntry(OpenSection(section, false), key, value);
}

void TqvSkinIni::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

std::vector<std::string> TqvSkinIni::SectionNames() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const Section& s : sections_) {
        names.push_back(s.name);
    }
    return names;
}

std::vector<std::string> TqvSkinIni::SectionKeys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* s = FindSection(section)) {
        for (const Entry& e : s->entries) {
            keys.push_back(e.key);
        }
    }
    return keys;
}

std::string TqvSkinIni::Text() const {
    std::string out;
    for (const Section& s : sections_) {
        out += "[" + s.name + "]\r\n";
        for (const Entry& e : s.entries) {
            out += e.key + "=" + e.value + "\r\n";
        }
    }
    return out;
}

// ---- typed readers ----

namespace {

// Cuts value at every ",", keeps only the digits of each part and parses the first count parts.
template <std::size_t N> std::array<int, N> ReadNumberParts(std::string_view value) {
    std::array<int, N> numbers{};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < N; ++i) {
        std::string digits;
        if (pos <= value.size()) {
            std::size_t comma = value.find(',', pos);
            std::size_t end = comma == std::string_view::npos ? value.size() : comma;
            for (char c : value.substr(pos, end - pos)) {
                if (c >= '0' && c <= '9') {
                    digits += c;
                }
            }
            pos = comma == std::string_view::npos ? value.size() + 1 : comma + 1;
        }
        int number = 0;
        if (digits.empty() || !TryParseSkinInteger(digits, number)) {
            throw vcl::EConvertError("'" + digits + "' is not a valid integer value");
        }
        numbers[i] = number;
    }
    return numbers;
}

} // namespace

RECT IniReadRect(const TqvSkinIni& ini, std::string_view section, std::string_view key) {
    const std::string* v = ini.FindValue(section, key);
    if (v == nullptr) {
        return RECT{0, 0, 0, 0};
    }
    auto n = ReadNumberParts<4>(*v);
    return RECT{n[0], n[1], n[2], n[3]};
}

POINT IniReadPoint(const TqvSkinIni& ini, std::string_view section, std::string_view key) {
    const std::string* v = ini.FindValue(section, key);
    if (v == nullptr) {
        return POINT{0, 0};
    }
    auto n = ReadNumberParts<2>(*v);
    return POINT{n[0], n[1]};
}

bool IniReadFlag(const TqvSkinIni& ini, std::string_view section, std::string_view key) {
    return ini.ReadInteger(section, key, 0) == 1;
}

namespace {

struct StyleWord {
    std::string_view word;
    vcl::TFontStyle style;
};
constexpr std::array<StyleWord, 4> kStyleWords{{{"fsbold", vcl::fsBold},
                                                {"fsitalic", vcl::fsItalic},
                                                {"fsunderline", vcl::fsUnderline},
                                                {"fsstrikeout", vcl::fsStrikeOut}}};

constexpr std::array<std::string_view, 3> kStretchWords{"stfull", "sthorz", "stvert"};
constexpr std::array<std::string_view, 6> kEffectWords{"iebrightness", "iedarkness",  "iegrayscale",
                                                       "ienoise",      "iesplitblur", "ieinvert"};
constexpr std::array<std::string_view, 7> kMorphWords{
    "mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient", "mkleftslide", "mkrightslide", "mkpush"};
constexpr std::array<std::string_view, 7> kCommandWords{
    "cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup", "cmminimizetotray"};

// The index of value in words; absent keys give absentValue, unknown words otherValue.
template <std::size_t N>
int ReadWord(const TqvSkinIni& ini, std::string_view section, std::string_view key,
             const std::array<std::string_view, N>& words, int absentValue, int otherValue) {
    const std::string* v = ini.FindValue(section, key);
    if (v == nullptr) {
        return absentValue;
    }
    for (std::size_t i = 0; i < N; ++i) {
        if (*v == words[i]) {
            return int(i);
        }
    }
    return otherValue;
}

template <std::size_t N> std::string_view WordOf(const std::array<std::string_view, N>& words, int value) {
    return value >= 0 && std::size_t(value) < N ? words[std::size_t(value)] : words[0];
}

} // namespace

TFontStyles IniReadFontStyle(const TqvSkinIni& ini, std::string_view section, std::string_view key) {
    const std::string* v = ini.FindValue(section, key);
    TFontStyles style = 0;
    if (v != nullptr) {
        for (const StyleWord& w : kStyleWords) {
            if (v->find(w.word) != std::string::npos) {
                style |= w.style;
            }
        }
    }
    return style;
}

TAlignment IniReadAlignment(const TqvSkinIni& ini, std::string_view section, std::string_view key) {
    const std::string* v = ini.FindValue(section, key);
    if (v == nullptr || *v == "tacenter") {
        return taCenter;
    }
    return *v == "taleftjustify" ? taLeftJustify : taRightJustify;
}

TqvStretchType IniReadStretchType(const TqvSkinIni& ini, std::string_view section, std::string_view key) {
    const std::string* v = ini.FindValue(section, key);
    if (v == nullptr || *v == "stfull") {
        return stFull;
    }
    return *v == "stvert" ? stVert : stHorz;
}

TqvInactiveEffect IniReadInactiveEffect(const TqvSkinIni& ini, std::string_view section,
                                        std::string_view key) {
    return TqvInactiveEffect(ReadWord(ini, section, key, kEffectWords, ieBrightness, ieGrayscale));
}

TqvMorphKind IniReadMorphKind(const TqvSkinIni& ini, std::string_view section, std::string_view key) {
    return TqvMorphKind(ReadWord(ini, section, key, kMorphWords, mkDefault, mkDefault));
}

TqvStdCommand IniReadCommand(const TqvSkinIni& ini, std::string_view section, std::string_view key) {
    return TqvStdCommand(ReadWord(ini, section, key, kCommandWords, cmDefault, cmMinimizeToTray));
}

std::vector<std::string> IniReadNumberedList(const TqvSkinIni& ini, std::string_view section,
                                             std::string_view name) {
    std::vector<std::string> items;
    int count = ini.ReadInteger(section, std::string(name) + "count", 0);
    // A hostile count must not make the reader spin or allocate for items no skin has: the list
    // names a skin's extra pictures, and no skin has more than a few dozen.
    constexpr int kMaxListItems = 256;
    for (int i = 0; i < count && i < kMaxListItems; ++i) {
        items.push_back(ini.ReadString(section, std::to_string(i), ""));
    }
    return items;
}

std::vector<int> IniPresentIndexes(const TqvSkinIni& ini, std::string_view section, int count) {
    std::vector<int> indexes;
    for (const std::string& key : ini.SectionKeys(section)) {
        int index = 0;
        // Only the canonical spelling is the key of index i ("07" is not "7").
        if (!key.empty() && key.size() <= 10 && key.find_first_not_of("0123456789") == std::string::npos &&
            TryParseSkinInteger(key, index) && std::to_string(index) == key && index < count) {
            indexes.push_back(index);
        }
    }
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

// ---- writers ----

std::string_view StretchTypeWord(TqvStretchType type) {
    return WordOf(kStretchWords, type);
}
std::string_view InactiveEffectWord(TqvInactiveEffect effect) {
    return WordOf(kEffectWords, effect);
}
std::string_view MorphKindWord(TqvMorphKind kind) {
    return WordOf(kMorphWords, kind);
}
std::string_view CommandWord(TqvStdCommand command) {
    return WordOf(kCommandWords, command);
}

std::string_view AlignmentWord(TAlignment alignment) {
    switch (alignment) {
    case taLeftJustify:
        return "taleftjustify";
    case taRightJustify:
        return "tarightjustify";
    case taCenter:
        break;
    }
    return "tacenter";
}

std::string FontStyleText(TFontStyles style) {
    std::string out;
    for (const StyleWord& w : kStyleWords) {
        if ((style & w.style) != 0) {
            if (!out.empty()) {
                out += ',';
            }
            out += w.word;
        }
    }
    return out;
}

void IniWriteRect(TqvSkinIni& ini, std::string_view section, std::string_view key, const RECT& r) {
    ini.WriteString(section, key,
                    std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
                        "," + std::to_string(r.bottom));
}

void IniWritePoint(TqvSkinIni& ini, std::string_view section, std::string_view key, const POINT& p) {
    ini.WriteString(section, key, std::to_string(p.x) + "," + std::to_string(p.y));
}

void IniWriteFlag(TqvSkinIni& ini, std::string_view section, std::string_view key, bool value) {
    ini.WriteString(section, key, value ? "1" : "0");
}

void IniWriteFontStyle(TqvSkinIni& ini, std::string_view section, std::string_view key, TFontStyles style) {
    ini.WriteString(section, key, FontStyleText(style));
}

void IniWriteAlignment(TqvSkinIni& ini, std::string_view section, std::string_view key,
                       TAlignment alignment) {
    ini.WriteString(section, key, AlignmentWord(alignment));
}

void IniWriteStretchType(TqvSkinIni& ini, std::string_view section, std::string_view key,
                         TqvStretchType type) {
    ini.WriteString(section, key, StretchTypeWord(type));
}

void IniWriteInactiveEffect(TqvSkinIni& ini, std::string_view section, std::string_view key,
                            TqvInactiveEffect effect) {
    ini.WriteString(section, key, InactiveEffectWord(effect));
}

void IniWriteMorphKind(TqvSkinIni& ini, std::string_view section, std::string_view key, TqvMorphKind kind) {
    ini.WriteString(section, key, MorphKindWord(kind));
}

void IniWriteCommand(TqvSkinIni& ini, std::string_view section, std::string_view key, TqvStdCommand command) {
    ini.WriteString(section, key, CommandWord(command));
}

void IniWriteNumberedList(TqvSkinIni& ini, std::string_view section, std::string_view name,
                          const std::vector<std::string>& items) {
    ini.WriteInteger(section, std::string(name) + "count", int(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) {
        ini.WriteString(section, std::to_string(i), items[i]);
    }
}

} // namespace qv
