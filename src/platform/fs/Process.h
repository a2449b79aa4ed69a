#pragma once
// What the running program knows about itself: where its executable is and how it was called.
// Texts are UTF-8 on every system (the Windows build converts from the wide command line).

#include <string>
#include <vector>

namespace fs {

// The full path of the running executable; empty when the system cannot tell.
std::string ExecutablePath();

// The program's arguments after its name, as UTF-8. On Linux these are argv as given; on
// Windows argv is in the ANSI code page, so the wide command line is split instead.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Makes the console (when there is one) show the UTF-8 text the program prints.
void UseUtf8Console();

} // namespace fs
