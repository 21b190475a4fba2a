#include "ExternalRun/ExternalBenchmarkRunner.h"

#include <algorithm>
#include <utility>

#include <QCoreApplication>
#include <QCoro/QCoroTimer>
#include <QPointer>

#include "External/ExternalBenchmarkCSV.h"
#include "ExternalRun/ExternalCsvExport.h"
#include "ExternalRun/ExternalProblemMessages.h"
#include "Model/NotSavedNotice.h"
#include "Observation/ObservedValue.h"
#include "Platform/CancelToken.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using App = ExternalBenchmarkApp;

constexpr std::chrono::milliseconds restPoll{250};

} // namespace

RunClock RunClock::steady() {
    return {[] { return std::chrono::steady_clock::now(); },
            [](std::chrono::milliseconds wait) { return QCoro::sleepFor(wait); }};
}

ExternalBenchmarkRunner::ExternalBenchmarkRunner(ExternalRunnerConfiguration configuration,
                                                 std::shared_ptr<RunGate> gate, QObject* parent)
    : Runner(std::move(gate), parent), configuration_(std::move(configuration)),
      installations_(configuration_.store, configuration_.searchDirectories, configuration_.images),
      scores_(configuration_.store, configuration_.readerFactory) {
    connect(&Runner::gate(), &RunGate::busyChanged, this, &ExternalBenchmarkRunner::canStartChanged);
    connect(&console_, &ToolConsole::changed, this, &ExternalBenchmarkRunner::consoleChanged);
    connect(&scores_, &ExternalScores::changed, this, &ExternalBenchmarkRunner::scoresChanged);
    connect(&installations_, &ExternalInstallations::saveTold, this, [this](const SaveResult& saved) {
        if (const auto host = host_.lock()) host->tellSave(SavedRecord::installation, saved);
    });
}

ExternalBenchmarkRunner::~ExternalBenchmarkRunner() {
    shutDown();
    // Runner's destructor may still leave the gate, when this object's signals are gone.
    disconnect(&Runner::gate(), nullptr, this, nullptr);
}

void ExternalBenchmarkRunner::attach(std::weak_ptr<ExternalRunnerHost> host) {
    host_ = std::move(host);
    if (const auto* application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &ExternalBenchmarkRunner::shutDown,
                Qt::UniqueConnection);
    emit canStartChanged();
}

bool ExternalBenchmarkRunner::canStart() const { return !host_.expired() && !Runner::gate().isBusy(); }

std::string ExternalBenchmarkRunner::label(const ExternalBenchmarkStep& step, const Loc& loc) const {
    const auto found = installations_.all().find(step.app);
    const std::string name = found != installations_.all().end() ? found->second.displayName()
                                                                 : std::string(displayName(step.app));
    std::string kind;
    switch (step.kind) {
    case ExternalTestKind::cpuSingleCore:
        kind = loc.t(step.app == App::geekbench ? "ExtRun.Kind.GeekbenchCpu" : "Dashboard.External.CpuSingle");
        break;
    case ExternalTestKind::cpuMultiCore: kind = loc.t("Dashboard.External.CpuMulti"); break;
    case ExternalTestKind::gpu: kind = loc.t("Dashboard.External.Gpu"); break;
    }
    return name + " \u2014 " + kind;
}

void ExternalBenchmarkRunner::setExpanded(bool expanded) {
    assignObserved(this, isExpanded_, expanded, &ExternalBenchmarkRunner::isExpandedChanged);
}

// ---- start-up ----

QCoro::Task<> ExternalBenchmarkRunner::recoverPendingResults() {
    return scores_.recover([self = QPointer<ExternalBenchmarkRunner>(this)] { return !self || self->isRunning(); });
}

// ---- runs ----

