#include "Model/StorageBenchmarkResult.h"

#include <gtest/gtest.h>

#include "RecordJsonChecks.h"

using namespace zantiva;
using namespace std::chrono;

namespace {

// Each measurement a different figure: 100 for the first read, up to 600 for the last write.
StorageBenchmarkResult fullResult() {
    StorageBenchmarkResult r;
    r.targetFolder = "/home/user/Desktop";
    r.fileSizeBytes = 268'435'456;
    double base = 1.0;
    for (auto profile : allCases<StorageTestProfile>())
        for (bool write : {false, true}) r.measurement(profile, write) = StorageTestMeasurement{base++ * 100, 2500, 0.4};
    DriveHealthInfo drive("nvme0n1");
    drive.status = DriveHealthStatus::good;
    r.driveHealth = DriveHealthReport{{drive}, sys_days{2026y / December / 6} + 21h};
    r.durationSeconds = 171.5;
    r.completedAt = sys_days{2026y / December / 6} + 21h + 1s;
    return r;
}

} // namespace

TEST(StorageTestMeasurement, DerivedFromTotals) {
    const auto m = StorageTestMeasurement::fromTotals(500'000'000, 100, 5, 2);
    EXPECT_EQ(m, (StorageTestMeasurement{100, 20, 20}));
    EXPECT_EQ(StorageTestMeasurement::fromTotals(500'000'000, 100, 0, 2), (StorageTestMeasurement{0, 0, 20}));
    EXPECT_EQ(StorageTestMeasurement::fromTotals(0, 0, 5, 2), (StorageTestMeasurement{0, 0, 0}));
    EXPECT_DOUBLE_EQ(m.mibps(), 95.367431640625);
    EXPECT_FALSE(StorageTestMeasurement{}.hasValue());
}

TEST(StorageBenchmarkResult, EachProfileAndDirectionHasItsOwnField) {
    const auto full = fullResult();
    EXPECT_EQ(full.seqRead->mbps, 100);
    EXPECT_EQ(full.seqWrite->mbps, 200);
    EXPECT_EQ(full.randomQ32Read->mbps, 300);
    EXPECT_EQ(full.randomQ32Write->mbps, 400);
    EXPECT_EQ(full.randomQ1Read->mbps, 500);
    EXPECT_EQ(full.randomQ1Write->mbps, 600);
}

TEST(StorageBenchmarkResult, JsonIsStrict) {
    const auto full = fullResult();
    test::expectRoundTrip(full);
    test::expectStrictKeys(full, {"seqRead", "seqWrite", "randomQ32Read", "randomQ32Write", "randomQ1Read",
                                  "randomQ1Write", "driveHealth"});
    test::expectMistypedKeyFails(full, "fileSizeBytes", "268435456");
    test::expectMistypedKeyFails(full, "completedAt", 12345);
    test::expectStrictKeys(*full.seqRead);

    auto brokenMeasurement = full.toJson();
    brokenMeasurement["seqWrite"].erase("iops");
    EXPECT_THROW(StorageBenchmarkResult::fromJson(brokenMeasurement), json::DecodeError);
}
