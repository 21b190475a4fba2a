#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "../../Support/RecordingActivity.h"
#include "../../Support/ThrownBy.h"
#include "Engines/GPUBenchmarkError.h"
#include "Engines/GPURaymarchBenchmark.h"
#include "Platform/NamedThread.h"

namespace zantiva {
namespace {

// A scripted GPU: each frame takes the time the script gives for its index and moves the
// fake clock on by as much. Records what the benchmark asked of it.
struct FakeGpu {
    std::function<double(std::int64_t index, int frameNumber)> frameMs = [](std::int64_t, int) { return 10.0; };
    std::uint64_t now = 1'000'000'000; // the clock does not start at 0
    std::vector<std::int64_t> indices;
    std::vector<int> bandsPerFrame;
    std::vector<double> previewTimes; // seconds on the fake clock
    std::string thread;
    std::string name = " llvmpipe (LLVM 15.0.6, 256 bits)\n";
    std::function<void(int frameNumber)> beforeFrame; // may throw
    bool previewFails = false;
    int factoryCalls = 0;

    GPURaymarchBenchmark::Clock clock() {
        return [this] { return now; };
    }
    void advance(double ms) { now += static_cast<std::uint64_t>(std::llround(ms * 1'000'000.0)); }
};

class FakeRenderer final : public GpuRenderer {
public:
    FakeRenderer(FakeGpu& gpu, const GPUBenchmarkConfiguration& configuration, CancelToken cancel)
        : gpu_(gpu), bands_(configuration.forcedBands.value_or(8)), cancel_(std::move(cancel)) {}

