#include "skin/data/qvSkinIni.h"

#include "framework/Exceptions.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace qv {

namespace {

bool IsTrimmed(unsigned char c) { return c <= ' '; }

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

struct FoldedCaseTable {
    std::uint8_t folded[256];
    constexpr FoldedCaseTable() : folded() {
        for (int c = 0; c < 256; ++c) {
            folded[c] = std::uint8_t(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
    }
};
constexpr FoldedCaseTable kFoldedCase;

// A table rather than a range test: folding is on every lookup's path, for every character.
std::uint8_t FoldCase(char c) { return kFoldedCase.folded[std::uint8_t(c)]; }

// Eight characters folded to lower case at once (only the bytes 'A'..'Z' change): the hash runs
// on every lookup, and a loop step per character is what costs most in instrumented builds.
std::uint64_t FoldWord(std::uint64_t w) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    std::uint64_t low7 = w & ~kHigh;
    std::uint64_t atLeastA = low7 + (0x80 - 'A') * kOnes;     // high bit of a byte: it is >= 'A'
    std::uint64_t aboveZ = low7 + (0x80 - 'Z' - 1) * kOnes;   // high bit of a byte: it is > 'Z'
    std::uint64_t capitals = atLeastA & ~aboveZ & ~w & kHigh; // and below 0x80 to begin with
    return w | (capitals >> 2);
}

std::uint64_t MixWord(std::uint64_t h, std::uint64_t w) {
    h = (h ^ w) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 32);
}

// The name folded to lower case, hashed eight bytes a step: equal names in any case hash alike.
std::uint32_t FoldedHash(std::string_view s) {
    std::uint64_t h = s.size();
    std::size_t i = 0;
    for (; s.size() - i >= 8; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        h = MixWord(h, FoldWord(w));
    }
    if (i < s.size()) {
        std::uint64_t w = 0;
        std::memcpy(&w, s.data() + i, s.size() - i);
        h = MixWord(h, FoldWord(w));
    }
    // The index takes the low bits: bring the high ones down.
    h = (h ^ (h >> 33)) * 0xFF51AFD7ED558CCDull;
    return std::uint32_t(h ^ (h >> 33));
}

std::uint32_t EntryHash(std::uint32_t sectionId, std::string_view key) {
    return FoldedHash(key) ^ (sectionId * 0x9E3779B1u);
}

bool FoldedEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    if (a == b) {
        return true; // the usual case: the text spells a key as the readers do
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
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

template <class Matches>
std::size_t TqvSkinIni::NameIndex::Find(std::uint32_t hash, const Matches& matches) const {
    if (slots_.empty()) {
        return npos;
    }
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.position == 0) {
            return npos;
        }
        if (slot.hash == hash && matches(std::size_t(slot.position) - 1)) {
            return std::size_t(slot.position) - 1;
        }
    }
}

void TqvSkinIni::NameIndex::Regrow(std::size_t slots) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(slots, Slot{0, 0});
    for (const Slot& slot : old) {
        if (slot.position != 0) {
            Place(slot);
        }
    }
}

void TqvSkinIni::NameIndex::Reserve(std::size_t count) {
    std::size_t slots = 64; // a skin's sections, or the keys of a small skin, without regrowing
    while (slots < count * 2) {
        slots *= 2;
    }
    if (slots > slots_.size()) {
        Regrow(slots);
    }
}

void TqvSkinIni::NameIndex::Add(std::uint32_t hash, std::size_t position) {
    // At most half full, so probes stay short and always end at a free slot.
    if ((used_ + 1) * 2 > slots_.size()) {
        Reserve(std::max<std::size_t>(used_ + 1, slots_.size()));
    }
    // Positions count entries held in memory, far below 2^32 (each entry is tens of bytes).
    Place(Slot{hash, std::uint32_t(position + 1)});
    ++used_;
}

void TqvSkinIni::NameIndex::Place(Slot slot) {
    std::size_t mask = slots_.size() - 1;
    std::size_t i = slot.hash & mask;
    while (slots_[i].position != 0) {
        i = (i + 1) & mask;
    }
    slots_[i] = slot;
}

void TqvSkinIni::NameIndex::Clear() {
    slots_.clear();
    used_ = 0;
}

void TqvSkinIni::Clear() {
    sections_.clear();
    entries_.clear();
    sectionIndex_.Clear();
    entryIndex_.Clear();
    nextSectionId_ = 0;
}

