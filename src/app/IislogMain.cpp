// iislog: the crawler-log tool.
#include "app/SampleReport.h"

#include <iostream>

int main() {
    // FIXME: start the main window once the window system exists; until then the program always
    // takes its no-display path. The notice below then belongs only to the case without DISPLAY.
    std::cerr << "No display found; printing the report of the sample logs instead.\n";
    return app::PrintSampleReport(std::cout, std::cerr);
}
