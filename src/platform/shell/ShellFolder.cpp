#include "platform/shell/ShellFolder.h"

#include "platform/shell/IdList.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/ShellItem.h"
#include "platform/shell/ShellNames.h"
#include "platform/shell/ShellNamespace.h"

#include <cstring>

// The shell interfaces over the system's namespace (ShellNamespace.h): the same on every system.

namespace shell {
namespace {

std::optional<Location> Locate(LPCITEMIDLIST list) {
    Location at;
    at.Path = DesktopPath();
    bool first = true;
    for (LPCITEMIDLIST item = list; !ILIsEmpty(item); item = ILGetNext(item), first = false) {
        auto view = ReadItemData(ILItemData(item));
        if (!view) return std::nullopt;
        switch (view->Kind) {
        case ItemKind::Virtual:
            if (!first) return std::nullopt;
            at.Kind = view->Text == kHomeItem ? Location::Type::Home : Location::Type::Computer;
            at.Path = at.Kind == Location::Type::Home ? HomePath() : std::string();
            break;
        case ItemKind::Volume:
            if (at.Kind != Location::Type::Computer) return std::nullopt;
            at.Kind = Location::Type::Volume;
            at.Volume = std::string(view->Text);
            at.Path = VolumePath(view->Text);
            break;
        case ItemKind::Name:
            if (at.Kind == Location::Type::Computer || at.Path.empty()) return std::nullopt;
            at.Kind = Location::Type::Entry;
            at.Path = JoinPath(at.Path, view->Text);
            at.Name = std::string(view->Text);
            break;
        }
    }
    return at;
}

bool IsFolderLocation(const Location& at) { return at.Kind != Location::Type::Entry || IsDirectory(at.Path); }

ULONG AttributesOf(const Location& at, ULONG asked) {
    switch (at.Kind) {
    case Location::Type::Desktop:
    case Location::Type::Computer: return SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
    case Location::Type::Home:
        return SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_DROPTARGET |
               ((asked & SFGAO_HASSUBFOLDER) && HasSubfolder(at.Path) ? SFGAO_HASSUBFOLDER : 0);
    case Location::Type::Volume: return VolumeAttributes(at, asked);
    case Location::Type::Entry: break;
    }
    return EntryAttributes(at, asked);
}

std::string DisplayNameOf(const Location& at, DWORD flags) {
    bool parsing = flags & SHGDN_FORPARSING;
    bool inFolder = flags & SHGDN_INFOLDER;
    switch (at.Kind) {
    case Location::Type::Desktop:
        return parsing ? (at.Path.empty() ? HomePath() : at.Path)
                       : std::string(ShellNameText(ShellName::Desktop));
    case Location::Type::Home: return parsing ? at.Path : std::string(ShellNameText(ShellName::Home));
    case Location::Type::Computer:
        return parsing ? std::string(kComputerParsingName) : std::string(ShellNameText(ShellName::Computer));
    case Location::Type::Volume: return parsing ? at.Path : VolumeDisplayName(at.Volume);
    case Location::Type::Entry: return parsing && !inFolder ? at.Path : at.Name;
    }
    return {};
}

// Order of two items of one folder: virtual items first in their fixed order (Home, Computer),
// then volumes in the system's order, then names in natural order.
int CompareItems(std::string_view a, std::string_view b) {
    auto x = ReadItemData(a), y = ReadItemData(b);
    if (!x || !y) return x ? -1 : y ? 1 : a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
    auto rank = [](const ItemView& v) {
        if (v.Kind == ItemKind::Virtual) return v.Text == kHomeItem ? 0 : 1;
        return v.Kind == ItemKind::Volume ? 2 : 3;
    };
    if (rank(*x) != rank(*y)) return rank(*x) < rank(*y) ? -1 : 1;
    if (x->Kind == ItemKind::Volume) return CompareVolumes(x->Text, y->Text);
    return CompareNatural(x->Text, y->Text);
}

HRESULT ParseAbsolutePath(std::string_view text, LPITEMIDLIST* list) {
    if (text == kComputerParsingName) {
        *list = AppendItem(nullptr, ItemKind::Virtual, kComputerItem);
        return *list ? S_OK : E_OUTOFMEMORY;
    }
    return ParseSystemPath(text, list);
}

// The list of `text` below the folder `at`, relative to it; the item must exist.
HRESULT ParseRelativePath(const Location& at, std::string_view text, LPITEMIDLIST* list) {
    auto names = SplitNames(text, kPathSeparators);
    if (at.Path.empty() || !IsRelativePath(text) || !names || names->empty()) return E_INVALIDARG;
    std::string path = at.Path;
    LPITEMIDLIST result = ILCombine(nullptr, nullptr);
    for (const std::string& n : *names) {
        path = JoinPath(path, n);
        result = result ? AppendItem(result, ItemKind::Name, n) : nullptr;
    }
    if (!result) return E_OUTOFMEMORY;
    if (HRESULT hr = CheckExists(path); FAILED(hr)) {
        ILFree(result);
        return hr;
    }
    *list = result;
    return S_OK;
}

char* CopyToTaskMemory(const std::string& text) {
    auto* copy = static_cast<char*>(SHAlloc(text.size() + 1));
    if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

HIMAGELIST SystemImageList() {
    static HIMAGELIST list = CreateShellIconList();
    return list;
}

int IconOf(const Location& at, bool open) {
    switch (at.Kind) {
    case Location::Type::Desktop: return kIconDesktop;
    case Location::Type::Home: return kIconHome;
    case Location::Type::Computer: return kIconComputer;
    case Location::Type::Volume: return VolumeIcon(at.Volume);
    case Location::Type::Entry: break;
    }
    if (!IsDirectory(at.Path)) return kIconFile;
    return open ? kIconFolderOpen : kIconFolder;
}

} // namespace

std::string PathFromIDList(LPCITEMIDLIST list) {
    auto at = Locate(list);
    if (!at || at->Kind == Location::Type::Computer) return {};
    return at->Path;
}

} // namespace shell

using namespace shell;

HRESULT IEnumIDList::Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched) {
    ULONG done = 0;
    while (done < count && at_ < items_.size()) {
        LPITEMIDLIST item = ILCreateFromData(items_[at_++]);
        if (!item) break;
        items[done++] = item;
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
}

HRESULT IEnumIDList::Reset() {
    at_ = 0;
    return S_OK;
}

IShellFolder::IShellFolder(LPCITEMIDLIST absolute) : absolute_(ILClone(absolute)) {
    if (!absolute_) absolute_ = ILCombine(nullptr, nullptr);
}

IShellFolder::~IShellFolder() { ILFree(absolute_); }

LPITEMIDLIST IShellFolder::Combine(LPCITEMIDLIST relative) const { return ILCombine(absolute_, relative); }

HRESULT IShellFolder::ParseDisplayName(HWND, const char* name, ULONG* eaten, LPITEMIDLIST* list,
                                       ULONG* attributes) {
    if (!name || !list) return E_INVALIDARG;
    *list = nullptr;
    std::string_view text(name);
    HRESULT hr;
    if (ILIsEmpty(absolute_)) {
        hr = ParseAbsolutePath(text, list);
    } else {
        auto at = Locate(absolute_);
        hr = at ? ParseRelativePath(*at, text, list) : E_INVALIDARG;
    }
    if (SUCCEEDED(hr)) {
        if (eaten) *eaten = ULONG(text.size());
        if (attributes)
            GetAttributesOf(1, const_cast<LPCITEMIDLIST*>(reinterpret_cast<LPITEMIDLIST*>(list)), attributes);
    }
    return hr;
}

HRESULT IShellFolder::EnumObjects(HWND, DWORD flags, std::unique_ptr<IEnumIDList>* items) {
    auto at = Locate(absolute_);
    if (!at || !items || !IsFolderLocation(*at)) return E_FAIL;
    std::vector<std::string> found;
    bool folders = flags & SHCONTF_FOLDERS, others = flags & SHCONTF_NONFOLDERS,
         hidden = flags & SHCONTF_INCLUDEHIDDEN;
    std::string folder = at->Path;
    if (at->Kind == Location::Type::Desktop) {
        std::string home = HomePath();
        if (folders && !home.empty() && IsDirectory(home))
            found.push_back(MakeItemData(ItemKind::Virtual, kHomeItem));
        if (folders) found.push_back(MakeItemData(ItemKind::Virtual, kComputerItem));
        if (folder == home) folder.clear(); // a desktop that is the home folder would list the home twice
    } else if (at->Kind == Location::Type::Computer) {
        if (folders)
            for (const std::string& volume : Volumes())
                found.push_back(MakeItemData(ItemKind::Volume, volume));
    }
    if (!folder.empty() && at->Kind != Location::Type::Computer) {
        std::vector<std::string> names;
        HRESULT hr = ListFolder(folder, folders, others, hidden, names);
        if (FAILED(hr) && at->Kind != Location::Type::Desktop) return hr;
        for (const std::string& name : names)
            found.push_back(MakeItemData(ItemKind::Name, name));
    }
    *items = std::make_unique<IEnumIDList>(std::move(found));
    return S_OK;
}

HRESULT IShellFolder::BindToObject(LPCITEMIDLIST relative, IShellFolderPtr* folder) {
    if (!folder) return E_INVALIDARG;
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
        if (order != 0) return MakeCompareResult(order);
        a = ILGetNext(a);
        b = ILGetNext(b);
    }
    return MakeCompareResult(ILIsEmpty(a) == ILIsEmpty(b) ? 0 : ILIsEmpty(a) ? -1 : 1);
}

