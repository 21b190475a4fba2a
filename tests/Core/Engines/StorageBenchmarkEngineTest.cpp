#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "../../Support/RecordingActivity.h"
#include "Engines/StorageBenchmarkEngine.h"
#include "Engines/StorageBenchmarkFailure.h"
#include "Platform/MonotonicClock.h"
#include "StorageTestSupport.h"

namespace zantiva {
namespace {

using Kind = StorageBenchmarkFailure::Kind;

struct Report {
    StorageBenchmarkProgress progress;
    int run;
    bool settling;
    std::thread::id thread;
};

StorageBenchmarkConfiguration tiny() {
    return {.fileSize = 4 * 1'048'576, .runsPerTest = 2, .measureSeconds = 0.05, .settleSeconds = 0.02};
}

class StorageBenchmarkEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::useDiskForTemporaryFolders(); }

    StorageBenchmarkResult run(const StorageBenchmarkConfiguration& configuration) {
        return StorageBenchmarkEngine(configuration).run(folder_.path(), record(), cancel_);
    }

    std::optional<Kind> failureOf(const StorageBenchmarkConfiguration& configuration, const std::filesystem::path& where) {
        try {
            StorageBenchmarkEngine(configuration).run(where, {}, cancel_);
            return std::nullopt;
        } catch (const StorageBenchmarkFailure& failure) {
            return failure.kind();
        }
    }

    StorageBenchmarkEngine::Progress record() {
        return [this](const StorageBenchmarkProgress& progress, int run, bool settling) {
            std::lock_guard guard(lock_);
            reports_.push_back({progress, run, settling, std::this_thread::get_id()});
        };
    }

    std::vector<Report> runStarts() const {
        std::vector<Report> starts;
        for (std::size_t i = 0; i < reports_.size(); ++i)
            if (reports_[i].run > 0 && (i == 0 || reports_[i - 1].run != reports_[i].run ||
                                         reports_[i - 1].progress.isWrite != reports_[i].progress.isWrite ||
                                         reports_[i - 1].progress.profile != reports_[i].progress.profile))
                starts.push_back(reports_[i]);
        return starts;
    }

    void TearDown() override { EXPECT_TRUE(testing::leftoverTestFiles(folder_.path()).empty()); }

    testing::TemporaryFolder folder_;
    CancelToken cancel_;
    std::mutex lock_;
    std::vector<Report> reports_;
};

TEST_F(StorageBenchmarkEngineTest, MeasuresEveryProfileBothWaysAndReportsInOrder) {
    const StorageBenchmarkResult result = run(tiny());

    EXPECT_EQ(result.targetFolder, folder_.path().string());
    EXPECT_EQ(result.fileSizeBytes, tiny().fileSize);
    EXPECT_GT(result.durationSeconds, 0);
    EXPECT_FALSE(result.driveHealth);
    for (const auto& test : StorageBenchmarkEngine::tests)
        EXPECT_TRUE(result.measurement(test.profile, test.isWrite).has_value()) << rawValue(test.profile);

    ASSERT_FALSE(reports_.empty());
    const Report& first = reports_.front();
    EXPECT_EQ(first.progress.profile, StorageTestProfile::seq1MQ8T1);
    EXPECT_TRUE(first.progress.isWrite);
    EXPECT_EQ(first.progress.currentThroughputMBps, 0);
    EXPECT_EQ(first.run, 0);
    EXPECT_FALSE(first.settling);
    // (0.05 × 2 + 0.02) × 6 + 2, unless a crowded machine took longer than that to get here.
    EXPECT_DOUBLE_EQ(first.progress.totalDurationSeconds, std::max(2.72, first.progress.elapsedSeconds));

    int settles = 0;
    for (const Report& r : reports_) {
        EXPECT_GE(r.progress.totalDurationSeconds, r.progress.elapsedSeconds);
        EXPECT_NE(r.thread, std::this_thread::get_id());
        EXPECT_EQ(r.thread, first.thread);
        if (r.settling) {
            ++settles;
            EXPECT_EQ(r.run, 0);
            EXPECT_EQ(r.progress.currentThroughputMBps, 0);
        }
    }
    EXPECT_EQ(settles, 5);

    const std::vector<Report> starts = runStarts();
    ASSERT_EQ(starts.size(), 12u);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const auto& test = StorageBenchmarkEngine::tests[i / 2];
        EXPECT_EQ(starts[i].progress.profile, test.profile);
        EXPECT_EQ(starts[i].progress.isWrite, test.isWrite);
        EXPECT_EQ(starts[i].run, static_cast<int>(i % 2) + 1);
    }
    // A second run starts from the first run's figure.
    EXPECT_EQ(starts[0].progress.currentThroughputMBps, 0);
    EXPECT_GT(starts[1].progress.currentThroughputMBps, 0);
}

TEST_F(StorageBenchmarkEngineTest, FewerThanOneRunMeasuresOnceAndNoSettlingSkipsTheReports) {
    StorageBenchmarkConfiguration configuration = tiny();
    configuration.runsPerTest = 0;
    configuration.settleSeconds = 0;
    run(configuration);
    EXPECT_EQ(runStarts().size(), 6u);
    for (const Report& r : reports_) {
        EXPECT_FALSE(r.settling);
        EXPECT_LE(r.run, 1);
    }
    const StorageBenchmarkProgress& first = reports_.front().progress;
    EXPECT_DOUBLE_EQ(first.totalDurationSeconds, std::max(2.0, first.elapsedSeconds));
}

