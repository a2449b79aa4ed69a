#include "platform/fs/Descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs {

int OpenDescriptor(const std::string& path, Access access, Share, bool create, int& error) {
    int flags = O_CLOEXEC;
    if (create) flags |= O_RDWR | O_CREAT | O_TRUNC;
    else flags |= access == Access::Write ? O_WRONLY : access == Access::ReadWrite ? O_RDWR : O_RDONLY;
    int fd = ::open(path.c_str(), flags, 0666);
    if (fd >= 0) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            fd = -1;
            errno = EISDIR;
        }
    }
    if (fd < 0) error = errno;
    return fd;
}

void CloseDescriptor(int fd) { ::close(fd); }

std::int64_t ReadDescriptor(int fd, void* buffer, std::int64_t count) {
    std::int64_t total = 0;
    auto* out = static_cast<unsigned char*>(buffer);
    while (total < count) {
        ssize_t n = ::read(fd, out + total, std::size_t(count - total));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        total += n;
    }
    return total;
}

std::int64_t WriteDescriptor(int fd, const void* buffer, std::int64_t count) {
    std::int64_t total = 0;
    const auto* in = static_cast<const unsigned char*>(buffer);
    while (total < count) {
        ssize_t n = ::write(fd, in + total, std::size_t(count - total));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        total += n;
    }
    return total;
}

std::int64_t SeekDescriptor(int fd, std::int64_t offset, SeekFrom from) {
    int whence = from == SeekFrom::Begin ? SEEK_SET : from == SeekFrom::Current ? SEEK_CUR : SEEK_END;
    off_t result = ::lseek(fd, off_t(offset), whence);
    return result < 0 ? -1 : std::int64_t(result);
}

bool TruncateDescriptor(int fd, std::int64_t size, int& error) {
    if (::ftruncate(fd, off_t(size)) == 0) return true;
    error = errno;
    return false;
}

} // namespace fs
