#include "Runners/TestSuiteRunner.h"

#include <algorithm>
#include <string>
#include <utility>

#include <QPointer>

#include "Engines/CPUBenchmarkEngine.h"
#include "Engines/CPULoadGenerator.h"
#include "Engines/GPUBenchmarkError.h"
#include "Engines/GPURaymarchBenchmark.h"
#include "Engines/MemoryTestEngine.h"
#include "Engines/MemoryTestFailure.h"
#include "Localization/AppLanguage.h"
#include "Model/BenchmarkScoring.h"
#include "Model/NotSavedNotice.h"
#include "Model/TestPlans.h"
#include "Platform/Log.h"
#include "Probes/BatteryReader.h"
#include "Runners/SessionRecording.h"

namespace zantiva {
namespace {

constexpr std::string_view category = "suite";

Date now() { return std::chrono::system_clock::now(); }

// The full suite or exactly one of the single-test plans, in module order.
bool isAcceptedPlan(const std::vector<TestModule>& plan) {
    return plan == TestPlans::full || std::ranges::count(TestPlans::singleTestPlans, plan) == 1;
}

bool hasPeripheral(const std::vector<TestModule>& plan) {
    return std::ranges::any_of(plan, SessionRecording::isPeripheral);
}

} // namespace

// Suspends a station's module until its page reports an outcome or the run stops (no
// outcome). The page is shown only once the wait is in place, so an outcome reported as
// soon as the page appears is never lost.
struct TestSuiteRunner::StationWait {
    TestSuiteRunner* runner;
    TestModule module;

    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> handle) {
        runner->pending_ = PendingStation{handle, module};
        runner->setCurrent(module);
    }
    std::optional<StationOutcome> await_resume() const { return std::exchange(runner->delivered_, std::nullopt); }
};

TestSuiteRunner::TestSuiteRunner(ResultStore store, std::shared_ptr<RunGate> gate, SuiteConfiguration configuration,
                                 QObject* parent)
    : Runner(std::move(gate), parent), store_(std::move(store)), configuration_(std::move(configuration)) {
    traceTimer_.setInterval(traceInterval);
    connect(&traceTimer_, &QTimer::timeout, this, &TestSuiteRunner::recordTrace);
}

void TestSuiteRunner::start(const std::vector<TestModule>& modules) {
    std::function<void()> afterRun = std::exchange(afterRun_, nullptr);
    const auto host = host_.lock();
    const auto specs = host ? host->specs() : std::nullopt;
    if (!specs) return;
    const std::vector<TestModule> plan = TestPlans::ordered(modules);
    if (!isAcceptedPlan(plan)) {
        log::error(category, "refused a plan that is neither the full suite nor a single-test plan");
        return;
    }
    BenchmarkSession session = BenchmarkSession::start(*specs, plan);
    if (bypassPeripherals_ && hasPeripheral(plan)) {
        session.peripheralStatus = BenchmarkSession::peripheralBypassedStatus;
        session.results.peripheralStatus = session.peripheralStatus;
    }
    if (!beginRun()) return;
    launch(std::move(session), *specs, false, std::move(afterRun));
}

void TestSuiteRunner::resume(const BenchmarkSession& session) {
    const auto host = host_.lock();
    const auto specs = host ? host->specs() : std::nullopt;
    if (!specs || !beginRun()) return;
    launch(session, *specs, true, nullptr);
}

