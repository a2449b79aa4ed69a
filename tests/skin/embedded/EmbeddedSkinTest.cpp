// The skin the executables carry: the container's layout, the geometry the frame and the
// controls rely on, and the pictures themselves.

#include "EmbeddedSkin.h"
#include "Inspect.h"
#include "Render.h"

#include "platform/gfx/BmpCodec.h"
#include "skin/data/qvSkinIni.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes InflateEmbedded() {
    Bytes out(4 << 20);
    uLongf size = uLongf(out.size());
    int rc = uncompress(out.data(), &size, kEmbeddedSkin, uLong(kEmbeddedSkinSize));
    EXPECT_EQ(rc, Z_OK);
    out.resize(rc == Z_OK ? size : 0);
    return out;
}

// The container walked by hand, each picture taking exactly its bfSize.
struct Walk {
    std::int32_t version = 0;
    std::vector<std::uint8_t> flags;
    std::vector<gfx::BmpImage> pictures; // main, mask, then the extras
    std::vector<std::size_t> lengths;
    std::size_t textOffset = 0;
    std::string text;
};

std::int32_t Int32At(const Bytes& d, std::size_t at) {
    return std::int32_t(d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (std::uint32_t(d[at + 3]) << 24));
}

Walk WalkContainer(const Bytes& d) {
    Walk w;
    w.version = Int32At(d, 0);
    std::size_t at = 4;
    auto picture = [&] {
        std::size_t used = 0;
        w.pictures.push_back(gfx::ReadBmp(std::span(d).subspan(at), &used));
        w.lengths.push_back(used);
        at += used;
    };
    for (int i = 0; i < 3; ++i) {
        w.flags.push_back(d.at(at++));
        if (w.flags.back() == 0) {
            picture();
        }
    }
    std::int32_t n = Int32At(d, at);
    at += 4;
    for (std::int32_t i = 0; i < n; ++i) {
        picture();
    }
    w.textOffset = at;
    w.text.assign(d.begin() + std::ptrdiff_t(at), d.end());
    return w;
}

class EmbeddedSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        container_ = new Bytes(InflateEmbedded());
        walk_ = new Walk(WalkContainer(*container_));
        ini_ = new qv::TqvSkinIni(walk_->text);
        skin_ = new skintool::Skin(*container_);
    }
    static void TearDownTestSuite() {
        delete skin_;
        delete ini_;
        delete walk_;
        delete container_;
    }
    static const gfx::Bitmap& Extra(int i) { return walk_->pictures.at(std::size_t(2 + i)).bitmap; }
    static RECT Rect(const char* s, const char* k) { return qv::IniReadRect(*ini_, s, k); }
    static POINT Point(const char* s, const char* k) { return qv::IniReadPoint(*ini_, s, k); }
    static long Int(const char* s, const char* k) { return ini_->ReadInteger(s, k, -12345); }
    static std::vector<skintool::ListedSection> Listed(const char* list) {
        return skintool::ReadSectionList(*skin_, list);
    }

    static Bytes* container_;
    static Walk* walk_;
    static qv::TqvSkinIni* ini_;  // the raw keys, as the skin text states them
    static skintool::Skin* skin_; // the skin as the program and the tool load it
};
Bytes* EmbeddedSkin::container_ = nullptr;
Walk* EmbeddedSkin::walk_ = nullptr;
qv::TqvSkinIni* EmbeddedSkin::ini_ = nullptr;
skintool::Skin* EmbeddedSkin::skin_ = nullptr;

bool Inside(const RECT& r, const gfx::Bitmap& b) {
    return r.left >= 0 && r.top >= 0 && r.right <= b.Width() && r.bottom <= b.Height() && r.right > r.left &&
           r.bottom > r.top;
}
int W(const RECT& r) { return r.right - r.left; }
int H(const RECT& r) { return r.bottom - r.top; }
gfx::Pixel Centre(const gfx::Bitmap& b, const RECT& r) {
    return b.GetPixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}
std::vector<gfx::Pixel> Pixels(const gfx::Bitmap& b, const RECT& r) {
    std::vector<gfx::Pixel> out;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            out.push_back(b.GetPixel(x, y));
        }
    }
    return out;
}
// Columns x0..x1-1 of r are equal in every row: the part tiles without seams.
bool ColumnsUniform(const gfx::Bitmap& b, const RECT& r, int x0, int x1) {
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (b.GetPixel(r.left + x, y) != b.GetPixel(r.left + x0, y)) {
                return false;
            }
        }
    }
    return true;
}

