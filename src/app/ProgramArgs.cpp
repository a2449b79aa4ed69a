#include "app/ProgramArgs.h"

#include <ostream>

namespace app {
namespace {

constexpr const char* kUsage =
    "Usage: iislog [FOLDER]\n"
    "       iislog --help | --version\n"
    "Opens the crawler-log analysis window, with FOLDER in the folder box when it is given (else\n"
    "the last folder analysed). Without a display it prints the report of FOLDER (else of the\n"
    "bundled sample logs) instead.\n"
    "  --help     this text\n"
    "  --version  the program's version\n";

} // namespace

ProgramArgs ParseProgramArgs(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ProgramArgs parsed;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            out << kUsage;
            parsed.What = ProgramArgs::Action::PrintedAndExit;
            return parsed;
        } else if (!optionsEnded && arg == "--version") {
            out << "iislog " IISLOG_VERSION "\n";
            parsed.What = ProgramArgs::Action::PrintedAndExit;
            return parsed;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            err << "iislog: unknown option " << arg << "\n" << kUsage;
            parsed.What = ProgramArgs::Action::UsageError;
            return parsed;
        } else if (parsed.Folder) {
            err << "iislog: only one folder, please\n" << kUsage;
            parsed.What = ProgramArgs::Action::UsageError;
            return parsed;
        } else {
            parsed.Folder = arg;
        }
    }
    return parsed;
}

} // namespace app
