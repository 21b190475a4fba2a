#include "Probes/SystemPower.h"

#include <string>

namespace zantiva {

std::optional<double> SystemPower::read(const ProbeRoot& root) {
    std::optional<double> watts;
    for (const auto& supply : root.entries("/sys/class/power_supply")) {
        const std::string base = "/sys/class/power_supply/" + supply + "/";
        if (root.text(base + "type") != "Battery" || root.text(base + "scope") == "Device") continue;
        if (root.text(base + "status") != "Discharging") continue;
        double delivered = 0;
        if (auto microwatts = root.integer(base + "power_now")) {
            delivered = static_cast<double>(*microwatts) / 1e6;
        } else {
            auto microamps = root.integer(base + "current_now");
            auto microvolts = root.integer(base + "voltage_now");
            if (!microamps || !microvolts) continue;
            delivered = static_cast<double>(*microamps) * static_cast<double>(*microvolts) / 1e12;
        }
        // Some firmware reports a discharging current as negative.
        if (delivered < 0) delivered = -delivered;
        watts = watts.value_or(0) + delivered;
    }
    if (watts && (*watts <= 0 || *watts >= 2000)) return std::nullopt;
    return watts;
}

} // namespace zantiva
