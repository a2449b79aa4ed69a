#include "skin/shell/qvShellFolder.h"

#include "platform/fs/FindFiles.h"
#include "platform/fs/Paths.h"
#include "platform/shell/IdList.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string_view>

namespace qv {
namespace {

struct RootRow {
    std::string_view Name;
    int Csidl;
};
// clang-format off
constexpr std::array<RootRow, 23> kRoots = {{
    {"rfDesktop", 0}, {"rfMyComputer", 17}, {"rfNetwork", 18}, {"rfRecycleBin", 10}, {"rfAppData", 26},
    {"rfCommonDesktopDirectory", 25}, {"rfCommonPrograms", 23}, {"rfCommonStartMenu", 22},
    {"rfCommonStartup", 24}, {"rfControlPanel", 3}, {"rfDesktopDirectory", 16}, {"rfFavorites", 6},
    {"rfFonts", 20}, {"rfInternet", 1}, {"rfPersonal", 5}, {"rfPrinters", 4}, {"rfPrintHood", 27},
    {"rfPrograms", 2}, {"rfRecent", 8}, {"rfSendTo", 9}, {"rfStartMenu", 11}, {"rfStartup", 7},
    {"rfTemplates", 21},
}};
// clang-format on

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string UpperExtension(const std::string& path) {
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of(fs::kPathSeparators);
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot);
    for (char& c : ext)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return ext;
}

void Check(HRESULT hr) {
    if (FAILED(hr))
        throw vcl::Exception("The shell namespace failed (error " + std::to_string(std::uint32_t(hr)) + ").");
}

std::unique_ptr<TqvShellFolder>& DesktopObject() {
    static std::unique_ptr<TqvShellFolder> desktop;
    return desktop;
}
bool creatingDesktop = false;

} // namespace

std::string FormatMessage(const char* format, const std::string& argument) {
    std::string text = format;
    size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, argument);
    return text;
}

int RootFolderCSIDL(TRootFolder root) { return kRoots[size_t(root)].Csidl; }

bool RootFolderFromName(const std::string& name, TRootFolder& root) {
    for (size_t i = 0; i < kRoots.size(); ++i)
        if (SameTextAscii(kRoots[i].Name, name)) {
            root = TRootFolder(i);
            return true;
        }
    return false;
}

PItemIDList NextID(PItemIDList item) { return ILGetNext(item); }
int IDListItemCount(PItemIDList list) { return ILItemCount(list); }
int IDListSize(PItemIDList list) { return int(ILGetSize(list)); }
PItemIDList CopyIDList(PItemIDList list) {
    PItemIDList copy = NewIDList(IDListSize(list));
    if (list) std::memcpy(copy, list, size_t(IDListSize(list)));
    return copy;
}
PItemIDList ConcatIDLists(PItemIDList a, PItemIDList b) {
    PItemIDList list = ILCombine(a, b);
    if (!list) throw vcl::EOutOfResources("Out of memory while building an item identifier list.");
    return list;
}
void StripLastID(PItemIDList list) {
    if (list) ILRemoveLastID(list);
}
std::vector<PItemIDList> IDListPrefixes(PItemIDList list) {
    std::vector<PItemIDList> prefixes;
    int count = IDListItemCount(list);
    for (int n = 1; n <= count; ++n) {
        PItemIDList prefix = CopyIDList(list);
        while (IDListItemCount(prefix) > n)
            StripLastID(prefix);
        prefixes.push_back(prefix);
    }
    return prefixes;
}
void FreeIDList(PItemIDList list) { SHFree(list); }
PItemIDList NewIDList(int size) {
    auto* list = static_cast<PItemIDList>(SHAlloc(size_t(size > 2 ? size : 2)));
    if (!list) throw vcl::EOutOfResources("Out of memory while building an item identifier list.");
    return list;
}

std::string StrRetToString(PItemIDList list, STRRET& name) {
    switch (name.uType) {
    case STRRET_WSTR: {
        std::string text = name.pOleStr ? name.pOleStr : "";
        SHFree(name.pOleStr);
        name.pOleStr = nullptr;
        return text;
    }
    case STRRET_OFFSET: {
        // The text lies inside the list's first item and ends with the item (or a NUL).
        if (!list || name.uOffset >= ILGetSize(list)) return {};
        std::string_view item(reinterpret_cast<const char*>(list),
                              ILIsEmpty(list) ? 0 : *reinterpret_cast<USHORT*>(list));
        if (name.uOffset >= item.size()) return {};
        std::string_view text = item.substr(name.uOffset);
        return std::string(text.substr(0, text.find('\0')));
    }
    case STRRET_CSTR: return std::string(name.cStr, strnlen(name.cStr, sizeof name.cStr));
    }
    return {};
}