void ExternalBenchmarkRunner::begin(std::vector<ExternalBenchmarkPlan::Item> plan, bool thenZantiva) {
    const auto host = host_.lock();
    if (!host || plan.empty() || !beginRun()) return;
    // Start-up recovery yields: its page read ends and its entry stays pending.
    scores_.stopRecovery();
    const auto steps = std::ranges::count_if(
        plan, [](const ExternalBenchmarkPlan::Item& item) { return std::holds_alternative<ExternalBenchmarkStep>(item); });
    assignObserved(this, wasCancelled_, false, &ExternalBenchmarkRunner::wasCancelledChanged);
    assignObserved(this, csvWritten_, false, &ExternalBenchmarkRunner::csvWrittenChanged);
    assignObserved(this, problems_, std::vector<Problem>{}, &ExternalBenchmarkRunner::problemsChanged);
    console_.clear();
    assignObserved(this, scoredApps_, std::vector<App>{}, &ExternalBenchmarkRunner::scoredAppsChanged);
    setStatus(std::nullopt);
    setFraction(std::nullopt);
    assignObserved(this, stepIndex_, 0, &ExternalBenchmarkRunner::stepIndexChanged);
    assignObserved(this, stepCount_, static_cast<int>(steps), &ExternalBenchmarkRunner::stepCountChanged);
    host->setStatus(std::nullopt);
    emit runBegan();
    runStop_ = std::stop_source();
    execute(std::move(plan), thenZantiva, runStop_.get_token()); // runs on by itself
}

void ExternalBenchmarkRunner::runAll(App app) {
    std::vector<ExternalBenchmarkPlan::Item> plan;
    for (const ExternalBenchmarkStep& step : ExternalBenchmarkPlan::steps(app)) plan.emplace_back(step);
    begin(std::move(plan), false);
}

void ExternalBenchmarkRunner::runFullPerformance() {
    std::vector<App> ready;
    for (const App app : allCases<App>())
        if (installations_.isReady(app)) ready.push_back(app);
    if (ready.empty()) {
        setExpanded(true);
        if (const auto host = host_.lock()) host->setStatus(LocalizedMessage("Main.ExternalMissing"));
        return;
    }
    begin(ExternalBenchmarkPlan::fullRun(ready), true);
}

void ExternalBenchmarkRunner::stop() {
    if (!isRunning()) return;
    assignObserved(this, wasCancelled_, true, &ExternalBenchmarkRunner::wasCancelledChanged);
    runStop_.request_stop();
}

void ExternalBenchmarkRunner::skipCooldown() { skipCooldownRequested_ = true; }

void ExternalBenchmarkRunner::shutDown() {
    // The stop kills the tool's process group at once, so its image is no longer busy.
    runStop_.request_stop();
    scores_.stopRecovery();
    installations_.detachDiskImages();
}

QCoro::Task<> ExternalBenchmarkRunner::execute(std::vector<ExternalBenchmarkPlan::Item> plan, bool thenZantiva,
                                               std::stop_token stop) {
    const QPointer<ExternalBenchmarkRunner> self(this);
    // A quit destroys the runner while this run waits for its tool; the run ends (and lets go of
    // its hold) only when the killed tool is reaped, so it keeps the activity alive itself.
    const std::shared_ptr<ProcessActivity> activity = configuration_.activity;
    const auto hold = activity->begin("Zantiva external benchmark", {.keepSystemAwake = true, .keepDisplayAwake = true});
    for (const ExternalBenchmarkPlan::Item& item : plan) {
        if (stop.stop_requested()) break;
        if (const auto* cooldown = std::get_if<ExternalBenchmarkPlan::Cooldown>(&item)) {
            auto resting = rest(cooldown->before, stop);
            co_await resting;
        } else {
            assignObserved(this, stepIndex_, stepIndex_ + 1, &ExternalBenchmarkRunner::stepIndexChanged);
            auto running = runStep(std::get<ExternalBenchmarkStep>(item), stop);
            co_await running;
        }
        if (!self) co_return;
    }
    finish(thenZantiva && !stop.stop_requested());
}

QCoro::Task<> ExternalBenchmarkRunner::rest(App before, std::stop_token stop) {
    const QPointer<ExternalBenchmarkRunner> self(this);
    setCurrentStep(std::nullopt);
    setStepStartedAt(std::nullopt);
    setFraction(std::nullopt);
    skipCooldownRequested_ = false;
    setStatus(LocalizedMessage("ExtRun.CooldownStatus"));
    const RunClock clock = configuration_.clock;
    const auto deadline = clock.now() + configuration_.cooldown;
    while (!skipCooldownRequested_ && !stop.stop_requested()) {
        const auto left = deadline - clock.now();
        if (left <= left.zero()) break;
        // Whole seconds, the one under way not counted: a fresh 300-second rest shows 299 first.
        const auto seconds = std::chrono::floor<std::chrono::seconds>(left - std::chrono::nanoseconds(1)).count();
        setCooldown(Cooldown{before, static_cast<int>(seconds)});
        auto sleeping = clock.sleep(restPoll);
        co_await sleeping;
        if (!self) co_return;
    }
    setCooldown(std::nullopt);
}

