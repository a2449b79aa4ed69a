#include "platform/shell/ShellNamespace.h"

#include "platform/shell/IdList.h"
#include "platform/shell/Mounts.h"
#include "platform/shell/ShellFolder.h"
#include "platform/shell/ShellItem.h"
#include "platform/shell/ShellNames.h"
#include "platform/shell/UserFolders.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

// The shell namespace on Linux: Computer holds the mounted volumes ("/" is the file system), the
// home and desktop folders are the XDG ones, paths are built with "/".

namespace shell {
namespace {

// Limits of the has-subfolders look in a folder that holds no subfolder early on: entries read,
// and entries whose type needs a stat (links, file systems without d_type).
constexpr int kSubfolderScanEntries = 1024;
constexpr int kSubfolderScanStats = 32;

struct MountSources {
    std::string MountInfo = "/proc/self/mountinfo";
    std::string Labels = "/dev/disk/by-label";
};
MountSources& Sources() {
    static MountSources sources;
    return sources;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<Volume> CurrentVolumes() { return ParseMountInfo(ReadWholeFile(Sources().MountInfo)); }

const Volume* FindVolume(const std::vector<Volume>& volumes, std::string_view mountPoint) {
    for (const Volume& v : volumes)
        if (v.MountPoint == mountPoint) return &v;
    return nullptr;
}

bool IsAtOrBelow(std::string_view path, std::string_view folder) {
    if (folder == "/") return !path.empty() && path[0] == '/';
    return path == folder || (path.substr(0, folder.size()) == folder && path.size() > folder.size() &&
                              path[folder.size()] == '/');
}

// The volume holding `path`: the longest mount point that is a prefix of it by whole names.
const Volume* VolumeOf(const std::vector<Volume>& volumes, std::string_view path) {
    const Volume* best = nullptr;
    for (const Volume& v : volumes)
        if (IsAtOrBelow(path, v.MountPoint) && (!best || v.MountPoint.size() > best->MountPoint.size()))
            best = &v;
    return best;
}

std::string LastName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool OnNetworkVolume(const std::string& path) {
    std::vector<Volume> volumes = CurrentVolumes();
    const Volume* volume = VolumeOf(volumes, path);
    return volume && volume->Kind == VolumeKind::Network;
}

bool IsMountPoint(const std::string& path) {
    // clang-format off
    struct stat self {}, parent {};
    // clang-format on
    if (::lstat(path.c_str(), &self) != 0 || ::stat(ParentPath(path).c_str(), &parent) != 0) return false;
    return S_ISDIR(self.st_mode) && self.st_dev != parent.st_dev;
}

HRESULT ErrnoResult(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return HRESULT_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS: return HRESULT_ACCESS_DENIED;
    case EEXIST:
    case ENOTEMPTY: return HRESULT_ALREADY_EXISTS;
    case ENOMEM: return E_OUTOFMEMORY;
    default: return E_FAIL;
    }
}

} // namespace

const std::string_view kPathSeparators = "/";

std::string JoinPath(const std::string& folder, std::string_view name) {
    if (folder == "/") return "/" + std::string(name);
    return folder + "/" + std::string(name);
}

std::string ParentPath(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == 0 || slash == std::string::npos) return "/";
    return path.substr(0, slash);
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

HRESULT CheckExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? S_OK : ErrnoResult(errno);
}

bool IsRelativePath(std::string_view text) { return !text.empty() && text[0] != '/'; }

HRESULT RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0)
        return ErrnoResult(errno);
    return S_OK;
}

std::string HomePath() { return HomeFolder(); }

std::string DesktopPath() { return DesktopDirectory().value_or(std::string()); }

std::string VolumePath(std::string_view volume) { return std::string(volume); }

std::vector<std::string> Volumes() {
    std::vector<std::string> out;
    for (const Volume& volume : CurrentVolumes())
        out.push_back(volume.MountPoint);
    return out;
}

HRESULT ParseSystemPath(std::string_view text, LPITEMIDLIST* list) {
    if (text.empty() || text[0] != '/') return E_INVALIDARG;
    auto names = SplitNames(text, kPathSeparators);
    if (!names) return E_INVALIDARG;
    std::string path;
    for (const std::string& name : *names)
        path += "/" + name;
    if (path.empty()) path = "/";
    if (HRESULT hr = CheckExists(path); FAILED(hr)) return hr;
    std::vector<Volume> volumes = CurrentVolumes();
    const Volume* volume = VolumeOf(volumes, path);
    LPITEMIDLIST result = AppendItem(nullptr, ItemKind::Virtual, kComputerItem);
    result = result ? AppendItem(result, ItemKind::Volume, volume->MountPoint) : nullptr;
    size_t volumeNames = volume->MountPoint == "/" ? 0
                                                   : SplitNames(volume->MountPoint, kPathSeparators)->size();
    for (size_t i = volumeNames; result && i < names->size(); ++i)
        result = AppendItem(result, ItemKind::Name, (*names)[i]);
    *list = result;
    return result ? S_OK : E_OUTOFMEMORY;
}

