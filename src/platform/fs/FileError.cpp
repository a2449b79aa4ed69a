#include "platform/fs/FileError.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs {

FileError::FileError(std::string message, std::string path, int error)
    : std::runtime_error(std::move(message)), path_(std::move(path)), error_(error) {}

FileError FileError::CannotOpen(const std::string& path, int error) {
    return FileError("Cannot open file \"" + ExpandPath(path) + "\". " + SystemErrorText(error), path, error);
}

FileError FileError::CannotCreate(const std::string& path, int error) {
    return FileError("Cannot create file \"" + ExpandPath(path) + "\". " + SystemErrorText(error), path,
                     error);
}

std::string SystemErrorText(int error) {
    // Errors are also built on the scanner's worker threads, so the reentrant form is used; it
    // comes in a GNU flavour (returns the text) and an XSI one (fills the buffer).
    char buffer[256] = {};
#if defined(__GLIBC__) && defined(_GNU_SOURCE)
    return ::strerror_r(error, buffer, sizeof buffer);
#else
    if (::strerror_r(error, buffer, sizeof buffer) != 0) return "Unknown error " + std::to_string(error);
    return buffer;
#endif
}

std::string ExpandPath(const std::string& path) {
    std::filesystem::path p(path);
    std::string name = p.filename().string();
    // "/x" has the parent "/", so only a bare name has none.
    std::string folder = p.has_parent_path() ? p.parent_path().string() : std::string(".");
    if (!name.empty() && name != "." && name != "..") {
        char resolved[PATH_MAX];
        if (::realpath(folder.c_str(), resolved)) {
            std::string out = resolved;
            if (out.empty() || out.back() != '/') out += '/';
            return out + name;
        }
    }
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(p, ec);
    if (ec) return path;
    return absolute.lexically_normal().string();
}

} // namespace fs
