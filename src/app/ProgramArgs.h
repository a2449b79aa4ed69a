#pragma once
// The command line of `iislog`: an optional folder to open the window on, or --help, --version.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace app {

struct ProgramArgs {
    enum class Action { OpenWindow, PrintedAndExit, UsageError };
    Action What = Action::OpenWindow;
    // The folder to put into the folder box; none keeps the remembered one.
    std::optional<std::string> Folder;
};

// Reads the arguments (without the program name). --help and --version print to `out`; a usage
// error prints its reason and the usage to `err`. The exit status that goes with PrintedAndExit
// is 0, with UsageError 2.
ProgramArgs ParseProgramArgs(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace app
