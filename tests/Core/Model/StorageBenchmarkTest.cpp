#include "Model/StorageBenchmarkProgress.h"
#include "Model/StorageBenchmarkResult.h"

#include <gtest/gtest.h>

#include <limits>

#include "RecordJsonChecks.h"

using namespace zantiva;
using namespace std::chrono;

namespace {

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

TEST(StorageTestProfile, LabelsAndShape) {
    struct Case {
        StorageTestProfile profile;
        std::string_view label;
        std::int64_t blockSize;
        int queueDepth;
        bool sequential;
    };
    const Case cases[] = {
        {StorageTestProfile::seq1MQ8T1, "SEQ1M Q8T1", 1'048'576, 8, true},
        {StorageTestProfile::rnd4KQ32T1, "RND4K Q32T1", 4096, 32, false},
        {StorageTestProfile::rnd4KQ1T1, "RND4K Q1T1", 4096, 1, false},
    };
    const auto all = allCases<StorageTestProfile>();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        EXPECT_EQ(all[i], c.profile);
        EXPECT_EQ(rawValue(c.profile), c.label);
        EXPECT_EQ(fromRaw<StorageTestProfile>(c.label), c.profile);
        EXPECT_EQ(blockSize(c.profile), c.blockSize);
        EXPECT_EQ(queueDepth(c.profile), c.queueDepth);
        EXPECT_EQ(isSequential(c.profile), c.sequential);
    }
    EXPECT_EQ(fromRaw<StorageTestProfile>("seq1m q8t1"), std::nullopt);
    EXPECT_EQ(fromRaw<StorageTestProfile>("SEQ1MQ8T1"), std::nullopt);
}

TEST(StorageBenchmarkProgress, PercentCompleteIsCappedAndSafe) {
    struct Case {
        double elapsed, total, percent;
    };
    const Case cases[] = {{30, 170, 30.0 / 170.0 * 100}, {200, 170, 100}, {170, 170, 100}, {5, 0, 0}, {5, -1, 0},
                          {5, std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cases) {
        const StorageBenchmarkProgress p{StorageTestProfile::rnd4KQ1T1, true, 12.5, c.elapsed, c.total};
        EXPECT_DOUBLE_EQ(p.percentComplete(), c.percent) << c.elapsed << "/" << c.total;
    }
}

TEST(StorageTestMeasurement, DerivedFromTotals) {
    const auto m = StorageTestMeasurement::fromTotals(500'000'000, 100, 5, 2);
    EXPECT_EQ(m, (StorageTestMeasurement{100, 20, 20}));
    EXPECT_EQ(StorageTestMeasurement::fromTotals(500'000'000, 100, 0, 2), (StorageTestMeasurement{0, 0, 20}));
    EXPECT_EQ(StorageTestMeasurement::fromTotals(0, 0, 5, 2), (StorageTestMeasurement{0, 0, 0}));
    EXPECT_DOUBLE_EQ(m.mibps(), 95.367431640625);
    EXPECT_TRUE(m.hasValue());
    EXPECT_FALSE(StorageTestMeasurement{}.hasValue());
}

TEST(StorageBenchmarkResult, DefaultsAndSubscript) {
    StorageBenchmarkResult r;
    EXPECT_EQ(r.fileSizeBytes, 1'073'741'824);
    EXPECT_EQ(r.durationSeconds, 0);
    EXPECT_LE(system_clock::now() - r.completedAt, minutes(1));

    const StorageBenchmarkResult before = r;
    r.measurement(StorageTestProfile::rnd4KQ1T1, true) = StorageTestMeasurement{1, 2, 3};
    EXPECT_EQ(r.randomQ1Write, (StorageTestMeasurement{1, 2, 3}));
    r.randomQ1Write.reset();
    EXPECT_EQ(r, before);

    const auto full = fullResult();
    EXPECT_EQ(full.seqRead->mbps, 100);
    EXPECT_EQ(full.seqWrite->mbps, 200);
    EXPECT_EQ(full.randomQ32Read->mbps, 300);
    EXPECT_EQ(full.randomQ32Write->mbps, 400);
    EXPECT_EQ(full.randomQ1Read->mbps, 500);
    EXPECT_EQ(full.measurement(StorageTestProfile::rnd4KQ1T1, true)->mbps, 600);
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

    StorageBenchmarkResult onlySeqRead;
    onlySeqRead.seqRead = StorageTestMeasurement{3500, 3337.9, 2.3};
    onlySeqRead.completedAt = floor<seconds>(onlySeqRead.completedAt);
    const auto j = onlySeqRead.toJson();
    EXPECT_EQ(j.size(), 5u) << j.dump();
    EXPECT_EQ(StorageBenchmarkResult::fromJson(j), onlySeqRead);
}

TEST(StorageBenchmarkResult, NonFiniteFiguresStillSave) {
    auto r = fullResult();
    r.seqRead->averageLatencyMs = std::numeric_limits<double>::infinity();
    r.durationSeconds = std::numeric_limits<double>::quiet_NaN();
    const auto text = r.toJson().dump();
    const auto back = StorageBenchmarkResult::fromJson(json::Json::parse(text));
    EXPECT_EQ(back.seqRead->averageLatencyMs, 0);
    EXPECT_EQ(back.durationSeconds, 0);
}
