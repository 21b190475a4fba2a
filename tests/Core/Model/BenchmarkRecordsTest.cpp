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

// Every field off its default, so that a field mixed up with another shows.
CpuBenchmarkResult filledCpu() {
    return {.durationSeconds = 61.2, .peakTemperatureCelsius = 94.5, .thermalThrottleDetected = true,
            .threadsUsed = 16, .multiCoreBatchMs = 15'000.5, .singleCoreBatchMs = 9'000, .score = 1300.3,
            .singleCoreScore = 118.1, .sustainedScore = 1100.2, .resultsVerified = false, .wrongResults = 2};
}

GpuBenchmarkResult filledGpu() {
    return {.averageFps = 55.25, .minFps = 40.1, .maxFps = 70.2, .averageFrameTimeMs = 18.1, .onePercentLowFps = 39.5,
            .totalFramesRendered = 3600, .durationSeconds = 60, .score = 111.0,
            .adapterName = "llvmpipe (LLVM 15.0.6, 256 bits)", .renderWidth = 3840, .renderHeight = 2160,
            .outputWidth = 1920, .outputHeight = 1080, .samplesPerPixel = 4, .sustainedScore = 105.0,
            .sustainedAverageFrameTimeMs = 19.14};
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
