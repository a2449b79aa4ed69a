// Sections the program's windows do not use, drawn into the free parts of picture 4 or sharing
// the images of the main controls: group box, status bar, labels, menu bar, spin edits and the
// panels of tool bars.

#include "Generator.h"
#include "Theme.h"
#include "Widgets.h"

namespace skingen {

namespace {
using namespace theme;

constexpr int kPic = kPicControls;
const RECT kEmpty{0, 0, 0, 0};
void Fill(Painter& p, const RECT& r, Pixel c) { p.FillRect(r.left, r.top, r.right, r.bottom, c); }

void SetPanelText(qv::TqvDataSkinPanelControl& s, const RECT& caption) {
    s.captionrect = caption;
    s.alignment = qv::taLeftJustify;
    s.font = TextFont(kText);
}

// A framed panel with a caption band: group boxes and expanding panels.
void BuildGroupBox(Painter& p, SkinText& text) {
    const RECT r = Rc(200, 140, 59, 52);
    Fill(p, r, kFace);
    p.StrokeRoundRect({200, 140, 259, 192}, 3.0, kLineSoft);
    p.FillRoundRect({201, 141, 258, 160}, Radii{2, 2, 0, 0}, VGradient(141, 159, kFaceHigh, kFaceLow));
    p.HLine(201, 258, 160, kLineSoft);
    const Geometry g{r, Pt(6, 22), Pt(53, 22), Pt(6, 46), Pt(53, 46), Ltrb(2, 21, 57, 50)};
    auto& s = text.Control<qv::TqvDataSkinPanelControl>("groupbox");
    SetCustom(s, kPic, g);
    SetPanelText(s, Ltrb(6, 1, 53, 20));
    auto& e = text.Control<qv::TqvDataSkinExPanelControl>("expanel");
    SetCustom(e, kPic, g);
    e.captionrect = Ltrb(6, 1, 53, 20);
    e.font = TextFont(kText);
}

// Panels that reuse the tool bar's face (status bar, tool bars, scroll box, control bar).
void BuildToolBarPanels(SkinText& text) {
    const Geometry tool{Rc(330, 120, 59, 25), Pt(3, 3), Pt(56, 3), Pt(3, 22), Pt(56, 22), Ltrb(2, 2, 57, 23)};
    for (const char* name : {"bigtoolpanel", "resizetoolpanel"}) {
        auto& s = text.Control<qv::TqvDataSkinPanelControl>(name);
        SetCustom(s, kPic, tool);
        SetPanelText(s, kEmpty);
    }
    const Geometry panel{Rc(0, 0, 59, 52), Pt(6, 6), Pt(53, 6), Pt(6, 46), Pt(53, 46), Ltrb(2, 2, 57, 50)};
    SetCustom(text.Control<qv::TqvDataSkinScrollBoxControl>("scrollbox"), kPic, panel);
    SetCustom(text.Control<qv::TqvDataSkinControlBar>("controlbar"), kPic, panel);
}

void BuildStatusBar(Painter& p, SkinText& text) {
    const RECT bar = Rc(330, 150, 59, 20);
    Fill(p, bar, kFace);
    p.HLine(bar.left, bar.right, bar.top, kLineSoft);
    auto& s = text.Control<qv::TqvDataSkinPanelControl>("statusbar");
    SetCustom(s, kPic, {bar, Pt(3, 3), Pt(56, 3), Pt(3, 17), Pt(56, 17), Ltrb(2, 2, 57, 19)});
    SetPanelText(s, kEmpty);
    // Labels: a plain face, and a status-bar pane with a separator at its right end.
    const RECT label = Rc(330, 172, 40, 20), pane = Rc(330, 194, 40, 20);
    Fill(p, label, kFace);
    Fill(p, pane, kFace);
    p.VLine(pane.right - 1, pane.top + 3, pane.bottom - 3, kLine);
    auto& l = text.Control<qv::TqvDataSkinLabelControl>("label");
    SetCustom(l, kPic, {label, Pt(2, 10), Pt(38, 10), Pt(0, 0), Pt(0, 0), Ltrb(2, 0, 38, 20)});
    l.font = TextFont(kText);
    auto& sp = text.Control<qv::TqvDataSkinLabelControl>("statuspanel");
    SetCustom(sp, kPic, {pane, Pt(2, 10), Pt(37, 10), Pt(0, 0), Pt(0, 0), Ltrb(3, 0, 36, 20)});
    sp.font = TextFont(kText);
}

void BuildMainMenuBar(Painter& p, SkinText& text) {
    const RECT bar = Rc(330, 230, 59, 22);
    Fill(p, bar, kFace);
    p.HLine(bar.left, bar.right, bar.bottom - 1, kLineSoft);
    auto& s = text.Control<qv::TqvDataSkinMainMenuBar>("mainmenubar");
    s.pictureindex = kPic;
    s.skinrect = bar;
    s.itemsrect = Ltrb(2, 1, 57, 21);
    s.menubaritem = "mainmenubaritem";
    s.closebutton = "menubarclosebutton";
    s.minbutton = "menubarminbutton";
    s.maxbutton = "menubarmaxbutton";
    s.sysmenubutton = "menubarsysmenubutton";
    s.trackmarkcolor = SkinColour(kTextMuted);
    s.trackmarkactivecolor = SkinColour(kAccent);
}

// Spin edits: a field with two half-height buttons; the hovered and pressed images are full
// copies of the field to the right, so the button rectangles keep their offsets.
void BuildSpinEdits(Painter& p, SkinText& text) {
    const RECT field = Rc(200, 300, 60, 22);
    const RECT up = Ltrb(43, 2, 58, 11), down = Ltrb(43, 11, 58, 20);
    for (int k = 0; k < 3; ++k) {
        RECT r = Rc(field.left + 60 * k, field.top, 60, 22);
        FieldFace(p, r, k == 0 ? State::Normal : State::Focused);
        if (k > 0) {
            Pixel tint = k == 1 ? kAccentTint : kAccentTint2;
            Fill(p, Ltrb(r.left + up.left, r.top + up.top, r.left + up.right, r.top + down.bottom), tint);
        }
        p.VLine(r.left + 42, r.top + 4, r.bottom - 4, kLineSoft);
        Pixel ink = k == 0 ? kTextMuted : kAccentDark;
        GlyphArrow(p, {r.left + up.left, r.top + up.top, 15, 9}, Arrow::Up, ink, 3);
        GlyphArrow(p, {r.left + down.left, r.top + down.top, 15, 9}, Arrow::Down, ink, 3);
    }
    auto shifted = [](const RECT& q, int k) {
        return Ltrb(q.left + 60 * k, q.top, q.right + 60 * k, q.bottom);
    };
    for (const char* name : {"spinedit", "statusspinedit", "toolspinedit"}) {
        auto& s = text.Control<qv::TqvDataSkinSpinEditControl>(name);
        SetCustom(s, kPic, {field, Pt(3, 11), Pt(40, 11), Pt(0, 0), Pt(0, 0), Ltrb(3, 3, 41, 19)});
        s.activeskinrect = shifted(field, 1);
        s.font = TextFont(kText);
        s.activefontcolor = SkinColour(kText);
        s.disabledfontcolor = SkinColour(kTextDisabled);
        s.upbuttonrect = up;
        s.activeupbuttonrect = shifted(up, 1);
        s.downupbuttonrect = shifted(up, 2);
        s.downbuttonrect = down;
        s.activedownbuttonrect = shifted(down, 1);
        s.downdownbuttonrect = shifted(down, 2);
    }
}

void BuildColourOnly(SkinText& text) {
    auto& sl = text.Control<qv::TqvDataSkinSlider>("slider");
    sl.bgcolor = SkinColour(kFace);
    sl.pointscolor = SkinColour(kLine);
    auto& bv = text.Control<qv::TqvDataSkinBevel>("bevel");
    bv.lightcolor = SkinColour(Rgb(0xFF, 0xFF, 0xFF));
    bv.darkcolor = SkinColour(kLineSoft);
}
} // namespace

void BuildSecondary(SkinPictures& pics, SkinText& text) {
    Painter p(pics.extras[kPicControls].bitmap);
    BuildGroupBox(p, text);
    BuildToolBarPanels(text);
    BuildStatusBar(p, text);
    BuildMainMenuBar(p, text);
    BuildSpinEdits(p, text);
    BuildColourOnly(text);
}

} // namespace skingen
