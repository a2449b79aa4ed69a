#pragma once
// Painting what lies behind a control, for controls that are drawn transparent over their parent
// (a skinned panel without a picture, a label over a skinned form).

#include "platform/gfx/DCApi.h"

namespace vcl {
class TControl;
}

namespace qv {

// Paints into dc, which maps the control's own client coordinates, what the control covers: its
// parent's background and window content, then the parent's visible graphic children that lie
// beneath the control and meet it, each at its place and clipped to its bounds. The parent is
// marked as painting a copy (csPaintCopy) meanwhile. A control without a parent paints nothing.
void PaintParentBackground(vcl::TControl* control, HDC dc);

} // namespace qv