HRESULT ListFolder(const std::string& folder, bool folders, bool others, bool hidden,
                   std::vector<std::string>& names) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return ErrnoResult(errno);
    while (dirent* entry = ::readdir(dir)) {
        std::string_view name = entry->d_name;
        if (name == "." || name == ".." || (!hidden && name[0] == '.')) continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            isFolder = ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        if (isFolder ? folders : others) names.emplace_back(name);
    }
    ::closedir(dir);
    return S_OK;
}

std::optional<std::string> SpecialFolderPath(int csidl) {
    switch (csidl) {
    case CSIDL_PERSONAL:
        if (auto documents = UserDirectory("DOCUMENTS")) return *documents;
        return IsDirectory(HomeFolder()) ? HomeFolder() : std::string();
    case CSIDL_DESKTOPDIRECTORY: return DesktopPath();
    case CSIDL_TEMPLATES: return UserDirectory("TEMPLATES").value_or(std::string());
    case CSIDL_APPDATA: return ConfigHome();
    case CSIDL_BITBUCKET: return DataHome() + "/Trash/files";
    default: return std::nullopt;
    }
}

std::string VolumeDisplayName(const std::string& mountPoint) {
    if (mountPoint == "/") return std::string(ShellNameText(ShellName::FileSystem));
    std::vector<Volume> volumes = CurrentVolumes();
    const Volume* volume = FindVolume(volumes, mountPoint);
    if (volume && !volume->Source.empty()) {
        auto labels = ReadVolumeLabels(Sources().Labels);
        // Device names may be links themselves (/dev/mapper/x to /dev/dm-0).
        char device[PATH_MAX];
        for (std::string source :
             {volume->Source, std::string(::realpath(volume->Source.c_str(), device) ? device : "")})
            if (auto label = labels.find(source);
                !source.empty() && label != labels.end() && !label->second.empty())
                return label->second;
    }
    return LastName(mountPoint);
}

// The file system first, then the volumes by their names.
int CompareVolumes(std::string_view a, std::string_view b) {
    if (a == b) return 0;
    if ((a == "/") != (b == "/")) return a == "/" ? -1 : 1;
    std::string as(a), bs(b);
    int order = CompareNatural(VolumeDisplayName(as), VolumeDisplayName(bs));
    return order != 0 ? order : CompareNatural(as, bs);
}

// Looks at a bounded number of entries and stats so that a huge folder costs little; when the
// look gives up, the answer is yes (the tree then finds out).
bool HasSubfolder(const std::string& path) {
    if (OnNetworkVolume(path)) return true;
    DIR* dir = ::opendir(path.c_str());
    if (!dir) return false;
    bool found = false;
    int entries = 0, stats = 0;
    while (dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        if (entry->d_type == DT_DIR) {
            found = true;
            break;
        }
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            if (++stats > kSubfolderScanStats) {
                found = true;
                break;
            }
            struct stat st {};
            if (::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
                found = true;
                break;
            }
        }
        if (++entries > kSubfolderScanEntries) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

ULONG VolumeAttributes(const Location& at, ULONG asked) {
    std::vector<Volume> volumes = CurrentVolumes();
    const Volume* volume = FindVolume(volumes, at.Volume);
    ULONG bits = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_DROPTARGET;
    if (volume && volume->Kind == VolumeKind::Removable) bits |= SFGAO_REMOVABLE;
    if ((asked & SFGAO_HASSUBFOLDER) && HasSubfolder(at.Path)) bits |= SFGAO_HASSUBFOLDER;
    return bits;
}

ULONG EntryAttributes(const Location& at, ULONG asked) {
    struct stat link {};
    if (::lstat(at.Path.c_str(), &link) != 0) return 0;
    ULONG bits = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_HASPROPSHEET;
    if (S_ISLNK(link.st_mode)) bits |= SFGAO_LINK;
    bool folder = IsDirectory(at.Path);
    if (folder) bits |= SFGAO_FOLDER;
    if (!at.Name.empty() && at.Name[0] == '.') bits |= SFGAO_HIDDEN;
    if ((asked & (SFGAO_CANRENAME | SFGAO_CANMOVE | SFGAO_CANDELETE)) &&
        ::access(ParentPath(at.Path).c_str(), W_OK) == 0 && !IsMountPoint(at.Path))
        bits |= SFGAO_CANRENAME | SFGAO_CANMOVE | SFGAO_CANDELETE;
    if (folder && (asked & SFGAO_DROPTARGET) && ::access(at.Path.c_str(), W_OK) == 0)
        bits |= SFGAO_DROPTARGET;
    if (folder && (asked & SFGAO_HASSUBFOLDER) && HasSubfolder(at.Path)) bits |= SFGAO_HASSUBFOLDER;
    return bits;
}

int VolumeIcon(const std::string& mountPoint) {
    std::vector<Volume> volumes = CurrentVolumes();
    const Volume* volume = FindVolume(volumes, mountPoint);
    if (volume && volume->Kind == VolumeKind::Removable) return kIconRemovable;
    if (volume && volume->Kind == VolumeKind::Network) return kIconNetwork;
    return kIconDisk;
}

void SetMountSources(std::string mountInfo, std::string labelFolder) {
    Sources().MountInfo = std::move(mountInfo);
    Sources().Labels = std::move(labelFolder);
}

} // namespace shell
