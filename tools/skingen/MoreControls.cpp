// Picture 5 and the remaining sections: check boxes, track bars, tabs, grid, splitters, spin
// buttons, and the panels and labels that reuse the pictures of the main controls.

#include "Generator.h"
#include "Theme.h"
#include "Widgets.h"

namespace skingen {

namespace {
using namespace theme;

const RECT kEmpty{0, 0, 0, 0};
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
        p.FillRect(r.left + 3, r.top + 6, r.right - 3, r.top + 7, s == State::Disabled ? kTextDisabled : kAccent);
    } else if (on) {
        radio ? p.FillCircle(c.cx(), c.cy(), 2.5, ink) : GlyphCheck(p, c, ink);
    }
}

void BuildCheckRadio(Painter& p, SkinText& text) {
    struct Img { const char* key; Mark mark; State state; };
    const Img imgs[] = {{"checkimagerect", Mark::Check, State::Normal},
                        {"uncheckimagerect", Mark::None, State::Normal},
                        {"activecheckimagerect", Mark::Check, State::Hot},
                        {"activeuncheckimagerect", Mark::None, State::Hot},
                        {"unenabledcheckimagerect", Mark::Check, State::Disabled},
                        {"unenableduncheckimagerect", Mark::None, State::Disabled},
                        {"grayedcheckimagerect", Mark::Grayed, State::Normal},
                        {"activegrayedcheckimagerect", Mark::Grayed, State::Hot}};
    const RECT face = Rc(0, 34, 100, 20);
    Fill(p, face, kFace);
    for (int radio = 0; radio < 2; ++radio) {
        Section& s = text[radio ? "radiobox" : "checkbox"];
        WriteCustom(s, kPicMore, {face, Pt(16, 10), Pt(98, 10), Pt(0, 0), Pt(0, 0), Ltrb(16, 0, 98, 20)});
        WriteFont(s, kText);
        s.Set("activefontcolor", ColorRef(kText)).Set("unenabledfontcolor", ColorRef(kTextDisabled))
            .Set("framefontcolor", ColorRef(kText)).Set("activeskinrect", face)
            .Set("checkimagearea", Ltrb(2, 3, 15, 16)).Set("textarea", Ltrb(19, 0, 98, 20));
        for (int i = 0; i < 8; ++i) {
            RECT r = Rc(2 + 15 * i, 2 + 15 * radio, 13, 13);
            CheckImage(p, r, radio == 1, imgs[i].mark, imgs[i].state);
            s.Set(imgs[i].key, r);
        }
        s.Flag("morphing", false).Set("morphkind", "mkdefault");
    }
    // The check list box marks its items with the same boxes.
    for (const char* name : {"checklistbox", "captionchecklistbox"}) {
        text[name].Set("itemcheckrect", Ltrb(3, 3, 16, 16)).Set("checkimagerect", Rc(2, 2, 13, 13))
            .Set("uncheckimagerect", Rc(17, 2, 13, 13));
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
    Section& s = text["trackbar"];
    WriteCustom(s, kPicMore, {h, Pt(8, 10), Pt(92, 10), Pt(0, 0), Pt(0, 0), Ltrb(6, 0, 94, 20)});
    s.Set("activeskinrect", h).Set("trackarea", Ltrb(6, 0, 94, 20)).Set("buttonrect", ht)
        .Set("activebuttonrect", hta).Flag("vertical", false).Flag("buttontransparent", false)
        .Set("buttontransparentcolor", 0);
    const RECT v = Rc(190, 0, 20, 100), vt = Rc(190, 104, 20, 13), vta = Rc(190, 119, 20, 13);
    Fill(p, v, kFace);
    p.FillRoundRect({198.5, 6, 201.5, 94}, 1.5, kLine);
    TrackThumb(p, vt, false);
    TrackThumb(p, vta, true);
    Section& t = text["htrackbar"];
    WriteCustom(t, kPicMore, {v, Pt(10, 8), Pt(0, 0), Pt(10, 92), Pt(0, 0), Ltrb(0, 6, 20, 94)});
    t.Set("activeskinrect", v).Set("trackarea", Ltrb(0, 6, 20, 94)).Set("buttonrect", vt)
        .Set("activebuttonrect", vta).Flag("vertical", true).Flag("buttontransparent", false)
        .Set("buttontransparentcolor", 0);
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
    Section& s = text["tab"];
    s.Set("pictureindex", int(kPicMore)).Set("maskpictureindex", -1).Set("skinrect", page)
        .Set("tabrect", tab).Set("activetabrect", active).Set("focustabrect", active)
        .Set("mouseintabrect", hover).Set("clientrect", Ltrb(2, 2, 57, 50))
        .Set("bgpictureindex", -1).Set("lefttoppoint", Pt(3, 3)).Set("righttoppoint", Pt(56, 3))
        .Set("leftbottompoint", Pt(3, 49)).Set("rightbottompoint", Pt(56, 49))
        .Set("tableftoffset", 4).Set("tabrightoffset", 4).Set("tabsbgrect", kEmpty)
        .Flag("tabstretcheffect", false).Flag("leftstretch", false).Flag("topstretch", false)
        .Flag("rightstretch", false).Flag("bottomstretch", false).Flag("stretcheffect", false)
        .Set("stretchtype", "stfull");
    WriteFont(s, kText);
    s.Set("activefontcolor", ColorRef(kAccentDark)).Set("focusfontcolor", ColorRef(kAccentDark))
        .Set("mouseinfontcolor", ColorRef(kAccent)).Set("updown", "hupdown")
        .Flag("showfocus", false);

    const RECT fixed = Rc(62, 112, 40, 18), select = Rc(104, 112, 40, 18), focus = Rc(62, 132, 40, 18);
    p.FillRect(fixed.left, fixed.top, fixed.right, fixed.bottom,
               VGradient(fixed.top, fixed.bottom - 2, kWindow, kFaceLow));
    p.HLine(fixed.left, fixed.right, fixed.bottom - 1, kLine);
    p.VLine(fixed.right - 1, fixed.top, fixed.bottom, kLineSoft);
    Fill(p, select, kAccentTint);
    Fill(p, focus, kAccentTint);
    p.StrokeRoundRect(B(focus), 0.0, kAccent);
    Section& g = text["grid"];
    g.Set("pictureindex", int(kPicMore)).Set("maskpictureindex", -1).Set("skinrect", kEmpty)
        .Set("fixedcellrect", fixed).Set("selectcellrect", select).Set("focuscellrect", focus)
        .Set("fixedcellleftoffset", 2).Set("fixedcellrightoffset", 2)
        .Set("fixedcelltextrect", Ltrb(3, 0, 37, 17)).Set("cellleftoffset", 2)
        .Set("cellrightoffset", 2).Set("celltextrect", Ltrb(3, 0, 37, 18))
        .Set("bgpictureindex", -1).Set("linescolor", ColorRef(kLineSoft)).Set("bgcolor", 16777215L);
    WriteFont(g, kText);
    g.Set("selectfontcolor", ColorRef(kText)).Set("focusfontcolor", ColorRef(kText));
    WriteFont(g, kText, "fixed");
    g.Flag("cellstretcheffect", false).Flag("fixedcellstretcheffect", false).Flag("showfocus", false);
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
    Section& vs = text["vsplitter"];
    WriteCustom(vs, kPicMore, {v, Pt(0, 3), Pt(0, 0), Pt(0, 17), Pt(0, 0), Ltrb(0, 0, 6, 20)});
    vs.Set("gripperrect", vgrip).Flag("grippertransparent", false).Set("grippertransparentcolor", 0);
    Section& hs = text["hsplitter"];
    WriteCustom(hs, kPicMore, {h, Pt(3, 0), Pt(37, 0), Pt(0, 0), Pt(0, 0), Ltrb(0, 0, 40, 6)});
    hs.Set("gripperrect", hgrip).Flag("grippertransparent", false).Set("grippertransparentcolor", 0);
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
    Section& vs = text["vupdown"];
    WriteCustom(vs, kPicMore, {v, Pt(0, 0), Pt(0, 0), Pt(0, 0), Pt(0, 0), kEmpty});
    vs.Set("upbuttonrect", Ltrb(0, 0, 16, 18)).Set("activeupbuttonrect", Ltrb(16, 0, 32, 18))
        .Set("downupbuttonrect", Ltrb(16, 0, 32, 18)).Set("downbuttonrect", Ltrb(0, 18, 16, 36))
        .Set("activedownbuttonrect", Ltrb(16, 18, 32, 36)).Set("downdownbuttonrect", Ltrb(16, 18, 32, 36));
    Section& hs = text["hupdown"];
    WriteCustom(hs, kPicMore, {h, Pt(0, 0), Pt(0, 0), Pt(0, 0), Pt(0, 0), kEmpty});
    // The skin's "up" button is the increment (right) one.
    hs.Set("upbuttonrect", Ltrb(18, 0, 36, 16)).Set("activeupbuttonrect", Ltrb(54, 0, 72, 16))
        .Set("downupbuttonrect", Ltrb(54, 0, 72, 16)).Set("downbuttonrect", Ltrb(0, 0, 18, 16))
        .Set("activedownbuttonrect", Ltrb(36, 0, 54, 16)).Set("downdownbuttonrect", Ltrb(36, 0, 54, 16));
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