HRESULT IShellFolder::GetAttributesOf(UINT count, LPCITEMIDLIST* items, ULONG* attributes) {
    if (!attributes || (count > 0 && !items)) return E_INVALIDARG;
    ULONG asked = *attributes;
    ULONG common = asked;
    for (UINT i = 0; i < count; ++i) {
        LPITEMIDLIST absolute = Combine(items[i]);
        auto at = absolute ? Locate(absolute) : std::nullopt;
        ILFree(absolute);
        if (!at) return E_INVALIDARG;
        common &= AttributesOf(*at, asked);
    }
    *attributes = common;
    return S_OK;
}

HRESULT IShellFolder::GetDisplayNameOf(LPCITEMIDLIST item, DWORD flags, STRRET* name) {
    if (!name) return E_INVALIDARG;
    LPITEMIDLIST absolute = Combine(item);
    auto at = absolute ? Locate(absolute) : std::nullopt;
    ILFree(absolute);
    if (!at) return E_INVALIDARG;
    name->uType = STRRET_WSTR;
    name->pOleStr = CopyToTaskMemory(DisplayNameOf(*at, flags));
    return name->pOleStr ? S_OK : E_OUTOFMEMORY;
}

HRESULT IShellFolder::SetNameOf(HWND, LPCITEMIDLIST item, const char* newName, DWORD, LPITEMIDLIST* renamed) {
    if (renamed) *renamed = nullptr;
    if (!newName || ILIsEmpty(item) || !ILIsEmpty(ILGetNext(item))) return E_INVALIDARG;
    LPITEMIDLIST absolute = Combine(item);
    auto at = absolute ? Locate(absolute) : std::nullopt;
    ILFree(absolute);
    std::string_view name(newName);
    if (!at || at->Kind != Location::Type::Entry || !ReadItemData(MakeItemData(ItemKind::Name, name)))
        return E_INVALIDARG;
    std::string target = JoinPath(ParentPath(at->Path), name);
    if (target != at->Path) {
        if (HRESULT hr = RenameNoReplace(at->Path, target); FAILED(hr)) return hr;
    }
    if (renamed) *renamed = ILCreateFromData(MakeItemData(ItemKind::Name, name));
    return S_OK;
}

