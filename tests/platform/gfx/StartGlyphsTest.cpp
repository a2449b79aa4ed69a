// The list of glyphs a start drew: its file format, and warming the engine from it so that
// the same text draws without rasterising again.
#include "platform/gfx/StartGlyphs.h"

#include "platform/gfx/FontEngine.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

gfx::StartGlyphs::Font Font(const std::string& face, int height, std::vector<char32_t> points) {
    gfx::StartGlyphs::Font f;
    f.face = face;
    f.height = height;
    f.weight = 400;
    f.charSet = 134;
    f.codePoints = std::move(points);
    return f;
}

const std::string kHeader = "iislog-start-glyphs 1\n";

} // namespace

TEST(StartGlyphs, TextRoundTripsAndKeepsEveryField) {
    gfx::StartGlyphs list;
    list.fonts.push_back(Font("宋体", -12, {0x30, 0x41, 0x5206, 0x6790, 0x1F600}));
    gfx::StartGlyphs::Font bold = Font("Arial", 14, {});
    bold.weight = 700;
    bold.italic = bold.underline = bold.strikeOut = true;
    bold.charSet = 0;
    list.fonts.push_back(bold);
    std::string text = list.Serialize();
    EXPECT_EQ(text, kHeader + "font\t宋体\t-12\t400\t0\t0\t0\t134\t30,41,5206,6790,1f600\n"
                              "font\tArial\t14\t700\t1\t1\t1\t0\t\n");
    gfx::StartGlyphs back;
    ASSERT_TRUE(back.Parse(text));
    EXPECT_EQ(back, list);
    EXPECT_TRUE(back.Parse(kHeader)); // no fonts: a valid, empty list
    EXPECT_TRUE(back.fonts.empty());
}

TEST(StartGlyphs, MalformedTextIsRejectedWhole) {
    const std::string good = "font\tArial\t-12\t400\t0\t0\t0\t0\t41\n";
    std::string manyPoints = "font\tArial\t-12\t400\t0\t0\t0\t0\t41";
    for (std::size_t i = 0; i < gfx::StartGlyphs::kMaxCodePoints; ++i)
        manyPoints += ",42";
    std::string manyFonts = kHeader;
    for (std::size_t i = 0; i <= gfx::StartGlyphs::kMaxFonts; ++i)
        manyFonts += good;
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"another header", "iislog-start-glyphs 2\n" + good},
        {"a field short", kHeader + "font\tArial\t-12\t400\t0\t0\t0\t41\n"},
        {"a field more", kHeader + "font\tArial\t-12\t400\t0\t0\t0\t0\t41\tx\n"},
        {"not a font line", kHeader + "glyph\tArial\t-12\t400\t0\t0\t0\t0\t41\n"},
        {"no face", kHeader + "font\t\t-12\t400\t0\t0\t0\t0\t41\n"},
        {"a face too long", kHeader + "font\t" + std::string(LF_FACESIZE, 'a') + "\t-12\t400\t0\t0\t0\t0\t41\n"},
        {"a height out of range", kHeader + "font\tArial\t-99999\t400\t0\t0\t0\t0\t41\n"},
        {"a flag of 2", kHeader + "font\tArial\t-12\t400\t2\t0\t0\t0\t41\n"},
        {"a charset past a byte", kHeader + "font\tArial\t-12\t400\t0\t0\t0\t256\t41\n"},
        {"a number with a sign", kHeader + "font\tArial\t+12\t400\t0\t0\t0\t0\t41\n"},
        {"a code point past Unicode", kHeader + "font\tArial\t-12\t400\t0\t0\t0\t0\t110000\n"},
        {"an empty code point", kHeader + "font\tArial\t-12\t400\t0\t0\t0\t0\t41,,42\n"},
        {"a code point not in hex", kHeader + "font\tArial\t-12\t400\t0\t0\t0\t0\t4g\n"},
        {"an empty line inside", kHeader + good + "\n" + good},
        {"too many code points", kHeader + manyPoints + "\n"},
        {"too many fonts", manyFonts},
    };
    for (const auto& c : cases) {
        gfx::StartGlyphs list;
        list.fonts.push_back(Font("Arial", -12, {0x41}));
        EXPECT_FALSE(list.Parse(c.text)) << c.what;
        EXPECT_TRUE(list.fonts.empty()) << c.what;
    }
}

TEST(StartGlyphs, FileRoundTripsAndAMissingOrUnwritablePlaceGivesNothing) {
    TempFolder folder;
    gfx::StartGlyphs list;
    list.fonts.push_back(Font("Tahoma", -11, {0x61, 0x62}));
    const std::string file = folder / "cache/iislog/start-glyphs"; // folders made on the way
    gfx::WriteStartGlyphs(file, list);
    EXPECT_EQ(gfx::ReadStartGlyphs(file), list);
    EXPECT_TRUE(gfx::ReadStartGlyphs(folder / "none").fonts.empty());
    folder.Write("blocker", "a file where a folder should be");
    gfx::WriteStartGlyphs(folder / "blocker/start-glyphs", list);
    EXPECT_TRUE(gfx::ReadStartGlyphs(folder / "blocker/start-glyphs").fonts.empty());
    EXPECT_TRUE(gfx::ReadStartGlyphs("").fonts.empty());
}

TEST(StartGlyphs, WarmingRasterisesWhatTheEngineThenDrawsFromItsCache) {
    gfx::FontEngine& engine = gfx::FontEngine::Get();
    // A size no other test uses, so that these glyphs are new to the engine.
    gfx::StartGlyphs list;
    list.fonts.push_back(Font("Arial", -23, {0x41, 0x42, 0x5206}));
    const auto before = engine.RasterisedGlyphs();
    gfx::WarmGlyphs(engine, list);
    EXPECT_EQ(engine.RasterisedGlyphs(), before + 3);
    auto font = engine.Resolve(list.fonts[0].LogFont());
    font->GlyphFor(0x5206);
    font->GlyphFor(0x41);
    EXPECT_EQ(engine.RasterisedGlyphs(), before + 3);
    // The engine lists the font with its code points in order, as the next start reads them.
    font->GlyphFor(0x40);
    gfx::StartGlyphs rendered = engine.Rendered();
    auto it = std::find_if(rendered.fonts.begin(), rendered.fonts.end(),
                           [](const gfx::StartGlyphs::Font& f) { return f.face == "Arial" && f.height == -23; });
    ASSERT_NE(it, rendered.fonts.end());
    EXPECT_EQ(it->codePoints, (std::vector<char32_t>{0x40, 0x41, 0x42, 0x5206}));
    EXPECT_EQ(it->weight, 400);
    EXPECT_EQ(it->charSet, 134);
    // A list naming a font with nothing installed under it ends quietly.
    gfx::StartGlyphs odd;
    odd.fonts.push_back(Font("No Such Family", -12, {0x41}));
    gfx::WarmGlyphs(engine, odd);
}
