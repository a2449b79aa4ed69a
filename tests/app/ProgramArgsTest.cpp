#include "app/ProgramArgs.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(ProgramArgs, AnOptionalFolderOrHelpOrVersion) {
    using Action = app::ProgramArgs::Action;
    struct Case {
        std::vector<std::string> Args;
        Action What;
        std::optional<std::string> Folder;
        std::string OutStart, ErrStart;
    } cases[] = {
        {{}, Action::OpenWindow, std::nullopt, "", ""},
        {{"/srv/logs"}, Action::OpenWindow, "/srv/logs", "", ""},
        {{"--", "-odd name"}, Action::OpenWindow, "-odd name", "", ""},
        {{"-"}, Action::OpenWindow, "-", "", ""},
        {{"--help", "/srv"}, Action::PrintedAndExit, std::nullopt, "Usage: iislog [FOLDER]\n", ""},
        {{"--version"}, Action::PrintedAndExit, std::nullopt, "iislog " IISLOG_VERSION "\n", ""},
        {{"--bogus"}, Action::UsageError, std::nullopt, "", "iislog: unknown option --bogus\nUsage:"},
        {{"/a", "/b"}, Action::UsageError, "/a", "", "iislog: only one folder, please\nUsage:"},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        app::ProgramArgs args = app::ParseProgramArgs(c.Args, out, err);
        std::string name = testing::PrintToString(c.Args);
        EXPECT_EQ(args.What, c.What) << name;
        EXPECT_EQ(args.Folder, c.Folder) << name;
        EXPECT_EQ(out.str().substr(0, c.OutStart.size()), c.OutStart) << name;
        EXPECT_EQ(out.str().empty(), c.OutStart.empty()) << name;
        EXPECT_EQ(err.str().substr(0, c.ErrStart.size()), c.ErrStart) << name;
        EXPECT_EQ(err.str().empty(), c.ErrStart.empty()) << name;
    }
}

} // namespace
