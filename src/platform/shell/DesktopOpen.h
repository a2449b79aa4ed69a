#pragma once
// Hands a web address or a file to the user's desktop, which opens it with the browser or the
// application the user chose for it (through `xdg-open`). The opener runs detached: the call
// returns as soon as it has been started, never waits for the browser, and leaves no child process
// behind to be reaped.

#include "platform/shell/OpenResult.h"

#include <string>
#include <string_view>

namespace shell {

// Opens `target` (a URL or a path) with the desktop's opener. The opener starts in `directory`
// when one is given, else in the current directory. The target is passed as one argument of an
// argument vector, so shell metacharacters in it mean nothing.
OpenResult OpenWithDesktop(std::string_view target, const std::string& directory = {});

// The full path of the executable `program` on the search path `searchPath` (a PATH value; empty
// entries mean the current directory, as the shells treat them). Empty when there is none.
std::string FindOnSearchPath(std::string_view program, std::string_view searchPath);

} // namespace shell
