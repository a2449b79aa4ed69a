#include "analysis/ScanParts.h"

#include <algorithm>

namespace analysis {

unsigned PickScanParts(std::uint64_t size, unsigned parts, std::size_t minPartBytes) {
    if (parts == 0) {
        unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        parts = unsigned(std::clamp<std::uint64_t>(size / minPartBytes, 1, cores));
    }
    return unsigned(std::clamp<std::uint64_t>(parts, 1, std::max<std::uint64_t>(1, size)));
}

bool CpuHasAvx2() {
#if defined(__x86_64__) && defined(__GNUC__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") &&
           __builtin_cpu_supports("bmi");
#else
    return false;
#endif
}

} // namespace analysis
