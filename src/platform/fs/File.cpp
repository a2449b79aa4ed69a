#include "platform/fs/File.h"

#include "platform/fs/FileError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace fs {
namespace {

int OpenOrThrow(const std::string& path) {
    // Non-blocking: a FIFO put in a file's place after the folder was listed must not hang the
    // open. Reads of regular files ignore the flag.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) throw FileError::CannotOpen(path, errno);
    return fd;
}

// Closes the descriptor on every way out of a function that only borrows it.
struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

struct stat StatOrThrow(int fd, const std::string& path) {
    struct stat st;
    if (::fstat(fd, &st) != 0) throw FileError::CannotOpen(path, errno);
    return st;
}

} // namespace

File File::Open(const std::string& path) {
    int fd = OpenOrThrow(path);
    FdCloser guard{fd};
    struct stat st = StatOrThrow(fd, path);
    if (S_ISDIR(st.st_mode)) throw FileError::CannotOpen(path, EISDIR);
    if (!S_ISREG(st.st_mode))
        throw FileError::CannotOpen(path, ESPIPE); // no size to split by: the fallback reads it
    // One front-to-back pass follows, possibly in two halves at once.
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    guard.fd = -1;
    return File(path, fd, std::uint64_t(st.st_size));
}

File::File(File&& other) noexcept { *this = std::move(other); }

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        path_ = std::move(other.path_);
        fd_ = std::exchange(other.fd_, -1);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

File::~File() {
    if (fd_ >= 0) ::close(fd_);
}

void File::ReadAt(std::uint64_t offset, char* buffer, std::size_t length) const {
    while (length > 0) {
        ssize_t got = ::pread(fd_, buffer, length, off_t(offset));
        if (got < 0) {
            if (errno == EINTR) continue;
            throw FileError::CannotOpen(path_, errno);
        }
        if (got == 0) throw FileError::CannotOpen(path_, EIO); // shorter than when it was opened
        buffer += got;
        offset += std::uint64_t(got);
        length -= std::size_t(got);
    }
}

std::string ReadWholeFile(const std::string& path) {
    int fd = OpenOrThrow(path);
    FdCloser guard{fd};
    struct stat st = StatOrThrow(fd, path);
    if (S_ISDIR(st.st_mode)) throw FileError::CannotOpen(path, EISDIR);
    // A regular file is read up to the size it had when it was opened: a log the web server is
    // still writing is counted as it stood then, and a fast writer cannot keep the read going.
    // Files without a size (the kernel's own report 0, pipes) are read to their end.
    bool bounded = S_ISREG(st.st_mode) && st.st_size > 0;
    std::string buffer;
    buffer.resize(bounded ? std::size_t(st.st_size) : 0);
    std::size_t used = 0;
    char probe[64 * 1024];
    for (;;) {
        bool full = used == buffer.size();
        if (full && bounded) break;
        char* target = full ? probe : buffer.data() + used;
        std::size_t room = full ? sizeof probe : buffer.size() - used;
        ssize_t got = ::read(fd, target, room);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw FileError::CannotOpen(path, errno);
        }
        if (got == 0) break;
        if (full) buffer.append(probe, std::size_t(got));
        used += std::size_t(got);
    }
    buffer.resize(used);
    return buffer;
}

std::uint64_t GetFileSize(const std::string& path) {
    int fd = OpenOrThrow(path);
    FdCloser guard{fd};
    return std::uint64_t(StatOrThrow(fd, path).st_size);
}

} // namespace fs
