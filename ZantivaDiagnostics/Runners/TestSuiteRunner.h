#pragma once

#include <QCoro/QCoroTask>
#include <QTimer>

#include "Runners/Runner.h"

// moc cannot read the C++20 concepts these headers hold, and needs none of them.
#ifndef Q_MOC_RUN
#include <chrono>
#include <coroutine>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>
#include "Engines/GpuRenderer.h"
#include "Localization/LocalizedMessage.h"
#include "Model/BatteryHealthResult.h"
#include "Model/BenchmarkSession.h"
#include "Model/CpuBenchmarkProgress.h"
#include "Model/GpuRenderProgress.h"
#include "Model/MemoryPassProgress.h"
#include "Model/ResultStore.h"
#include "Model/TestModule.h"
#include "Probes/LoadTrace.h"
#include "Runners/RunnerHost.h"
#include "Runners/StationOutcome.h"
#include "Runners/SuiteConfiguration.h"
#endif

namespace zantiva {

// Runs a plan of test modules in module order as one session: the automatic modules drive
// their engine or reader off the main thread with progress moved here, the interactive ones
// wait for their page's StationOutcome. The session is saved before and after every module,
// so an interrupted run resumes with the steps that remain. Every getter has a …Changed
// signal that fires only on a real change. Main thread only.
class TestSuiteRunner : public Runner {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds traceInterval{1000};

    // gate: shared with the storage runner and the outside-benchmark runner; a private one
    // when absent.
    explicit TestSuiteRunner(ResultStore store, std::shared_ptr<RunGate> gate = nullptr,
                             SuiteConfiguration configuration = {}, QObject* parent = nullptr);

    // The model link, set once the model exists; held weakly.
    void setModel(std::weak_ptr<RunnerHost> host) { host_ = std::move(host); }

    // Starts a run of the plan (put into module order) unless another run is in progress,
    // the specs are not known yet, or the plan is neither the full suite nor one of
    // the single-test plans. Takes the after-run hook along, also when it refuses.
    void start(const std::vector<TestModule>& modules);
    // Runs the saved session's remaining steps, with its peripheral bypass, unless another
    // run is in progress.
    void resume(const BenchmarkSession& session);
    // Ends the waiting station's module with its outcome; does nothing when none waits.
    // An outcome of another station's kind (a late one, say) is logged and dropped: the
    // station goes on waiting for its own.
    void complete(const StationOutcome& outcome);
    // Stops the run: the module in progress is cancelled and stays among the remaining
    // steps; modules already finished are kept.
    void stop();

    // Called once when the run that start() launched has ended and been handed over.
    void setAfterRun(std::function<void()> hook) { afterRun_ = std::move(hook); }

    const std::vector<TestModule>& plan() const { return plan_; }
    // A planned module without an entry is pending.
    const std::map<TestModule, ModuleStatus>& statuses() const { return statuses_; }
    const std::optional<TestModule>& current() const { return current_; }
    bool wasResumed() const { return wasResumed_; }
    bool isReadingDrives() const { return isReadingDrives_; }
    // Whether an interactive station waits for its outcome.
    bool isAwaitingStation() const { return pending_.has_value(); }
    const std::optional<LocalizedMessage>& notice() const { return notice_; }
    // Why each module failed in the last run.
    const std::map<TestModule, LocalizedMessage>& failures() const { return failures_; }
    const std::optional<CpuBenchmarkProgress>& cpuProgress() const { return cpuProgress_; }
    const std::optional<GpuRenderProgress>& gpuProgress() const { return gpuProgress_; }
    const std::optional<GpuPreviewImage>& gpuPreview() const { return gpuPreview_; }
    const LoadTrace& trace() const { return trace_; }
    const std::optional<MemoryPassProgress>& memoryProgress() const { return memoryProgress_; }
    const std::optional<BatteryHealthResult>& batteryLive() const { return batteryLive_; }
    int durationMinutes() const { return durationMinutes_; }
    bool bypassPeripherals() const { return bypassPeripherals_; }