TEST_F(EmbeddedSkin, ContainerWalksExactlyToTheText) {
    const Walk& w = *walk_;
    EXPECT_EQ(w.version, 3);
    EXPECT_EQ(w.flags, (std::vector<std::uint8_t>{0, 1, 0})); // main, no inactive, mask
    ASSERT_EQ(w.pictures.size(), 10u);
    struct Pic {
        int w, h, bits;
    };
    const Pic want[] = {{285, 210, 24}, {285, 210, 8},  {75, 263, 24},  {28, 21, 24}, {93, 55, 24},
                        {132, 126, 24}, {556, 410, 24}, {219, 178, 24}, {93, 55, 4},  {28, 21, 1}};
    std::size_t sum = 4 + 3 + 4;
    for (std::size_t i = 0; i < w.pictures.size(); ++i) {
        EXPECT_EQ(w.pictures[i].bitmap.Width(), want[i].w) << "picture " << i;
        EXPECT_EQ(w.pictures[i].bitmap.Height(), want[i].h) << "picture " << i;
        EXPECT_EQ(w.pictures[i].bitCount, want[i].bits) << "picture " << i;
        sum += w.lengths[i];
    }
    EXPECT_EQ(w.lengths[0], 179814u);
    EXPECT_EQ(w.lengths[1], 61558u);
    EXPECT_EQ(w.textOffset, sum);
    ASSERT_GE(w.text.size(), 11u);
    EXPECT_EQ(w.text.substr(0, 11), "[VERSION]\r\n");
    EXPECT_EQ(w.text.substr(w.text.size() - 2), "\r\n");
    EXPECT_EQ(w.text.find('\n'), w.text.find('\r') + 1); // CR LF line ends
}

TEST_F(EmbeddedSkin, MaskRoundsTheOuterCornersOnly) {
    const gfx::Bitmap& mask = walk_->pictures[1].bitmap;
    const gfx::Pixel black = 0;
    for (auto [x, y] : {std::pair{0, 0}, {284, 0}, {0, 209}, {284, 209}, {1, 0}, {0, 1}}) {
        EXPECT_NE(mask.GetPixel(x, y), black) << x << "," << y; // outside the window
    }
    for (auto [x, y] : {std::pair{142, 0}, {0, 105}, {284, 105}, {142, 209}, {142, 100}, {8, 8}}) {
        EXPECT_EQ(mask.GetPixel(x, y), black) << x << "," << y;
    }
}

// The window is cut the same at all four corners: each corner of the mask is the top-left one
// mirrored.
TEST_F(EmbeddedSkin, MaskCutsEveryCornerAlike) {
    const gfx::Bitmap& mask = walk_->pictures[1].bitmap;
    const int right = mask.Width() - 1, bottom = mask.Height() - 1;
    int cutRows = 0;
    for (int y = 0; y < 12; ++y) {
        cutRows += mask.GetPixel(0, y) != 0;
        for (int x = 0; x < 12; ++x) {
            const gfx::Pixel topLeft = mask.GetPixel(x, y);
            EXPECT_EQ(mask.GetPixel(right - x, y), topLeft) << x << "," << y;
            EXPECT_EQ(mask.GetPixel(x, bottom - y), topLeft) << x << "," << y;
            EXPECT_EQ(mask.GetPixel(right - x, bottom - y), topLeft) << x << "," << y;
        }
    }
    EXPECT_EQ(cutRows, 4);
}

