// Popup menus, hints and the menu bar: their window pictures, masks and item images.

#include "Generator.h"
#include "Glyphs.h"
#include "Theme.h"
#include "Widgets.h"

namespace skingen {

namespace {
using namespace theme;

const Pixel kWhite = Rgb(0xFF, 0xFF, 0xFF);

// A rounded window picture with a crisp outline, and its mask (black inside).
void DrawRoundedWindow(Picture& pic, Picture& mask, int w, int h, double radius, Pixel back, Pixel line) {
    pic.bitmap = gfx::Bitmap(w, h, line);
    Painter p(pic.bitmap);
    p.FillRoundRect({1, 1, w - 1.0, h - 1.0}, radius - 1, back);
    mask.bitmap = gfx::Bitmap(w, h, kWhite);
    Box outline{0, 0, double(w), double(h)};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (InsideRoundRect(outline, Radii::All(radius), x + 0.5, y + 0.5)) {
                mask.bitmap.SetPixel(x, y, 0);
            }
        }
    }
}

void BuildPopupWindow(SkinPictures& pics, SkinText& text) {
    Picture& pic = pics.extras[kPicPopup];
    Picture& mask = pics.extras[kPicPopupMask];
    pic.file = "popup.bmp";
    mask.file = "popupmask.bmp";
    mask.bits = 4;
    DrawRoundedWindow(pic, mask, 93, 55, 5, kWhite, kLine);
    qv::TqvDataSkinPopupWindow& w = text.Data().PopupWindowSkin;
    w.windowpictureindex = kPicPopup;
    w.maskpictureindex = kPicPopupMask;
    w.lefttoppoint = Pt(6, 6);
    w.righttoppoint = Pt(87, 6);
    w.leftbottompoint = Pt(6, 49);
    w.rightbottompoint = Pt(87, 49);
    w.itemsrect = Ltrb(4, 4, 89, 51);
    w.scrollmarkercolor = SkinColour(kTextMuted);
    w.scrollmarkeractivecolor = SkinColour(kAccent);
}

void BuildHintWindow(SkinPictures& pics, SkinText& text) {
    Picture& pic = pics.extras[kPicHint];
    Picture& mask = pics.extras[kPicHintMask];
    pic.file = "hint.bmp";
    mask.file = "hintmask.bmp";
    mask.bits = 1;
    DrawRoundedWindow(pic, mask, 28, 21, 4, kHintBack, kLineStrong);
    qv::TqvDataSkinHintWindow& w = text.Data().HintWindowSkin;
    w.windowpictureindex = kPicHint;
    w.maskpictureindex = kPicHintMask;
    w.lefttoppoint = Pt(5, 5);
    w.righttoppoint = Pt(23, 5);
    w.leftbottompoint = Pt(5, 16);
    w.rightbottompoint = Pt(23, 16);
    w.clientrect = Ltrb(4, 3, 24, 18);
    w.font = TextFont(kText);
}

void ObjectBase(qv::TqvDataSkinObject& s, const RECT& skin, const RECT& active) {
    s.activepictureindex = kPicMenu;
    s.skinrectinapicture = true;
    s.skinrect = skin;
    s.activeskinrect = active;
}

void HoverPill(Painter& p, const RECT& r, Pixel fill) {
    p.FillRoundRect({r.left + 2.0, r.top + 1.0, r.right - 2.0, r.bottom - 1.0}, 3.0, fill);
}

void BuildMenuItem(Painter& p, SkinText& text) {
    const RECT normal = Rc(0, 0, 100, 22), active = Rc(0, 22, 100, 22), divider = Rc(0, 44, 100, 7);
    p.FillRect(normal.left, normal.top, normal.right, normal.bottom, kWhite);
    p.FillRect(active.left, active.top, active.right, active.bottom, kWhite);
    HoverPill(p, active, kAccentTint);
    p.FillRect(divider.left, divider.top, divider.right, divider.bottom, kWhite);
    p.HLine(divider.left, divider.right, divider.top + 3, kLineSoft);
    // Check, radio and sub-menu arrow images, on white and on the hover tint.
    const RECT check = Rc(100, 3, 16, 16), checkHot = Rc(100, 25, 16, 16);
    const RECT radio = Rc(116, 3, 16, 16), radioHot = Rc(116, 25, 16, 16);
    const RECT arrow = Rc(100, 47, 16, 16), arrowHot = Rc(116, 47, 16, 16);
    auto cell = [](const RECT& r) { return Cell{r.left, r.top, 16, 16}; };
    p.FillRect(100, 0, 132, 66, kWhite);
    p.FillRect(checkHot.left, checkHot.top, radioHot.right, radioHot.bottom, kAccentTint);
    p.FillRect(arrowHot.left, arrowHot.top, arrowHot.right, arrowHot.bottom, kAccentTint);
    GlyphCheck(p, cell(check), kText);
    GlyphCheck(p, cell(checkHot), kAccentDark);
    GlyphDot(p, cell(radio), kText);
    GlyphDot(p, cell(radioHot), kAccentDark);
    GlyphChevron(p, cell(arrow), Arrow::Right, kTextMuted);
    GlyphChevron(p, cell(arrowHot), Arrow::Right, kAccentDark);

    auto& s = text.Object<qv::TqvDataSkinMenuItem>("menuitem");
    ObjectBase(s, normal, active);
    s.itemleftoffset = 6;
    s.itemrightoffset = 6;
    s.dividerrect = divider;
    s.dividerleftoffset = 6;
    s.dividerrightoffset = 6;
    s.textrect = Ltrb(26, 0, 90, 22);
    s.imagerect = Ltrb(5, 3, 21, 19);
    s.font = TextFont(kText);
    s.activefontcolor = SkinColour(kAccentDark);
    s.unenabledfontcolor = SkinColour(kTextDisabled);
    s.imagecolor = SkinColour(kTextMuted);
    s.activeimagecolor = SkinColour(kAccentDark);
    s.checkimagerect = check;
    s.activecheckimagerect = checkHot;
    s.radioimagerect = radio;
    s.activeradioimagerect = radioHot;
    s.arrowimagerect = arrow;
    s.activearrowimagerect = arrowHot;
}

