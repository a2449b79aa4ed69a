#include "platform/shell/ShellSystem.h"

#include "platform/fs/Utf16.h"

#include <windows.h>
#include <shlobj.h>

namespace shell::win32 {
namespace {

struct FindCloser {
    HANDLE handle;
    ~FindCloser() {
        if (handle != INVALID_HANDLE_VALUE) ::FindClose(handle);
    }
};

std::wstring Query(const std::string& folder) {
    std::wstring query = fs::WidenPath(folder);
    if (query.empty() || query.back() != L'\\') query += L'\\';
    return query + L'*';
}

} // namespace

std::vector<Drive> Drives(bool labels) {
    std::vector<Drive> drives;
    DWORD mask = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        Drive drive;
        drive.Root = std::string(1, char('A' + i)) + ":";
        std::wstring root = fs::Widen(drive.Root) + L"\\";
        switch (::GetDriveTypeW(root.c_str())) {
        case DRIVE_FIXED:
        case DRIVE_RAMDISK: drive.Type = DriveType::Fixed; break;
        case DRIVE_REMOVABLE: drive.Type = DriveType::Removable; break;
        case DRIVE_CDROM: drive.Type = DriveType::Optical; break;
        case DRIVE_REMOTE: drive.Type = DriveType::Network; break;
        default: drive.Type = DriveType::Other; break;
        }
        if (labels && drive.Type == DriveType::Fixed) {
            wchar_t label[MAX_PATH + 1] = {};
            if (::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                                        0))
                drive.Label = fs::Narrow(label);
        }
        drives.push_back(std::move(drive));
    }
    return drives;
}

bool ListFolder(const std::string& folder, std::vector<Entry>& out, int& error) {
    WIN32_FIND_DATAW data;
    FindCloser find{::FindFirstFileExW(Query(folder).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH)};
    if (find.handle == INVALID_HANDLE_VALUE) {
        error = int(::GetLastError());
        return error == ERROR_FILE_NOT_FOUND; // an empty drive root has not even "."
    }
    do {
        std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        out.push_back(Entry{fs::Narrow(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                            (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
    } while (::FindNextFileW(find.handle, &data));
    return true;
}

bool HasSubfolder(const std::string& folder, int limit) {
    WIN32_FIND_DATAW data;
    FindCloser find{::FindFirstFileExW(Query(folder).c_str(), FindExInfoBasic, &data,
                                       FindExSearchLimitToDirectories, nullptr, 0)};
    if (find.handle == INVALID_HANDLE_VALUE) return false;
    int seen = 0;
    do {
        std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return true;
        if (++seen > limit) return true; // give up looking: the tree finds out when it opens the folder
    } while (::FindNextFileW(find.handle, &data));
    return false;
}

PathInfo Inspect(const std::string& path) {
    PathInfo info;
    DWORD attributes = ::GetFileAttributesW(fs::WidenPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        info.Error = int(::GetLastError());
        return info;
    }
    info.Exists = true;
    info.Folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.Hidden = (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    info.ReadOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    info.Link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    return info;
}

int RenameNoReplace(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
    if (::MoveFileExW(fs::WidenPath(from).c_str(), fs::WidenPath(to).c_str(), 0)) return 0;
    return int(::GetLastError());
}

std::string KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return fs::Narrow(path);
}

std::intptr_t OpenChangeNotification(const std::string& folder, bool subtree, unsigned long filter) {
    HANDLE h = ::FindFirstChangeNotificationW(fs::WidenPath(folder).c_str(), subtree ? TRUE : FALSE, filter);
    return h == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<std::intptr_t>(h);
}

bool NextChangeNotification(std::intptr_t handle) {
    return ::FindNextChangeNotification(reinterpret_cast<HANDLE>(handle)) != 0;
}

std::intptr_t CreateWakeEvent() {
    HANDLE h = ::CreateEventW(nullptr, FALSE, FALSE, nullptr); // auto-reset: a wait takes it
    return reinterpret_cast<std::intptr_t>(h);
}

void RaiseWakeEvent(std::intptr_t event) { ::SetEvent(reinterpret_cast<HANDLE>(event)); }

void CloseSystemHandle(std::intptr_t handle) {
    if (handle) ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}

int WaitForEither(std::intptr_t first, std::intptr_t second) {
    HANDLE handles[2] = {reinterpret_cast<HANDLE>(first), reinterpret_cast<HANDLE>(second)};
    DWORD result = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    if (result == WAIT_OBJECT_0 || result == WAIT_OBJECT_0 + 1) return int(result - WAIT_OBJECT_0);
    return -1;
}

} // namespace shell::win32
