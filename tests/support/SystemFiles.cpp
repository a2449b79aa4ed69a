#include "SystemFiles.h"

#include <filesystem>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#include <winioctl.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

void MakeSparseFile(const std::string& path, const std::string& head, std::uint64_t size) {
#ifdef _WIN32
    // The C runtime's descriptors have 32-bit offsets: the size is set through the handle.
    HANDLE h = ::CreateFileW(std::filesystem::path(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
    DWORD unused = 0;
    // Best effort: a file system without sparse files writes the zeros.
    ::DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
    DWORD written = 0;
    LARGE_INTEGER end;
    end.QuadPart = LONGLONG(size);
    bool ok = ::WriteFile(h, head.data(), DWORD(head.size()), &written, nullptr) && written == head.size() &&
              ::SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(h);
    ::CloseHandle(h);
#else
    int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + path);
    bool ok = ::write(fd, head.data(), head.size()) == ssize_t(head.size()) &&
              ::ftruncate(fd, off_t(size)) == 0;
    ::close(fd);
#endif
    if (!ok) throw std::runtime_error("cannot extend " + path);
}

UnreadableFile::UnreadableFile(const std::string& path) {
#ifdef _WIN32
    HANDLE h = ::CreateFileW(std::filesystem::path(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
    handle_ = h;
#else
    std::filesystem::create_symlink(path + ".gone", path);
#endif
}

UnreadableFile::~UnreadableFile() {
#ifdef _WIN32
    ::CloseHandle(static_cast<HANDLE>(handle_));
#endif
}
