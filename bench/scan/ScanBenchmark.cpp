// The scanner on in-memory logs: bytes per second of LogScanner::Scan with each kernel and with
// one or all threads, and of the block-wise ScanSource that the analysis uses on files.
#include "analysis/CrawlerAnalysis.h"
#include "analysis/LogScanner.h"

#include "LogGenerator.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

const std::string& Log() {
    static const std::string log = loggen::LogGenerator::Generate(2013, std::size_t(64) << 20);
    return log;
}

void BM_Scan(benchmark::State& state) {
    analysis::LogScanner scanner(analysis::MakeSignatureList(), analysis::LogScanner::Kernel(state.range(0)));
    const std::string& log = Log();
    for (auto _ : state) {
        analysis::ScanResult r = scanner.Scan(log, unsigned(state.range(1)));
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(log.size()));
}
// Kernel (1 baseline, 2 AVX2) x parts (1, or 0 = as many as the machine has cores).
BENCHMARK(BM_Scan)->Args({1, 1})->Args({2, 1})->Args({2, 0})->Unit(benchmark::kMillisecond);

// One block of the size ScanSource reads, scanned again and again: the kernel's own cost with the
// bytes already in the cache, as they are after each read.
void BM_ScanCachedBlock(benchmark::State& state) {
    analysis::LogScanner scanner(analysis::MakeSignatureList(), analysis::LogScanner::Kernel(state.range(0)));
    const std::string block = Log().substr(0, analysis::LogScanner::kChunkBytes);
    for (auto _ : state) {
        analysis::ScanResult r = scanner.Scan(block, 1);
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(block.size()));
}
BENCHMARK(BM_ScanCachedBlock)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_ScanSource(benchmark::State& state) {
    analysis::LogScanner scanner(analysis::MakeSignatureList());
    const std::string& log = Log();
    auto read = [&log](std::uint64_t offset, char* buffer, std::size_t length) {
        std::memcpy(buffer, log.data() + offset, length);
    };
    for (auto _ : state) {
        analysis::ScanResult r = scanner.ScanSource(log.size(), read, unsigned(state.range(0)));
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(log.size()));
}
BENCHMARK(BM_ScanSource)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
