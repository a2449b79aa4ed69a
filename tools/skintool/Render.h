#pragma once
// Rendering skin sections the way the controls compose them, for skin authors to look at.

#include "SkinIni.h"
#include "StoredSkin.h"

#include "platform/gfx/Bitmap.h"

#include <string>

namespace skintool {

enum class State { Normal, Active, Down, Focused, Disabled };
State ParseState(const std::string& word);  // raises SkinError for an unknown word
const char* StateName(State s);

// The layout kind a section's corner points give, as the controls classify it.
enum class Layout { None, Fixed, Corners, Horizontal, Vertical };
const char* LayoutName(Layout l);

// A loaded skin: the container's pictures and its parsed description.
struct Skin {
    Container container;
    IniText ini;
    explicit Skin(Container c) : container(std::move(c)), ini(container.text) {}
};

struct SectionGeometry {
    int picture = -1;
    RECT skin{0, 0, 0, 0};
    POINT lt{0, 0}, rt{0, 0}, lb{0, 0}, rb{0, 0};
    RECT client{0, 0, 0, 0};
    bool stretchLeft = false, stretchTop = false, stretchRight = false, stretchBottom = false;
    bool stretchCentre = false;
    int stretchType = 0;
    Layout layout = Layout::None;
};
SectionGeometry ReadGeometry(const Skin& skin, const std::string& section);

// The state's image rectangle of the section: skinrect, activeskinrect, downskinrect,
// focusedskinrect or disabledskinrect. Empty when the section has no image for it.
RECT StateRect(const Skin& skin, const std::string& section, State state);

// The image a control of that section paints at W x H in that state. A Fixed section keeps its
// own size; Horizontal keeps its height and Vertical its width. Raises SkinError when the section,
// its picture or the state's image is missing.
gfx::Bitmap RenderSection(const Skin& skin, const std::string& section, int W, int H, State state);

// The window frame at W x H: the form picture composed by its corner points, the caption buttons
// laid out at the caption's right end, and everything outside the mask painted in `outside`.
gfx::Bitmap RenderFrame(const Skin& skin, int W, int H, bool active, gfx::Pixel outside);

} // namespace skintool
