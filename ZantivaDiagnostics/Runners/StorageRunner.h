#pragma once

#include <QCoro/QCoroTask>

#include "Runners/Runner.h"

// moc cannot read the C++20 concepts these headers hold, and needs none of them.
#ifndef Q_MOC_RUN
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include "Engines/StorageBenchmarkConfiguration.h"
#include "Localization/LocalizedMessage.h"
#include "Model/ResultStore.h"
#include "Model/StorageBenchmarkProgress.h"
#include "Model/StorageBenchmarkResult.h"
#include "Platform/ProcessActivity.h"
#include "Probes/DriveHealthReader.h"
#include "Runners/RunnerHost.h"
#endif

namespace zantiva {

// The storage benchmark the runner drives and where it reads the drives' health.
struct StorageRunnerConfiguration {
    StorageBenchmarkConfiguration benchmark = StorageBenchmarkConfiguration::standard();
    DriveHealthOptions drives;
    std::shared_ptr<ProcessActivity> activity = noProcessActivity();
};

// Runs the storage benchmark in a folder the user picked, off the main thread with its
// progress moved here, and keeps the last result together with the drives' health. A
// failed or stopped run leaves the previous result in place; a runner destroyed during a
// test waits for the engine, which deletes its test file. Every getter has a …Changed
// signal that fires only on a real change. Main thread only.
class StorageRunner : public Runner {
    Q_OBJECT

public:
    // gate: shared with the test-suite runner and the outside-benchmark runner; a private
    // one when absent.
    explicit StorageRunner(ResultStore store, std::shared_ptr<RunGate> gate = nullptr,
                           StorageRunnerConfiguration configuration = {}, QObject* parent = nullptr);

    // The model link, set once the model exists; held weakly.
    void setModel(std::weak_ptr<RunnerHost> host) { host_ = std::move(host); }

    // Starts the test in the folder unless another run is in progress: clears the last
    // failure and shows the storage screen.
    void start(const std::filesystem::path& folder);
    // Stops the test under way; nothing is recorded for it.
    void stop();

    // The engine's latest report of the run under way.
    const std::optional<StorageBenchmarkProgress>& progress() const { return progress_; }
    // The measured run in progress, from 1; 0 while preparing or settling.
    int run() const { return run_; }
    bool isSettling() const { return isSettling_; }
    // The measured runs of each test in this runner's benchmark, as the engine counts them.
    int runsPerTest() const { return std::max(1, configuration_.benchmark.runsPerTest); }
    const std::optional<StorageBenchmarkResult>& result() const { return result_; }
    const std::optional<LocalizedMessage>& failure() const { return failure_; }

    // The stored last result, which the composition root loads.
    void setResult(std::optional<StorageBenchmarkResult> result);

signals:
    void progressChanged();
    void runChanged();
    void isSettlingChanged();
    void resultChanged();
    void failureChanged();

private:
    QCoro::Task<> execute(std::filesystem::path folder);

    ResultStore store_;
    StorageRunnerConfiguration configuration_;
    std::weak_ptr<RunnerHost> host_;

    std::optional<StorageBenchmarkProgress> progress_;
    int run_ = 0;
    bool isSettling_ = false;
    std::optional<StorageBenchmarkResult> result_;
    std::optional<LocalizedMessage> failure_;
};

} // namespace zantiva
