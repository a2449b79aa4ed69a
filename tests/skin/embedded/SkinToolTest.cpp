// skintool's core: building and reading stored skins, rendering by layout kind through the skin
// data's records, and inspect's lists, checked against the embedded skin and small hand-made
// inputs.

#include "EmbeddedSkin.h"
#include "Inspect.h"
#include "Render.h"
#include "StoredSkin.h"
#include "TempFolder.h"

#include "platform/gfx/BmpCodec.h"
#include "skin/data/qvSkinContainer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace skintool;

Bytes EmbeddedContainer() {
    return qv::InflateSkinStream(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize));
}

const Skin& Embedded() {
    static const Skin skin(EmbeddedContainer());
    return skin;
}

// A container of one extra picture and the given skin text.
Bytes SmallContainer(const gfx::Bitmap& extra, const std::string& text) {
    qv::TqvSkinContainerParts parts;
    parts.flaggedPictures.resize(3);
    parts.extraPictures.push_back(gfx::WriteBmp(extra, 24));
    parts.text = text;
    return qv::WriteSkinContainer(parts);
}

// A picture whose every pixel tells where it is, so a copied image shows where it came from.
gfx::Bitmap Numbered(int w, int h) {
    gfx::Bitmap b(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            b.SetPixel(x, y, gfx::Pixel(x << 8 | y));
        }
    }
    return b;
}

// The tool reads its geometry as the program does: the skin text rules (case, later sections
// winning, digit-by-digit rectangles) and the records' choice of keys come from the skin data.
TEST(SkinToolRecords, GeometryIsReadAsTheProgramReadsIt) {
    Skin skin(SmallContainer(Numbered(40, 40),
                             "junk before\r\n[SKINCONTROLS]\ncount=3\n0=box:panel\n1=odd:nosuchkind\n"
                             "2=lbl:stdlabel\n"
                             "[Box]\npictureindex=0\nskinrect=1,1,2,2\n"
                             "[box]\nPictureIndex=0\n ; comment\n SkinRect = 5, -2,25,22 \r"
                             "rightbottompoint=16,16\nlefttoppoint=4,4\nrighttoppoint=16,4\n"
                             "leftbottompoint=4,16\nclientrect=4,4,16,16\nstretcheffect=1\n"
                             "stretchtype=stvert\ndownskinrect=0,0,20,20\n"
                             "[lbl]\nskinrect=0,0,10,10\nactiveskinrect=0,0,10,10\n"));
    SectionGeometry g = ReadGeometry(skin, "box");
    EXPECT_EQ(g.skin, (RECT{5, 2, 25, 22})); // the later [box] wins; the minus is dropped
    EXPECT_EQ(g.picture, 0);
    EXPECT_EQ(g.layout, Layout::Corners);
    EXPECT_TRUE(g.flags.StretchCentre);
    EXPECT_EQ(g.flags.StretchType, 2);
    // A panel's record has no pressed image, whatever its section says; a label's no hot one.
    EXPECT_EQ(StateRect(skin, "box", State::Down), (RECT{0, 0, 0, 0}));
    EXPECT_EQ(StateRect(skin, "lbl", State::Active), (RECT{0, 0, 0, 0}));
    EXPECT_THROW(RenderSection(skin, "box", 30, 30, State::Down), SkinError);
    // A kind the program does not know gives no record: not rendered, and inspect says so.
    EXPECT_THROW(ReadGeometry(skin, "odd"), SkinError);
    auto listed = ReadSectionList(skin, "SKINCONTROLS");
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[1].name, "odd");
    EXPECT_FALSE(listed[1].loaded);
    EXPECT_TRUE(listed[0].loaded && listed[2].loaded);
    EXPECT_NE(DescribeSkin(skin, 0, false).find("control odd nosuchkind (unknown kind"), std::string::npos);
    // A malformed rectangle is the skin data's error, and the tool passes it on.
    EXPECT_ANY_THROW(Skin(SmallContainer(Numbered(4, 4), "[SKINCONTROLS]\ncount=1\n0=p:panel\n"
                                                         "[p]\nskinrect=1,,3,4\n")));
}

