#include "External/PendingGeekbenchResult.h"

#include "Model/RecordFields.h"

namespace zantiva {
namespace {

constexpr auto fields = std::tuple{
    json::field("url", &PendingGeekbenchResult::url),
    json::field("isGPU", &PendingGeekbenchResult::isGPU),
    json::field("uploadedAt", &PendingGeekbenchResult::uploadedAt),
};

} // namespace

json::Json PendingGeekbenchResult::toJson() const { return json::encodeFields(*this, fields); }

PendingGeekbenchResult PendingGeekbenchResult::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
