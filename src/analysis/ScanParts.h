#pragma once
// Running the parts of a scan: the scanners cut a large input into parts, one a thread.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <thread>
#include <vector>

namespace analysis {

// Runs part(i) for i in [0, parts): parts 1.. on their own threads, part 0 on the caller's.
// The first exception (in part order) is rethrown once all have finished.
template <class Part>
void RunParts(unsigned parts, bool parallel, const Part& part) {
    if (!parallel) {
        for (unsigned i = 0; i < parts; ++i)
            part(i);
        return;
    }
    std::vector<std::exception_ptr> errors(parts);
    {
        std::vector<std::jthread> workers;
        workers.reserve(parts - 1);
        for (unsigned i = 1; i < parts; ++i)
            workers.emplace_back([&, i] {
                try {
                    part(i);
                } catch (...) {
                    errors[i] = std::current_exception();
                }
            });
        try {
            part(0);
        } catch (...) {
            errors[0] = std::current_exception();
        }
    }
    for (const std::exception_ptr& e : errors)
        if (e) std::rethrow_exception(e);
}

// How many parts to cut `size` bytes into: `parts` when given (at most one a byte), else one per
// `minPartBytes`, at most one per core.
unsigned PickScanParts(std::uint64_t size, unsigned parts, std::size_t minPartBytes);

// True when the processor has AVX2, POPCNT, BMI1 and BMI2, which the AVX2 kernels use.
bool CpuHasAvx2();

} // namespace analysis
