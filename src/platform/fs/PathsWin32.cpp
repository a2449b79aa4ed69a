#include "platform/fs/Paths.h"

#include "platform/fs/Utf16.h"

#include <windows.h>

namespace fs {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Whether a new file can be made in `folder`: the access lists decide on Windows, and asking
// them beforehand is unreliable (the read-only attribute means nothing on folders), so a file
// is created and deleted at once.
bool CanCreateIn(const std::string& folder) {
    std::wstring probe = WidenPath(folder);
    if (!probe.empty() && probe.back() != L'\\') probe += L'\\';
    probe += L"iislog-write-probe-" + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
    HANDLE h = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(h);
    return true;
}

} // namespace

bool PathExists(const std::string& path) {
    return ::GetFileAttributesW(WidenPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CanWrite(const std::string& path) {
    DWORD attributes = ::GetFileAttributesW(WidenPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return CanCreateIn(path);
    if (attributes & FILE_ATTRIBUTE_READONLY) return false;
    HANDLE h = ::CreateFileW(WidenPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(h);
    return true;
}

std::string FolderOfPath(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return {};
    if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1); // "\" or "C:\"
    return path.substr(0, slash);
}

int MakeFolder(const std::string& path) {
    return ::CreateDirectoryW(WidenPath(path).c_str(), nullptr) ? 0 : int(::GetLastError());
}

bool IsAbsolutePath(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) return true;
    return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

std::string HomeFolder(const char* home) {
    if (home != nullptr && *home != '\0') return home;
    wchar_t buffer[MAX_PATH];
    DWORD n = ::GetEnvironmentVariableW(L"USERPROFILE", buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? Narrow(std::wstring_view(buffer, n)) : std::string("C:\\");
}

} // namespace fs
