#include "Model/FinalBenchmarkReport.h"

#include "Model/RecordFields.h"

namespace zantiva {

namespace {
constexpr auto fields = std::tuple{
    json::field("specs", &FinalBenchmarkReport::specs),
    json::field("cpuResult", &FinalBenchmarkReport::cpuResult),
    json::field("gpuResult", &FinalBenchmarkReport::gpuResult),
    json::field("memoryResult", &FinalBenchmarkReport::memoryResult),
    json::field("batteryResult", &FinalBenchmarkReport::batteryResult),
    json::field("displayResult", &FinalBenchmarkReport::displayResult),
    json::field("keyboardResult", &FinalBenchmarkReport::keyboardResult),
    json::field("audioPassed", &FinalBenchmarkReport::audioPassed),
    json::field("micCameraPassed", &FinalBenchmarkReport::micCameraPassed),
    json::field("cameraBypassed", &FinalBenchmarkReport::cameraBypassed),
    json::field("inputPassed", &FinalBenchmarkReport::inputPassed),
    json::field("driveHealth", &FinalBenchmarkReport::driveHealth),
    json::field("peripheralStatus", &FinalBenchmarkReport::peripheralStatus),
    json::field("overallScore", &FinalBenchmarkReport::overallScore),
    json::field("completedAt", &FinalBenchmarkReport::completedAt),
};
} // namespace

json::Json FinalBenchmarkReport::toJson() const { return json::encodeFields(*this, fields); }
FinalBenchmarkReport FinalBenchmarkReport::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
