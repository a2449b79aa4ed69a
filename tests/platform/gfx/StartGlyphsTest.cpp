// The glyphs a start drew, kept for the next: the file format, and the engine taking back only
// the glyphs it would draw the same way now.
#include "platform/gfx/StartGlyphs.h"

#include "platform/gfx/FontEngine.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

gfx::Glyph MarkedGlyph(int width, int height, std::uint8_t mark) {
    gfx::Glyph g;
    g.left = -1;
    g.top = 9;
    g.width = width;
    g.height = height;
    g.advance = 7;
    g.coverage.assign(std::size_t(width) * std::size_t(height), mark);
    return g;
}

LOGFONT Arial(int height) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = 400;
    lf.lfCharSet = 134;
    std::strcpy(lf.lfFaceName, "Arial");
    return lf;
}

gfx::StartGlyphs SampleList() {
    gfx::StartGlyphs list;
    list.renderer = "freetype 2.12.1; /opt/iislog 1700000000000000000 4497696";
    list.faces.push_back({"/usr/share/fonts/wqy-zenhei.ttc", 0, 1600000000123456789, 17000000});
    list.faces.push_back({"/usr/share/fonts/LiberationSans-Regular.ttf", 0, -5, 350000});
    gfx::StartGlyphs::Font song;
    song.face = "宋体";
    song.height = -12;
    song.weight = 400;
    song.charSet = 134;
    song.glyphs.push_back({0x41, 1, MarkedGlyph(6, 8, 0x80)});
    song.glyphs.push_back({0x5206, 0, MarkedGlyph(11, 12, 0xFF)});
    song.glyphs.push_back({0x1F600, 0, MarkedGlyph(0, 0, 0)});
    list.fonts.push_back(song);
    gfx::StartGlyphs::Font bold;
    bold.face = "Arial";
    bold.height = 14;
    bold.weight = 700;
    bold.italic = bold.underline = bold.strikeOut = true;
    list.fonts.push_back(bold); // a font with no glyphs is still a font
    return list;
}

} // namespace

TEST(StartGlyphs, BytesRoundTripAndKeepEveryField) {
    const gfx::StartGlyphs list = SampleList();
    const std::string bytes = list.Serialize();
    EXPECT_EQ(bytes.rfind("iislog-start-glyphs 2\n", 0), 0u);
    gfx::StartGlyphs back;
    ASSERT_TRUE(back.Parse(bytes));
    EXPECT_EQ(back, list);
    EXPECT_EQ(back.Serialize(), bytes);
    EXPECT_TRUE(back.Parse(gfx::StartGlyphs().Serialize())); // nothing kept: valid and empty
    EXPECT_TRUE(back.fonts.empty());
}

TEST(StartGlyphs, MalformedBytesAreRejectedWhole) {
    const std::string good = SampleList().Serialize();
    gfx::StartGlyphs list;
    // Every cut-short file, down to nothing.
    for (std::size_t n = 0; n < good.size(); ++n) {
        list = SampleList();
        ASSERT_FALSE(list.Parse(std::string_view(good).substr(0, n))) << "cut at " << n;
        ASSERT_TRUE(list.fonts.empty() && list.faces.empty() && list.renderer.empty());
    }
    auto with = [](auto change) {
        gfx::StartGlyphs l = SampleList();
        change(l);
        return l.Serialize();
    };
    // The last font has no glyphs: its italic flag is the eighth byte from the end.
    std::string italicTwo = good;
    italicTwo[italicTwo.size() - 8] = 2;
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"a byte more", good + '\0'},
        {"the first version", "iislog-start-glyphs 1\n" + good.substr(22)},
        {"a face number past the faces", with([](auto& l) { l.fonts[0].glyphs[0].face = 2; })},
        {"code points not ascending",
         with([](auto& l) { std::swap(l.fonts[0].glyphs[0], l.fonts[0].glyphs[1]); })},
        {"a code point twice", with([](auto& l) { l.fonts[0].glyphs[1].codePoint = 0x41; })},
        {"a code point past Unicode", with([](auto& l) { l.fonts[0].glyphs[2].codePoint = 0x110000; })},
        {"a glyph too wide", with([](auto& l) { l.fonts[0].glyphs[0].glyph = MarkedGlyph(513, 1, 1); })},
        {"a flag of 2", italicTwo},
        {"no face name", with([](auto& l) { l.fonts[0].face.clear(); })},
        {"a face name too long", with([](auto& l) { l.fonts[0].face.assign(LF_FACESIZE, 'a'); })},
        {"a height out of range", with([](auto& l) { l.fonts[0].height = -1001; })},
        {"a string past the limit",
         with([](auto& l) { l.renderer.assign(gfx::StartGlyphs::kMaxString + 1, 'r'); })},
        {"too many fonts",
         with([](auto& l) { l.fonts.resize(gfx::StartGlyphs::kMaxFonts + 1, l.fonts[1]); })},
        {"too many faces", with([](auto& l) { l.faces.resize(gfx::StartGlyphs::kMaxFaces + 1); })},
    };
    for (const auto& c : cases) {
        list = SampleList();
        EXPECT_FALSE(list.Parse(c.bytes)) << c.what;
        EXPECT_TRUE(list.fonts.empty()) << c.what;
    }
}

