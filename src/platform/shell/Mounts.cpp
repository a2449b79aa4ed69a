#include "platform/shell/Mounts.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <unistd.h>

namespace shell {
namespace {

constexpr std::array kNetworkTypes = {
    std::string_view("nfs"),         std::string_view("nfs4"),        std::string_view("cifs"),
    std::string_view("smb3"),        std::string_view("smbfs"),       std::string_view("ncpfs"),
    std::string_view("afs"),         std::string_view("ceph"),        std::string_view("glusterfs"),
    std::string_view("9p"),          std::string_view("davfs"),       std::string_view("fuse.sshfs"),
    std::string_view("fuse.davfs2"), std::string_view("fuse.rclone"), std::string_view("fuse.glusterfs")};

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// True when `path` is `folder` or lies below it.
bool IsAtOrBelow(std::string_view path, std::string_view folder) {
    return path == folder ||
           (StartsWith(path, folder) && path.size() > folder.size() && path[folder.size()] == '/');
}

bool IsRemovablePlace(std::string_view point) {
    return IsAtOrBelow(point, "/media") || IsAtOrBelow(point, "/run/media") || IsAtOrBelow(point, "/mnt");
}

// Places of the system's own machinery: nothing mounted there is a volume for the user.
bool IsSystemPlace(std::string_view point) {
    for (std::string_view place : {"/proc", "/sys", "/dev", "/boot", "/snap", "/var/lib", "/var/snap"})
        if (IsAtOrBelow(point, place)) return true;
    return IsAtOrBelow(point, "/run") && !IsAtOrBelow(point, "/run/media");
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t at = 0;
    while (at < line.size()) {
        size_t end = line.find(' ', at);
        if (end == std::string_view::npos) end = line.size();
        if (end > at) fields.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return fields;
}

bool ParseLine(std::string_view line, Volume& volume) {
    // id parent major:minor root mount-point options [optional fields...] - type source super-options
    std::vector<std::string_view> fields = SplitFields(line);
    auto dash = std::find(fields.begin(), fields.end(), std::string_view("-"));
    if (fields.size() < 6 || dash == fields.end() || dash < fields.begin() + 6 || fields.end() - dash < 3)
        return false;
    std::string root = UnescapeMountField(fields[3]);
    volume.MountPoint = UnescapeMountField(fields[4]);
    volume.Type = UnescapeMountField(dash[1]);
    volume.Source = UnescapeMountField(dash[2]);
    if (volume.MountPoint.empty() || volume.MountPoint[0] != '/') return false;
    if (volume.MountPoint == "/") {
        volume.Kind = VolumeKind::Root;
        return true;
    }
    if (root != "/" || IsSystemPlace(volume.MountPoint) || StartsWith(volume.Source, "/dev/loop"))
        return false;
    if (IsNetworkFileSystem(volume.Type)) {
        volume.Kind = VolumeKind::Network;
        return true;
    }
    if (IsRemovablePlace(volume.MountPoint) &&
        (StartsWith(volume.Source, "/dev/") || StartsWith(volume.Type, "fuse"))) {
        volume.Kind = VolumeKind::Removable;
        return true;
    }
    if (StartsWith(volume.Source, "/dev/")) {
        volume.Kind = VolumeKind::Disk;
        return true;
    }
    return false;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string UnescapeMountField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] == 'x' && HexValue(field[i + 2]) >= 0 &&
            HexValue(field[i + 3]) >= 0) {
            out += char(HexValue(field[i + 2]) * 16 + HexValue(field[i + 3]));
            i += 3;
        } else if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' &&
                   field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
            out += char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

bool IsNetworkFileSystem(std::string_view type) {
    return std::find(kNetworkTypes.begin(), kNetworkTypes.end(), type) != kNetworkTypes.end();
}

std::vector<Volume> ParseMountInfo(std::string_view text) {
    std::vector<Volume> volumes;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        Volume volume;
        if (ParseLine(text.substr(at, end - at), volume)) {
            auto same = std::find_if(volumes.begin(), volumes.end(),
                                     [&](const Volume& v) { return v.MountPoint == volume.MountPoint; });
            if (same != volumes.end()) volumes.erase(same);
            volumes.push_back(std::move(volume));
        }
        at = end + 1;
    }
    if (std::none_of(volumes.begin(), volumes.end(),
                     [](const Volume& v) { return v.Kind == VolumeKind::Root; }))
        volumes.insert(volumes.begin(), Volume{"/", "", "", VolumeKind::Root});
    return volumes;
}

std::map<std::string, std::string> ReadVolumeLabels(const std::string& folder) {
    std::map<std::string, std::string> labels;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return labels;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        char target[PATH_MAX];
        ssize_t size = ::readlinkat(::dirfd(dir), entry->d_name, target, sizeof target - 1);
        if (size <= 0) continue;
        std::string link(target, size_t(size));
        labels[LexicalPath(link[0] == '/' ? link : folder + "/" + link)] = UnescapeMountField(name);
    }
    ::closedir(dir);
    return labels;
}

std::string LexicalPath(std::string_view path) {
    std::vector<std::string_view> names;
    size_t at = 0;
    while (at <= path.size()) {
        size_t end = path.find('/', at);
        if (end == std::string_view::npos) end = path.size();
        std::string_view name = path.substr(at, end - at);
        if (name == "..") {
            if (!names.empty()) names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        at = end + 1;
    }
    std::string result;
    for (std::string_view name : names)
        result.append("/").append(name);
    return result.empty() ? "/" : result;
}

} // namespace shell
