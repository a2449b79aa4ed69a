#pragma once
// The inventory of a stored skin, as text or JSON.

#include "Render.h"

#include <string>
#include <vector>

namespace skintool {

// "name:kind" entries of [SKINOBJECTS] or [SKINCONTROLS] in the order the program reads them,
// each with whether the program made a record of it (a kind it does not know is skipped).
struct ListedSection {
    std::string name, kind;
    bool loaded = false;
};
std::vector<ListedSection> ReadSectionList(const Skin& skin, const char* list);

std::string DescribeSkin(const Skin& skin, std::size_t inflatedSize, bool json);

} // namespace skintool
