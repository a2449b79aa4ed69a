#include "platform/shell/ShellFolder.h"
#include "platform/shell/IdList.h"
#include "platform/shell/ShellIcons.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ListDeleter {
    void operator()(ITEMIDLIST* list) const { ILFree(list); }
};
using List = std::unique_ptr<ITEMIDLIST, ListDeleter>;

// A home folder with a desktop directory, and a volume (by a fixture mountinfo) holding the
// awkward cases: natural-order names, a hidden folder, a directory named like an archive, a
// link back to its own folder, two links pointing at each other and a folder nobody may read.
class ShellFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* variable : {"LC_ALL", "LC_MESSAGES", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            ::unsetenv(variable);
        ::setenv("LANG", "C", 1);
        ::chmod(root_.Path().c_str(), 0755); // the unreadable-folder case runs as another user
        Dir("home/.config");
        Dir("home/Bureau/Reports");
        root_.Write("home/Bureau/note.txt", "x");
        root_.Write("home/.config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
        ::setenv("HOME", (root_ / "home").c_str(), 1);
        for (const char* dir : {"vol/W3SVC10/x", "vol/W3SVC2", "vol/.hidden", "vol/x.zip", "vol/locked/sub"})
            Dir(dir);
        root_.Write("vol/a.zip", "PK");
        std::filesystem::create_directory_symlink(".", root_ / "vol/loop");
        std::filesystem::create_symlink("lb", root_ / "vol/la");
        std::filesystem::create_symlink("la", root_ / "vol/lb");
        ::chmod((root_ / "vol/locked").c_str(), 0);
        std::filesystem::create_directory(root_ / "labels");
        std::filesystem::create_symlink("/dev/sdz1", root_ / "labels/LOGS");
        root_.Write("mountinfo", "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                 "2 1 8:9 / " +
                                     Vol() + " rw - ext4 /dev/sdz1 rw\n");
        shell::SetMountSources(root_ / "mountinfo", root_ / "labels");
        SHGetDesktopFolder(&desktop_);
    }
    void TearDown() override {
        ::chmod((root_ / "vol/locked").c_str(), 0755);
        shell::SetMountSources("/proc/self/mountinfo", "/dev/disk/by-label");
    }

    void Dir(const std::string& path) { std::filesystem::create_directories(root_ / path); }
    std::string Vol() const { return root_ / "vol"; }

    List Parse(const std::string& path) {
        LPITEMIDLIST list = nullptr;
        lastParse_ = desktop_->ParseDisplayName(nullptr, path.c_str(), nullptr, &list, nullptr);
        return List(list);
    }
    IShellFolderPtr Bind(const std::string& path) {
        IShellFolderPtr folder;
        List list = Parse(path);
        if (list) desktop_->BindToObject(list.get(), &folder);
        return folder;
    }
    static std::string Name(const IShellFolderPtr& folder, LPCITEMIDLIST item, DWORD flags) {
        STRRET name;
        if (FAILED(folder->GetDisplayNameOf(item, flags, &name))) return "<failed>";
        std::string text = name.pOleStr;
        SHFree(name.pOleStr);
        return text;
    }
    // The names of a folder's children in shell order.
    static std::vector<std::string> Children(const IShellFolderPtr& folder, DWORD flags) {
        std::unique_ptr<IEnumIDList> items;
        if (FAILED(folder->EnumObjects(nullptr, flags, &items))) return {"<failed>"};
        std::vector<List> lists;
        LPITEMIDLIST item;
        while (items->Next(1, &item, nullptr) == S_OK)
            lists.emplace_back(item);
        std::sort(lists.begin(), lists.end(), [&](const List& a, const List& b) {
            return CompareResultOrder(folder->CompareIDs(0, a.get(), b.get())) < 0;
        });
        std::vector<std::string> names;
        for (const List& l : lists)
            names.push_back(Name(folder, l.get(), SHGDN_INFOLDER));
        return names;
    }
    ULONG Attributes(const std::string& path, ULONG asked) {
        List list = Parse(path);
        if (!list) return 0xDEAD;
        desktop_->GetAttributesOf(1, const_cast<LPCITEMIDLIST*>(reinterpret_cast<LPITEMIDLIST*>(&list)),
                                  &asked);
        return asked;
    }

    TempFolder root_;
    IShellFolderPtr desktop_;
    HRESULT lastParse_ = S_OK;
};

