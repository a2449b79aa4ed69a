// Picture 5 and the remaining sections: check boxes, track bars, tabs, grid, splitters, spin
// buttons, and the panels and labels that reuse the pictures of the main controls.

#include "Generator.h"
#include "Theme.h"
#include "Widgets.h"

namespace skingen {

namespace {
using namespace theme;

void Fill(Painter& p, const RECT& r, Pixel c) { p.FillRect(r.left, r.top, r.right, r.bottom, c); }
Box B(const RECT& r, double inset = 0) {
    return {r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
}

// --- check boxes and radio buttons (picture 5) ------------------------------------------------

enum class Mark { Check, None, Grayed };

void CheckImage(Painter& p, const RECT& r, bool radio, Mark mark, State s) {
    bool on = mark != Mark::None;
    Pixel line = s == State::Disabled ? kLineSoft : (s == State::Hot ? kAccent : kLine);
    Pixel fill = s == State::Disabled ? kDisabledFace : kWindow;
    if (on && s != State::Disabled && mark == Mark::Check) {
        line = fill = s == State::Hot ? kAccentDark : kAccent;
    }
    double radius = radio ? 6.5 : 2.5;
    p.FillRoundRect(B(r), radius, line);
    p.FillRoundRect(B(r, 1), radius - 1, fill);
    Cell c{r.left, r.top, 13, 13};
    Pixel ink = s == State::Disabled ? kTextDisabled : Rgb(0xFF, 0xFF, 0xFF);
    if (mark == Mark::Grayed) {
        p.FillRect(r.left + 3, r.top + 6, r.right - 3, r.top + 7,
                   s == State::Disabled ? kTextDisabled : kAccent);
    } else if (on) {
        radio ? p.FillCircle(c.cx(), c.cy(), 2.5, ink) : GlyphCheck(p, c, ink);
    }
}

void BuildCheckRadio(Painter& p, SkinText& text) {
    using Check = qv::TqvDataSkinCheckRadioControl;
    struct Img {
        RECT Check::*field;
        Mark mark;
        State state;
    };
    const Img imgs[] = {{&Check::checkimagerect, Mark::Check, State::Normal},
                        {&Check::uncheckimagerect, Mark::None, State::Normal},
                        {&Check::activecheckimagerect, Mark::Check, State::Hot},
                        {&Check::activeuncheckimagerect, Mark::None, State::Hot},
                        {&Check::unenabledcheckimagerect, Mark::Check, State::Disabled},
                        {&Check::unenableduncheckimagerect, Mark::None, State::Disabled},
                        {&Check::grayedcheckimagerect, Mark::Grayed, State::Normal},
                        {&Check::activegrayedcheckimagerect, Mark::Grayed, State::Hot}};
    const RECT face = Rc(0, 34, 100, 20);
    Fill(p, face, kFace);
    for (int radio = 0; radio < 2; ++radio) {
        auto& s = text.Control<Check>(radio ? "radiobox" : "checkbox");
        SetCustom(s, kPicMore, {face, Pt(16, 10), Pt(98, 10), Pt(0, 0), Pt(0, 0), Ltrb(16, 0, 98, 20)});
        s.font = TextFont(kText);
        s.activefontcolor = SkinColour(kText);
        s.unenabledfontcolor = SkinColour(kTextDisabled);
        s.framefontcolor = SkinColour(kText);
        s.activeskinrect = face;
        s.checkimagearea = Ltrb(2, 3, 15, 16);
        s.textarea = Ltrb(19, 0, 98, 20);
        for (int i = 0; i < 8; ++i) {
            RECT r = Rc(2 + 15 * i, 2 + 15 * radio, 13, 13);
            CheckImage(p, r, radio == 1, imgs[i].mark, imgs[i].state);
            s.*imgs[i].field = r;
        }
    }
    // The check list box marks its items with the same boxes.
    for (const char* name : {"checklistbox", "captionchecklistbox"}) {
        auto& list = text.Control<qv::TqvDataSkinCheckListBox>(name);
        list.itemcheckrect = Ltrb(3, 3, 16, 16);
        list.checkimagerect = Rc(2, 2, 13, 13);
        list.uncheckimagerect = Rc(17, 2, 13, 13);
    }
}

// --- track bars -------------------------------------------------------------------------------

void TrackThumb(Painter& p, const RECT& r, bool hot) {
    Fill(p, r, kFace);
    Cell c{r.left, r.top, r.right - r.left, r.bottom - r.top};
    p.FillCircle(c.cx(), c.cy(), 5.5, hot ? kAccentDark : kAccent);
    p.FillCircle(c.cx(), c.cy(), 2.0, Rgb(0xFF, 0xFF, 0xFF));
}

void BuildTrackBars(Painter& p, SkinText& text) {
    const RECT h = Rc(0, 60, 100, 20), ht = Rc(104, 60, 13, 20), hta = Rc(119, 60, 13, 20);
    Fill(p, h, kFace);
    p.FillRoundRect({6, 68.5, 94, 71.5}, 1.5, kLine);
    TrackThumb(p, ht, false);
    TrackThumb(p, hta, true);
    using Track = qv::TqvDataSkinTrackBarControl;
    auto& s = text.Control<Track>("trackbar");
    SetCustom(s, kPicMore, {h, Pt(8, 10), Pt(92, 10), Pt(0, 0), Pt(0, 0), Ltrb(6, 0, 94, 20)});
    s.activeskinrect = h;
    s.trackarea = Ltrb(6, 0, 94, 20);
    s.buttonrect = ht;
    s.activebuttonrect = hta;
    const RECT v = Rc(190, 0, 20, 100), vt = Rc(190, 104, 20, 13), vta = Rc(190, 119, 20, 13);
    Fill(p, v, kFace);
    p.FillRoundRect({198.5, 6, 201.5, 94}, 1.5, kLine);
    TrackThumb(p, vt, false);
    TrackThumb(p, vta, true);
    auto& t = text.Control<Track>("htrackbar");
    SetCustom(t, kPicMore, {v, Pt(10, 8), Pt(0, 0), Pt(10, 92), Pt(0, 0), Ltrb(0, 6, 20, 94)});
    t.activeskinrect = v;
    t.trackarea = Ltrb(0, 6, 20, 94);
    t.buttonrect = vt;
    t.activebuttonrect = vta;
    t.vertical = true;
}

// --- tabs and grid ----------------------------------------------------------------------------

void TabImage(Painter& p, const RECT& r, Pixel top, Pixel bottom, Pixel line, bool accent) {
    Fill(p, r, kFace);
    Radii radii{3, 3, 0, 0};
    p.FillRoundRect(B(r), radii, Solid(line));
    p.FillRoundRect({r.left + 1.0, r.top + 1.0, r.right - 1.0, r.bottom + 0.0}, Radii{2, 2, 0, 0},
                    VGradient(r.top, r.bottom, top, bottom));
    if (accent) {
        p.FillRoundRect({r.left + 1.0, r.top + 1.0, r.right - 1.0, r.top + 3.0}, Radii{2, 2, 0, 0},
                        Solid(kAccent));
    } else {
        p.HLine(r.left, r.right, r.bottom - 1, kLine);
    }
}

void BuildTabs(Painter& p, SkinText& text) {
    const RECT tab = Rc(0, 86, 60, 22), active = Rc(62, 86, 60, 22), hover = Rc(124, 86, 60, 22);
    TabImage(p, tab, kFaceHigh, kFaceLow, kLineSoft, false);
    TabImage(p, active, kWindow, kWindow, kLine, true);
    TabImage(p, hover, kWindow, kAccentTint, kAccentLine, false);
    const RECT page = Rc(0, 112, 59, 52);
    FieldFace(p, page, State::Normal, 0.0);
    auto& s = text.Control<qv::TqvDataSkinTabControl>("tab");
    s.pictureindex = kPicMore;
    s.skinrect = page;
    s.tabrect = tab;
    s.activetabrect = active;
    s.focustabrect = active;
    s.mouseintabrect = hover;
    s.clientrect = Ltrb(2, 2, 57, 50);
    s.lefttoppoint = Pt(3, 3);
    s.righttoppoint = Pt(56, 3);
    s.leftbottompoint = Pt(3, 49);
    s.rightbottompoint = Pt(56, 49);
    s.tableftoffset = 4;
    s.tabrightoffset = 4;
    s.font = TextFont(kText);
    s.activefontcolor = SkinColour(kAccentDark);
    s.focusfontcolor = SkinColour(kAccentDark);
    s.mouseinfontcolor = SkinColour(kAccent);
    s.updown = "hupdown";

    const RECT fixed = Rc(62, 112, 40, 18), select = Rc(104, 112, 40, 18), focus = Rc(62, 132, 40, 18);
    p.FillRect(fixed.left, fixed.top, fixed.right, fixed.bottom,
               VGradient(fixed.top, fixed.bottom - 2, kWindow, kFaceLow));
    p.HLine(fixed.left, fixed.right, fixed.bottom - 1, kLine);
    p.VLine(fixed.right - 1, fixed.top, fixed.bottom, kLineSoft);
    Fill(p, select, kAccentTint);
    Fill(p, focus, kAccentTint);
    p.StrokeRoundRect(B(focus), 0.0, kAccent);
    auto& g = text.Control<qv::TqvDataSkinGridControl>("grid");
    g.pictureindex = kPicMore;
    g.fixedcellrect = fixed;
    g.selectcellrect = select;
    g.focuscellrect = focus;
    g.fixedcellleftoffset = 2;
    g.fixedcellrightoffset = 2;
    g.fixedcelltextrect = Ltrb(3, 0, 37, 17);
    g.cellleftoffset = 2;
    g.cellrightoffset = 2;
    g.celltextrect = Ltrb(3, 0, 37, 18);
    g.linescolor = SkinColour(kLineSoft);
    g.bgcolor = SkinColour(kWindow);
    g.font = TextFont(kText);
    g.selectfontcolor = SkinColour(kText);
    g.focusfontcolor = SkinColour(kText);
    g.fixedfont = TextFont(kText);
}

// --- splitters and spin buttons ---------------------------------------------------------------

void BuildSplitters(Painter& p, SkinText& text) {
    const RECT v = Rc(150, 112, 6, 20), vgrip = Rc(158, 112, 6, 14);
    const RECT h = Rc(150, 172, 40, 6), hgrip = Rc(194, 172, 14, 6);
    Fill(p, v, kFace);
    Fill(p, h, kFace);
    Fill(p, vgrip, kFace);
    Fill(p, hgrip, kFace);
    for (int i = 0; i < 3; ++i) {
        p.FillCircle(161, 115.5 + 4 * i, 1.0, kThumbHot);
        p.FillCircle(197.5 + 4 * i, 175, 1.0, kThumbHot);
    }
    using Splitter = qv::TqvDataSkinSplitterControl;
    auto& vs = text.Control<Splitter>("vsplitter");
    SetCustom(vs, kPicMore, {v, Pt(0, 3), Pt(0, 0), Pt(0, 17), Pt(0, 0), Ltrb(0, 0, 6, 20)});
    vs.gripperrect = vgrip;
    auto& hs = text.Control<Splitter>("hsplitter");
    SetCustom(hs, kPicMore, {h, Pt(3, 0), Pt(37, 0), Pt(0, 0), Pt(0, 0), Ltrb(0, 0, 40, 6)});
    hs.gripperrect = hgrip;
}

// Spin buttons: normal image, then the hovered (= pressed) image beside it.
void BuildUpDowns(Painter& p, SkinText& text) {
    const RECT v = Rc(150, 134, 16, 36), h = Rc(62, 152, 36, 16);
    for (int k = 0; k < 2; ++k) {
        State s = k == 0 ? State::Normal : State::Hot;
        RECT vr = Rc(v.left + 16 * k, v.top, 16, 36), hr = Rc(h.left + 36 * k, h.top, 36, 16);
        ScrollButtonFace(p, Rc(vr.left, vr.top, 16, 18), Arrow::Up, s, kFace);
        ScrollButtonFace(p, Rc(vr.left, vr.top + 18, 16, 18), Arrow::Down, s, kFace);
        ScrollButtonFace(p, Rc(hr.left, hr.top, 18, 16), Arrow::Left, s, kFace);
        ScrollButtonFace(p, Rc(hr.left + 18, hr.top, 18, 16), Arrow::Right, s, kFace);
    }
    using UpDown = qv::TqvDataSkinUpDownControl;
    auto& vs = text.Control<UpDown>("vupdown");
    SetCustom(vs, kPicMore, {v});
    vs.upbuttonrect = Ltrb(0, 0, 16, 18);
    vs.activeupbuttonrect = Ltrb(16, 0, 32, 18);
    vs.downupbuttonrect = Ltrb(16, 0, 32, 18);
    vs.downbuttonrect = Ltrb(0, 18, 16, 36);
    vs.activedownbuttonrect = Ltrb(16, 18, 32, 36);
    vs.downdownbuttonrect = Ltrb(16, 18, 32, 36);
    auto& hs = text.Control<UpDown>("hupdown");
    SetCustom(hs, kPicMore, {h});
    // The skin's "up" button is the increment (right) one.
    hs.upbuttonrect = Ltrb(18, 0, 36, 16);
    hs.activeupbuttonrect = Ltrb(54, 0, 72, 16);
    hs.downupbuttonrect = Ltrb(54, 0, 72, 16);
    hs.downbuttonrect = Ltrb(0, 0, 18, 16);
    hs.activedownbuttonrect = Ltrb(36, 0, 54, 16);
    hs.downdownbuttonrect = Ltrb(36, 0, 54, 16);
}
} // namespace

void BuildMoreControls(SkinPictures& pics, SkinText& text) {
    Picture& pic = pics.extras[kPicMore];
    pic.file = "controls2.bmp";
    pic.bitmap = gfx::Bitmap(219, 178, theme::kFace);
    Painter p(pic.bitmap);
    BuildCheckRadio(p, text);
    BuildTrackBars(p, text);
    BuildTabs(p, text);
    BuildSplitters(p, text);
    BuildUpDowns(p, text);
}

} // namespace skingen
