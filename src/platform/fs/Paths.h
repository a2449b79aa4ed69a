#pragma once
// Questions about paths that the program asks of the file system, answered the same way on
// every system. Paths are UTF-8; "/" separates on both systems, "\" too on Windows.

#include <string>

namespace fs {

#ifdef _WIN32
constexpr const char* kPathSeparators = "/\\";
constexpr const char* kFileSystemRoot = "C:\\"; // the system drive's root, where a root is needed
#else
constexpr const char* kPathSeparators = "/";
constexpr const char* kFileSystemRoot = "/";
#endif

// The folder part of `path`: up to its last separator, the root kept whole ("/", "C:");
// empty when `path` has no separator.
std::string FolderOfPath(const std::string& path);

// Makes one folder; 0 or the system's error number.
int MakeFolder(const std::string& path);

// True when something (file, folder, anything) exists at `path`.
bool PathExists(const std::string& path);

// True when the program may create files in the folder `path`, or replace the file `path`.
bool CanWrite(const std::string& path);

// True for an absolute path ("/x" on Linux; "C:\x", "C:/x" or "\\server\share" on Windows).
bool IsAbsolutePath(const std::string& path);

// The user's home folder: $HOME, else the account's entry (Linux); %USERPROFILE% (Windows).
// `home` is the value of that variable, passed in so that callers can test the choice.
std::string HomeFolder(const char* home);

} // namespace fs
