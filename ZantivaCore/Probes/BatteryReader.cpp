#include "Probes/BatteryReader.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <system_error>

namespace zantiva::BatteryReader {

namespace {

const std::filesystem::path supplies = "/sys/class/power_supply";

bool isSystemSupply(const ProbeRoot& root, const std::filesystem::path& supply) {
    return root.text(supply / "scope") != "Device";
}

// The mains adapter or a USB charger feeds the machine.
bool isPluggedIn(const ProbeRoot& root) {
    for (const auto& name : root.entries(supplies)) {
        const auto supply = supplies / name;
        const auto type = root.text(supply / "type").value_or("");
        if ((type == "Mains" || type.rfind("USB", 0) == 0) && isSystemSupply(root, supply) &&
            root.integer(supply / "online") == 1)
            return true;
    }
    return false;
}

struct FoundBattery {
    BatteryHealthResult result;
    BatteryAttributes attributes;
};

FoundBattery findBattery(const ProbeRoot& root) {
    FoundBattery found;
    const bool pluggedIn = isPluggedIn(root);
    const auto batteries = BatteryAttributes::systemBatteries(root);
    if (batteries.failed()) found.result.listingError = std::generic_category().message(batteries.error);
    for (const auto& supply : batteries.items) {
        found.attributes = BatteryAttributes::read(root, supply);
        found.result = parse(found.attributes, pluggedIn);
        if (found.result.batteryPresent) return found;
    }
    return found;
}

// mAh from a charge in µAh, or from an energy in µWh at the design minimum voltage
// (µWh ÷ µV is Ah).
std::optional<std::int64_t> milliampHours(std::optional<std::int64_t> microampHours,
                                          std::optional<std::int64_t> microwattHours,
                                          std::optional<std::int64_t> designMicrovolts) {
    if (microampHours) return std::llround(static_cast<double>(*microampHours) / 1000.0);
    if (microwattHours && designMicrovolts && *designMicrovolts > 0)
        return std::llround(static_cast<double>(*microwattHours) / static_cast<double>(*designMicrovolts) * 1000.0);
    return std::nullopt;
}

double roundedToTenth(double value) { return std::round(value * 10) / 10; }

std::int64_t wholePercent(double part, double whole) {
    return std::min<std::int64_t>(std::llround(part / whole * 100), 100);
}

} // namespace

BatteryHealthResult parse(const BatteryAttributes& b, bool pluggedIn) {
    const auto design = milliampHours(b.chargeFullDesign, b.energyFullDesign, b.voltageMinDesign);
    const bool present = b.present ? *b.present == 1 : design.has_value();
    BatteryHealthResult r;
    if (!present) return r;
    r.batteryPresent = true;
    r.designCapacityMah = design.value_or(0);
    r.fullChargeCapacityMah = milliampHours(b.chargeFull, b.energyFull, b.voltageMinDesign).value_or(0);
    if (r.designCapacityMah >= 1)
        r.healthPercent = roundedToTenth(std::min(static_cast<double>(r.fullChargeCapacityMah) /
                                                      static_cast<double>(r.designCapacityMah) * 100, 100.0));
    r.cycleCount = std::max<std::int64_t>(b.cycleCount.value_or(0), 0);
    r.isCharging = b.status == "Charging";
    r.isPluggedIn = pluggedIn;
    const auto now = milliampHours(b.chargeNow, b.energyNow, b.voltageMinDesign);
    if (now && r.fullChargeCapacityMah >= 1)
        r.currentChargePercent = wholePercent(static_cast<double>(*now), static_cast<double>(r.fullChargeCapacityMah));
    else if (b.capacity)
        r.currentChargePercent = wholePercent(static_cast<double>(*b.capacity), 100);
    r.dischargeRateWatts = roundedToTenth(b.dischargeWatts().value_or(0));
    return r;
}

BatteryHealthResult read(const ProbeRoot& root) { return findBattery(root).result; }

BatteryChargeLimit chargeLimit(const ProbeRoot& root) {
    const auto found = findBattery(root);
    if (!found.result.batteryPresent) return {};
    return {found.attributes.chargeControlStartThreshold, found.attributes.chargeControlEndThreshold};
}

void applyScoringRules(BatteryHealthResult& r, const BatteryChargeLimit& limit) {
    r.issues.clear();
    if (!r.batteryPresent) return;
    const bool healthKnown = r.healthPercent > 0;
    if (r.cycleCount > 300) r.issues.emplace_back("Battery.Issue.Cycles");
    if (healthKnown && r.healthPercent < 90) r.issues.emplace_back("Battery.Issue.Health");
    if (r.isPluggedIn && !r.isCharging && r.currentChargePercent < 75 && !limit.holds(r.currentChargePercent))
        r.issues.emplace_back("Battery.Issue.NotCharging");
    if (healthKnown && r.healthPercent < 50) r.issues.emplace_back("Battery.Issue.Critical");
}

} // namespace zantiva::BatteryReader
