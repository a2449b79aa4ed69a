#include "app/SampleReport.h"
#include "analysis/ReportCommand.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(SampleReport, PrintsTheBundledLogsWithCaptions) {
    std::ostringstream out, err;
    ASSERT_EQ(app::PrintSampleReport(out, err), 0) << err.str();
    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, analysis::FormatReportLine(analysis::ReportCaptions(), analysis::ReportStyle::Tab)
                        .substr(0, line.size()));
    int rows = 0;
    while (std::getline(lines, line)) {
        ++rows;
        EXPECT_EQ(line.substr(0, line.find('\t')), std::to_string(rows));
        EXPECT_NE(line.find(".log\t234 kb\t"), std::string::npos) << line;
    }
    EXPECT_EQ(rows, 3); // samples/logs holds three generated logs
}

} // namespace
