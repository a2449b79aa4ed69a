#include "platform/fs/Paths.h"

#include <cerrno>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs {

bool PathExists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

bool CanWrite(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

std::string FolderOfPath(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

int MakeFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0 ? 0 : errno; }

bool IsAbsolutePath(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string HomeFolder(const char* home) {
    if (home != nullptr && *home != '\0') return home;
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
}

} // namespace fs