IShellFolderPtr DesktopShellFolder() {
    IShellFolderPtr desktop;
    Check(SHGetDesktopFolder(&desktop));
    if (!desktop) throw vcl::Exception("The shell namespace has no desktop.");
    return desktop;
}

TqvShellFolder* DesktopFolder() {
    auto& desktop = DesktopObject();
    if (!desktop) {
        PItemIDList list = nullptr;
        Check(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &list));
        creatingDesktop = true;
        desktop = std::make_unique<TqvShellFolder>(nullptr, DesktopShellFolder(), list);
        creatingDesktop = false;
        FreeIDList(list);
    }
    return desktop.get();
}

TqvShellFolder::TqvShellFolder(TqvShellFolder* parent, IShellFolderPtr shellFolder, PItemIDList relativeID)
    : relativeID_(CopyIDList(relativeID)), parentFolder_(parent), shellFolder_(std::move(shellFolder)) {
    if (parent) {
        absoluteID_ = ConcatIDLists(parent->AbsoluteID(), relativeID_);
    } else {
        PItemIDList desktop = nullptr;
        Check(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop));
        absoluteID_ = ConcatIDLists(desktop, relativeID_);
        FreeIDList(desktop);
        if (!creatingDesktop) parentFolder_ = DesktopFolder();
    }
}

TqvShellFolder::~TqvShellFolder() {
    FreeIDList(relativeID_);
    FreeIDList(absoluteID_);
}

IShellFolderPtr TqvShellFolder::ParentShellFolder() const {
    if (parentFolder_ && parentFolder_->ShellFolder()) return parentFolder_->ShellFolder();
    return DesktopShellFolder();
}

ULONG TqvShellFolder::Attributes(ULONG mask) const {
    ULONG bits = mask;
    LPCITEMIDLIST item = relativeID_;
    if (FAILED(ParentShellFolder()->GetAttributesOf(1, &item, &bits))) return 0;
    return bits;
}

bool TqvShellFolder::IsFolder() const {
    if (!(Attributes(SFGAO_FOLDER) & SFGAO_FOLDER)) return false;
    // An archive the shell shows as a folder is opened as a file. Only a real file is one: a
    // directory that happens to be named "x.zip" stays a folder.
    std::string path = FileSystemPath();
    return !(UpperExtension(path) == ".ZIP" && !fs::DirectoryExists(path));
}

