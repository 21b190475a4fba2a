#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "Model/Date.h"
#include "Model/RawValues.h"

namespace zantiva {

// The kernel's memory-pressure level.
enum class MemoryPressure { normal, warning, critical };

template <> struct RawValues<MemoryPressure> {
    static constexpr std::array<std::pair<MemoryPressure, std::string_view>, 3> table{{
        {MemoryPressure::normal, "normal"},
        {MemoryPressure::warning, "warning"},
        {MemoryPressure::critical, "critical"},
    }};
};

// "Telemetry.Pressure.Normal" and its siblings.
std::string_view localizationKey(MemoryPressure pressure);

// The operating system's thermal state; ordered, and stored as its integer raw value.
enum class ThermalState : int { nominal = 0, fair = 1, serious = 2, critical = 3 };

constexpr int rawValue(ThermalState state) { return static_cast<int>(state); }
// 0 to 3; any other value gives none.
std::optional<ThermalState> thermalStateFromRaw(std::int64_t raw);
std::string_view localizationKey(ThermalState state);
// Serious and critical states throttle the processor.
constexpr bool isThrottling(ThermalState state) { return rawValue(state) > 1; }

// One reading of the machine's live condition. Absent optionals mean "no reading",
// which differs from a reading of 0.
struct SensorSnapshot {
    double cpuLoadPercent = 0;
    std::vector<double> perCoreLoadPercent;   // per logical CPU, in CPU order
    std::optional<double> cpuTemperatureCelsius;
    std::optional<double> gpuLoadPercent;
    std::optional<double> gpuTemperatureCelsius;
    std::optional<double> systemPowerWatts;
    double ramLoadPercent = 0;
    double ramUsedGB = 0;                     // gigabytes of 2^30 bytes
    double ramTotalGB = 0;
    MemoryPressure memoryPressure = MemoryPressure::normal;
    std::vector<double> fanRPM;               // fans that gave a reading, in the sampler's order
    // Absent: the machine has no thermal source (no zone with a trip point, no throttle
    // counter), so nothing tells how hot it runs; never taken for nominal.
    std::optional<ThermalState> thermalState;
    bool hasSensorAccess = false;             // without it temperatures, power and fans carry nothing
    Date timestamp = std::chrono::system_clock::now();

    bool operator==(const SensorSnapshot&) const = default;
};

} // namespace zantiva
