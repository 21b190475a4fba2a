#pragma once

#include <cstdint>

#include "Model/BenchmarkBaseline.h"

namespace zantiva {

// The CPU benchmark's fixed work: every unit counts the primes among the same
// unitOddNumbers odd numbers from unitStart; a correct unit finds expectedPrimesPerUnit.
struct CPUWorkload {
    std::int64_t unitStart = 0;
    int unitOddNumbers = 0;
    int expectedPrimesPerUnit = 0;
    int multiCoreUnits = 0;
    int singleCoreUnits = 0;

    // The workload every score is computed against.
    static CPUWorkload standard() {
        return {static_cast<std::int64_t>(BenchmarkBaseline::cpuUnitStart),
                static_cast<int>(BenchmarkBaseline::cpuUnitOddNumbers),
                static_cast<int>(BenchmarkBaseline::cpuUnitExpectedPrimes),
                static_cast<int>(BenchmarkBaseline::cpuMultiCoreUnits),
                static_cast<int>(BenchmarkBaseline::cpuSingleCoreUnits)};
    }

    bool operator==(const CPUWorkload&) const = default;
};

} // namespace zantiva
