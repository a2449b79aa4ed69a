#include "skin/shell/qvShellFolder.h"

#include "platform/shell/IdList.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

namespace {

using namespace qv;

struct ListDeleter {
    void operator()(ITEMIDLIST* list) const { FreeIDList(list); }
};
using List = std::unique_ptr<ITEMIDLIST, ListDeleter>;

List Items(std::initializer_list<const char*> items) {
    PItemIDList list = NewIDList(2);
    for (const char* data : items) {
        PItemIDList item = ILCreateFromData(data);
        PItemIDList longer = ConcatIDLists(list, item);
        FreeIDList(list);
        FreeIDList(item);
        list = longer;
    }
    return List(list);
}

List ParsePath(const std::string& path) {
    PItemIDList list = nullptr;
    DesktopShellFolder()->ParseDisplayName(nullptr, path.c_str(), nullptr, &list, nullptr);
    return List(list);
}

TEST(qvIDListTest, ConcatenatesCopiesAndCutsIntoPrefixes) {
    List three = Items({"Vcomputer", "M/", "Ntmp"});
    EXPECT_EQ(IDListItemCount(three.get()), 3);
    EXPECT_EQ(IDListSize(three.get()), 11 + 4 + 6 + 2);
    EXPECT_EQ(IDListSize(nullptr), 0);
    List empty = Items({});
    List joined(ConcatIDLists(empty.get(), three.get()));
    EXPECT_TRUE(SameIDList(joined.get(), three.get()));
    List fromNothing(ConcatIDLists(nullptr, three.get()));
    EXPECT_EQ(std::memcmp(fromNothing.get(), three.get(), size_t(IDListSize(three.get()))), 0);

    std::vector<PItemIDList> prefixes = IDListPrefixes(three.get());
    ASSERT_EQ(prefixes.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(IDListItemCount(prefixes[i]), i + 1);
        FreeIDList(prefixes[i]);
    }
    PItemIDList third = NextID(NextID(three.get()));
    EXPECT_EQ(ILItemData(third), "Ntmp");
    EXPECT_EQ(IDListItemCount(NextID(third)), 0);
    List copy(CopyIDList(three.get()));
    StripLastID(copy.get());
    EXPECT_EQ(IDListItemCount(copy.get()), 2);
    StripLastID(nullptr);
    List zero(NewIDList(8));
    EXPECT_EQ(std::memcmp(zero.get(), "\0\0\0\0\0\0\0\0", 8), 0);
}

TEST(qvIDListTest, TurnsEveryNameFormIntoText) {
    List item = Items({"Nlogs"});
    STRRET offset;
    offset.uType = STRRET_OFFSET;
    offset.uOffset = 3; // past the count and the kind byte
    EXPECT_EQ(StrRetToString(item.get(), offset), "logs");
    offset.uOffset = 40;
    EXPECT_EQ(StrRetToString(item.get(), offset), "");
    STRRET ansi;
    ansi.uType = STRRET_CSTR;
    std::strcpy(ansi.cStr, "W3SVC1");
    EXPECT_EQ(StrRetToString(item.get(), ansi), "W3SVC1");
    STRRET wide;
    wide.pOleStr = static_cast<char*>(SHAlloc(4));
    std::strcpy(wide.pOleStr, "abc");
    EXPECT_EQ(StrRetToString(item.get(), wide), "abc");
    EXPECT_EQ(wide.pOleStr, nullptr); // freed
}

class qvShellFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("LANG", "C", 1);
        ::unsetenv("LC_ALL");
        ::unsetenv("LC_MESSAGES");
        for (const char* dir : {"tree/logs/W3SVC1", "tree/logs/W3SVC10", "tree/x.zip"})
            std::filesystem::create_directories(root_ / dir);
        root_.Write("tree/a.ZIP", "PK");
    }
    TempFolder root_;
};

