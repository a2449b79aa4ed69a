#pragma once
// The X11 shape of a window from a region, kept apart because the X11 headers define names
// (Expose, None, Window ...) that clash with ours.
#include "platform/gfx/Region.h"

struct SDL_Window;

namespace ui {
// shape null makes the window rectangular again. Without the shape extension at build time
// this does nothing and windows stay rectangular.
void ApplyX11Shape(SDL_Window* window, const gfx::Region* shape);
} // namespace ui
