#include "platform/shell/ShellFolder.h"

#include "platform/shell/IdList.h"
#include "platform/shell/Mounts.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/ShellItem.h"
#include "platform/shell/ShellNames.h"
#include "platform/shell/UserFolders.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace shell {
namespace {

// The parsing name Windows gives "Computer"; callers show the normal name for it instead.
constexpr std::string_view kComputerParsingName = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

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
        if (v.MountPoint == mountPoint)
            return &v;
    return nullptr;
}

bool IsAtOrBelow(std::string_view path, std::string_view folder) {
    if (folder == "/")
        return !path.empty() && path[0] == '/';
    return path == folder || (path.substr(0, folder.size()) == folder && path.size() > folder.size() && path[folder.size()] == '/');
}

// The volume holding `path`: the longest mount point that is a prefix of it by whole names.
const Volume* VolumeOf(const std::vector<Volume>& volumes, std::string_view path) {
    const Volume* best = nullptr;
    for (const Volume& v : volumes)
        if (IsAtOrBelow(path, v.MountPoint) && (!best || v.MountPoint.size() > best->MountPoint.size()))
            best = &v;
    return best;
}

std::string JoinPath(const std::string& folder, std::string_view name) {
    if (folder == "/")
        return "/" + std::string(name);
    return folder + "/" + std::string(name);
}

std::string LastName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// What an absolute identifier list stands for.
struct Location {
    enum class Type { Desktop, Home, Computer, Volume, Entry } Kind = Type::Desktop;
    std::string Path;      // its file-system path; empty for Computer and a desktop without folder
    std::string MountPoint; // the volume of a Volume item
    std::string Name;      // the last name of an Entry
};

std::string DesktopPath() {
    auto desktop = DesktopDirectory();
    return desktop ? *desktop : std::string();
}

std::optional<Location> Locate(LPCITEMIDLIST list) {
    Location at;
    at.Path = DesktopPath();
    bool first = true;
    for (LPCITEMIDLIST item = list; !ILIsEmpty(item); item = ILGetNext(item), first = false) {
        auto view = ReadItemData(ILItemData(item));
        if (!view)
            return std::nullopt;
        switch (view->Kind) {
        case ItemKind::Virtual:
            if (!first)
                return std::nullopt;
            at.Kind = view->Text == kHomeItem ? Location::Type::Home : Location::Type::Computer;
            at.Path = at.Kind == Location::Type::Home ? HomeFolder() : std::string();
            break;
        case ItemKind::Volume:
            if (at.Kind != Location::Type::Computer)
                return std::nullopt;
            at.Kind = Location::Type::Volume;
            at.Path = at.MountPoint = std::string(view->Text);
            break;
        case ItemKind::Name:
            if (at.Kind == Location::Type::Computer || at.Path.empty())
                return std::nullopt;
            at.Kind = Location::Type::Entry;
            at.Path = JoinPath(at.Path, view->Text);
            at.Name = std::string(view->Text);
            break;
        }
    }
    return at;
}

bool IsFolderLocation(const Location& at) {
    return at.Kind != Location::Type::Entry || IsDirectory(at.Path);
}

bool OnNetworkVolume(const std::string& path) {
    std::vector<Volume> volumes = CurrentVolumes();
    const Volume* volume = VolumeOf(volumes, path);
    return volume && volume->Kind == VolumeKind::Network;
}

