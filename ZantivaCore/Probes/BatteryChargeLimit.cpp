#include "Probes/BatteryChargeLimit.h"

namespace zantiva {

namespace {
constexpr std::int64_t driftBelowEndPercent = 5;
}

bool BatteryChargeLimit::holds(std::int64_t chargePercent) const {
    if (!endPercent || *endPercent < 1 || *endPercent >= 100) return false;
    if (startPercent && *startPercent >= 1 && *startPercent < *endPercent) return chargePercent >= *startPercent;
    return chargePercent >= *endPercent - driftBelowEndPercent;
}

} // namespace zantiva
