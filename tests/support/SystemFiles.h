#pragma once
// The files and paths that tests about failures and sizes need, made the way each system allows,
// so that one test body holds on Linux and on Windows:
//   NativePath       a path as the system writes it (Windows: "\" between the parts)
//   MakeSparseFile   a file of any 64-bit size that takes (almost) no disk space
//   UnreadableFile   a log file that the folder listing shows but no read can open
//   UnwritableFolder a folder in which nothing can be created, not even by root / Administrator
//   SystemError      the system's error numbers the tests expect (errno values, Windows codes)
// The implementation (SystemFiles.cpp) is the only part that sees <windows.h>: tests include our
// own declarations of the Windows API, which clash with the system's.

#include "TempFolder.h"

#include <cerrno>
#include <cstdint>
#include <string>

namespace SystemError {
#ifdef _WIN32
constexpr int kNoFile = 2;    // ERROR_FILE_NOT_FOUND
constexpr int kNoFolder = 3;  // ERROR_PATH_NOT_FOUND: Windows tells a missing folder on the way
constexpr int kIsAFolder = 5; // ERROR_ACCESS_DENIED: Windows opens no folder as a file
constexpr int kInUse = 32;    // ERROR_SHARING_VIOLATION
#else
constexpr int kNoFile = ENOENT;
constexpr int kNoFolder = ENOENT;
constexpr int kIsAFolder = EISDIR;
#endif
} // namespace SystemError

// `path` with the system's own separator: the form the file dialogs and the error texts use.
inline std::string NativePath(std::string path) {
#ifdef _WIN32
    for (char& c : path)
        if (c == '/') c = '\\';
#endif
    return path;
}

// Writes `head` to a new file `path` and extends it with zero bytes to `size`. The extension is
// sparse (a hole on Linux, FSCTL_SET_SPARSE on NTFS), so sizes beyond 4 GB cost nothing. Throws
// std::runtime_error when the file cannot be made.
void MakeSparseFile(const std::string& path, const std::string& head, std::uint64_t size);

// A file `path` that a folder listing shows but that no read opens. Linux: a dangling symbolic
// link (chmod 000 does not stop root). Windows: a file another process holds open without
// sharing it, as backup and antivirus programs do.
class UnreadableFile {
public:
    explicit UnreadableFile(const std::string& path);
    ~UnreadableFile();
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

    // The system error a read of the file meets.
#ifdef _WIN32
    static constexpr int kError = SystemError::kInUse;
#else
    static constexpr int kError = ENOENT;
#endif

private:
    [[maybe_unused]] void* handle_ = nullptr; // Windows: the holding handle (unused on Linux)
};

// A folder (its path ends in a separator) in which no file or folder can be created, whoever the
// user is. Linux: the kernel's per-process folder, which refuses new entries even to root.
// Windows has no folder that refuses the Administrator (and Wine runs as the Linux user, maybe
// root): there it is a path that passes through a regular file.
class UnwritableFolder {
public:
    UnwritableFolder() {
#ifdef _WIN32
        path_ = temp_.Write("file", "a file, not a folder") + "/";
#else
        path_ = "/proc/self/";
#endif
    }
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
#ifdef _WIN32
    TempFolder temp_;
#endif
    std::string path_;
};
