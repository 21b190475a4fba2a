#pragma once

#include <chrono>
#include <optional>

#include "Model/Date.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// The scores of one outside application and when they were recorded. Stored under the
// field names in camelCase; an absent score is left out.
struct ExternalBenchmarkResult {
    std::optional<double> singleCoreScore;
    std::optional<double> multiCoreScore;
    std::optional<double> gpuScore;
    Date recordedAt = std::chrono::system_clock::now();

    bool hasAnyScore() const { return singleCoreScore || multiCoreScore || gpuScore; }

    bool operator==(const ExternalBenchmarkResult&) const = default;
    json::Json toJson() const;
    static ExternalBenchmarkResult fromJson(const json::Json& j);
};

// A score as a tool or a result page gives it is only taken when it is a finite number
// above 0; "inf", "nan", 0 and negatives measure nothing.
bool isUsableScore(double value);

} // namespace zantiva
