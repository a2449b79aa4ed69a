#include "platform/fs/SaveFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SaveFileAtomically, ReplacesTheFileLeavingNothingElseBehind) {
    TempFolder dir;
    std::string file = dir.Write("h.txt", "old old old\r\n");
    fs::SaveFileAtomically(file, "new\r\n");
    EXPECT_EQ(ReadFile(file), "new\r\n");
    fs::SaveFileAtomically(dir / "fresh.txt", "");
    EXPECT_EQ(ReadFile(dir / "fresh.txt"), "");
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"fresh.txt", "h.txt"}));
}

TEST(SaveFileAtomically, ReplacesTheFileKeepingItsModeAndLinks) {
#ifdef _WIN32
    GTEST_SKIP() << "permission bits are POSIX's, and Windows makes symbolic links only with a privilege "
                    "(Wine not at all)";
#else
    TempFolder dir;
    std::string file = dir.Write("h.txt", "old old old\r\n");
    ::chmod(file.c_str(), 0640);
    std::filesystem::create_symlink(file, dir / "link.txt");
    fs::SaveFileAtomically(dir / "link.txt", "new\r\n");
    EXPECT_EQ(ReadFile(file), "new\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"h.txt", "link.txt"}));
#endif
}

} // namespace
