#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>
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
        return {file_->descriptor(), profile, isWrite, &pool_, fileSize, seconds, {}};
    }

    static ssize_t realTransfer(int descriptor, bool isWrite, std::byte* buffer, std::int64_t size, off_t offset) {
        return isWrite ? ::pwrite(descriptor, buffer, size, offset) : ::pread(descriptor, buffer, size, offset);
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

// Every request of the drive takes three times the window: each thread's one request is
// waited for and counted, so the drive reads as slow, with the latency it really had.
TEST_F(StorageIoRunTest, ADriveThatStallsPastTheWindowReadsAsSlowNotAsEmpty) {
    constexpr auto stall = std::chrono::milliseconds(300);
    for (const StorageTestProfile profile : allCases<StorageTestProfile>()) {
        for (const bool isWrite : {false, true}) {
            StorageIoRun stalled = run(profile, isWrite, 0.1);
            stalled.transfer = [&](int descriptor, bool write, std::byte* buffer, std::int64_t size, off_t offset) {
                std::this_thread::sleep_for(stall);
                return realTransfer(descriptor, write, buffer, size, offset);
            };
            const StorageTestMeasurement m = stalled.measure(cancel_, {});
            const double threads = queueDepth(profile);
            EXPECT_GT(m.iops, 0) << rawValue(profile) << isWrite;
            EXPECT_LE(m.iops, threads / 0.3) << "the stall counts in the run's time";
            EXPECT_NEAR(m.mbps, m.iops * static_cast<double>(blockSize(profile)) / 1e6, 1e-6 * m.mbps);
            EXPECT_GE(m.averageLatencyMs, 300.0) << rawValue(profile) << isWrite;
        }
    }
}

// The offsets of one run's threads, the first few thousand of each: about as many distinct
// blocks as independent uniform draws would hit, not one list walked by every thread.
TEST_F(StorageIoRunTest, TheThreadsOfARandomRunDrawIndependentOffsets) {
    constexpr std::int64_t wholeFile = 1'073'741'824; // sparse: reads of it cost no disk
    constexpr int perThread = 2000;
    ASSERT_EQ(::ftruncate(file_->descriptor(), wholeFile), 0);
    for (const StorageTestProfile profile : allCases<StorageTestProfile>()) {
        if (isSequential(profile)) continue;
        std::mutex lock;
        std::vector<off_t> offsets;
        StorageIoRun watched{file_->descriptor(), profile, false, &pool_, wholeFile, 0.3, {}};
        watched.transfer = [&](int descriptor, bool write, std::byte* buffer, std::int64_t size, off_t offset) {
            static thread_local int drawn = 0; // each run's threads are new
            if (++drawn <= perThread) {
                std::lock_guard guard(lock);
                offsets.push_back(offset);
            }
            return realTransfer(descriptor, write, buffer, size, offset);
        };
        watched.measure(cancel_, {});
        const double blocks = static_cast<double>(wholeFile / blockSize(profile));
        const double draws = static_cast<double>(offsets.size());
        const double expected = blocks * (1 - std::pow(1 - 1 / blocks, draws));
        const auto distinct = static_cast<double>(std::set<off_t>(offsets.begin(), offsets.end()).size());
        EXPECT_GE(distinct, 0.97 * expected) << rawValue(profile) << ": " << distinct << " of " << draws << " draws";
    }
    // The one-thread profile keeps the run start as its seed.
    EXPECT_EQ(StorageIoRun::offsetGenerator(42, 0).state, 42u);
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
