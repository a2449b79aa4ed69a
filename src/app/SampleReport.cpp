#include "app/SampleReport.h"

#include "analysis/ReportCommand.h"
#include "platform/fs/FindFiles.h"
#include "platform/fs/Process.h"

#ifndef IISLOG_SOURCE_DIR
#define IISLOG_SOURCE_DIR "."
#endif

namespace app {
namespace {

// Windows paths separate with "\" as well.
constexpr const char* kSeparators = "/\\";

} // namespace

std::string SampleLogFolder() {
    std::string dir = fs::ExecutablePath();
    std::size_t slash = dir.find_last_of(kSeparators);
    if (slash != std::string::npos) {
        dir.erase(slash);
        for (const char* relative :
             {"/samples/logs", "/../../../../samples/logs", "/../share/iislog/samples/logs"}) {
            std::string candidate = dir + relative;
            if (fs::DirectoryExists(candidate)) return candidate;
        }
    }
    return IISLOG_SOURCE_DIR "/samples/logs";
}

int PrintSampleReport(std::ostream& out, std::ostream& err) {
    return analysis::PrintReport(SampleLogFolder(), analysis::ReportStyle::Tab, true, out, err);
}

} // namespace app
