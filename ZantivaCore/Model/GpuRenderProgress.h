#pragma once

#include <cmath>

#include "Model/BenchmarkBaseline.h"

namespace zantiva {

// The stages of a GPU benchmark run, in order.
enum class GpuBenchmarkStage { initializing, warmUp, measuring, sustained };

// Reported after every frame of a GPU run (and once before the device is chosen).
struct GpuRenderProgress {
    GpuBenchmarkStage stage = GpuBenchmarkStage::initializing;
    int framesDone = 0;         // frames of this stage so far, this one included
    int framesInStage = 0;      // planned frames of the stage; 0 when it has no fixed count
    double lastFrameMs = 0;
    double rollingFrameMs = 0;  // mean of the stage's recent frames
    double elapsedSeconds = 0;  // since the run's start

    // The score the current frame rate would get, to one decimal.
    double currentScore() const {
        if (!(rollingFrameMs > 0)) return 0;
        return std::round(BenchmarkBaseline::gpuReferenceFrameMs / rollingFrameMs * BenchmarkBaseline::defaultScale * 10) / 10;
    }

    bool operator==(const GpuRenderProgress&) const = default;
};

} // namespace zantiva
