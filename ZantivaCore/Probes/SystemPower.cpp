#include "Probes/SystemPower.h"

#include "Probes/BatteryAttributes.h"

namespace zantiva {

std::optional<double> SystemPower::read(const ProbeRoot& root) {
    std::optional<double> watts;
    for (const auto& supply : BatteryAttributes::systemBatteries(root)) {
        const auto delivered = BatteryAttributes::read(root, supply).dischargeWatts();
        if (!delivered) continue;
        watts = watts.value_or(0) + *delivered;
    }
    if (watts && (*watts <= 0 || *watts >= 2000)) return std::nullopt;
    return watts;
}

} // namespace zantiva