TEST_F(StorageBenchmarkEngineTest, KeepsTheSystemButNotTheDisplayAwakeOnlyWhileItRuns) {
    StorageBenchmarkConfiguration quick = tiny();
    quick.runsPerTest = 1;
    quick.settleSeconds = 0;
    auto activity = std::make_shared<testing::RecordingActivity>();
    std::atomic<int> heldDuringRun{-1};
    StorageBenchmarkEngine(quick, activity)
        .run(folder_.path(), [&](const StorageBenchmarkProgress&, int, bool) { heldDuringRun = activity->held.load(); },
             cancel_);
    EXPECT_EQ(heldDuringRun.load(), 1);
    EXPECT_EQ(activity->held.load(), 0);
    EXPECT_EQ(activity->reasons, std::vector<std::string>{"Zantiva SSD speed test"});
    EXPECT_TRUE(activity->lastOptions.keepSystemAwake);
    EXPECT_FALSE(activity->lastOptions.keepDisplayAwake);

    // A failure lets go as well.
    EXPECT_THROW(StorageBenchmarkEngine(quick, activity).run(folder_.path() / "missing", {}, cancel_),
                 StorageBenchmarkFailure);
    EXPECT_EQ(activity->held.load(), 0);
    EXPECT_EQ(activity->ended.load(), 2);

    // Given no activity source at all, nothing is held and the run goes on.
    EXPECT_NO_THROW(StorageBenchmarkEngine(quick, nullptr).run(folder_.path(), {}, cancel_));
}

TEST_F(StorageBenchmarkEngineTest, RefusesFileSizesItCannotMoveInWholeBlocks) {
    for (const std::int64_t size : {std::int64_t{0}, std::int64_t{1'044'480}, std::int64_t{1'048'576 + 100}}) {
        StorageBenchmarkConfiguration configuration = tiny();
        configuration.fileSize = size;
        EXPECT_THROW(run(configuration), std::invalid_argument) << size;
    }
    StorageBenchmarkConfiguration endless = tiny();
    endless.measureSeconds = std::nan("");
    EXPECT_THROW(run(endless), std::invalid_argument);
    // The smallest file that holds a sequential request runs.
    StorageBenchmarkConfiguration smallest = tiny();
    smallest.fileSize = 1'048'576;
    smallest.runsPerTest = 1;
    EXPECT_NO_THROW(run(smallest));
}

TEST_F(StorageBenchmarkEngineTest, RefusesMemoryBackedFoldersAsUncachedAccessUnsupported) {
    char shm[] = "/dev/shm/zantiva-test-XXXXXX";
    if (!testing::isMemoryBacked("/dev/shm") || !::mkdtemp(shm)) GTEST_SKIP() << "no tmpfs at /dev/shm";
    EXPECT_EQ(failureOf(tiny(), shm), Kind::directIOUnsupported);
    EXPECT_TRUE(std::filesystem::is_empty(shm));
    std::filesystem::remove_all(shm);
}

TEST_F(StorageBenchmarkEngineTest, AFileSizeLimitBelowTheFileIsToldAsSuch) {
    // A limit of 1.5 MiB would cut the prefill short and make its next write meet EFBIG: it is
    // seen before anything is written, and neither the space nor direct access is blamed.
    rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 1'572'864;
    const auto previous = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const auto failure = failureOf(tiny(), folder_.path());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);
    EXPECT_EQ(failure, Kind::fileTooLarge);
}

TEST_F(StorageBenchmarkEngineTest, CancellationStopsThePrefillTheSettleAndARun) {
    CancelToken early;
    early.cancel();
    EXPECT_THROW(StorageBenchmarkEngine(tiny()).run(folder_.path(), {}, early), CancellationError);

    StorageBenchmarkConfiguration slow = tiny();
    slow.settleSeconds = 120;
    CancelToken inSettle;
    auto atSettle = [&](const StorageBenchmarkProgress&, int, bool settling) {
        if (settling) inSettle.cancel();
    };
    EXPECT_THROW(StorageBenchmarkEngine(slow).run(folder_.path(), atSettle, inSettle), CancellationError);

    slow = tiny();
    slow.measureSeconds = 120;
    CancelToken inRun;
    auto atLive = [&](const StorageBenchmarkProgress& progress, int run, bool) {
        if (run == 1 && progress.currentThroughputMBps > 0) inRun.cancel();
    };
    const std::uint64_t start = monotonicRawNanoseconds();
    EXPECT_THROW(StorageBenchmarkEngine(slow).run(folder_.path(), atLive, inRun), CancellationError);
    EXPECT_LT(nanosecondsToSeconds(monotonicRawNanoseconds() - start), 60.0);
}

TEST_F(StorageBenchmarkEngineTest, AKilledRunLeavesNoFileBehind) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        ::close(ready[0]);
        StorageBenchmarkConfiguration endless = tiny();
        endless.measureSeconds = 600;
        CancelToken never;
        auto signalRunning = [&](const StorageBenchmarkProgress&, int run, bool) {
            if (run == 1 && ready[1] != -1) {
                (void)::write(ready[1], "r", 1);
                ::close(ready[1]);
                ready[1] = -1;
            }
        };
        try {
            StorageBenchmarkEngine(endless).run(folder_.path(), signalRunning, never);
        } catch (...) {
        }
        ::_exit(1);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool running = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    // The test is writing now, yet its file has no name in the folder.
    EXPECT_TRUE(testing::leftoverTestFiles(folder_.path()).empty());
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(running);
    EXPECT_TRUE(WIFSIGNALED(status));
}

} // namespace
} // namespace zantiva