void BuildMenuBarItem(Painter& p, SkinText& text) {
    const RECT normal = Rc(0, 66, 40, 20), active = Rc(0, 86, 40, 20), down = Rc(0, 106, 40, 20);
    p.FillRect(0, 66, 40, 126, kFace);
    HoverPill(p, active, kAccentTint);
    HoverPill(p, down, kAccentTint2);
    auto& s = text.Object<qv::TqvDataSkinMainMenuItem>("mainmenubaritem");
    ObjectBase(s, normal, active);
    s.itemleftoffset = 5;
    s.itemrightoffset = 5;
    s.downrect = down;
    s.textrect = Ltrb(5, 0, 35, 20);
    s.font = TextFont(kText);
    s.activefontcolor = SkinColour(kAccentDark);
    s.downfontcolor = SkinColour(kAccentDark);
    s.unenabledfontcolor = SkinColour(kTextDisabled);
}

// The caption buttons of a maximised child window on the menu bar: 16 x 16 cells, one row per
// button, columns normal, hover, pressed (and restore, restore hover for maximise/minimise).
void BuildMenuBarButtons(Painter& p, SkinText& text) {
    struct Btn {
        const char* name;
        qv::TqvStdCommand command;
        void (*glyph)(Painter&, const Cell&, Pixel);
        bool restore;
    };
    const Btn buttons[] = {
        {"menubarsysmenubutton", qv::cmSysMenu, nullptr, false},
        {"menubarclosebutton", qv::cmClose, GlyphClose, false},
        {"menubarmaxbutton", qv::cmMaximize, GlyphMaximize, true},
        {"menubarminbutton", qv::cmMinimize, GlyphMinimize, true},
    };
    p.FillRect(44, 66, 132, 126, kFace);
    for (int b = 0; b < 4; ++b) {
        int y = 66 + 15 * b;
        auto cellAt = [&](int col) { return Rc(44 + 16 * col, y, 16, 15); };
        for (int col = 0; col < 5; ++col) {
            RECT r = cellAt(col);
            bool hot = col == 1 || col == 4, down = col == 2;
            bool restore = col >= 3;
            if (restore && !buttons[b].restore) {
                continue;
            }
            if (hot || down) {
                p.FillRoundRect({r.left + 1.0, r.top + 0.0, r.right - 1.0, r.bottom + 0.0}, 3.0,
                                down ? kAccentTint2 : kAccentTint);
            }
            Cell c{r.left, r.top, 16, 15};
            Pixel ink = hot || down ? kAccentDark : kTextMuted;
            if (!buttons[b].glyph) {
                GlyphSysMenu(p, {r.left + 2, r.top + 2, 12, 11}, kAccent);
            } else if (restore) {
                GlyphRestore(p, c, ink, hot ? kAccentTint : kFace);
            } else {
                buttons[b].glyph(p, c, ink);
            }
        }
        auto& s = text.Object<qv::TqvDataSkinMainMenuBarButton>(buttons[b].name);
        ObjectBase(s, cellAt(0), cellAt(1));
        s.downrect = cellAt(2);
        s.command = buttons[b].command;
        if (buttons[b].restore) {
            s.restorerect = cellAt(3);
            s.restoreactiverect = cellAt(4);
            s.restoredownrect = cellAt(4);
            s.restoreinactiverect = cellAt(3);
        }
    }
}
} // namespace

void BuildMenus(SkinPictures& pics, SkinText& text) {
    BuildPopupWindow(pics, text);
    BuildHintWindow(pics, text);
    Picture& menu = pics.extras[kPicMenu];
    menu.file = "menu.bmp";
    menu.bitmap = gfx::Bitmap(132, 126, theme::kFace);
    Painter p(menu.bitmap);
    BuildMenuItem(p, text);
    BuildMenuBarItem(p, text);
    BuildMenuBarButtons(p, text);
}

} // namespace skingen
