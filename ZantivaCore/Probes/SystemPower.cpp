#include "Probes/SystemPower.h"

#include "Probes/BatteryAttributes.h"

namespace zantiva {

SystemPower::SystemPower(const ProbeRoot& root) { find(root); }

void SystemPower::find(const ProbeRoot& root) {
    auto batteries = BatteryAttributes::systemBatteries(root);
    if (!batteries.failed()) batteries_ = std::move(batteries.items);
}

std::optional<double> SystemPower::read(const ProbeRoot& root) {
    if (!batteries_) find(root);
    if (!batteries_) return std::nullopt;
    std::optional<double> watts;
    for (const auto& supply : *batteries_) {
        const auto delivered = BatteryAttributes::readDraw(root, supply).dischargeWatts();
        if (!delivered) continue;
        watts = watts.value_or(0) + *delivered;
    }
    if (watts && (*watts <= 0 || *watts >= 2000)) return std::nullopt;
    return watts;
}

} // namespace zantiva
