#include "platform/shell/DesktopOpen.h"

#include "platform/fs/Utf16.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

// On Windows the desktop's opener is the shell itself: ShellExecuteW with the "open" verb hands
// a URL to the default browser and a file to the application associated with it.

namespace shell {

OpenResult OpenWithDesktop(std::string_view target, const std::string& directory) {
    if (OpenStatus status = CheckOpenTarget(target); status != OpenStatus::Started) return {status, 0};
    if (!directory.empty()) {
        DWORD attributes = ::GetFileAttributesW(fs::WidenPath(directory).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return {OpenStatus::BadDirectory,
                    attributes == INVALID_FILE_ATTRIBUTES ? int(::GetLastError()) : int(ERROR_DIRECTORY)};
    }
    std::wstring file = fs::Widen(target);
    std::wstring folder = fs::WidenPath(directory);
    auto code = reinterpret_cast<std::intptr_t>(::ShellExecuteW(
        nullptr, L"open", file.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL));
    if (code > 32) return {OpenStatus::Started, 0};
    if (code == SE_ERR_NOASSOC || code == SE_ERR_ASSOCINCOMPLETE)
        return {OpenStatus::OpenerMissing, int(code)};
    return {OpenStatus::StartFailed, code == 0 ? int(ERROR_NOT_ENOUGH_MEMORY) : int(code)};
}

std::string FindOnSearchPath(std::string_view program, std::string_view searchPath) {
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t end = searchPath.find(';', start);
        if (end == std::string_view::npos) end = searchPath.size();
        std::string folder(searchPath.substr(start, end - start));
        if (folder.empty()) folder = ".";
        for (const char* suffix : {"", ".exe"}) {
            std::string candidate = folder + "\\" + std::string(program) + suffix;
            DWORD attributes = ::GetFileAttributesW(fs::WidenPath(candidate).c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

} // namespace shell
