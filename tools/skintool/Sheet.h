#pragma once
// The contact sheet: the sections the program's windows use, at the sizes the windows give them,
// in each state the section has an image for.

#include "Render.h"

#include <string>
#include <vector>

namespace skintool {

struct SheetTile {
    std::string section;
    State state;
    RECT place; // where the tile is on the sheet
};

// Draws the sheet; tiles lists what lies where (the tool prints it as the sheet's legend).
gfx::Bitmap RenderSheet(const Skin& skin, std::vector<SheetTile>& tiles);

// A scroll bar as the control shows it: the bar, its thumb at a third of the track, and both
// buttons in the given state's images (active: hot, down: pressed).
gfx::Bitmap RenderScrollBar(const Skin& skin, const std::string& section, int W, int H, State state);
// A gauge with its bar filled to the fraction.
gfx::Bitmap RenderGauge(const Skin& skin, const std::string& section, int W, int H, double fraction);

} // namespace skintool
