#pragma once

#include <optional>

#include "Model/CpuBenchmarkPhase.h"

namespace zantiva {

// A live reading of a CPU benchmark run.
struct CpuBenchmarkProgress {
    CpuBenchmarkPhase phase = CpuBenchmarkPhase::multiCore;
    std::optional<double> phaseFraction;      // 0..1; absent for a stage without a fixed unit count
    double currentScore = 0;
    double elapsedSeconds = 0;
    double overallFraction = 0;               // 0..1 of the whole run
    double currentLoadPercent = 0;            // of the last telemetry sample, 0 without one
    std::optional<double> currentTemperature;
    std::optional<double> currentPowerWatts;
    bool throttleDetected = false;

    // Not clamped: the engine keeps overallFraction in 0..1.
    double percentComplete() const { return overallFraction * 100; }

    bool operator==(const CpuBenchmarkProgress&) const = default;
};

} // namespace zantiva
