#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "Platform/CancelToken.h"
#include "Engines/GPUBenchmarkConfiguration.h"
#include "Engines/GpuRenderer.h"
#include "Model/GpuBenchmarkResult.h"
#include "Model/GpuRenderProgress.h"
#include "Platform/ProcessActivity.h"

namespace zantiva {

// Scores the graphics processor by the mean time of one frame of a fixed ray-marched
// fractal scene: warms up until frame times settle, measures a fixed number of frames
// (fewer on a very slow GPU), then keeps rendering for the rest of the duration in a
// sustained stage whose last frames give a second score.
class GPURaymarchBenchmark {
public:
    using Progress = std::function<void(const GpuRenderProgress&)>;
    using Preview = std::function<void(const GpuPreviewImage&)>;
    // Raw monotonic nanoseconds.
    using Clock = std::function<std::uint64_t()>;

    // An empty factory means the OpenGL ES renderer. Throws std::invalid_argument for a
    // configuration that cannot be rendered (GPUBenchmarkConfiguration::validate).
    explicit GPURaymarchBenchmark(GPUBenchmarkConfiguration configuration = GPUBenchmarkConfiguration::standard(),
                                  GpuRendererFactory rendererFactory = {}, Clock clock = {},
                                  std::shared_ptr<ProcessActivity> activity = noProcessActivity());

    // Blocks until the run has ended on its own thread; durationSeconds counts from the
    // start to the end of the sustained stage. Both callbacks are called on the engine
    // thread. Throws CancellationError, GPUBenchmarkError, or std::invalid_argument for a
    // duration that is not finite.
    GpuBenchmarkResult run(double durationSeconds, const Progress& progress, const Preview& preview,
                           const CancelToken& cancel) const;

    const GPUBenchmarkConfiguration& configuration() const { return configuration_; }

    // Frames of the measured stage after a warm frame of warmFrameMs: the configured
    // count, lowered to fit maximumMeasuredBatch but not below minimumMeasuredFrames.
    static int measuredFrameCount(const GPUBenchmarkConfiguration& configuration, double warmFrameMs);

    // The result from the measured frame times (at least one) and the sustained mean.
    static GpuBenchmarkResult makeResult(std::span<const double> frameTimes, std::optional<double> sustainedMeanMs,
                                         std::int64_t totalFrames, double seconds, std::string_view adapterName,
                                         const GPUBenchmarkConfiguration& configuration);

private:
    GpuBenchmarkResult execute(double durationSeconds, const Progress& progress, const Preview& preview,
                               const CancelToken& cancel) const;

    GPUBenchmarkConfiguration configuration_;
    GpuRendererFactory rendererFactory_;
    Clock clock_;
    std::shared_ptr<ProcessActivity> activity_;
};

} // namespace zantiva
