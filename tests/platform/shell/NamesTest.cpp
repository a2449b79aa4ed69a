#include "platform/shell/Mounts.h"
#include "platform/shell/ShellNames.h"
#include "platform/shell/UserFolders.h"

#include <gtest/gtest.h>

namespace {

TEST(ShellNamesTest, OrdersNamesNaturallyWithoutRegardToCase) {
    // clang-format off
    struct Case {
        const char* a;
        const char* b;
        int order;
    } cases[] = {
        {"W3SVC2", "W3SVC10", -1}, {"w3svc10", "W3SVC2", 1}, {"abc", "ABD", -1},
        {"file007", "file7", -1},  // equal by value: the bytes decide, so no two names tie
        {"a", "a", 0},             {"B", "b", -1}, {"x9", "x10y", -1}, {"10", "9", 1},
        {"a", "ab", -1},           {"", "a", -1}, {"99999999999999999999999", "100000000000000000000000", -1},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(shell::CompareNatural(c.a, c.b), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(shell::CompareNatural(c.b, c.a), -c.order) << c.b << " vs " << c.a;
    }
}

TEST(ShellNamesTest, FollowsTheMessagesLanguage) {
    EXPECT_EQ(shell::ShellNameText(shell::ShellName::Computer, "zh_CN.UTF-8"), "计算机");
    EXPECT_EQ(shell::ShellNameText(shell::ShellName::Home, "zh_TW"), "主文件夹");
    EXPECT_EQ(shell::ShellNameText(shell::ShellName::Desktop, "en_US.UTF-8"), "Desktop");
    EXPECT_EQ(shell::ShellNameText(shell::ShellName::FileSystem, ""), "File System");
}

TEST(UserFoldersTest, ReadsTheUserDirsFileAsTheXdgToolsDo) {
    const char* text = "# comment\n"
                       "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                       "XDG_DOCUMENTS_DIR=\"/data/docs\"\n"
                       "XDG_TEMPLATES_DIR=relative\n"
                       "XDG_MUSIC_DIR=\"$HOMEX/m\"\n"
                       "XDG_VIDEOS_DIR = \"$HOME/My\\\"Videos\"\n"
                       "XDG_DESKTOP_DIRS=\"/no\"\n"
                       "XDG_PUBLICSHARE_DIR=\"$HOME/a\"\nXDG_PUBLICSHARE_DIR=\"$HOME/b\"\n";
    EXPECT_EQ(shell::ParseUserDirsValue(text, "XDG_DESKTOP_DIR", "/home/u"), "/home/u/Desktop");
    EXPECT_EQ(shell::ParseUserDirsValue(text, "XDG_DOCUMENTS_DIR", "/home/u"), "/data/docs");
    EXPECT_EQ(shell::ParseUserDirsValue(text, "XDG_TEMPLATES_DIR", "/home/u"), "");
    EXPECT_EQ(shell::ParseUserDirsValue(text, "XDG_MUSIC_DIR", "/home/u"), "");
    EXPECT_EQ(shell::ParseUserDirsValue(text, "XDG_VIDEOS_DIR", "/home/u"), "/home/u/My\"Videos");
    EXPECT_EQ(shell::ParseUserDirsValue(text, "XDG_PUBLICSHARE_DIR", "/home/u"), "/home/u/b");
    EXPECT_EQ(shell::ParseUserDirsValue(text, "XDG_DOWNLOAD_DIR", "/home/u"), "");
}

TEST(MountsTest, ListsTheVolumesAUserWantsToSee) {
    const char* mountinfo = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                            "23 22 0:5 / /proc rw - proc proc rw\n"
                            "24 22 0:20 / /sys rw - sysfs sysfs rw\n"
                            "25 22 0:21 / /run rw - tmpfs tmpfs rw\n"
                            "26 22 8:2 / /boot/efi rw - vfat /dev/sda2 rw\n"
                            "27 22 8:3 / /home rw shared:5 - ext4 /dev/sda3 rw\n"
                            "28 22 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
                            "29 22 8:17 / /media/u/USB\\040STICK rw,nosuid - vfat /dev/sdb1 rw\n"
                            "30 22 0:40 / /mnt/share rw - nfs4 server:/export rw\n"
                            "31 22 8:1 /var/lib/docker/x /etc/hosts rw - ext4 /dev/sda1 rw\n"
                            "32 22 0:41 / /run/media/u/cam rw - fuseblk /dev/sdc1 rw\n"
                            "33 22 0:42 / /home/u/remote rw - fuse.sshfs u@host: rw\n"
                            "34 22 0:43 / /tmp rw - tmpfs tmpfs rw\n"
                            "garbage line\n"
                            "35 22 8:3 / /home rw - xfs /dev/sda4 rw\n"
                            "36 22 8:5 / /data rw - ext4 /dev/sda5\n"; // no super options: still a full line
    std::vector<shell::Volume> volumes = shell::ParseMountInfo(mountinfo);
    std::vector<std::pair<std::string, shell::VolumeKind>> seen;
    for (const shell::Volume& v : volumes)
        seen.emplace_back(v.MountPoint, v.Kind);
    using K = shell::VolumeKind;
    // clang-format off
    std::vector<std::pair<std::string, shell::VolumeKind>> expected = {
        {"/", K::Root}, {"/media/u/USB STICK", K::Removable}, {"/mnt/share", K::Network},
        {"/run/media/u/cam", K::Removable}, {"/home/u/remote", K::Network},
        {"/home", K::Disk}, // mounted again: the later mount replaces the earlier
        {"/data", K::Disk},
    };
    // clang-format on
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(volumes[5].Type, "xfs");
    // A text without the root still offers the file system.
    ASSERT_EQ(shell::ParseMountInfo("").size(), 1u);
    EXPECT_EQ(shell::ParseMountInfo("").front().MountPoint, "/");
    EXPECT_EQ(shell::UnescapeMountField("a\\040b\\x20c\\\\d\\9"), "a b c\\\\d\\9");
}

} // namespace
