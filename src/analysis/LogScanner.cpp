#include "analysis/LogScanner.h"

#include "analysis/ScanParts.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <thread>

namespace analysis {
namespace {

bool IsBreak(char c) { return c == '\n' || c == '\r'; }

// The offset (below `limit`) at which the members of a group differ most, so that one byte picks
// the few worth comparing in full.
std::size_t BestOffset(const std::vector<const std::string*>& members, std::size_t limit) {
    std::size_t best = 0, bestDistinct = 0;
    for (std::size_t off = 0; off < limit; ++off) {
        bool seen[256] = {};
        std::size_t distinct = 0;
        for (const std::string* s : members) {
            unsigned char c = static_cast<unsigned char>((*s)[off]);
            distinct += seen[c] ? 0 : 1;
            seen[c] = true;
        }
        if (distinct > bestDistinct) {
            best = off;
            bestDistinct = distinct;
        }
    }
    return best;
}

} // namespace

LogScanner::LogScanner(std::vector<std::string> signatures, Kernel kernel)
    : signatures_(std::move(signatures)), kernel_(kernel) {
    if (signatures_.size() > std::size_t(kernel::kMaxSignatures))
        throw std::invalid_argument("at most 64 signatures");
    for (const std::string& s : signatures_)
        if (s.empty() || s.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            throw std::invalid_argument("a signature must be non-empty and lie within one line");
    if (kernel_ != Kernel::Baseline) kernel_ = CpuHasAvx2() ? Kernel::Avx2 : Kernel::Baseline;
    BuildTables();
}

LogScanner::LogScanner(LogScanner&&) noexcept = default;
LogScanner& LogScanner::operator=(LogScanner&&) noexcept = default;
LogScanner::~LogScanner() = default;

void LogScanner::BuildTables() {
    auto t = std::make_unique<kernel::ScanTables>();
    t->SignatureCount = int(signatures_.size());
    std::fill(std::begin(t->GroupOf), std::end(t->GroupOf), std::uint8_t(kernel::kNoGroup));
    std::size_t shortest = SIZE_MAX;
    std::vector<std::vector<const std::string*>> members;
    std::vector<std::vector<int>> memberIndex;
    for (std::size_t i = 0; i < signatures_.size(); ++i) {
        const std::string& s = signatures_[i];
        t->Signature[i] = s.data();
        t->Length[i] = s.size();
        t->Tail[i] = 0;
        if (s.size() >= 8) std::memcpy(&t->Tail[i], s.data() + s.size() - 8, 8);
        shortest = std::min(shortest, s.size());
        unsigned char first = static_cast<unsigned char>(s[0]);
        if (t->GroupOf[first] == kernel::kNoGroup) {
            t->GroupOf[first] = std::uint8_t(members.size());
            members.emplace_back();
            memberIndex.emplace_back();
        }
        members[t->GroupOf[first]].push_back(&s);
        memberIndex[t->GroupOf[first]].push_back(int(i));
    }
    groups_.assign(members.size(), kernel::SignatureGroup{});
    for (std::size_t g = 0; g < members.size(); ++g) {
        std::size_t limit = SIZE_MAX;
        for (const std::string* s : members[g])
            limit = std::min(limit, s->size());
        groups_[g].Offset = BestOffset(members[g], limit);
        for (std::size_t m = 0; m < members[g].size(); ++m) {
            unsigned char c = static_cast<unsigned char>((*members[g][m])[groups_[g].Offset]);
            groups_[g].Select[c] |= std::uint64_t(1) << memberIndex[g][m];
        }
    }
    t->Groups = groups_.data();
    std::size_t longest = 0;
    for (const std::string& s : signatures_)
        longest = std::max(longest, s.size());
    overlap_ = longest + 4;

    // The block prefilter pairs each signature's first byte with its fifth (or its last, when
    // shorter): "http:" for the six addresses, "Yaho" + "o" for Yahoo.
    t->KeyOffset = signatures_.empty() ? 0 : std::min<std::size_t>(4, shortest - 1);
    t->KeyCount = 0;
    t->Generic = false;
    for (const std::string& s : signatures_) {
        std::uint8_t first = std::uint8_t(s[0]), second = std::uint8_t(s[t->KeyOffset]);
        bool known = false;
        for (int k = 0; k < t->KeyCount; ++k)
            known = known || (t->First[k] == first && t->Second[k] == second);
        if (known) continue;
        if (t->KeyCount == kernel::kMaxKeys) {
            t->Generic = true;
            break;
        }
        t->First[t->KeyCount] = first;
        t->Second[t->KeyCount] = second;
        ++t->KeyCount;
    }
    tables_ = std::move(t);
}

namespace {

// A tally covering nothing: the start of every merge.
kernel::PartTally EmptyTally(std::uint64_t begin) {
    kernel::PartTally t;
    t.Begin = std::size_t(begin);
    t.End = std::size_t(begin);
    t.StoppedAtNul = false;
    t.FirstByte = t.LastByte = '\0';
    t.Lf = t.Cr = t.CrLf = 0;
    for (int k = 0; k < kernel::kMaxSignatures; ++k) {
        t.Count[k] = 0;
        t.FirstId[k] = t.LastId[k] = 0;
    }
    return t;
}

// Appends the tally of the range right after `into`'s. Line ids of `next` are shifted by the
// breaks of `into`; a signature's first hit in `next` lies on the line of its last hit in `into`
// exactly when no break lies between them, i.e. when their shifted ids are equal.
void Append(kernel::PartTally& into, const kernel::PartTally& next, int signatures) {
    if (into.StoppedAtNul) return; // the text ended before `next`
    bool intoEmpty = into.End == into.Begin, nextEmpty = next.End == next.Begin;
    if (!intoEmpty && !nextEmpty && into.LastByte == '\r' && next.FirstByte == '\n')
        ++into.CrLf; // a CR LF cut in two by the boundary
    std::uint64_t shift = into.Lf + into.Cr;
    for (int k = 0; k < signatures; ++k) {
        if (next.Count[k] == 0) continue;
        bool sameLine = into.Count[k] > 0 && next.FirstId[k] + shift == into.LastId[k];
        if (into.Count[k] == 0) into.FirstId[k] = next.FirstId[k] + shift;
        into.Count[k] += next.Count[k] - (sameLine ? 1 : 0);
        into.LastId[k] = next.LastId[k] + shift;
    }
    into.Lf += next.Lf;
    into.Cr += next.Cr;
    into.CrLf += next.CrLf;
    if (intoEmpty) into.FirstByte = next.FirstByte;
    if (!nextEmpty) into.LastByte = next.LastByte;
    // Begin stays; End, like the ids, is taken relative to `into`'s own coordinates.
    into.End = into.Begin + (into.End - into.Begin) + (next.End - next.Begin);
    into.StoppedAtNul = next.StoppedAtNul;
}

} // namespace

void LogScanner::ScanPart(const char* text, std::size_t size, std::size_t begin, std::size_t end,
                          kernel::PartTally& out) const {
    if (kernel_ == Kernel::Avx2) kernel::ScanPartAvx2(*tables_, text, size, begin, end, out);
    else kernel::ScanPartBaseline(*tables_, text, size, begin, end, out);
}

ScanResult LogScanner::Finish(const kernel::PartTally& all) const {
    ScanResult result;
    result.Hits.assign(all.Count, all.Count + signatures_.size());
    bool open = all.End > all.Begin && !IsBreak(all.LastByte); // text after the last break
    result.Lines = std::int64_t(all.Lf + all.Cr - all.CrLf) + (open ? 1 : 0);
    return result;
}

ScanResult LogScanner::Scan(std::string_view text, unsigned parts) const {
    parts = PickScanParts(text.size(), parts, kMinPartBytes);
    auto cut = [&](unsigned i) {
        return std::size_t(static_cast<unsigned __int128>(text.size()) * i / parts);
    };
    std::vector<kernel::PartTally> tallies(parts);
    RunParts(parts, parallel_,
             [&](unsigned i) { ScanPart(text.data(), text.size(), cut(i), cut(i + 1), tallies[i]); });
    kernel::PartTally all = EmptyTally(0);
    for (const kernel::PartTally& t : tallies)
        Append(all, t, int(signatures_.size()));
    return Finish(all);
}

void LogScanner::ScanSourcePart(std::uint64_t begin, std::uint64_t end, std::uint64_t size,
                                const ReadAt& read, std::size_t chunkBytes, kernel::PartTally& out) const {
    out = EmptyTally(0);
    // The block plus the bytes after it that a signature starting in the block may reach.
    std::vector<char> buffer(chunkBytes + overlap_);
    kernel::PartTally block;
    for (std::uint64_t pos = begin; pos < end && !out.StoppedAtNul; pos += chunkBytes) {
        std::size_t length = std::size_t(std::min<std::uint64_t>(chunkBytes, end - pos));
        std::size_t available = std::size_t(std::min<std::uint64_t>(length + overlap_, size - pos));
        read(pos, buffer.data(), available);
        ScanPart(buffer.data(), available, 0, length, block);
        Append(out, block, int(signatures_.size()));
    }
}

ScanResult LogScanner::ScanSource(std::uint64_t size, const ReadAt& read, unsigned parts,
                                  std::size_t chunkBytes) const {
    chunkBytes = std::max<std::size_t>(chunkBytes, 1);
    parts = PickScanParts(size, parts, kMinPartBytes);
    auto cut = [&](unsigned i) { return std::uint64_t(static_cast<unsigned __int128>(size) * i / parts); };
    std::vector<kernel::PartTally> tallies(parts);
    RunParts(parts, parallel_,
             [&](unsigned i) { ScanSourcePart(cut(i), cut(i + 1), size, read, chunkBytes, tallies[i]); });
    kernel::PartTally all = EmptyTally(0);
    for (const kernel::PartTally& t : tallies)
        Append(all, t, int(signatures_.size()));
    return Finish(all);
}

} // namespace analysis