TEST(SkinToolContainer, RejectsBrokenInput) {
    Bytes full = EmbeddedContainer();
    Bytes cut(full.begin(), full.begin() + 100000); // ends inside the first picture
    EXPECT_THROW(ReadContainer(cut), SkinError);
    Bytes newer = full;
    newer[0] = 4;
    EXPECT_THROW(ReadContainer(newer), SkinError);
    EXPECT_THROW(ReadContainer(Bytes{3, 0, 0}), SkinError);
}

class SkinFolder : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& body) { return temp_.Write(name, body); }
    TempFolder temp_;
    std::filesystem::path dir_{temp_.Path()};
};

TEST_F(SkinFolder, BuildWritesTheContainerInOrder) {
    gfx::Bitmap pic(3, 2, 0x112233);
    gfx::SaveBmpFile((dir_ / "a.bmp").string(), pic, 24);
    gfx::SaveBmpFile((dir_ / "m.bmp").string(), gfx::Bitmap(3, 2, 0), 1);
    std::string ini = Write("skin.ini", "[VERSION]\nskinname=t\n[PICTURES]\npicture=a.bmp\nmask=m.bmp\n"
                                        "activepicturescount=2\n0=a.bmp\n1=m.bmp\n[FORMINFO]\n"
                                        "[SKINOBJECTS]\n[SKINCONTROLS]\n");
    Container c = ReadContainer(qv::InflateSkinStream(BuildStoredSkin(ini)));
    EXPECT_EQ(c.version, 3);
    ASSERT_TRUE(c.main && c.mask);
    EXPECT_FALSE(c.inactive);
    EXPECT_EQ(c.main->image.bitmap, pic);
    EXPECT_EQ(c.mask->image.bitCount, 1);
    ASSERT_EQ(c.extras.size(), 2u);
    EXPECT_EQ(c.extras[1].image.bitCount, 1);
    // Lines go out with CR LF, whatever ended them in the file.
    EXPECT_EQ(c.text.substr(0, 24), "[VERSION]\r\nskinname=t\r\n[");
    // The file formats LoadContainer accepts give the same container.
    std::string stream = (dir_ / "s.zlib").string();
    WriteFileBytes(stream, BuildStoredSkin(ini));
    EXPECT_EQ(LoadContainer(stream), LoadContainer(ini));
}

TEST_F(SkinFolder, BuildRefusesMissingSectionsAndFiles) {
    std::string noControls = Write("a.ini", "[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n");
    EXPECT_THROW(BuildStoredSkin(noControls), SkinError);
    std::string missingBmp = Write("b.ini", "[VERSION]\n[PICTURES]\npicture=nothere.bmp\n"
                                            "[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\n");
    EXPECT_ANY_THROW(BuildStoredSkin(missingBmp));
    EXPECT_THROW(LoadContainer((dir_ / "absent.zlib").string()), SkinError);
}

TEST_F(SkinFolder, LoadRefusesDamagedStreams) {
    const std::string garbage = Write("garbage.zlib", std::string("\x78\x01\x02\x03\x04", 5));
    try {
        LoadContainer(garbage);
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "compression error");
    }
    std::string stored(reinterpret_cast<const char*>(kEmbeddedSkin), kEmbeddedSkinSize / 2);
    EXPECT_THROW(LoadContainer(Write("cut.zlib", stored)), qv::ECompressionError);
}