QCoro::Task<> ExternalBenchmarkRunner::runStep(ExternalBenchmarkStep step, std::stop_token stop) {
    const QPointer<ExternalBenchmarkRunner> self(this);
    setCurrentStep(step);
    setStepStartedAt(now());
    setFraction(step.app == App::geekbench ? std::optional(0.0) : std::nullopt);
    setStatus(LocalizedMessage("ExtRun.Starting"));
    const auto found = installations_.all().find(step.app);
    if (found == installations_.all().end() || !found->second.isAvailable()) {
        addProblem(step, LocalizedMessage("External.Moved"));
        co_return;
    }
    const ExternalBenchmarkInstallation installation = found->second;
    auto resolving = resolveProgram(step, installation, stop);
    const std::optional<fs::path> program = co_await resolving;
    if (!self || !program) co_return;
    auto running = runTool(step, installation, *program, stop);
    const ToolOutcome outcome = co_await running;
    if (!self) co_return;
    console_.flush(); // all the tool printed, before the outcome
    recordOutcome(step, outcome);
}

QCoro::Task<std::optional<fs::path>> ExternalBenchmarkRunner::resolveProgram(ExternalBenchmarkStep step,
                                                                            ExternalBenchmarkInstallation installation,
                                                                            std::stop_token stop) {
    const QPointer<ExternalBenchmarkRunner> self(this);
    fs::path program = installation.resolvedExecutable();
    if (const auto image = installation.resolvedDiskImage()) {
        setStatus(LocalizedMessage("External.OpeningImage"));
        std::optional<LocalizedMessage> failure;
        bool cancelled = false;
        try {
            auto mounting = installations_.mount(*image, stop);
            const fs::path mountPoint = co_await mounting;
            program = mountPoint / installation.executablePath;
        } catch (const DiskImageError& error) {
            failure = error.message;
        } catch (const CancellationError&) {
            cancelled = true;
        } catch (const std::exception& error) {
            failure = LocalizedMessage("External.ImageFailed", std::string(error.what()));
        }
        if (!self) co_return std::nullopt;
        if (cancelled) {
            setStatus(LocalizedMessage("ExtRun.Cancelled"));
            co_return std::nullopt;
        }
        if (failure) {
            addProblem(step, std::move(*failure));
            co_return std::nullopt;
        }
        setStepStartedAt(now());
        setStatus(LocalizedMessage("ExtRun.Starting"));
    }
    console_.append("\u25B8 " + program.string());
    co_return program;
}

QCoro::Task<ExternalBenchmarkRunner::ToolOutcome> ExternalBenchmarkRunner::runTool(
    ExternalBenchmarkStep step, ExternalBenchmarkInstallation installation, fs::path program, std::stop_token stop) {
    const QPointer<ExternalBenchmarkRunner> self(this);
    // The tools report on this thread; a report after the runner has gone is dropped.
    const auto progress = [self](const ExternalBenchmarkProgress& p) {
        if (!self) return;
        if (p.isIndeterminate)
            self->setFraction(std::nullopt);
        else if (p.fraction)
            self->setFraction(p.fraction);
        if (p.status && !p.status->empty()) self->setStatus(Status(std::in_place_type<std::string>, *p.status));
    };
    const auto console = [self](const std::string& line) {
        if (self) self->console_.append(line);
    };
    const bool gpu = step.kind == ExternalTestKind::gpu;
    ToolOutcome outcome;
    try {
        if (step.app == App::geekbench) {
            auto running = configuration_.service.runGeekbench(installation, program, gpu, progress, console, stop);
            GeekbenchRunOutcome printed = co_await running;
            if (!self) co_return outcome;
            auto reading = geekbenchScores(std::move(printed), gpu, stop);
            outcome.measured = co_await reading;
        } else {
            auto running = configuration_.service.runCinebench(installation, program, step.kind, progress, console, stop);
            const double score = co_await running;
            outcome.measured = ExternalBenchmarkResult{score, score, score};
        }
    } catch (const CancellationError&) {
        outcome.cancelled = true;
    } catch (const ExternalBenchmarkError& error) {
        outcome.toolError = error;
    } catch (const std::exception& error) {
        outcome.otherError = error.what();
    }
    co_return outcome;
}

