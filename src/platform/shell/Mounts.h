#pragma once
// The mounted volumes the user should see under "Computer": the file system's root, removable
// media, other block-device file systems and network shares, read from /proc/self/mountinfo.
// Pseudo file systems, loop devices (images, snaps), boot partitions and bind mounts of parts of
// a file system are left out, as a file manager leaves them out.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

enum class VolumeKind { Root, Disk, Removable, Network };

struct Volume {
    std::string MountPoint; // absolute, unescaped
    std::string Source;     // the device or share ("/dev/sdb1", "server:/export")
    std::string Type;       // the file-system type ("ext4", "nfs4", "fuse.sshfs")
    VolumeKind Kind = VolumeKind::Disk;
};

// The volumes listed by the text of a mountinfo file, in its order, a later mount on the same
// point replacing an earlier one. Lines that do not parse are skipped. The root is always there,
// even when the text lacks it.
std::vector<Volume> ParseMountInfo(std::string_view text);

// Undoes the octal escapes of mountinfo and udev names ("\040" for a blank, "\x20" in labels).
std::string UnescapeMountField(std::string_view field);

// True for network file systems, whose folders are never looked into just to draw a tree.
bool IsNetworkFileSystem(std::string_view type);

// Volume labels by device path, from a folder of links named after the labels (the udev folder
// /dev/disk/by-label, whose links point to "../../sdb1"); link targets are resolved by name only,
// so nothing outside the folder is touched.
std::map<std::string, std::string> ReadVolumeLabels(const std::string& folder);

// The absolute path `path` with "//", "." and ".." resolved by name (no links followed).
std::string LexicalPath(std::string_view path);

} // namespace shell
