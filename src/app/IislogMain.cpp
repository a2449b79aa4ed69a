// iislog: the crawler-log tool.
#include "app/Program.h"
#include "app/ProgramArgs.h"

#include <iostream>

int main(int argc, char** argv) {
    app::ProgramArgs args = app::ParseProgramArgs(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                                  std::cerr);
    if (args.What == app::ProgramArgs::Action::PrintedAndExit) return 0;
    if (args.What == app::ProgramArgs::Action::UsageError) return 2;
    return app::RunProgram(args, std::cout, std::cerr);
}