TEST(SkinToolRender, LayoutKindsFollowTheCornerPoints) {
    const Skin& skin = Embedded();
    struct Case {
        const char* section;
        Layout layout;
        int w, h;       // requested
        int gotW, gotH; // what the control paints
    };
    const Case cases[] = {
        {"button", Layout::Horizontal, 121, 40, 121, 22},
        {"panel", Layout::Corners, 754, 57, 754, 57},
        {"vscrollbar", Layout::Vertical, 19, 477, 17, 477},
        {"hscrollbar", Layout::Horizontal, 754, 19, 754, 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.section);
        EXPECT_EQ(ReadGeometry(skin, c.section).layout, c.layout);
        gfx::Bitmap b = RenderSection(skin, c.section, c.w, c.h, State::Normal);
        EXPECT_EQ(b.Width(), c.gotW);
        EXPECT_EQ(b.Height(), c.gotH);
    }
    // The button's fixed ends stay, its middle tiles: the right end of a 121-pixel button is the
    // right end of the skin image.
    gfx::Bitmap button = RenderSection(skin, "button", 121, 22, State::Normal);
    const gfx::Bitmap& pic = skin.data.ExtraPictures[4];
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 7; ++x) {
            ASSERT_EQ(button.GetPixel(114 + x, y), pic.GetPixel(458 + 35 + x, 272 + y));
        }
    }
    // A state takes its own rectangle: the pressed button differs from the normal one.
    EXPECT_NE(RenderSection(skin, "button", 121, 22, State::Down), button);
}

TEST(SkinToolRender, FixedCopiesAndErrorsName) {
    const Skin& skin = Embedded();
    // Errors that name what is missing instead of drawing nothing.
    EXPECT_THROW(RenderSection(skin, "nosuchsection", 10, 10, State::Normal), SkinError);
    EXPECT_THROW(RenderSection(skin, "listview", 10, 10, State::Normal), SkinError); // no image
    EXPECT_THROW(RenderSection(skin, "panel", 10, 10, State::Down), SkinError);
    EXPECT_THROW(ParseState("hover"), SkinError);
    // A record without corner points copies its image unchanged (Fixed), whatever the size.
    const gfx::Bitmap pic = Numbered(20, 20);
    Skin fixed(SmallContainer(pic, "[SKINCONTROLS]\ncount=2\n0=x:stdlabel\n1=far:stdlabel\n"
                                   "[x]\npictureindex=0\nskinrect=2,2,15,15\n"
                                   "[far]\npictureindex=0\nskinrect=10,10,900000000,900000000\n"));
    EXPECT_EQ(ReadGeometry(fixed, "x").layout, Layout::Fixed);
    gfx::Bitmap box = RenderSection(fixed, "x", 100, 100, State::Normal);
    EXPECT_EQ(box.Width(), 13);
    EXPECT_EQ(box.Height(), 13);
    EXPECT_EQ(box.GetPixel(6, 6), pic.GetPixel(8, 8));
    // An image reaching outside its picture is refused instead of sizing a bitmap by it.
    EXPECT_THROW(RenderSection(fixed, "far", 10, 10, State::Normal), SkinError);
}

TEST(SkinToolRender, FrameIsShapedByTheMask) {
    gfx::Bitmap frame = RenderFrame(Embedded(), 762, 606, true, 0xFF00FF);
    EXPECT_EQ(frame.Width(), 762);
    EXPECT_EQ(frame.GetPixel(0, 0), 0xFF00FFu); // rounded away
    EXPECT_EQ(frame.GetPixel(761, 605), 0xFF00FFu);
    EXPECT_NE(frame.GetPixel(381, 0), 0xFF00FFu);                // the top edge is inside
    EXPECT_EQ(frame.GetPixel(381, 300), frame.GetPixel(10, 40)); // the client face
    // The close button sits 3 pixels from the right edge, 5 from the top.
    const Skin& skin = Embedded();
    const auto& closeButton = *skin.data.FormObjects[std::size_t(skin.data.IndexOfFormObject("closebutton"))];
    RECT close = closeButton.skinrect;
    const gfx::Bitmap& cells = skin.data.ExtraPictures[0];
    EXPECT_EQ(frame.GetPixel(762 - 24 + 10, 5 + 10), cells.GetPixel(close.left + 10, close.top + 10));
}

} // namespace
