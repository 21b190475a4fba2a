#include "Model/BatteryHealthResult.h"

#include "Model/RecordFields.h"

namespace zantiva {

namespace {
constexpr auto fields = std::tuple{
    json::field("batteryPresent", &BatteryHealthResult::batteryPresent),
    json::field("designCapacityMah", &BatteryHealthResult::designCapacityMah),
    json::field("fullChargeCapacityMah", &BatteryHealthResult::fullChargeCapacityMah),
    json::field("healthPercent", &BatteryHealthResult::healthPercent),
    json::field("dischargeRateWatts", &BatteryHealthResult::dischargeRateWatts),
    json::field("currentChargePercent", &BatteryHealthResult::currentChargePercent),
    json::field("isCharging", &BatteryHealthResult::isCharging),
    json::field("isPluggedIn", &BatteryHealthResult::isPluggedIn),
    json::field("cycleCount", &BatteryHealthResult::cycleCount),
    json::field("issues", &BatteryHealthResult::issues),
    json::field("listingError", &BatteryHealthResult::listingError),
};
} // namespace

json::Json BatteryHealthResult::toJson() const { return json::encodeFields(*this, fields); }
BatteryHealthResult BatteryHealthResult::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
