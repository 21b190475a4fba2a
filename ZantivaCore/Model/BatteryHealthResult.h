#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Model/DeductionScored.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// The battery check. The defaults are the reading of a machine without a battery.
struct BatteryHealthResult {
    static constexpr std::int64_t pointsPerDeduction = 10;

    bool batteryPresent = false;
    std::int64_t designCapacityMah = 0;
    std::int64_t fullChargeCapacityMah = 0;
    double healthPercent = 0;                  // full-charge capacity of the design capacity
    double dischargeRateWatts = 0;             // 0 while charging or idle
    std::int64_t currentChargePercent = 0;
    bool isCharging = false;
    bool isPluggedIn = false;
    std::int64_t cycleCount = 0;
    std::vector<std::string> issues;           // message keys, in the order the reader found them
    // Why the list of power supplies couldn't be read, in the system's words ("Too many open
    // files"): whether there is a battery is then unknown, not no. Absent when it was read.
    std::optional<std::string> listingError;

    std::int64_t deductionCount() const { return static_cast<std::int64_t>(issues.size()); }
    // Known health below half of the design capacity.
    bool needsService() const { return healthPercent > 0 && healthPercent < 50; }

    bool operator==(const BatteryHealthResult&) const = default;
    json::Json toJson() const;
    static BatteryHealthResult fromJson(const json::Json& j);
};

} // namespace zantiva
