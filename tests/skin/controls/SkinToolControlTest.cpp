// skintool control, as a skin author or a script calls it: the JSON answer, the pixels, the errors.

#include "Control.h"
#include "EmbeddedSkin.h"

#include "platform/gfx/BmpCodec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class SkinToolControl : public ::testing::Test {
protected:
    // Each test process has its own files: ctest runs the tests of this suite in parallel.
    void SetUp() override {
        const std::string base = ::testing::TempDir() + "skintool_control_" + std::to_string(getpid());
        skin_ = base + ".zlib";
        bmp_ = base + ".bmp";
        std::ofstream out(skin_, std::ios::binary);
        out.write(reinterpret_cast<const char*>(kEmbeddedSkin), std::streamsize(kEmbeddedSkinSize));
    }
    void TearDown() override {
        std::remove(skin_.c_str());
        std::remove(bmp_.c_str());
    }
    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), skin_);
        out.clear();
        err.clear();
        return skintool::ControlCommand(args, out, err);
    }
    bool Has(const std::string& text) const { return out.find(text) != std::string::npos; }

    std::string skin_, bmp_, out, err;
};

} // namespace

TEST_F(SkinToolControl, GaugeReportsItsFittingBarAndText) {
    ASSERT_EQ(Run({"TqvSkinGauge", "--section", "statusgauge", "--size", "754x33", "--set", "MaxValue=9",
                   "--set", "Value=3", "--set", "ShowPercent=true", "--json", "--out", bmp_}),
              0)
        << err;
    EXPECT_TRUE(Has("\"class\": \"TqvSkinGauge\"")) << out;
    EXPECT_TRUE(Has("\"section\": \"statusgauge\"")) << out;
    EXPECT_TRUE(Has("\"bound\": true")) << out;
    EXPECT_TRUE(Has("\"layout\": 2")) << out;
    EXPECT_TRUE(Has("\"size\": [754, 20]")) << out;
    EXPECT_TRUE(Has("\"sizedProgressArea\": [4, 4, 752, 15]")) << out;
    EXPECT_TRUE(Has("\"progressRect\": [4, 4, 253, 15]")) << out;
    EXPECT_TRUE(Has("\"value\": 3")) << out;
    EXPECT_TRUE(Has("\"text\": \"33%\"")) << out;
    std::ifstream in(bmp_, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    gfx::BmpImage image = gfx::ReadBmp(bytes);
    EXPECT_EQ(image.bitmap.Width(), 754);
    EXPECT_EQ(image.bitmap.Height(), 20);
    EXPECT_EQ(image.bitCount, 24);
}

TEST_F(SkinToolControl, EveryClassAnswers) {
    struct Case {
        const char* cls;
        const char* expect;
    } cases[] = {
        {"TqvSkinButton", "\"size\": [121, 22]"},
        {"TqvSkinXFormButton", "\"size\": [121, 22]"},
        {"TqvSkinPanel", "\"sizedClientRect\": [2, 2, 119, 38]"},
        {"TqvSkinGauge", "\"size\": [121, 20]"},
        {"TqvSkinCustomControl", "\"bound\": false"},
        {"TqvSkinStdLabel", "\"section\": \"stdlabel\""},
        {"TqvSkinLinkLabel", "\"bound\": true"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Run({c.cls, "--size", "121x40", "--set", "Caption=Go", "--json"}), 0) << err;
        EXPECT_TRUE(Has(c.expect)) << c.cls << "\n" << out;
    }
    ASSERT_EQ(Run({"TqvSkinPanel", "--size", "121x40", "--set", "BorderStyle=bvNone", "--json"}), 0);
    ASSERT_EQ(Run({"TqvSkinButton", "--state", "disabled", "--json"}), 0);
}

TEST_F(SkinToolControl, MistakesGiveOneLineAndStatusTwo) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"TqvNoSuch"}, "unknown class \"TqvNoSuch\""},
        {{"TqvSkinPanel", "--section", "Panel"}, "unknown section \"Panel\""},
        {{"TqvSkinPanel", "--set", "Colour=1"}, "unknown property \"Colour\""},
        {{"TqvSkinPanel", "--set", "BorderStyle=bvThick"}, "invalid value \"bvThick\""},
        {{"TqvSkinGauge", "--set", "Value=lots"}, "invalid integer \"lots\""},
        {{"TqvSkinGauge", "--set", "ShowPercent=yes"}, "invalid boolean \"yes\""},
        {{"TqvSkinButton", "--state", "pressed"}, "unknown state \"pressed\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), 2) << c.message;
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_TRUE(out.empty());
    }
}

TEST_F(SkinToolControl, ScrollBarReportsItsPartsForTheRequestedRange) {
    ASSERT_EQ(
        Run({"TqvSkinScrollBar", "--section", "vscrollbar", "--size", "30x477", "--set", "Kind=sbVertical",
             "--set", "Max=99", "--set", "PageSize=24", "--set", "Position=38", "--json"}),
        0)
        << err;
    EXPECT_TRUE(Has("\"size\": [17, 477]")) << out;
    EXPECT_TRUE(Has("\"trackArea\": [0, 16, 17, 461]")) << out;
    EXPECT_TRUE(Has("\"thumb\": [0, 186, 17, 292]")) << out;
    EXPECT_TRUE(Has("\"increment\": [0, 461, 17, 477]")) << out;
    EXPECT_TRUE(Has("\"decrement\": [0, 0, 17, 16]")) << out;
    EXPECT_TRUE(Has("\"thumbCentreMin\": 69")) << out;
    EXPECT_TRUE(Has("\"thumbCentreMax\": 408")) << out;
    EXPECT_TRUE(Has("\"thumbOffset\": 170")) << out;
    EXPECT_TRUE(Has("\"position\": 38")) << out;
    EXPECT_TRUE(Has("\"pageSize\": 24")) << out;

    ASSERT_NE(Run({"TqvSkinScrollBar", "--set", "Kind=diagonal", "--json"}), 0);
}

TEST_F(SkinToolControl, ComboBoxAndListBoxReportTheirAreas) {
    ASSERT_EQ(Run({"TqvSkinComboBox", "--size", "433x30", "--set", "Items=C:\\logs|D:\\iis", "--set",
                   "ItemIndex=1", "--json", "--out", bmp_}),
              0)
        << err;
    EXPECT_TRUE(Has("\"size\": [433, 22]")) << out;
    EXPECT_TRUE(Has("\"dropButtonRect\": [415, 2, 431, 20]")) << out;
    EXPECT_TRUE(Has("\"itemAreaRect\": [2, 2, 414, 20]")) << out;
    EXPECT_TRUE(Has("\"text\": \"D:\\\\iis\"")) << out;
    ASSERT_EQ(Run({"TqvSkinListBox", "--size", "433x100", "--set", "Items=a|b|c|d|e|f|g|h", "--set",
                   "RowCount=8", "--json"}),
              0)
        << err;
    EXPECT_TRUE(Has("\"size\": [433, 164]")) << out;
    EXPECT_TRUE(Has("\"listClientRect\": [2, 2, 431, 162]")) << out;
    EXPECT_TRUE(Has("\"heightForRows\": 164")) << out;
    EXPECT_TRUE(Has("\"itemHeight\": 20")) << out;
    EXPECT_TRUE(Has("\"verticalBar\": false")) << out;
    EXPECT_EQ(Run({"TqvSkinListBox", "--set", "RowCount=many"}), 2);
}
