#pragma once
// The inventory of a stored skin, as text or JSON.

#include "Render.h"

#include <string>

namespace skintool {

std::string DescribeSkin(const Skin& skin, std::size_t inflatedSize, bool json);

} // namespace skintool
