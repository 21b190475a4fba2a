#pragma once

#include <cstdint>
#include <optional>

namespace zantiva {

// A charge limit set in the firmware to spare the battery: charging stops at the end
// threshold and starts again below the start threshold.
struct BatteryChargeLimit {
    std::optional<std::int64_t> startPercent;
    std::optional<std::int64_t> endPercent;

    // Whether a plugged-in battery at this charge may rest without charging because of the
    // limit: from the start threshold up when there is one below the end, otherwise from a
    // few percent under the end threshold (firmware lets the charge drift that far before it
    // charges again). Without a limit below 100%, never.
    bool holds(std::int64_t chargePercent) const;

    bool operator==(const BatteryChargeLimit&) const = default;
};

} // namespace zantiva
