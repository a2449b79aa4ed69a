#include "platform/fs/FileError.h"

#include "platform/fs/Utf16.h"

#include <windows.h>

namespace fs {

FileError::FileError(std::string message, std::string path, int error)
    : std::runtime_error(std::move(message)), path_(std::move(path)), error_(error) {}

FileError FileError::CannotOpen(const std::string& path, int error) {
    return FileError("Cannot open file \"" + ExpandPath(path) + "\". " + SystemErrorText(error), path, error);
}

FileError FileError::CannotCreate(const std::string& path, int error) {
    return FileError("Cannot create file \"" + ExpandPath(path) + "\". " + SystemErrorText(error), path,
                     error);
}

// On Windows the error numbers are the system's (GetLastError), and so is their text.
std::string SystemErrorText(int error) {
    wchar_t* buffer = nullptr;
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, DWORD(error), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (n == 0 || !buffer) return "System error code: " + std::to_string(error);
    std::wstring text(buffer, n);
    ::LocalFree(buffer);
    // The system's texts end with a line break (and usually a full stop before it).
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return Narrow(text);
}

std::string ExpandPath(const std::string& path) {
    std::wstring wide = WidenPath(path);
    DWORD n = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::wstring full(n, L'\0');
    n = ::GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    if (n == 0 || n >= full.size()) return path;
    full.resize(n);
    return Narrow(full);
}

} // namespace fs
