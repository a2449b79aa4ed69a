// Picture 4: the controls the program's windows use, and their sections.

#include "Generator.h"
#include "Theme.h"
#include "Widgets.h"

namespace skingen {

namespace {
using namespace theme;

constexpr int kPic = kPicControls;
const RECT kEmpty{0, 0, 0, 0};

void Fill(Painter& p, const RECT& r, Pixel c) { p.FillRect(r.left, r.top, r.right, r.bottom, c); }
RECT Below(const RECT& r, int gap = 2) {
    return Rc(r.left, r.bottom + gap, r.right - r.left, r.bottom - r.top);
}

// --- panels -----------------------------------------------------------------------------------

void BuildPanel(Painter& p, SkinText& text) {
    const RECT r = Rc(0, 0, 59, 52);
    Fill(p, r, kFace);
    p.StrokeRoundRect({0, 0, 59, 52}, 0.0, kLineSoft);
    p.HLine(1, 58, 1, kFaceHigh); // the faint top light of a raised surface
    auto& s = text.Control<qv::TqvDataSkinPanelControl>("panel");
    SetCustom(s, kPic, {r, Pt(6, 6), Pt(53, 6), Pt(6, 46), Pt(53, 46), Ltrb(2, 2, 57, 50)});
    s.alignment = qv::taLeftJustify;
    s.font = TextFont(kText);
}

// A panel along the top of a dialog (the folder dialog's tool bar): a line under it.
void BuildToolPanel(Painter& p, SkinText& text) {
    const RECT r = Rc(330, 120, 59, 25);
    Fill(p, r, kFace);
    p.HLine(r.left, r.right, r.bottom - 1, kLineSoft);
    auto& s = text.Control<qv::TqvDataSkinPanelControl>("toolpanel");
    SetCustom(s, kPic, {r, Pt(3, 3), Pt(56, 3), Pt(3, 22), Pt(56, 22), Ltrb(2, 2, 57, 23)});
    s.alignment = qv::taLeftJustify;
    s.font = TextFont(kText);
}

// --- push buttons -----------------------------------------------------------------------------

void BuildButton(Painter& p, SkinText& text) {
    const RECT normal = Ltrb(458, 272, 500, 294);
    const RECT hot = Ltrb(458, 298, 500, 320), down = Ltrb(458, 324, 500, 346);
    const RECT focused = Ltrb(458, 350, 500, 372), disabled = Ltrb(458, 376, 500, 398);
    Fill(p, Ltrb(456, 270, 502, 400), kFace);
    ButtonFace(p, normal, State::Normal);
    ButtonFace(p, hot, State::Hot);
    ButtonFace(p, down, State::Down);
    ButtonFace(p, focused, State::Focused);
    ButtonFace(p, disabled, State::Disabled);
    auto& s = text.Control<qv::TqvDataSkinButtonControl>("button");
    SetCustom(s, kPic, {normal, Pt(3, 9), Pt(35, 11), Pt(0, 0), Pt(0, 0), Ltrb(2, 2, 40, 20)});
    SetButtonColours(s, kText, kAccentDark, kAccentDark, kTextDisabled);
    s.activeskinrect = hot;
    s.downskinrect = down;
    s.focusedskinrect = focused;
    s.disabledskinrect = disabled;
}

// A Corners button face for any size (tool-style drop-down boxes, the combo box's own button).
void BuildCornerButton(Painter& p, SkinText& text) {
    const RECT normal = Rc(0, 200, 30, 22);
    RECT hot = Below(normal), down = Below(hot), disabled = Below(down);
    Fill(p, Ltrb(0, 198, 32, 296), kFace);
    ButtonFace(p, normal, State::Normal);
    ButtonFace(p, hot, State::Hot);
    ButtonFace(p, down, State::Down);
    ButtonFace(p, disabled, State::Disabled);
    for (const char* name : {"resizetoolbutton", "combobutton"}) {
        auto& s = text.Control<qv::TqvDataSkinButtonControl>(name);
        SetCustom(s, kPic, {normal, Pt(4, 4), Pt(26, 4), Pt(4, 18), Pt(26, 18), Ltrb(3, 3, 27, 19)});
        SetButtonColours(s, kTextMuted, kAccentDark, kAccentDark, kTextDisabled);
        s.activeskinrect = hot;
        s.downskinrect = down;
        s.disabledskinrect = disabled;
    }
}

// Flat tool buttons (the folder dialog's new-folder button), Corners so any size fits.
void BuildToolButton(Painter& p, SkinText& text) {
    const RECT normal = Rc(400, 120, 27, 25);
    RECT hot = Below(normal), down = Below(hot), disabled = Below(down);
    ToolFace(p, normal, State::Normal, kFace);
    ToolFace(p, hot, State::Hot, kFace);
    ToolFace(p, down, State::Down, kFace);
    ToolFace(p, disabled, State::Disabled, kFace);
    for (const char* name :
         {"toolbutton", "bigtoolbutton", "vtracktoolbutton", "htracktoolbutton", "toolmenubutton",
          "toolmenutrackbutton", "bigtoolmenubutton", "bigtoolmenutrackbutton"}) {
        auto& s = text.Control<qv::TqvDataSkinButtonControl>(name);
        SetCustom(s, kPic, {normal, Pt(5, 5), Pt(22, 5), Pt(5, 20), Pt(22, 20), Ltrb(4, 4, 23, 21)});
        SetButtonColours(s, kText, kAccentDark, kAccentDark, kTextDisabled);
        s.activeskinrect = hot;
        s.downskinrect = down;
        s.disabledskinrect = disabled;
        s.focusedskinrect = hot;
    }
}

// The report list's column headers.
void BuildHeader(Painter& p, SkinText& text) {
    const RECT normal = Rc(280, 120, 40, 20);
    RECT hot = Below(normal), down = Below(hot);
    auto header = [&](const RECT& r, Pixel top, Pixel bottom) {
        p.FillRect(r.left, r.top, r.right, r.bottom, VGradient(r.top, r.bottom - 2, top, bottom));
        p.HLine(r.left, r.right, r.bottom - 1, kLine);
        p.VLine(r.right - 1, r.top + 4, r.bottom - 4, kLineSoft);
    };
    header(normal, Rgb(0xFF, 0xFF, 0xFF), kFaceLow);
    header(hot, Rgb(0xFF, 0xFF, 0xFF), kAccentTint);
    header(down, kAccentTint2, kAccentTint2);
    auto& s = text.Control<qv::TqvDataSkinButtonControl>("resizebutton");
    SetCustom(s, kPic, {normal, Pt(2, 10), Pt(37, 10), Pt(0, 0), Pt(0, 0), Ltrb(2, 0, 37, 19)});
    SetButtonColours(s, kText, kAccentDark, kAccentDark, kTextDisabled);
    s.activeskinrect = hot;
    s.downskinrect = down;
}

// --- fields -----------------------------------------------------------------------------------

void EditFields(qv::TqvDataSkinEditControl& s, const RECT& active, Pixel font) {
    s.activeskinrect = active;
    s.font = TextFont(font);
    s.disabledfontcolor = SkinColour(kTextDisabled);
    s.activefontcolor = SkinColour(kText);
}

void BuildMemo(Painter& p, SkinText& text) {
    const RECT normal = Rc(60, 0, 59, 52), active = Rc(120, 0, 59, 52);
    FieldFace(p, normal, State::Normal);
    FieldFace(p, active, State::Focused);
    auto& s = text.Control<qv::TqvDataSkinMemoControl>("memo");
    SetCustom(s, kPic, {normal, Pt(3, 3), Pt(55, 3), Pt(2, 48), Pt(56, 50), Ltrb(2, 2, 57, 50)});
    EditFields(s, active, Rgb(0, 0, 0));
    s.bgcolor = SkinColour(kWindow);
    s.activebgcolor = SkinColour(kWindow);
    auto& r = text.Control<qv::TqvDataSkinRichEdit>("richedit");
    r.pictureindex = kPic;
    r.skinrect = normal;
    r.font = TextFont(Rgb(0, 0, 0));
    r.bgcolor = SkinColour(kWindow);
}

// One-line fields: Horizontal at 22 pixels, and Corners at 25 for the tool bar's path field.
void BuildEdits(Painter& p, SkinText& text) {
    const RECT edit = Rc(180, 0, 60, 22), editActive = Below(edit);
    FieldFace(p, edit, State::Normal);
    FieldFace(p, editActive, State::Focused);
    const Geometry hg{edit, Pt(3, 11), Pt(57, 11), Pt(0, 0), Pt(0, 0), Ltrb(3, 3, 57, 19)};
    for (const char* name : {"edit", "statusedit"}) {
        auto& s = text.Control<qv::TqvDataSkinEditControl>(name);
        SetCustom(s, kPic, hg);
        EditFields(s, editActive, kText);
    }
    // With a "..." button at the right end.
    const RECT bedit = Rc(244, 0, 60, 22), beditActive = Below(bedit);
    FieldFace(p, bedit, State::Normal);
    FieldFace(p, beditActive, State::Focused);
    for (const RECT& r : {bedit, beditActive}) {
        p.VLine(r.left + 41, r.top + 4, r.bottom - 4, kLineSoft);
        for (int i = -1; i <= 1; ++i) {
            p.FillCircle(r.left + 50 + 3.0 * i, r.top + 11.5, 1.1, kTextMuted);
        }
    }
    const RECT bhot = Rc(130, 200, 16, 18), bdown = Rc(148, 200, 16, 18), boff = Rc(166, 200, 16, 18);
    const State states[] = {State::Hot, State::Down, State::Disabled};
    const RECT* cells[] = {&bhot, &bdown, &boff};
    for (int i = 0; i < 3; ++i) {
        const RECT& r = *cells[i];
        Fill(p, r, kWindow);
        if (states[i] != State::Disabled) {
            p.FillRoundRect({r.left + 0.0, r.top + 0.0, r.right + 0.0, r.bottom + 0.0}, 2.0,
                            states[i] == State::Down ? kAccentTint2 : kAccentTint);
        }
        Pixel ink = states[i] == State::Disabled ? kTextDisabled : kAccentDark;
        for (int k = -1; k <= 1; ++k) {
            p.FillCircle(r.left + 8 + 3.0 * k, r.top + 9.5, 1.1, ink);
        }
    }
    for (const char* name : {"buttonedit", "statusbuttonedit", "toolbuttonedit"}) {
        auto& s = text.Control<qv::TqvDataSkinEditControl>(name);
        SetCustom(s, kPic, {bedit, Pt(3, 11), Pt(40, 11), Pt(0, 0), Pt(0, 0), Ltrb(3, 3, 40, 19)});
        EditFields(s, beditActive, kText);
        s.buttonrect = Ltrb(42, 2, 58, 20);
        s.activebuttonrect = bhot;
        s.downbuttonrect = bdown;
        s.unenabledbuttonrect = boff;
    }
    const RECT tool = Rc(440, 0, 60, 25), toolActive = Below(tool);
    Fill(p, Ltrb(438, 0, 502, 54), kFace);
    FieldFace(p, tool, State::Normal);
    FieldFace(p, toolActive, State::Focused);
    auto& s = text.Control<qv::TqvDataSkinEditControl>("tooledit");
    SetCustom(s, kPic, {tool, Pt(4, 4), Pt(56, 4), Pt(4, 21), Pt(56, 21), Ltrb(3, 3, 57, 22)});
    EditFields(s, toolActive, kText);
}

// --- combo box and its list -------------------------------------------------------------------

void ComboFace(Painter& p, const RECT& r, State s) {
    FieldFace(p, r, s);
    p.VLine(r.left + 40, r.top + 4, r.bottom - 4, kLineSoft);
    GlyphChevron(p, {r.left + 41, r.top + 2, 16, 18}, Arrow::Down,
                 s == State::Disabled ? kTextDisabled : kTextMuted, 3.5);
}

void BuildComboBox(Painter& p, SkinText& text) {
    const RECT normal = Ltrb(318, 3, 377, 25), active = Below(normal);
    ComboFace(p, normal, State::Normal);
    ComboFace(p, active, State::Hot);
    // The drop button's own states, laid over the box at its button rectangle.
    const RECT hot = Rc(380, 5, 16, 18), down = Rc(398, 5, 16, 18), off = Rc(416, 5, 16, 18);
    Fill(p, Ltrb(380, 5, 432, 23), kWindow);
    p.FillRoundRect({380, 5, 396, 23}, 2.0, kAccentTint);
    p.FillRoundRect({398, 5, 414, 23}, 2.0, kAccentTint2);
    GlyphChevron(p, {hot.left, hot.top, 16, 18}, Arrow::Down, kAccent, 3.5);
    GlyphChevron(p, {down.left, down.top + 1, 16, 18}, Arrow::Down, kAccentDark, 3.5);
    Fill(p, off, kDisabledFace);
    GlyphChevron(p, {off.left, off.top, 16, 18}, Arrow::Down, kTextDisabled, 3.5);
    // Items drawn inside the box: the box's own face behind the text, so the item images are empty.
    for (const char* name : {"combobox", "captioncombobox", "statuscombobox", "toolcombobox"}) {
        auto& s = text.Control<qv::TqvDataSkinComboBox>(name);
        SetCustom(s, kPic, {normal, Pt(3, 10), Pt(37, 10), Pt(0, 0), Pt(0, 0), Ltrb(2, 2, 40, 20)});
        s.activeskinrect = active;
        s.itemtextrect = Ltrb(2, 2, 38, 18);
        s.font = TextFont(kText);
        s.focusfontcolor = SkinColour(kText);
        s.activefontcolor = SkinColour(kText);
        s.listboxname = "listbox";
        s.buttonrect = Ltrb(41, 2, 57, 20);
        s.activebuttonrect = hot;
        s.downbuttonrect = down;
        s.unenabledbuttonrect = off;
    }
}

void BuildListBox(Painter& p, SkinText& text) {
    const RECT frame = Ltrb(67, 130, 126, 182);
    Fill(p, frame, kWindow);
    p.StrokeRoundRect({67, 130, 126, 182}, 0.0, kLine);
    // Items 20 pixels high: plain, selected (accent), selected with the focus.
    const RECT item = Rc(130, 130, 60, 20), selected = Below(item), focus = Below(selected);
    Fill(p, Ltrb(128, 128, 192, 196), kWindow);
    Fill(p, item, kWindow);
    p.FillRoundRect({130, 152.0, 190, 172}, 2.0, kAccent);
    p.FillRoundRect({130, 174.0, 190, 194}, 2.0, kAccentDark);
    for (const char* name : {"listbox", "captionlistbox", "checklistbox", "captionchecklistbox"}) {
        auto& s = text.Control<qv::TqvDataSkinListBox>(name);
        SetCustom(s, kPic, {frame, Pt(3, 3), Pt(56, 3), Pt(3, 49), Pt(56, 49), Ltrb(2, 2, 57, 50)});
        s.itemrect = item;
        s.activeitemrect = selected;
        s.focusitemrect = focus;
        s.itemleftoffset = 3;
        s.itemrightoffset = 3;
        s.itemtextrect = Ltrb(5, 0, 57, 20);
        s.font = TextFont(kText);
        s.activefontcolor = SkinColour(kWindow);
        s.focusfontcolor = SkinColour(kWindow);
        s.captionfont = TextFont(kText);
    }
}

// --- scroll bars ------------------------------------------------------------------------------

struct BarLayout {
    RECT skin; // normal image
    bool vertical;
    RECT dec, inc, track; // relative to skin
};

void DrawBar(Painter& p, const BarLayout& b, State s) {
    RECT r = b.skin;
    if (s != State::Normal) { // hot and pressed buttons lie beside (vertical) or under the bar
        int k = s == State::Hot ? 1 : 2;
        int w = r.right - r.left, h = r.bottom - r.top;
        r = b.vertical ? Rc(r.left + k * w, r.top, w, h) : Rc(r.left, r.top + k * h, w, h);
    }
    Fill(p, r, kTrack);
    auto at = [&](const RECT& q) {
        return Ltrb(r.left + q.left, r.top + q.top, r.left + q.right, r.top + q.bottom);
    };
    ScrollButtonFace(p, at(b.dec), b.vertical ? Arrow::Up : Arrow::Left, s, kTrack);
    ScrollButtonFace(p, at(b.inc), b.vertical ? Arrow::Down : Arrow::Right, s, kTrack);
    // A hairline on the side facing the content keeps the bar apart from a white list.
    if (b.vertical) {
        p.VLine(r.left, r.top, r.bottom, kLineSoft);
    } else {
        p.HLine(r.left, r.right, r.top, kLineSoft);
    }
}

void SetBar(qv::TqvDataSkinScrollBarControl& s, const BarLayout& b, const RECT thumbs[3], POINT lt, POINT rt,
            POINT lb) {
    SetCustom(s, kPic, {b.skin, lt, rt, lb, Pt(0, 0), kEmpty});
    int w = b.skin.right - b.skin.left, h = b.skin.bottom - b.skin.top;
    auto shifted = [&](const RECT& q, int k) {
        return b.vertical ? Ltrb(q.left + k * w, q.top, q.right + k * w, q.bottom)
                          : Ltrb(q.left, q.top + k * h, q.right, q.bottom + k * h);
    };
    s.trackarea = b.track;
    s.upbuttonrect = b.inc;
    s.activeupbuttonrect = shifted(b.inc, 1);
    s.downupbuttonrect = shifted(b.inc, 2);
    s.downbuttonrect = b.dec;
    s.activedownbuttonrect = shifted(b.dec, 1);
    s.downdownbuttonrect = shifted(b.dec, 2);
    s.thumbrect = thumbs[0];
    s.activethumbrect = thumbs[1];
    s.downthumbrect = thumbs[2];
    s.thumboffset1 = 5;
    s.thumboffset2 = 5;
}

void BuildScrollBars(Painter& p, SkinText& text) {
    const BarLayout v{Rc(200, 60, 17, 68), true, Ltrb(0, 0, 17, 16), Ltrb(0, 52, 17, 68),
                      Ltrb(0, 16, 17, 52)};
    const BarLayout h{Rc(280, 60, 68, 17), false, Ltrb(0, 0, 16, 17), Ltrb(52, 0, 68, 17),
                      Ltrb(16, 0, 52, 17)};
    // Shares the corner with a vertical bar: 19 pixels of plain face after the increment button.
    const BarLayout both{Rc(400, 60, 87, 17), false, Ltrb(0, 0, 16, 17), Ltrb(52, 0, 68, 17),
                         Ltrb(16, 0, 52, 17)};
    for (State s : {State::Normal, State::Hot, State::Down}) {
        DrawBar(p, v, s);
        DrawBar(p, h, s);
        DrawBar(p, both, s);
        int k = s == State::Normal ? 0 : (s == State::Hot ? 1 : 2);
        RECT corner = Rc(400 + 68, 60 + 17 * k, 19, 17);
        Fill(p, corner, kFace);
    }
    RECT vthumbs[3], hthumbs[3];
    const State states[] = {State::Normal, State::Hot, State::Down};
    for (int i = 0; i < 3; ++i) {
        vthumbs[i] = Rc(251, 60 + 16 * i, 17, 14);
        hthumbs[i] = Rc(350 + 16 * i, 60, 14, 17);
        ThumbFace(p, vthumbs[i], true, states[i], kTrack);
        ThumbFace(p, hthumbs[i], false, states[i], kTrack);
    }
    using Bar = qv::TqvDataSkinScrollBarControl;
    SetBar(text.Control<Bar>("vscrollbar"), v, vthumbs, Pt(0, 18), Pt(0, 0), Pt(0, 50));
    SetBar(text.Control<Bar>("hscrollbar"), h, hthumbs, Pt(18, 0), Pt(50, 0), Pt(0, 0));
    SetBar(text.Control<Bar>("bothhscrollbar"), both, hthumbs, Pt(18, 0), Pt(50, 0), Pt(0, 0));
}

// --- progress ---------------------------------------------------------------------------------

void Trough(Painter& p, const Box& b) {
    p.FillRoundRect(b, 2.5, kLineSoft);
    p.FillRoundRect({b.left + 1, b.top + 1, b.right - 1, b.bottom - 1}, 1.5, kTrack);
}

void SetGauge(qv::TqvDataSkinGaugeControl& s, const RECT& area, const RECT& bar, bool vertical) {
    s.progressarea = area;
    s.progressrect = bar;
    s.beginoffset = 2;
    s.endoffset = 2;
    s.vertical = vertical;
    s.font = TextFont(kText);
}

void BuildGauges(Painter& p, SkinText& text) {
    // The bar's tile: accent with a lighter top, 2-pixel rounded caps at both ends.
    const RECT bar = Ltrb(24, 94, 43, 105);
    Fill(p, Ltrb(22, 92, 45, 107), kTrack);
    p.FillRoundRect({24, 94, 43, 105}, Radii::All(2.0),
                    VGradient(94, 104, Mix(kAccent, Rgb(0xFF, 0xFF, 0xFF), 0.25), kAccent));
    // The status gauge along the window's bottom edge: a hairline on top, the trough inside.
    const RECT status = Rc(0, 64, 48, 20);
    Fill(p, status, kFace);
    p.HLine(status.left, status.right, status.top, kLineSoft);
    Trough(p, {3, 67, 47, 80});
    using Gauge = qv::TqvDataSkinGaugeControl;
    auto& st = text.Control<Gauge>("statusgauge");
    SetCustom(st, kPic, {status, Pt(6, 10), Pt(42, 10), Pt(0, 0), Pt(0, 0), Ltrb(4, 4, 46, 15)});
    SetGauge(st, Ltrb(4, 4, 46, 15), bar, false);
    // A free-standing gauge: the trough alone on the face.
    const RECT gauge = Rc(0, 108, 48, 20);
    Fill(p, gauge, kFace);
    Trough(p, {3, 111, 47, 124});
    auto& g = text.Control<Gauge>("gauge");
    SetCustom(g, kPic, {gauge, Pt(6, 10), Pt(42, 10), Pt(0, 0), Pt(0, 0), Ltrb(4, 4, 46, 15)});
    SetGauge(g, Ltrb(4, 4, 46, 15), bar, false);
    // Vertical: 20 wide, the bar grows upwards.
    const RECT vgauge = Rc(0, 132, 20, 48), vbar = Rc(24, 132, 11, 19);
    Fill(p, vgauge, kFace);
    Trough(p, {3, 135, 17, 177});
    p.FillRoundRect({24, 132, 35, 151}, 2.0, kAccent);
    auto& vg = text.Control<Gauge>("vgauge");
    SetCustom(vg, kPic, {vgauge, Pt(10, 6), Pt(0, 0), Pt(10, 42), Pt(0, 0), Ltrb(4, 4, 15, 44)});
    SetGauge(vg, Ltrb(4, 4, 15, 44), vbar, true);
}

// --- lists and labels without pictures --------------------------------------------------------

void BuildPlainSections(SkinText& text) {
    auto& lv = text.Control<qv::TqvDataSkinListView>("listview");
    lv.font = TextFont(Rgb(0, 0, 0));
    lv.bgcolor = SkinColour(kWindow);
    auto& tv = text.Control<qv::TqvDataSkinTreeView>("treeview");
    tv.font = TextFont(Rgb(0, 0, 0));
    tv.bgcolor = SkinColour(kWindow);
    auto& l = text.Control<qv::TqvDataSkinStdLabelControl>("stdlabel");
    l.font = TextFont(kText);
    l.activefontcolor = SkinColour(Rgb(0x50, 0x8F, 0xD0));
}
} // namespace

void BuildControls(SkinPictures& pics, SkinText& text) {
    Picture& pic = pics.extras[kPicControls];
    pic.file = "controls.bmp";
    pic.bitmap = gfx::Bitmap(556, 410, kFace);
    Painter p(pic.bitmap);
    BuildPanel(p, text);
    BuildToolPanel(p, text);
    BuildButton(p, text);
    BuildCornerButton(p, text);
    BuildToolButton(p, text);
    BuildHeader(p, text);
    BuildMemo(p, text);
    BuildEdits(p, text);
    BuildComboBox(p, text);
    BuildListBox(p, text);
    BuildScrollBars(p, text);
    BuildGauges(p, text);
    BuildPlainSections(text);
}

} // namespace skingen
