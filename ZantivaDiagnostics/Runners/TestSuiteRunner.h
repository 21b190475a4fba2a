#pragma once

#include <QCoro/QCoroTask>
#include <QObject>
#include <QTimer>

// moc cannot read the C++20 concepts these headers hold, and needs none of them.
#ifndef Q_MOC_RUN
#include <chrono>
#include <coroutine>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>
#include "Engines/GpuRenderProgress.h"
#include "Engines/GpuRenderer.h"
#include "Localization/LocalizedMessage.h"
#include "Model/BatteryHealthResult.h"
#include "Model/BenchmarkSession.h"
#include "Model/CpuBenchmarkProgress.h"
#include "Model/ResultStore.h"
#include "Model/TestModule.h"
#include "Probes/LoadTrace.h"
#include "Runners/EngineCall.h"
#include "Runners/MemoryPassProgress.h"
#include "Runners/RunGate.h"
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
class TestSuiteRunner : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds traceInterval{1000};

    // gate: shared with the storage runner and the outside-benchmark runner; a private one
    // when absent.
    explicit TestSuiteRunner(ResultStore store, std::shared_ptr<RunGate> gate = nullptr,
                             SuiteConfiguration configuration = {}, QObject* parent = nullptr);
    // Stops a run under way and waits for its engine thread.
    ~TestSuiteRunner() override;

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
    bool isRunning() const { return isRunning_; }
    bool wasResumed() const { return wasResumed_; }
    bool isReadingDrives() const { return isReadingDrives_; }
    // Whether an interactive station waits for its outcome.
    bool isAwaitingStation() const { return static_cast<bool>(pending_); }
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
    void isRunningChanged();
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

    void launch(BenchmarkSession session, bool resumed, std::function<void()> afterRun);
    QCoro::Task<> run(BenchmarkSession session, std::function<void()> afterRun);
    QCoro::Task<ModuleEnd> runModule(TestModule module, BenchmarkSession& session);
    QCoro::Task<ModuleStatus> runAutomatic(TestModule module, BenchmarkSession& session);
    QCoro::Task<ModuleStatus> awaitStation(TestModule module, BenchmarkSession& session);
    void save(BenchmarkSession& session);
    void setStatus(TestModule module, ModuleStatus status);
    void setCurrent(std::optional<TestModule> module);
    void setRunning(bool running);
    void beginTrace(LoadTrace::Subject subject);
    void recordTrace();
    // Runs f on the main thread, from an engine thread; dropped once the runner is gone.
    template <typename F> void onMainThread(F f) {
        QMetaObject::invokeMethod(this, std::move(f), Qt::QueuedConnection);
    }
    // An engine callback that publishes each report into an observed field on the main thread.
    template <typename T>
    auto publisher(std::optional<T> TestSuiteRunner::*field, void (TestSuiteRunner::*changed)());

    ResultStore store_;
    std::shared_ptr<RunGate> gate_;
    SuiteConfiguration configuration_;
    std::weak_ptr<RunnerHost> host_;
    EngineCall engine_;
    QTimer traceTimer_;
    LoadTrace::Subject traceSubject_ = LoadTrace::Subject::cpu;
    std::coroutine_handle<> pending_;
    std::optional<StationOutcome> delivered_;
    bool stopRequested_ = false;
    std::function<void()> afterRun_;

    std::vector<TestModule> plan_;
    std::map<TestModule, ModuleStatus> statuses_;
    std::optional<TestModule> current_;
    bool isRunning_ = false;
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
