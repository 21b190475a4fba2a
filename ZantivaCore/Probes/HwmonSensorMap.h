#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Probes/ProbeRoot.h"
#include "Probes/SMCKey.h"

namespace zantiva {

// The hardware-monitor inputs worth polling, found once. Temperatures are classified by
// the chip that reports them: the applesmc chip of Intel Macs by its SMC keys, other
// chips by their own labels (coretemp "Package id", k10temp Tdie/Tccd/Tctl or none, amdgpu
// edge/junction, …). A temperature input is kept only when it reads 5 to 135 °C at
// discovery; a fan input whenever it reads at all. A device in runtime suspend is never
// read: its inputs are kept by kind alone and skipped while it sleeps.
struct HwmonSensorMap {
    std::vector<std::string> cpu;    // temperature input files (millidegrees Celsius)
    std::vector<std::string> gpu;
    std::vector<std::string> fans;   // fan input files (revolutions per minute)

    bool empty() const { return cpu.empty() && gpu.empty() && fans.empty(); }

    // Absent when a folder it lists (the monitors, a chip's attributes) couldn't be read:
    // which sensors there are is then unknown, not none.
    static std::optional<HwmonSensorMap> discover(const ProbeRoot& root);

    // The highest of the inputs that read 5 to 135 °C now; absent when none does.
    // Inputs of a sleeping device are skipped here and in fanSpeeds.
    static std::optional<double> hottest(const ProbeRoot& root, const std::vector<std::string>& inputs);
    // The fans that read 0 to 20000 RPM now, in map order.
    static std::vector<double> fanSpeeds(const ProbeRoot& root, const std::vector<std::string>& inputs);
};

// How a chip other than applesmc names its sensors. otherLabels holds every temperature
// label of the same chip (k10temp's Tctl counts only without a Tdie: it may carry an offset).
std::optional<ThermalSensorKind> classifyChipSensor(std::string_view chip, std::string_view label,
                                                    const std::vector<std::string>& otherLabels);

// Temperatures outside this range are faulty or disconnected sensors.
inline bool isPlausibleTemperature(double celsius) { return celsius >= 5.0 && celsius <= 135.0; }

} // namespace zantiva
