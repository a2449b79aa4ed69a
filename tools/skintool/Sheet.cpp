#include "Sheet.h"

#include "skin/data/qvUtils.h"

#include <algorithm>

namespace skintool {

namespace {

constexpr int kSheetWidth = 800, kMargin = 8;
constexpr gfx::Pixel kSheetBack = 0xD4D9E0;

RECT Offset(RECT r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

template <typename R>
const R& RecordAs(const Skin& skin, const std::string& section, const char* what) {
    const auto* record = dynamic_cast<const R*>(&ControlRecord(skin, section));
    if (record == nullptr) {
        throw SkinError("section [" + section + "] is not " + what);
    }
    return *record;
}

struct Entry {
    const char* section;
    int w, h;
    enum Kind { Plain, ScrollBar, Gauge } kind = Plain;
};

// The windows' sizes: main window 754 x 573 client, history editor 526 x 312, folder dialog
// 280 x 280.
// clang-format off
const Entry kEntries[] = {
    {"panel", 754, 57},        {"statusgauge", 754, 20, Entry::Gauge},
    {"hscrollbar", 754, 19, Entry::ScrollBar}, {"bothhscrollbar", 735, 19, Entry::ScrollBar},
    {"panel", 526, 56},        {"button", 121, 22},   {"button", 75, 25},
    {"combobox", 433, 20},     {"listbox", 433, 164}, {"resizebutton", 80, 20},
    {"memo", 300, 120},        {"vscrollbar", 19, 237, Entry::ScrollBar},
    {"toolpanel", 280, 25},    {"toolbutton", 27, 25}, {"tooledit", 248, 25},
};
// clang-format on
} // namespace

gfx::Bitmap RenderScrollBar(const Skin& skin, const std::string& section, int W, int H, State state) {
    const auto& sb = RecordAs<qv::TqvDataSkinScrollBarControl>(skin, section, "a scroll bar");
    SectionGeometry g = ReadGeometry(skin, section);
    gfx::Bitmap bar = RenderSection(skin, section, W, H, State::Normal);
    const gfx::Bitmap& P = PictureOf(skin, g.picture, section);
    bool vertical = g.layout == Layout::Vertical;
    int grow = vertical ? bar.Height() - qv::HeightOfRect(g.skin) : bar.Width() - qv::WidthOfRect(g.skin);
    // Button images are given relative to the skin rectangle; the increment button moves with
    // the bar's far end.
    auto place = [&](RECT r, bool far) {
        return far ? (vertical ? Offset(r, 0, grow) : Offset(r, grow, 0)) : r;
    };
    struct Button {
        RECT at, active, down;
        bool far;
    };
    const Button buttons[] = {
        {sb.downbuttonrect, sb.activedownbuttonrect, sb.downdownbuttonrect, false},
        {sb.upbuttonrect, sb.activeupbuttonrect, sb.downupbuttonrect, true},
    };
    for (const auto& b : buttons) {
        RECT at = place(b.at, b.far);
        RECT img = state == State::Down ? b.down : (state == State::Active ? b.active : RECT{});
        img = Offset(img, g.skin.left, g.skin.top);
        if (!qv::RectIsEmpty(img)) {
            Blit(P, img, bar, at.left, at.top);
        }
    }
    RECT track = sb.trackarea;
    track = vertical ? RECT{track.left, track.top, track.right, track.bottom + grow}
                     : RECT{track.left, track.top, track.right + grow, track.bottom};
    RECT thumb = state == State::Down     ? sb.downthumbrect
                 : state == State::Active ? sb.activethumbrect
                                          : sb.thumbrect;
    if (qv::RectIsEmpty(thumb)) {
        thumb = sb.thumbrect;
    }
    if (!qv::RectIsEmpty(thumb)) {
        CheckInPicture(thumb, P, "section [" + section + "] thumb");
        // The thumb of a page-sized range: a quarter of the track, composed along the bar.
        int len = std::max(vertical ? qv::HeightOfRect(thumb) : qv::WidthOfRect(thumb),
                           (vertical ? qv::HeightOfRect(track) : qv::WidthOfRect(track)) / 4);
        len = std::min(len, vertical ? bar.Height() : bar.Width()); // a track beyond the bar
        gfx::Bitmap t;
        if (vertical) {
            qv::ComposeVertImage(P, thumb, sb.thumboffset1, sb.thumboffset2, len, false, t);
            Blit(t, t.Bounds(), bar, track.left, track.top + qv::HeightOfRect(track) / 3);
        } else {
            qv::ComposeHorzImage(P, thumb, sb.thumboffset1, sb.thumboffset2, len, false, t);
            Blit(t, t.Bounds(), bar, track.left + qv::WidthOfRect(track) / 3, track.top);
        }
    }
    return bar;
}

gfx::Bitmap RenderGauge(const Skin& skin, const std::string& section, int W, int H, double fraction) {
    const auto& gauge = RecordAs<qv::TqvDataSkinGaugeControl>(skin, section, "a gauge");
    SectionGeometry g = ReadGeometry(skin, section);
    gfx::Bitmap out = RenderSection(skin, section, W, H, State::Normal);
    const gfx::Bitmap& P = PictureOf(skin, g.picture, section);
    RECT area = gauge.progressarea;
    area.right += out.Width() - qv::WidthOfRect(g.skin);
    RECT tile = gauge.progressrect;
    // A progress area wider than the gauge fills no more than the gauge.
    int width = std::min(int(qv::WidthOfRect(area) * fraction), out.Width());
    if (width <= 0 || qv::RectIsEmpty(tile)) {
        return out;
    }
    CheckInPicture(tile, P, "section [" + section + "] progressrect");
    gfx::Bitmap bar;
    qv::ComposeHorzImage(P, tile, gauge.beginoffset, gauge.endoffset, width, false, bar);
    Blit(bar, RECT{0, 0, bar.Width(), std::min(bar.Height(), qv::HeightOfRect(area))}, out, area.left,
         area.top);
    return out;
}

gfx::Bitmap RenderSheet(const Skin& skin, std::vector<SheetTile>& tiles) {
    struct Placed {
        gfx::Bitmap image;
        SheetTile tile;
    };
    std::vector<Placed> placed;
    // The frame first, active and inactive, at a size that shows its corners and edges tiled.
    placed.push_back({RenderFrame(skin, 360, 200, true, kSheetBack), {"FORMINFO", State::Normal, {}}});
    placed.push_back({RenderFrame(skin, 360, 200, false, kSheetBack), {"FORMINFO", State::Disabled, {}}});
    const State states[] = {State::Normal, State::Active, State::Down, State::Focused, State::Disabled};
    for (const auto& e : kEntries) {
        for (State s : states) {
            if (e.kind == Entry::Gauge && s != State::Normal) {
                continue;
            }
            bool hasImage = e.kind == Entry::ScrollBar ? s != State::Focused && s != State::Disabled
                                                       : !qv::RectIsEmpty(StateRect(skin, e.section, s));
            if (!hasImage) {
                continue;
            }
            gfx::Bitmap img = e.kind == Entry::ScrollBar ? RenderScrollBar(skin, e.section, e.w, e.h, s)
                              : e.kind == Entry::Gauge   ? RenderGauge(skin, e.section, e.w, e.h, 0.4)
                                                         : RenderSection(skin, e.section, e.w, e.h, s);
            placed.push_back({std::move(img), {e.section, s, {}}});
        }
    }
    // Flow the tiles into rows.
    int x = kMargin, y = kMargin, rowHeight = 0;
    for (auto& p : placed) {
        int w = p.image.Width(), h = p.image.Height();
        if (x + w + kMargin > kSheetWidth && x > kMargin) {
            x = kMargin;
            y += rowHeight + kMargin;
            rowHeight = 0;
        }
        p.tile.place = RECT{x, y, x + w, y + h};
        x += w + kMargin;
        rowHeight = std::max(rowHeight, h);
    }
    gfx::Bitmap sheet(kSheetWidth, y + rowHeight + kMargin, kSheetBack);
    tiles.clear();
    for (auto& p : placed) {
        Blit(p.image, p.image.Bounds(), sheet, p.tile.place.left, p.tile.place.top);
        tiles.push_back(p.tile);
    }
    return sheet;
}

} // namespace skintool
