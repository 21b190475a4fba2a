#pragma once

#include <cstdint>

namespace zantiva {

// What the CPU and GPU benchmarks measure and the reference machine they are scored
// against: score = reference time / measured time * scale, so the reference machine
// scores exactly the scale. Changing a workload value or a reference time changes every
// score; scoringVersion records that.
struct BenchmarkBaseline {
    BenchmarkBaseline() = delete;

    static constexpr std::int64_t scoringVersion = 3;

    // One CPU work unit: count the primes among cpuUnitOddNumbers odd numbers from cpuUnitStart.
    static constexpr std::uint64_t cpuUnitStart = 40'000'001;
    static constexpr std::int64_t cpuUnitOddNumbers = 10'000;
    static constexpr std::int64_t cpuUnitExpectedPrimes = 1'145;
    static constexpr std::int64_t cpuMultiCoreUnits = 30'000;
    static constexpr std::int64_t cpuSingleCoreUnits = 2'400;

    static constexpr double cpuReferenceMultiCoreMs = 19'505.0;
    static constexpr double cpuReferenceSingleCoreMs = 10'633.0;
    static constexpr double cpuMultiCoreScale = 1'000.0;
    static constexpr double defaultScale = 100.0;
    static constexpr double gpuReferenceFrameMs = 20.1;

    static constexpr const char* cpuReferenceDevice = "AMD Ryzen AI 7 350";
    static constexpr const char* gpuReferenceDevice = "RTX 5070 Laptop GPU";

    // Unrounded scores; 0 for a time that is not above 0 or not a number.
    static double cpuMultiCoreScore(double durationMs);
    static double cpuSingleCoreScore(double durationMs);
    static double gpuScore(double frameTimeMs);
};

} // namespace zantiva
