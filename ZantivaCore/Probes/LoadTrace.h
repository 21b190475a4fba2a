#pragma once

#include <optional>

#include "Model/SensorSnapshot.h"
#include "Model/TelemetryHistory.h"

namespace zantiva {

// The load, temperature and power of one CPU or GPU station run, one entry per recorded
// snapshot, with the ceilings of their chart scales.
struct LoadTrace {
    enum class Subject { cpu, gpu };

    static constexpr double temperatureCeiling = 105.0;   // °C, top of the temperature scale
    static constexpr double powerStep = 50.0;             // W, the power scale's step

    TelemetryHistory load{90};
    TelemetryHistory temperature{90};
    TelemetryHistory power{90};
    std::optional<double> currentLoad;
    std::optional<double> currentTemperature;
    std::optional<double> currentPower;
    bool hasLoad = false;          // once a reading of the kind was present; never reset
    bool hasTemperature = false;
    bool hasPower = false;

    // Advances all three histories by one entry; a missing reading repeats the newest
    // value (0 when there is none) so the lines stay aligned.
    void record(const SensorSnapshot& snapshot, Subject subject);

    // The largest power sample rounded up to a multiple of powerStep, at least one step.
    double powerCeiling() const;

    bool operator==(const LoadTrace&) const = default;
};

} // namespace zantiva
