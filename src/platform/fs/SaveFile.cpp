#include "platform/fs/SaveFile.h"

#include "platform/fs/FileError.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs {
namespace {

// A link is written through: the file it names is replaced, not the link.
std::string ResolveLink(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// Creates a new file beside `target` whose name nobody else uses; returns its descriptor.
int CreateTemporary(const std::string& target, std::string& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(std::size_t(written));
    }
    return true;
}

} // namespace

void SaveFileAtomically(const std::string& path, std::string_view content) {
    const std::string target = ResolveLink(path);
    std::string temporary;
    int fd = CreateTemporary(target, temporary);
    if (fd < 0) throw FileError::CannotCreate(path, errno);

    struct stat old;
    bool ok = (::stat(target.c_str(), &old) != 0 || ::fchmod(fd, old.st_mode & 07777) == 0) &&
              WriteAll(fd, content) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        throw FileError::CannotCreate(path, error);
    }
}

void CreateFolders(const std::string& path) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) == 0) return;
    std::size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) CreateFolders(path.substr(0, slash));
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) throw FileError::CannotCreate(path, errno);
}

} // namespace fs
