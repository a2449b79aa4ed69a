// iislog-report: the crawler-hit report of one folder on standard output.
#include "app/ReportCommand.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return app::ReportMain(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
