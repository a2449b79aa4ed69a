#include "platform/fs/FindFiles.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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
        {"a?c",
         "a\xC3\xA9"
         "c",
         true}, // "?" takes a whole code point
        {"a?c", "ac", false},
        {"*a*b*", "xxaxxbxx", true},
        {"*a*b*", "xxbxxaxx", false},
        {"日志*.log", "日志1.LOG", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fs::MatchesWildcard(c.Pattern, c.Name), c.Matches) << c.Pattern << " vs " << c.Name;
}

TEST(FindFiles, SeesEveryEntryThatMatchesAndTellsItsKind) {
#ifdef _WIN32
    GTEST_SKIP() << "FIFOs, devices and symbolic links to them are Linux file kinds";
#else
    TempFolder dir;
    dir.Write("a.log", "x");
    dir.Write(".hidden.log", "x");
    dir.Write("UPPER.LOG", "x");
    dir.Write("notes.txt", "x");
    std::filesystem::create_directory(dir / "sub.log");
    dir.Write("sub.log/inner.log", "x"); // never searched
    std::filesystem::create_symlink(dir / "missing", dir / "dangling.log");
    std::filesystem::create_symlink(dir / "a.log", dir / "link.log");
    std::filesystem::create_symlink("/dev/zero", dir / "zero.log");
    ASSERT_EQ(::mkfifo((dir / "pipe.log").c_str(), 0600), 0);

    std::vector<fs::FindEntry> found = fs::FindFiles(dir.Path(), "*.log");
    std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.Name < b.Name; });
    std::vector<std::string> got;
    for (const fs::FindEntry& e : found)
        got.push_back(e.Name + (e.IsDirectory ? " dir" : "") + (e.IsSpecialFile ? " special" : ""));
    std::vector<std::string> expected{".hidden.log", "UPPER.LOG",        "a.log",       "dangling.log",
                                      "link.log",    "pipe.log special", "sub.log dir", "zero.log special"};
    EXPECT_EQ(got, expected);
#endif
}

TEST(FindFiles, TheEmptyFolderIsTheRoot) {
    std::vector<fs::FindEntry> found = fs::FindFiles("", "tmp");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0].IsDirectory);
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
