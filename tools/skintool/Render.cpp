#include "Render.h"

#include "skin/data/qvUtils.h"

namespace skintool {

namespace {

const gfx::Bitmap& Picture(const Skin& skin, int index, const std::string& section) {
    if (index < 0 || std::size_t(index) >= skin.container.extras.size()) {
        throw SkinError("section [" + section + "] has no picture (pictureindex " +
                        std::to_string(index) + ")");
    }
    return skin.container.extras[std::size_t(index)].image.bitmap;
}

bool Flag(const IniText& ini, const std::string& s, const char* key) {
    return ini.ReadInteger(s, key, 0) == 1;
}

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

void Copy(const gfx::Bitmap& src, const RECT& from, gfx::Bitmap& dst, int x, int y) {
    for (int row = from.top; row < from.bottom; ++row) {
        for (int col = from.left; col < from.right; ++col) {
            if (src.Contains(col, row)) {
                dst.SetPixel(x + col - from.left, y + row - from.top, src.GetPixel(col, row));
            }
        }
    }
}

int StretchTypeOf(const std::string& word) {
    return word == "stfull" ? 0 : (word == "stvert" ? 2 : 1);
}
} // namespace

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

SectionGeometry ReadGeometry(const Skin& skin, const std::string& s) {
    const IniText& ini = skin.ini;
    if (!ini.HasSection(s)) {
        throw SkinError("the skin has no section [" + s + "]");
    }
    SectionGeometry g;
    g.picture = int(ini.ReadInteger(s, "pictureindex", -1));
    g.skin = ini.ReadRect(s, "skinrect");
    g.lt = ini.ReadPoint(s, "lefttoppoint");
    g.rt = ini.ReadPoint(s, "righttoppoint");
    g.lb = ini.ReadPoint(s, "leftbottompoint");
    g.rb = ini.ReadPoint(s, "rightbottompoint");
    g.client = ini.ReadRect(s, "clientrect");
    g.stretchLeft = Flag(ini, s, "leftstretch");
    g.stretchTop = Flag(ini, s, "topstretch");
    g.stretchRight = Flag(ini, s, "rightstretch");
    g.stretchBottom = Flag(ini, s, "bottomstretch");
    g.stretchCentre = Flag(ini, s, "stretcheffect");
    g.stretchType = StretchTypeOf(ini.ReadString(s, "stretchtype", "stfull"));
    g.layout = Classify(g);
    return g;
}

RECT StateRect(const Skin& skin, const std::string& s, State state) {
    const char* key = "skinrect";
    switch (state) {
    case State::Normal: break;
    case State::Active: key = "activeskinrect"; break;
    case State::Down: key = "downskinrect"; break;
    case State::Focused: key = "focusedskinrect"; break;
    case State::Disabled: key = "disabledskinrect"; break;
    }
    return skin.ini.ReadRect(s, key);
}

gfx::Bitmap RenderSection(const Skin& skin, const std::string& section, int W, int H, State state) {
    SectionGeometry g = ReadGeometry(skin, section);
    if (g.layout == Layout::None) {
        throw SkinError("section [" + section + "] has no image (empty skinrect)");
    }
    const gfx::Bitmap& P = Picture(skin, g.picture, section);
    RECT S = StateRect(skin, section, state);
    if (qv::RectIsEmpty(S)) {
        throw SkinError("section [" + section + "] has no " + StateName(state) + " image");
    }
    if (W <= 0 || H <= 0) {
        throw SkinError("the size must be positive");
    }
    gfx::Bitmap out;
    int sw = qv::WidthOfRect(g.skin);
    switch (g.layout) {
    case Layout::Fixed:
        out = gfx::Bitmap(qv::WidthOfRect(S), qv::HeightOfRect(S));
        Copy(P, S, out, 0, 0);
        break;
    case Layout::Corners: {
        qv::TqvComposeFlags flags;
        flags.StretchLeft = g.stretchLeft;
        flags.StretchTop = g.stretchTop;
        flags.StretchRight = g.stretchRight;
        flags.StretchBottom = g.stretchBottom;
        flags.DrawCentre = true;
        flags.StretchCentre = g.stretchCentre;
        flags.StretchType = g.stretchType;
        qv::ComposeSkinImage(P, S, {g.lt, g.rt, g.lb, g.rb, g.client}, W, H, flags, out);
        break;
    }
    case Layout::Horizontal:
        qv::ComposeHorzImage(P, S, g.lt.x, sw - g.rt.x, W, g.stretchCentre, out);
        break;
    case Layout::Vertical:
        qv::ComposeVertImage(P, S, g.lt.y, qv::HeightOfRect(g.skin) - g.lb.y, H, g.stretchCentre,
                             out);
        break;
    case Layout::None: break;
    }
    return out;
}

gfx::Bitmap RenderFrame(const Skin& skin, int W, int H, bool active, gfx::Pixel outside) {
    const IniText& ini = skin.ini;
    if (!skin.container.main) {
        throw SkinError("the skin has no form picture");
    }
    const gfx::Bitmap& P = skin.container.main->image.bitmap;
    qv::TqvSkinGeometry g{ini.ReadPoint("FORMINFO", "lefttoppoint"),
                          ini.ReadPoint("FORMINFO", "righttoppoint"),
                          ini.ReadPoint("FORMINFO", "leftbottompoint"),
                          ini.ReadPoint("FORMINFO", "rightbottompoint"),
                          ini.ReadRect("FORMINFO", "clientrect")};
    qv::TqvComposeFlags flags;
    flags.StretchLeft = Flag(ini, "FORMINFO", "leftstretch");
    flags.StretchTop = Flag(ini, "FORMINFO", "topstretch");
    flags.StretchRight = Flag(ini, "FORMINFO", "rightstretch");
    flags.StretchBottom = Flag(ini, "FORMINFO", "bottomstretch");
    gfx::Bitmap out;
    qv::ComposeSkinImage(P, P.Bounds(), g, W, H, flags, out);
    // Caption buttons right to left from the caption's right end, as a frame without a button
    // band lays them out: close, maximize, minimize.
    RECT caption = ini.ReadRect("FORMINFO", "captionrect");
    int x = caption.right + (W - P.Width());
    int gap = int(ini.ReadInteger("FORMINFO", "buttonsoffset", 0));
    for (const char* name : {"closebutton", "maxbutton", "minbutton"}) {
        if (!ini.HasSection(name)) {
            continue;
        }
        int pic = int(ini.ReadInteger(name, "activepictureindex", -1));
        RECT r = ini.ReadRect(name, active ? "skinrect" : "inactiveskinrect");
        if (pic < 0 || std::size_t(pic) >= skin.container.extras.size() || qv::RectIsEmpty(r)) {
            continue;
        }
        x -= qv::WidthOfRect(r);
        Copy(skin.container.extras[std::size_t(pic)].image.bitmap, r, out, x, caption.top);
        x -= gap;
    }
    if (skin.container.mask) {
        gfx::Bitmap mask;
        qv::ComposeSkinImage(skin.container.mask->image.bitmap, P.Bounds(), g, W, H, flags, mask);
        for (int y = 0; y < H; ++y) {
            for (int x2 = 0; x2 < W; ++x2) {
                if (mask.GetPixel(x2, y) != 0) {
                    out.SetPixel(x2, y, outside);
                }
            }
        }
    }
    return out;
}

} // namespace skintool
