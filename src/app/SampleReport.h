#pragma once
// The program's no-display fallback: the report of the bundled sample logs.

#include <iosfwd>
#include <string>

namespace app {

// The bundled samples/logs folder: beside the executable's source tree when run from a build
// folder (build/<preset>/src/app), then next to an installed program, else the source tree the
// program was built from.
std::string SampleLogFolder();

// Prints the report of SampleLogFolder() with the captions; returns the exit status as
// PrintReport does.
int PrintSampleReport(std::ostream& out, std::ostream& err);

} // namespace app
