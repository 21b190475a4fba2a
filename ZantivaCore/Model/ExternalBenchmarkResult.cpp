#include "Model/ExternalBenchmarkResult.h"

#include <cmath>

#include "Model/RecordFields.h"

namespace zantiva {
namespace {

constexpr auto fields = std::tuple{
    json::field("singleCoreScore", &ExternalBenchmarkResult::singleCoreScore),
    json::field("multiCoreScore", &ExternalBenchmarkResult::multiCoreScore),
    json::field("gpuScore", &ExternalBenchmarkResult::gpuScore),
    json::field("recordedAt", &ExternalBenchmarkResult::recordedAt),
};

} // namespace

json::Json ExternalBenchmarkResult::toJson() const { return json::encodeFields(*this, fields); }

ExternalBenchmarkResult ExternalBenchmarkResult::fromJson(const json::Json& j) {
    return json::decodeFields(j, fields);
}

bool isUsableScore(double value) { return std::isfinite(value) && value > 0; }

} // namespace zantiva
