#pragma once
// The lists [SKINOBJECTS] and [SKINCONTROLS] name their records as "name:kind" entries under the
// keys "0" .. count-1. A kind table maps each kind word to the record class it creates, so both
// lists are read, and their records named back, by the same code.

#include "skin/data/qvSkinIni.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

namespace qv {

// Splits "name:kind" at the first colon; false when there is none.
bool SplitSkinListEntry(std::string_view entry, std::string& name, std::string& kind);

template <class Base>
struct TqvRecordKind {
    std::string_view kind;
    std::unique_ptr<Base> (*create)(const std::string& name);
    bool (*is)(const Base& record);
};

// The table entry for kind word `kind` creating records of class T.
template <class Base, class T>
constexpr TqvRecordKind<Base> RecordKind(std::string_view kind) {
    return {kind, [](const std::string& name) -> std::unique_ptr<Base> { return std::make_unique<T>(name); },
            [](const Base& record) { return typeid(record) == typeid(T); }};
}

// A new record of the kind word's class (exact, case-sensitive), or null for an unknown kind.
template <class Base, std::size_t N>
std::unique_ptr<Base> CreateRecordOfKind(const TqvRecordKind<Base> (&kinds)[N], std::string_view kind,
                                         const std::string& name) {
    for (const TqvRecordKind<Base>& k : kinds) {
        if (k.kind == kind) {
            return k.create(name);
        }
    }
    return nullptr;
}

// The kind word of a record's exact class; empty when the table does not list it.
template <class Base, std::size_t N>
std::string_view KindOfRecord(const TqvRecordKind<Base> (&kinds)[N], const Base& record) {
    for (const TqvRecordKind<Base>& k : kinds) {
        if (k.is(record)) {
            return k.kind;
        }
    }
    return {};
}

// Reads the list of `section` into `out`, each record loaded from the text. Absent entries,
// entries without a colon and unknown kinds are skipped without shifting the others.
template <class Base, std::size_t N>
void LoadSkinRecordList(const TqvSkinIni& ini, std::string_view section,
                        const TqvRecordKind<Base> (&kinds)[N], std::vector<std::unique_ptr<Base>>& out) {
    int count = ini.ReadInteger(section, "count", 0);
    for (int i : IniPresentIndexes(ini, section, count)) {
        const std::string* entry = ini.FindValue(section, std::to_string(i));
        std::string name;
        std::string kind;
        if (entry == nullptr || !SplitSkinListEntry(*entry, name, kind)) {
            continue;
        }
        if (auto record = CreateRecordOfKind(kinds, kind, name)) {
            record->LoadFromSkinText(ini);
            out.push_back(std::move(record));
        }
    }
}

} // namespace qv