    std::string adapterName() const override { return gpu_.name; }
    void setBands(int bands) override { bands_ = bands; }
    double renderFrame(std::int64_t index) override {
        cancel_.throwIfCancelled();
        const int number = static_cast<int>(gpu_.indices.size());
        if (gpu_.beforeFrame) gpu_.beforeFrame(number);
        gpu_.thread = currentThreadName();
        gpu_.indices.push_back(index);
        gpu_.bandsPerFrame.push_back(bands_);
        const double ms = gpu_.frameMs(index, number);
        gpu_.advance(ms);
        return ms;
    }
    std::optional<GpuPreviewImage> capturePreview() override {
        gpu_.previewTimes.push_back(static_cast<double>(gpu_.now - 1'000'000'000) / 1e9);
        if (gpu_.previewFails) throw GPUBenchmarkError::commandBufferFailed("");
        return GpuPreviewImage{1, 1, {1, 2, 3, 255}};
    }

private:
    FakeGpu& gpu_;
    int bands_;
    CancelToken cancel_;
};

GPURaymarchBenchmark benchmarkOn(FakeGpu& gpu, GPUBenchmarkConfiguration configuration = {},
                                 std::shared_ptr<ProcessActivity> activity = noProcessActivity()) {
    GpuRendererFactory factory = [&gpu](const GPUBenchmarkConfiguration& c, const CancelToken& cancel) {
        ++gpu.factoryCalls;
        return std::make_unique<FakeRenderer>(gpu, c, cancel);
    };
    return GPURaymarchBenchmark(configuration, factory, gpu.clock(), std::move(activity));
}

std::vector<std::int64_t> range(std::int64_t from, std::int64_t count) {
    std::vector<std::int64_t> values;
    for (std::int64_t i = 0; i < count; ++i) values.push_back(from + i);
    return values;
}

TEST(GpuRaymarchBenchmark, MeasuredFramesAreCappedByTheBatchTimeButKeepTheMinimum) {
    const GPUBenchmarkConfiguration c;
    EXPECT_EQ(GPURaymarchBenchmark::measuredFrameCount(c, 500), 60);
    EXPECT_EQ(GPURaymarchBenchmark::measuredFrameCount(c, 750), 60); // exactly 45 s is not above it
    EXPECT_EQ(GPURaymarchBenchmark::measuredFrameCount(c, 1000), 45);
    EXPECT_EQ(GPURaymarchBenchmark::measuredFrameCount(c, 5000), 10); // 9 would be below the minimum
}

TEST(GpuRaymarchBenchmark, ResultFromMeasuredFrames) {
    const GPUBenchmarkConfiguration c;
    const std::vector<double> reference(60, 20.1);
    const auto r = GPURaymarchBenchmark::makeResult(reference, std::nullopt, 60, 17.34, " Radeon\n", c);
    EXPECT_DOUBLE_EQ(r.score, 100.0);
    EXPECT_DOUBLE_EQ(r.averageFps, 49.75);
    EXPECT_DOUBLE_EQ(r.averageFrameTimeMs, 20.1);
    EXPECT_DOUBLE_EQ(r.durationSeconds, 17.3);
    EXPECT_EQ(r.adapterName, "Radeon");
    EXPECT_FALSE(r.sustainedScore);
    EXPECT_FALSE(r.sustainedAverageFrameTimeMs);

    // 60 frames: the 1 % low is the single slowest frame.
    std::vector<double> sixty(60, 10.0);
    sixty[7] = 40.0;
    sixty[8] = 20.0;
    auto low = GPURaymarchBenchmark::makeResult(sixty, 12.5, 70, 1, "x", c);
    EXPECT_DOUBLE_EQ(low.minFps, 25.0);
    EXPECT_DOUBLE_EQ(low.maxFps, 100.0);
    EXPECT_DOUBLE_EQ(low.onePercentLowFps, low.minFps);
    EXPECT_DOUBLE_EQ(*low.sustainedScore, 160.8);
    EXPECT_DOUBLE_EQ(*low.sustainedAverageFrameTimeMs, 12.5);
    EXPECT_EQ(low.totalFramesRendered, 70);

    // 150 frames: the mean of the two slowest.
    std::vector<double> many(150, 10.0);
    many[3] = 40.0;
    many[100] = 20.0;
    EXPECT_DOUBLE_EQ(GPURaymarchBenchmark::makeResult(many, std::nullopt, 150, 1, "x", c).onePercentLowFps, 33.33);
    // Scores round the frame time's score, not the frame rate's: 20.1 / 30 × 100 = 67.0.
    EXPECT_DOUBLE_EQ(GPURaymarchBenchmark::makeResult(std::vector<double>{30.0}, 0.0, 1, 1, "x", c).score, 67.0);
    EXPECT_EQ(*GPURaymarchBenchmark::makeResult(std::vector<double>{30.0}, 0.0, 1, 1, "x", c).sustainedScore, 0);
}

TEST(GpuRaymarchBenchmark, SteadyFastGpuWarmsUpMeasuresAndSustains) {
    FakeGpu gpu;
    testing::RecordingActivity activity;
    std::vector<GpuRenderProgress> reports;
    std::vector<GpuPreviewImage> previews;
    const auto result = benchmarkOn(gpu, {}, std::shared_ptr<ProcessActivity>(&activity, [](auto*) {}))
                            .run(10.0, [&](const GpuRenderProgress& p) { reports.push_back(p); },
                                 [&](const GpuPreviewImage& image) { previews.push_back(image); }, CancelToken());

    // Warm-up: 10 ms frames settle at once, so it ends at its first frame past 2.5 s.
    const std::int64_t warm = 250;
    ASSERT_GE(gpu.indices.size(), static_cast<std::size_t>(warm + 60));
    EXPECT_EQ(std::vector(gpu.indices.begin(), gpu.indices.begin() + warm), range(100'000, warm));
    EXPECT_EQ(std::vector(gpu.indices.begin() + warm, gpu.indices.begin() + warm + 60), range(0, 60));
    const auto sustained = static_cast<std::int64_t>(gpu.indices.size()) - warm - 60;
    EXPECT_EQ(std::vector(gpu.indices.begin() + warm + 60, gpu.indices.end()), range(60, sustained));
    // The sustained stage lasts until 10 s from the start.
    EXPECT_EQ(sustained, 1000 - warm - 60);

    EXPECT_EQ(result.totalFramesRendered, 60 + sustained);
    EXPECT_DOUBLE_EQ(result.averageFrameTimeMs, 10.0);
    EXPECT_DOUBLE_EQ(result.score, 201.0);
    EXPECT_DOUBLE_EQ(*result.sustainedScore, 201.0);
    EXPECT_DOUBLE_EQ(result.durationSeconds, 10.0);
    EXPECT_EQ(result.adapterName, "llvmpipe (LLVM 15.0.6, 256 bits)");
    EXPECT_EQ(gpu.thread, "zv-gpu");
    EXPECT_EQ(gpu.factoryCalls, 1);

    // One first report before the device, then every frame in stage order.
    ASSERT_EQ(reports.size(), gpu.indices.size() + 1);
    EXPECT_EQ(reports.front(), GpuRenderProgress{});
    EXPECT_EQ(reports.front().currentScore(), 0); // no frame time yet: no division by zero
    EXPECT_EQ(reports[1], (GpuRenderProgress{GpuBenchmarkStage::warmUp, 1, 0, 10, 10, 0.01}));
    // Times are since the run's start.
    EXPECT_EQ(reports[warm + 1], (GpuRenderProgress{GpuBenchmarkStage::measuring, 1, 60, 10, 10, 2.51}));
    EXPECT_EQ(reports[warm + 60].framesDone, 60);
    EXPECT_EQ(reports[warm + 61], (GpuRenderProgress{GpuBenchmarkStage::sustained, 1, 0, 10, 10, 3.11}));
    EXPECT_EQ(reports.back().framesDone, sustained);

    // A preview after the measured frames (3.1 s), then one each 4 s of the sustained stage.
    ASSERT_EQ(gpu.previewTimes.size(), 2u);
    EXPECT_NEAR(gpu.previewTimes[0], 3.1, 1e-9);
    EXPECT_GE(gpu.previewTimes[1], 7.1 - 1e-9);
    EXPECT_LE(gpu.previewTimes[1], 7.11 + 1e-9); // the first frame end at least 4 s later
    EXPECT_EQ(previews.size(), 2u);

    EXPECT_EQ(activity.reasons, std::vector<std::string>{"Zantiva GPU benchmark"});
    EXPECT_TRUE(activity.lastOptions.keepDisplayAwake);
    EXPECT_EQ(activity.ended, 1);
}

TEST(GpuRaymarchBenchmark, SustainedScoreComesFromTheLastTwentyFrames) {
    FakeGpu gpu;
    // Sustained frames of 20 ms, the last 20 of them of 40 ms: 2.5 s of warm-up, 0.6 s
    // measured, 420 × 20 ms and 20 × 40 ms end at 12.3 s.
    gpu.frameMs = [](std::int64_t index, int) { return index >= 60 && index < 100'000 ? (index >= 480 ? 40.0 : 20.0) : 10.0; };
    std::vector<GpuRenderProgress> reports;
    const auto result =
        benchmarkOn(gpu).run(12.29, [&](const GpuRenderProgress& p) { reports.push_back(p); }, {}, CancelToken());
    ASSERT_EQ(gpu.indices.back(), 499);
    EXPECT_DOUBLE_EQ(*result.sustainedAverageFrameTimeMs, 40.0);
    EXPECT_DOUBLE_EQ(*result.sustainedScore, 50.3);
    EXPECT_DOUBLE_EQ(result.averageFrameTimeMs, 10.0);
    EXPECT_DOUBLE_EQ(reports.back().rollingFrameMs, 40.0);
    EXPECT_DOUBLE_EQ(reports.back().currentScore(), 50.3);
}

TEST(GpuRaymarchBenchmark, ShortDurationRunsNoSustainedFramesAndWorksWithoutCallbacks) {
    FakeGpu gpu;
    const auto result = benchmarkOn(gpu).run(0, {}, {}, CancelToken());
    EXPECT_EQ(result.totalFramesRendered, 60);
    EXPECT_FALSE(result.sustainedScore);
    EXPECT_FALSE(result.sustainedAverageFrameTimeMs);
    EXPECT_EQ(gpu.indices.size(), 250u + 60u);
    EXPECT_TRUE(gpu.previewTimes.empty()); // no callback, no capture

    // Nor does it need an activity source: without one nothing is held.
    FakeGpu unattended;
    EXPECT_EQ(benchmarkOn(unattended, {}, nullptr).run(0, {}, {}, CancelToken()).totalFramesRendered, 60);
}

TEST(GpuRaymarchBenchmark, SlowGpuWarmsUpByTheTimeLimitAndBandsFollowFrameTimes) {
    FakeGpu gpu;
    gpu.frameMs = [](std::int64_t, int) { return 1000.0; };
    const auto result = benchmarkOn(gpu).run(0, {}, {}, CancelToken());
    // 12 warm frames of 1 s end by the 12 s limit; a 1 s warm frame allows 45 measured.
    EXPECT_EQ(std::count_if(gpu.indices.begin(), gpu.indices.end(), [](auto i) { return i >= 100'000; }), 12);
    EXPECT_EQ(result.totalFramesRendered, 45);
    EXPECT_EQ(gpu.bandsPerFrame.front(), 8);     // before the first frame
    EXPECT_EQ(gpu.bandsPerFrame[1], 3);          // ⌈1000 / 400⌉
    EXPECT_EQ(gpu.bandsPerFrame.back(), 3);

    // A first frame of 13 s ends the warm-up at once and leaves the minimum of 10 frames.
    FakeGpu slow;
    slow.frameMs = [](std::int64_t, int) { return 13'000.0; };
    const auto slowResult = benchmarkOn(slow).run(0, {}, {}, CancelToken());
    EXPECT_EQ(slow.indices.size(), 1u + 10u);
    EXPECT_EQ(slowResult.totalFramesRendered, 10);
    EXPECT_EQ(slow.bandsPerFrame[1], 16);

    // Frames that keep getting slower never settle: the warm-up ends with the first frame
    // that reaches 12 s.
    FakeGpu drifting;
    drifting.frameMs = [](std::int64_t, int n) { return 10.0 + n; };
    benchmarkOn(drifting).run(0, {}, {}, CancelToken());
    double warmMs = 0;
    double lastMs = 0;
    for (std::size_t i = 0; i < drifting.indices.size() && drifting.indices[i] >= 100'000; ++i) {
        lastMs = drifting.frameMs(drifting.indices[i], static_cast<int>(i));
        warmMs += lastMs;
    }
    EXPECT_GE(warmMs, 12'000.0);
    EXPECT_LT(warmMs - lastMs, 12'000.0);
}

TEST(GpuRaymarchBenchmark, ForcedBandsAreUsedUnchangedForEveryFrame) {
    FakeGpu gpu;
    gpu.frameMs = [](std::int64_t, int) { return 100.0; };
    benchmarkOn(gpu, {.forcedBands = 40}).run(5.0, {}, {}, CancelToken()); // not limited to 16
    EXPECT_EQ(std::set(gpu.bandsPerFrame.begin(), gpu.bandsPerFrame.end()), std::set{40});
}

TEST(GpuRaymarchBenchmark, RefusesWhatCannotBeRendered) {
    FakeGpu gpu;
    const GPUBenchmarkConfiguration refused[] = {
        {.forcedBands = 0}, {.forcedBands = -2}, {.outputHeight = 0}, {.outputWidth = 1 << 30, .supersampleFactor = 4}};
    for (const auto& c : refused) EXPECT_THROW(benchmarkOn(gpu, c), std::invalid_argument);
    EXPECT_THROW(benchmarkOn(gpu).run(std::nan(""), {}, {}, CancelToken()), std::invalid_argument);
    EXPECT_EQ(gpu.factoryCalls, 0);
}

TEST(GpuRaymarchBenchmark, FailuresEndTheRunWithoutAResult) {
    // No device: the error comes back unchanged after the first report.
    FakeGpu none;
    testing::RecordingActivity activity;
    std::vector<GpuRenderProgress> reports;
    const GpuRendererFactory noDevice = [](const GPUBenchmarkConfiguration&, const CancelToken&) -> std::unique_ptr<GpuRenderer> {
        throw GPUBenchmarkError::noDevice();
    };
    const GPURaymarchBenchmark withoutDevice({}, noDevice, none.clock(),
                                             std::shared_ptr<ProcessActivity>(&activity, [](auto*) {}));
    EXPECT_EQ(testing::thrownBy<GPUBenchmarkError>([&] {
                  withoutDevice.run(60, [&](const GpuRenderProgress& p) { reports.push_back(p); }, {}, CancelToken());
              }),
              GPUBenchmarkError::noDevice());
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(activity.ended, 1);

    // A frame that fails in the measured stage ends the run.
    FakeGpu failing;
    failing.beforeFrame = [](int n) {
        if (n == 260) throw GPUBenchmarkError::commandBufferFailed("");
    };
    const auto failed = testing::thrownBy<GPUBenchmarkError>([&] { benchmarkOn(failing).run(60, {}, {}, CancelToken()); });
    EXPECT_EQ(failed.kind(), GPUBenchmarkError::Kind::commandBufferFailed);
    EXPECT_FALSE(failed.detail().empty()) << "the user is told something, even when the driver says nothing";
    EXPECT_EQ(failing.indices.size(), 260u);

    // Failing previews are skipped; the run goes on.
    FakeGpu blurry;
    blurry.previewFails = true;
    int delivered = 0;
    const auto result = benchmarkOn(blurry).run(8, {}, [&](const GpuPreviewImage&) { ++delivered; }, CancelToken());
    EXPECT_EQ(delivered, 0);
    EXPECT_EQ(blurry.previewTimes.size(), 2u);
    EXPECT_GT(*result.sustainedScore, 0);
}

TEST(GpuRaymarchBenchmark, CancellationStopsAtTheNextFrame) {
    FakeGpu gpu;
    CancelToken cancel;
    gpu.beforeFrame = [&](int n) {
        if (n == 300) cancel.cancel();
    };
    EXPECT_THROW(benchmarkOn(gpu).run(60, {}, {}, cancel), CancellationError);
    EXPECT_EQ(gpu.indices.size(), 301u);

    // Already cancelled: the renderer is still built; the first frame stops the run.
    FakeGpu early;
    EXPECT_THROW(benchmarkOn(early).run(60, {}, {}, cancel), CancellationError);
    EXPECT_EQ(early.factoryCalls, 1);
    EXPECT_TRUE(early.indices.empty());

    // The same object runs again with a fresh token.
    EXPECT_EQ(benchmarkOn(early).run(0, {}, {}, CancelToken()).totalFramesRendered, 60);
}

} // namespace
} // namespace zantiva
