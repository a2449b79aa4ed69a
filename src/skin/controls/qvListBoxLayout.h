#pragma once
// Geometry of the skinned list box that does not need a window: the height that shows a number
// of rows, where the native list and the two internal scroll bars go, the unskinned caption
// buttons, and the tab stops read from the lines of TabWidths.

#include "platform/gfx/WinTypes.h"

#include <string>
#include <vector>

namespace qv {

// What the layout knows about the bound skin record (bound = false: the plain look).
struct TqvListBoxSkinMetrics {
    bool bound = false;
    RECT skinrect{};
    RECT clientrect{};
};

// Height of a list box showing `rows` rows. hbarHeight: the horizontal bar's height, 0 without it.
int ListBoxHeightForRows(const TqvListBoxSkinMetrics& skin, int rows, int itemHeight, bool captionMode,
                         int captionHeight, int hbarHeight);

// The area inside the skin border: clientrect grown with the control.
RECT ListBoxClientRect(const TqvListBoxSkinMetrics& skin, int width, int height);

struct TqvListBoxLayoutInput {
    TqvListBoxSkinMetrics skin;
    int width = 0, height = 0;
    bool captionMode = false;
    int captionHeight = 20;
    int columns = 0;
    bool hasHBar = false; // exists and is visible
    int hbarHeight = 0;
    bool hasVBar = false;
    int vbarWidth = 0, vbarHeight = 0;
};

struct TqvListBoxLayout {
    RECT listClientRect{};
    RECT innerListRect{};
    RECT hbarBounds{}; // as left, top, right, bottom; empty when there is no bar
    RECT vbarBounds{};
};

TqvListBoxLayout LayOutListBox(const TqvListBoxLayoutInput& in);

// The unskinned caption buttons right to left: previous item, next item, check.
void DefaultCaptionButtonRects(int width, int captionHeight, RECT out[3]);

// Up to the first 10 lines; a line made only of digits counts as its value, any other as 0.
std::vector<int> TabStopsFromLines(const std::vector<std::string>& lines);

} // namespace qv
