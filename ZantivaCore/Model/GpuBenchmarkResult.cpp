#include "Model/GpuBenchmarkResult.h"

#include "Model/RecordFields.h"

namespace zantiva {

namespace {
constexpr auto fields = std::tuple{
    json::field("averageFps", &GpuBenchmarkResult::averageFps),
    json::field("minFps", &GpuBenchmarkResult::minFps),
    json::field("maxFps", &GpuBenchmarkResult::maxFps),
    json::field("averageFrameTimeMs", &GpuBenchmarkResult::averageFrameTimeMs),
    json::field("onePercentLowFps", &GpuBenchmarkResult::onePercentLowFps),
    json::field("totalFramesRendered", &GpuBenchmarkResult::totalFramesRendered),
    json::field("durationSeconds", &GpuBenchmarkResult::durationSeconds),
    json::field("score", &GpuBenchmarkResult::score),
    json::field("adapterName", &GpuBenchmarkResult::adapterName),
    json::field("renderWidth", &GpuBenchmarkResult::renderWidth),
    json::field("renderHeight", &GpuBenchmarkResult::renderHeight),
    json::field("outputWidth", &GpuBenchmarkResult::outputWidth),
    json::field("outputHeight", &GpuBenchmarkResult::outputHeight),
    json::field("samplesPerPixel", &GpuBenchmarkResult::samplesPerPixel),
    json::field("referenceFrameMs", &GpuBenchmarkResult::referenceFrameMs),
    json::field("sustainedScore", &GpuBenchmarkResult::sustainedScore),
    json::field("sustainedAverageFrameTimeMs", &GpuBenchmarkResult::sustainedAverageFrameTimeMs),
};
} // namespace

json::Json GpuBenchmarkResult::toJson() const { return json::encodeFields(*this, fields); }
GpuBenchmarkResult GpuBenchmarkResult::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