bool TqvShellFolder::HasSubFolders() const { return Attributes(SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER; }

std::string TqvShellFolder::FileSystemPath() const { return shell::PathFromIDList(absoluteID_); }

std::string TqvShellFolder::CleanName(std::string name, PItemIDList list,
                                      const IShellFolderPtr& folder) const {
    if (name.rfind("::{", 0) == 0) {
        // A virtual folder's class identifier means nothing to a user: its normal name instead.
        STRRET normal;
        if (SUCCEEDED(folder->GetDisplayNameOf(list, SHGDN_NORMAL, &normal)))
            name = StrRetToString(list, normal);
    }
    if (name.size() > 1 && name[0] == '?' && name[1] >= '0' && name[1] <= '9')
        name.erase(std::remove(name.begin(), name.end(), '?'), name.end());
    return name;
}

std::string TqvShellFolder::DisplayName() const {
    bool desktop = this == DesktopObject().get();
    IShellFolderPtr folder = desktop ? DesktopShellFolder() : ParentShellFolder();
    if (!folder) return "parentfolder = nil";
    STRRET name;
    if (FAILED(folder->GetDisplayNameOf(relativeID_, SHGDN_INFOLDER, &name))) return {};
    return CleanName(StrRetToString(relativeID_, name), relativeID_, folder);
}

std::string TqvShellFolder::PathName() const {
    IShellFolderPtr desktop = DesktopShellFolder();
    STRRET name;
    if (FAILED(desktop->GetDisplayNameOf(absoluteID_, SHGDN_FORPARSING, &name))) return {};
    return CleanName(StrRetToString(absoluteID_, name), absoluteID_, desktop);
}

int TqvShellFolder::IconIndex(bool open) const {
    SHFILEINFO info;
    UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    SHGetFileInfo(reinterpret_cast<const char*>(absoluteID_), 0, &info, sizeof info, flags);
    return info.iIcon;
}

bool TqvShellFolder::Rename(const std::string& newName) {
    if (!(Capabilities() & scRename)) return false;
    PItemIDList renamed = nullptr;
    if (FAILED(ParentShellFolder()->SetNameOf(nullptr, relativeID_, newName.c_str(), 0, &renamed)) ||
        !renamed)
        throw vcl::Exception(FormatMessage(SRenameFailed, newName));
    FreeIDList(relativeID_);
    FreeIDList(absoluteID_);
    relativeID_ = renamed;
    absoluteID_ = parentFolder_ ? ConcatIDLists(parentFolder_->AbsoluteID(), relativeID_)
                                : CopyIDList(relativeID_);
    return true;
}

TShellCapabilities TqvShellFolder::Capabilities() const {
    ULONG bits = Attributes(0x177);
    TShellCapabilities caps = 0;
    if (bits & SFGAO_CANCOPY) caps |= scCopy;
    if (bits & SFGAO_CANDELETE) caps |= scDelete;
    if (bits & SFGAO_CANLINK) caps |= scLink;
    if (bits & SFGAO_CANMOVE) caps |= scMove;
    if (bits & SFGAO_CANRENAME) caps |= scRename;
    if (bits & SFGAO_DROPTARGET) caps |= scDropTarget;
    if (bits & SFGAO_HASPROPSHEET) caps |= scPropSheet;
    return caps;
}

IShellFolderPtr BindShellFolder(const IShellFolderPtr& parent, PItemIDList relative, HWND window) {
    // `relative` names a child of `parent`. The desktop reads a list as one from itself, so it
    // is asked only when there is no parent: asked for a file's list, it would bind whatever
    // folder of the desktop directory happens to carry that name.
    if (!parent) {
        IShellFolderPtr folder;
        if (FAILED(DesktopShellFolder()->BindToObject(relative, &folder))) folder = nullptr;
        return folder;
    }
    IShellFolderPtr folder;
    if (FAILED(parent->BindToObject(relative, &folder))) folder = nullptr;
    if (!folder) {
        IShellFolderPtr fallback;
        LPCITEMIDLIST item = relative;
        if (SUCCEEDED(parent->GetUIObjectOf(window, 1, &item, &fallback)) && fallback) folder = fallback;
        if (SUCCEEDED(parent->CreateViewObject(window, &fallback)) && fallback) folder = fallback;
    }
    return folder;
}

TqvShellFolder* FolderFromIDList(PItemIDList absolute) {
    IShellFolderPtr desktop = DesktopShellFolder();
    IShellFolderPtr folder = BindShellFolder(desktop, absolute, nullptr);
    if (!folder) folder = desktop;
    return new TqvShellFolder(DesktopFolder(), folder, absolute);
}

TqvShellFolder* FolderFromRootName(TqvShellFolder* oldFolder, const std::string& oldRootName,
                                   std::string& rootName) {
    TRootFolder root;
    PItemIDList list = nullptr;
    HRESULT hr;
    if (RootFolderFromName(rootName, root)) {
        hr = SHGetSpecialFolderLocation(nullptr, RootFolderCSIDL(root), &list);
    } else if (rootName.empty()) {
        hr = E_INVALIDARG;
    } else {
        if (rootName.back() == ':')
            rootName += '\\'; // a bare drive name; no such thing here, so it fails as a path
        hr = DesktopShellFolder()->ParseDisplayName(nullptr, rootName.c_str(), nullptr, &list, nullptr);
    }
    if (FAILED(hr) || !list) {
        std::string failing = rootName;
        rootName = oldRootName;
        throw EInvalidPath(FormatMessage(SErrorSettingPath, failing));
    }
    TqvShellFolder* folder = FolderFromIDList(list);
    FreeIDList(list);
    delete oldFolder;
    return folder;
}

bool SameIDList(PItemIDList a, PItemIDList b) { return DesktopShellFolder()->CompareIDs(0, a, b) == 0; }

} // namespace qv
