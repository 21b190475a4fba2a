#include "Runners/TestSuiteRunner.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include <QPointer>

#include "Engines/CPUBenchmarkEngine.h"
#include "Engines/CPULoadGenerator.h"
#include "Engines/GPUBenchmarkError.h"
#include "Engines/GPURaymarchBenchmark.h"
#include "Engines/MemoryTestEngine.h"
#include "Model/TestPlans.h"
#include "Platform/Log.h"
#include "Probes/BatteryReader.h"
#include "Runners/ObservedField.h"
#include "Runners/SessionRecording.h"

namespace zantiva {
namespace {

constexpr std::string_view category = "suite";

Date now() { return std::chrono::system_clock::now(); }

// The full suite or exactly one of the single-test plans, in module order.
bool isAcceptedPlan(const std::vector<TestModule>& plan) {
    static const std::array plans{&TestPlans::full,      &TestPlans::displayOnly, &TestPlans::ramOnly,
                                  &TestPlans::cpuOnly,   &TestPlans::gpuOnly,     &TestPlans::performance,
                                  &TestPlans::audioMic,  &TestPlans::batteryOnly, &TestPlans::inputOnly};
    return std::ranges::any_of(plans, [&](const std::vector<TestModule>* accepted) { return *accepted == plan; });
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
        runner->pending_ = handle;
        runner->setCurrent(module);
    }
    std::optional<StationOutcome> await_resume() const { return std::exchange(runner->delivered_, std::nullopt); }
};

TestSuiteRunner::TestSuiteRunner(ResultStore store, std::shared_ptr<RunGate> gate, SuiteConfiguration configuration,
                                 QObject* parent)
    : QObject(parent), store_(std::move(store)), gate_(gate ? std::move(gate) : std::make_shared<RunGate>()),
      configuration_(std::move(configuration)) {
    traceTimer_.setInterval(traceInterval);
    connect(&traceTimer_, &QTimer::timeout, this, &TestSuiteRunner::recordTrace);
}

TestSuiteRunner::~TestSuiteRunner() {
    engine_.cancelAndWait();
    if (isRunning_) gate_->leave();
}

void TestSuiteRunner::start(const std::vector<TestModule>& modules) {
    std::function<void()> afterRun = std::exchange(afterRun_, nullptr);
    if (isRunning_ || gate_->isBusy()) return;
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
    launch(std::move(session), false, std::move(afterRun));
}

void TestSuiteRunner::resume(const BenchmarkSession& session) {
    if (isRunning_ || gate_->isBusy()) return;
    setBypassPeripherals(session.peripheralStatus.has_value());
    launch(session, true, nullptr);
}

void TestSuiteRunner::launch(BenchmarkSession session, bool resumed, std::function<void()> afterRun) {
    gate_->tryEnter();
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
    setRunning(true);
    log::info(category, std::string(resumed ? "resuming" : "starting") + " session " + session.sessionID);
    run(std::move(session), std::move(afterRun));
}

QCoro::Task<> TestSuiteRunner::run(BenchmarkSession session, std::function<void()> afterRun) {
    const QPointer<TestSuiteRunner> self(this);
    if (const auto host = host_.lock()) {
        host->setResumable(std::nullopt);
        host->setScreen(AppScreen::suite);
    }
    save(session);

    assignObserved(this, isReadingDrives_, true, &TestSuiteRunner::isReadingDrivesChanged);
    try {
        auto reading = engine_.run<DriveHealthReport>(
            [drives = configuration_.drives](const CancelToken&) { return DriveHealthReader::read(drives); });
        session.results.driveHealth = co_await reading;
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
        if (end.status == ModuleStatus::cancelled) {
            // Not completed: the module stays among the remaining steps.
            session.inProgress.reset();
            session.stepStatus[std::string(stepID(module))] = ModuleStatus::cancelled;
            session.timestamp = now();
            save(session);
            setStatus(module, ModuleStatus::cancelled);
            break;
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
    }

    setCurrent(std::nullopt);
    const bool remains = session.hasRemainingSteps();
    if (!remains) store_.clearSession();
    setRunning(false);
    gate_->leave();
    if (const auto host = host_.lock()) {
        host->setResumable(remains ? std::optional(session) : std::nullopt);
        auto handOver = host->completeRun(session.results, SessionRecording::hasCompletedStations(session));
        co_await handOver;
    }
    if (afterRun) afterRun();
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
        auto measuring = runAutomatic(module, session);
        const ModuleStatus status = co_await measuring;
        co_return ModuleEnd{status, std::nullopt};
    } catch (const CancellationError&) {
        co_return ModuleEnd{ModuleStatus::cancelled, std::nullopt};
    } catch (const GPUBenchmarkError& error) {
        failure = error.userMessage();
    } catch (const std::exception& error) {
        failure = LocalizedMessage("Suite.StationFailed", std::string(error.what()));
    }
    log::error(category, std::string(stepID(module)) + " failed: " + failure->arguments().front());
    co_return ModuleEnd{ModuleStatus::failed, std::move(failure)};
}

template <typename T>
auto TestSuiteRunner::publisher(std::optional<T> TestSuiteRunner::*field, void (TestSuiteRunner::*changed)()) {
    return [this, field, changed](const T& value) {
        onMainThread(
            [this, field, changed, value] { assignObserved(this, this->*field, std::optional(value), changed); });
    };
}

QCoro::Task<ModuleStatus> TestSuiteRunner::runAutomatic(TestModule module, BenchmarkSession& session) {
    const SuiteConfiguration& c = configuration_;
    const double seconds = durationMinutes_ * 60.0;
    switch (module) {
    case TestModule::cpuBenchmark: {
        assignObserved(this, cpuProgress_, std::nullopt, &TestSuiteRunner::cpuProgressChanged);
        beginTrace(LoadTrace::Subject::cpu);
        const CPUBenchmarkEngine engine(c.sampler, c.cpuWorkload, c.cpuThreads, c.activity);
        auto measurement = engine_.run<CpuBenchmarkResult>([this, engine, seconds](const CancelToken& cancel) {
            return engine.run(seconds, publisher(&TestSuiteRunner::cpuProgress_, &TestSuiteRunner::cpuProgressChanged),
                              cancel);
        });
        const auto result = co_await measurement;
        co_return SessionRecording::record(session, result);
    }
    case TestModule::gpuBenchmark: {
        assignObserved(this, gpuProgress_, std::nullopt, &TestSuiteRunner::gpuProgressChanged);
        assignObserved(this, gpuPreview_, std::nullopt, &TestSuiteRunner::gpuPreviewChanged);
        beginTrace(LoadTrace::Subject::gpu);
        const GPURaymarchBenchmark engine(c.gpu, c.gpuRenderer, {}, c.activity);
        auto measurement = engine_.run<GpuBenchmarkResult>([this, engine, seconds](const CancelToken& cancel) {
            return engine.run(seconds, publisher(&TestSuiteRunner::gpuProgress_, &TestSuiteRunner::gpuProgressChanged),
                              publisher(&TestSuiteRunner::gpuPreview_, &TestSuiteRunner::gpuPreviewChanged), cancel);
        });
        const auto result = co_await measurement;
        co_return SessionRecording::record(session, result);
    }
    case TestModule::ramTest: {
        assignObserved(this, memoryProgress_, std::nullopt, &TestSuiteRunner::memoryProgressChanged);
        const MemoryTestEngine engine(c.memoryTestBytes);
        auto measurement = engine_.run<MemoryTestResult>([this, engine](const CancelToken& cancel) {
            return engine.run(
                [publish = publisher(&TestSuiteRunner::memoryProgress_, &TestSuiteRunner::memoryProgressChanged)](
                    const MemoryTestProgress& p, int pass, std::uint8_t pattern, bool verifying) {
                    publish(MemoryPassProgress{pass, pattern, verifying, p.percentComplete() / 100});
                },
                cancel);
        });
        const auto result = co_await measurement;
        co_return SessionRecording::record(session, result);
    }
    case TestModule::battery: {
        assignObserved(this, batteryLive_, std::nullopt, &TestSuiteRunner::batteryLiveChanged);
        const QPointer<TestSuiteRunner> self(this);
        // A first reading, a short load on every processor, then the reading that is kept:
        // its discharge rate is the one under load.
        auto measurement = engine_.run<BatteryHealthResult>(
            [publish = publisher(&TestSuiteRunner::batteryLive_, &TestSuiteRunner::batteryLiveChanged),
             root = c.batteryRoot, load = c.batteryLoadSeconds](const CancelToken& cancel) {
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
    case TestModule::display:
    case TestModule::audio:
    case TestModule::micCamera:
    case TestModule::input: break;
    }
    throw std::logic_error("not an automatic module");
}

QCoro::Task<ModuleStatus> TestSuiteRunner::awaitStation(TestModule module, BenchmarkSession& session) {
    StationWait wait{this, module};
    const std::optional<StationOutcome> outcome = co_await wait;
    if (!outcome) throw CancellationError();
    co_return SessionRecording::record(session, *outcome);
}

void TestSuiteRunner::complete(const StationOutcome& outcome) {
    if (!pending_) return;
    const auto handle = std::exchange(pending_, {});
    delivered_ = outcome;
    onMainThread([handle] { handle.resume(); });
}

void TestSuiteRunner::stop() {
    if (!isRunning_) return;
    stopRequested_ = true;
    engine_.cancel();
    if (!pending_) return;
    const auto handle = std::exchange(pending_, {});
    delivered_.reset();
    onMainThread([handle] { handle.resume(); });
}

void TestSuiteRunner::save(BenchmarkSession& session) { store_.saveSession(session); }

void TestSuiteRunner::setStatus(TestModule module, ModuleStatus status) {
    auto statuses = statuses_;
    statuses[module] = status;
    assignObserved(this, statuses_, std::move(statuses), &TestSuiteRunner::statusesChanged);
}

void TestSuiteRunner::setCurrent(std::optional<TestModule> module) {
    assignObserved(this, current_, module, &TestSuiteRunner::currentChanged);
}

void TestSuiteRunner::setRunning(bool running) {
    assignObserved(this, isRunning_, running, &TestSuiteRunner::isRunningChanged);
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
