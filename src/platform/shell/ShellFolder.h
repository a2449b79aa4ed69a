#pragma once
// The shell namespace over the Linux file system, with the Windows shell's interface names:
//
//   Desktop
//   ├── Home                  ($HOME)
//   ├── Computer
//   │   ├── File System       (/)
//   │   └── volumes           (removable media, other disks, network shares)
//   └── folders and files of the XDG desktop directory
//
// Below a volume, the home folder or the desktop directory, an item is one name of the file
// system. Identifier lists are built from three kinds of item (ShellItem.h), so a list can be
// stored, compared byte by byte and turned back into a path without asking the file system.
//
// IShellFolder is bound to one folder item and answers for its children; objects are shared
// through IShellFolderPtr (the reference counting of the original interfaces). Everything here
// runs on the caller's thread and never waits on the network: has-subfolders is not looked up
// on network volumes, and elsewhere the look is bounded.

#include "platform/shell/ShellTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {
struct Window;
} // namespace ui
using HWND = ui::Window*;

// Enumerates the children of one folder, one relative identifier list at a time.
class IEnumIDList {
public:
    explicit IEnumIDList(std::vector<std::string> items) : items_(std::move(items)) {}
    // Returns S_OK while it delivers `count` items (each a new list for the caller to free),
    // S_FALSE when fewer were left.
    HRESULT Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched);
    HRESULT Reset();

private:
    std::vector<std::string> items_; // item data in the file system's order
    size_t at_ = 0;
};

class IShellFolder;
using IShellFolderPtr = std::shared_ptr<IShellFolder>;

class IShellFolder {
public:
    explicit IShellFolder(LPCITEMIDLIST absolute);
    ~IShellFolder();
    IShellFolder(const IShellFolder&) = delete;
    IShellFolder& operator=(const IShellFolder&) = delete;

    // An absolute path (on the desktop folder) or a path relative to this folder into a list
    // relative to this folder. "//", "." and a trailing "/" are normalised and ".." steps back;
    // symbolic links are not resolved. The item must exist.
    HRESULT ParseDisplayName(HWND owner, const char* name, ULONG* eaten, LPITEMIDLIST* list,
                             ULONG* attributes);
    HRESULT EnumObjects(HWND owner, DWORD flags, std::unique_ptr<IEnumIDList>* items);
    HRESULT BindToObject(LPCITEMIDLIST relative, IShellFolderPtr* folder);
    // The low 16 bits of the result carry the sign of the order; 0 means the same item.
    HRESULT CompareIDs(LPARAM column, LPCITEMIDLIST a, LPCITEMIDLIST b);
    // `*attributes` holds the asked bits on entry and the bits common to all items on return.
    HRESULT GetAttributesOf(UINT count, LPCITEMIDLIST* items, ULONG* attributes);
    HRESULT GetDisplayNameOf(LPCITEMIDLIST item, DWORD flags, STRRET* name);
    // Renames a file-system item; the new relative list is returned in `renamed` (may be null).
    HRESULT SetNameOf(HWND owner, LPCITEMIDLIST item, const char* name, DWORD flags, LPITEMIDLIST* renamed);
    // Views and context menus do not exist on this platform.
    HRESULT CreateViewObject(HWND, IShellFolderPtr*) { return E_NOTIMPL; }
    HRESULT GetUIObjectOf(HWND, UINT, LPCITEMIDLIST*, IShellFolderPtr*) { return E_NOTIMPL; }

    LPCITEMIDLIST AbsoluteID() const { return absolute_; }

private:
    LPITEMIDLIST Combine(LPCITEMIDLIST relative) const;
    LPITEMIDLIST absolute_;
};

HRESULT SHGetDesktopFolder(IShellFolderPtr* folder);
// The absolute list of a special folder: the desktop, Computer, and the XDG folders standing in
// for personal (documents), desktop directory, templates, application data (config) and the
// recycle bin (the trash's files). A folder that does not exist, or any other CSIDL, fails.
HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, LPITEMIDLIST* list);
// The file-system path of an absolute list into `path` (MAX_PATH bytes); FALSE and an empty
// text when the item has none or the path does not fit.
BOOL SHGetPathFromIDList(LPCITEMIDLIST list, char* path);

// Icons of the small system image list, in the order of its images.
enum ShellIcon {
    kIconFile,
    kIconFolder,
    kIconFolderOpen,
    kIconDesktop,
    kIconComputer,
    kIconDisk,
    kIconRemovable,
    kIconNetwork,
    kIconHome,
    kShellIconCount
};
// With SHGFI_PIDL, `path` is an absolute list; else a path. With SHGFI_SYSICONINDEX, the item's
// index in the system image list goes to `info->iIcon` and the image list (HIMAGELIST) is
// returned; 0 on failure. This platform has only small icons.
std::uintptr_t SHGetFileInfo(const char* path, DWORD fileAttributes, SHFILEINFO* info, UINT size, UINT flags);

namespace shell {

// The file-system path of an absolute list, of any length; empty when it has none.
std::string PathFromIDList(LPCITEMIDLIST list);

// Where the mounted volumes and their labels are read from: /proc/self/mountinfo and
// /dev/disk/by-label unless a test points elsewhere.
void SetMountSources(std::string mountInfo, std::string labelFolder);

} // namespace shell
