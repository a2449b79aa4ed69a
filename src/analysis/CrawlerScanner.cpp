#include "analysis/CrawlerScanner.h"

#include "analysis/ScanParts.h"
#include "analysis/W3cFields.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace analysis {
namespace {

using Layout = std::optional<W3cLayout>; // none: no "#Fields:" seen yet, lines are looked at whole

// The first CR, LF or NUL in [p, end), or end.
const char* FindBreak(const char* p, const char* end) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), nul = _mm_setzero_si128();
    for (; end - p >= 16; p += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)),
                                   _mm_cmpeq_epi8(v, nul));
        if (unsigned m = unsigned(_mm_movemask_epi8(hit))) return p + __builtin_ctz(m);
    }
#endif
    for (; p < end; ++p)
        if (*p == '\r' || *p == '\n' || *p == '\0') return p;
    return end;
}

// The last '#' in [begin, end), or null.
const char* FindLastHash(const char* begin, const char* end) {
#if defined(__SSE2__)
    const __m128i hash = _mm_set1_epi8('#');
    while (end - begin >= 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(end - 16));
        if (unsigned m = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, hash))))
            return end - 16 + (31 - __builtin_clz(m));
        end -= 16;
    }
#endif
    while (end > begin)
        if (*--end == '#') return end;
    return nullptr;
}

// The verdicts of the user agents a part has seen: a direct-mapped table of hashes, the agents'
// bytes kept in one arena so that a hit is confirmed byte for byte.
class AgentCache {
public:
    static constexpr std::size_t kSlots = 4096;
    static constexpr std::size_t kArenaBytes = std::size_t(1) << 20;
    static constexpr std::size_t kMaxAgentBytes = 1024;

    // The table is made at the first agent: a small log (and a fuzzer's input) should not pay
    // for it.
    AgentCache() = default;

    // Four independent lanes of 8 bytes: the multiplies overlap instead of waiting on each
    // other (agents are some 120 bytes long, and every data line hashes one).
    static std::uint64_t Hash(std::string_view s) {
        constexpr std::uint64_t k1 = 0x9E3779B97F4A7C15ull, k2 = 0xBF58476D1CE4E5B9ull;
        auto word = [&](std::size_t at) {
            std::uint64_t w;
            std::memcpy(&w, s.data() + at, 8);
            return w;
        };
        auto mix = [](std::uint64_t h, std::uint64_t w) {
            h = (h ^ w) * k2;
            return h ^ (h >> 29);
        };
        std::uint64_t a = k1 ^ s.size(), b = k2, c = k1 + k2, d = k2 - k1;
        std::size_t n = s.size(), i = 0;
        for (; i + 32 <= n; i += 32) {
            a = mix(a, word(i));
            b = mix(b, word(i + 8));
            c = mix(c, word(i + 16));
            d = mix(d, word(i + 24));
        }
        for (; i + 8 <= n; i += 8)
            a = mix(a, word(i));
        if (i < n) { // the last bytes: the final 8 (overlapping), or what there is
            std::uint64_t w = 0;
            if (n >= 8) w = word(n - 8);
            else std::memcpy(&w, s.data(), n);
            b = mix(b, w);
        }
        std::uint64_t x = (a ^ (b >> 1)) * k1 ^ (c ^ (d << 1)) * 0x94D049BB133111EBull;
        return x ^ (x >> 31);
    }

    // True with the verdict in `crawler` when `agent` was seen.
    bool Find(std::string_view agent, std::uint64_t hash, int& crawler) const {
        if (slots_.empty()) return false;
        const Slot& s = slots_[hash % kSlots];
        if (s.Hash != hash || s.Length != agent.size() || s.Length == 0) return false;
        if (std::memcmp(arena_.data() + s.Offset, agent.data(), agent.size()) != 0) return false;
        crawler = s.Crawler;
        return true;
    }

    void Put(std::string_view agent, std::uint64_t hash, int crawler) {
        if (agent.empty() || agent.size() > kMaxAgentBytes) return;
        if (slots_.empty()) slots_.resize(kSlots);
        if (arena_.size() + agent.size() > kArenaBytes) { // full: start afresh
            arena_.clear();
            std::fill(slots_.begin(), slots_.end(), Slot{});
        }
        Slot& s = slots_[hash % kSlots];
        s.Hash = hash;
        s.Offset = std::uint32_t(arena_.size());
        s.Length = std::uint32_t(agent.size());
        s.Crawler = crawler;
        arena_.insert(arena_.end(), agent.begin(), agent.end());
    }

private:
    struct Slot {
        std::uint64_t Hash = 0;
        std::uint32_t Offset = 0, Length = 0;
        int Crawler = CrawlerMatcher::kNone;
    };
    std::vector<Slot> slots_;
    std::vector<char> arena_;
};

