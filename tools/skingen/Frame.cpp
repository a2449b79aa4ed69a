// The window frame: the form picture, its mask and the caption buttons.

#include "Generator.h"
#include "Glyphs.h"
#include "Theme.h"
#include "Widgets.h"

#include <functional>

namespace skingen {

namespace {
using namespace theme;

constexpr int kFrameW = 285, kFrameH = 210;
constexpr RECT kClient{4, 27, 281, 206};
constexpr int kCaptionLine = 26; // separator between caption and client
const Radii kWindowRadii = Radii::All(7);

Pixel FrameInterior(int x, int y) {
    if (y < kCaptionLine) {
        return CaptionColour(y);
    }
    bool innerLine = (y == kCaptionLine || y == kClient.bottom) && x >= kClient.left - 1 &&
                     x <= kClient.right;
    innerLine |= (x == kClient.left - 1 || x == kClient.right) && y >= kCaptionLine && y <= kClient.bottom;
    if (innerLine) {
        return kLineSoft;
    }
    if (x < kClient.left || x >= kClient.right || y >= kClient.bottom) {
        return kCaptionBottom;
    }
    return kFace;
}

void DrawFramePicture(Picture& pic) {
    pic.file = "frame.bmp";
    pic.bitmap = gfx::Bitmap(kFrameW, kFrameH, kLineStrong);
    Painter p(pic.bitmap);
    Radii inner{kWindowRadii.lt - 1, kWindowRadii.rt - 1, kWindowRadii.rb - 1, kWindowRadii.lb - 1};
    p.FillRoundRect({1, 1, kFrameW - 1.0, kFrameH - 1.0}, inner, FrameInterior);
    // A faint highlight under the top outline lifts the caption.
    p.FillRect(8, 1, kFrameW - 8, 2, Rgb(0xFF, 0xFF, 0xFF));
}

// Black inside the window, white outside: the rounded outline of the frame.
void DrawFrameMask(Picture& pic) {
    pic.file = "framemask.bmp";
    pic.bits = 8;
    pic.bitmap = gfx::Bitmap(kFrameW, kFrameH, Rgb(0xFF, 0xFF, 0xFF));
    Box outline{0, 0, double(kFrameW), double(kFrameH)};
    for (int y = 0; y < kFrameH; ++y) {
        for (int x = 0; x < kFrameW; ++x) {
            if (InsideRoundRect(outline, kWindowRadii, x + 0.5, y + 0.5)) {
                pic.bitmap.SetPixel(x, y, 0);
            }
        }
    }
}

enum class BtnState { Normal, Active, Down, Inactive };
using GlyphFn = std::function<void(Painter&, const Cell&, Pixel glyph, Pixel back)>;

// One caption-button image; frameTop is the frame row the cell's first row shows.
void DrawCaptionButton(Painter& p, const Cell& c, int frameTop, BtnState s, bool danger,
                       const GlyphFn& glyph) {
    p.FillRect(c.x, c.y, c.x + c.w, c.y + c.h, [&](int, int y) { return CaptionColour(frameTop + y - c.y); });
    Pixel ink = kTextMuted, back = CaptionColour(frameTop + c.h / 2);
    if (s == BtnState::Active || s == BtnState::Down) {
        Pixel fill = danger ? (s == BtnState::Down ? kCloseDown : kClose)
                            : (s == BtnState::Down ? kAccentTint2 : kAccentTint);
        p.FillRoundRect({c.x + 1.0, c.y + 1.0, c.x + c.w - 1.0, c.y + c.h - 1.0}, 4.0, fill);
        ink = danger ? Rgb(0xFF, 0xFF, 0xFF) : (s == BtnState::Down ? kAccentDark : kAccent);
        back = fill;
    } else if (s == BtnState::Inactive) {
        ink = kTextDisabled;
    }
    glyph(p, c, ink, back);
}

struct CaptionButton {
    const char* name;
    qv::TqvStdCommand command;
    const char* hint;
    int column, firstRow; // cell of the normal image; the other states follow downwards
    bool danger;
    GlyphFn glyph;
    int restoreRow = -1; // first row of the restore images, -1 none
    GlyphFn restoreGlyph;
};

constexpr int kCell = 21;
constexpr int kButtonTop = 5; // frame row of the caption buttons' top edge

RECT CellRect(int column, int row) { return Rc(column * kCell, row * kCell, kCell, kCell); }

void WriteButtonImages(Painter& p, int column, int row, bool danger, const GlyphFn& glyph) {
    const BtnState states[] = {BtnState::Normal, BtnState::Active, BtnState::Down, BtnState::Inactive};
    for (int i = 0; i < 4; ++i) {
        RECT r = CellRect(column, row + i);
        DrawCaptionButton(p, {r.left, r.top, kCell, kCell}, kButtonTop, states[i], danger, glyph);
    }
}

void StdButtonRecord(SkinText& text, const CaptionButton& b) {
    auto& s = text.Object<qv::TqvDataSkinStdButton>(b.name);
    s.hint = b.hint;
    s.activepictureindex = kPicButtons;
    s.skinrectinapicture = true;
    s.skinrect = CellRect(b.column, b.firstRow);
    s.activeskinrect = CellRect(b.column, b.firstRow + 1);
    s.downrect = CellRect(b.column, b.firstRow + 2);
    s.inactiveskinrect = CellRect(b.column, b.firstRow + 3);
    s.disableskinrsect = CellRect(b.column, b.firstRow + 3);
    s.command = b.command;
    if (b.restoreRow >= 0) {
        s.restorerect = CellRect(b.column, b.restoreRow);
        s.restoreactiverect = CellRect(b.column, b.restoreRow + 1);
        s.restoredownrect = CellRect(b.column, b.restoreRow + 2);
        s.restoreinactiverect = CellRect(b.column, b.restoreRow + 3);
    }
}

void BuildCaptionButtons(Picture& pic, SkinText& text) {
    pic.file = "buttons.bmp";
    pic.bitmap = gfx::Bitmap(75, 263, kFace);
    Painter p(pic.bitmap);
    auto plain = [](void (*fn)(Painter&, const Cell&, Pixel)) {
        return GlyphFn([fn](Painter& q, const Cell& c, Pixel ink, Pixel) { fn(q, c, ink); });
    };
    GlyphFn restore = [](Painter& q, const Cell& c, Pixel ink, Pixel back) { GlyphRestore(q, c, ink, back); };
    const CaptionButton buttons[] = {
        {"closebutton", qv::cmClose, "Close", 0, 0, true, plain(GlyphClose), -1, {}},
        {"maxbutton", qv::cmMaximize, "Maximize", 1, 0, false, plain(GlyphMaximize), 4, restore},
        {"minbutton", qv::cmMinimize, "Minimize", 2, 0, false, plain(GlyphMinimize), 4, restore},
        {"rollupbutton", qv::cmRollUp, "Roll Up", 0, 4, false, plain(GlyphRollUp), 8, plain(GlyphRollDown)},
        {"traybutton", qv::cmMinimizeToTray, "Minimize to Tray", 1, 8, false, plain(GlyphTray), -1, {}},
    };
    for (const auto& b : buttons) {
        WriteButtonImages(p, b.column, b.firstRow, b.danger, b.glyph);
        if (b.restoreRow >= 0) {
            WriteButtonImages(p, b.column, b.restoreRow, b.danger, b.restoreGlyph);
        }
        StdButtonRecord(text, b);
    }
    // The system-menu button: the program's icon in 14 x 12 cells under the minimize column.
    // Centred in the caption band, its first row is frame row 8.
    auto& sys = text.Object<qv::TqvDataSkinStdButton>("sysmenubutton");
    sys.hint = "System menu";
    sys.activepictureindex = kPicButtons;
    sys.skinrectinapicture = true;
    RECT* const states[] = {&sys.skinrect, &sys.activeskinrect, &sys.downrect, &sys.inactiveskinrect};
    for (int i = 0; i < 4; ++i) {
        RECT r = Rc(2 * kCell, 8 * kCell + i * 13, 14, 12);
        p.FillRect(r.left, r.top, r.right, r.bottom,
                   [&](int, int y) { return CaptionColour(8 + y - r.top); });
        Pixel accent = i == 3 ? kTextDisabled : (i == 2 ? kAccentDark : kAccent);
        GlyphSysMenu(p, {r.left, r.top, 14, 12}, accent);
        if (i == 1) {
            p.StrokeRoundRect({double(r.left), double(r.top), r.right + 0.0, r.bottom + 0.0}, 2.0,
                              kAccentLine);
        }
        *states[i] = r;
    }
    sys.command = qv::cmSysMenu;
}

void BuildCaption(SkinText& text) {
    auto& c = text.Object<qv::TqvDataSkinCaption>("caption");
    c.skinrect = Ltrb(5, 4, 280, 24);
    c.textrect = Ltrb(4, 2, 274, 20);
    c.font = {"Arial", 16, vcl::fsBold, SkinColour(Rgb(0x8A, 0x95, 0xA5))};
    c.activefontcolor = SkinColour(Rgb(0x3E, 0x6A, 0xAA));
    c.alignment = qv::taLeftJustify;
    c.shadow = true;
    c.shadowcolor = SkinColour(Rgb(0xFF, 0xFF, 0xFF));
    c.activeshadowcolor = SkinColour(Rgb(0xFF, 0xFF, 0xFF));
}

void BuildFormInfo(SkinText& text) {
    qv::TqvSkinFormInfo& f = text.Data();
    f.lefttoppoint = Pt(9, 29);
    f.righttoppoint = Pt(274, 30);
    f.leftbottompoint = Pt(8, 200);
    f.rightbottompoint = Pt(274, 200);
    f.clientrect = kClient;
    f.maskrectarea = Ltrb(4, 3, 282, 206);
    f.hittestlefttoppoint = Pt(7, 6);
    f.hittestrighttoppoint = Pt(279, 8);
    f.hittestleftbottompoint = Pt(9, 202);
    f.hittestrightbottompoint = Pt(276, 203);
    f.captionrect = Ltrb(3, 5, 282, 24);
    f.buttonsoffset = 2;
    f.borderwidth = 3;
    f.formminwidth = 200;
}
} // namespace

Pixel CaptionColour(int y) { return Mix(theme::kCaptionTop, theme::kCaptionBottom, (y - 1) / 24.0); }

void BuildFrame(SkinPictures& pics, SkinText& text) {
    DrawFramePicture(pics.main);
    DrawFrameMask(pics.mask);
    BuildFormInfo(text);
    BuildCaptionButtons(pics.extras[kPicButtons], text);
    BuildCaption(text);
}

} // namespace skingen
