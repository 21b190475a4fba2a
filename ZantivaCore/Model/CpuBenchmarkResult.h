#pragma once

#include <cstdint>
#include <optional>

#include "Model/BenchmarkBaseline.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// The final result of a CPU benchmark run; the engine overwrites every field.
struct CpuBenchmarkResult {
    std::int64_t scoringVersion = BenchmarkBaseline::scoringVersion;
    double durationSeconds = 0;
    std::optional<double> peakTemperatureCelsius;
    bool thermalThrottleDetected = false;
    std::int64_t threadsUsed = 0;
    std::optional<double> cpuQuota;            // processors' worth of time a CPU quota allowed; absent: none
    double multiCoreBatchMs = 0;
    double singleCoreBatchMs = 0;
    double score = 0;                          // multi-core, reference 1,000
    double singleCoreScore = 0;                // reference 100
    std::optional<double> sustainedScore;      // absent when no sustained stage ran
    double referenceMultiCoreMs = BenchmarkBaseline::cpuReferenceMultiCoreMs;
    double referenceSingleCoreMs = BenchmarkBaseline::cpuReferenceSingleCoreMs;
    bool resultsVerified = true;               // every work unit counted the expected primes
    std::int64_t wrongResults = 0;

    bool operator==(const CpuBenchmarkResult&) const = default;
    json::Json toJson() const;
    static CpuBenchmarkResult fromJson(const json::Json& j);
};

} // namespace zantiva
