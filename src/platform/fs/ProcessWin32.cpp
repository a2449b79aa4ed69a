#include "platform/fs/Process.h"

#include "platform/fs/Utf16.h"

#include <windows.h>
#include <shellapi.h>

namespace fs {

std::string ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return Narrow(path);
        }
        path.resize(path.size() * 2); // a long path: try again with more room
    }
}

std::vector<std::string> CommandLineArguments(int, char**) {
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide) return args;
    for (int i = 1; i < count; ++i)
        args.push_back(Narrow(wide[i]));
    ::LocalFree(wide);
    return args;
}

void UseUtf8Console() { ::SetConsoleOutputCP(CP_UTF8); }

} // namespace fs
