#pragma once
// Rendering skin sections the way the controls compose them, for skin authors to look at. The
// skin is read by the program's own skin data (TqvSkinData and its records), so what the tool
// draws is what the program reads: a section the program skips cannot be rendered either.

#include "StoredSkin.h"

#include "platform/gfx/Bitmap.h"
#include "skin/data/qvCompose.h"
#include "skin/data/qvSkinData.h"

#include <span>
#include <string>

namespace skintool {

enum class State { Normal, Active, Down, Focused, Disabled };
State ParseState(const std::string& word); // raises SkinError for an unknown word
const char* StateName(State s);

// The layout kind a section's corner points give, as the controls classify it.
enum class Layout { None, Fixed, Corners, Horizontal, Vertical };
const char* LayoutName(Layout l);

// A loaded skin: the container's layout (for inspect) and the skin data the program loads from
// the same bytes.
struct Skin {
    Container container;
    qv::TqvSkinData data{nullptr};
    // Raises SkinError for a container the walk refuses and the skin data's error for a skin
    // text it cannot read.
    explicit Skin(std::span<const std::uint8_t> inflated);
};

// The control record of a [SKINCONTROLS] section; raises SkinError when the program reads none
// of that name (absent from the list, or of a kind it does not know).
const qv::TqvDataSkinControl& ControlRecord(const Skin& skin, const std::string& section);

// The record's resizing geometry: the corner points of custom controls and tabs, none for the
// rest (those copy their image unchanged).
struct SectionGeometry {
    int picture = -1;
    RECT skin{0, 0, 0, 0};
    POINT lt{0, 0}, rt{0, 0}, lb{0, 0}, rb{0, 0};
    RECT client{0, 0, 0, 0};
    qv::TqvComposeFlags flags;
    Layout layout = Layout::None;
};
SectionGeometry ReadGeometry(const Skin& skin, const std::string& section);

// The state's image rectangle of the section: skinrect, activeskinrect, downskinrect,
// focusedskinrect or disabledskinrect, as far as the section's record has the field. Empty when
// the section has no image for it.
RECT StateRect(const Skin& skin, const std::string& section, State state);

// The image a control of that section paints at W x H in that state. A Fixed section keeps its
// own size; Horizontal keeps its height and Vertical its width. Raises SkinError when the section,
// its picture or the state's image is missing, or the image does not lie in its picture.
gfx::Bitmap RenderSection(const Skin& skin, const std::string& section, int W, int H, State state);

// The window frame at W x H: the form picture composed by its corner points, the caption buttons
// laid out at the caption's right end, and everything outside the mask painted in `outside`.
gfx::Bitmap RenderFrame(const Skin& skin, int W, int H, bool active, gfx::Pixel outside);

// Shared by the renderers: the extra picture a record names, and copying a part of a picture.
const gfx::Bitmap& PictureOf(const Skin& skin, int index, const std::string& section);
// Raises SkinError unless r is a non-empty rectangle inside the picture (so no image is cut from
// outside it, and a hostile rectangle never sizes a bitmap).
void CheckInPicture(const RECT& r, const gfx::Bitmap& picture, const std::string& what);
void Blit(const gfx::Bitmap& src, const RECT& from, gfx::Bitmap& dst, int x, int y);

} // namespace skintool
