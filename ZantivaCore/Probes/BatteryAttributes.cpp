#include "Probes/BatteryAttributes.h"

#include <cmath>

namespace zantiva {

namespace {

struct NumberAttribute {
    const char* file;
    std::optional<std::int64_t> BatteryAttributes::*field;
};

constexpr NumberAttribute numbers[] = {
    {"present", &BatteryAttributes::present},
    {"charge_full_design", &BatteryAttributes::chargeFullDesign},
    {"charge_full", &BatteryAttributes::chargeFull},
    {"charge_now", &BatteryAttributes::chargeNow},
    {"energy_full_design", &BatteryAttributes::energyFullDesign},
    {"energy_full", &BatteryAttributes::energyFull},
    {"energy_now", &BatteryAttributes::energyNow},
    {"voltage_min_design", &BatteryAttributes::voltageMinDesign},
    {"voltage_now", &BatteryAttributes::voltageNow},
    {"current_now", &BatteryAttributes::currentNow},
    {"power_now", &BatteryAttributes::powerNow},
    {"cycle_count", &BatteryAttributes::cycleCount},
    {"capacity", &BatteryAttributes::capacity},
    {"charge_control_start_threshold", &BatteryAttributes::chargeControlStartThreshold},
    {"charge_control_end_threshold", &BatteryAttributes::chargeControlEndThreshold},
};

} // namespace

Listed<std::filesystem::path> BatteryAttributes::systemBatteries(const ProbeRoot& root) {
    const std::filesystem::path supplies = "/sys/class/power_supply";
    const auto names = root.listing(supplies);
    Listed<std::filesystem::path> batteries{.items = {}, .error = names.error};
    for (const auto& name : names.items) {
        const auto supply = supplies / name;
        if (root.text(supply / "type") == "Battery" && root.text(supply / "scope") != "Device")
            batteries.items.push_back(supply);
    }
    return batteries;
}

BatteryAttributes BatteryAttributes::read(const ProbeRoot& root, const std::filesystem::path& supply) {
    BatteryAttributes a;
    a.status = root.text(supply / "status");
    for (const auto& n : numbers) a.*n.field = root.integer(supply / n.file);
    return a;
}

BatteryAttributes BatteryAttributes::readDraw(const ProbeRoot& root, const std::filesystem::path& supply) {
    BatteryAttributes a;
    a.status = root.text(supply / "status");
    if (a.status != "Discharging") return a;
    a.powerNow = root.integer(supply / "power_now");
    if (a.powerNow) return a;
    a.currentNow = root.integer(supply / "current_now");
    a.voltageNow = root.integer(supply / "voltage_now");
    return a;
}

std::optional<double> BatteryAttributes::dischargeWatts() const {
    if (status != "Discharging") return std::nullopt;
    double watts = 0;
    if (powerNow) watts = static_cast<double>(*powerNow) / 1e6;
    else if (currentNow && voltageNow) watts = static_cast<double>(*currentNow) * static_cast<double>(*voltageNow) / 1e12;
    else return std::nullopt;
    return std::fabs(watts);
}

} // namespace zantiva
