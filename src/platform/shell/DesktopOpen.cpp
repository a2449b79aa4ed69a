#include "platform/shell/DesktopOpen.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace shell {
namespace {

constexpr std::string_view kOpener = "xdg-open";
constexpr std::string_view kDefaultSearchPath = "/usr/local/bin:/usr/bin:/bin";

// What the detached grandchild reports through the status pipe before it runs the opener. Nothing
// arrives when the exec succeeds: the pipe is closed on exec and the parent reads end-of-file.
struct ChildFailure {
    int Stage; // kStageDirectory or kStageExec
    int Error;
};
constexpr int kStageDirectory = 1;
constexpr int kStageExec = 2;

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

void WriteAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        p += n;
        size -= size_t(n);
    }
}

// Runs in the grandchild, after fork: only async-signal-safe calls from here on. Its own session
// keeps the browser alive when the terminal that started this program closes or gets Ctrl-C.
[[noreturn]] void ExecOpener(const char* program, char* const argv[], const char* directory, int statusFd) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    sigaction(SIGPIPE, &dfl, nullptr);
    ::setsid();
    // Descriptors this program left inheritable (sockets, the display connection) are none of the
    // browser's business. The status pipe already closes on exec.
    ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    if (directory && ::chdir(directory) != 0) {
        ChildFailure failure{kStageDirectory, errno};
        WriteAll(statusFd, &failure, sizeof failure);
        ::_exit(127);
    }
    ::execve(program, argv, environ);
    ChildFailure failure{kStageExec, errno};
    WriteAll(statusFd, &failure, sizeof failure);
    ::_exit(127);
}

// Reads what the grandchild reported; end-of-file means the opener is running.
OpenResult ReadChildStatus(int fd) {
    ChildFailure failure{};
    size_t got = 0;
    while (got < sizeof failure) {
        ssize_t n = ::read(fd, reinterpret_cast<char*>(&failure) + got, sizeof failure - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += size_t(n);
    }
    if (got < sizeof failure) return {OpenStatus::Started, 0};
    return {failure.Stage == kStageDirectory ? OpenStatus::BadDirectory : OpenStatus::StartFailed,
            failure.Error};
}

void ReapChild(pid_t pid) {
    // ECHILD is fine: a program that ignores SIGCHLD has its children reaped by the kernel.
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

std::string FindOnSearchPath(std::string_view program, std::string_view searchPath) {
    if (program.find('/') != std::string_view::npos)
        return IsExecutableFile(std::string(program)) ? std::string(program) : std::string();
    size_t start = 0;
    while (start <= searchPath.size()) {
        size_t end = searchPath.find(':', start);
        if (end == std::string_view::npos) end = searchPath.size();
        std::string folder(searchPath.substr(start, end - start));
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + std::string(program);
        if (IsExecutableFile(candidate)) return candidate;
        start = end + 1;
    }
    return {};
}

OpenResult OpenWithDesktop(std::string_view target, const std::string& directory) {
    if (OpenStatus status = CheckOpenTarget(target); status != OpenStatus::Started) return {status, 0};
    const char* pathValue = std::getenv("PATH");
    std::string program = FindOnSearchPath(kOpener, pathValue ? pathValue : kDefaultSearchPath);
    if (program.empty()) return {OpenStatus::OpenerMissing, ENOENT};

    // Everything the children need is made here, before fork: after it only async-signal-safe
    // calls are allowed, because other threads may hold the allocator's locks.
    std::string argument(target);
    char* argv[] = {program.data(), argument.data(), nullptr};
    const char* dir = directory.empty() ? nullptr : directory.c_str();

    int status[2];
    if (::pipe2(status, O_CLOEXEC) != 0) return {OpenStatus::StartFailed, errno};

    // Two forks: the middle child exits at once and is reaped here, so the opener becomes the
    // init process's child and nothing is left for this program to wait for. No SIGCHLD handler
    // is installed, so the rest of the program sees no change in signal handling.
    pid_t middle = ::fork();
    if (middle < 0) {
        int error = errno;
        ::close(status[0]);
        ::close(status[1]);
        return {OpenStatus::StartFailed, error};
    }
    if (middle == 0) {
        ::close(status[0]);
        pid_t opener = ::fork();
        if (opener == 0) ExecOpener(program.c_str(), argv, dir, status[1]);
        if (opener < 0) {
            ChildFailure failure{kStageExec, errno};
            WriteAll(status[1], &failure, sizeof failure);
        }
        ::_exit(0);
    }
    ::close(status[1]);
    ReapChild(middle);
    OpenResult result = ReadChildStatus(status[0]);
    ::close(status[0]);
    return result;
}

} // namespace shell
