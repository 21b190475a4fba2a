#include "Model/CpuBenchmarkResult.h"

#include "Model/RecordFields.h"

namespace zantiva {

namespace {
constexpr auto fields = std::tuple{
    json::field("scoringVersion", &CpuBenchmarkResult::scoringVersion),
    json::field("durationSeconds", &CpuBenchmarkResult::durationSeconds),
    json::field("peakTemperatureCelsius", &CpuBenchmarkResult::peakTemperatureCelsius),
    json::field("thermalThrottleDetected", &CpuBenchmarkResult::thermalThrottleDetected),
    json::field("threadsUsed", &CpuBenchmarkResult::threadsUsed),
    json::field("cpuQuota", &CpuBenchmarkResult::cpuQuota),
    json::field("multiCoreBatchMs", &CpuBenchmarkResult::multiCoreBatchMs),
    json::field("singleCoreBatchMs", &CpuBenchmarkResult::singleCoreBatchMs),
    json::field("score", &CpuBenchmarkResult::score),
    json::field("singleCoreScore", &CpuBenchmarkResult::singleCoreScore),
    json::field("sustainedScore", &CpuBenchmarkResult::sustainedScore),
    json::field("referenceMultiCoreMs", &CpuBenchmarkResult::referenceMultiCoreMs),
    json::field("referenceSingleCoreMs", &CpuBenchmarkResult::referenceSingleCoreMs),
    json::field("resultsVerified", &CpuBenchmarkResult::resultsVerified),
    json::field("wrongResults", &CpuBenchmarkResult::wrongResults),
};
} // namespace

json::Json CpuBenchmarkResult::toJson() const { return json::encodeFields(*this, fields); }
CpuBenchmarkResult CpuBenchmarkResult::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
