#include "app/SampleReport.h"

#include "app/ReportCommand.h"
#include "platform/fs/FindFiles.h"

#include <climits>
#include <unistd.h>

#ifndef IISLOG_SOURCE_DIR
#define IISLOG_SOURCE_DIR "."
#endif

namespace app {

std::string SampleLogFolder() {
    char exe[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        std::string dir(exe, std::size_t(n));
        dir.erase(dir.rfind('/'));
        for (const char* relative : {"/samples/logs", "/../../../../samples/logs", "/../share/iislog/samples/logs"}) {
            std::string candidate = dir + relative;
            if (fs::DirectoryExists(candidate))
                return candidate;
        }
    }
    return IISLOG_SOURCE_DIR "/samples/logs";
}

int PrintSampleReport(std::ostream& out, std::ostream& err) {
    return PrintReport(SampleLogFolder(), ReportStyle::Tab, true, out, err);
}

} // namespace app
