#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Model/BenchmarkBaseline.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// The final result of a GPU benchmark run; the engine overwrites every field.
struct GpuBenchmarkResult {
    double averageFps = 0;
    double minFps = 0;                         // of the slowest measured frame
    double maxFps = 0;                         // of the fastest measured frame
    double averageFrameTimeMs = 0;
    double onePercentLowFps = 0;
    std::int64_t totalFramesRendered = 0;
    double durationSeconds = 0;
    double score = 0;                          // reference 100
    std::string adapterName;                   // trimmed
    std::int64_t renderWidth = 0;              // supersampled render target
    std::int64_t renderHeight = 0;
    std::int64_t outputWidth = 0;              // resolved output image
    std::int64_t outputHeight = 0;
    std::int64_t samplesPerPixel = 0;
    double referenceFrameMs = BenchmarkBaseline::gpuReferenceFrameMs;
    // Both present or both absent: the sustained stage ran or it did not.
    std::optional<double> sustainedScore;
    std::optional<double> sustainedAverageFrameTimeMs;

    bool operator==(const GpuBenchmarkResult&) const = default;
    json::Json toJson() const;
    static GpuBenchmarkResult fromJson(const json::Json& j);
};

} // namespace zantiva
