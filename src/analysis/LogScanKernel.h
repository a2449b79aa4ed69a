#pragma once
// The inner loop of LogScanner, compiled twice: once for the baseline instruction set and once
// for AVX2 (chosen at run time). The kernels only see these plain structures, so the two object
// files share no inline code that the linker could mix up between instruction sets.

#include <cstddef>
#include <cstdint>

namespace analysis::kernel {

constexpr int kMaxSignatures = 64;
constexpr int kMaxKeys = 4;
constexpr int kNoGroup = 0xFF;

// Signatures sharing a first byte. A second byte, at the offset that tells them apart best,
// selects the few worth a full comparison.
struct SignatureGroup {
    std::size_t Offset;        // < the length of every signature of the group
    std::uint64_t Select[256]; // byte at Offset -> bit set of signature indices
};

struct ScanTables {
    int SignatureCount;
    const char* Signature[kMaxSignatures];
    std::size_t Length[kMaxSignatures];
    std::uint64_t Tail[kMaxSignatures]; // last 8 bytes (signatures of 8 bytes or more)
    std::uint8_t GroupOf[256];          // first byte -> index into Groups, or kNoGroup
    const SignatureGroup* Groups;
    // The block prefilter: a byte is a candidate when it equals First[k] and the byte KeyOffset
    // later equals Second[k], for some k. With Generic set, any byte that starts a signature is.
    int KeyCount;
    std::uint8_t First[kMaxKeys], Second[kMaxKeys];
    std::size_t KeyOffset;
    bool Generic;
};

// Tallies of one part of the input. Line ids count the CR and LF bytes from the part's start.
struct PartTally {
    std::size_t Begin; // where the part starts in the text it was scanned from
    std::size_t End;   // the part's end, or its first NUL byte
    bool StoppedAtNul;
    char FirstByte, LastByte;   // text[Begin] and text[End - 1], when End > Begin
    std::uint64_t Lf, Cr, CrLf; // CrLf: pairs wholly inside the part
    std::int64_t Count[kMaxSignatures];
    std::uint64_t FirstId[kMaxSignatures];
    std::uint64_t LastId[kMaxSignatures];
};

void ScanPartBaseline(const ScanTables& t, const char* text, std::size_t size, std::size_t begin,
                      std::size_t end, PartTally& out);
// Only on x86-64 builds, and only to be called when the processor has AVX2, POPCNT and BMI1.
void ScanPartAvx2(const ScanTables& t, const char* text, std::size_t size, std::size_t begin, std::size_t end,
                  PartTally& out);

} // namespace analysis::kernel