// The run has entered the gate.
void TestSuiteRunner::launch(BenchmarkSession session, const SystemSpecs& specs, bool resumed,
                             std::function<void()> afterRun) {
    machine_ = specs;
    // The session file takes this run only once the run it holds is safe elsewhere; where
    // that can't be done, the run doesn't begin and the user is told what is kept.
    if (const SessionSave first = save(session); first.standing != StandingSession::none) {
        log::error(category, "didn't begin session " + session.sessionID + ": " + first.result.reason);
        endRun();
        if (const auto host = host_.lock()) host->setStatus(runNotBegunNotice(first));
        return;
    }
    if (resumed) setBypassPeripherals(session.peripheralStatus.has_value());
    stopRequested_ = false;
    delivered_.reset();
    std::map<TestModule, ModuleStatus> statuses;
    for (const TestModule module : session.completedSteps) {
        const auto status = session.stepStatus.find(std::string(stepID(module)));
        if (status != session.stepStatus.end()) statuses[module] = status->second;
    }
    assignObserved(this, plan_, session.plannedSteps, &TestSuiteRunner::planChanged);
    assignObserved(this, statuses_, std::move(statuses), &TestSuiteRunner::statusesChanged);
    assignObserved(this, failures_, std::map<TestModule, LocalizedMessage>{}, &TestSuiteRunner::failuresChanged);
    assignObserved(this, notice_, std::nullopt, &TestSuiteRunner::noticeChanged);
    assignObserved(this, wasResumed_, resumed, &TestSuiteRunner::wasResumedChanged);
    setCurrent(std::nullopt);
    handOver_ = RunHandOver{.startedAt = now()};
    if (resumed && SessionRecording::hasCompletedStations(session)) {
        // Measured before the interruption: the report may have gained newer results since.
        FinalBenchmarkReport before = session.results;
        before.specs = specs;
        before.completedAt = session.timestamp;
        handOver_.carried = MeasuredRun{std::move(before), std::min(session.startedAt, session.timestamp)};
    }
    log::info(category, std::string(resumed ? "resuming" : "starting") + " session " + session.sessionID);
    run(std::move(session), std::move(afterRun));
}

QCoro::Task<> TestSuiteRunner::run(BenchmarkSession session, std::function<void()> afterRun) {
    const QPointer<TestSuiteRunner> self(this);
    emit runBegan();

    assignObserved(this, isReadingDrives_, true, &TestSuiteRunner::isReadingDrivesChanged);
    try {
        auto reading = runEngine<DriveHealthReport>(
            [drives = configuration_.drives](const CancelToken& cancel) {
                return DriveHealthReader::read(drives, cancel);
            });
        // A resumed session keeps the drives it read before when their list can't be read now.
        std::optional<DriveHealthReport> read = co_await reading;
        BenchmarkScoring::keepPreviousOverUnknown(read, session.results.driveHealth);
        session.results.driveHealth = std::move(read);
    } catch (const std::exception& error) {
        log::error(category, std::string("couldn't read drive health: ") + error.what());
    }
    if (!self) co_return;
    assignObserved(this, isReadingDrives_, false, &TestSuiteRunner::isReadingDrivesChanged);

    for (const TestModule module : session.remainingModules()) {
        if (stopRequested_) break;
        if (session.peripheralStatus && SessionRecording::isPeripheral(module)) {
            session.markCompleted(module, ModuleStatus::bypassed, now());
            save(session);
            setStatus(module, ModuleStatus::bypassed);
            continue;
        }
        session.inProgress = module;
        session.timestamp = now();
        save(session);
        setStatus(module, ModuleStatus::running);

        auto running = runModule(module, session);
        const ModuleEnd end = co_await running;
        if (!self) co_return;
        traceTimer_.stop();
        if (!recordModuleEnd(module, end, session)) break;
    }

    setCurrent(std::nullopt);
    const bool remains = session.hasRemainingSteps();
    endRun();
    bool inReport = false;
    if (const auto host = host_.lock()) {
        host->setResumable(remains ? std::optional(session) : std::nullopt);
        // The hand-over saves the report: the finished session goes only once the results
        // it holds are there (else the next start lays it over the report), and a run begun
        // meanwhile keeps its own session.
        handOver_.keptInSession = sessionSaved_;
        handOver_.finished = !remains;
        auto handOver =
            host->completeRun(session.results, SessionRecording::hasCompletedStations(session), std::move(handOver_));
        inReport = co_await handOver;
    }
    // Removed once its results are in the report, the run's session no longer needs to be saved.
    if (!remains && inReport && self)
        if (const SaveResult cleared = store_.clearSession(session.sessionID); cleared.saved())
            if (const auto host = host_.lock()) host->tellSave(SavedRecord::session, cleared);
    if (afterRun) afterRun();
}

bool TestSuiteRunner::recordModuleEnd(TestModule module, const ModuleEnd& end, BenchmarkSession& session) {
    if (end.status == ModuleStatus::cancelled) {
        // Not completed: the module stays among the remaining steps.
        session.inProgress.reset();
        session.stepStatus[std::string(stepID(module))] = ModuleStatus::cancelled;
        session.timestamp = now();
        save(session);
        setStatus(module, ModuleStatus::cancelled);
        return false;
    }
    if (end.failure) {
        auto failures = failures_;
        failures.insert_or_assign(module, *end.failure);
        assignObserved(this, failures_, std::move(failures), &TestSuiteRunner::failuresChanged);
        assignObserved(this, notice_, end.failure, &TestSuiteRunner::noticeChanged);
    }
    session.markCompleted(module, end.status, now());
    save(session);
    setStatus(module, end.status);
    return true;
}