// Judges the lines of one part in order, under the field list in force.
class LineJudge {
public:
    LineJudge(const CrawlerMatcher& matcher, std::size_t crawlers, Layout layout)
        : matcher_(matcher), crawlers_(crawlers), layout_(std::move(layout)) {
        agentIndex_ = layout_ ? layout_->UserAgent : -1;
    }

    const Layout& Current() const { return layout_; }
    // The user agent's value index under the field list in force (-1: none), for the walker to
    // find it while it looks for the line's end.
    const int& AgentIndex() const { return agentIndex_; }

    // Counts `line` into `tally`; true when it was a "#Fields:" directive (which then rules the
    // lines after it). `shape`, when given, is the line's shape for AgentIndex().
    bool Line(std::string_view line, CrawlerTally& tally, const W3cLineShape* shape = nullptr) {
        ++tally.Lines;
        switch (ClassifyW3cLine(line)) {
        case W3cLineKind::Blank:
        case W3cLineKind::Directive: return false;
        case W3cLineKind::Fields: {
            W3cLayout read;
            if (!ParseFieldsDirective(line, read)) return false;
            layout_ = std::move(read);
            agentIndex_ = layout_->UserAgent;
            return true;
        }
        case W3cLineKind::Data: break;
        }
        ++tally.Requests;
        int crawler = Judge(line, shape);
        if (crawler >= 0) {
            if (tally.Counts.empty()) tally.Counts.assign(crawlers_, 0);
            ++tally.Counts[std::size_t(crawler)];
        } else if (crawler == CrawlerMatcher::kOtherBot) {
            ++tally.OtherBots;
        }
        return false;
    }

private:
    int Judge(std::string_view line, const W3cLineShape* shape) {
        if (!layout_ || layout_->UserAgent < 0) return matcher_.Match(line, false);
        std::string_view agent;
        int count = -1;
        if (shape != nullptr && shape->Values >= 0) {
            count = shape->Values;
            agent = line.substr(shape->ValueStart, shape->ValueEnd - shape->ValueStart);
        } else if (shape == nullptr) {
            count = LocateW3cValue(line, layout_->UserAgent, agent);
        }
        if (count < 0) { // a quote: split the slow way
            count = SplitW3cValues(line, values_, kMaxW3cFields);
            if (count == layout_->Count()) agent = values_[layout_->UserAgent];
        }
        if (count != layout_->Count()) return matcher_.Match(line, false);
        std::uint64_t hash = AgentCache::Hash(agent);
        int crawler;
        if (cache_.Find(agent, hash, crawler)) return crawler;
        crawler = matcher_.Match(agent, true);
        cache_.Put(agent, hash, crawler);
        return crawler;
    }

    const CrawlerMatcher& matcher_;
    std::size_t crawlers_;
    Layout layout_;
    int agentIndex_ = -1;
    AgentCache cache_;
    std::string_view values_[kMaxW3cFields];
};

// Walks the lines of a source block by block, in a buffer of its own.
class LineWalker {
public:
    // Bytes after the buffer's data that the line shaping may read (and ignores), so that it
    // never copies a line's last bytes.
    static constexpr std::size_t kSlack = 64;

    LineWalker(const CrawlerScanner::ReadAt& read, std::uint64_t size, std::size_t chunkBytes)
        : read_(read), size_(size), chunk_(std::max<std::size_t>(chunkBytes, 1)),
          // Never more than the source needs: a small log gets a small buffer.
          buffer_(std::size_t(std::min<std::uint64_t>(size, chunk_ + CrawlerScanner::kMaxLineBytes)) + 1 +
                  kSlack) {}

