#pragma once
// Where the standard scroll bars of a window's non-client area lie and how their thumb sits.
// The default frame painting draws from this layout and GetScrollBarInfo reports it, so what a
// caller is told is always what is on screen.

#include "platform/ui/FrameMetrics.h"
#include "platform/ui/WindowSystem.h"

namespace ui {

constexpr int kScrollBarSize = kFrameMetrics.scrollBar;

struct ScrollBarParts {
    RECT bar{};      // window coordinates
    RECT lineUp{};   // the top or left arrow button
    RECT lineDown{}; // the bottom or right arrow button
    RECT thumb{};    // empty when the bar shows no thumb
    bool hasThumb = false;
};

// The parts of a bar occupying r (window coordinates) for the scroll state s.
ScrollBarParts LayoutScrollBar(const RECT& r, bool vertical, const ScrollState& s);

// The bar beside the client area of w, for SB_VERT or SB_HORZ; nullopt when w has no such bar.
std::optional<ScrollBarParts> NcScrollBar(const Window& w, int bar);

} // namespace ui
