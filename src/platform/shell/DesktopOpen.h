#pragma once
// Hands a web address or a file to the user's desktop, which opens it with the browser or the
// application the user chose for it (through `xdg-open`). The opener runs detached: the call
// returns as soon as it has been started, never waits for the browser, and leaves no child process
// behind to be reaped.

#include <string>
#include <string_view>

namespace shell {

enum class OpenStatus {
    Started,       // xdg-open runs; whether it finds an application is its own business
    EmptyTarget,   // nothing to open
    UnsafeTarget,  // a control character, or a leading "-" that the opener would take as an option
    OpenerMissing, // no executable xdg-open on PATH
    BadDirectory,  // the working directory cannot be entered
    StartFailed,   // the process could not be created or the program could not be run
};

struct OpenResult {
    OpenStatus Status = OpenStatus::Started;
    int Error = 0; // the errno behind BadDirectory and StartFailed

    explicit operator bool() const { return Status == OpenStatus::Started; }
};

// Opens `target` (a URL or a path) with the desktop's opener. The opener starts in `directory`
// when one is given, else in the current directory. The target is passed as one argument of an
// argument vector, so shell metacharacters in it mean nothing.
OpenResult OpenWithDesktop(std::string_view target, const std::string& directory = {});

// A sentence for the user: "The browser could not be started: xdg-open was not found."
std::string OpenResultText(const OpenResult& result);

// The full path of the executable `program` on the search path `searchPath` (a PATH value; empty
// entries mean the current directory, as the shells treat them). Empty when there is none.
std::string FindOnSearchPath(std::string_view program, std::string_view searchPath);

} // namespace shell
