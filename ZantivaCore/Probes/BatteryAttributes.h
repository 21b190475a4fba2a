#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// What a battery's power-supply folder says, in the kernel's units: charges in µAh,
// energies in µWh, voltages in µV, currents in µA, power in µW, charge in percent.
// Absent where the driver does not offer the attribute.
struct BatteryAttributes {
    std::optional<std::string> status;   // "Charging", "Discharging", "Not charging", "Full", "Unknown"
    std::optional<std::int64_t> present;
    std::optional<std::int64_t> chargeFullDesign, chargeFull, chargeNow;
    std::optional<std::int64_t> energyFullDesign, energyFull, energyNow;
    std::optional<std::int64_t> voltageMinDesign, voltageNow;
    std::optional<std::int64_t> currentNow, powerNow;
    std::optional<std::int64_t> cycleCount;
    std::optional<std::int64_t> capacity;
    std::optional<std::int64_t> chargeControlStartThreshold, chargeControlEndThreshold;

    // The folders of the batteries that power the machine (not those of a mouse or a
    // keyboard), in the kernel's order, or the error of a list of supplies that couldn't be read.
    static Listed<std::filesystem::path> systemBatteries(const ProbeRoot& root);

    // The attributes of one supply folder ("/sys/class/power_supply/BAT0").
    static BatteryAttributes read(const ProbeRoot& root, const std::filesystem::path& supply);
    // Only what dischargeWatts needs, opening no more than it must: the status, and while
    // discharging power_now, or current_now and voltage_now where power_now is missing.
    static BatteryAttributes readDraw(const ProbeRoot& root, const std::filesystem::path& supply);

    // What the battery delivers while discharging, in watts (power_now, or current × voltage);
    // absent while it is not discharging or when the driver tells neither. Drivers differ in
    // the sign of the current, so its size is taken.
    std::optional<double> dischargeWatts() const;

    bool operator==(const BatteryAttributes&) const = default;
};

} // namespace zantiva
