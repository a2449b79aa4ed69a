#pragma once
// A Windows icon file (.ico) of the program's icon, for the executable's icon resource, so
// Explorer, the taskbar and the window class show it. The small sizes are 32-bit DIBs with their
// transparency mask (every Windows reads them); the 256-pixel picture is PNG, as Windows expects
// for that size.

#include "Icon.h"

#include <string>

namespace icongen {

// The sizes the icon file holds: the window sizes (16, 32) and Explorer's larger views.
constexpr int kIcoSizes[] = {16, 32, 48, 256};

std::string EncodeIco();

} // namespace icongen
