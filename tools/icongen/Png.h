#pragma once
// A minimal PNG writer: 8-bit RGBA, no interlace, one IDAT chunk deflated at level 9. Enough for
// icons, and deterministic, so the committed files only change when the drawing does.

#include "Icon.h"

#include <string>

namespace icongen {

std::string EncodePng(const Image& image);

} // namespace icongen
