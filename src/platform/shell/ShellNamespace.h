#pragma once
// The system's side of the shell namespace. ShellFolder.cpp implements the shell interfaces
// (ShellFolder.h) once, over the questions below, which each system answers on its own file
// system: ShellNamespace.cpp on Linux (the mount table, the XDG folders, "/" paths) and
// ShellNamespaceWin32.cpp on Windows (the drives, the known folders, "\" paths).
//
// A volume is named by the text of its item (ShellItem.h): its mount point on Linux, its drive
// ("C:") on Windows.

#include "platform/shell/ShellTypes.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// The parsing name Windows gives "Computer"; callers show the normal name for it instead.
constexpr std::string_view kComputerParsingName = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

// What an absolute identifier list stands for.
struct Location {
    enum class Type { Desktop, Home, Computer, Volume, Entry } Kind = Type::Desktop;
    std::string Path;   // its file-system path; empty for Computer and a desktop without folder
    std::string Volume; // the volume of a Volume item
    std::string Name;   // the last name of an Entry
};

// --- Paths ---
// The characters that separate names in a path.
extern const std::string_view kPathSeparators;
std::string JoinPath(const std::string& folder, std::string_view name);
std::string ParentPath(const std::string& path);
bool IsDirectory(const std::string& path);
// S_OK when something is there (links are not followed), else why not.
HRESULT CheckExists(const std::string& path);
// Whether `text` may name something below a folder: not absolute, on no drive.
bool IsRelativePath(std::string_view text);
// Renames without ever replacing an existing item (a rename in a tree must not delete anything).
HRESULT RenameNoReplace(const std::string& from, const std::string& to);

// --- The namespace's places ---
// The home folder; empty when there is none.
std::string HomePath();
// The desktop folder; empty when there is none.
std::string DesktopPath();
// The folder at the top of the volume.
std::string VolumePath(std::string_view volume);
// The volumes of Computer, in the system's order.
std::vector<std::string> Volumes();
// The absolute list of an absolute path of this system, through Computer and its volume.
HRESULT ParseSystemPath(std::string_view text, LPITEMIDLIST* list);
// The names in `folder` of the asked kinds; fails with why the folder cannot be listed.
HRESULT ListFolder(const std::string& folder, bool folders, bool others, bool hidden,
                   std::vector<std::string>& names);
// The folder of a special folder (CSIDL) other than the desktop and Computer: empty when the
// user has none, nothing when this system knows no such folder.
std::optional<std::string> SpecialFolderPath(int csidl);

// --- What the namespace shows ---
std::string VolumeDisplayName(const std::string& volume);
// Order of two volumes of Computer: <0, 0 or >0.
int CompareVolumes(std::string_view a, std::string_view b);
// Whether the folder holds a folder; a look that would wait on the network says yes.
bool HasSubfolder(const std::string& path);
// The attributes (SFGAO_*) of a volume and of an entry; `asked` says which of the costly ones to
// look up.
ULONG VolumeAttributes(const Location& at, ULONG asked);
ULONG EntryAttributes(const Location& at, ULONG asked);
int VolumeIcon(const std::string& volume);

} // namespace shell
