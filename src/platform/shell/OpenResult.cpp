#include "platform/shell/OpenResult.h"

#include "platform/fs/FileError.h"

namespace shell {
namespace {

#ifdef _WIN32
constexpr std::string_view kOpenerMissing = "no application is associated with it.";
#else
constexpr std::string_view kOpenerMissing = "xdg-open was not found.";
#endif

} // namespace

OpenStatus CheckOpenTarget(std::string_view target) {
    if (target.empty()) return OpenStatus::EmptyTarget;
    if (target.front() == '-') return OpenStatus::UnsafeTarget;
    for (unsigned char c : target)
        if (c < 0x20 || c == 0x7f) return OpenStatus::UnsafeTarget;
    return OpenStatus::Started;
}

std::string OpenResultText(const OpenResult& result) {
    const std::string lead = "The browser could not be started: ";
    switch (result.Status) {
    case OpenStatus::Started: return "The browser was started.";
    case OpenStatus::EmptyTarget: return lead + "there is no address to open.";
    case OpenStatus::UnsafeTarget:
        return lead + "the address holds characters that cannot be passed on safely.";
    case OpenStatus::OpenerMissing: return lead + std::string(kOpenerMissing);
    case OpenStatus::BadDirectory:
        return lead + "the working folder cannot be entered. " + fs::SystemErrorText(result.Error);
    case OpenStatus::StartFailed: return lead + fs::SystemErrorText(result.Error);
    }
    return lead;
}

} // namespace shell
