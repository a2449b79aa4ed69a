#include "app/FolderHistory.h"

#include "framework/StringList.h"
#include "platform/fs/FileError.h"

#include "SystemFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::vector<std::string> Lines(const vcl::TStrings& items) {
    std::vector<std::string> lines;
    for (int i = 0; i < items.Count(); ++i)
        lines.push_back(items[i]);
    return lines;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// An absolute configuration folder: $XDG_CONFIG_HOME on Linux, %APPDATA% on Windows.
#ifdef _WIN32
const char* kConfigHome = "C:\\cfg";
#else
const char* kConfigHome = "/cfg";
#endif

// The window's start-up: load, then always save.
TEST(FolderHistory, StartUpLoadsTheHistoryAndSavesIt) {
    struct Case {
        const char* Name;
        std::optional<std::string> Content; // nullopt: no file yet
        std::optional<std::string> Text;
        std::vector<std::string> Items;
        std::string Saved;
    } cases[] = {
        {"first run", std::nullopt, "/opt/iislog/", {"/opt/iislog/"}, "/opt/iislog/\r\n"},
        {"three lines", "/a\r\n/b\n/c", "/c", {"/a", "/b", "/c"}, "/a\r\n/b\r\n/c\r\n"},
        {"empty file", "", std::nullopt, {}, ""},
        {"empty lines kept", "\r\n/x\r\n\r\n", "", {"", "/x", ""}, "\r\n/x\r\n\r\n"},
        {"text ends at NUL", std::string("/a\r\n/b\0/c\r\n", 10), "/b", {"/a", "/b"}, "/a\r\n/b\r\n"},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        std::string file = dir / "DefaultDir.txt";
        if (c.Content) dir.Write("DefaultDir.txt", *c.Content);
        vcl::TStringList items;
        EXPECT_EQ(app::LoadFolderHistory(items, file, "/opt/iislog/"), c.Text) << c.Name;
        EXPECT_EQ(Lines(items), c.Items) << c.Name;
        app::SaveFolderHistory(items, file);
        EXPECT_EQ(ReadFile(file), c.Saved) << c.Name;
        EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"DefaultDir.txt"}) << c.Name;
    }
}

TEST(FolderHistory, AFolderIsAddedOnceWhateverItsLetterCase) {
    vcl::TStringList items;
    items.SetText("/var/Log/IIS\r\n/srv\r\n");
    EXPECT_FALSE(app::AddToFolderHistory(items, "/VAR/log/iis"));
    EXPECT_TRUE(app::AddToFolderHistory(items, "/var/log/iis2"));
    EXPECT_TRUE(app::AddToFolderHistory(items, ""));
    EXPECT_FALSE(app::AddToFolderHistory(items, ""));
    EXPECT_EQ(Lines(items), (std::vector<std::string>{"/var/Log/IIS", "/srv", "/var/log/iis2", ""}));
}

TEST(FolderHistory, LivesBesideTheProgramWhenItCanBeWrittenThere) {
    TempFolder exe, home;
    UnwritableFolder unwritable;
    std::string exeFolder = exe.Path() + "/";
    struct Case {
        const char* Name;
        std::string ExeFolder;
        const char* ConfigHome;
        std::string Expected;
    } cases[] = {
        {"writable program folder", exeFolder, kConfigHome, exeFolder + "DefaultDir.txt"},
        {"installed program", unwritable.Path(), kConfigHome,
         std::string(kConfigHome) + "/iislog/DefaultDir.txt"},
        {"no configuration folder", unwritable.Path(), nullptr, home / ".config/iislog/DefaultDir.txt"},
        {"empty configuration folder", unwritable.Path(), "", home / ".config/iislog/DefaultDir.txt"},
        {"relative configuration folder", unwritable.Path(), "cfg", home / ".config/iislog/DefaultDir.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(app::ChooseHistoryFile(c.ExeFolder, c.ConfigHome, home.Path().c_str()), c.Expected)
            << c.Name;
    EXPECT_EQ(app::ExecutableFolder().back(), NativePath("/")[0]);
}

TEST(FolderHistory, SavingCreatesTheConfigurationFolder) {
    TempFolder home;
    UnwritableFolder unwritable;
    std::string file = app::ChooseHistoryFile(unwritable.Path(), nullptr, home.Path().c_str());
    vcl::TStringList items;
    items.Add("/srv/logs");
    app::SaveFolderHistory(items, file);
    EXPECT_EQ(ReadFile(file), "/srv/logs\r\n");
#ifndef _WIN32 // on Windows the profile's access list keeps the folder private
    EXPECT_EQ(std::filesystem::status(home / ".config/iislog").permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
#endif
}

#ifndef _WIN32
// Every start saves the history it read: the same bytes are not written again (the save would
// replace the file by another one), other bytes are.
TEST(FolderHistory, SavingWhatTheFileHoldsLeavesItAlone) {
    TempFolder dir;
    const std::string file = dir / "DefaultDir.txt";
    auto inode = [&] {
        struct stat st {};
        EXPECT_EQ(::stat(file.c_str(), &st), 0);
        return st.st_ino;
    };
    vcl::TStringList items;
    items.Add("/srv/logs");
    app::SaveFolderHistory(items, file);
    const auto first = inode();
    app::SaveFolderHistory(items, file);
    EXPECT_EQ(inode(), first);
    dir.Write("DefaultDir.txt", "/srv/logs\n"); // the same entries, other bytes
    const auto rewritten = inode();
    app::SaveFolderHistory(items, file);
    EXPECT_NE(inode(), rewritten);
    EXPECT_EQ(ReadFile(file), "/srv/logs\r\n");
}
#endif

TEST(FolderHistory, AFailedSaveNamesTheFileAndKeepsTheOldOne) {
    vcl::TStringList items;
    items.Add("/srv/logs");
    // A folder that cannot be made.
    UnwritableFolder unwritable;
    std::string file = unwritable / "iislog/DefaultDir.txt";
    try {
        app::SaveFolderHistory(items, file);
        FAIL() << "saved into " << file;
    } catch (const fs::FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + NativePath(file) + "\". ", 0), 0u)
            << e.what();
    }
    // A history file that cannot be replaced (a folder stands in its place): nothing changes and
    // no temporary file stays behind.
    TempFolder dir;
    std::filesystem::create_directory(dir / "DefaultDir.txt");
    dir.Write("DefaultDir.txt/old", "keep");
    try {
        app::SaveFolderHistory(items, dir / "DefaultDir.txt");
        FAIL() << "replaced a folder";
    } catch (const fs::FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot create file \"" +
                      (std::filesystem::canonical(dir.Path()) / "DefaultDir.txt").string() + "\". " +
                      fs::SystemErrorText(e.ErrorCode()));
    }
    EXPECT_EQ(ReadFile(dir / "DefaultDir.txt/old"), "keep");
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"DefaultDir.txt"});
}

} // namespace
