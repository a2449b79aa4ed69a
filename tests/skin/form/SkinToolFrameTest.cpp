// skintool frame, as a skin author or a script calls it: the JSON answer and the errors.

#include "EmbeddedSkin.h"
#include "Frame.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

class SkinToolFrame : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // ctest runs each test of this suite as its own process, side by side: one file each,
        // or one process's tear-down removes the skin another is still reading.
        path_ = ::testing::TempDir() + "skintool_frame_skin_" + std::to_string(getpid()) + ".zlib";
        std::ofstream out(path_, std::ios::binary);
        out.write(reinterpret_cast<const char*>(kEmbeddedSkin), std::streamsize(kEmbeddedSkinSize));
    }
    static void TearDownTestSuite() { std::remove(path_.c_str()); }

    static int Run(std::vector<std::string> args, std::string& out, std::string& err) {
        return skintool::FrameCommand(args, out, err);
    }
    static std::string path_;
};

std::string SkinToolFrame::path_;

TEST_F(SkinToolFrame, AnswersGeometryObjectsAndHitCodes) {
    std::string out, err;
    ASSERT_EQ(Run({path_, "--size", "400x300", "--hit", "1,1", "--hit", "10,1", "--hit", "10,10", "--hit",
                   "386,15", "--hit", "200,200", "--json"},
                  out, err),
              0)
        << err;
    EXPECT_NE(out.find("\"size\": [400, 300]"), std::string::npos) << out;
    EXPECT_NE(out.find("\"insets\": {\"left\": 4, \"top\": 27, \"right\": 4, \"bottom\": 4}"),
              std::string::npos);
    EXPECT_NE(out.find("\"clientRect\": [4, 27, 396, 296]"), std::string::npos);
    // The mask's rounded top corners: the first row starts 4 pixels in.
    EXPECT_NE(out.find("\"region\": [[4, 0, 396, 1]"), std::string::npos);
    EXPECT_NE(out.find("{\"kind\": \"close\", \"rect\": [376, 5, 397, 26], \"visible\": true}"),
              std::string::npos);
    EXPECT_NE(out.find("{\"kind\": \"rollup\", \"rect\": [0, 84, 21, 105], \"visible\": false}"),
              std::string::npos);
    EXPECT_NE(out.find("\"hits\": [{\"point\": [1, 1], \"code\": 13}, {\"point\": [10, 1], "
                       "\"code\": 12}, {\"point\": [10, 10], \"code\": 2}, {\"point\": [386, 15], "
                       "\"code\": 19}, {\"point\": [200, 200], \"code\": 1}]"),
              std::string::npos)
        << out;
}

TEST_F(SkinToolFrame, StatesChangeTheSize) {
    std::string out, err;
    ASSERT_EQ(Run({path_, "--size", "400x300", "--maximized", "--json"}, out, err), 0) << err;
    // The screen is 1280 x 1024 with 40 rows reserved: the work area.
    EXPECT_NE(out.find("\"size\": [1280, 984]"), std::string::npos) << out;
    out.clear();
    ASSERT_EQ(Run({path_, "--size", "400x300", "--icons", "biRollUp", "--rolled-up", "--json"}, out, err), 0)
        << err;
    EXPECT_NE(out.find("\"size\": [400, 31]"), std::string::npos) << out;
}

TEST_F(SkinToolFrame, ErrorsAreOneLineWithStatusTwo) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{path_}, "frame needs --size WxH"},
        {{path_, "--size", "0x3"}, "invalid width \"0\""},
        {{path_, "--size", "40"}, "invalid height \"\""},
        {{path_, "--size", "400x300", "--icons", "biHelp"}, "unknown border icon \"biHelp\""},
        {{path_, "--size", "400x300", "--rolled-up"}, "--rolled-up needs biRollUp in --icons"},
        {{path_, "--size", "400x300", "--hit", "3"}, "invalid hit point \"\""},
        {{"/no/such/skin", "--size", "400x300"}, "Cannot open file \"/no/such/skin\""},
    };
    for (const Case& c : cases) {
        std::string out, err;
        EXPECT_EQ(Run(c.args, out, err), 2) << c.message;
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
        EXPECT_TRUE(out.empty());
    }
}

} // namespace
