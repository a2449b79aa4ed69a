#include "platform/fs/Descriptor.h"

#include "platform/fs/Utf16.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

// A Win32 file handle kept as a C runtime descriptor, so the interface stays the POSIX one;
// every operation goes to the handle behind it.

namespace fs {
namespace {

DWORD ShareMode(Share share) {
    switch (share) {
    case Share::Exclusive: return 0;
    case Share::DenyWrite: return FILE_SHARE_READ;
    case Share::DenyRead: return FILE_SHARE_WRITE;
    case Share::DenyNone: break;
    }
    return FILE_SHARE_READ | FILE_SHARE_WRITE;
}

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); }

constexpr DWORD kChunk = 0x40000000u;

} // namespace

int OpenDescriptor(const std::string& path, Access access, Share share, bool create, int& error) {
    DWORD rights = access == Access::Read    ? GENERIC_READ
                   : access == Access::Write ? GENERIC_WRITE
                                             : GENERIC_READ | GENERIC_WRITE;
    if (create) rights = GENERIC_READ | GENERIC_WRITE;
    HANDLE h = ::CreateFileW(WidenPath(path).c_str(), rights, ShareMode(share), nullptr,
                             create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = int(::GetLastError());
        return -1;
    }
    int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(h);
        error = ERROR_TOO_MANY_OPEN_FILES;
    }
    return fd;
}

void CloseDescriptor(int fd) { ::_close(fd); }

std::int64_t ReadDescriptor(int fd, void* buffer, std::int64_t count) {
    std::int64_t total = 0;
    auto* out = static_cast<unsigned char*>(buffer);
    while (total < count) {
        DWORD chunk = count - total > kChunk ? kChunk : DWORD(count - total);
        DWORD n = 0;
        if (!::ReadFile(HandleOf(fd), out + total, chunk, &n, nullptr) || n == 0) break;
        total += n;
    }
    return total;
}

std::int64_t WriteDescriptor(int fd, const void* buffer, std::int64_t count) {
    std::int64_t total = 0;
    const auto* in = static_cast<const unsigned char*>(buffer);
    while (total < count) {
        DWORD chunk = count - total > kChunk ? kChunk : DWORD(count - total);
        DWORD n = 0;
        if (!::WriteFile(HandleOf(fd), in + total, chunk, &n, nullptr) || n == 0) break;
        total += n;
    }
    return total;
}

std::int64_t SeekDescriptor(int fd, std::int64_t offset, SeekFrom from) {
    DWORD method = from == SeekFrom::Begin ? FILE_BEGIN : from == SeekFrom::Current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    if (!::SetFilePointerEx(HandleOf(fd), distance, &result, method)) return -1;
    return result.QuadPart;
}

bool TruncateDescriptor(int fd, std::int64_t size, int& error) {
    std::int64_t position = SeekDescriptor(fd, 0, SeekFrom::Current);
    if (SeekDescriptor(fd, size, SeekFrom::Begin) < 0 || !::SetEndOfFile(HandleOf(fd))) {
        error = int(::GetLastError());
        return false;
    }
    SeekDescriptor(fd, position, SeekFrom::Begin);
    return true;
}

} // namespace fs