void ExternalBenchmarkRunner::recordOutcome(const ExternalBenchmarkStep& step, const ToolOutcome& outcome) {
    if (outcome.measured) {
        recordScores(step, *outcome.measured);
    } else if (outcome.cancelled) {
        setStatus(LocalizedMessage("ExtRun.Cancelled"));
    } else if (const auto& error = outcome.toolError) {
        switch (error->kind()) {
        case ExternalBenchmarkError::Kind::geekbenchScoreUnreadable:
            setStatus(LocalizedMessage("ExtRun.GeekbenchSaved"));
            break;
        case ExternalBenchmarkError::Kind::geekbenchLinkNotSaved:
            setStatus(LocalizedMessage("ExtRun.GeekbenchNotSaved"));
            if (const auto host = host_.lock())
                host->tellSave(SavedRecord::pendingLink, error->notSaved());
            break;
        case ExternalBenchmarkError::Kind::geekbenchUploadFailed:
            setStatus(LocalizedMessage("ExtRun.GeekbenchUploadFailed"));
            break;
        default: setStatus(LocalizedMessage("ExtRun.ErrorBox.Title")); break;
        }
        addProblem(step, problemMessage(*error));
    } else {
        const LocalizedMessage failure("ExtRun.Error", outcome.otherError.value_or(""));
        setStatus(failure);
        addProblem(step, failure);
    }
}

void ExternalBenchmarkRunner::recordScores(const ExternalBenchmarkStep& step, const ExternalBenchmarkResult& measured) {
    const ExternalBenchmarkStore::ResultSave saved = scores_.record(step, measured);
    if (std::ranges::find(scoredApps_, step.app) == scoredApps_.end()) {
        auto apps = scoredApps_;
        apps.push_back(step.app);
        assignObserved(this, scoredApps_, std::move(apps), &ExternalBenchmarkRunner::scoredAppsChanged);
    }
    setFraction(1.0);
    if (saved.saved() && !saved.savedLate.empty()) {
        // Scores that a step told as not saved are in the file after all: that step scored,
        // and the status line that said so is put right.
        dropStoreFailures(saved.savedLate);
        std::string names;
        for (const App app : saved.savedLate) names += (names.empty() ? "" : ", ") + std::string(displayName(app));
        setStatus(LocalizedMessage("ExtRun.DoneSavedLate", names));
        if (const auto host = host_.lock()) host->setStatus(LocalizedMessage("ExtRun.SavedLate", names));
    } else if (saved.saved()) {
        setStatus(LocalizedMessage("ExtRun.Done"));
        if (const auto host = host_.lock()) host->tellSave(SavedRecord::externalScores, saved);
    } else {
        // Shown and exported now, but lost at the next start (a full disk, no folder): not
        // done, and the window says so as it does for its own results.
        const LocalizedMessage failure("ExtRun.StoreFailed", saved.file.string());
        setStatus(failure);
        addProblem(step, failure);
        if (const auto host = host_.lock()) host->tellSave(SavedRecord::externalScores, saved);
    }
}

QCoro::Task<ExternalBenchmarkResult> ExternalBenchmarkRunner::geekbenchScores(GeekbenchRunOutcome outcome, bool isGPU,
                                                                              std::stop_token stop) {
    if (const auto* printed = std::get_if<ExternalBenchmarkResult>(&outcome)) co_return *printed;
    setFraction(1.0);
    setStatus(LocalizedMessage("ExtRun.ReadingGeekbenchScore"));
    const auto needsUser = [self = QPointer<ExternalBenchmarkRunner>(this)] {
        if (self) self->setStatus(LocalizedMessage("ExtRun.GeekbenchVerify.Status"));
    };
    auto reading = scores_.readPage(std::get<GeekbenchUpload>(outcome).url, isGPU, needsUser, stop);
    const ExternalBenchmarkResult read = co_await reading;
    co_return read;
}

