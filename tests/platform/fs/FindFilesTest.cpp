#include "platform/fs/FindFiles.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

TEST(MatchesWildcard, FollowsTheWildcardRulesWithoutLetterCase) {
    struct Case {
        const char* Pattern;
        const char* Name;
        bool Matches;
    } cases[] = {
        {"*.log", "a.log", true},
        {"*.log", "A.LOG", true},
        {"*.log", "ex.Log", true},
        {"*.log", ".log", true},
        {"*.log", ".hidden.log", true},
        {"*.log", "a.log.bak", false},
        {"*.log", "a.lo", false},
        {"*.log", "alog", false},
        {"*.log", "a.log.log", true},
        {"*", "", true},
        {"", "a", false},
        {"a?c", "abc", true},
        {"a?c", "a\xC3\xA9" "c", true}, // "?" takes a whole code point
        {"a?c", "ac", false},
        {"*a*b*", "xxaxxbxx", true},
        {"*a*b*", "xxbxxaxx", false},
        {"日志*.log", "日志1.LOG", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fs::MatchesWildcard(c.Pattern, c.Name), c.Matches) << c.Pattern << " vs " << c.Name;
}

TEST(FindFiles, SeesEveryEntryThatMatchesAndMarksFolders) {
    TempFolder dir;
    dir.Write("a.log", "x");
    dir.Write(".hidden.log", "x");
    dir.Write("UPPER.LOG", "x");
    dir.Write("notes.txt", "x");
    std::filesystem::create_directory(dir / "sub.log");
    dir.Write("sub.log/inner.log", "x"); // never searched
    std::filesystem::create_symlink(dir / "missing", dir / "dangling.log");

    std::vector<fs::FindEntry> found = fs::FindFiles(dir.Path(), "*.log");
    std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.Name < b.Name; });
    std::vector<std::pair<std::string, bool>> got;
    for (const fs::FindEntry& e : found)
        got.emplace_back(e.Name, e.IsDirectory);
    std::vector<std::pair<std::string, bool>> expected{
        {".hidden.log", false}, {"UPPER.LOG", false}, {"a.log", false}, {"dangling.log", false}, {"sub.log", true}};
    EXPECT_EQ(got, expected);
}

TEST(FindFiles, MissingOrUnreadableFolderGivesNothing) {
    TempFolder dir;
    EXPECT_TRUE(fs::FindFiles(dir / "nope", "*.log").empty());
    EXPECT_TRUE(fs::FindFiles(dir.Write("file.log", "x"), "*.log").empty()); // a file, not a folder
    EXPECT_FALSE(fs::DirectoryExists(dir / "nope"));
    EXPECT_FALSE(fs::DirectoryExists(dir / "file.log"));
    EXPECT_TRUE(fs::DirectoryExists(dir.Path()));
}

} // namespace