    // The first line that starts at or after `cut`, or size when none does (or a NUL ends the
    // text first). Offset p starts a line when p == 0, or the byte before it is LF, or a CR not
    // followed by LF.
    std::uint64_t LineStartAfter(std::uint64_t cut) {
        if (cut == 0) return 0;
        std::uint64_t pos = cut - 1;
        char b[2];
        while (pos < size_) {
            std::size_t n = std::size_t(std::min<std::uint64_t>(chunk_, size_ - pos));
            read_(pos, buffer_.data(), n);
            const char* hit = FindBreak(buffer_.data(), buffer_.data() + n);
            if (hit == buffer_.data() + n) {
                pos += n;
                continue;
            }
            std::uint64_t at = pos + std::uint64_t(hit - buffer_.data());
            if (*hit == '\0') return size_;
            if (*hit == '\n' || at + 1 >= size_) return at + 1;
            read_(at + 1, b, 1);
            return b[0] == '\n' ? at + 2 : at + 1;
        }
        return size_;
    }

    // The field list in force at the line start `begin`: that of the last "#Fields:" line before
    // it, searched backwards (IIS writes one at every start of the worker, so it is seldom far).
    Layout LayoutBefore(std::uint64_t begin) {
        std::uint64_t end = begin;
        char* buf = buffer_.data();
        while (end > 0) {
            std::uint64_t from = end > chunk_ ? end - chunk_ : 0;
            std::size_t n = std::size_t(end - from);
            // One byte more in front, to see whether a '#' starts its line.
            std::size_t lead = from > 0 ? 1 : 0;
            read_(from - lead, buf, n + lead);
            for (const char* hit = FindLastHash(buf + lead, buf + lead + n); hit != nullptr;
                 hit = FindLastHash(buf + lead, hit)) {
                std::uint64_t at = from + std::uint64_t(hit - (buf + lead));
                bool lineStart = at == 0 || hit[-1] == '\n' || hit[-1] == '\r';
                if (!lineStart) continue;
                std::string line = ReadLine(at, begin);
                W3cLayout layout;
                if (ParseFieldsDirective(line, layout)) return layout;
            }
            end = from;
        }
        return std::nullopt;
    }

    // Calls line(offset, bytes, shape) for every line that starts in [begin, limit), `begin`
    // being a line start; stops early when `line` returns false. `shape` is the line's shape for
    // the value index `agentIndex` holds at the time, or null (a line cut by the buffer's end, or
    // judged by its first kMaxLineBytes). Returns true when a NUL byte ended the text.
    template <class OnLine>
    bool Walk(std::uint64_t begin, std::uint64_t limit, const int& agentIndex, const OnLine& line) {
        char* buf = buffer_.data();
        std::uint64_t base = begin; // offset of buf[0]
        std::uint64_t readPos = begin;
        std::size_t have = 0, start = 0, scan = 0;
        bool skipLf = false;   // the last line ended at a CR: an LF right after it belongs to it
        bool overlong = false; // the line at `start` was judged already; skip to its end
        while (true) {
            // Judge every complete line in the buffer.
            while (true) {
                if (skipLf && start < have) {
                    skipLf = false;
                    if (buf[start] == '\n') {
                        ++start;
                        scan = start;
                        continue;
                    }
                }
                if (start >= have) break;
                if (!overlong && scan == start) {
                    // A fresh line: its end and its agent in one pass.
                    W3cLineShape shape = ShapeW3cLine(buf + start, have - start, agentIndex,
                                                      buffer_.size() - start);
                    if (shape.Ended) {
                        if (base + start >= limit) return false;
                        std::size_t at = start + shape.Length;
                        bool nul = shape.Break == '\0';
                        bool whole = shape.Length <= CrawlerScanner::kMaxLineBytes;
                        if (!(nul && at == start) &&
                            !line(base + start,
                                  std::string_view(buf + start,
                                                   whole ? shape.Length : CrawlerScanner::kMaxLineBytes),
                                  whole ? &shape : nullptr))
                            return false;
                        if (nul) return true;
                        skipLf = shape.Break == '\r';
                        start = scan = at + 1;
                        continue;
                    }
                }
                const char* hit = FindBreak(buf + scan, buf + have);
                std::size_t at = std::size_t(hit - buf);
                if (at == have) {
                    scan = have;
                    if (!overlong && have - start >= CrawlerScanner::kMaxLineBytes) {
                        if (base + start >= limit ||
                            !line(base + start, std::string_view(buf + start, CrawlerScanner::kMaxLineBytes),
                                  nullptr))
                            return false;
                        overlong = true;
                    }
                    break;
                }
                bool nul = *hit == '\0';
                if (!overlong) {
                    if (base + start >= limit) return false;
                    // Before a NUL, only text after the last break that is not empty is a line.
                    if (!(nul && at == start) &&
                        !line(base + start,
                              std::string_view(buf + start,
                                               std::min(at - start, CrawlerScanner::kMaxLineBytes)),
                              nullptr))
                        return false;
                }
                overlong = false;
                if (nul) return true;
                skipLf = *hit == '\r';
                start = scan = at + 1;
            }
            if (readPos >= size_) break;
            // Keep the unfinished line (or, past its judged part, nothing of it) and read on.
            std::size_t keep = overlong ? 0 : have - start;
            if (keep > 0 && start > 0) std::memmove(buf, buf + start, keep);
            base += overlong ? have : start;
            scan = overlong ? 0 : scan - start;
            start = 0;
            have = keep;
            std::size_t n = std::size_t(std::min<std::uint64_t>(chunk_, size_ - readPos));
            read_(readPos, buf + have, n);
            readPos += n;
            have += n;
        }
        if (!overlong && start < have && base + start < limit)
            line(base + start,
                 std::string_view(buf + start, std::min(have - start, CrawlerScanner::kMaxLineBytes)),
                 nullptr);
        return false;
    }

private:
    // The line that starts at `at` (before `limit`), its first kMaxLineBytes at most.
    std::string ReadLine(std::uint64_t at, std::uint64_t limit) {
        std::string line(std::size_t(std::min<std::uint64_t>(limit - at, CrawlerScanner::kMaxLineBytes)),
                         '\0');
        read_(at, line.data(), line.size());
        line.resize(std::size_t(FindBreak(line.data(), line.data() + line.size()) - line.data()));
        return line;
    }

