// iislog: the crawler-log tool.
#include "app/ProgramArgs.h"
#include "app/ReportCommand.h"
#include "app/SampleReport.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    app::ProgramArgs args = app::ParseProgramArgs(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    if (args.What == app::ProgramArgs::Action::PrintedAndExit)
        return 0;
    if (args.What == app::ProgramArgs::Action::UsageError)
        return 2;
    // FIXME: start the skinned main window here once it is built; until then the program always
    // takes its no-display path, and says which of the two reasons applies.
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        std::cerr << "No display found; printing the report of " << (args.Folder ? "the folder" : "the sample logs")
                  << " instead.\n";
    } else {
        std::cerr << "The main window is not built yet; printing the report of "
                  << (args.Folder ? "the folder" : "the sample logs") << " instead.\n";
    }
    if (args.Folder)
        return app::PrintReport(*args.Folder, app::ReportStyle::Tab, true, std::cout, std::cerr);
    return app::PrintSampleReport(std::cout, std::cerr);
}
