#include "Model/DisplayTestResult.h"

#include "Model/RecordFields.h"

namespace zantiva {

namespace {
constexpr auto fields = std::tuple{
    json::field("issues", &DisplayTestResult::issues),
    json::field("measuredRefreshRateHz", &DisplayTestResult::measuredRefreshRateHz),
};
} // namespace

json::Json DisplayTestResult::toJson() const { return json::encodeFields(*this, fields); }
DisplayTestResult DisplayTestResult::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
