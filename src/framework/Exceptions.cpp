#include "framework/Exceptions.h"

#include <cstring>
#include <filesystem>

namespace vcl {

std::string SysErrorMessage(int error) {
    // strerror_r comes in two flavours; strerror is fine on the one user-interface thread.
    return std::strerror(error);
}

std::string ExpandFileName(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::error_code ec;
    auto full = std::filesystem::absolute(std::filesystem::path(path), ec);
    if (ec) {
        return path;
    }
    return full.lexically_normal().generic_string();
}

void RaiseFOpenError(const std::string& path, int error) {
    throw EFOpenError("Cannot open file \"" + ExpandFileName(path) + "\". " + SysErrorMessage(error));
}

void RaiseFCreateError(const std::string& path, int error) {
    throw EFCreateError("Cannot create file \"" + ExpandFileName(path) + "\". " +
                        SysErrorMessage(error));
}

} // namespace vcl
