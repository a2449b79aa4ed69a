// Built with -mavx2 -mpopcnt -mbmi on x86-64; LogScanner calls it only where the processor has them.
#include "analysis/LogScanKernelImpl.h"

#if defined(__AVX2__)
#include <immintrin.h>

namespace analysis::kernel {
namespace {

// Keys is the number of prefilter keys, fixed at compile time so the key loop unrolls; 0 stands
// for the generic prefilter.
template <int Keys>
struct Avx2Classifier {
    explicit Avx2Classifier(const ScanTables& t) : t_(t) {
        for (int k = 0; k < t.KeyCount; ++k) {
            first_[k] = _mm256_set1_epi8(char(t.First[k]));
            second_[k] = _mm256_set1_epi8(char(t.Second[k]));
        }
    }
    BlockMasks operator()(const char* p) const {
        BlockMasks m{0, 0, 0, 0};
        const __m256i lf = _mm256_set1_epi8('\n'), cr = _mm256_set1_epi8('\r'), zero = _mm256_setzero_si256();
        for (unsigned i = 0; i < kBlock; i += 32) {
            __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
            m.Lf |= std::uint64_t(unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, lf)))) << i;
            m.Cr |= std::uint64_t(unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, cr)))) << i;
            m.Nul |= std::uint64_t(unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, zero)))) << i;
            if constexpr (Keys > 0) {
                __m256i w = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + t_.KeyOffset));
                __m256i c = _mm256_setzero_si256();
                for (int k = 0; k < Keys; ++k)
                    c = _mm256_or_si256(c, _mm256_and_si256(_mm256_cmpeq_epi8(v, first_[k]),
                                                            _mm256_cmpeq_epi8(w, second_[k])));
                m.Candidates |= std::uint64_t(unsigned(_mm256_movemask_epi8(c))) << i;
            }
        }
        if constexpr (Keys == 0) m.Candidates = GenericCandidates(t_, p);
        return m;
    }

    const ScanTables& t_;
    __m256i first_[kMaxKeys];
    __m256i second_[kMaxKeys];
};

} // namespace

void ScanPartAvx2(const ScanTables& t, const char* text, std::size_t size, std::size_t begin, std::size_t end,
                  PartTally& out) {
    switch (t.Generic ? 0 : t.KeyCount) {
    case 1: return ScanRange(Avx2Classifier<1>(t), t, text, size, begin, end, out);
    case 2: return ScanRange(Avx2Classifier<2>(t), t, text, size, begin, end, out);
    case 3: return ScanRange(Avx2Classifier<3>(t), t, text, size, begin, end, out);
    case 4: return ScanRange(Avx2Classifier<4>(t), t, text, size, begin, end, out);
    default: return ScanRange(Avx2Classifier<0>(t), t, text, size, begin, end, out);
    }
}

} // namespace analysis::kernel

#else

namespace analysis::kernel {
// Not an x86-64 build: LogScanner never selects this kernel.
void ScanPartAvx2(const ScanTables& t, const char* text, std::size_t size, std::size_t begin, std::size_t end,
                  PartTally& out) {
    ScanPartBaseline(t, text, size, begin, end, out);
}
} // namespace analysis::kernel

#endif
