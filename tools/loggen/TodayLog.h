#pragma once
// The "today" log style: the logs of an IIS 10 site of 2026 (a Chinese shop with a news section
// behind https://www.example.com.cn), written the way IIS writes them.
//
// - W3C extended format, CR LF line ends, a space inside a field written as '+', "-" for an empty
//   field, times in UTC and in order.
// - A new #Software/#Version/#Date/#Fields block at every worker-process restart (every few tens of
//   MB), and not every block has the same fields: the IIS 10 default-like set with both byte
//   counts, an older set without cs-bytes, a full set (s-sitename, s-computername, cs-version,
//   cs(Cookie), cs-host) and a set behind a load balancer (s-sitename, the balancer's address as
//   c-ip and the client's in a custom X-Forwarded-For field).
// - About a third of the lines come from crawlers of today (search engines most, then AI crawlers
//   and assistants, SEO tools, link previews, an uptime monitor, unknown "…Bot/1.0 (+https://…)"
//   ones), a few in the old forms that still carry the 2013 signature URLs, and a few impostors
//   that call themselves Googlebot from cloud hosts; each comes from its operator's address range.
// - The other lines are visits of people with today's browsers (desktop, iOS, Android, WeChat, QQ,
//   Baidu app …): a page with its search-engine or own-site referrer, then the page's styles,
//   scripts, images and API calls with the page as referrer, 304s for returning visitors; and a
//   few scripts and vulnerability scanners.
//
// All choices come from one splitmix64 stream and integer arithmetic, so a seed gives the same
// bytes on every machine.

#include <cstdint>
#include <memory>
#include <string>

namespace loggen {

class TodayLog {
public:
    // `blockBytes` is the mean size of a #Fields block (each is between half and one and a half
    // times that).
    TodayLog(std::uint64_t seed, std::uint64_t blockBytes);
    ~TodayLog();
    TodayLog(const TodayLog&) = delete;
    TodayLog& operator=(const TodayLog&) = delete;

    // Starts the log of `day` (0 is 2026-01-01) that will hold about `fileBytes` bytes: appends its
    // first header block. The lines' times spread over the day in proportion to the bytes written.
    void BeginFile(std::string& out, int day, std::uint64_t fileBytes);
    // Appends whole lines (and a header block wherever the worker restarts) until `out` has grown
    // by at least `bytes`.
    void AppendLines(std::string& out, std::uint64_t bytes);

    // The name IIS gives the log of `day`: u_exYYMMDD.log.
    static std::string FileName(int day);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace loggen