    const CrawlerScanner::ReadAt& read_;
    std::uint64_t size_;
    std::size_t chunk_;
    std::vector<char> buffer_;
};

// What one part found.
struct PartOutcome {
    bool StoppedAtNul = false;
    CrawlerTally Tally;
};

} // namespace

void CrawlerTally::Add(const CrawlerTally& other) {
    Lines += other.Lines;
    Requests += other.Requests;
    OtherBots += other.OtherBots;
    if (other.Counts.empty()) return;
    if (Counts.empty()) Counts.assign(other.Counts.size(), 0);
    for (std::size_t i = 0; i < Counts.size(); ++i)
        Counts[i] += other.Counts[i];
}

CrawlerScanner::CrawlerScanner(const CrawlerCatalogue& catalogue)
    : matcher_(catalogue), crawlers_(catalogue.Size()) {}

CrawlerTally CrawlerScanner::Scan(std::string_view text, unsigned parts) const {
    return ScanSource(
        text.size(),
        [text](std::uint64_t offset, char* buffer, std::size_t length) {
            std::memcpy(buffer, text.data() + offset, length);
        },
        parts);
}

CrawlerTally CrawlerScanner::ScanSource(std::uint64_t size, const ReadAt& read, unsigned parts,
                                        std::size_t chunkBytes) const {
    parts = PickScanParts(size, parts, kMinPartBytes);
    auto cut = [&](unsigned i) { return std::uint64_t(static_cast<unsigned __int128>(size) * i / parts); };
    std::vector<PartOutcome> outcomes(parts);
    RunParts(parts, parallel_, [&](unsigned i) {
        PartOutcome& out = outcomes[i];
        LineWalker walker(read, size, chunkBytes);
        std::uint64_t begin = walker.LineStartAfter(cut(i));
        std::uint64_t end = cut(i + 1);
        if (begin >= end) return;
        LineJudge judge(matcher_, crawlers_, i == 0 ? Layout() : walker.LayoutBefore(begin));
        out.StoppedAtNul = walker.Walk(begin, end, judge.AgentIndex(),
                                       [&](std::uint64_t, std::string_view line, const W3cLineShape* shape) {
                                           judge.Line(line, out.Tally, shape);
                                           return true;
                                       });
    });
    CrawlerTally total;
    for (const PartOutcome& out : outcomes) {
        total.Add(out.Tally);
        if (out.StoppedAtNul) break;
    }
    if (total.Counts.empty()) total.Counts.assign(crawlers_, 0);
    return total;
}

} // namespace analysis
