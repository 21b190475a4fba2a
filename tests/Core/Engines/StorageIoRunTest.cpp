#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "../../Support/ThrownBy.h"
#include "Engines/StorageBenchmarkFailure.h"
#include "Engines/StorageIoRun.h"
#include "Engines/StorageTestFile.h"
#include "Platform/MonotonicClock.h"
#include "StorageTestSupport.h"

namespace zantiva {
namespace {

constexpr std::int64_t fileSize = 4 * 1'048'576;

class StorageIoRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::useDiskForTemporaryFolders(); }

    void SetUp() override {
        file_.emplace(StorageTestFile::create(folder_.path()));
        ::arc4random_buf(pool_.data(), pool_.size());
        for (std::int64_t p = 0; p < fileSize; p += 1'048'576)
            ASSERT_EQ(::pwrite(file_->descriptor(), pool_.data() + p, 1'048'576, p), 1'048'576);
    }

    StorageIoRun run(StorageTestProfile profile, bool isWrite, double seconds) const {
        return {file_->descriptor(), profile, isWrite, &pool_, fileSize, seconds};
    }

    testing::TemporaryFolder folder_;
    std::optional<StorageTestFile> file_;
    StorageBuffer pool_{67'108'864};
    CancelToken cancel_;
};

TEST_F(StorageIoRunTest, EveryProfileAndDirectionMovesWholeBlocks) {
    for (const StorageTestProfile profile : allCases<StorageTestProfile>()) {
        for (const bool isWrite : {false, true}) {
            const StorageTestMeasurement m = run(profile, isWrite, 0.25).measure(cancel_, {});
            EXPECT_GT(m.mbps, 0) << rawValue(profile) << isWrite;
            EXPECT_GT(m.averageLatencyMs, 0);
            // Throughput and IOPS come from the same requests over the same nominal time.
            EXPECT_NEAR(m.mbps, m.iops * static_cast<double>(blockSize(profile)) / 1e6, 1e-6 * m.mbps);
        }
    }
}

TEST_F(StorageIoRunTest, NoMeasuringTimeCountsNothing) {
    const StorageTestMeasurement m = run(StorageTestProfile::rnd4KQ32T1, false, 0).measure(cancel_, {});
    EXPECT_EQ(m, StorageTestMeasurement{});
}

TEST_F(StorageIoRunTest, ReportsLiveThroughputEveryFifthOfASecondAfterTheFirst) {
    const std::uint64_t start = monotonicRawNanoseconds();
    std::vector<double> times;
    run(StorageTestProfile::rnd4KQ1T1, false, 1.0).measure(cancel_, [&](double mbps) {
        EXPECT_GE(mbps, 0);
        times.push_back(nanosecondsToSeconds(monotonicRawNanoseconds() - start));
    });
    ASSERT_GE(times.size(), 2u);
    EXPECT_LE(times.size(), 5u);
    EXPECT_GE(times.front(), 0.19);
}

TEST_F(StorageIoRunTest, AFileShortenedBehindItsBackFailsAsUnavailable) {
    ASSERT_EQ(::ftruncate(file_->descriptor(), 1'048'576), 0);
    for (const StorageTestProfile profile : {StorageTestProfile::seq1MQ8T1, StorageTestProfile::rnd4KQ32T1}) {
        EXPECT_EQ(testing::thrownBy<StorageBenchmarkFailure>([&] { run(profile, false, 0.3).measure(cancel_, {}); }),
                  StorageBenchmarkFailure(StorageBenchmarkFailure::Kind::targetUnavailable));
    }
}

} // namespace
} // namespace zantiva
