#include "analysis/LogScanKernelImpl.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace analysis::kernel {
namespace {

#if defined(__SSE2__)
struct Sse2Classifier {
    explicit Sse2Classifier(const ScanTables& t) : t_(t) {
        for (int k = 0; k < t.KeyCount; ++k) {
            first_[k] = _mm_set1_epi8(char(t.First[k]));
            second_[k] = _mm_set1_epi8(char(t.Second[k]));
        }
    }
    BlockMasks operator()(const char* p) const {
        BlockMasks m{0, 0, 0, 0};
        const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'), zero = _mm_setzero_si128();
        for (unsigned i = 0; i < kBlock; i += 16) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            m.Lf |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)))) << i;
            m.Cr |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)))) << i;
            m.Nul |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)))) << i;
            if (!t_.Generic) {
                __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + t_.KeyOffset));
                __m128i c = _mm_setzero_si128();
                for (int k = 0; k < t_.KeyCount; ++k)
                    c = _mm_or_si128(
                        c, _mm_and_si128(_mm_cmpeq_epi8(v, first_[k]), _mm_cmpeq_epi8(w, second_[k])));
                m.Candidates |= std::uint64_t(unsigned(_mm_movemask_epi8(c))) << i;
            }
        }
        if (t_.Generic) m.Candidates = GenericCandidates(t_, p);
        return m;
    }

    const ScanTables& t_;
    __m128i first_[kMaxKeys];
    __m128i second_[kMaxKeys];
};
using BaselineClassifier = Sse2Classifier;
#else
struct ScalarClassifier {
    explicit ScalarClassifier(const ScanTables& t) : t_(t) {}
    BlockMasks operator()(const char* p) const {
        BlockMasks m{0, 0, 0, 0};
        for (unsigned i = 0; i < kBlock; ++i) {
            std::uint64_t bit = std::uint64_t(1) << i;
            m.Lf |= p[i] == '\n' ? bit : 0;
            m.Cr |= p[i] == '\r' ? bit : 0;
            m.Nul |= p[i] == '\0' ? bit : 0;
        }
        m.Candidates = GenericCandidates(t_, p);
        return m;
    }
    const ScanTables& t_;
};
using BaselineClassifier = ScalarClassifier;
#endif

} // namespace

void ScanPartBaseline(const ScanTables& t, const char* text, std::size_t size, std::size_t begin,
                      std::size_t end, PartTally& out) {
    ScanRange(BaselineClassifier(t), t, text, size, begin, end, out);
}

} // namespace analysis::kernel