TEST(StartGlyphs, FileRoundTripsAndAMissingOrUnwritablePlaceGivesNothing) {
    TempFolder folder;
    const gfx::StartGlyphs list = SampleList();
    const std::string file = folder / "cache/iislog/start-glyphs"; // folders made on the way
    gfx::WriteStartGlyphs(file, list);
    EXPECT_EQ(gfx::ReadStartGlyphs(file), list);
    EXPECT_TRUE(gfx::ReadStartGlyphs(folder / "none").fonts.empty());
    folder.Write("blocker", "a file where a folder should be");
    gfx::WriteStartGlyphs(folder / "blocker/start-glyphs", list);
    EXPECT_TRUE(gfx::ReadStartGlyphs(folder / "blocker/start-glyphs").fonts.empty());
    EXPECT_TRUE(gfx::ReadStartGlyphs("").fonts.empty());
}

// The engine lists what it drew; a list made from that, moved to a font size no other test
// uses and with its pixels marked, shows whether the engine took a glyph back (the marked
// pixels, nothing rasterised) or drew its own.
TEST(StartGlyphs, TheEngineTakesBackOnlyGlyphsItWouldDrawTheSameWay) {
    gfx::FontEngine& engine = gfx::FontEngine::Get();
    if (engine.Renderer().empty()) GTEST_SKIP() << "this engine keeps no glyphs between runs";
    auto drawn = engine.Resolve(Arial(-23));
    drawn->GlyphFor(0x41);
    drawn->GlyphFor(0x5206); // not in Liberation Sans: drawn from the Chinese fallback
    const gfx::StartGlyphs rendered = engine.Rendered();
    ASSERT_TRUE(gfx::StartGlyphs().Parse(rendered.Serialize()));
    auto it = std::find_if(rendered.fonts.begin(), rendered.fonts.end(), [](const gfx::StartGlyphs::Font& f) {
        return f.face == "Arial" && f.height == -23;
    });
    ASSERT_NE(it, rendered.fonts.end());
    ASSERT_EQ(it->glyphs.size(), 2u);
    EXPECT_EQ(it->glyphs[0].codePoint, 0x41u);
    EXPECT_EQ(it->glyphs[0].glyph, drawn->GlyphFor(0x41));
    EXPECT_NE(rendered.faces[it->glyphs[0].face].file, rendered.faces[it->glyphs[1].face].file);
    EXPECT_EQ(rendered.renderer, engine.Renderer());

    int height = -40;
    // Kept at a new size with marked pixels, changed as `change` says; true when taken back.
    auto takenBack = [&](auto change) {
        gfx::StartGlyphs kept = rendered;
        kept.fonts = {*it};
        kept.fonts[0].height = --height;
        for (auto& g : kept.fonts[0].glyphs)
            g.glyph = MarkedGlyph(3, 2, 0x5A);
        change(kept);
        const auto before = engine.RasterisedGlyphs();
        gfx::WarmGlyphs(engine, kept);
        auto font = engine.Resolve(kept.fonts[0].LogFont());
        bool latin = font->GlyphFor(0x41) == MarkedGlyph(3, 2, 0x5A);
        bool chinese = font->GlyphFor(0x5206) == MarkedGlyph(3, 2, 0x5A);
        EXPECT_EQ(engine.RasterisedGlyphs() - before, unsigned(!latin) + unsigned(!chinese));
        return std::make_pair(latin, chinese);
    };
    using Both = std::pair<bool, bool>;
    EXPECT_EQ(takenBack([](gfx::StartGlyphs&) {}), Both(true, true));
    EXPECT_EQ(takenBack([](gfx::StartGlyphs& k) { k.renderer += "x"; }), Both(false, false));
    EXPECT_EQ(takenBack([&](gfx::StartGlyphs& k) { k.faces[k.fonts[0].glyphs[0].face].mtimeNs += 1; }),
              Both(false, true));
    EXPECT_EQ(takenBack([&](gfx::StartGlyphs& k) { k.faces[k.fonts[0].glyphs[1].face].size += 1; }),
              Both(true, false));
    EXPECT_EQ(takenBack([&](gfx::StartGlyphs& k) {
                  std::swap(k.fonts[0].glyphs[0].face, k.fonts[0].glyphs[1].face);
              }),
              Both(false, false));
    // A list naming a font with nothing installed under it ends quietly.
    gfx::StartGlyphs odd = rendered;
    odd.fonts = {*it};
    odd.fonts[0].face = "No Such Family";
    gfx::WarmGlyphs(engine, odd);
}

// A font the file cannot name as it is (a height past its bounds) is left out, not kept under a
// clamped height that names another font; what the engine lists always reads back.
TEST(StartGlyphs, FontsBeyondTheFilesBoundsAreLeftOut) {
    gfx::FontEngine& engine = gfx::FontEngine::Get();
    if (engine.Renderer().empty()) GTEST_SKIP() << "this engine keeps no glyphs between runs";
    engine.Resolve(Arial(-1500))->GlyphFor(0x2E);
    const gfx::StartGlyphs rendered = engine.Rendered();
    for (const auto& f : rendered.fonts)
        EXPECT_TRUE(f.height >= -1000 && f.height <= 1000 && !(f.face == "Arial" && f.height == -1000))
            << f.height;
    gfx::StartGlyphs back;
    EXPECT_TRUE(back.Parse(rendered.Serialize()));
}
