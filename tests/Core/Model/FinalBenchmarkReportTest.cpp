#include "Model/FinalBenchmarkReport.h"

#include <gtest/gtest.h>

#include "RecordJsonChecks.h"

using namespace zantiva;
using namespace std::chrono;

namespace {

FinalBenchmarkReport filledReport() {
    SystemSpecs specs;
    specs.cpuName = "Ryzen 7";
    specs.coreClusters = {{"Performance", 8}};
    FinalBenchmarkReport r{.specs = specs};
    r.cpuResult = CpuBenchmarkResult{.score = 1200.5, .sustainedScore = 1100.0};
    r.gpuResult = GpuBenchmarkResult{.score = 88.8, .adapterName = "llvmpipe"};
    r.memoryResult = MemoryTestResult{.testedBytes = 1 << 30};
    r.batteryResult = BatteryHealthResult{.batteryPresent = true, .issues = {"Battery.Issue.Cycles"}};
    r.displayResult = DisplayTestResult{.issues = {}, .measuredRefreshRateHz = 60.0};
    r.keyboardResult = KeyboardTestResult{.totalKeysChecked = 78};
    r.audioPassed = true;
    r.micCameraPassed = false;
    r.cameraBypassed = true;
    r.inputPassed = true;
    DriveHealthReport drives;
    DriveHealthInfo nvme("nvme0n1");
    nvme.model = "WD_BLACK SN850X";
    nvme.status = DriveHealthStatus::good;
    nvme.percentageUsed = 3;
    drives.drives = {nvme};
    drives.checkedAt = floor<seconds>(system_clock::now());
    r.driveHealth = drives;
    r.peripheralStatus = "N/A (Bypassed by User)";
    r.overallScore = 91.5;
    r.completedAt = floor<seconds>(system_clock::now());
    return r;
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
