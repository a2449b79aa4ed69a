#include "platform/fs/File.h"

#include "platform/fs/FileError.h"
#include "platform/fs/Utf16.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <utility>

// The File object keeps a C runtime descriptor (the interface is shared with the Linux build);
// the Win32 handle behind it is reached with _get_osfhandle and closed with the descriptor.

namespace fs {
namespace {

// The primary read keeps writers out (FILE_SHARE_READ); a file some process holds open for
// writing fails it with a sharing violation. The fallback and the size let writers go on.
constexpr DWORD kPrimaryShare = FILE_SHARE_READ;
constexpr DWORD kWriterFriendlyShare = FILE_SHARE_READ | FILE_SHARE_WRITE;

HANDLE OpenOrThrow(const std::string& path, DWORD share, DWORD flags) {
    HANDLE h = ::CreateFileW(WidenPath(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL | flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw FileError::CannotOpen(path, int(::GetLastError()));
    return h;
}

struct HandleCloser {
    HANDLE h;
    ~HandleCloser() {
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    }
};

std::uint64_t SizeOrThrow(HANDLE h, const std::string& path) {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(h, &size)) throw FileError::CannotOpen(path, int(::GetLastError()));
    return std::uint64_t(size.QuadPart);
}

// Reads up to `length` bytes at `offset`; returns how many arrived (0 at the end of the file).
DWORD ReadSome(HANDLE h, std::uint64_t offset, char* buffer, std::size_t length, const std::string& path) {
    OVERLAPPED at{};
    at.Offset = DWORD(offset & 0xFFFFFFFFu);
    at.OffsetHigh = DWORD(offset >> 32);
    DWORD chunk = length > 0x40000000u ? 0x40000000u : DWORD(length);
    DWORD got = 0;
    if (!::ReadFile(h, buffer, chunk, &got, &at)) {
        DWORD error = ::GetLastError();
        if (error == ERROR_HANDLE_EOF) return 0;
        throw FileError::CannotOpen(path, int(error));
    }
    return got;
}

} // namespace

File File::Open(const std::string& path) {
    HandleCloser guard{OpenOrThrow(path, kPrimaryShare, FILE_FLAG_SEQUENTIAL_SCAN)};
    if (::GetFileType(guard.h) != FILE_TYPE_DISK)
        throw FileError::CannotOpen(path, ERROR_INVALID_FUNCTION); // no size to split by
    std::uint64_t size = SizeOrThrow(guard.h, path);
    int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(guard.h), _O_RDONLY | _O_BINARY);
    if (fd < 0) throw FileError::CannotOpen(path, ERROR_TOO_MANY_OPEN_FILES);
    guard.h = INVALID_HANDLE_VALUE; // the descriptor owns it now
    return File(path, fd, size);
}

File::File(File&& other) noexcept { *this = std::move(other); }

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::_close(fd_);
        path_ = std::move(other.path_);
        fd_ = std::exchange(other.fd_, -1);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

File::~File() {
    if (fd_ >= 0) ::_close(fd_);
}

void File::ReadAt(std::uint64_t offset, char* buffer, std::size_t length) const {
    HANDLE h = reinterpret_cast<HANDLE>(::_get_osfhandle(fd_));
    while (length > 0) {
        DWORD got = ReadSome(h, offset, buffer, length, path_);
        if (got == 0) throw FileError::CannotOpen(path_, ERROR_HANDLE_EOF); // shorter than when it was opened
        buffer += got;
        offset += got;
        length -= got;
    }
}

std::string ReadWholeFile(const std::string& path) {
    HandleCloser guard{OpenOrThrow(path, kWriterFriendlyShare, FILE_FLAG_SEQUENTIAL_SCAN)};
    // Read up to the size the file had when it was opened: a log the web server is still
    // writing is counted as it stood then, and a fast writer cannot keep the read going.
    std::uint64_t size = ::GetFileType(guard.h) == FILE_TYPE_DISK ? SizeOrThrow(guard.h, path) : 0;
    std::string buffer;
    buffer.resize(std::size_t(size));
    std::size_t used = 0;
    while (used < buffer.size()) {
        DWORD got = ReadSome(guard.h, used, buffer.data() + used, buffer.size() - used, path);
        if (got == 0) break; // it shrank meanwhile: keep what is there
        used += got;
    }
    buffer.resize(used);
    return buffer;
}

std::uint64_t GetFileSize(const std::string& path) {
    HandleCloser guard{OpenOrThrow(path, kWriterFriendlyShare, 0)};
    return SizeOrThrow(guard.h, path);
}

} // namespace fs