TEST_F(qvShellFolderTest, RootNamesResolveOrRaiseThePathError) {
    std::string name = "rfMyComputer";
    std::unique_ptr<TqvShellFolder> computer(FolderFromRootName(nullptr, "", name));
    List drives;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, reinterpret_cast<LPITEMIDLIST*>(&drives)),
              S_OK);
    EXPECT_TRUE(SameIDList(computer->AbsoluteID(), drives.get()));
    EXPECT_EQ(computer->ParentFolder(), DesktopFolder());
    // Computer has no path; its class identifier gives way to its name.
    EXPECT_EQ(computer->PathName(), "Computer");
    EXPECT_EQ(computer->DisplayName(), "Computer");
    EXPECT_EQ(computer->FileSystemPath(), "");

    name = "RFDESKTOP";
    TqvShellFolder* desktop = FolderFromRootName(computer.release(), "rfMyComputer", name); // frees the old
    EXPECT_EQ(IDListItemCount(desktop->AbsoluteID()), 0);
    delete desktop;

    struct Case {
        std::string name;
        std::string message;
    } cases[] = {
        {"", "Error setting path: \"\""},
        {"D:", "Error setting path: \"D:\\\""},
        {root_ / "missing", "Error setting path: \"" + root_ / "missing" + "\""},
        {"rfPrinters", "Error setting path: \"rfPrinters\""},
    };
    for (Case& c : cases) {
        std::string root = c.name;
        try {
            delete FolderFromRootName(nullptr, "rfDesktop", root);
            ADD_FAILURE() << "no error for " << c.name;
        } catch (const EInvalidPath& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
            EXPECT_EQ(root, "rfDesktop") << "the root name keeps its old value";
        }
    }
    name = root_ / "tree/logs";
    std::unique_ptr<TqvShellFolder> logs(FolderFromRootName(nullptr, "", name));
    EXPECT_EQ(logs->PathName(), root_ / "tree/logs");
    EXPECT_EQ(logs->DisplayName(), "logs");
    EXPECT_TRUE(logs->IsFolder());
    EXPECT_TRUE(logs->HasSubFolders());
    EXPECT_EQ(logs->IconIndex(false), kIconFolder);
    EXPECT_EQ(logs->IconIndex(true), kIconFolderOpen);
}

TEST_F(qvShellFolderTest, OnlyAFileNamedLikeAnArchiveIsNoFolder) {
    List tree = ParsePath(root_ / "tree");
    TqvShellFolder parent(nullptr, BindShellFolder(DesktopShellFolder(), tree.get(), nullptr), tree.get());
    List dir = Items({"Nx.zip"}), file = Items({"Na.ZIP"}), sub = Items({"Nlogs"});
    EXPECT_TRUE(TqvShellFolder(&parent, nullptr, dir.get()).IsFolder());
    EXPECT_FALSE(TqvShellFolder(&parent, nullptr, file.get()).IsFolder());
    EXPECT_TRUE(TqvShellFolder(&parent, nullptr, sub.get()).IsFolder());
    EXPECT_EQ(TqvShellFolder(&parent, nullptr, file.get()).IconIndex(false), kIconFile);

    // A file binds to nothing, even when the desktop directory holds a folder of its name.
    std::filesystem::create_directories(root_ / "home/Desktop/a.ZIP");
    const char* home = std::getenv("HOME");
    std::string savedHome = home ? home : "";
    ::setenv("HOME", (root_ / "home").c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(BindShellFolder(parent.ShellFolder(), file.get(), nullptr), nullptr);
    EXPECT_NE(BindShellFolder(parent.ShellFolder(), dir.get(), nullptr), nullptr);
    EXPECT_NE(BindShellFolder(nullptr, file.get(), nullptr), nullptr); // from the desktop: its folder
    ::setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(qvShellFolderTest, RenameKeepsTheAbsoluteListInStep) {
    List tree = ParsePath(root_ / "tree/logs");
    TqvShellFolder logs(nullptr, BindShellFolder(DesktopShellFolder(), tree.get(), nullptr), tree.get());
    List item = Items({"NW3SVC1"});
    TqvShellFolder site(&logs, nullptr, item.get());
    EXPECT_TRUE(site.Capabilities() & scRename);
    ASSERT_TRUE(site.Rename("W3SVC2"));
    List expected(ConcatIDLists(logs.AbsoluteID(), site.RelativeID()));
    EXPECT_TRUE(SameIDList(site.AbsoluteID(), expected.get()));
    List parsed = ParsePath(root_ / "tree/logs/W3SVC2");
    EXPECT_TRUE(SameIDList(site.AbsoluteID(), parsed.get()));
    EXPECT_EQ(site.DisplayName(), "W3SVC2");

    try {
        site.Rename("W3SVC10");
        ADD_FAILURE() << "renamed onto an existing folder";
    } catch (const vcl::Exception& e) {
        EXPECT_EQ(std::string(e.what()), "Rename to W3SVC10 failed");
    }
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "tree/logs/W3SVC2"));
    // Computer and the volumes cannot be renamed: quietly false.
    std::string name = "rfMyComputer";
    std::unique_ptr<TqvShellFolder> computer(FolderFromRootName(nullptr, "", name));
    EXPECT_FALSE(computer->Rename("x"));
}

} // namespace
