#pragma once
// The failure of a file service. Its text is the one the application shows to the user, so it is
// built here once: "Cannot open file "<expanded full path>". <the system's error text>".

#include <stdexcept>
#include <string>

namespace fs {

class FileError : public std::runtime_error {
public:
    FileError(std::string message, std::string path, int error);

    // The failure to open or read `path` with the system error `error` (an errno value).
    static FileError CannotOpen(const std::string& path, int error);
    // The failure to write `path`: "Cannot create file "<expanded full path>". <system text>".
    static FileError CannotCreate(const std::string& path, int error);

    // The path as the caller named it (not expanded) and the errno value behind the failure.
    const std::string& Path() const { return path_; }
    int ErrorCode() const { return error_; }

private:
    std::string path_;
    int error_;
};

// The system's text for an errno value ("No such file or directory").
std::string SystemErrorText(int error);

// The absolute, normalised form of `path` as the error texts show it: the folder resolved by the
// file system (realpath) and the last component kept as named, because the file itself may be a
// dangling link or already gone. Falls back to a lexical absolute path when the folder cannot be
// resolved either.
std::string ExpandPath(const std::string& path);

} // namespace fs
