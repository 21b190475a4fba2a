#include "Engines/CPUBenchmarkEngine.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <stdexcept>
#include <string>

#include "Engines/EngineThread.h"
#include "Engines/WorkerThreads.h"
#include "Model/BenchmarkBaseline.h"
#include "Platform/MonotonicClock.h"
#include "Platform/RepeatingTimer.h"
#include "Probes/CpuQuota.h"

namespace zantiva {
namespace {

constexpr double refMultiMs = BenchmarkBaseline::cpuReferenceMultiCoreMs;
constexpr double refSingleMs = BenchmarkBaseline::cpuReferenceSingleCoreMs;
constexpr double refMultiUnits = BenchmarkBaseline::cpuMultiCoreUnits;
constexpr double refSingleUnits = BenchmarkBaseline::cpuSingleCoreUnits;
// The reference machine's multi-core rate in units per millisecond (30,000 ÷ 19,505).
constexpr double referenceMultiRate = refMultiUnits / refMultiMs;
constexpr double throttleRatio = 0.85;
// Beyond this a duration's nanoseconds no longer fit the clock's unsigned count.
constexpr double longestDurationSeconds = 1.0e9;

bool isPrime(std::int64_t n) {
    if (n < 2) return false;
    if (n % 2 == 0) return n == 2;
    if (n % 3 == 0) return n == 3;
    const auto s = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
    if (s < 5) return true;
    for (std::int64_t i = 5; i <= s; i += 6) {
        if (n % i == 0 || n % (i + 2) == 0) return false;
    }
    return true;
}

double roundToTenth(double value) { return std::round(value * 10.0) / 10.0; }

// The counters of one run, shared by the engine thread, the workers and the monitor;
// every access holds the lock for just that access.
class RunState {
public:
    RunState(double duration, CPUWorkload workload, CancelToken cancel)
        : duration(duration), workload(workload), cancel(std::move(cancel)), start(monotonicRawNanoseconds()) {
        shared_.phaseStart = start;
    }

    const double duration;
    const CPUWorkload workload;
    const CancelToken cancel;
    const std::uint64_t start;

    void beginPhase(CpuBenchmarkPhase phase, int units) {
        std::lock_guard guard(lock_);
        shared_.phase = phase;
        shared_.phaseUnits = units;
        shared_.phaseStart = monotonicRawNanoseconds();
        shared_.claimed = 0;
        shared_.completed = 0;
    }

    bool claim(int batchUnits) {
        std::lock_guard guard(lock_);
        if (shared_.claimed >= batchUnits) return false;
        ++shared_.claimed;
        return true;
    }

    void complete(int primes) {
        std::lock_guard guard(lock_);
        ++shared_.completed;
        if (primes != workload.expectedPrimesPerUnit) ++shared_.wrongResults;
    }

    void observe(const SensorSnapshot& sample) {
        std::lock_guard guard(lock_);
        if (sample.cpuTemperatureCelsius) {
            shared_.peakTemperature = std::max(shared_.peakTemperature.value_or(*sample.cpuTemperatureCelsius),
                                               *sample.cpuTemperatureCelsius);
        }
        if (sample.thermalState && isThrottling(*sample.thermalState)) shared_.sawThermalPressure = true;
    }

    CpuBenchmarkProgress snapshot(const std::optional<SensorSnapshot>& sample) const {
        Shared s;
        {
            std::lock_guard guard(lock_);
            s = shared_;
        }
        const std::uint64_t now = monotonicRawNanoseconds();
        CpuBenchmarkProgress p;
        p.phase = s.phase;
        if (s.phaseUnits >= 1)
            p.phaseFraction = std::min(1.0, static_cast<double>(s.completed) / s.phaseUnits);
        const double phaseMs = nanosecondsToMilliseconds(now - s.phaseStart);
        if (s.completed >= 1 && phaseMs > 0) {
            const bool single = s.phase == CpuBenchmarkPhase::singleCore;
            const double k = single ? refSingleMs / refSingleUnits : refMultiMs / refMultiUnits;
            const double scale = single ? BenchmarkBaseline::defaultScale : BenchmarkBaseline::cpuMultiCoreScale;
            p.currentScore = std::round(scale * (k * s.completed / phaseMs));
        }
        const double elapsed = nanosecondsToSeconds(now - start);
        p.elapsedSeconds = elapsed;
        double overall = duration <= 0 ? 1.0 : elapsed / duration;
        if (s.phase != CpuBenchmarkPhase::sustained) overall = std::min(overall, 0.99);
        p.overallFraction = std::clamp(overall, 0.0, 1.0);
        if (sample) {
            p.currentLoadPercent = sample->cpuLoadPercent;
            p.currentTemperature = sample->cpuTemperatureCelsius;
            p.currentPowerWatts = sample->systemPowerWatts;
        }
        p.throttleDetected = s.sawThermalPressure;
        return p;
    }