void ExternalBenchmarkRunner::finish(bool thenZantiva) {
    setCurrentStep(std::nullopt);
    setStepStartedAt(std::nullopt);
    setCooldown(std::nullopt);
    setFraction(std::nullopt);
    setStatus(std::nullopt);
    // Leaves the gate first: the suite enters it next.
    endRun();
    const auto host = host_.lock();
    if (!thenZantiva || !host) return;
    writeCSV();
    // Written again once the suite's own CPU and GPU results are in.
    host->startPerformanceSuite([self = QPointer<ExternalBenchmarkRunner>(this)] {
        if (self) self->writeCSV();
    });
}

// ---- CSV ----

bool ExternalBenchmarkRunner::writeCSV() {
    const auto host = host_.lock();
    const bool written = exportExternalCsv(scores_.all(), installations_.all(), host ? host->csvSources() : ExternalCsvSources{},
                                           configuration_.csvFile);
    assignObserved(this, csvWritten_, written, &ExternalBenchmarkRunner::csvWrittenChanged);
    return written;
}

void ExternalBenchmarkRunner::openCSV() {
    const auto host = host_.lock();
    if (!host) return;
    const auto& file = configuration_.csvFile;
    const std::string path = file ? file->string() : ExternalBenchmarkCSV::fileName;
    // A file written before the latest scores would lack them: with scores it is written anew.
    if (scores_.hasAnyScore() && !writeCSV()) return host->setStatus(LocalizedMessage("Main.CsvWriteFailed", path));
    std::error_code ec;
    if (!file || !fs::exists(*file, ec)) return host->setStatus(LocalizedMessage("Main.CsvMissing"));
    openWrittenCSV(QUrl::fromLocalFile(QString::fromStdString(path)), path); // runs on by itself
}

QCoro::Task<> ExternalBenchmarkRunner::openWrittenCSV(QUrl address, std::string path) {
    const QPointer<ExternalBenchmarkRunner> self(this);
    bool opened = false;
    if (configuration_.openURL) {
        auto opening = configuration_.openURL(std::move(address));
        opened = co_await opening;
    }
    if (!self || opened) co_return;
    if (const auto host = host_.lock()) host->setStatus(LocalizedMessage("Main.CsvOpenFailed", path));
}

// ---- observed setters ----

void ExternalBenchmarkRunner::addProblem(std::optional<ExternalBenchmarkStep> step, LocalizedMessage message) {
    auto problems = problems_;
    problems.push_back(Problem{QUuid::createUuid(), step, std::move(message)});
    assignObserved(this, problems_, std::move(problems), &ExternalBenchmarkRunner::problemsChanged);
}

void ExternalBenchmarkRunner::dropStoreFailures(const std::vector<App>& savedLate) {
    auto problems = problems_;
    std::erase_if(problems, [&](const Problem& problem) {
        return problem.step && problem.message.key() == "ExtRun.StoreFailed" &&
               std::ranges::find(savedLate, problem.step->app) != savedLate.end();
    });
    assignObserved(this, problems_, std::move(problems), &ExternalBenchmarkRunner::problemsChanged);
}

void ExternalBenchmarkRunner::setStatus(std::optional<Status> status) {
    assignObserved(this, status_, std::move(status), &ExternalBenchmarkRunner::statusChanged);
}

void ExternalBenchmarkRunner::setFraction(std::optional<double> fraction) {
    assignObserved(this, fraction_, fraction, &ExternalBenchmarkRunner::fractionChanged);
}

void ExternalBenchmarkRunner::setCurrentStep(std::optional<ExternalBenchmarkStep> step) {
    assignObserved(this, currentStep_, step, &ExternalBenchmarkRunner::currentStepChanged);
}

void ExternalBenchmarkRunner::setStepStartedAt(std::optional<std::chrono::steady_clock::time_point> time) {
    assignObserved(this, stepStartedAt_, time, &ExternalBenchmarkRunner::stepStartedAtChanged);
}

void ExternalBenchmarkRunner::setCooldown(std::optional<Cooldown> cooldown) {
    assignObserved(this, cooldown_, cooldown, &ExternalBenchmarkRunner::cooldownChanged);
}

} // namespace zantiva
