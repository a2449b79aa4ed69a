// iislog: the crawler-log tool.
#include "app/SampleReport.h"

#include <cstdlib>
#include <iostream>

int main() {
    // FIXME: start the skinned main window here once it is built; until then the program always
    // takes its no-display path, and says which of the two reasons applies.
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        std::cerr << "No display found; printing the report of the sample logs instead.\n";
    } else {
        std::cerr << "The main window is not built yet; printing the report of the sample logs instead.\n";
    }
    return app::PrintSampleReport(std::cout, std::cerr);
}
