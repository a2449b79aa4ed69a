#pragma once
// A glyph and a caption laid out together on a button face (LayoutGlyphAndText), with the marker
// that shows the default or focused button: lines under the glyph or the caption, or a filled
// patch when the face has neither.

#include "platform/controls/ImageList.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DCApi.h"

#include <string_view>

namespace qv {

// How a face is drawn: the marker, the one-pixel shift of a pressed face, and the layout of
// LayoutGlyphAndText (layout 0..3, margin -1 = centred, spacing).
struct TqvGlyphCaptionStyle {
    int Layout = 0;
    int Margin = -1;
    int Spacing = 4;
    bool Marker = false;
    COLORREF MarkerColor = 0;
    bool Pressed = false;
};

// Frame k (1-based) of the n frames of strip with the caption in the DC's font and text colour,
// in rc. An empty strip is no glyph.
void DrawStripGlyphCaption(HDC dc, const RECT& rc, const TqvGlyphCaptionStyle& style, int k, int n,
                           const gfx::Bitmap& strip, std::string_view caption);

// Image index of images with the caption in rc; an index outside the list (or no list) is no
// glyph. A disabled image is drawn embossed in the button highlight and shadow colours.
void DrawImageListGlyphCaption(HDC dc, const RECT& rc, const TqvGlyphCaptionStyle& style, bool enabled,
                               HIMAGELIST images, int index, std::string_view caption);

// Draws image index of images at (x, y), embossed as a disabled image when enabled is false.
void DrawImageListImage(HDC dc, HIMAGELIST images, int index, int x, int y, bool enabled);

} // namespace qv
