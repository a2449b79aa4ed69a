#include "platform/shell/ShellFolder.h"

#include "platform/shell/IdList.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/ShellItem.h"
#include "platform/shell/ShellNames.h"
#include "platform/shell/ShellSystem.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

// The shell namespace of the Windows build, with the shape users know from the Windows shell:
//
//   Desktop
//   ├── Home                  (%USERPROFILE%)
//   ├── Computer
//   │   └── drives            (C:, D: … with their labels)
//   └── folders and files of the desktop folder
//
// Items are the same three kinds as on Linux (ShellItem.h); a volume item holds its drive
// ("C:"), and paths are built with "\".

namespace shell {
namespace {

constexpr std::string_view kComputerParsingName = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
constexpr int kCsidlProfile = 0x28;
constexpr int kSubfolderScanEntries = 1024;

// System error numbers the namespace tells apart.
constexpr int kFileNotFound = 2, kPathNotFound = 3, kAccessDenied = 5, kNotEnoughMemory = 8, kWriteProtect = 19,
              kFileExists = 80, kInvalidName = 123, kAlreadyExists = 183;

HRESULT SystemResult(int error) {
    switch (error) {
    case kFileNotFound:
    case kPathNotFound:
    case kInvalidName:
        return HRESULT_FILE_NOT_FOUND;
    case kAccessDenied:
    case kWriteProtect:
        return HRESULT_ACCESS_DENIED;
    case kFileExists:
    case kAlreadyExists:
        return HRESULT_ALREADY_EXISTS;
    case kNotEnoughMemory:
        return E_OUTOFMEMORY;
    default:
        return E_FAIL;
    }
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string JoinPath(const std::string& folder, std::string_view name) {
    if (!folder.empty() && IsSeparator(folder.back()))
        return folder + std::string(name);
    return folder + "\\" + std::string(name);
}

// "C:" becomes "C:\", the form the system reads as the drive's root.
std::string VolumePath(std::string_view root) { return std::string(root) + "\\"; }

std::string ParentPath(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return path;
    if (slash <= 2)
        return path.substr(0, slash + 1); // "C:\"
    return path.substr(0, slash);
}

bool IsDirectory(const std::string& path) {
    win32::PathInfo info = win32::Inspect(path);
    return info.Exists && info.Folder;
}

std::string HomeFolder() { return win32::KnownFolder(kCsidlProfile); }

std::string DesktopPath() {
    std::string desktop = win32::KnownFolder(CSIDL_DESKTOPDIRECTORY);
    return IsDirectory(desktop) ? desktop : std::string();
}

const win32::Drive* FindDrive(const std::vector<win32::Drive>& drives, std::string_view root) {
    for (const win32::Drive& d : drives)
        if (d.Root == root)
            return &d;
    return nullptr;
}

struct Location {
    enum class Type { Desktop, Home, Computer, Volume, Entry } Kind = Type::Desktop;
    std::string Path;  // its file-system path; empty for Computer and a desktop without folder
    std::string Root;  // the drive of a Volume item ("C:")
    std::string Name;  // the last name of an Entry
};

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
            at.Root = std::string(view->Text);
            at.Path = VolumePath(view->Text);
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

bool IsFolderLocation(const Location& at) { return at.Kind != Location::Type::Entry || IsDirectory(at.Path); }

bool OnNetworkDrive(const std::string& path) {
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        return true; // \\server\share
    if (path.size() < 2 || path[1] != ':')
        return false;
    std::vector<win32::Drive> drives = win32::Drives();
    const win32::Drive* drive = FindDrive(drives, path.substr(0, 2));
    return drive && drive->Type == win32::DriveType::Network;
}

bool HasSubfolder(const std::string& path) {
    if (OnNetworkDrive(path))
        return true; // never wait on the network just to draw a tree
    return win32::HasSubfolder(path, kSubfolderScanEntries);
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
        std::vector<win32::Drive> drives = win32::Drives();
        const win32::Drive* drive = FindDrive(drives, at.Root);
        ULONG bits = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_DROPTARGET;
        bool removable = drive && (drive->Type == win32::DriveType::Removable || drive->Type == win32::DriveType::Optical);
        if (removable)
            bits |= SFGAO_REMOVABLE | SFGAO_HASSUBFOLDER; // not looked into: the medium may be missing
        else if ((asked & SFGAO_HASSUBFOLDER) && HasSubfolder(at.Path))
            bits |= SFGAO_HASSUBFOLDER;
        return bits;
    }
    case Location::Type::Entry:
        break;
    }
    win32::PathInfo info = win32::Inspect(at.Path);
    if (!info.Exists)
        return 0;
    ULONG bits = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_HASPROPSHEET;
    if (info.Link)
        bits |= SFGAO_LINK;
    if (info.Folder)
        bits |= SFGAO_FOLDER;
    if (info.Hidden)
        bits |= SFGAO_HIDDEN;
    if (info.ReadOnly)
        bits |= SFGAO_READONLY;
    // The access lists decide the rest; the tree only offers what they may allow.
    bits |= (SFGAO_CANRENAME | SFGAO_CANMOVE | SFGAO_CANDELETE) & asked;
    if (info.Folder)
        bits |= SFGAO_DROPTARGET & asked;
    if (info.Folder && (asked & SFGAO_HASSUBFOLDER) && HasSubfolder(at.Path))
        bits |= SFGAO_HASSUBFOLDER;
    return bits;
}

std::string VolumeName(const win32::Drive* drive, const std::string& root) {
    if (drive && !drive->Label.empty())
        return drive->Label + " (" + root + ")";
    return root;
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
            return at.Path;
        std::vector<win32::Drive> drives = win32::Drives(true);
        return VolumeName(FindDrive(drives, at.Root), at.Root);
    }
    case Location::Type::Entry:
        return parsing && !inFolder ? at.Path : at.Name;
    }
    return {};
}

