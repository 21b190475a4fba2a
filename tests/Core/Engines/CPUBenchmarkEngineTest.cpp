#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include <sched.h>

#include "../../Support/RecordingActivity.h"
#include "../../Support/ScratchCgroup.h"
#include "../Probes/WrittenMachine.h"
#include "Engines/CPUBenchmarkEngine.h"
#include "Platform/MonotonicClock.h"
#include "Platform/NamedThread.h"

namespace zantiva {
namespace {

// A few real units of the standard kind: the same numbers, far fewer of them.
CPUWorkload tinyWorkload(int multi = 16, int single = 4) {
    CPUWorkload w = CPUWorkload::standard();
    w.multiCoreUnits = multi;
    w.singleCoreUnits = single;
    return w;
}

// The monitor looks every 20 ms and a sustained phase needs half a second, so runs that
// would wait out the standard pacing stay short.
constexpr CPUBenchmarkPacing quickPacing{std::chrono::milliseconds(20), 0.5};

std::set<std::string> threadNamesOfThisProcess() {
    std::set<std::string> names;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        names.insert(name);
    }
    return names;
}

struct Recorder {
    std::mutex lock;
    std::vector<CpuBenchmarkProgress> values;
    std::set<std::string> threadNames;
    std::string callbackThread;
    CPUBenchmarkEngine::Progress callback() {
        return [this](const CpuBenchmarkProgress& p) {
            std::lock_guard guard(lock);
            values.push_back(p);
            callbackThread = currentThreadName();
            for (auto& n : threadNamesOfThisProcess()) threadNames.insert(n);
        };
    }
};

TEST(CPUBenchmarkEngine, CountsPrimesByTrialDivision) {
    EXPECT_EQ(CPUBenchmarkEngine::countPrimes(40'000'001, 10'000), 1'145);
    EXPECT_EQ(CPUBenchmarkEngine::countPrimes(1, 3), 2);  // 1, 3, 5
    EXPECT_EQ(CPUBenchmarkEngine::countPrimes(2, 1), 1);
    EXPECT_EQ(CPUBenchmarkEngine::countPrimes(4, 5), 0);  // evens
    EXPECT_EQ(CPUBenchmarkEngine::countPrimes(7, 0), 0);
    EXPECT_EQ(CPUBenchmarkEngine::countPrimes(25, 1), 0);  // 5 × 5: the first trial divisor
    EXPECT_EQ(CPUBenchmarkEngine::countPrimes(49, 1), 0);  // 7 × 7: the i + 2 divisor
    EXPECT_EQ(CPUBenchmarkEngine::countPrimes(3, 10), 7);  // 3 … 21: not 9, 15, 21
}

TEST(CPUBenchmarkEngine, ScoresAgainstTheReferenceMachine) {
    EXPECT_DOUBLE_EQ(CPUBenchmarkEngine::score(19'505, 19'505, 1'000), 1'000.0);
    EXPECT_DOUBLE_EQ(CPUBenchmarkEngine::score(10'633, 10'633, 100), 100.0);
    EXPECT_DOUBLE_EQ(CPUBenchmarkEngine::score(15'000 * 19'505.0 / 30'000.0, 9'752.5, 1'000), 1'000.0);
    EXPECT_DOUBLE_EQ(CPUBenchmarkEngine::score(1, 3, 1), 0.3);     // one decimal
    EXPECT_DOUBLE_EQ(CPUBenchmarkEngine::score(1, 0.8, 1), 1.3);   // 1.25 → 1.3, halves away from zero
    EXPECT_EQ(CPUBenchmarkEngine::score(19'505, 0, 1'000), 0);
    EXPECT_EQ(CPUBenchmarkEngine::score(19'505, -5, 1'000), 0);
    EXPECT_EQ(CPUBenchmarkEngine::score(19'505, std::nan(""), 1'000), 0);
}

TEST(CPUBenchmarkEngine, ShortRunGivesVerifiedScoresWithoutSustainedPhase) {
    CPUBenchmarkEngine engine({}, tinyWorkload(), 4);
    Recorder recorder;
    const CpuBenchmarkResult r = engine.run(0.5, recorder.callback(), CancelToken());
    EXPECT_EQ(r.threadsUsed, 4);
    EXPECT_TRUE(r.resultsVerified);
    EXPECT_EQ(r.wrongResults, 0);
    EXPECT_GT(r.score, 0);
    EXPECT_GT(r.singleCoreScore, 0);
    EXPECT_FALSE(r.sustainedScore);
    EXPECT_FALSE(r.thermalThrottleDetected);
    EXPECT_FALSE(r.peakTemperatureCelsius);
    EXPECT_GT(r.multiCoreBatchMs, 0);
    EXPECT_DOUBLE_EQ(r.multiCoreBatchMs, std::round(r.multiCoreBatchMs * 10) / 10);
    EXPECT_GE(r.durationSeconds, (r.multiCoreBatchMs + r.singleCoreBatchMs - 0.2) / 1000);
    // Scores follow the batch times against the workload's share of the reference; the
    // reported time is rounded to 0.05 ms either way, the score to 0.05.
    EXPECT_NEAR(r.score, 16 * 19'505.0 / 30'000.0 / r.multiCoreBatchMs * 1000,
                0.05 + r.score * 0.05 / r.multiCoreBatchMs + 1e-9);

    std::lock_guard guard(recorder.lock);
    ASSERT_FALSE(recorder.values.empty());  // the first tick is due at once
    EXPECT_EQ(recorder.callbackThread, "zv-cpu-mon");
    for (const auto& p : recorder.values) {
        EXPECT_NE(p.phase, CpuBenchmarkPhase::sustained);
        EXPECT_LE(p.overallFraction, 0.99);  // the fixed batches outlast the duration
        EXPECT_LE(p.phaseFraction.value_or(0), 1.0);
    }
}

TEST(CPUBenchmarkEngine, ByDefaultRunsOneWorkerPerProcessorItMayUse) {
    cpu_set_t mine;
    CPU_ZERO(&mine);
    ASSERT_EQ(sched_getaffinity(0, sizeof mine, &mine), 0);
    std::vector<int> allowed;
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
        if (CPU_ISSET(cpu, &mine)) allowed.push_back(cpu);
    EXPECT_EQ(CPUBenchmarkEngine().threadCount(), static_cast<int>(allowed.size()));

    // As under taskset or a cpuset: a thread narrowed to fewer processors than are online.
    for (std::size_t narrowTo : {std::size_t{1}, std::size_t{2}}) {
        if (narrowTo > allowed.size()) continue;
        CpuBenchmarkResult result;
        std::thread narrowed([&] {
            cpu_set_t some;
            CPU_ZERO(&some);
            for (std::size_t i = 0; i < narrowTo; ++i) CPU_SET(allowed[i], &some);
            ASSERT_EQ(sched_setaffinity(0, sizeof some, &some), 0);
            result = CPUBenchmarkEngine({}, tinyWorkload(4, 1)).run(0, nullptr, CancelToken());
        });
        narrowed.join();
        EXPECT_EQ(result.threadsUsed, static_cast<int>(narrowTo));
        EXPECT_TRUE(result.resultsVerified);
    }
}

// Under a CPU quota (a container's --cpus=2) the threads share two processors' time: the
// result says so, as it says how many threads ran, so it isn't taken for the machine's.
TEST(CPUBenchmarkEngine, TheResultCarriesTheCpuQuotaItRanUnder) {
    testing::WrittenMachine container;
    container.file("/proc/self/mountinfo", testing::version2Mount())
        .file("/proc/self/cgroup", "0::/\n")
        .file("/sys/fs/cgroup/cpu.max", "200000 100000\n");
    EXPECT_EQ(CPUBenchmarkEngine({}, tinyWorkload(4, 1), 2, {}, {}, container.root()).run(0, nullptr, {}).cpuQuota, 2.0);

    const testing::ScratchCgroup group("cpu", {{"cpu.max", "200000 100000"}},
                                       {{"cpu.cfs_period_us", "100000"}, {"cpu.cfs_quota_us", "200000"}});
    if (!group.made()) GTEST_SKIP() << "no CPU cgroup with a quota can be made here (needs root or a delegated group)";
    EXPECT_EQ(group.endOfChildInside([] {
        return CPUBenchmarkEngine({}, tinyWorkload(4, 1)).run(0, nullptr, {}).cpuQuota == 2.0 ? 0 : 1;
    }), "exit 0");
}

TEST(CPUBenchmarkEngine, WrongPrimeCountsAreCountedNotThrown) {
    CPUWorkload w = tinyWorkload(6, 3);
    w.expectedPrimesPerUnit = 1'144;  // as a processor that miscounts would see it
    const CpuBenchmarkResult r = CPUBenchmarkEngine({}, w, 3).run(0, nullptr, CancelToken());
    EXPECT_FALSE(r.resultsVerified);
    EXPECT_EQ(r.wrongResults, 9);
}

TEST(CPUBenchmarkEngine, TelemetryFeedsPeakTemperatureThrottleAndProgressFromNamedThreads) {
    std::atomic<int> samples{0};
    TelemetrySource telemetry = [&]() -> std::optional<SensorSnapshot> {
        const int n = samples++;
        if (n == 1) return std::nullopt;  // a reading that failed
        SensorSnapshot s;
        s.cpuLoadPercent = 97;
        s.cpuTemperatureCelsius = n == 0 ? 71.5 : 64.0;
        s.systemPowerWatts = 30;
        s.thermalState = n >= 2 ? ThermalState::serious : ThermalState::fair;
        return s;
    };
    CPUBenchmarkEngine engine(telemetry, tinyWorkload(80, 20), 4, noProcessActivity(), quickPacing);
    Recorder recorder;
    const CpuBenchmarkResult r = engine.run(0, recorder.callback(), CancelToken());
    ASSERT_GE(samples.load(), 3) << "run too short for three monitor ticks";
    EXPECT_EQ(r.peakTemperatureCelsius, 71.5);
    EXPECT_TRUE(r.thermalThrottleDetected);

    std::lock_guard guard(recorder.lock);
    EXPECT_FALSE(recorder.values[0].throttleDetected);  // fair is no pressure
    EXPECT_EQ(recorder.values[0].currentLoadPercent, 97);
    EXPECT_EQ(recorder.values[0].currentTemperature, 71.5);
    EXPECT_EQ(recorder.values[0].currentPowerWatts, 30);
    EXPECT_EQ(recorder.values[1].currentLoadPercent, 0);  // no sample, no readings
    EXPECT_FALSE(recorder.values[1].currentTemperature);
    EXPECT_TRUE(recorder.values.back().throttleDetected);  // pressure, once seen, stays
    // Enough units that the monitor ticks while the workers are alive.
    EXPECT_THAT(recorder.threadNames, ::testing::IsSupersetOf({"zv-cpu", "zv-cpu-mon", "zv-cpu-w0"}));
}

TEST(CPUBenchmarkEngine, SustainedPhaseRunsWhenMoreThanItsMinimumRemains) {
    // A short minimum in a long run: the timed phases before it may take most of a second on a
    // loaded machine and still leave the sustained phase its time.
    constexpr CPUBenchmarkPacing shortSustainedPhase{std::chrono::milliseconds(20), 0.1};
    CPUBenchmarkEngine engine({}, tinyWorkload(8, 2), 2, noProcessActivity(), shortSustainedPhase);
    Recorder recorder;
    const std::uint64_t t0 = monotonicRawNanoseconds();
    const CpuBenchmarkResult r = engine.run(2.0, recorder.callback(), CancelToken());
    const double wall = nanosecondsToSeconds(monotonicRawNanoseconds() - t0);
    ASSERT_TRUE(r.sustainedScore);
    EXPECT_GT(*r.sustainedScore, 0);
    // Never shorter than asked; how much longer depends on the machine's load, not the engine.
    EXPECT_GE(wall, 2.0);
    EXPECT_GE(r.durationSeconds, 1.8);
    EXPECT_EQ(r.thermalThrottleDetected, *r.sustainedScore < 0.85 * r.score);

    std::lock_guard guard(recorder.lock);
    bool sawSustained = false;
    for (const auto& p : recorder.values) {
        if (p.phase != CpuBenchmarkPhase::sustained) continue;
        sawSustained = true;
        EXPECT_FALSE(p.phaseFraction);
        EXPECT_LE(p.overallFraction, 1.0);
    }
    EXPECT_TRUE(sawSustained);
    EXPECT_GT(recorder.values.back().overallFraction, 0.9);
}

TEST(CPUBenchmarkEngine, CancellationStopsEveryWorkerPromptly) {
    CPUBenchmarkEngine engine({}, tinyWorkload(1'000'000, 1'000'000), 4, noProcessActivity(), quickPacing);
    CancelToken cancel;
    std::atomic<int> progressCalls{0};
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        cancel.cancel();
    });
    const std::uint64_t t0 = monotonicRawNanoseconds();
    EXPECT_THROW(engine.run(600, [&](const CpuBenchmarkProgress&) { ++progressCalls; }, cancel), CancellationError);
    stopper.join();
    EXPECT_LT(nanosecondsToSeconds(monotonicRawNanoseconds() - t0), 2.0);
    // The monitor is gone with the run: no progress arrives afterwards.
    const int atReturn = progressCalls.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(progressCalls.load(), atReturn);
    EXPECT_THAT(threadNamesOfThisProcess(), ::testing::Not(::testing::Contains(::testing::StartsWith("zv-cpu"))));
}

TEST(CPUBenchmarkEngine, KeepsTheMachineAndDisplayAwakeOnlyWhileItRuns) {
    auto activity = std::make_shared<testing::RecordingActivity>();
    std::atomic<int> heldDuringRun{0};
    CPUBenchmarkEngine engine({}, tinyWorkload(4, 1), 2, activity);
    engine.run(0, [&](const CpuBenchmarkProgress&) { heldDuringRun = activity->held.load(); }, CancelToken());
    EXPECT_EQ(heldDuringRun.load(), 1);
    EXPECT_EQ(activity->held.load(), 0);
    EXPECT_EQ(activity->reasons, (std::vector<std::string>{"Zantiva CPU benchmark"}));
    EXPECT_TRUE(activity->lastOptions.keepSystemAwake);
    EXPECT_TRUE(activity->lastOptions.keepDisplayAwake);

    // An already cancelled run ends at its first check, and lets go too.
    CancelToken cancel;
    cancel.cancel();
    EXPECT_THROW(engine.run(60, nullptr, cancel), CancellationError);
    EXPECT_EQ(activity->held.load(), 0);
    EXPECT_EQ(activity->reasons.size(), 2u);
}

TEST(CPUBenchmarkEngine, RefusesDurationsTheClockCannotCount) {
    CPUBenchmarkEngine engine({}, tinyWorkload(), 1);
    for (const double seconds : {std::numeric_limits<double>::infinity(), std::nan(""), 1e12})
        EXPECT_THROW(engine.run(seconds, nullptr, CancelToken()), std::invalid_argument) << seconds;
}

} // namespace
} // namespace zantiva
