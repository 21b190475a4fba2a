#include "Model/CpuBenchmarkProgress.h"
#include "Model/CpuBenchmarkResult.h"
#include "Model/GpuBenchmarkProgress.h"
#include "Model/GpuBenchmarkResult.h"
#include "Model/MemoryTestProgress.h"
#include "Model/MemoryTestResult.h"

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

TEST(CpuBenchmarkResult, DefaultsWriteTwelveKeys) {
    const json::Json j = CpuBenchmarkResult{}.toJson();
    EXPECT_EQ(j.size(), 12u);
    EXPECT_FALSE(j.contains("peakTemperatureCelsius"));
    EXPECT_FALSE(j.contains("sustainedScore"));
    EXPECT_EQ(j["scoringVersion"], 3);
    EXPECT_EQ(j["resultsVerified"], true);
    EXPECT_EQ(j["referenceMultiCoreMs"], 19505.0);
    EXPECT_EQ(j["referenceSingleCoreMs"], 10633.0);
    test::expectRoundTrip(CpuBenchmarkResult{});
}

TEST(CpuBenchmarkResult, JsonIsStrict) {
    test::expectRoundTrip(filledCpu());
    test::expectStrictKeys(filledCpu(), {"peakTemperatureCelsius", "sustainedScore"});
    test::expectMistypedKeyFails(filledCpu(), "scoringVersion", "3");
    test::expectMistypedKeyFails(filledCpu(), "wrongResults", 1.5);
    test::expectMistypedKeyFails(filledCpu(), "sustainedScore", "fast");
}

TEST(CpuBenchmarkResult, NonFiniteFiguresNeverReachTheFile) {
    CpuBenchmarkResult r = filledCpu();
    r.score = std::numeric_limits<double>::infinity();
    r.sustainedScore = std::nan("");
    const json::Json j = r.toJson();
    EXPECT_EQ(j["score"], 0.0);
    EXPECT_FALSE(j.contains("sustainedScore"));
    EXPECT_NO_THROW(CpuBenchmarkResult::fromJson(json::Json::parse(j.dump())));
}

TEST(CpuBenchmarkProgress, PercentAndEquality) {
    CpuBenchmarkProgress p;
    p.overallFraction = 0.5;
    EXPECT_DOUBLE_EQ(p.percentComplete(), 50);
    CpuBenchmarkProgress q = p;
    q.currentLoadPercent = 12;
    EXPECT_NE(p, q);
    EXPECT_EQ(fromRaw<CpuBenchmarkPhase>("singleCore"), CpuBenchmarkPhase::singleCore);
    EXPECT_EQ(fromRaw<CpuBenchmarkPhase>("multicore"), std::nullopt);
    EXPECT_EQ(localizationKey(CpuBenchmarkPhase::sustained), "Cpu.Phase.Sustained");
}

TEST(GpuBenchmarkResult, DefaultsWriteFifteenKeys) {
    const json::Json j = GpuBenchmarkResult{}.toJson();
    EXPECT_EQ(j.size(), 15u);
    EXPECT_EQ(j["adapterName"], "");
    EXPECT_EQ(j["referenceFrameMs"], 20.1);
    EXPECT_FALSE(j.contains("sustainedScore"));
    test::expectRoundTrip(GpuBenchmarkResult{});
}

TEST(GpuBenchmarkResult, JsonIsStrict) {
    test::expectRoundTrip(filledGpu());
    test::expectStrictKeys(filledGpu(), {"sustainedScore", "sustainedAverageFrameTimeMs"});
    test::expectMistypedKeyFails(filledGpu(), "adapterName", 5);
    test::expectMistypedKeyFails(filledGpu(), "samplesPerPixel", 4.5);
}

TEST(MemoryTestResult, JsonIsStrictAndPassedNeedsTestedBytes) {
    test::expectRoundTrip(filledMemory);
    test::expectStrictKeys(filledMemory);
    test::expectMistypedKeyFails(filledMemory, "errorsDetected", false);
    EXPECT_EQ(filledMemory.toJson()["testedBytes"], 536'870'912);

    EXPECT_FALSE(MemoryTestResult{}.passed());
    MemoryTestResult r{.testedBytes = 536'870'912};
    EXPECT_TRUE(r.passed());
    r.errorsDetected = 1;
    EXPECT_FALSE(r.passed());
}

TEST(ProgressRecords, PercentCompleteIsCapped) {
    struct Case {
        double elapsed, total, percent;
    };
    const Case cases[] = {{5, 0, 0}, {5, -1, 0}, {90, 60, 100}, {15, 60, 25}, {0, 60, 0}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ((GpuBenchmarkProgress{.elapsedSeconds = c.elapsed, .totalDurationSeconds = c.total}
                              .percentComplete()),
                         c.percent);
        EXPECT_DOUBLE_EQ((MemoryTestProgress{.elapsedSeconds = c.elapsed, .totalDurationSeconds = c.total}
                              .percentComplete()),
                         c.percent);
    }
    EXPECT_NE((MemoryTestProgress{.currentPhase = "write"}), (MemoryTestProgress{.currentPhase = "verify"}));
}