// Whether the folder holds a folder, looking at a bounded number of entries and stats so that a
// huge folder costs little; when the look gives up, the answer is yes (the tree then finds out).
bool HasSubfolder(const std::string& path) {
    if (OnNetworkVolume(path))
        return true;
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return false;
    bool found = false;
    int entries = 0, stats = 0;
    while (dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
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

std::string ParentPath(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == 0 || slash == std::string::npos)
        return "/";
    return path.substr(0, slash);
}

bool IsMountPoint(const std::string& path) {
    struct stat self {}, parent {};
    if (::lstat(path.c_str(), &self) != 0 || ::stat(ParentPath(path).c_str(), &parent) != 0)
        return false;
    return S_ISDIR(self.st_mode) && self.st_dev != parent.st_dev;
}

ULONG AttributesOf(const Location& at, ULONG asked) {
    switch (at.Kind) {
    case Location::Type::Desktop:
    case Location::Type::Computer:
        return SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
    case Location::Type::Home:
        return SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_DROPTARGET |
               ((asked & SFGAO_HASSUBFOLDER) && HasSubfolder(at.Path) ? SFGAO_HASSUBFOLDER : 0);
    case Location::Type::Volume: {
        std::vector<Volume> volumes = CurrentVolumes();
        const Volume* volume = FindVolume(volumes, at.MountPoint);
        ULONG bits = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_DROPTARGET;
        if (volume && volume->Kind == VolumeKind::Removable)
            bits |= SFGAO_REMOVABLE;
        if ((asked & SFGAO_HASSUBFOLDER) && HasSubfolder(at.Path))
            bits |= SFGAO_HASSUBFOLDER;
        return bits;
    }
    case Location::Type::Entry:
        break;
    }
    struct stat link {};
    if (::lstat(at.Path.c_str(), &link) != 0)
        return 0;
    ULONG bits = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_HASPROPSHEET;
    if (S_ISLNK(link.st_mode))
        bits |= SFGAO_LINK;
    bool folder = IsDirectory(at.Path);
    if (folder)
        bits |= SFGAO_FOLDER;
    if (!at.Name.empty() && at.Name[0] == '.')
        bits |= SFGAO_HIDDEN;
    if ((asked & (SFGAO_CANRENAME | SFGAO_CANMOVE | SFGAO_CANDELETE)) && ::access(ParentPath(at.Path).c_str(), W_OK) == 0 &&
        !IsMountPoint(at.Path))
        bits |= SFGAO_CANRENAME | SFGAO_CANMOVE | SFGAO_CANDELETE;
    if (folder && (asked & SFGAO_DROPTARGET) && ::access(at.Path.c_str(), W_OK) == 0)
        bits |= SFGAO_DROPTARGET;
    if (folder && (asked & SFGAO_HASSUBFOLDER) && HasSubfolder(at.Path))
        bits |= SFGAO_HASSUBFOLDER;
    return bits;
}

std::string VolumeName(const Volume* volume, const std::string& mountPoint) {
    if (mountPoint == "/")
        return std::string(ShellNameText(ShellName::FileSystem));
    if (volume && !volume->Source.empty()) {
        auto labels = ReadVolumeLabels(Sources().Labels);
        // Device names may be links themselves (/dev/mapper/x to /dev/dm-0).
        char device[PATH_MAX];
        for (std::string source : {volume->Source, std::string(::realpath(volume->Source.c_str(), device) ? device : "")})
            if (auto label = labels.find(source); !source.empty() && label != labels.end() && !label->second.empty())
                return label->second;
    }
    return LastName(mountPoint);
}

std::string DisplayNameOf(const Location& at, DWORD flags) {
    bool parsing = flags & SHGDN_FORPARSING;
    bool inFolder = flags & SHGDN_INFOLDER;
    switch (at.Kind) {
    case Location::Type::Desktop:
        return parsing ? (at.Path.empty() ? HomeFolder() : at.Path) : std::string(ShellNameText(ShellName::Desktop));
    case Location::Type::Home:
        return parsing ? at.Path : std::string(ShellNameText(ShellName::Home));
    case Location::Type::Computer:
        return parsing ? std::string(kComputerParsingName) : std::string(ShellNameText(ShellName::Computer));
    case Location::Type::Volume: {
        if (parsing)
            return at.MountPoint;
        std::vector<Volume> volumes = CurrentVolumes();
        return VolumeName(FindVolume(volumes, at.MountPoint), at.MountPoint);
    }
    case Location::Type::Entry:
        return parsing && !inFolder ? at.Path : at.Name;
    }
    return {};
}

// Order of two items of one folder: virtual items first in their fixed order (Home, Computer),
// then volumes with the file system first, then names in natural order.
int CompareItems(std::string_view a, std::string_view b) {
    auto x = ReadItemData(a), y = ReadItemData(b);
    if (!x || !y)
        return x ? -1 : y ? 1 : a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
    auto rank = [](const ItemView& v) {
        if (v.Kind == ItemKind::Virtual)
            return v.Text == kHomeItem ? 0 : 1;
        if (v.Kind == ItemKind::Volume)
            return v.Text == "/" ? 2 : 3;
        return 4;
    };
    if (rank(*x) != rank(*y))
        return rank(*x) < rank(*y) ? -1 : 1;
    if (x->Kind == ItemKind::Volume && x->Text != y->Text) {
        std::vector<Volume> volumes = CurrentVolumes();
        std::string xs(x->Text), ys(y->Text);
        int order = CompareNatural(VolumeName(FindVolume(volumes, xs), xs), VolumeName(FindVolume(volumes, ys), ys));
        return order != 0 ? order : CompareNatural(xs, ys);
    }
    return CompareNatural(x->Text, y->Text);
}

// Splits an absolute or relative path into names, normalising "//", "." and a trailing "/" and
// stepping back for ".."; nothing when ".." climbs above the start.
std::optional<std::vector<std::string>> SplitPath(std::string_view path) {
    std::vector<std::string> names;
    size_t at = 0;
    while (at <= path.size()) {
        size_t end = path.find('/', at);
        if (end == std::string_view::npos)
            end = path.size();
        std::string_view name = path.substr(at, end - at);
        if (name == "..") {
            if (names.empty())
                return std::nullopt;
            names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.emplace_back(name);
        }
        at = end + 1;
    }
    return names;
}

LPITEMIDLIST Append(LPITEMIDLIST list, ItemKind kind, std::string_view text) {
    LPITEMIDLIST item = ILCreateFromData(MakeItemData(kind, text));
    if (!item) {
        ILFree(list);
        return nullptr;
    }
    LPITEMIDLIST longer = ILCombine(list, item);
    ILFree(list);
    ILFree(item);
    return longer;
}

HRESULT ErrnoResult(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return HRESULT_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
        return HRESULT_ACCESS_DENIED;
    case EEXIST:
    case ENOTEMPTY:
        return HRESULT_ALREADY_EXISTS;
    case ENOMEM:
        return E_OUTOFMEMORY;
    default:
        return E_FAIL;
    }
}