const TqvSkinIni::Section* TqvSkinIni::FindSection(std::string_view name) const {
    std::size_t i = sectionIndex_.Find(FoldedHash(name),
                                       [&](std::size_t at) { return FoldedEqual(sections_[at].name, name); });
    return i == NameIndex::npos ? nullptr : &sections_[i];
}

TqvSkinIni::Section& TqvSkinIni::OpenSection(std::string_view name, bool replace) {
    if (const Section* found = FindSection(name)) {
        Section& existing = sections_[std::size_t(found - sections_.data())];
        if (replace) {
            // The old entries stay behind in the list, unreachable under the old id.
            existing.name = std::string(name);
            existing.id = nextSectionId_++;
            existing.first = existing.last = NameIndex::npos;
        }
        return existing;
    }
    sectionIndex_.Add(FoldedHash(name), sections_.size());
    sections_.push_back(Section{std::string(name), nextSectionId_++, NameIndex::npos, NameIndex::npos});
    return sections_.back();
}

std::size_t TqvSkinIni::FindEntry(const Section& section, std::string_view key) const {
    return entryIndex_.Find(EntryHash(section.id, key), [&](std::size_t at) {
        return entries_[at].section == section.id && FoldedEqual(entries_[at].name, key);
    });
}

void TqvSkinIni::SetEntry(Section& section, std::string_view key, std::string_view value) {
    std::size_t i = FindEntry(section, key);
    if (i != NameIndex::npos) {
        entries_[i].value.assign(value);
        return;
    }
    std::size_t position = entries_.size();
    if (entries_.capacity() == 0) {
        // Written key by key (the records saving a skin): start with room for a small skin.
        constexpr std::size_t kFirstEntries = 128;
        entries_.reserve(kFirstEntries);
        entryIndex_.Reserve(kFirstEntries);
    }
    entries_.push_back(Entry{std::string(key), std::string(value), section.id, NameIndex::npos});
    entryIndex_.Add(EntryHash(section.id, key), position);
    if (section.last == NameIndex::npos) {
        section.first = position;
    } else {
        entries_[section.last].next = position;
    }
    section.last = position;
}

void TqvSkinIni::SetText(std::string_view text) {
    Clear();
    // Room for the entries at once, judged from the length: skin lines run 15 to 30 characters.
    // The cap bounds what a hostile text of short lines can reserve; past it the list grows.
    constexpr std::size_t kMaxReservedEntries = 4096;
    std::size_t expected = std::min(text.size() / 8, kMaxReservedEntries);
    entries_.reserve(expected);
    entryIndex_.Reserve(expected);
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

bool TqvSkinIni::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

const std::string* TqvSkinIni::FindValue(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) {
        return nullptr;
    }
    std::size_t i = FindEntry(*s, key);
    return i == NameIndex::npos ? nullptr : &entries_[i].value;
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
        for (std::size_t i = s->first; i != NameIndex::npos; i = entries_[i].next) {
            keys.push_back(entries_[i].name);
        }
    }
    return keys;
}

std::string TqvSkinIni::Text() const {
    std::size_t size = 0;
    for (const Section& s : sections_) {
        size += s.name.size() + 4;
        for (std::size_t i = s.first; i != NameIndex::npos; i = entries_[i].next) {
            size += entries_[i].name.size() + entries_[i].value.size() + 3;
        }
    }
    std::string out;
    out.reserve(size);
    for (const Section& s : sections_) {
        out.append("[").append(s.name).append("]\r\n");
        for (std::size_t i = s.first; i != NameIndex::npos; i = entries_[i].next) {
            out.append(entries_[i].name).append("=").append(entries_[i].value).append("\r\n");
        }
    }
    return out;
}

// ---- typed readers ----

namespace {

// Cuts value at every ",", keeps only the digits of each part and parses the first count parts.
template <std::size_t N>
std::array<int, N> ReadNumberParts(std::string_view value) {
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

template <std::size_t N>
std::string_view WordOf(const std::array<std::string_view, N>& words, int value) {
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

std::string_view StretchTypeWord(TqvStretchType type) { return WordOf(kStretchWords, type); }
std::string_view InactiveEffectWord(TqvInactiveEffect effect) { return WordOf(kEffectWords, effect); }
std::string_view MorphKindWord(TqvMorphKind kind) { return WordOf(kMorphWords, kind); }
std::string_view CommandWord(TqvStdCommand command) { return WordOf(kCommandWords, command); }

std::string_view AlignmentWord(TAlignment alignment) {
    switch (alignment) {
    case taLeftJustify: return "taleftjustify";
    case taRightJustify: return "tarightjustify";
    case taCenter: break;
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