TEST_F(ShellFolderTest, DesktopHoldsHomeComputerAndTheDesktopDirectory) {
    EXPECT_EQ(Children(desktop_, SHCONTF_FOLDERS), (std::vector<std::string>{"Home", "Computer", "Reports"}));
    EXPECT_EQ(Children(desktop_, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS),
              (std::vector<std::string>{"Home", "Computer", "note.txt", "Reports"}));
    IShellFolderPtr computer;
    List drives;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, reinterpret_cast<LPITEMIDLIST*>(&drives)),
              S_OK);
    ASSERT_EQ(desktop_->BindToObject(drives.get(), &computer), S_OK);
    EXPECT_EQ(Children(computer, SHCONTF_FOLDERS), (std::vector<std::string>{"File System", "LOGS"}));
    // Computer has no path: its parsing name is its class identifier, as on Windows.
    EXPECT_EQ(Name(desktop_, drives.get(), SHGDN_FORPARSING).substr(0, 3), "::{");
    EXPECT_EQ(shell::PathFromIDList(drives.get()), "");

    ::setenv("LANG", "zh_CN.UTF-8", 1);
    EXPECT_EQ(Children(desktop_, SHCONTF_FOLDERS),
              (std::vector<std::string>{"主文件夹", "计算机", "Reports"}));
}

TEST_F(ShellFolderTest, ParsesPathsThroughTheirVolumeAndBack) {
    List canonical = Parse(Vol() + "/W3SVC2");
    ASSERT_TRUE(canonical) << std::hex << lastParse_;
    EXPECT_EQ(ILItemCount(canonical.get()), 3); // Computer, the volume, the name
    EXPECT_EQ(shell::PathFromIDList(canonical.get()), Vol() + "/W3SVC2");
    for (std::string spelling : {Vol() + "//W3SVC2/", Vol() + "/./W3SVC2", Vol() + "/W3SVC10/../W3SVC2",
                                 Vol() + "/loop/loop/W3SVC2"}) {
        List other = Parse(spelling);
        ASSERT_TRUE(other) << spelling;
        if (spelling.find("loop") == std::string::npos)
            EXPECT_EQ(CompareResultOrder(desktop_->CompareIDs(0, canonical.get(), other.get())), 0)
                << spelling;
        else // links are kept as named, not resolved
            EXPECT_EQ(shell::PathFromIDList(other.get()), Vol() + "/loop/loop/W3SVC2");
    }
    List root = Parse("/");
    ASSERT_TRUE(root);
    EXPECT_EQ(Name(desktop_, root.get(), SHGDN_NORMAL), "File System");
    EXPECT_EQ(shell::PathFromIDList(root.get()), "/");
    List volume = Parse(Vol());
    EXPECT_EQ(Name(desktop_, volume.get(), SHGDN_NORMAL), "LOGS");
    EXPECT_EQ(Name(desktop_, volume.get(), SHGDN_FORPARSING), Vol());
    EXPECT_EQ(Name(desktop_, canonical.get(), SHGDN_FORPARSING), Vol() + "/W3SVC2");
    EXPECT_EQ(Name(desktop_, canonical.get(), SHGDN_INFOLDER), "W3SVC2");

    for (std::string bad :
         {Vol() + "/missing", std::string("relative/path"), std::string(""), std::string("/..")})
        EXPECT_FALSE(Parse(bad)) << bad;

    char path[MAX_PATH];
    EXPECT_TRUE(SHGetPathFromIDList(canonical.get(), path));
    EXPECT_EQ(std::string(path), Vol() + "/W3SVC2");
}

