#include "Widgets.h"

#include "Theme.h"

namespace skingen {

using namespace theme;

namespace {
Box Inset(const RECT& r, double d) { return {r.left + d, r.top + d, r.right - d, r.bottom - d}; }
} // namespace

void ButtonFace(Painter& p, const RECT& r, State s, double radius) {
    Box outer = Inset(r, 0);
    Pixel line = kLine, top = kFaceHigh, bottom = kFaceLow;
    switch (s) {
    case State::Normal: break;
    case State::Hot:
        line = kAccentLine;
        top = Rgb(0xFF, 0xFF, 0xFF);
        bottom = kAccentTint;
        break;
    case State::Down:
        line = kAccent;
        top = kAccentTint2;
        bottom = kAccentTint2;
        break;
    case State::Focused: line = kAccent; break;
    case State::Disabled:
        line = kLineSoft;
        top = bottom = kDisabledFace;
        break;
    }
    p.FillRoundRect(outer, Radii::All(radius), Solid(line));
    p.FillRoundRect(Inset(r, 1), Radii::All(radius - 1), VGradient(r.top + 1, r.bottom - 2, top, bottom));
    if (s == State::Focused) {
        // A second accent ring inside marks the default / focused button.
        p.StrokeRoundRect(Inset(r, 1), Radii::All(radius - 1), kAccentLine);
    }
}

void ToolFace(Painter& p, const RECT& r, State s, Pixel back) {
    p.FillRect(r.left, r.top, r.right, r.bottom, back);
    if (s == State::Hot || s == State::Down || s == State::Focused) {
        Pixel fill = s == State::Down ? kAccentTint2 : kAccentTint;
        Pixel line = s == State::Down ? kAccent : kAccentLine;
        p.FillRoundRect(Inset(r, 1), 3.0, fill);
        p.StrokeRoundRect(Inset(r, 1), 3.0, line);
    }
}

void FieldFace(Painter& p, const RECT& r, State s, double radius) {
    Pixel line = kLine, fill = kWindow;
    if (s == State::Hot || s == State::Focused || s == State::Down) {
        line = kAccent;
    } else if (s == State::Disabled) {
        line = kLineSoft;
        fill = kDisabledFace;
    }
    p.FillRoundRect(Inset(r, 0), radius, line);
    p.FillRoundRect(Inset(r, 1), radius - 1, fill);
}

void ThumbFace(Painter& p, const RECT& r, bool vertical, State s, Pixel track) {
    p.FillRect(r.left, r.top, r.right, r.bottom, track);
    Pixel fill = s == State::Down ? kAccent : (s == State::Hot ? kThumbHot : kThumb);
    Box pill = vertical ? Box{r.left + 4.0, r.top + 1.0, r.right - 4.0, r.bottom - 1.0}
                        : Box{r.left + 1.0, r.top + 4.0, r.right - 1.0, r.bottom - 4.0};
    p.FillRoundRect(pill, 4.5, fill);
}

void ScrollButtonFace(Painter& p, const RECT& r, Arrow dir, State s, Pixel track) {
    p.FillRect(r.left, r.top, r.right, r.bottom, track);
    Pixel ink = kTextMuted;
    if (s == State::Hot || s == State::Down) {
        p.FillRoundRect(Inset(r, 1), 3.0, s == State::Down ? kAccentTint2 : kAccentTint);
        ink = s == State::Down ? kAccentDark : kAccent;
    } else if (s == State::Disabled) {
        ink = kTextDisabled;
    }
    GlyphArrow(p, {r.left, r.top, r.right - r.left, r.bottom - r.top}, dir, ink, 3.5);
}

void SetCustom(qv::TqvDataSkinCustomControl& r, int picture, const Geometry& g) {
    r.pictureindex = picture;
    r.skinrect = g.skin;
    r.lefttoppoint = g.lt;
    r.righttoppoint = g.rt;
    r.leftbottompoint = g.lb;
    r.rightbottompoint = g.rb;
    r.clientrect = g.client;
}

qv::TqvSkinFont TextFont(Pixel colour) {
    qv::TqvSkinFont font;
    font.color = SkinColour(colour);
    return font;
}

void SetButtonColours(qv::TqvDataSkinButtonControl& r, Pixel font, Pixel active, Pixel down, Pixel disabled) {
    r.font = TextFont(font);
    r.activefontcolor = SkinColour(active);
    r.downfontcolor = SkinColour(down);
    r.disabledfontcolor = SkinColour(disabled);
}

} // namespace skingen
