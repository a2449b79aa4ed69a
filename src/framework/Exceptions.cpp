#include "framework/Exceptions.h"

#include "platform/fs/FileError.h"

#include <cstring>
#include <filesystem>

namespace vcl {

std::string SysErrorMessage(int error) {
#ifdef _WIN32
    // The Windows build's error numbers are the system's own (GetLastError).
    return fs::SystemErrorText(error);
#else
    // strerror_r comes in two flavours; strerror is fine on the one user-interface thread.
    return std::strerror(error);
#endif
}

std::string ExpandFileName(const std::string& path) {
    if (path.empty()) {
        return path;
    }
#ifdef _WIN32
    // std::filesystem reads narrow paths in the ANSI code page there, not as UTF-8.
    return fs::ExpandPath(path);
#else
    std::error_code ec;
    auto full = std::filesystem::absolute(std::filesystem::path(path), ec);
    if (ec) {
        return path;
    }
    return full.lexically_normal().generic_string();
#endif
}

void RaiseFOpenError(const std::string& path, int error) {
    throw EFOpenError("Cannot open file \"" + ExpandFileName(path) + "\". " + SysErrorMessage(error));
}

void RaiseFCreateError(const std::string& path, int error) {
    throw EFCreateError("Cannot create file \"" + ExpandFileName(path) + "\". " + SysErrorMessage(error));
}

} // namespace vcl
