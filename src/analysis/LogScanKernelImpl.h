#pragma once
// The scan loop shared by the kernels; included only by LogScanKernelBaseline.cpp and
// LogScanKernelAvx2.cpp. Everything here has internal linkage and uses compiler builtins rather
// than library templates, so each object file keeps its own instruction set.

#include "analysis/LogScanKernel.h"

#include <cstring>

namespace analysis::kernel {
namespace {

constexpr std::size_t kBlock = 64;

struct BlockMasks {
    std::uint64_t Lf, Cr, Nul, Candidates; // bit i for byte i of the block
};

inline std::uint64_t LowBits(unsigned n) { return n >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << n) - 1; }
inline unsigned Ones(std::uint64_t m) { return unsigned(__builtin_popcountll(m)); }
inline std::size_t Smaller(std::size_t a, std::size_t b) { return a < b ? a : b; }

inline std::uint64_t GenericCandidates(const ScanTables& t, const char* p) {
    std::uint64_t m = 0;
    for (unsigned i = 0; i < kBlock; ++i)
        if (t.GroupOf[static_cast<unsigned char>(p[i])] != kNoGroup) m |= std::uint64_t(1) << i;
    return m;
}

inline void Record(PartTally& out, int idx, std::uint64_t lineId) {
    if (out.Count[idx] == 0) out.FirstId[idx] = lineId;
    else if (out.LastId[idx] == lineId) return; // a signature counts once per line
    ++out.Count[idx];
    out.LastId[idx] = lineId;
}

// `breaksBefore` and `blockBreaks` give the line id of a match only when one is found: most
// candidates are other addresses ("http://" of a referrer) and are rejected on one table lookup.
inline void Verify(const ScanTables& t, const char* text, std::size_t size, std::size_t pos,
                   std::uint64_t breaksBefore, std::uint64_t blockBreaksBefore, PartTally& out) {
    unsigned group = t.GroupOf[static_cast<unsigned char>(text[pos])];
    if (group == kNoGroup) return;
    const SignatureGroup& g = t.Groups[group];
    if (g.Offset >= size - pos) return;
    for (std::uint64_t m = g.Select[static_cast<unsigned char>(text[pos + g.Offset])]; m; m &= m - 1) {
        int idx = __builtin_ctzll(m);
        std::size_t len = t.Length[idx];
        if (len > size - pos) continue;
        if (len >= 8) {
            std::uint64_t tail;
            std::memcpy(&tail, text + pos + len - 8, 8);
            if (tail != t.Tail[idx]) continue;
        }
        if (std::memcmp(text + pos, t.Signature[idx], len) == 0)
            Record(out, idx, breaksBefore + Ones(blockBreaksBefore));
    }
}

// Classify(p) classifies p[0..63] and may read up to p[63 + t.KeyOffset].
template <class Classifier>
inline void ScanRange(const Classifier& classify, const ScanTables& t, const char* text, std::size_t size,
                      std::size_t begin, std::size_t end, PartTally& out) {
    out.Begin = begin;
    out.End = end;
    out.StoppedAtNul = false;
    out.Lf = out.Cr = out.CrLf = 0;
    for (int i = 0; i < t.SignatureCount; ++i)
        out.Count[i] = 0;
    std::uint64_t breaksBefore = 0;
    std::uint64_t prevCr = 0;
    for (std::size_t pos = begin; pos < end; pos += kBlock) {
        std::size_t n = Smaller(kBlock, end - pos);
        BlockMasks m;
        if (n == kBlock && pos + kBlock + t.KeyOffset <= size) {
            m = classify(text + pos);
        } else {
            // The last bytes: classify a zero-padded copy of this small tail and mask the padding
            // off. Candidates are verified against the real bytes.
            alignas(64) char tail[kBlock + 64] = {};
            std::memcpy(tail, text + pos, Smaller(size - pos, kBlock + t.KeyOffset));
            m = classify(tail);
            std::uint64_t valid = LowBits(unsigned(n));
            m.Lf &= valid;
            m.Cr &= valid;
            m.Nul &= valid;
            m.Candidates &= valid;
        }
        bool stop = false;
        if (m.Nul) {
            unsigned z = unsigned(__builtin_ctzll(m.Nul));
            std::uint64_t keep = LowBits(z);
            m.Lf &= keep;
            m.Cr &= keep;
            m.Candidates &= keep;
            out.End = pos + z;
            out.StoppedAtNul = true;
            stop = true;
        }
        std::uint64_t breaks = m.Lf | m.Cr;
        out.Lf += Ones(m.Lf);
        out.Cr += Ones(m.Cr);
        out.CrLf += Ones(m.Cr & (m.Lf >> 1)) + (prevCr & m.Lf & 1);
        prevCr = m.Cr >> 63;
        for (std::uint64_t c = m.Candidates; c; c &= c - 1) {
            unsigned b = unsigned(__builtin_ctzll(c));
            Verify(t, text, size, pos + b, breaksBefore, breaks & LowBits(b), out);
        }
        breaksBefore += Ones(breaks);
        if (stop) break;
    }
    out.FirstByte = out.End > begin ? text[begin] : '\0';
    out.LastByte = out.End > begin ? text[out.End - 1] : '\0';
}

} // namespace
} // namespace analysis::kernel
