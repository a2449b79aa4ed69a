#include "platform/fs/SaveFile.h"

#include "platform/fs/FileError.h"
#include "platform/fs/Utf16.h"

#include <windows.h>

#include <atomic>
#include <utility>

namespace fs {
namespace {

struct HandleCloser {
    HANDLE h;
    ~HandleCloser() {
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    }
};

// Creates a new file beside `target` whose name nobody else uses.
HANDLE CreateTemporary(const std::wstring& target, std::wstring& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + L".tmp-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
               std::to_wstring(counter++);
        HANDLE h = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
        if (h != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return h;
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE h, std::string_view content) {
    while (!content.empty()) {
        DWORD chunk = content.size() > 0x40000000u ? 0x40000000u : DWORD(content.size());
        DWORD written = 0;
        if (!::WriteFile(h, content.data(), chunk, &written, nullptr)) return false;
        content.remove_prefix(written);
    }
    return true;
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

} // namespace

void SaveFileAtomically(const std::string& path, std::string_view content) {
    const std::wstring target = WidenPath(path);
    std::wstring temporary;
    HandleCloser file{CreateTemporary(target, temporary)};
    if (file.h == INVALID_HANDLE_VALUE) throw FileError::CannotCreate(path, int(::GetLastError()));

    bool ok = WriteAll(file.h, content) && ::FlushFileBuffers(file.h);
    DWORD error = ok ? 0 : ::GetLastError();
    ::CloseHandle(std::exchange(file.h, INVALID_HANDLE_VALUE));
    // One step from the old content to the new: the replaced file is never seen half written.
    if (ok && !::MoveFileExW(temporary.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        error = ::GetLastError();
    }
    if (!ok) {
        ::DeleteFileW(temporary.c_str());
        throw FileError::CannotCreate(path, int(error));
    }
}

void CreateFolders(const std::string& path) {
    std::wstring wide = WidenPath(path);
    while (!wide.empty() && IsSeparator(wide.back()) && wide.size() > 3)
        wide.pop_back();
    if (wide.empty() || ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    std::size_t slash = wide.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > 0) CreateFolders(Narrow(wide.substr(0, slash)));
    if (!::CreateDirectoryW(wide.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        throw FileError::CannotCreate(Narrow(wide), int(::GetLastError()));
}

} // namespace fs