QCoro::Task<TestSuiteRunner::ModuleEnd> TestSuiteRunner::runModule(TestModule module, BenchmarkSession& session) {
    std::optional<LocalizedMessage> failure;
    try {
        if (SessionRecording::isPeripheral(module)) {
            auto station = awaitStation(module, session);
            const ModuleStatus status = co_await station;
            co_return ModuleEnd{status, std::nullopt};
        }
        setCurrent(module);
        auto measuring = (this->*automaticRuns.at(module))(session);
        const ModuleStatus status = co_await measuring;
        co_return ModuleEnd{status, std::nullopt};
    } catch (const CancellationError&) {
        co_return ModuleEnd{ModuleStatus::cancelled, std::nullopt};
    } catch (const GPUBenchmarkError& error) {
        failure = error.userMessage();
    } catch (const MemoryTestFailure& error) {
        failure = error.userMessage();
    } catch (const std::exception& error) {
        failure = LocalizedMessage("Suite.StationFailed", std::string(error.what()));
    }
    log::error(category, std::string(stepID(module)) + " failed: " + failure->resolved(AppLanguage::english));
    co_return ModuleEnd{ModuleStatus::failed, std::move(failure)};
}

const std::map<TestModule, TestSuiteRunner::AutomaticRun> TestSuiteRunner::automaticRuns = {
    {TestModule::cpuBenchmark, &TestSuiteRunner::runCpu},
    {TestModule::gpuBenchmark, &TestSuiteRunner::runGpu},
    {TestModule::ramTest, &TestSuiteRunner::runMemory},
    {TestModule::battery, &TestSuiteRunner::runBattery},
};

QCoro::Task<ModuleStatus> TestSuiteRunner::runCpu(BenchmarkSession& session) {
    assignObserved(this, cpuProgress_, std::nullopt, &TestSuiteRunner::cpuProgressChanged);
    beginTrace(LoadTrace::Subject::cpu);
    const SuiteConfiguration& c = configuration_;
    const CPUBenchmarkEngine engine(c.sampler, c.cpuWorkload, c.cpuThreads, c.activity);
    auto measurement = runEngine<CpuBenchmarkResult>(
        [engine, seconds = durationMinutes_ * 60.0,
         progress = publisher(&TestSuiteRunner::cpuProgress_, &TestSuiteRunner::cpuProgressChanged)](
            const CancelToken& cancel) { return engine.run(seconds, progress, cancel); });
    const auto result = co_await measurement;
    co_return SessionRecording::record(session, result);
}

QCoro::Task<ModuleStatus> TestSuiteRunner::runGpu(BenchmarkSession& session) {
    assignObserved(this, gpuProgress_, std::nullopt, &TestSuiteRunner::gpuProgressChanged);
    assignObserved(this, gpuPreview_, std::nullopt, &TestSuiteRunner::gpuPreviewChanged);
    beginTrace(LoadTrace::Subject::gpu);
    const SuiteConfiguration& c = configuration_;
    const GPURaymarchBenchmark engine(c.gpu, c.gpuRenderer, {}, c.activity);
    auto measurement = runEngine<GpuBenchmarkResult>(
        [engine, seconds = durationMinutes_ * 60.0,
         progress = publisher(&TestSuiteRunner::gpuProgress_, &TestSuiteRunner::gpuProgressChanged),
         preview = publisher(&TestSuiteRunner::gpuPreview_, &TestSuiteRunner::gpuPreviewChanged)](
            const CancelToken& cancel) { return engine.run(seconds, progress, preview, cancel); });
    const auto result = co_await measurement;
    co_return SessionRecording::record(session, result);
}

QCoro::Task<ModuleStatus> TestSuiteRunner::runMemory(BenchmarkSession& session) {
    assignObserved(this, memoryProgress_, std::nullopt, &TestSuiteRunner::memoryProgressChanged);
    const MemoryTestEngine engine(configuration_.memoryTestBytes);
    auto measurement = runEngine<MemoryTestResult>(
        [engine, publish = publisher(&TestSuiteRunner::memoryProgress_, &TestSuiteRunner::memoryProgressChanged)](
            const CancelToken& cancel) {
            return engine.run(
                [&publish](const MemoryTestProgress& p, int pass, std::uint8_t pattern, bool verifying) {
                    publish(MemoryPassProgress{pass, pattern, verifying, p.percentComplete() / 100});
                },
                cancel);
        });
    const auto result = co_await measurement;
    co_return SessionRecording::record(session, result);
}

