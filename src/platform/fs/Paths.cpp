#include "platform/fs/Paths.h"

#include <pwd.h>
#include <unistd.h>

namespace fs {

bool PathExists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

bool CanWrite(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

bool IsAbsolutePath(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string HomeFolder(const char* home) {
    if (home != nullptr && *home != '\0')
        return home;
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
}

} // namespace fs