// The absolute list of an absolute path through Computer and the volume holding it.
HRESULT ParseAbsolutePath(std::string_view text, LPITEMIDLIST* list) {
    if (text == kComputerParsingName) {
        *list = Append(nullptr, ItemKind::Virtual, kComputerItem);
        return *list ? S_OK : E_OUTOFMEMORY;
    }
    if (text.empty() || text[0] != '/')
        return E_INVALIDARG;
    auto names = SplitPath(text);
    if (!names)
        return E_INVALIDARG;
    std::string path;
    for (const std::string& name : *names)
        path += "/" + name;
    if (path.empty())
        path = "/";
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return ErrnoResult(errno);
    std::vector<Volume> volumes = CurrentVolumes();
    const Volume* volume = VolumeOf(volumes, path);
    LPITEMIDLIST result = Append(nullptr, ItemKind::Virtual, kComputerItem);
    result = result ? Append(result, ItemKind::Volume, volume->MountPoint) : nullptr;
    size_t volumeNames = volume->MountPoint == "/" ? 0 : SplitPath(volume->MountPoint)->size();
    for (size_t i = volumeNames; result && i < names->size(); ++i)
        result = Append(result, ItemKind::Name, (*names)[i]);
    *list = result;
    return result ? S_OK : E_OUTOFMEMORY;
}

