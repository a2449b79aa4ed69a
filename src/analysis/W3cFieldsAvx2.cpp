// Built with -mavx2 -mpopcnt -mbmi -mbmi2 on x86-64; ShapeW3cLine calls it only where the processor has
// them.
#include "analysis/W3cShapeImpl.h"

#if defined(__AVX2__)
#include <immintrin.h>

namespace analysis::w3c {

W3cLineShape ShapeLineAvx2(const char* p, std::size_t size, std::size_t readable, int index) {
    auto mark = [](const char* q) {
        const __m256i space = _mm256_set1_epi8(' '), quote = _mm256_set1_epi8('"'),
                      cr = _mm256_set1_epi8('\r'), lf = _mm256_set1_epi8('\n'), nul = _mm256_setzero_si256();
        Marks64 m{0, 0, 0};
        for (unsigned k = 0; k < 2; ++k) {
            __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q + 32 * k));
            __m256i brk = _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(v, cr), _mm256_cmpeq_epi8(v, lf)),
                                          _mm256_cmpeq_epi8(v, nul));
            m.Spaces |= std::uint64_t(unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, space))))
                        << (32 * k);
            m.Quotes |= std::uint64_t(unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, quote))))
                        << (32 * k);
            m.Breaks |= std::uint64_t(unsigned(_mm256_movemask_epi8(brk))) << (32 * k);
        }
        return m;
    };
    auto ones = [](std::uint64_t m) { return int(__builtin_popcountll(m)); };
    auto select = [](std::uint64_t m, unsigned k) {
        return __builtin_ctzll(_pdep_u64(std::uint64_t(1) << k, m));
    };
    return ShapeLine(mark, ones, select, p, size, readable, index);
}

} // namespace analysis::w3c

#else

namespace analysis::w3c {

// Without AVX2 (another processor family) the baseline serves.
W3cLineShape ShapeLineAvx2(const char* p, std::size_t size, int index) {
    return ShapeLineBaseline(p, size, index);
}

} // namespace analysis::w3c

#endif