TEST_F(ShellFolderTest, ListsFoldersInShellOrderAndTellsTheirAttributes) {
    IShellFolderPtr vol = Bind(Vol());
    ASSERT_TRUE(vol);
    EXPECT_EQ(Children(vol, SHCONTF_FOLDERS),
              (std::vector<std::string>{"locked", "loop", "W3SVC2", "W3SVC10", "x.zip"}));
    EXPECT_EQ(Children(vol, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN),
              (std::vector<std::string>{".hidden", "locked", "loop", "W3SVC2", "W3SVC10", "x.zip"}));
    EXPECT_EQ(Children(vol, SHCONTF_NONFOLDERS), (std::vector<std::string>{"a.zip", "la", "lb"}));

    struct Case {
        const char* name;
        ULONG set;
        ULONG clear;
    } cases[] = {
        {"W3SVC10", SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_CANRENAME, SFGAO_HIDDEN},
        {"W3SVC2", SFGAO_FOLDER | SFGAO_CANRENAME, SFGAO_HASSUBFOLDER},
        {".hidden", SFGAO_FOLDER | SFGAO_HIDDEN, 0},
        {"x.zip", SFGAO_FOLDER, 0},
        {"a.zip", 0, SFGAO_FOLDER},
        {"loop", SFGAO_FOLDER | SFGAO_LINK | SFGAO_HASSUBFOLDER, 0},
        {"la", SFGAO_LINK, SFGAO_FOLDER | SFGAO_HASSUBFOLDER},
    };
    const ULONG asked = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_HIDDEN | SFGAO_LINK | SFGAO_CANRENAME;
    for (const Case& c : cases) {
        ULONG bits = Attributes(Vol() + "/" + c.name, asked);
        EXPECT_EQ(bits & c.set, c.set) << c.name;
        EXPECT_EQ(bits & c.clear, 0u) << c.name;
    }
    // A volume is never renamed from the tree: it is a mount point.
    EXPECT_EQ(Attributes(Vol(), asked) & (SFGAO_FOLDER | SFGAO_CANRENAME | SFGAO_HASSUBFOLDER),
              SFGAO_FOLDER | SFGAO_HASSUBFOLDER);

    SHFILEINFO info;
    List folder = Parse(Vol() + "/W3SVC2");
    EXPECT_NE(SHGetFileInfo(reinterpret_cast<const char*>(folder.get()), 0, &info, sizeof info,
                            SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON),
              0u);
    EXPECT_EQ(info.iIcon, kIconFolderOpen);
    auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfo("/", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), kShellIconCount);
    EXPECT_EQ(info.iIcon, kIconDisk);
}

// Runs `check` where the folder "locked" is really unreadable: as the unprivileged user "nobody"
// in a child process when this test runs as root (root reads every folder), else right here.
bool WhereLockedIsUnreadable(const std::function<bool()>& check) {
    if (::geteuid() != 0) return check();
    pid_t child = ::fork();
    if (child == 0) {
        bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(ShellFolderTest, AnUnreadableFolderGivesNoChildrenAndNoError) {
    std::string locked = Vol() + "/locked";
    EXPECT_TRUE(WhereLockedIsUnreadable([&] {
        ULONG bits = Attributes(locked, SFGAO_FOLDER | SFGAO_HASSUBFOLDER);
        IShellFolderPtr folder = Bind(locked);
        std::unique_ptr<IEnumIDList> items;
        return bits == SFGAO_FOLDER && folder &&
               FAILED(folder->EnumObjects(nullptr, SHCONTF_FOLDERS, &items)) && !Parse(locked + "/sub");
    }));
}

TEST_F(ShellFolderTest, RenamesWithoutReplacingAnything) {
    IShellFolderPtr vol = Bind(Vol());
    List item(ILCreateFromData("NW3SVC2"));
    LPITEMIDLIST renamed = nullptr;
    ASSERT_EQ(vol->SetNameOf(nullptr, item.get(), "W3SVC3", 0, &renamed), S_OK);
    List renamedList(renamed);
    EXPECT_EQ(std::string(ILItemData(renamed)), "NW3SVC3");
    EXPECT_TRUE(std::filesystem::is_directory(Vol() + "/W3SVC3"));

    List existing(ILCreateFromData("NW3SVC3"));
    EXPECT_EQ(vol->SetNameOf(nullptr, existing.get(), "W3SVC10", 0, nullptr), HRESULT_ALREADY_EXISTS);
    EXPECT_TRUE(std::filesystem::is_directory(Vol() + "/W3SVC10/x")) << "the target was replaced";
    for (const char* bad : {"", "a/b", "..", "."})
        EXPECT_EQ(vol->SetNameOf(nullptr, existing.get(), bad, 0, nullptr), E_INVALIDARG) << bad;
}

TEST_F(ShellFolderTest, SpecialFoldersFollowTheXdgDirectories) {
    auto pathOf = [](int csidl) {
        LPITEMIDLIST list = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) return std::string("<failed>");
        std::string path = shell::PathFromIDList(list);
        ILFree(list);
        return path;
    };
    EXPECT_EQ(pathOf(CSIDL_DESKTOPDIRECTORY), root_ / "home/Bureau");
    EXPECT_EQ(pathOf(CSIDL_PERSONAL), root_ / "home"); // no documents folder: the home
    EXPECT_EQ(pathOf(CSIDL_APPDATA), root_ / "home/.config");
    EXPECT_EQ(pathOf(CSIDL_TEMPLATES), "<failed>");
    EXPECT_EQ(pathOf(CSIDL_BITBUCKET), "<failed>"); // no trash yet
    EXPECT_EQ(pathOf(20 /* fonts */), "<failed>");
    EXPECT_EQ(pathOf(CSIDL_DESKTOP), root_ / "home/Bureau");
}

} // namespace