// Virtual items first (Home, Computer), then drives by letter, then names in natural order.
int CompareItems(std::string_view a, std::string_view b) {
    auto x = ReadItemData(a), y = ReadItemData(b);
    if (!x || !y)
        return x ? -1 : y ? 1 : a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
    auto rank = [](const ItemView& v) {
        if (v.Kind == ItemKind::Virtual)
            return v.Text == kHomeItem ? 0 : 1;
        return v.Kind == ItemKind::Volume ? 2 : 3;
    };
    if (rank(*x) != rank(*y))
        return rank(*x) < rank(*y) ? -1 : 1;
    return CompareNatural(x->Text, y->Text);
}

// Splits a path into names at "\" and "/", normalising "." and empty names and stepping back
// for ".."; nothing when ".." climbs above the start.
std::optional<std::vector<std::string>> SplitPath(std::string_view path) {
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at <= path.size()) {
        std::size_t end = path.find_first_of("\\/", at);
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

// The absolute list of "C:\a\b" (or "c:/a/b") through Computer and its drive.
HRESULT ParseAbsolutePath(std::string_view text, LPITEMIDLIST* list) {
    if (text == kComputerParsingName) {
        *list = Append(nullptr, ItemKind::Virtual, kComputerItem);
        return *list ? S_OK : E_OUTOFMEMORY;
    }
    if (text.size() < 2 || text[1] != ':' || !std::isalpha(static_cast<unsigned char>(text[0])) ||
        (text.size() > 2 && !IsSeparator(text[2])))
        return E_INVALIDARG; // relative, drive-relative ("C:x") and UNC paths are not items here
    std::string root = std::string(1, char(std::toupper(static_cast<unsigned char>(text[0])))) + ":";
    auto names = SplitPath(text.substr(2));
    if (!names)
        return E_INVALIDARG;
    std::string path = VolumePath(root);
    for (const std::string& name : *names)
        path = JoinPath(path, name);
    win32::PathInfo info = win32::Inspect(path);
    if (!info.Exists)
        return SystemResult(info.Error);
    LPITEMIDLIST result = Append(nullptr, ItemKind::Virtual, kComputerItem);
    result = result ? Append(result, ItemKind::Volume, root) : nullptr;
    for (std::size_t i = 0; result && i < names->size(); ++i)
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
        std::vector<win32::Drive> drives = win32::Drives();
        const win32::Drive* drive = FindDrive(drives, at.Root);
        if (drive && (drive->Type == win32::DriveType::Removable || drive->Type == win32::DriveType::Optical))
            return kIconRemovable;
        if (drive && drive->Type == win32::DriveType::Network)
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
    return at->Path;
}

void SetMountSources(std::string, std::string) {} // the drives come from the system itself

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
        if (!at || at->Path.empty() || text.empty() || IsSeparator(text[0]) || text.find(':') != std::string_view::npos ||
            !names || names->empty())
            return E_INVALIDARG;
        std::string path = at->Path;
        LPITEMIDLIST result = ILCombine(nullptr, nullptr);
        for (const std::string& n : *names) {
            path = JoinPath(path, n);
            result = result ? Append(result, ItemKind::Name, n) : nullptr;
        }
        win32::PathInfo info = win32::Inspect(path);
        if (result && !info.Exists) {
            ILFree(result);
            return SystemResult(info.Error);
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
    } else if (at->Kind == Location::Type::Computer) {
        if (folders)
            for (const win32::Drive& drive : win32::Drives())
                found.push_back(MakeItemData(ItemKind::Volume, drive.Root));
    }
    if (!folder.empty() && at->Kind != Location::Type::Computer) {
        std::vector<win32::Entry> entries;
        int error = 0;
        if (!win32::ListFolder(folder, entries, error) && at->Kind != Location::Type::Desktop)
            return SystemResult(error);
        for (const win32::Entry& entry : entries) {
            if (!hidden && entry.Hidden)
                continue;
            if (entry.Folder ? folders : others)
                found.push_back(MakeItemData(ItemKind::Name, entry.Name));
        }
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
        if (int error = win32::RenameNoReplace(at->Path, target))
            return SystemResult(error);
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
    switch (csidl) {
    case CSIDL_DESKTOP:
        *list = ILCombine(nullptr, nullptr);
        return *list ? S_OK : E_OUTOFMEMORY;
    case CSIDL_DRIVES:
        return ParseAbsolutePath(kComputerParsingName, list);
    case CSIDL_PERSONAL:
    case CSIDL_DESKTOPDIRECTORY:
    case CSIDL_TEMPLATES:
    case CSIDL_APPDATA:
        break;
    default:
        return E_INVALIDARG; // the recycle bin has no folder of its own here
    }
    std::string path = win32::KnownFolder(csidl);
    if (path.empty() || !IsDirectory(path))
        return HRESULT_FILE_NOT_FOUND;
    return ParseAbsolutePath(path, list);
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
