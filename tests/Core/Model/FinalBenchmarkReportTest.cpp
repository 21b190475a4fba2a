#include "Model/FinalBenchmarkReport.h"

#include <gtest/gtest.h>

#include "RecordJsonChecks.h"

using namespace zantiva;
using namespace std::chrono;

namespace {

FinalBenchmarkReport filledReport() {
    DriveHealthInfo nvme("nvme0n1");
    nvme.status = DriveHealthStatus::good;
    nvme.percentageUsed = 3;
    const Date now = floor<seconds>(system_clock::now());
    return {.specs = SystemSpecs{.cpuName = "Ryzen 7", .coreClusters = {{"Performance", 8}}},
            .cpuResult = CpuBenchmarkResult{.score = 1200.5, .sustainedScore = 1100.0},
            .gpuResult = GpuBenchmarkResult{.score = 88.8, .adapterName = "llvmpipe"},
            .memoryResult = MemoryTestResult{.testedBytes = 1 << 30},
            .batteryResult = BatteryHealthResult{.batteryPresent = true, .issues = {"Battery.Issue.Cycles"}},
            .displayResult = DisplayTestResult{.issues = {}, .measuredRefreshRateHz = 60.0},
            .keyboardResult = KeyboardTestResult{.totalKeysChecked = 78},
            .audioPassed = true,
            .micCameraPassed = false,
            .cameraBypassed = true,
            .inputPassed = true,
            .driveHealth = DriveHealthReport{{nvme}, now},
            .peripheralStatus = "N/A (Bypassed by User)",
            .overallScore = 91.5,
            .completedAt = now};
}

const json::Json minimal = {{"cameraBypassed", false}, {"overallScore", 0}, {"completedAt", "2026-12-06T20:41:07Z"}};

} // namespace

TEST(FinalBenchmarkReport, EmptyReportWritesOnlyItsRequiredKeys) {
    const auto decoded = FinalBenchmarkReport::fromJson(minimal);
    EXPECT_EQ(decoded.toJson(), minimal);
    EXPECT_FALSE(decoded.specs || decoded.cpuResult || decoded.driveHealth || decoded.audioPassed);
}

TEST(FinalBenchmarkReport, JsonIsStrict) {
    const FinalBenchmarkReport full = filledReport();
    test::expectRoundTrip(full);
    test::expectStrictKeys(full, {"specs", "cpuResult", "gpuResult", "memoryResult", "batteryResult", "displayResult",
                                  "keyboardResult", "audioPassed", "micCameraPassed", "inputPassed", "driveHealth",
                                  "peripheralStatus"});
    test::expectMistypedKeyFails(full, "completedAt", "yesterday");
    test::expectMistypedKeyFails(full, "audioPassed", "yes");
    test::expectMistypedKeyFails(full, "cpuResult", json::Json::array());
}

TEST(FinalBenchmarkReport, BrokenNestedRecordFailsTheWholeReport) {
    const json::Json full = filledReport().toJson();
    const std::pair<const char*, const char*> removals[] = {
        {"cpuResult", "scoringVersion"}, {"gpuResult", "samplesPerPixel"}, {"memoryResult", "errorsDetected"},
        {"batteryResult", "issues"},     {"specs", "firmwareVersion"},     {"driveHealth", "checkedAt"},
    };
    for (const auto& [section, key] : removals) {
        json::Json j = full;
        j[section].erase(key);
        EXPECT_THROW(FinalBenchmarkReport::fromJson(j), json::DecodeError) << section << "." << key;
    }
}
