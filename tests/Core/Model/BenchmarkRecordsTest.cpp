#include "Model/CpuBenchmarkResult.h"
#include "Model/GpuBenchmarkProgress.h"
#include "Model/GpuBenchmarkResult.h"
#include "Model/MemoryTestProgress.h"
#include "Model/MemoryTestResult.h"
#include "Model/StorageBenchmarkProgress.h"

#include <gtest/gtest.h>

#include <limits>

#include "RecordJsonChecks.h"

using namespace zantiva;

namespace {

CpuBenchmarkResult filledCpu() {
    CpuBenchmarkResult r;
    r.durationSeconds = 61.2;
    r.peakTemperatureCelsius = 94.5;
    r.thermalThrottleDetected = true;
    r.threadsUsed = 16;
    r.multiCoreBatchMs = 15'000.5;
    r.singleCoreBatchMs = 9'000;
    r.score = 1300.3;
    r.singleCoreScore = 118.1;
    r.sustainedScore = 1100.2;
    r.resultsVerified = false;
    r.wrongResults = 2;
    return r;
}

GpuBenchmarkResult filledGpu() {
    GpuBenchmarkResult r;
    r.averageFps = 55.25;
    r.minFps = 40.1;
    r.maxFps = 70.2;
    r.averageFrameTimeMs = 18.1;
    r.onePercentLowFps = 39.5;
    r.totalFramesRendered = 3600;
    r.durationSeconds = 60;
    r.score = 111.0;
    r.adapterName = "llvmpipe (LLVM 15.0.6, 256 bits)";
    r.renderWidth = 3840;
    r.renderHeight = 2160;
    r.outputWidth = 1920;
    r.outputHeight = 1080;
    r.samplesPerPixel = 4;
    r.sustainedScore = 105.0;
    r.sustainedAverageFrameTimeMs = 19.14;
    return r;
}

const MemoryTestResult filledMemory{536'870'912, 9'500.5, 11'200.25, 3, 30.5};

} // namespace

TEST(CpuBenchmarkResult, JsonIsStrict) {
    test::expectRoundTrip(CpuBenchmarkResult{});
    test::expectRoundTrip(filledCpu());
    test::expectStrictKeys(filledCpu(), {"peakTemperatureCelsius", "sustainedScore"});
    test::expectMistypedKeyFails(filledCpu(), "scoringVersion", "3");
    test::expectMistypedKeyFails(filledCpu(), "wrongResults", 1.5);
    test::expectMistypedKeyFails(filledCpu(), "sustainedScore", "fast");
}

TEST(GpuBenchmarkResult, JsonIsStrict) {
    test::expectRoundTrip(GpuBenchmarkResult{});
    test::expectRoundTrip(filledGpu());
    test::expectStrictKeys(filledGpu(), {"sustainedScore", "sustainedAverageFrameTimeMs"});
    test::expectMistypedKeyFails(filledGpu(), "adapterName", 5);
    test::expectMistypedKeyFails(filledGpu(), "samplesPerPixel", 4.5);
}

TEST(MemoryTestResult, JsonIsStrictAndPassedNeedsTestedBytes) {
    test::expectRoundTrip(filledMemory);
    test::expectStrictKeys(filledMemory);
    test::expectMistypedKeyFails(filledMemory, "errorsDetected", false);

    EXPECT_FALSE(MemoryTestResult{}.passed());
    MemoryTestResult r{.testedBytes = 536'870'912};
    EXPECT_TRUE(r.passed());
    r.errorsDetected = 1;
    EXPECT_FALSE(r.passed());
}

// Every progress record's share of its planned duration.
TEST(ProgressRecords, PercentCompleteIsCappedAndSafe) {
    struct Case {
        double elapsed, total, percent;
    };
    const Case cases[] = {{5, 0, 0},     {5, -1, 0},   {5, std::numeric_limits<double>::quiet_NaN(), 0},
                          {90, 60, 100}, {60, 60, 100}, {15, 60, 25}, {0, 60, 0}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ((GpuBenchmarkProgress{.elapsedSeconds = c.elapsed, .totalDurationSeconds = c.total}
                              .percentComplete()),
                         c.percent);
        EXPECT_DOUBLE_EQ((MemoryTestProgress{.elapsedSeconds = c.elapsed, .totalDurationSeconds = c.total}
                              .percentComplete()),
                         c.percent);
        EXPECT_DOUBLE_EQ(
            (StorageBenchmarkProgress{StorageTestProfile::rnd4KQ1T1, true, 12.5, c.elapsed, c.total}.percentComplete()),
            c.percent);
    }
}
