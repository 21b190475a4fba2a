#include "External/ExternalBenchmarkAppSettings.h"

#include "Model/RecordFields.h"

namespace zantiva {
namespace {

constexpr auto fields = std::tuple{
    json::field("installation", &ExternalBenchmarkAppSettings::installation),
    json::field("lastResult", &ExternalBenchmarkAppSettings::lastResult),
};

} // namespace

json::Json ExternalBenchmarkAppSettings::toJson() const {
    json::Json out = json::encodeFields(*this, fields);
    json::put(out, "pendingResults", pendingResults);
    return out;
}

ExternalBenchmarkAppSettings ExternalBenchmarkAppSettings::fromJson(const json::Json& j) {
    ExternalBenchmarkAppSettings out = json::decodeFields(j, fields);
    out.pendingResults = json::optional<std::vector<PendingGeekbenchResult>>(j, "pendingResults").value_or(
        std::vector<PendingGeekbenchResult>{});
    return out;
}

} // namespace zantiva
