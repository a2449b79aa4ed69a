#pragma once
// A deterministic generator of realistic IIS W3C extended logs, for the bundled samples, the
// benchmarks and the comparison script. The same seed always gives the same bytes on every
// machine (own PRNG, no library distributions).
//
// About one line in twenty-five comes from a crawler that the report counts, in the user-agent
// forms those crawlers have used over the years ("+" for spaces, as IIS writes them); a few more
// come from crawlers the report does not count (bingbot's new address, Yahoo's China form spelt
// differently) and many browser lines carry search-engine referrers, which must not count either.

#include <cstdint>
#include <string>

namespace loggen {

class LogGenerator {
public:
    explicit LogGenerator(std::uint64_t seed) : state_(seed) {}

    // Appends the four header lines (#Software, #Version, #Date, #Fields) for a log of `day`.
    void AppendHeader(std::string& out, int day);
    // Appends whole log lines (CR LF ended) until `out` has grown by at least `bytes`.
    void AppendLines(std::string& out, std::uint64_t bytes, int day);

    // A complete log of about `bytes` bytes: header plus lines.
    static std::string Generate(std::uint64_t seed, std::uint64_t bytes);

private:
    std::uint64_t Next();
    std::uint64_t Below(std::uint64_t n) { return Next() % n; }
    void AppendLine(std::string& out, int day);

    std::uint64_t state_;
    int seconds_ = 0; // time of day of the next line
};

} // namespace loggen