TEST_F(EmbeddedSkin, FormInfoGivesTheFrameGeometry) {
    EXPECT_EQ(Point("FORMINFO", "lefttoppoint"), (POINT{9, 29}));
    EXPECT_EQ(Point("FORMINFO", "righttoppoint"), (POINT{274, 30}));
    EXPECT_EQ(Point("FORMINFO", "leftbottompoint"), (POINT{8, 200}));
    EXPECT_EQ(Point("FORMINFO", "rightbottompoint"), (POINT{274, 200}));
    const RECT client = Rect("FORMINFO", "clientrect");
    EXPECT_EQ(client, (RECT{4, 27, 281, 206}));
    EXPECT_EQ(Rect("FORMINFO", "captionrect"), (RECT{3, 5, 282, 24}));
    EXPECT_EQ(Rect("FORMINFO", "buttonsrect"), (RECT{0, 0, 0, 0}));
    EXPECT_EQ(Int("FORMINFO", "buttonsoffset"), 2);
    EXPECT_EQ(Int("FORMINFO", "borderwidth"), 3);
    EXPECT_EQ(Int("FORMINFO", "formminwidth"), 200);
    EXPECT_EQ(Int("FORMINFO", "autorenderinginactiveimage"), 0);
    EXPECT_EQ(ini_->ReadString("PICTURES", "inactivepicture", "?"), "");
    // Loading widens the mask area to the client area, puts the corner points into it and
    // replaces hit-test points with a zero coordinate: the written values are already final.
    const RECT mask = Rect("FORMINFO", "maskrectarea");
    EXPECT_EQ(mask, (RECT{4, 3, 282, 206}));
    EXPECT_TRUE(mask.left <= client.left && mask.top <= client.top && mask.right >= client.right &&
                mask.bottom >= client.bottom);
    const POINT hits[] = {Point("FORMINFO", "hittestlefttoppoint"), Point("FORMINFO", "hittestrighttoppoint"),
                          Point("FORMINFO", "hittestleftbottompoint"),
                          Point("FORMINFO", "hittestrightbottompoint")};
    const POINT wantHits[] = {{7, 6}, {279, 8}, {9, 202}, {276, 203}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(hits[i], wantHits[i]);
    }
    for (const char* k : {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"}) {
        POINT p = Point("FORMINFO", k);
        EXPECT_TRUE(p.x >= client.left && p.x <= client.right && p.y >= client.top && p.y <= client.bottom)
            << k;
    }
}

TEST_F(EmbeddedSkin, FramePictureTilesWithoutSeams) {
    const gfx::Bitmap& frame = walk_->pictures[0].bitmap;
    // The top strip repeats between the top corner points; the client area is one flat colour
    // because both windows tile their background from it.
    EXPECT_TRUE(ColumnsUniform(frame, RECT{0, 0, 285, 27}, 9, 274));
    gfx::Pixel face = frame.GetPixel(4, 27);
    for (int y = 27; y < 206; ++y) {
        for (int x = 4; x < 281; ++x) {
            ASSERT_EQ(frame.GetPixel(x, y), face) << x << "," << y;
        }
    }
    for (int x = 0; x < 4; ++x) { // left and right edges repeat downwards
        for (int y = 30; y < 200; ++y) {
            ASSERT_EQ(frame.GetPixel(x, y), frame.GetPixel(x, 30));
            ASSERT_EQ(frame.GetPixel(284 - x, y), frame.GetPixel(284 - x, 30));
        }
    }
}

TEST_F(EmbeddedSkin, ListsTheObjectsAndControlsWithTheirKinds) {
    std::vector<std::string> objects;
    for (const auto& e : Listed("SKINOBJECTS")) {
        objects.push_back(e.name + ":" + e.kind);
        EXPECT_TRUE(ini_->SectionExists(e.name)) << e.name;
        EXPECT_TRUE(e.loaded) << e.name;
    }
    EXPECT_EQ(objects,
              (std::vector<std::string>{
                  "closebutton:stdbutton", "maxbutton:stdbutton", "minbutton:stdbutton",
                  "rollupbutton:stdbutton", "sysmenubutton:stdbutton", "caption:caption", "menuitem:menuitem",
                  "mainmenubaritem:mainmenubaritem", "menubarsysmenubutton:mainmenubarbutton",
                  "menubarclosebutton:mainmenubarbutton", "menubarmaxbutton:mainmenubarbutton",
                  "menubarminbutton:mainmenubarbutton", "traybutton:stdbutton"}));
    auto controls = Listed("SKINCONTROLS");
    ASSERT_EQ(controls.size(), 64u);
    std::set<std::string> names;
    for (const auto& e : controls) {
        EXPECT_TRUE(ini_->SectionExists(e.name)) << e.name;
        EXPECT_TRUE(e.loaded) << e.name;
        names.insert(e.name);
    }
    EXPECT_EQ(names.size(), 64u);
    const std::pair<const char*, const char*> spot[] = {
        {"button", "button"},          {"toolpanel", "panel"},          {"memo", "memo"},
        {"stdlabel", "stdlabel"},      {"combobox", "combobox"},        {"listbox", "listbox"},
        {"resizebutton", "button"},    {"listview", "listview"},        {"treeview", "treeview"},
        {"statusgauge", "gauge"},      {"bothhscrollbar", "scrollbar"}, {"tooledit", "edit"},
        {"htracktoolbutton", "button"}};
    for (auto [name, kind] : spot) {
        bool found = false;
        for (const auto& e : controls) {
            found |= e.name == name && e.kind == kind;
        }
        EXPECT_TRUE(found) << name << ":" << kind;
    }
    EXPECT_EQ(controls.front().name, "button");
    EXPECT_EQ(controls.back().name, "htracktoolbutton");
}

TEST_F(EmbeddedSkin, CaptionButtonsHaveAnImagePerState) {
    const gfx::Bitmap& cells = Extra(0);
    for (const char* b :
         {"closebutton", "maxbutton", "minbutton", "rollupbutton", "traybutton", "sysmenubutton"}) {
        SCOPED_TRACE(b);
        EXPECT_EQ(Int(b, "activepictureindex"), 0);
        EXPECT_EQ(Int(b, "skinrectinapicture"), 1);
        bool sys = std::string(b) == "sysmenubutton";
        std::set<std::vector<gfx::Pixel>> looks;
        for (const char* k : {"skinrect", "activeskinrect", "downrect", "inactiveskinrect"}) {
            RECT r = Rect(b, k);
            ASSERT_TRUE(Inside(r, cells)) << k;
            EXPECT_EQ(W(r), sys ? 14 : 21) << k;
            EXPECT_EQ(H(r), sys ? 12 : 21) << k;
            looks.insert(Pixels(cells, r));
        }
        EXPECT_EQ(looks.size(), 4u) << "four distinct looks";
    }
    for (const char* b : {"maxbutton", "minbutton", "rollupbutton"}) {
        for (const char* k : {"restorerect", "restoreactiverect", "restoredownrect", "restoreinactiverect"}) {
            EXPECT_TRUE(Inside(Rect(b, k), cells)) << b << " " << k;
        }
    }
    EXPECT_EQ(ini_->ReadString("closebutton", "command", ""), "cmclose");
    EXPECT_EQ(ini_->ReadString("traybutton", "command", ""), "cmminimizetotray");
}

TEST_F(EmbeddedSkin, CaptionObject) {
    EXPECT_EQ(Int("caption", "skinrectinapicture"), 0);
    EXPECT_EQ(Rect("caption", "skinrect"), (RECT{5, 4, 280, 24}));
    EXPECT_EQ(Rect("caption", "textrect"), (RECT{4, 2, 274, 20}));
    EXPECT_EQ(Rect("caption", "activeskinrect"), (RECT{0, 0, 0, 0}));
    EXPECT_EQ(ini_->ReadString("caption", "fontname", ""), "Arial");
    EXPECT_EQ(Int("caption", "fontheight"), 16);
    EXPECT_EQ(ini_->ReadString("caption", "fontstyle", ""), "fsbold");
    EXPECT_EQ(ini_->ReadString("caption", "alignment", ""), "taleftjustify");
    EXPECT_EQ(Int("caption", "shadow"), 1);
    EXPECT_EQ(Int("caption", "shadowcolor"), 16777215);
}

TEST_F(EmbeddedSkin, ControlGeometryTheWindowsRelyOn) {
    ASSERT_EQ(Int("button", "pictureindex"), 4);
    EXPECT_EQ(Extra(4).Width(), 556);
    EXPECT_EQ(Extra(4).Height(), 410);
    EXPECT_EQ(Rect("button", "skinrect"), (RECT{458, 272, 500, 294}));
    EXPECT_EQ(Point("button", "lefttoppoint"), (POINT{3, 9}));
    EXPECT_EQ(Point("button", "righttoppoint"), (POINT{35, 11}));
    EXPECT_EQ(Point("button", "leftbottompoint"), (POINT{0, 0}));
    EXPECT_EQ(Point("button", "rightbottompoint"), (POINT{0, 0}));
    EXPECT_EQ(Rect("button", "clientrect"), (RECT{2, 2, 40, 20}));
    EXPECT_EQ(Rect("button", "activeskinrect"), (RECT{458, 298, 500, 320}));
    EXPECT_EQ(Rect("button", "downskinrect"), (RECT{458, 324, 500, 346}));
    EXPECT_NE(Int("button", "disabledfontcolor"), -12345);
    EXPECT_EQ(W(Rect("panel", "skinrect")), 59);
    EXPECT_EQ(H(Rect("panel", "skinrect")), 52);
    EXPECT_EQ(Point("panel", "rightbottompoint"), (POINT{53, 46}));
    EXPECT_EQ(Rect("panel", "clientrect"), (RECT{2, 2, 57, 50}));
    EXPECT_EQ(W(Rect("memo", "skinrect")), 59);
    EXPECT_EQ(H(Rect("memo", "skinrect")), 52);
    EXPECT_EQ(Point("memo", "lefttoppoint"), (POINT{3, 3}));
    EXPECT_EQ(Point("memo", "righttoppoint"), (POINT{55, 3}));
    EXPECT_EQ(Point("memo", "leftbottompoint"), (POINT{2, 48}));
    EXPECT_EQ(Point("memo", "rightbottompoint"), (POINT{56, 50}));
    EXPECT_EQ(Rect("memo", "clientrect"), (RECT{2, 2, 57, 50}));
    EXPECT_EQ(H(Rect("listbox", "itemrect")), 20);
    EXPECT_EQ(ini_->ReadString("combobox", "listboxname", ""), "listbox");
    EXPECT_EQ(ini_->ReadString("listbox", "vscrollbarname", ""), "vscrollbar");
    EXPECT_EQ(ini_->ReadString("listbox", "hscrollbarname", ""), "hscrollbar");
    EXPECT_EQ(ini_->ReadString("listbox", "bothhscrollbarname", ""), "bothhscrollbar");
    EXPECT_EQ(Int("listview", "bgcolor"), 16777215);
    EXPECT_EQ(Int("treeview", "bgcolor"), 16777215);
    EXPECT_EQ(Int("stdlabel", "pictureindex"), -1);
    EXPECT_EQ(Int("stdlabel", "activefontcolor"), 13668176);
}

// Every image rectangle of every control lies in its picture, so no state draws from outside.
TEST_F(EmbeddedSkin, ControlImagesLieInTheirPictures) {
    const char* absolute[] = {"skinrect",         "activeskinrect", "downskinrect",    "focusedskinrect",
                              "disabledskinrect", "thumbrect",      "activethumbrect", "downthumbrect",
                              "itemrect",         "activeitemrect", "focusitemrect",   "progressrect"};
    int checked = 0;
    for (const auto& e : Listed("SKINCONTROLS")) {
        long pic = ini_->ReadInteger(e.name, "pictureindex", -1);
        if (pic < 0) {
            continue;
        }
        ASSERT_LT(pic, 8) << e.name;
        for (const char* k : absolute) {
            RECT r = qv::IniReadRect(*ini_, e.name, k);
            if (W(r) > 0 || H(r) > 0 || ini_->FindValue(e.name, k) != nullptr) {
                if (W(r) == 0 && H(r) == 0) {
                    continue; // written empty: the state has no image of its own
                }
                EXPECT_TRUE(Inside(r, Extra(int(pic)))) << e.name << " " << k;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 60);
}

// The windows' controls show each state differently and tile cleanly when resized.
TEST_F(EmbeddedSkin, StatesDifferAndMiddlesTile) {
    const gfx::Bitmap& pic = Extra(4);
    std::set<gfx::Pixel> fills;
    for (const char* k : {"skinrect", "activeskinrect", "downskinrect", "disabledskinrect"}) {
        RECT r = Rect("button", k);
        fills.insert(pic.GetPixel(r.left + 20, r.top + 18)); // lower face, where gradients differ
        EXPECT_TRUE(ColumnsUniform(pic, r, 3, 35)) << k;     // the tiled middle of a Horizontal button
    }
    EXPECT_EQ(fills.size(), 4u);
    // Focus is the outline: it differs from the normal image at the edge.
    EXPECT_NE(pic.GetPixel(458 + 20, 350), pic.GetPixel(458 + 20, 272));
    for (const char* bar : {"vscrollbar", "hscrollbar"}) {
        std::set<gfx::Pixel> thumbs;
        for (const char* k : {"thumbrect", "activethumbrect", "downthumbrect"}) {
            thumbs.insert(Centre(pic, Rect(bar, k)));
        }
        EXPECT_EQ(thumbs.size(), 3u) << bar;
    }
    RECT combo = Rect("combobox", "skinrect");
    EXPECT_TRUE(ColumnsUniform(pic, combo, 3, 37));
    RECT gauge = Rect("statusgauge", "skinrect");
    EXPECT_TRUE(ColumnsUniform(pic, gauge, 6, 42));
    RECT bar = Rect("statusgauge", "progressrect");
    EXPECT_TRUE(ColumnsUniform(pic, bar, 2, W(bar) - 2));
}

} // namespace
