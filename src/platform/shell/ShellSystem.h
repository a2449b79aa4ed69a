#pragma once
// What the Windows build's shell namespace asks of the system: the drives, the entries of a
// folder, one path's attributes, renaming, and the known folders. Plain types only, so that the
// namespace (which declares the shell's Windows names itself) never sees <windows.h>. Paths are
// UTF-8 with "\" separators; errors are the system's numbers (GetLastError).
// Windows only.

#include <cstdint>
#include <string>
#include <vector>

namespace shell::win32 {

enum class DriveType { Fixed, Removable, Optical, Network, Other };

struct Drive {
    std::string Root; // "C:"
    DriveType Type = DriveType::Fixed;
    std::string Label; // the volume label; empty when it has none or the drive holds no medium
};

// The drives in letter order (GetLogicalDrives). With `labels`, the labels of fixed drives are
// read too (not of removable or network drives: that may wait for the medium or the network).
std::vector<Drive> Drives(bool labels = false);

struct Entry {
    std::string Name;
    bool Folder = false;
    bool Hidden = false; // the hidden or system attribute
};

// The entries of `folder` ("." and ".." never); false with `error` when it cannot be listed.
bool ListFolder(const std::string& folder, std::vector<Entry>& out, int& error);

// Whether `folder` holds a folder, looking at no more than `limit` entries (then: yes).
bool HasSubfolder(const std::string& folder, int limit);

struct PathInfo {
    bool Exists = false, Folder = false, Hidden = false, ReadOnly = false, Link = false;
    int Error = 0; // why it does not exist
};
PathInfo Inspect(const std::string& path);

// Renames without ever replacing an existing item; 0 or the system's error.
int RenameNoReplace(const std::string& from, const std::string& to);

// The path of a special folder by its CSIDL number; empty when the system has none.
std::string KnownFolder(int csidl);

// Change notifications and wake-up events as plain handle values (0: none).
std::intptr_t OpenChangeNotification(const std::string& folder, bool subtree, unsigned long filter);
bool NextChangeNotification(std::intptr_t handle);
std::intptr_t CreateWakeEvent();
void RaiseWakeEvent(std::intptr_t event);
void CloseSystemHandle(std::intptr_t handle);
// Waits until one of the two handles is signalled: 0 or 1 for the one that was, -1 on failure.
int WaitForEither(std::intptr_t first, std::intptr_t second);

} // namespace shell::win32
