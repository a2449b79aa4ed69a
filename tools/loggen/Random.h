#pragma once
// splitmix64: tiny, fast and the same on every machine and compiler, unlike the standard
// library's distributions. Both log styles draw all their choices from it.

#include <cstdint>

namespace loggen {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= result < n (n > 0).
    std::uint64_t Below(std::uint64_t n) { return Next() % n; }
    // lo <= result <= hi.
    int Between(int lo, int hi) { return lo + int(Below(std::uint64_t(hi - lo + 1))); }
    // True in `percent` cases of a hundred; fractions of a percent through PerMille.
    bool Percent(int percent) { return int(Below(100)) < percent; }
    bool PerMille(int perMille) { return int(Below(1000)) < perMille; }
    // A value between lo and hi (0 < lo <= hi) spread evenly on a log scale, in steps of an eighth
    // of an octave: many small, few large, the way response sizes and times spread. Integers only.
    std::uint32_t LogBetween(std::uint32_t lo, std::uint32_t hi) {
        constexpr std::uint64_t kEighths[8] = {256, 279, 304, 332, 362, 395, 431, 470}; // 256 * 2^(i/8)
        auto at = [lo, &kEighths](int step) {
            return (std::uint64_t(lo) << (step / 8)) * kEighths[step % 8] / 256;
        };
        int steps = 0; // steps after the first that start below hi; the last one is cut at hi
        while ((std::uint64_t(lo) << (steps / 8 + 1)) < hi)
            steps += 8;
        while (at(steps + 1) < hi)
            ++steps;
        const int step = int(Below(std::uint64_t(steps) + 1));
        const std::uint64_t low = at(step);
        const std::uint64_t high = step == steps ? std::uint64_t(hi) + 1 : at(step + 1);
        return std::uint32_t(high > low ? low + Below(high - low) : low);
    }

private:
    std::uint64_t state_;
};

} // namespace loggen