// A first reading, a short load on every processor, then the reading that is kept: its
// discharge rate is the one under load.
QCoro::Task<ModuleStatus> TestSuiteRunner::runBattery(BenchmarkSession& session) {
    assignObserved(this, batteryLive_, std::nullopt, &TestSuiteRunner::batteryLiveChanged);
    const QPointer<TestSuiteRunner> self(this);
    auto measurement = runEngine<BatteryHealthResult>(
        [publish = publisher(&TestSuiteRunner::batteryLive_, &TestSuiteRunner::batteryLiveChanged),
         root = configuration_.batteryRoot, load = configuration_.batteryLoadSeconds](const CancelToken& cancel) {
            const BatteryHealthResult first = BatteryReader::read(root);
            publish(first);
            if (!first.batteryPresent) return first;
            CPULoadGenerator::run(load, cancel);
            cancel.throwIfCancelled();
            BatteryHealthResult second = BatteryReader::read(root);
            BatteryReader::applyScoringRules(second, BatteryReader::chargeLimit(root));
            return second;
        });
    const auto result = co_await measurement;
    if (self) assignObserved(this, batteryLive_, result, &TestSuiteRunner::batteryLiveChanged);
    co_return SessionRecording::record(session, result);
}

QCoro::Task<ModuleStatus> TestSuiteRunner::awaitStation(TestModule module, BenchmarkSession& session) {
    StationWait wait{this, module};
    const std::optional<StationOutcome> outcome = co_await wait;
    if (!outcome) throw CancellationError();
    co_return SessionRecording::record(session, *outcome);
}

void TestSuiteRunner::complete(const StationOutcome& outcome) {
    if (!pending_) return;
    if (!outcome.fits(pending_->module)) {
        log::error(category, "dropped an outcome that is not one of the " + std::string(stepID(pending_->module)) +
                                 " station's");
        return;
    }
    endStationWait(outcome);
}

void TestSuiteRunner::stop() {
    if (!isRunning()) return;
    stopRequested_ = true;
    cancelEngine();
    if (pending_) endStationWait(std::nullopt);
}

void TestSuiteRunner::endStationWait(std::optional<StationOutcome> outcome) {
    const std::coroutine_handle<> handle = std::exchange(pending_, std::nullopt)->handle;
    delivered_ = std::move(outcome);
    onMainThread([handle] { handle.resume(); });
}

SessionSave TestSuiteRunner::save(BenchmarkSession& session) {
    const SessionSave saved = store_.saveSession(session, machine_);
    sessionSaved_ = saved.saved();
    const auto host = host_.lock();
    if (!host) return saved;
    if (saved.reportChanged || !saved.keptAside.empty()) host->storedReportChanged(saved.keptAside);
    host->tellSave(SavedRecord::session, saved.result);
    return saved;
}

void TestSuiteRunner::setStatus(TestModule module, ModuleStatus status) {
    auto statuses = statuses_;
    statuses[module] = status;
    assignObserved(this, statuses_, std::move(statuses), &TestSuiteRunner::statusesChanged);
}

void TestSuiteRunner::setCurrent(std::optional<TestModule> module) {
    assignObserved(this, current_, module, &TestSuiteRunner::currentChanged);
}

void TestSuiteRunner::setDurationMinutes(int minutes) {
    assignObserved(this, durationMinutes_, std::max(minutes, 0), &TestSuiteRunner::durationMinutesChanged);
}

void TestSuiteRunner::setBypassPeripherals(bool bypass) {
    assignObserved(this, bypassPeripherals_, bypass, &TestSuiteRunner::bypassPeripheralsChanged);
}

void TestSuiteRunner::beginTrace(LoadTrace::Subject subject) {
    traceSubject_ = subject;
    assignObserved(this, trace_, LoadTrace{}, &TestSuiteRunner::traceChanged);
    traceTimer_.start();
}

void TestSuiteRunner::recordTrace() {
    if (!configuration_.latestTelemetry) return;
    const auto snapshot = configuration_.latestTelemetry();
    if (!snapshot) return;
    trace_.record(*snapshot, traceSubject_);
    emit traceChanged();
}

} // namespace zantiva
