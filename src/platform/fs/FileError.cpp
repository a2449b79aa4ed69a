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

std::string SystemErrorText(int error) {
    // strerror_r comes in a GNU and an XSI flavour; strerror is fine here because every error text
    // is built on the thread that reports it and copied at once.
    return std::strerror(error);
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
            if (out.empty() || out.back() != '/')
                out += '/';
            return out + name;
        }
    }
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(p, ec);
    if (ec)
        return path;
    return absolute.lexically_normal().string();
}

} // namespace fs
