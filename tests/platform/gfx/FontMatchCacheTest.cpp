#include "platform/gfx/FontMatchCache.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <unistd.h>

using gfx::FontMatchCache;

namespace {

namespace fs = std::filesystem;

// A private folder with a "config" file and a "fonts" folder to stamp.
struct Scratch {
    fs::path root;
    Scratch() {
        root = fs::temp_directory_path() / ("fontmatch-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "fonts");
        std::ofstream(root / "fonts.conf") << "<fontconfig/>";
    }
    ~Scratch() { fs::remove_all(root); }
    std::string Path(const char* name) const { return (root / name).string(); }
    std::vector<std::string> Paths() const { return {Path("fonts.conf"), Path("fonts"), Path("user.conf")}; }
};

const std::vector<std::string> kEnv = {"fontconfig=21401", "LANG=C.UTF-8", "HOME=/home/a b"};

FontMatchCache Filled(const Scratch& s) {
    FontMatchCache cache;
    cache.Restart(kEnv, s.Paths());
    EXPECT_TRUE(cache.Add("Liberation Sans", 400, false, {"/usr/share/fonts/Liberation Sans.ttf", 0}));
    EXPECT_TRUE(cache.Add("WenQuanYi Zen Hei", 700, true, {"/usr/share/fonts/wqy-zenhei.ttc", 2}));
    EXPECT_TRUE(cache.Add("Missing Family", 400, false, {"", 0}));
    return cache;
}

TEST(FontMatchCache, ReadsBackWhatItWrote) {
    Scratch s;
    FontMatchCache written = Filled(s);
    FontMatchCache read;
    ASSERT_TRUE(read.Parse(written.Serialize()));
    EXPECT_TRUE(read.Current(kEnv));
    const FontMatchCache::Face* sans = read.Find("Liberation Sans", 400, false);
    ASSERT_NE(sans, nullptr);
    EXPECT_EQ(sans->file, "/usr/share/fonts/Liberation Sans.ttf");
    const FontMatchCache::Face* cjk = read.Find("WenQuanYi Zen Hei", 700, true);
    ASSERT_NE(cjk, nullptr);
    EXPECT_EQ(cjk->index, 2);
    const FontMatchCache::Face* none = read.Find("Missing Family", 400, false);
    ASSERT_NE(none, nullptr); // "fontconfig found nothing" is an answer too
    EXPECT_TRUE(none->file.empty());
    // Another style of a cached family is not answered.
    EXPECT_EQ(read.Find("Liberation Sans", 700, false), nullptr);
    EXPECT_EQ(read.Find("Liberation Sans", 400, true), nullptr);
}

// Whatever fontconfig's answers may depend on makes a cache stale when it changes.
TEST(FontMatchCache, IsStaleOnceAnythingItDependsOnChanges) {
    struct Case {
        const char* what;
        void (*change)(const Scratch&);
    } cases[] = {
        {"a configuration file is edited",
         [](const Scratch& s) { std::ofstream(s.Path("fonts.conf"), std::ios::app) << "<!-- -->"; }},
        {"a font is installed in a font folder",
         [](const Scratch& s) { std::ofstream(s.root / "fonts" / "new.ttf") << "x"; }},
        {"a configuration file that did not exist appears",
         [](const Scratch& s) { std::ofstream(s.Path("user.conf")) << "<fontconfig/>"; }},
        {"a font folder is removed", [](const Scratch& s) { fs::remove_all(s.root / "fonts"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scratch s;
        FontMatchCache read;
        ASSERT_TRUE(read.Parse(Filled(s).Serialize()));
        ASSERT_TRUE(read.Current(kEnv));
        // File systems with coarse time stamps: let the change land in a later tick.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        c.change(s);
        EXPECT_FALSE(read.Current(kEnv));
    }
    Scratch s;
    FontMatchCache read;
    ASSERT_TRUE(read.Parse(Filled(s).Serialize()));
    EXPECT_FALSE(read.Current({"fontconfig=21401", "LANG=zh_CN.UTF-8", "HOME=/home/a b"}));
    EXPECT_FALSE(read.Current({}));
}

TEST(FontMatchCache, RefusesMalformedText) {
    Scratch s;
    const std::string good = Filled(s).Serialize();
    FontMatchCache cache;
    ASSERT_TRUE(cache.Parse(good));
    const char* bad[] = {
        "",
        "iislog-font-matches 2\n",
        "some other file\nmatch\tA\t400\t0\t/f\t0\n",
        "iislog-font-matches 1\nmatch\tA\tbold\t0\t/f\t0\n",
        "iislog-font-matches 1\nmatch\tA\t400\t2\t/f\t0\n",
        "iislog-font-matches 1\nmatch\tA\t400\t0\t/f\t-1\n",
        "iislog-font-matches 1\nmatch\tA\t400\t0\t/f\n",
        "iislog-font-matches 1\nstamp\t/p\t12x\t3\n",
        "iislog-font-matches 1\nstamp\t\t-\t-\n",
        "iislog-font-matches 1\nwhat\tever\n",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(cache.Parse(text));
        // A refused file leaves nothing behind: no answers, and never current.
        EXPECT_EQ(cache.Find("Liberation Sans", 400, false), nullptr);
        EXPECT_FALSE(cache.Current(kEnv));
    }
    // Cut anywhere, the text either still parses or is refused; it never throws.
    for (std::size_t n = 0; n < good.size(); ++n)
        (void)cache.Parse(std::string_view(good).substr(0, n));
}

// Names that would break the line format are not stored, and an environment that cannot be
// written down caches nothing.
TEST(FontMatchCache, StoresOnlyWhatTheFormatCanHold) {
    Scratch s;
    FontMatchCache cache;
    cache.Restart(kEnv, s.Paths());
    EXPECT_FALSE(cache.Add("Tab\tFamily", 400, false, {"/f.ttf", 0}));
    EXPECT_FALSE(cache.Add("Family", 400, false, {"/line\nbreak.ttf", 0}));
    EXPECT_TRUE(cache.Empty());
    cache.Restart({"LANG=a\nb"}, s.Paths());
    EXPECT_FALSE(cache.Add("Family", 400, false, {"/f.ttf", 0}));
    EXPECT_FALSE(cache.Current({"LANG=a\nb"}));
}

} // namespace
