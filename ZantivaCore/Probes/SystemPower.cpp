#include "Probes/SystemPower.h"

#include <string>

#include "Probes/BatteryAttributes.h"

namespace zantiva {

std::optional<double> SystemPower::read(const ProbeRoot& root) {
    std::optional<double> watts;
    for (const auto& supply : root.entries("/sys/class/power_supply")) {
        const std::string base = "/sys/class/power_supply/" + supply + "/";
        if (root.text(base + "type") != "Battery" || root.text(base + "scope") == "Device") continue;
        const auto delivered = BatteryAttributes::read(root, base).dischargeWatts();
        if (!delivered) continue;
        watts = watts.value_or(0) + *delivered;
    }
    if (watts && (*watts <= 0 || *watts >= 2000)) return std::nullopt;
    return watts;
}

} // namespace zantiva