    // Whole minutes of the CPU and GPU modules; a negative value counts as 0.
    void setDurationMinutes(int minutes);
    void setBypassPeripherals(bool bypass);

signals:
    void planChanged();
    void statusesChanged();
    void currentChanged();
    void wasResumedChanged();
    void isReadingDrivesChanged();
    void noticeChanged();
    void failuresChanged();
    void cpuProgressChanged();
    void gpuProgressChanged();
    void gpuPreviewChanged();
    void traceChanged();
    void memoryProgressChanged();
    void batteryLiveChanged();
    void durationMinutesChanged();
    void bypassPeripheralsChanged();

private:
    struct ModuleEnd {
        ModuleStatus status = ModuleStatus::cancelled;
        std::optional<LocalizedMessage> failure;
    };
    struct StationWait;
    // The station whose module waits for its outcome.
    struct PendingStation {
        std::coroutine_handle<> handle;
        TestModule module;
    };
    // How an automatic module drives its engine or reader and records the result.
    using AutomaticRun = QCoro::Task<ModuleStatus> (TestSuiteRunner::*)(BenchmarkSession&);
    static const std::map<TestModule, AutomaticRun> automaticRuns;

    void launch(BenchmarkSession session, const SystemSpecs& specs, bool resumed, std::function<void()> afterRun);
    QCoro::Task<> run(BenchmarkSession session, std::function<void()> afterRun);
    QCoro::Task<ModuleEnd> runModule(TestModule module, BenchmarkSession& session);
    // Stores how the module ended; false when it was cancelled and the run stops.
    bool recordModuleEnd(TestModule module, const ModuleEnd& end, BenchmarkSession& session);
    QCoro::Task<ModuleStatus> runCpu(BenchmarkSession& session);
    QCoro::Task<ModuleStatus> runGpu(BenchmarkSession& session);
    QCoro::Task<ModuleStatus> runMemory(BenchmarkSession& session);
    QCoro::Task<ModuleStatus> runBattery(BenchmarkSession& session);
    QCoro::Task<ModuleStatus> awaitStation(TestModule module, BenchmarkSession& session);
    // Resumes the waiting station's module, with its outcome or none (the run stops).
    void endStationWait(std::optional<StationOutcome> outcome);
    // Saves the session on the run's machine, and tells the host how the save went and when
    // the stored report changed with it.
    SessionSave save(BenchmarkSession& session);
    void setStatus(TestModule module, ModuleStatus status);
    void setCurrent(std::optional<TestModule> module);
    void beginTrace(LoadTrace::Subject subject);
    void recordTrace();

    ResultStore store_;
    SuiteConfiguration configuration_;
    std::weak_ptr<RunnerHost> host_;
    SystemSpecs machine_; // the run's, as the host read them when it began
    QTimer traceTimer_;
    LoadTrace::Subject traceSubject_ = LoadTrace::Subject::cpu;
    std::optional<PendingStation> pending_;
    std::optional<StationOutcome> delivered_;
    bool stopRequested_ = false;
    bool sessionSaved_ = false; // the last save of the session worked: the file holds the run
    RunHandOver handOver_;      // the run's start, and what a resumed run carries
    std::function<void()> afterRun_;

    std::vector<TestModule> plan_;
    std::map<TestModule, ModuleStatus> statuses_;
    std::optional<TestModule> current_;
    bool wasResumed_ = false;
    bool isReadingDrives_ = false;
    std::optional<LocalizedMessage> notice_;
    std::map<TestModule, LocalizedMessage> failures_;
    std::optional<CpuBenchmarkProgress> cpuProgress_;
    std::optional<GpuRenderProgress> gpuProgress_;
    std::optional<GpuPreviewImage> gpuPreview_;
    LoadTrace trace_;
    std::optional<MemoryPassProgress> memoryProgress_;
    std::optional<BatteryHealthResult> batteryLive_;
    int durationMinutes_ = 3;
    bool bypassPeripherals_ = false;
};

} // namespace zantiva
