#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "Engines/CPUWorkload.h"
#include "Platform/CancelToken.h"
#include "Engines/TelemetrySource.h"
#include "Model/CpuBenchmarkProgress.h"
#include "Model/CpuBenchmarkResult.h"
#include "Platform/ProcessActivity.h"
#include "Probes/ProbeRoot.h"

namespace zantiva {

// How often the monitor samples, and how much of the duration must be left after the fixed
// batches for a sustained phase to run.
struct CPUBenchmarkPacing {
    std::chrono::milliseconds monitorInterval{500};
    double minimumSustainedSeconds = 5.0;
};

// Measures the processor with one verifiable work unit (prime counting by trial
// division): a fixed multi-core batch on every worker thread, a fixed single-core batch
// on one thread, then, while enough of the duration is left, a sustained phase whose
// last stretch is measured. A monitor samples telemetry for the peak temperature and
// thermal pressure and reports progress.
class CPUBenchmarkEngine {
public:
    using Progress = std::function<void(const CpuBenchmarkProgress&)>;

    // threadCount: the processors this thread may run on when absent (usableProcessorCount);
    // at least 1. A CPU quota is read under `root` when the run starts (readCpuQuota).
    explicit CPUBenchmarkEngine(TelemetrySource telemetry = {}, CPUWorkload workload = CPUWorkload::standard(),
                                std::optional<int> threadCount = std::nullopt,
                                std::shared_ptr<ProcessActivity> activity = noProcessActivity(),
                                CPUBenchmarkPacing pacing = {}, ProbeRoot root = {});

    // Blocks until the run has ended, which happens on a thread of its own. progress
    // (optional, called on the monitor thread) must be safe to call from any thread.
    // Throws CancellationError when cancel is set; std::invalid_argument for a duration
    // that is not finite or longer than the clock can count.
    CpuBenchmarkResult run(double durationSeconds, const Progress& progress, const CancelToken& cancel) const;

    // Primes among from, from + 2, …, from + 2 × (count − 1).
    static int countPrimes(std::int64_t from, int count);
    // referenceMs ÷ measuredMs × scale to one decimal (halves away from zero); 0 when
    // measuredMs is not above 0.
    static double score(double referenceMs, double measuredMs, double scale);

    int threadCount() const { return threadCount_; }
    const CPUWorkload& workload() const { return workload_; }

private:
    TelemetrySource telemetry_;
    CPUWorkload workload_;
    int threadCount_;
    std::shared_ptr<ProcessActivity> activity_;
    CPUBenchmarkPacing pacing_;
    ProbeRoot root_;
};

} // namespace zantiva
