#pragma once
// What became of handing a web address or a file to the desktop's opener (DesktopOpen.h), the
// same on every system: the checks a target passes before any opener sees it, and the sentence
// that tells the user.

#include <string>
#include <string_view>

namespace shell {

enum class OpenStatus {
    Started,       // the opener runs; whether it finds an application is its own business
    EmptyTarget,   // nothing to open
    UnsafeTarget,  // a control character, or a leading "-" that the opener would take as an option
    OpenerMissing, // no opener (xdg-open on Linux) or no application associated with the target
    BadDirectory,  // the working directory cannot be entered
    StartFailed,   // the process could not be created or the program could not be run
};

struct OpenResult {
    OpenStatus Status = OpenStatus::Started;
    int Error = 0; // the system's error behind BadDirectory and StartFailed

    explicit operator bool() const { return Status == OpenStatus::Started; }
};

// EmptyTarget or UnsafeTarget for a target no opener may be given; Started for one it may.
OpenStatus CheckOpenTarget(std::string_view target);

// A sentence for the user: "The browser could not be started: xdg-open was not found."
std::string OpenResultText(const OpenResult& result);

} // namespace shell
