#pragma once

#include <optional>

#include "Model/ProgressPercent.h"

namespace zantiva {

// A live reading of a GPU run in time and frame rate.
struct GpuBenchmarkProgress {
    double elapsedSeconds = 0;
    double totalDurationSeconds = 0;
    double currentFps = 0;
    double currentFrameMs = 0;
    double currentScore = 0;
    std::optional<double> currentTemperature;
    std::optional<double> currentLoadPercent;
    std::optional<double> currentPowerWatts;

    double percentComplete() const { return cappedPercent(elapsedSeconds, totalDurationSeconds); }

    bool operator==(const GpuBenchmarkProgress&) const = default;
};

} // namespace zantiva
