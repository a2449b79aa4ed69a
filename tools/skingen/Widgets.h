#pragma once
// Shared looks of the control pictures (button faces, input fields, scroll parts) and the record
// fields that many sections share.

#include "Glyphs.h"
#include "Paint.h"
#include "SkinText.h"

#include "skin/data/qvControlSkinRecords.h"

namespace skingen {

enum class State { Normal, Hot, Down, Focused, Disabled };

// A raised push-button face filling r, with its outline inside r.
void ButtonFace(Painter& p, const RECT& r, State s, double radius = 3.0);
// A flat tool-button face: nothing at rest, a rounded tint on hover and press.
void ToolFace(Painter& p, const RECT& r, State s, Pixel back);
// An input field (white, outlined; accent outline when hot or focused; grey when disabled).
void FieldFace(Painter& p, const RECT& r, State s, double radius = 2.0);
// A scroll-bar thumb: a rounded pill centred across the bar.
void ThumbFace(Painter& p, const RECT& r, bool vertical, State s, Pixel track);
// A scroll-bar button with its arrow.
void ScrollButtonFace(Painter& p, const RECT& r, Arrow dir, State s, Pixel track);

// A colour as the skin's records hold it.
inline qv::TColor SkinColour(Pixel p) { return qv::TColor(ColorRef(p)); }

// Fields of every picture-based record: picture, skin rectangle, corner points, client area.
struct Geometry {
    RECT skin;
    POINT lt{0, 0}, rt{0, 0}, lb{0, 0}, rb{0, 0};
    RECT client{0, 0, 0, 0};
};
void SetCustom(qv::TqvDataSkinCustomControl& r, int picture, const Geometry& g);
// The skin's text font: Arial 14 without style, in the given colour.
qv::TqvSkinFont TextFont(Pixel colour);
// The font and the state colours of a button-kind record.
void SetButtonColours(qv::TqvDataSkinButtonControl& r, Pixel font, Pixel active, Pixel down, Pixel disabled);

} // namespace skingen