char* CopyToTaskMemory(const std::string& text) {
    auto* copy = static_cast<char*>(SHAlloc(text.size() + 1));
    if (copy)
        std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

HIMAGELIST SystemImageList() {
    static HIMAGELIST list = CreateShellIconList();
    return list;
}

int IconOf(const Location& at, bool open) {
    switch (at.Kind) {
    case Location::Type::Desktop:
        return kIconDesktop;
    case Location::Type::Home:
        return kIconHome;
    case Location::Type::Computer:
        return kIconComputer;
    case Location::Type::Volume: {
        std::vector<Volume> volumes = CurrentVolumes();
        const Volume* volume = FindVolume(volumes, at.MountPoint);
        if (volume && volume->Kind == VolumeKind::Removable)
            return kIconRemovable;
        if (volume && volume->Kind == VolumeKind::Network)
            return kIconNetwork;
        return kIconDisk;
    }
    case Location::Type::Entry:
        break;
    }
    if (!IsDirectory(at.Path))
        return kIconFile;
    return open ? kIconFolderOpen : kIconFolder;
}

} // namespace

std::string PathFromIDList(LPCITEMIDLIST list) {
    auto at = Locate(list);
    if (!at || at->Kind == Location::Type::Computer)
        return {};
    if (at->Kind == Location::Type::Desktop)
        return at->Path;
    return at->Path;
}

void SetMountSources(std::string mountInfo, std::string labelFolder) {
    Sources().MountInfo = std::move(mountInfo);
    Sources().Labels = std::move(labelFolder);
}

} // namespace shell

using namespace shell;

HRESULT IEnumIDList::Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched) {
    ULONG done = 0;
    while (done < count && at_ < items_.size()) {
        LPITEMIDLIST item = ILCreateFromData(items_[at_++]);
        if (!item)
            break;
        items[done++] = item;
    }
    if (fetched)
        *fetched = done;
    return done == count ? S_OK : S_FALSE;
}

HRESULT IEnumIDList::Reset() {
    at_ = 0;
    return S_OK;
}

IShellFolder::IShellFolder(LPCITEMIDLIST absolute) : absolute_(ILClone(absolute)) {
    if (!absolute_)
        absolute_ = ILCombine(nullptr, nullptr);
}

IShellFolder::~IShellFolder() { ILFree(absolute_); }

LPITEMIDLIST IShellFolder::Combine(LPCITEMIDLIST relative) const { return ILCombine(absolute_, relative); }

HRESULT IShellFolder::ParseDisplayName(HWND, const char* name, ULONG* eaten, LPITEMIDLIST* list, ULONG* attributes) {
    if (!name || !list)
        return E_INVALIDARG;
    *list = nullptr;
    std::string_view text(name);
    HRESULT hr;
    if (ILIsEmpty(absolute_)) {
        hr = ParseAbsolutePath(text, list);
    } else {
        auto at = Locate(absolute_);
        auto names = SplitPath(text);
        if (!at || at->Path.empty() || text.empty() || text[0] == '/' || !names || names->empty())
            return E_INVALIDARG;
        std::string path = at->Path;
        LPITEMIDLIST result = ILCombine(nullptr, nullptr);
        for (const std::string& n : *names) {
            path = JoinPath(path, n);
            result = result ? Append(result, ItemKind::Name, n) : nullptr;
        }
        struct stat st {};
        if (result && ::lstat(path.c_str(), &st) != 0) {
            ILFree(result);
            return ErrnoResult(errno);
        }
        *list = result;
        hr = result ? S_OK : E_OUTOFMEMORY;
    }
    if (SUCCEEDED(hr)) {
        if (eaten)
            *eaten = ULONG(text.size());
        if (attributes)
            GetAttributesOf(1, const_cast<LPCITEMIDLIST*>(reinterpret_cast<LPITEMIDLIST*>(list)), attributes);
    }
    return hr;
}

