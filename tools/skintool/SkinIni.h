#pragma once
// A reader of the skin description text with the skin format's rules: lines split at CR, LF or
// CR LF and trimmed; ";" comments; section names and keys without regard to letter case; the
// later of two equal sections or keys wins; rectangles and points read digit by digit.
//
// FIXME: the skin data library's parser and records replace this reader for render and sheet once
// they are on main; the tool then shows exactly what the program reads.

#include "platform/gfx/WinTypes.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace skintool {

class IniText {
public:
    explicit IniText(const std::string& text);

    const std::vector<std::string>& Lines() const { return lines_; }
    bool HasSection(const std::string& section) const;
    // The sections in text order (the name as written, first occurrence).
    const std::vector<std::string>& SectionNames() const { return order_; }

    std::optional<std::string> Find(const std::string& section, const std::string& key) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    long ReadInteger(const std::string& section, const std::string& key, long def) const;
    // An absent key gives 0,0,0,0; a present value with an empty part raises SkinError.
    RECT ReadRect(const std::string& section, const std::string& key) const;
    POINT ReadPoint(const std::string& section, const std::string& key) const;
    // Raises SkinError for a count beyond any real skin (more than kMaxListCount items).
    std::vector<std::string> ReadNumberedList(const std::string& section,
                                              const std::string& name) const;
    // The keys of a section with their values (lower-case keys).
    const std::map<std::string, std::string>* Keys(const std::string& section) const;

    static constexpr long kMaxListCount = 100000;

private:
    std::vector<std::string> lines_;
    std::vector<std::string> order_;
    std::map<std::string, std::map<std::string, std::string>> sections_;  // lower-case names
};

// "name:kind" entries of [SKINOBJECTS] or [SKINCONTROLS], split at the first colon; entries
// without a colon are left out.
struct ListedSection {
    std::string name, kind;
};
std::vector<ListedSection> ReadSectionList(const IniText& ini, const std::string& list);

} // namespace skintool
