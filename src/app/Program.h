#pragma once
// The program's start-up: the application object, its title, the main window, the message loop;
// or, without a display, the report on standard output.

#include "app/ProgramArgs.h"

#include <iosfwd>

namespace app {

// Runs the program for parsed arguments whose action is OpenWindow; returns the exit status.
int RunProgram(const ProgramArgs& args, std::ostream& out, std::ostream& err);

} // namespace app
