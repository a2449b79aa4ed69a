#pragma once
// The report as one JSON document:
//   {"mode": "classic"|"current",
//    "crawlers": [{"key", "name", "name_en", "group", "operator", "url", "retired"}],
//    "files": [{"number", "name", "size", "requests", "counts": {KEY: n}, "groups": {GROUP: n},
//               "other_bots": n}]}
// In the classic mode the keys are baidu, google, soso, yahoo, sogou, youdao and msn, and files
// carry no requests, groups or other bots. "counts" holds the crawlers with hits (an absent key
// is 0); "groups" holds every group. Names and values are bytes from file names and logs: what is
// not valid UTF-8 is written as U+FFFD.

#include "analysis/CrawlerAnalysis.h"
#include "analysis/CrawlerCatalogue.h"

#include <string>
#include <vector>

namespace analysis {

// `catalogue` is null in the classic mode.
std::string ReportJson(const std::vector<ResultRow>& rows, const CrawlerCatalogue* catalogue);

} // namespace analysis
