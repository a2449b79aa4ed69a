#include "platform/shell/ShellNamespace.h"

#include "platform/shell/ShellFolder.h"
#include "platform/shell/ShellItem.h"
#include "platform/shell/ShellNames.h"
#include "platform/shell/ShellSystem.h"

#include <cctype>

// The shell namespace of the Windows build, with the shape users know from the Windows shell:
//
//   Desktop
//   ├── Home                  (%USERPROFILE%)
//   ├── Computer
//   │   └── drives            (C:, D: … with their labels)
//   └── folders and files of the desktop folder
//
// A volume item holds its drive ("C:"), and paths are built with "\".

namespace shell {
namespace {

constexpr int kCsidlProfile = 0x28;
constexpr int kSubfolderScanEntries = 1024;

// System error numbers the namespace tells apart.
constexpr int kFileNotFound = 2, kPathNotFound = 3, kAccessDenied = 5, kNotEnoughMemory = 8,
              kWriteProtect = 19, kFileExists = 80, kInvalidName = 123, kAlreadyExists = 183;

HRESULT SystemResult(int error) {
    switch (error) {
    case kFileNotFound:
    case kPathNotFound:
    case kInvalidName: return HRESULT_FILE_NOT_FOUND;
    case kAccessDenied:
    case kWriteProtect: return HRESULT_ACCESS_DENIED;
    case kFileExists:
    case kAlreadyExists: return HRESULT_ALREADY_EXISTS;
    case kNotEnoughMemory: return E_OUTOFMEMORY;
    default: return E_FAIL;
    }
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

const win32::Drive* FindDrive(const std::vector<win32::Drive>& drives, std::string_view root) {
    for (const win32::Drive& d : drives)
        if (d.Root == root) return &d;
    return nullptr;
}

bool IsRemovable(const win32::Drive* drive) {
    return drive && (drive->Type == win32::DriveType::Removable || drive->Type == win32::DriveType::Optical);
}

bool OnNetworkDrive(const std::string& path) {
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return true; // \\server\share
    if (path.size() < 2 || path[1] != ':') return false;
    std::vector<win32::Drive> drives = win32::Drives();
    const win32::Drive* drive = FindDrive(drives, path.substr(0, 2));
    return drive && drive->Type == win32::DriveType::Network;
}

} // namespace

const std::string_view kPathSeparators = "\\/";

std::string JoinPath(const std::string& folder, std::string_view name) {
    if (!folder.empty() && IsSeparator(folder.back())) return folder + std::string(name);
    return folder + "\\" + std::string(name);
}

std::string ParentPath(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return path;
    if (slash <= 2) return path.substr(0, slash + 1); // "C:\"
    return path.substr(0, slash);
}

bool IsDirectory(const std::string& path) {
    win32::PathInfo info = win32::Inspect(path);
    return info.Exists && info.Folder;
}

HRESULT CheckExists(const std::string& path) {
    win32::PathInfo info = win32::Inspect(path);
    return info.Exists ? S_OK : SystemResult(info.Error);
}

bool IsRelativePath(std::string_view text) {
    return !text.empty() && !IsSeparator(text[0]) && text.find(':') == std::string_view::npos;
}

HRESULT RenameNoReplace(const std::string& from, const std::string& to) {
    int error = win32::RenameNoReplace(from, to);
    return error ? SystemResult(error) : S_OK;
}

std::string HomePath() { return win32::KnownFolder(kCsidlProfile); }

std::string DesktopPath() {
    std::string desktop = win32::KnownFolder(CSIDL_DESKTOPDIRECTORY);
    return IsDirectory(desktop) ? desktop : std::string();
}

// "C:" becomes "C:\", the form the system reads as the drive's root.
std::string VolumePath(std::string_view root) { return std::string(root) + "\\"; }

std::vector<std::string> Volumes() {
    std::vector<std::string> out;
    for (const win32::Drive& drive : win32::Drives())
        out.push_back(drive.Root);
    return out;
}

// "C:\a\b" (or "c:/a/b"); relative, drive-relative ("C:x") and UNC paths are not items here.
HRESULT ParseSystemPath(std::string_view text, LPITEMIDLIST* list) {
    if (text.size() < 2 || text[1] != ':' || !std::isalpha(static_cast<unsigned char>(text[0])) ||
        (text.size() > 2 && !IsSeparator(text[2])))
        return E_INVALIDARG;
    std::string root = std::string(1, char(std::toupper(static_cast<unsigned char>(text[0])))) + ":";
    auto names = SplitNames(text.substr(2), kPathSeparators);
    if (!names) return E_INVALIDARG;
    std::string path = VolumePath(root);
    for (const std::string& name : *names)
        path = JoinPath(path, name);
    if (HRESULT hr = CheckExists(path); FAILED(hr)) return hr;
    LPITEMIDLIST result = AppendItem(nullptr, ItemKind::Virtual, kComputerItem);
    result = result ? AppendItem(result, ItemKind::Volume, root) : nullptr;
    for (std::size_t i = 0; result && i < names->size(); ++i)
        result = AppendItem(result, ItemKind::Name, (*names)[i]);
    *list = result;
    return result ? S_OK : E_OUTOFMEMORY;
}

HRESULT ListFolder(const std::string& folder, bool folders, bool others, bool hidden,
                   std::vector<std::string>& names) {
    std::vector<win32::Entry> entries;
    int error = 0;
    if (!win32::ListFolder(folder, entries, error)) return SystemResult(error);
    for (const win32::Entry& entry : entries)
        if ((hidden || !entry.Hidden) && (entry.Folder ? folders : others)) names.push_back(entry.Name);
    return S_OK;
}

std::optional<std::string> SpecialFolderPath(int csidl) {
    switch (csidl) {
    case CSIDL_PERSONAL:
    case CSIDL_DESKTOPDIRECTORY:
    case CSIDL_TEMPLATES:
    case CSIDL_APPDATA: return win32::KnownFolder(csidl);
    default: return std::nullopt; // the recycle bin has no folder of its own here
    }
}

// "Data (D:)" as Explorer shows a drive with a label; "D:" without.
std::string VolumeDisplayName(const std::string& root) {
    std::vector<win32::Drive> drives = win32::Drives(true);
    const win32::Drive* drive = FindDrive(drives, root);
    if (drive && !drive->Label.empty()) return drive->Label + " (" + root + ")";
    return root;
}

// Drives by letter.
int CompareVolumes(std::string_view a, std::string_view b) { return CompareNatural(a, b); }

bool HasSubfolder(const std::string& path) {
    if (OnNetworkDrive(path)) return true; // never wait on the network just to draw a tree
    return win32::HasSubfolder(path, kSubfolderScanEntries);
}

ULONG VolumeAttributes(const Location& at, ULONG asked) {
    std::vector<win32::Drive> drives = win32::Drives();
    ULONG bits = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_DROPTARGET;
    if (IsRemovable(FindDrive(drives, at.Volume)))
        bits |= SFGAO_REMOVABLE | SFGAO_HASSUBFOLDER; // not looked into: the medium may be missing
    else if ((asked & SFGAO_HASSUBFOLDER) && HasSubfolder(at.Path)) bits |= SFGAO_HASSUBFOLDER;
    return bits;
}

ULONG EntryAttributes(const Location& at, ULONG asked) {
    win32::PathInfo info = win32::Inspect(at.Path);
    if (!info.Exists) return 0;
    ULONG bits = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_HASPROPSHEET;
    if (info.Link) bits |= SFGAO_LINK;
    if (info.Folder) bits |= SFGAO_FOLDER;
    if (info.Hidden) bits |= SFGAO_HIDDEN;
    if (info.ReadOnly) bits |= SFGAO_READONLY;
    // The access lists decide the rest; the tree only offers what they may allow.
    bits |= (SFGAO_CANRENAME | SFGAO_CANMOVE | SFGAO_CANDELETE) & asked;
    if (info.Folder) bits |= SFGAO_DROPTARGET & asked;
    if (info.Folder && (asked & SFGAO_HASSUBFOLDER) && HasSubfolder(at.Path)) bits |= SFGAO_HASSUBFOLDER;
    return bits;
}

int VolumeIcon(const std::string& root) {
    std::vector<win32::Drive> drives = win32::Drives();
    const win32::Drive* drive = FindDrive(drives, root);
    if (IsRemovable(drive)) return kIconRemovable;
    if (drive && drive->Type == win32::DriveType::Network) return kIconNetwork;
    return kIconDisk;
}

void SetMountSources(std::string, std::string) {} // the drives come from the system itself

} // namespace shell
