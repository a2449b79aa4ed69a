#include "Render.h"

#include <algorithm>

#include "skin/data/qvUtils.h"

namespace skintool {

namespace {

Layout Classify(const SectionGeometry& g) {
    if (qv::RectIsEmpty(g.skin)) {
        return Layout::None;
    }
    if (g.rb.x != 0 && g.rb.y != 0) {
        return Layout::Corners;
    }
    if (g.rt.x != 0 || g.rt.y != 0) {
        return Layout::Horizontal;
    }
    if (g.lb.x != 0 || g.lb.y != 0) {
        return Layout::Vertical;
    }
    return Layout::Fixed;
}

// Custom controls and tabs carry the same resizing keys in unrelated records.
template <typename R>
void TakeCorners(const R& r, SectionGeometry& g) {
    g.lt = r.lefttoppoint;
    g.rt = r.righttoppoint;
    g.lb = r.leftbottompoint;
    g.rb = r.rightbottompoint;
    g.client = r.clientrect;
    g.flags.StretchLeft = r.leftstretch;
    g.flags.StretchTop = r.topstretch;
    g.flags.StretchRight = r.rightstretch;
    g.flags.StretchBottom = r.bottomstretch;
    g.flags.StretchCentre = r.stretcheffect;
    g.flags.StretchType = int(r.stretchtype);
}

// The first of the record classes Ts the record is, asked for its field.
template <typename... Ts, typename Field>
RECT FieldOf(const qv::TqvDataSkinControl& record, Field field) {
    RECT out{0, 0, 0, 0};
    (void)((dynamic_cast<const Ts*>(&record) != nullptr
                ? (out = field(*dynamic_cast<const Ts*>(&record)), true)
                : false) ||
           ...);
    return out;
}

RECT ActiveRect(const qv::TqvDataSkinControl& r) {
    return FieldOf<qv::TqvDataSkinButtonControl, qv::TqvDataSkinCheckRadioControl,
                   qv::TqvDataSkinTrackBarControl, qv::TqvDataSkinEditControl, qv::TqvDataSkinComboBox,
                   qv::TqvDataSkinSpinEditControl>(r, [](const auto& c) { return c.activeskinrect; });
}
} // namespace

Skin::Skin(std::span<const std::uint8_t> inflated) : container(ReadContainer(inflated)) {
    data.LoadFromContainer(inflated);
}

State ParseState(const std::string& w) {
    if (w == "normal") return State::Normal;
    if (w == "active") return State::Active;
    if (w == "down") return State::Down;
    if (w == "focused") return State::Focused;
    if (w == "disabled") return State::Disabled;
    throw SkinError("unknown state \"" + w + "\" (normal, active, down, focused or disabled)");
}

const char* StateName(State s) {
    switch (s) {
    case State::Normal: return "normal";
    case State::Active: return "active";
    case State::Down: return "down";
    case State::Focused: return "focused";
    case State::Disabled: return "disabled";
    }
    return "?";
}

const char* LayoutName(Layout l) {
    switch (l) {
    case Layout::None: return "none";
    case Layout::Fixed: return "fixed";
    case Layout::Corners: return "corners";
    case Layout::Horizontal: return "horizontal";
    case Layout::Vertical: return "vertical";
    }
    return "?";
}

const qv::TqvDataSkinControl& ControlRecord(const Skin& skin, const std::string& section) {
    int i = skin.data.IndexOfControlSkin(section);
    if (i < 0) {
        throw SkinError("the skin has no control section [" + section +
                        "] (none of that name with a known kind in [SKINCONTROLS])");
    }
    return *skin.data.ControlSkins[std::size_t(i)];
}

SectionGeometry ReadGeometry(const Skin& skin, const std::string& section) {
    const qv::TqvDataSkinControl& record = ControlRecord(skin, section);
    SectionGeometry g;
    g.picture = record.pictureindex;
    g.skin = record.skinrect;
    if (const auto* custom = dynamic_cast<const qv::TqvDataSkinCustomControl*>(&record)) {
        TakeCorners(*custom, g);
    } else if (const auto* tab = dynamic_cast<const qv::TqvDataSkinTabControl*>(&record)) {
        TakeCorners(*tab, g);
    }
    g.flags.DrawCentre = true;
    g.layout = Classify(g);
    return g;
}

RECT StateRect(const Skin& skin, const std::string& section, State state) {
    const qv::TqvDataSkinControl& r = ControlRecord(skin, section);
    switch (state) {
    case State::Normal: return r.skinrect;
    case State::Active: return ActiveRect(r);
    case State::Down:
        return FieldOf<qv::TqvDataSkinButtonControl>(r, [](const auto& c) { return c.downskinrect; });
    case State::Focused:
        return FieldOf<qv::TqvDataSkinButtonControl>(r, [](const auto& c) { return c.focusedskinrect; });
    case State::Disabled:
        return FieldOf<qv::TqvDataSkinButtonControl>(r, [](const auto& c) { return c.disabledskinrect; });
    }
    return RECT{0, 0, 0, 0};
}

const gfx::Bitmap& PictureOf(const Skin& skin, int index, const std::string& section) {
    const gfx::Bitmap* picture = skin.data.ExtraPicture(index);
    if (picture == nullptr) {
        throw SkinError("section [" + section + "] has no picture (pictureindex " + std::to_string(index) +
                        ")");
    }
    return *picture;
}

void CheckInPicture(const RECT& r, const gfx::Bitmap& picture, const std::string& what) {
    if (qv::RectIsEmpty(r) || r.left < 0 || r.top < 0 || r.right > picture.Width() ||
        r.bottom > picture.Height()) {
        throw SkinError(what + " " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                        std::to_string(r.right) + "," + std::to_string(r.bottom) + " does not lie in its " +
                        std::to_string(picture.Width()) + " x " + std::to_string(picture.Height()) +
                        " picture");
    }
}

void Blit(const gfx::Bitmap& src, const RECT& from, gfx::Bitmap& dst, int x, int y) {
    for (int row = from.top; row < from.bottom; ++row) {
        for (int col = from.left; col < from.right; ++col) {
            if (src.Contains(col, row)) {
                dst.SetPixel(x + col - from.left, y + row - from.top, src.GetPixel(col, row));
            }
        }
    }
}

gfx::Bitmap RenderSection(const Skin& skin, const std::string& section, int W, int H, State state) {
    SectionGeometry g = ReadGeometry(skin, section);
    if (g.layout == Layout::None) {
        throw SkinError("section [" + section + "] has no image (empty skinrect)");
    }
    const gfx::Bitmap& P = PictureOf(skin, g.picture, section);
    RECT S = StateRect(skin, section, state);
    if (qv::RectIsEmpty(S)) {
        throw SkinError("section [" + section + "] has no " + StateName(state) + " image");
    }
    CheckInPicture(S, P, "section [" + section + "] " + StateName(state) + " image");
    if (W <= 0 || H <= 0) {
        throw SkinError("the size must be positive");
    }
    gfx::Bitmap out;
    int sw = qv::WidthOfRect(g.skin);
    switch (g.layout) {
    case Layout::Fixed:
        out = gfx::Bitmap(qv::WidthOfRect(S), qv::HeightOfRect(S));
        Blit(P, S, out, 0, 0);
        break;
    case Layout::Corners:
        qv::ComposeSkinImage(P, S, {g.lt, g.rt, g.lb, g.rb, g.client}, W, H, g.flags, out);
        break;
    case Layout::Horizontal:
        qv::ComposeHorzImage(P, S, g.lt.x, sw - g.rt.x, W, g.flags.StretchCentre, out);
        break;
    case Layout::Vertical:
        qv::ComposeVertImage(P, S, g.lt.y, qv::HeightOfRect(g.skin) - g.lb.y, H, g.flags.StretchCentre, out);
        break;
    case Layout::None: break;
    }
    return out;
}

gfx::Bitmap RenderFrame(const Skin& skin, int W, int H, bool active, gfx::Pixel outside) {
    const qv::TqvSkinData& d = skin.data;
    if (d.MainPicture.Empty()) {
        throw SkinError("the skin has no form picture");
    }
    const gfx::Bitmap& P = d.MainPicture;
    // The frame as loaded: the skin data has already fitted the points to the client area.
    qv::TqvSkinGeometry g{d.lefttoppoint, d.righttoppoint, d.leftbottompoint, d.rightbottompoint,
                          d.clientrect};
    qv::TqvComposeFlags flags;
    flags.StretchLeft = d.leftstretch;
    flags.StretchTop = d.topstretch;
    flags.StretchRight = d.rightstretch;
    flags.StretchBottom = d.bottomstretch;
    gfx::Bitmap out;
    qv::ComposeSkinImage(P, P.Bounds(), g, W, H, flags, out);
    // Caption buttons right to left from the caption's right end, as a frame without a button
    // band lays them out: close, maximize, minimize.
    int x = d.captionrect.right + (W - P.Width());
    for (const char* name : {"closebutton", "maxbutton", "minbutton"}) {
        int i = d.IndexOfFormObject(name);
        if (i < 0) {
            continue;
        }
        const qv::TqvDataSkinObject& button = *d.FormObjects[std::size_t(i)];
        const gfx::Bitmap* cells = d.ExtraPicture(button.activepictureindex);
        RECT r = active ? button.skinrect : button.inactiveskinrect;
        if (cells == nullptr || qv::RectIsEmpty(r)) {
            continue;
        }
        x -= qv::WidthOfRect(r);
        Blit(*cells, r, out, x, d.captionrect.top);
        x -= d.buttonsoffset;
    }
    if (!d.FormMaskPicture.Empty()) {
        // The mask tiles by its own inner rectangle where the skin gives one.
        qv::TqvSkinGeometry m = g;
        if (!qv::RectIsEmpty(d.maskrectarea)) {
            m.Cl = d.maskrectarea;
        }
        gfx::Bitmap mask;
        qv::ComposeSkinImage(d.FormMaskPicture, P.Bounds(), m, W, H, flags, mask);
        const int rows = std::min(H, std::min(mask.Height(), out.Height()));
        const int columns = std::min(W, std::min(mask.Width(), out.Width()));
        for (int y = 0; y < rows; ++y) {
            const gfx::Pixel* m = mask.Row(y);
            gfx::Pixel* o = out.Row(y);
            for (int x2 = 0; x2 < columns; ++x2) {
                if (m[x2] != 0) {
                    o[x2] = outside;
                }
            }
        }
    }
    return out;
}

} // namespace skintool
