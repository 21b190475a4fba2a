#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "External/ExternalBenchmarkInstallation.h"
#include "External/PendingGeekbenchResult.h"
#include "Model/ExternalBenchmarkResult.h"

namespace zantiva {

// What the store keeps for one outside application.
struct ExternalBenchmarkAppSettings {
    std::optional<ExternalBenchmarkInstallation> installation;
    std::optional<ExternalBenchmarkResult> lastResult;
    std::vector<PendingGeekbenchResult> pendingResults;

    // The keys of the record that this version writes.
    static std::span<const std::string_view> keys();

    bool operator==(const ExternalBenchmarkAppSettings&) const = default;
    json::Json toJson() const;
    // A missing pending list reads as empty.
    static ExternalBenchmarkAppSettings fromJson(const json::Json& j);
};

} // namespace zantiva