    struct Totals {
        int wrongResults;
        std::optional<double> peakTemperature;
        bool sawThermalPressure;
    };
    Totals totals() const {
        std::lock_guard guard(lock_);
        return {shared_.wrongResults, shared_.peakTemperature, shared_.sawThermalPressure};
    }

private:
    struct Shared {
        CpuBenchmarkPhase phase = CpuBenchmarkPhase::multiCore;
        int phaseUnits = 0;
        std::uint64_t phaseStart = 0;
        int claimed = 0;
        int completed = 0;
        int wrongResults = 0;
        std::optional<double> peakTemperature;
        bool sawThermalPressure = false;
    };
    mutable std::mutex lock_;
    Shared shared_;
};

ThreadIdentity workerIdentity(int index, int count) {
    return {"com.zantiva.cpu-benchmark.worker-" + std::to_string(index), "zv-cpu-w" + std::to_string(index),
            count == 1 ? ThreadQoS::userInteractive : ThreadQoS::userInitiated};
}

int runUnit(const RunState& state) {
    return CPUBenchmarkEngine::countPrimes(state.workload.unitStart, state.workload.unitOddNumbers);
}

// Hands units out one at a time from a shared counter so fast and slow cores share the
// batch; returns the batch time in ms, thread start and end included.
double runBatch(int threads, int units, RunState& state) {
    const std::uint64_t t0 = monotonicRawNanoseconds();
    runOnThreads(threads, [threads](int i) { return workerIdentity(i, threads); },
                 [&](int) {
                     while (state.claim(units)) {
                         state.cancel.throwIfCancelled();
                         state.complete(runUnit(state));
                     }
                 });
    return nanosecondsToMilliseconds(monotonicRawNanoseconds() - t0);
}

// Keeps every worker busy for seconds and returns the rate (units per ms) of the last
// 60 s, or of the second half when the phase is shorter than 120 s.
double runSustained(int threads, double seconds, RunState& state) {
    const double window = seconds >= 120.0 ? 60.0 : seconds * 0.5;
    const std::uint64_t now = monotonicRawNanoseconds();
    const std::uint64_t deadline = now + static_cast<std::uint64_t>(seconds * 1e9);
    const std::uint64_t windowStart = now + static_cast<std::uint64_t>((seconds - window) * 1e9);
    std::mutex tallyLock;
    int units = 0;
    std::uint64_t firstAt = 0;
    runOnThreads(threads, [threads](int i) { return workerIdentity(i, threads); },
                 [&](int) {
                     while (monotonicRawNanoseconds() < deadline) {
                         state.cancel.throwIfCancelled();
                         state.complete(runUnit(state));
                         const std::uint64_t t = monotonicRawNanoseconds();
                         if (t >= windowStart) {
                             std::lock_guard guard(tallyLock);
                             if (firstAt == 0) firstAt = t;
                             ++units;
                         }
                     }
                 });
    if (firstAt == 0) return 0;
    const double elapsedMs = nanosecondsToMilliseconds(monotonicRawNanoseconds() - firstAt);
    return elapsedMs > 0 ? units / elapsedMs : 0;
}

} // namespace

CPUBenchmarkEngine::CPUBenchmarkEngine(TelemetrySource telemetry, CPUWorkload workload,
                                       std::optional<int> threadCount, std::shared_ptr<ProcessActivity> activity,
                                       CPUBenchmarkPacing pacing, ProbeRoot root)
    : telemetry_(std::move(telemetry)), workload_(workload),
      threadCount_(std::max(1, threadCount ? *threadCount : usableProcessorCount())),
      activity_(activity ? std::move(activity) : noProcessActivity()), pacing_(pacing), root_(std::move(root)) {}

int CPUBenchmarkEngine::countPrimes(std::int64_t from, int count) {
    int primes = 0;
    for (int i = 0; i < count; ++i) {
        if (isPrime(from + 2 * static_cast<std::int64_t>(i))) ++primes;
    }
    return primes;
}

double CPUBenchmarkEngine::score(double referenceMs, double measuredMs, double scale) {
    if (!(measuredMs > 0)) return 0;
    return roundToTenth(referenceMs / measuredMs * scale);
}

CpuBenchmarkResult CPUBenchmarkEngine::run(double durationSeconds, const Progress& progress,
                                           const CancelToken& cancel) const {
    if (!std::isfinite(durationSeconds) || durationSeconds > longestDurationSeconds)
        throw std::invalid_argument("CPU benchmark duration out of range");
    auto state = std::make_shared<RunState>(durationSeconds, workload_, cancel);
    const std::function<CpuBenchmarkResult()> body = [this, state, &progress] {
        const auto hold = activity_->begin("Zantiva CPU benchmark", {true, true});
        // Under a quota the threads share less time than their processors have: the score is
        // the quota's, and the result says so.
        const std::optional<double> quota = readCpuQuota(root_);
        // The sample feeds the peak temperature and the throttle flag even without progress.
        RepeatingTimer monitor({"com.zantiva.cpu-benchmark.monitor", "zv-cpu-mon", ThreadQoS::utility},
                               pacing_.monitorInterval, [this, state, &progress] {
                                   std::optional<SensorSnapshot> sample;
                                   if (telemetry_) sample = telemetry_();
                                   if (sample) state->observe(*sample);
                                   if (progress) progress(state->snapshot(sample));
                               });

        state->beginPhase(CpuBenchmarkPhase::multiCore, workload_.multiCoreUnits);
        const double multiMs = runBatch(threadCount_, workload_.multiCoreUnits, *state);
        state->beginPhase(CpuBenchmarkPhase::singleCore, workload_.singleCoreUnits);
        const double singleMs = runBatch(1, workload_.singleCoreUnits, *state);

        const double remaining = state->duration - nanosecondsToSeconds(monotonicRawNanoseconds() - state->start);
        std::optional<double> rate;
        if (remaining > pacing_.minimumSustainedSeconds) {
            state->beginPhase(CpuBenchmarkPhase::sustained, 0);
            rate = runSustained(threadCount_, remaining, *state);
        }
        monitor.stop();
        const double durationRun = nanosecondsToSeconds(monotonicRawNanoseconds() - state->start);

        CpuBenchmarkResult result;
        result.score = score(workload_.multiCoreUnits * refMultiMs / refMultiUnits, multiMs,
                             BenchmarkBaseline::cpuMultiCoreScale);
        result.singleCoreScore = score(workload_.singleCoreUnits * refSingleMs / refSingleUnits, singleMs,
                                       BenchmarkBaseline::defaultScale);
        if (rate) result.sustainedScore = roundToTenth(*rate / referenceMultiRate * BenchmarkBaseline::cpuMultiCoreScale);

        const RunState::Totals totals = state->totals();
        result.scoringVersion = BenchmarkBaseline::scoringVersion;
        result.durationSeconds = durationRun;
        result.peakTemperatureCelsius = totals.peakTemperature;
        result.thermalThrottleDetected =
            totals.sawThermalPressure || (result.sustainedScore && *result.sustainedScore < throttleRatio * result.score);
        result.threadsUsed = threadCount_;
        result.cpuQuota = quota;
        result.multiCoreBatchMs = roundToTenth(multiMs);
        result.singleCoreBatchMs = roundToTenth(singleMs);
        result.referenceMultiCoreMs = refMultiMs;
        result.referenceSingleCoreMs = refSingleMs;
        result.wrongResults = totals.wrongResults;
        result.resultsVerified = totals.wrongResults == 0;
        return result;
    };
    return runOnEngineThread(ThreadIdentity{"com.zantiva.cpu-benchmark", "zv-cpu", ThreadQoS::userInitiated}, body);
}

} // namespace zantiva
