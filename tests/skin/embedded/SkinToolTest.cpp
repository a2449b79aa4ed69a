// skintool's core: building and reading stored skins, the skin text reader, and rendering by
// layout kind, checked against the embedded skin and small hand-made inputs.

#include "EmbeddedSkin.h"
#include "Render.h"
#include "SkinIni.h"
#include "StoredSkin.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace skintool;

const Skin& Embedded() {
    static const Skin skin(ReadContainer(
        Inflate(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize))));
    return skin;
}

TEST(SkinToolIni, ReadsValuesByTheSkinTextRules) {
    IniText ini("junk before\r\n[Sec]\n; comment\n  Key = 50, 2,71,23 \rflag=2\n"
                "[sec]\nhex=0x10\nbad=12ab\nneg=-5,3,4,5,6\nempty=\n[other]\nx=1\n");
    // The later of two sections with equal names (any case) is the one read.
    EXPECT_FALSE(ini.Find("SEC", "key").has_value());
    EXPECT_EQ(ini.ReadInteger("sec", "HEX", 0), 16);
    EXPECT_EQ(ini.ReadInteger("sec", "bad", 14), 14);
    EXPECT_EQ(ini.ReadInteger("sec", "empty", 7), 7);
    EXPECT_EQ(ini.ReadRect("sec", "neg"), (RECT{5, 3, 4, 5}));  // minus dropped, fifth ignored
    EXPECT_EQ(ini.ReadRect("sec", "absent"), (RECT{0, 0, 0, 0}));
    EXPECT_THROW(ini.ReadRect("sec", "empty"), SkinError);
    EXPECT_THROW(IniText("[a]\nr=1,,3,4\n").ReadRect("a", "r"), SkinError);
    IniText first("[s]\nskinrect=50, 2, 71, 23\n");
    EXPECT_EQ(first.ReadRect("s", "skinrect"), (RECT{50, 2, 71, 23}));
    EXPECT_EQ(ini.SectionNames().size(), 2u);
}

TEST(SkinToolContainer, RejectsBrokenInput) {
    const std::uint8_t garbage[] = {1, 2, 3, 4, 5};
    try {
        Inflate(garbage);
        FAIL() << "no error";
    } catch (const SkinError& e) {
        EXPECT_STREQ(e.what(), "compression error");
    }
    Bytes full = Inflate(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize));
    Bytes stored(kEmbeddedSkin, kEmbeddedSkin + kEmbeddedSkinSize);
    stored.resize(stored.size() / 2);
    EXPECT_THROW(Inflate(stored), SkinError);  // a stream cut short
    Bytes cut(full.begin(), full.begin() + 100000);  // ends inside the first picture
    EXPECT_THROW(ReadContainer(cut), SkinError);
    Bytes newer = full;
    newer[0] = 4;
    EXPECT_THROW(ReadContainer(newer), SkinError);
    EXPECT_THROW(ReadContainer(Bytes{3, 0, 0}), SkinError);
}

class SkinFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("skintool_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Write(const std::string& name, const std::string& body) {
        std::ofstream(dir_ / name, std::ios::binary) << body;
        return (dir_ / name).string();
    }
    std::filesystem::path dir_;
};

TEST_F(SkinFolder, BuildWritesTheContainerInOrder) {
    gfx::Bitmap pic(3, 2, 0x112233);
    gfx::SaveBmpFile((dir_ / "a.bmp").string(), pic, 24);
    gfx::SaveBmpFile((dir_ / "m.bmp").string(), gfx::Bitmap(3, 2, 0), 1);
    std::string ini = Write("skin.ini",
                            "[VERSION]\nskinname=t\n[PICTURES]\npicture=a.bmp\nmask=m.bmp\n"
                            "activepicturescount=2\n0=a.bmp\n1=m.bmp\n[FORMINFO]\n"
                            "[SKINOBJECTS]\n[SKINCONTROLS]\n");
    Container c = ReadContainer(Inflate(BuildStoredSkin(ini)));
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
    const gfx::Bitmap& pic = skin.container.extras[4].image.bitmap;
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
    EXPECT_THROW(RenderSection(skin, "listview", 10, 10, State::Normal), SkinError);  // no image
    EXPECT_THROW(RenderSection(skin, "panel", 10, 10, State::Down), SkinError);
    EXPECT_THROW(ParseState("hover"), SkinError);
    // Checks and radios are Horizontal faces; their image rectangles copy unchanged (Fixed).
    IniText fixed("[x]\npictureindex=5\nskinrect=2,2,15,15\n");
    Skin copy = Embedded();
    copy.ini = fixed;
    gfx::Bitmap box = RenderSection(copy, "x", 100, 100, State::Normal);
    EXPECT_EQ(box.Width(), 13);
    EXPECT_EQ(box.GetPixel(6, 6), copy.container.extras[5].image.bitmap.GetPixel(8, 8));
}

TEST(SkinToolRender, FrameIsShapedByTheMask) {
    gfx::Bitmap frame = RenderFrame(Embedded(), 762, 606, true, 0xFF00FF);
    EXPECT_EQ(frame.Width(), 762);
    EXPECT_EQ(frame.GetPixel(0, 0), 0xFF00FFu);       // rounded away
    EXPECT_EQ(frame.GetPixel(761, 605), 0xFF00FFu);
    EXPECT_NE(frame.GetPixel(381, 0), 0xFF00FFu);     // the top edge is inside
    EXPECT_EQ(frame.GetPixel(381, 300), frame.GetPixel(10, 40));  // the client face
    // The close button sits 3 pixels from the right edge, 5 from the top.
    const Skin& skin = Embedded();
    RECT close = skin.ini.ReadRect("closebutton", "skinrect");
    const gfx::Bitmap& cells = skin.container.extras[0].image.bitmap;
    EXPECT_EQ(frame.GetPixel(762 - 24 + 10, 5 + 10), cells.GetPixel(close.left + 10, close.top + 10));
}

} // namespace
