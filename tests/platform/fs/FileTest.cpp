#include "platform/fs/File.h"
#include "platform/fs/FileError.h"

#include "SystemFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string Expected(const std::string& fullPath, int error) {
    return "Cannot open file \"" + fullPath + "\". " + fs::SystemErrorText(error);
}

TEST(File, ReadsAtOffsetsAndKnowsItsSize) {
    TempFolder dir;
    std::string path = dir.Write("a.log", "0123456789");
    fs::File file = fs::File::Open(path);
    EXPECT_EQ(file.Size(), 10u);
    char buffer[4] = {};
    file.ReadAt(3, buffer, 4);
    EXPECT_EQ(std::string(buffer, 4), "3456");
    // Past the end is a failure, not a silent short read: the caller would count missing bytes.
    EXPECT_THROW(file.ReadAt(8, buffer, 4), fs::FileError);
}

TEST(File, ReadWholeFileReturnsEveryByte) {
    TempFolder dir;
    std::string content("a\0b\r\nc", 6);
    EXPECT_EQ(fs::ReadWholeFile(dir.Write("a.log", content)), content);
    EXPECT_EQ(fs::ReadWholeFile(dir.Write("empty.log", "")), "");
#ifndef _WIN32
    // Files that report no size (the kernel's own) are read to their end all the same.
    EXPECT_NE(fs::ReadWholeFile("/proc/self/status").find("Name:"), std::string::npos);
#endif
}

TEST(File, FailuresCarryTheFullPathAndTheSystemText) {
    TempFolder dir;
    const std::string resolved = std::filesystem::canonical(dir.Path()).string() + NativePath("/");
    UnreadableFile bad(dir / "bad.log");
    std::filesystem::create_directory(dir / "sub.log");
    struct Case {
        std::string Path;
        std::string Message;
    } cases[] = {
        {dir / "bad.log", Expected(resolved + "bad.log", UnreadableFile::kError)},
        {dir.Path() + "//bad.log",
         Expected(resolved + "bad.log", UnreadableFile::kError)}, // doubled separator
        {dir / "sub.log", Expected(resolved + "sub.log", SystemError::kIsAFolder)},
    };
    for (const Case& c : cases) {
        for (int reader = 0; reader < 3; ++reader) {
            try {
                if (reader == 0) fs::File::Open(c.Path);
                else if (reader == 1) fs::ReadWholeFile(c.Path);
                else fs::GetFileSize(c.Path);
                if (reader < 2 || c.Path.find("sub.log") == std::string::npos)
                    ADD_FAILURE() << "no error for " << c.Path << " with reader " << reader;
            } catch (const fs::FileError& e) {
                EXPECT_EQ(std::string(e.what()), c.Message) << "reader " << reader;
                EXPECT_EQ(e.Path(), c.Path);
            }
        }
    }
}

TEST(File, ExpandPathMakesRelativePathsAbsolute) {
    const std::string cwd = std::filesystem::current_path().string();
    const std::string sep = NativePath("/");
    EXPECT_EQ(fs::ExpandPath("no-such-folder/../x.log"), cwd + sep + "x.log");
    EXPECT_EQ(fs::ExpandPath("x.log"), cwd + sep + "x.log");
#ifdef _WIN32
    // A path from the root of no drive is on the current drive's; either separator is taken.
    EXPECT_EQ(fs::ExpandPath("C:/no/such\\dir/x.log"), "C:\\no\\such\\dir\\x.log");
    EXPECT_EQ(fs::ExpandPath("/no/such/dir/x.log"), cwd.substr(0, 2) + "\\no\\such\\dir\\x.log");
#else
    EXPECT_EQ(fs::ExpandPath("/no/such/dir/x.log"), "/no/such/dir/x.log");
#endif
}

TEST(File, SizesAreSixtyFourBit) {
    TempFolder dir;
    std::string path = dir / "big.log";
    const std::uint64_t size = (std::uint64_t(4) << 30) + 12345;
    MakeSparseFile(path, "", size);
    EXPECT_EQ(fs::GetFileSize(path), size);
    fs::File file = fs::File::Open(path);
    EXPECT_EQ(file.Size(), size);
    char last[2];
    file.ReadAt(size - 2, last, 2);
    EXPECT_EQ(last[0], '\0');
}

} // namespace
