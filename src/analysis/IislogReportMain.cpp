// iislog-report: the crawler-hit report of one folder on standard output.
#include "analysis/ReportCommand.h"
#include "platform/fs/Process.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    fs::UseUtf8Console();
    return analysis::ReportMain(fs::CommandLineArguments(argc, argv), std::cout, std::cerr);
}
