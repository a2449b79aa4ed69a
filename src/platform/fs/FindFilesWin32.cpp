#include "platform/fs/FindFiles.h"

#include "platform/fs/Utf16.h"

#include <windows.h>

namespace fs {
namespace {

// The attribute mask of the search: read-only, hidden, system, volume label, directory and
// archive. An entry is skipped only when it carries one of the special attributes (hidden,
// system, volume label, directory) that the mask leaves out; with all six in it, every entry of
// the folder is seen, hidden and system files included.
constexpr DWORD kAttributeMask = 0x3F;
constexpr DWORD kSpecialAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x08 /* volume label */ |
                                     FILE_ATTRIBUTE_DIRECTORY;

bool Excluded(DWORD attributes) { return (attributes & ~kAttributeMask & kSpecialAttributes) != 0; }

struct FindCloser {
    HANDLE handle;
    ~FindCloser() {
        if (handle != INVALID_HANDLE_VALUE) ::FindClose(handle);
    }
};

} // namespace

std::vector<FindEntry> FindFiles(const std::string& folder, std::string_view pattern) {
    std::vector<FindEntry> entries;
    // The empty folder text gives "\<pattern>": the root of the current drive.
    std::wstring query = WidenPath(folder) + L"\\" + Widen(pattern);
    WIN32_FIND_DATAW data;
    FindCloser find{
        ::FindFirstFileExW(query.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0)};
    if (find.handle == INVALID_HANDLE_VALUE)
        return entries; // missing folder, no match, bad path: all alike to the callers
    do {
        std::string name = Narrow(data.cFileName);
        if (name == "." || name == ".." || Excluded(data.dwFileAttributes)) continue;
        // The system also matches the generated short names ("report.log1" is "REPORT~1.LOG"),
        // which would count files that do not end in ".log": the long name must match too.
        if (!MatchesWildcard(pattern, name)) continue;
        entries.push_back(
            FindEntry{std::move(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, false});
    } while (::FindNextFileW(find.handle, &data));
    return entries;
}

bool DirectoryExists(const std::string& path) {
    DWORD attributes = ::GetFileAttributesW(WidenPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace fs