HRESULT SHGetDesktopFolder(IShellFolderPtr* folder) {
    if (!folder) return E_INVALIDARG;
    static const IShellFolderPtr desktop = std::make_shared<IShellFolder>(nullptr);
    *folder = desktop;
    return S_OK;
}

HRESULT SHGetSpecialFolderLocation(HWND, int csidl, LPITEMIDLIST* list) {
    if (!list) return E_INVALIDARG;
    *list = nullptr;
    if (csidl == CSIDL_DESKTOP) {
        *list = ILCombine(nullptr, nullptr);
        return *list ? S_OK : E_OUTOFMEMORY;
    }
    if (csidl == CSIDL_DRIVES) return ParseAbsolutePath(kComputerParsingName, list);
    std::optional<std::string> path = SpecialFolderPath(csidl);
    if (!path) return E_INVALIDARG;
    if (path->empty() || !IsDirectory(*path)) return HRESULT_FILE_NOT_FOUND;
    return ParseAbsolutePath(*path, list);
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST list, char* path) {
    if (!path) return FALSE;
    path[0] = '\0';
    std::string text = PathFromIDList(list);
    if (text.empty() || text.size() >= size_t(MAX_PATH)) return FALSE;
    std::memcpy(path, text.c_str(), text.size() + 1);
    return TRUE;
}

std::uintptr_t SHGetFileInfo(const char* path, DWORD, SHFILEINFO* info, UINT, UINT flags) {
    if (!path && !(flags & SHGFI_PIDL)) return 0;
    LPITEMIDLIST parsed = nullptr;
    LPCITEMIDLIST list = reinterpret_cast<LPCITEMIDLIST>(path);
    if (!(flags & SHGFI_PIDL)) {
        if (FAILED(ParseAbsolutePath(path, &parsed))) return 0;
        list = parsed;
    }
    auto at = Locate(list);
    ILFree(parsed);
    if (!at) return 0;
    if (info) info->iIcon = IconOf(*at, flags & SHGFI_OPENICON);
    if (flags & SHGFI_SYSICONINDEX) return reinterpret_cast<std::uintptr_t>(SystemImageList());
    return 1;
}
