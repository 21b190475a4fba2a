// The CPU benchmark's work unit in a bare loop: the same units handed out from one
// atomic counter (so a thread the scheduler starves takes fewer, as in the engine), with
// no locks, cancellation checks, monitor or thread names. Prints the multi-core and
// single-core batch times in ms, like the engine's result.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "Engines/CPUBenchmarkEngine.h"

using namespace zantiva;

static double batchMs(int threads, int units, const CPUWorkload& w) {
    const auto t0 = std::chrono::steady_clock::now();
    std::atomic<int> claimed{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&] {
            int wrong = 0;
            while (claimed.fetch_add(1, std::memory_order_relaxed) < units)
                wrong += CPUBenchmarkEngine::countPrimes(w.unitStart, w.unitOddNumbers) != w.expectedPrimesPerUnit;
            if (wrong) std::abort();
        });
    }
    for (auto& t : pool) t.join();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

int main(int argc, char** argv) {
    const int threads = argc > 1 ? std::atoi(argv[1]) : static_cast<int>(std::thread::hardware_concurrency());
    const CPUWorkload w = CPUWorkload::standard();
    const double multi = batchMs(threads, w.multiCoreUnits, w);
    const double single = batchMs(1, w.singleCoreUnits, w);
    std::printf("multiCoreBatchMs: %.1f\nsingleCoreBatchMs: %.1f\nthreadsUsed: %d\n", multi, single, threads);
}