HRESULT IShellFolder::EnumObjects(HWND, DWORD flags, std::unique_ptr<IEnumIDList>* items) {
    auto at = Locate(absolute_);
    if (!at || !items || !IsFolderLocation(*at))
        return E_FAIL;
    std::vector<std::string> found;
    bool folders = flags & SHCONTF_FOLDERS, others = flags & SHCONTF_NONFOLDERS, hidden = flags & SHCONTF_INCLUDEHIDDEN;
    std::string folder = at->Path;
    if (at->Kind == Location::Type::Desktop) {
        if (folders && IsDirectory(HomeFolder()))
            found.push_back(MakeItemData(ItemKind::Virtual, kHomeItem));
        if (folders)
            found.push_back(MakeItemData(ItemKind::Virtual, kComputerItem));
        if (folder == HomeFolder())
            folder.clear(); // a desktop that is the home folder would list the home twice
    } else if (at->Kind == Location::Type::Computer) {
        if (folders)
            for (const Volume& volume : CurrentVolumes())
                found.push_back(MakeItemData(ItemKind::Volume, volume.MountPoint));
    }
    if (!folder.empty() && at->Kind != Location::Type::Computer) {
        DIR* dir = ::opendir(folder.c_str());
        if (!dir && at->Kind != Location::Type::Desktop)
            return ErrnoResult(errno);
        while (dir && (errno = 0, true)) {
            dirent* entry = ::readdir(dir);
            if (!entry)
                break;
            std::string_view name = entry->d_name;
            if (name == "." || name == ".." || (!hidden && name[0] == '.'))
                continue;
            bool isFolder = entry->d_type == DT_DIR;
            if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
                struct stat st {};
                isFolder = ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
            }
            if (isFolder ? folders : others)
                found.push_back(MakeItemData(ItemKind::Name, name));
        }
        if (dir)
            ::closedir(dir);
    }
    *items = std::make_unique<IEnumIDList>(std::move(found));
    return S_OK;
}

HRESULT IShellFolder::BindToObject(LPCITEMIDLIST relative, IShellFolderPtr* folder) {
    if (!folder)
        return E_INVALIDARG;
    *folder = nullptr;
    LPITEMIDLIST absolute = Combine(relative);
    auto at = absolute ? Locate(absolute) : std::nullopt;
    HRESULT hr = E_FAIL;
    if (at && IsFolderLocation(*at)) {
        *folder = std::make_shared<IShellFolder>(absolute);
        hr = S_OK;
    } else if (at) {
        hr = E_INVALIDARG; // a file: nothing to bind to
    }
    ILFree(absolute);
    return hr;
}

HRESULT IShellFolder::CompareIDs(LPARAM, LPCITEMIDLIST a, LPCITEMIDLIST b) {
    while (!ILIsEmpty(a) && !ILIsEmpty(b)) {
        int order = CompareItems(ILItemData(a), ILItemData(b));
        if (order != 0)
            return MakeCompareResult(order);
        a = ILGetNext(a);
        b = ILGetNext(b);
    }
    return MakeCompareResult(ILIsEmpty(a) == ILIsEmpty(b) ? 0 : ILIsEmpty(a) ? -1 : 1);
}

HRESULT IShellFolder::GetAttributesOf(UINT count, LPCITEMIDLIST* items, ULONG* attributes) {
    if (!attributes || (count > 0 && !items))
        return E_INVALIDARG;
    ULONG asked = *attributes;
    ULONG common = asked;
    for (UINT i = 0; i < count; ++i) {
        LPITEMIDLIST absolute = Combine(items[i]);
        auto at = absolute ? Locate(absolute) : std::nullopt;
        ILFree(absolute);
        if (!at)
            return E_INVALIDARG;
        common &= AttributesOf(*at, asked);
    }
    *attributes = common;
    return S_OK;
}

HRESULT IShellFolder::GetDisplayNameOf(LPCITEMIDLIST item, DWORD flags, STRRET* name) {
    if (!name)
        return E_INVALIDARG;
    LPITEMIDLIST absolute = Combine(item);
    auto at = absolute ? Locate(absolute) : std::nullopt;
    ILFree(absolute);
    if (!at)
        return E_INVALIDARG;
    name->uType = STRRET_WSTR;
    name->pOleStr = CopyToTaskMemory(DisplayNameOf(*at, flags));
    return name->pOleStr ? S_OK : E_OUTOFMEMORY;
}

