#include "platform/fs/Process.h"

#include <climits>
#include <unistd.h>

namespace fs {

std::string ExecutablePath() {
    char exe[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    return n > 0 ? std::string(exe, std::size_t(n)) : std::string();
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

void UseUtf8Console() {} // terminals take UTF-8 as it is

} // namespace fs
