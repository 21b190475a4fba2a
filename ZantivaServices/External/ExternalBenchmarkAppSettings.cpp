#include "External/ExternalBenchmarkAppSettings.h"

#include "Model/RecordFields.h"

namespace zantiva {
namespace {

constexpr auto fields = std::tuple{
    json::field("installation", &ExternalBenchmarkAppSettings::installation),
    json::field("lastResult", &ExternalBenchmarkAppSettings::lastResult),
    json::listField("pendingResults", &ExternalBenchmarkAppSettings::pendingResults),
};

} // namespace

std::span<const std::string_view> ExternalBenchmarkAppSettings::keys() {
    static constexpr auto all = json::keysOf(fields);
    return all;
}

json::Json ExternalBenchmarkAppSettings::toJson() const { return json::encodeFields(*this, fields); }

ExternalBenchmarkAppSettings ExternalBenchmarkAppSettings::fromJson(const json::Json& j) {
    return json::decodeFields(j, fields);
}

} // namespace zantiva
