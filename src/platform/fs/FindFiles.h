#pragma once
// Folder enumeration with a wildcard, standing in for the find-first/find-next of the Windows build.
// Every entry of the folder is seen, hidden dot-files included; matching ignores letter case the
// way the Windows file system does, so "A.LOG" matches "*.log". Subfolders are reported (with
// IsDirectory set) but never searched. The empty folder text names the root "/", as the empty
// text names the current drive's root on Windows.

#include <string>
#include <string_view>
#include <vector>

namespace fs {

struct FindEntry {
    std::string Name; // the entry's name as the file system holds it
    bool IsDirectory; // a directory, or a link to one
    // A FIFO, socket or device, or a link to one: reading it may block or never end. A dangling
    // link is neither this nor a directory.
    bool IsSpecialFile = false;
};

// Matches `name` against `pattern`, where "*" stands for any run of bytes and "?" for one
// character (one UTF-8 code point); other bytes compare without regard to ASCII letter case.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// The entries of `folder` whose names match `pattern`, in the order the file system yields them
// ("." and ".." never). A folder that cannot be read gives an empty list, as a failing first find
// does on Windows: the callers treat "missing" and "empty" alike.
std::vector<FindEntry> FindFiles(const std::string& folder, std::string_view pattern);

// True when `path` names a directory (following links).
bool DirectoryExists(const std::string& path);

} // namespace fs
