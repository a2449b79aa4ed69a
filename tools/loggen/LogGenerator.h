#pragma once
// A deterministic generator of IIS W3C extended logs, for the bundled samples, the benchmarks and
// the comparison script. The same seed always gives the same bytes on every machine (own PRNG, no
// library distributions, no floating point).
//
// Two styles:
// - classic (the default; the bundled samples and the scanner tests use it): a 2013 IIS 6 log with
//   one #Fields block. About one line in twenty-five comes from a crawler that the report counts,
//   in the user-agent forms those crawlers have used over the years ("+" for spaces, as IIS writes
//   them); a few more come from crawlers the report does not count (bingbot's new address, Yahoo's
//   China form spelt differently) and many browser lines carry search-engine referrers, which must
//   not count either.
// - today: an IIS 10 site of 2026 with a header block at every worker restart, blocks with
//   different field lists, a third of the lines from today's crawlers (see TodayLog.h).

#include <cstdint>
#include <memory>
#include <string>

#include "Random.h"

namespace loggen {

class TodayLog;

enum class Style { Classic, Today };

struct Options {
    Style style = Style::Classic;
    // Today style: the mean size of a #Fields block (IIS starts a new one at each worker restart).
    std::uint64_t blockBytes = std::uint64_t(32) << 20;
};

class LogGenerator {
public:
    explicit LogGenerator(std::uint64_t seed, Options options = {});
    ~LogGenerator();
    LogGenerator(const LogGenerator&) = delete;
    LogGenerator& operator=(const LogGenerator&) = delete;

    // Starts the log of `day` (its first header lines: #Software, #Version, #Date, #Fields).
    // `fileBytes`, the size the log will have, spreads the today style's lines over the day.
    void AppendHeader(std::string& out, int day, std::uint64_t fileBytes = 0);
    // Appends whole log lines (CR LF ended) until `out` has grown by at least `bytes`; the today
    // style adds a header block wherever the worker restarts.
    void AppendLines(std::string& out, std::uint64_t bytes, int day);

    // The name IIS gives the log of `day`, u_exYYMMDD.log (the classic style counts 28-day months).
    std::string FileName(int day) const;

    // A complete log of about `bytes` bytes: header plus lines.
    static std::string Generate(std::uint64_t seed, std::uint64_t bytes, Options options = {});

private:
    std::uint64_t Next() { return random_.Next(); }
    std::uint64_t Below(std::uint64_t n) { return random_.Below(n); }
    void AppendLine(std::string& out, int day);

    Random random_;
    int seconds_ = 0;                 // classic: time of day of the next line
    std::unique_ptr<TodayLog> today_; // the today style's state, null for classic
};

} // namespace loggen
