#include "Engines/GPURaymarchBenchmark.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include "Engines/EngineThread.h"
#include "Engines/GPUBenchmarkError.h"
#include "Engines/GpuBands.h"
#include "Engines/GpuGlesRenderer.h"
#include "Model/BenchmarkBaseline.h"
#include "Model/SpecText.h"
#include "Platform/MonotonicClock.h"

namespace zantiva {
namespace {

constexpr std::int64_t firstWarmUpFrame = 100'000;
constexpr std::size_t rollingFrames = 20;
constexpr std::size_t settleGroup = 8;
constexpr double settleTolerance = 0.03;
constexpr double previewIntervalSeconds = 4.0;

double roundTo(double value, double scale) { return std::round(value * scale) / scale; }
double rate(double frameMs) { return frameMs > 0 ? 1000.0 / frameMs : 0; }
double meanOf(std::span<const double> values) {
    if (values.empty()) return 0;
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

// The last `rollingFrames` frame times of a stage.
class RecentFrames {
public:
    void add(double ms) {
        if (times_.size() == rollingFrames) times_.pop_front();
        times_.push_back(ms);
    }
    bool empty() const { return times_.empty(); }
    double mean() const { return std::accumulate(times_.begin(), times_.end(), 0.0) / static_cast<double>(times_.size()); }

private:
    std::deque<double> times_;
};

// One run on the engine thread: the renderer, the stopwatch and the callbacks.
class Run {
public:
    Run(const GPUBenchmarkConfiguration& configuration, GpuRenderer& renderer, const GPURaymarchBenchmark::Clock& clock,
        std::uint64_t start, const GPURaymarchBenchmark::Progress& progress,
        const GPURaymarchBenchmark::Preview& preview)
        : configuration_(configuration), renderer_(renderer), clock_(clock), start_(start), progress_(progress),
          preview_(preview) {}

    double seconds() const { return secondsSince(start_); }

    // Renders until frame times settle and returns the mean of the last warm frames.
    double warmUp() {
        const std::uint64_t warmStart = clock_();
        std::vector<double> times;
        for (std::int64_t index = firstWarmUpFrame;; ++index) {
            const double t = renderer_.renderFrame(index);
            times.push_back(t);
            adaptBands(t);
            report({GpuBenchmarkStage::warmUp, static_cast<int>(times.size()), 0, t, t, seconds()});
            const double warmSeconds = secondsSince(warmStart);
            if (warmSeconds >= configuration_.maximumWarmUp) break;
            if (warmSeconds >= configuration_.minimumWarmUp && settled(times)) break;
        }
        const std::size_t last = std::min(times.size(), settleGroup);
        return meanOf(std::span(times).last(last));
    }

    // The measured frames, with frame indices from 0.
    std::vector<double> measure(int frames) {
        std::vector<double> times;
        RecentFrames recent;
        for (int i = 0; i < std::max(frames, 1); ++i) {
            const double t = renderer_.renderFrame(i);
            times.push_back(t);
            recent.add(t);
            report({GpuBenchmarkStage::measuring, i + 1, frames, t, recent.mean(), seconds()});
        }
        return times;
    }

    // Frames until the duration has passed, with indices from firstIndex; the mean of the
    // last ones, absent when none was rendered.
    std::optional<double> sustain(double durationSeconds, std::int64_t firstIndex, std::int64_t& frames) {
        RecentFrames recent;
        double lastPreview = seconds();
        for (std::int64_t index = firstIndex; seconds() < durationSeconds; ++index) {
            const double t = renderer_.renderFrame(index);
            ++frames;
            recent.add(t);
            adaptBands(t);
            report({GpuBenchmarkStage::sustained, static_cast<int>(frames), 0, t, recent.mean(), seconds()});
            if (seconds() - lastPreview >= previewIntervalSeconds) {
                lastPreview = seconds();
                deliverPreview();
            }
        }
        if (recent.empty()) return std::nullopt;
        return recent.mean();
    }

    void setBands(int bands) { renderer_.setBands(bands); }

    void report(const GpuRenderProgress& value) const {
        if (progress_) progress_(value);
    }

    // Previews never decide the run: one that fails is skipped.
    void deliverPreview() {
        if (!preview_) return;
        try {
            if (const auto image = renderer_.capturePreview()) preview_(*image);
        } catch (const GPUBenchmarkError&) {
        }
    }

private:
    double secondsSince(std::uint64_t from) const { return nanosecondsToSeconds(clock_() - from); }

    void adaptBands(double frameMs) {
        renderer_.setBands(configuration_.forcedBands.value_or(bandsForFrameTime(frameMs)));
    }

    // The last group of frames is within the tolerance of the group before it.
    static bool settled(const std::vector<double>& times) {
        if (times.size() < 2 * settleGroup) return false;
        const auto end = times.end();
        const double a = meanOf(std::span(end - 2 * settleGroup, end - settleGroup));
        const double b = meanOf(std::span(end - settleGroup, end));
        return std::abs(b - a) <= settleTolerance * a;
    }

    const GPUBenchmarkConfiguration& configuration_;
    GpuRenderer& renderer_;
    const GPURaymarchBenchmark::Clock& clock_;
    const std::uint64_t start_;
    const GPURaymarchBenchmark::Progress& progress_;
    const GPURaymarchBenchmark::Preview& preview_;
};

} // namespace

GPURaymarchBenchmark::GPURaymarchBenchmark(GPUBenchmarkConfiguration configuration, GpuRendererFactory rendererFactory,
                                           Clock clock, std::shared_ptr<ProcessActivity> activity)
    : configuration_(configuration), rendererFactory_(std::move(rendererFactory)), clock_(std::move(clock)),
      activity_(activity ? std::move(activity) : noProcessActivity()) {
    configuration_.validate();
    if (!rendererFactory_) rendererFactory_ = makeGlesRenderer;
    if (!clock_) clock_ = monotonicRawNanoseconds;
}

GpuBenchmarkResult GPURaymarchBenchmark::run(double durationSeconds, const Progress& progress, const Preview& preview,
                                             const CancelToken& cancel) const {
    if (!std::isfinite(durationSeconds)) throw std::invalid_argument("GPU benchmark duration must be finite");
    const std::function<GpuBenchmarkResult()> body = [&] { return execute(durationSeconds, progress, preview, cancel); };
    return runOnEngineThread({"com.zantiva.gpu-benchmark", "zv-gpu", ThreadQoS::userInitiated}, body);
}

GpuBenchmarkResult GPURaymarchBenchmark::execute(double durationSeconds, const Progress& progress,
                                                 const Preview& preview, const CancelToken& cancel) const {
    const auto hold = activity_->begin("Zantiva GPU benchmark", {true, true});
    const std::uint64_t start = clock_();
    if (progress) progress(GpuRenderProgress{});

    const std::unique_ptr<GpuRenderer> renderer = rendererFactory_(configuration_, cancel);
    Run run(configuration_, *renderer, clock_, start, progress, preview);
    const auto& forced = configuration_.forcedBands;
    run.setBands(forced.value_or(8));

    const double warmMs = run.warmUp();
    const int frames = measuredFrameCount(configuration_, warmMs);
    run.setBands(forced.value_or(bandsForFrameTime(warmMs)));
    const std::vector<double> measured = run.measure(frames);

    run.deliverPreview();
    std::int64_t sustainedFrames = 0;
    const auto sustainedMean =
        run.sustain(durationSeconds, static_cast<std::int64_t>(measured.size()), sustainedFrames);

    return makeResult(measured, sustainedMean, static_cast<std::int64_t>(measured.size()) + sustainedFrames,
                      run.seconds(), renderer->adapterName(), configuration_);
}

int GPURaymarchBenchmark::measuredFrameCount(const GPUBenchmarkConfiguration& configuration, double warmFrameMs) {
    const double capMs = configuration.maximumMeasuredBatch * 1000.0;
    if (!(capMs < warmFrameMs * configuration.measuredFrames)) return configuration.measuredFrames;
    return std::max(configuration.minimumMeasuredFrames, static_cast<int>(capMs / warmFrameMs));
}

GpuBenchmarkResult GPURaymarchBenchmark::makeResult(std::span<const double> frameTimes,
                                                    std::optional<double> sustainedMeanMs, std::int64_t totalFrames,
                                                    double seconds, std::string_view adapterName,
                                                    const GPUBenchmarkConfiguration& configuration) {
    const double mean = meanOf(frameTimes);
    std::vector<double> slowestFirst(frameTimes.begin(), frameTimes.end());
    std::sort(slowestFirst.begin(), slowestFirst.end(), std::greater<>());
    const auto lowCount = std::max<std::size_t>(
        static_cast<std::size_t>(std::ceil(static_cast<double>(slowestFirst.size()) * 0.01)), 1);
    const double low = meanOf(std::span(slowestFirst).first(std::min(lowCount, slowestFirst.size())));

    GpuBenchmarkResult result;
    result.averageFps = roundTo(rate(mean), 100);
    if (!slowestFirst.empty()) {
        result.minFps = roundTo(rate(slowestFirst.front()), 100);
        result.maxFps = roundTo(rate(slowestFirst.back()), 100);
    }
    result.averageFrameTimeMs = roundTo(mean, 100);
    result.onePercentLowFps = roundTo(rate(low), 100);
    result.totalFramesRendered = totalFrames;
    result.durationSeconds = roundTo(seconds, 10);
    result.score = roundTo(BenchmarkBaseline::gpuScore(mean), 10);
    result.adapterName = std::string(specText::trimmed(adapterName));
    result.renderWidth = configuration.internalWidth();
    result.renderHeight = configuration.internalHeight();
    result.outputWidth = configuration.outputWidth;
    result.outputHeight = configuration.outputHeight;
    result.samplesPerPixel = configuration.samplesPerPixel();
    result.referenceFrameMs = BenchmarkBaseline::gpuReferenceFrameMs;
    if (sustainedMeanMs) {
        result.sustainedScore = roundTo(BenchmarkBaseline::gpuScore(*sustainedMeanMs), 10);
        result.sustainedAverageFrameTimeMs = roundTo(*sustainedMeanMs, 100);
    }
    return result;
}

} // namespace zantiva
