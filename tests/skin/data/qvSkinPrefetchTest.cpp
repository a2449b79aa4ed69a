// A skin decoded ahead on another thread loads exactly as a skin decoded on the spot.
#include "skin/data/qvSkinPrefetch.h"

#include "skin/data/qvSkinData.h"

#include "qvSkinDataTestSupport.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qvtest;

namespace {

const std::string kText = "[VERSION]\r\nskinname=Ahead\r\n[SKINCOLORS]\r\ncbtnface=255\r\n"
                          "[SKINCONTROLS]\r\ncount=1\r\n0=button:button\r\n"
                          "[button]\r\nskinrect=0,0,4,4\r\n";

TqvBytes Stream(std::uint32_t colour) {
    TqvSkinContainerParts parts;
    parts.flaggedPictures = {MakeBmp(4, 3, 24, colour), {}, MakeBmp(4, 3, 8, 0)};
    parts.extraPictures = {MakeBmp(2, 2, 24, 0x00FF00)};
    parts.text = kText;
    return DeflateSkinStream(WriteSkinContainer(parts));
}

// A stored skin holding its own copy of the bytes, as the program's form does.
void Store(TqvCompressedStoredSkin& stored, const TqvBytes& zlib) {
    stored.CompressedStream().WriteBuffer(zlib.data(), std::int64_t(zlib.size()));
}

struct Loaded {
    std::vector<Delivery> log;
    std::uint32_t mainPixel = 0;
    std::size_t extras = 0;
    int button = -1;
    std::string name;
};

Loaded Load(const TqvBytes& zlib) {
    RecordingRoute route;
    vcl::TComponent form(nullptr);
    route.forms = {&form};
    TqvSkinData data(nullptr);
    data.SetMessageRoute(&route);
    TqvCompressedStoredSkin stored(nullptr);
    Store(stored, zlib);
    data.LoadFromStoredSkin(stored);
    Loaded out;
    for (Delivery d : route.log) {
        d.form = nullptr; // the form differs from load to load
        out.log.push_back(d);
    }
    out.mainPixel = data.MainPicture.GetPixel(3, 2);
    out.extras = data.ExtraPictures.size();
    out.button = data.IndexOfControlSkin("button");
    out.name = data.skinname;
    return out;
}

} // namespace

TEST(SkinPrefetchTest, APrefetchedSkinLoadsAsOneDecodedOnTheSpot) {
    const TqvBytes zlib = Stream(0x102030);
    const Loaded plain = Load(zlib);

    PrefetchSkinStream(zlib);
    const Loaded ahead = Load(zlib);
    EXPECT_EQ(ahead.log, plain.log);
    EXPECT_EQ(ahead.mainPixel, 0x102030u);
    EXPECT_EQ(ahead.extras, 1u);
    EXPECT_EQ(ahead.button, plain.button);
    EXPECT_EQ(ahead.name, "Ahead");
    // Taken once: the next load of the same bytes decodes again.
    EXPECT_FALSE(TakePrefetchedSkin(zlib).has_value());
}

// The program's own skin comes with its container inflated at build time: the prefetch reads
// that, and the load takes it for the stream.
TEST(SkinPrefetchTest, AContainerAtHandIsReadForItsStream) {
    const TqvBytes zlib = Stream(0x102030);
    const TqvBytes container = InflateSkinStream(Stream(0x405060)); // a marked stand-in
    PrefetchSkinStream(zlib, container);
    EXPECT_EQ(Load(zlib).mainPixel, 0x405060u);
    EXPECT_EQ(Load(zlib).mainPixel, 0x102030u); // taken once
}

TEST(SkinPrefetchTest, AnotherSkinIsDecodedOnTheSpotAndThePrefetchWaits) {
    const TqvBytes first = Stream(0x111111), second = Stream(0x222222);
    PrefetchSkinStream(first);
    EXPECT_EQ(Load(second).mainPixel, 0x222222u);
    auto kept = TakePrefetchedSkin(first);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->mainPicture.GetPixel(0, 0), 0x111111u);
}

TEST(SkinPrefetchTest, ADamagedSkinFailsAsItWouldWithoutPrefetch) {
    TqvBytes zlib = Stream(0x102030);
    zlib.resize(zlib.size() / 2);
    PrefetchSkinStream(zlib);
    TqvSkinData data(nullptr);
    TqvCompressedStoredSkin stored(nullptr);
    Store(stored, zlib);
    try {
        data.LoadFromStoredSkin(stored);
        ADD_FAILURE() << "a cut stream loaded";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()), "compression error");
    }
    EXPECT_TRUE(data.IsEmpty());
    EXPECT_FALSE(TakePrefetchedSkin(zlib).has_value());
}