HRESULT IShellFolder::SetNameOf(HWND, LPCITEMIDLIST item, const char* newName, DWORD, LPITEMIDLIST* renamed) {
    if (renamed)
        *renamed = nullptr;
    if (!newName || ILIsEmpty(item) || !ILIsEmpty(ILGetNext(item)))
        return E_INVALIDARG;
    LPITEMIDLIST absolute = Combine(item);
    auto at = absolute ? Locate(absolute) : std::nullopt;
    ILFree(absolute);
    std::string_view name(newName);
    if (!at || at->Kind != Location::Type::Entry || !ReadItemData(MakeItemData(ItemKind::Name, name)))
        return E_INVALIDARG;
    std::string target = JoinPath(ParentPath(at->Path), name);
    if (target != at->Path) {
        // Never replace an existing item: a rename in a tree must not delete anything.
        if (::renameat2(AT_FDCWD, at->Path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0)
            return ErrnoResult(errno);
    }
    if (renamed)
        *renamed = ILCreateFromData(MakeItemData(ItemKind::Name, name));
    return S_OK;
}

HRESULT SHGetDesktopFolder(IShellFolderPtr* folder) {
    if (!folder)
        return E_INVALIDARG;
    static const IShellFolderPtr desktop = std::make_shared<IShellFolder>(nullptr);
    *folder = desktop;
    return S_OK;
}

HRESULT SHGetSpecialFolderLocation(HWND, int csidl, LPITEMIDLIST* list) {
    if (!list)
        return E_INVALIDARG;
    *list = nullptr;
    std::optional<std::string> path;
    switch (csidl) {
    case CSIDL_DESKTOP:
        *list = ILCombine(nullptr, nullptr);
        return *list ? S_OK : E_OUTOFMEMORY;
    case CSIDL_DRIVES:
        return ParseAbsolutePath(kComputerParsingName, list);
    case CSIDL_PERSONAL:
        path = UserDirectory("DOCUMENTS");
        if (!path && IsDirectory(HomeFolder()))
            path = HomeFolder();
        break;
    case CSIDL_DESKTOPDIRECTORY:
        path = DesktopDirectory();
        break;
    case CSIDL_TEMPLATES:
        path = UserDirectory("TEMPLATES");
        break;
    case CSIDL_APPDATA:
        path = ConfigHome();
        break;
    case CSIDL_BITBUCKET:
        path = DataHome() + "/Trash/files";
        break;
    default:
        return E_INVALIDARG;
    }
    if (!path || !IsDirectory(*path))
        return HRESULT_FILE_NOT_FOUND;
    return ParseAbsolutePath(*path, list);
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST list, char* path) {
    if (!path)
        return FALSE;
    path[0] = '\0';
    std::string text = PathFromIDList(list);
    if (text.empty() || text.size() >= size_t(MAX_PATH))
        return FALSE;
    std::memcpy(path, text.c_str(), text.size() + 1);
    return TRUE;
}

std::uintptr_t SHGetFileInfo(const char* path, DWORD, SHFILEINFO* info, UINT, UINT flags) {
    if (!path && !(flags & SHGFI_PIDL))
        return 0;
    LPITEMIDLIST parsed = nullptr;
    LPCITEMIDLIST list = reinterpret_cast<LPCITEMIDLIST>(path);
    if (!(flags & SHGFI_PIDL)) {
        if (FAILED(ParseAbsolutePath(path, &parsed)))
            return 0;
        list = parsed;
    }
    auto at = Locate(list);
    ILFree(parsed);
    if (!at)
        return 0;
    if (info)
        info->iIcon = IconOf(*at, flags & SHGFI_OPENICON);
    if (flags & SHGFI_SYSICONINDEX)
        return reinterpret_cast<std::uintptr_t>(SystemImageList());
    return 1;
}
