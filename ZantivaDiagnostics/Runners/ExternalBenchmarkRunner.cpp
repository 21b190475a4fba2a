#include "Runners/ExternalBenchmarkRunner.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

#include <QCoreApplication>
#include <QCoro/QCoroFuture>
#include <QCoro/QCoroTimer>
#include <QPointer>
#include <QSysInfo>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include "External/ExternalBenchmarkCSV.h"
#include "External/ExternalBenchmarkLocator.h"
#include "External/GeekbenchOutput.h"
#include "Observation/ObservedValue.h"
#include "Platform/CancelToken.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using App = ExternalBenchmarkApp;

constexpr std::string_view category = "external";
constexpr std::chrono::milliseconds restPoll{250};

Date now() { return std::chrono::system_clock::now(); }

// The fields that the step measures, taken from what it measured; the others stay.
void takeMeasured(ExternalBenchmarkResult& into, const ExternalBenchmarkResult& measured,
                  const ExternalBenchmarkStep& step) {
    const bool cpuOfGeekbench = step.app == App::geekbench && step.kind != ExternalTestKind::gpu;
    if (step.kind == ExternalTestKind::gpu) into.gpuScore = measured.gpuScore;
    if (step.kind == ExternalTestKind::cpuSingleCore || cpuOfGeekbench) into.singleCoreScore = measured.singleCoreScore;
    if (step.kind == ExternalTestKind::cpuMultiCore || cpuOfGeekbench) into.multiCoreScore = measured.multiCoreScore;
}

// Two spellings of one image share one mount.
std::string imageKey(const fs::path& image) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(image, ec);
    return (ec ? image : absolute).lexically_normal().string();
}

} // namespace

RestClock RestClock::steady() {
    return {[] { return std::chrono::steady_clock::now(); },
            [](std::chrono::milliseconds wait) { return QCoro::sleepFor(wait); }};
}

ExternalBenchmarkRunner::ExternalBenchmarkRunner(ExternalRunnerConfiguration configuration,
                                                 std::shared_ptr<RunGate> gate, QObject* parent)
    : Runner(std::move(gate), parent), configuration_(std::move(configuration)) {
    connect(&Runner::gate(), &RunGate::busyChanged, this, &ExternalBenchmarkRunner::canStartChanged);
    for (const App app : allCases<App>()) {
        const ExternalBenchmarkAppSettings settings = configuration_.store->settings(app);
        if (settings.installation) installations_[app] = *settings.installation;
        if (settings.lastResult) scores_[app] = *settings.lastResult;
    }
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

bool ExternalBenchmarkRunner::isReady(App app) const {
    const auto found = installations_.find(app);
    return found != installations_.end() && found->second.isAvailable() && !preparing_.contains(app);
}

bool ExternalBenchmarkRunner::canStart() const { return !host_.expired() && !Runner::gate().isBusy(); }

std::string ExternalBenchmarkRunner::label(const ExternalBenchmarkStep& step, const Loc& loc) const {
    const auto found = installations_.find(step.app);
    const std::string name = found != installations_.end() ? found->second.displayName()
                                                           : std::string(displayName(step.app));
    std::string kind;
    switch (step.kind) {
    case ExternalTestKind::cpuSingleCore:
        kind = loc.t(step.app == App::geekbench ? "ExtRun.Kind.GeekbenchCpu" : "Dashboard.External.CpuSingle");
        break;
    case ExternalTestKind::cpuMultiCore: kind = loc.t("Dashboard.External.CpuMulti"); break;
    case ExternalTestKind::gpu: kind = "GPU"; break;
    }
    return name + " \u2014 " + kind;
}

void ExternalBenchmarkRunner::setExpanded(bool expanded) {
    assignObserved(this, isExpanded_, expanded, &ExternalBenchmarkRunner::isExpandedChanged);
}

// ---- discovery and choice ----

QCoro::Task<> ExternalBenchmarkRunner::discover() {
    const QPointer<ExternalBenchmarkRunner> self(this);
    if (const auto images = configuration_.images)
        leftovers_ = QtConcurrent::run([images] { images->detachLeftovers(); });

    // An older record that names an image as its program moves to the disk-image form; it
    // stays stored as it is until the move succeeds.
    const auto stored = installations_;
    for (const auto& [app, installation] : stored) {
        if (!installation.needsDiskImageMigration()) continue;
        auto moving = chooseDiskImage(installation.executablePath, app);
        co_await moving;
        if (!self) co_return;
    }

    std::map<App, ExternalBenchmarkInstallation> found;
    try {
        auto scanning = runEngine<std::map<App, ExternalBenchmarkInstallation>>(
            [folders = configuration_.searchDirectories](const CancelToken&) {
                return ExternalBenchmarkLocator::discover(folders);
            });
        found = co_await scanning;
    } catch (const std::exception& error) {
        log::error(category, std::string("couldn't search for the outside benchmarks: ") + error.what());
    }
    if (!self) co_return;
    for (const auto& [app, installation] : found) {
        const auto existing = installations_.find(app);
        if (existing != installations_.end() && existing->second.isAvailable()) continue;
        setInstallation(app, installation);
        setFoundAutomatically(app, true);
    }
}

QCoro::Task<> ExternalBenchmarkRunner::recoverPendingResults() {
    const QPointer<ExternalBenchmarkRunner> self(this);
    recoveryStop_ = std::stop_source();
    const std::stop_token stop = recoveryStop_.get_token();
    const auto store = configuration_.store;
    const std::vector<PendingGeekbenchResult> pending = store->settings(App::geekbench).pendingResults;
    for (const PendingGeekbenchResult& entry : pending) {
        if (isRunning() || stop.stop_requested()) co_return;
        const auto reader = this->reader();
        if (!reader) co_return;
        // Only the result browser's own pages, over https.
        if (GeekbenchOutput::resultURL(entry.url) != entry.url) continue;
        std::optional<ExternalBenchmarkResult> read;
        try {
            auto reading = reader->read(QString::fromStdString(entry.url), entry.isGPU, false, {}, stop);
            read = co_await reading;
        } catch (const CancellationError&) {
            co_return; // a run began: this entry stays pending like the rest
        } catch (const std::exception& error) {
            log::error(category, "couldn't read " + entry.url + ": " + error.what());
        }
        if (!self) co_return;
        if (read) setScore(App::geekbench, store->applyRecovered(*read, entry, App::geekbench));
    }
}

void ExternalBenchmarkRunner::choose(const fs::path& chosen, App app) {
    if (isPreparing()) return;
    if (isDiskImagePath(chosen)) {
        chooseDiskImage(chosen, app); // runs on by itself
        return;
    }
    try {
        const ExternalBenchmarkInstallation installation = ExternalBenchmarkLocator::resolve(chosen, app);
        setInstallation(app, installation);
        setFoundAutomatically(app, false);
        setChooseError(app, std::nullopt);
    } catch (const ExternalBenchmarkLocatorError& error) {
        setChooseError(app, message(error));
    } catch (const std::exception&) {
        setChooseError(app, LocalizedMessage("External.NotExecutable", chosen.string()));
    }
}

QCoro::Task<> ExternalBenchmarkRunner::chooseDiskImage(fs::path image, App app) {
    // One image at a time: two choices in flight would race for the same installation.
    if (isPreparing()) co_return;
    const QPointer<ExternalBenchmarkRunner> self(this);
    setPreparing(app, true);
    setChooseError(app, std::nullopt);
    std::optional<ExternalBenchmarkInstallation> installation;
    std::optional<LocalizedMessage> failure;
    try {
        auto mounting = mount(image);
        const fs::path mountPoint = co_await mounting;
        installation = ExternalBenchmarkLocator::resolveOnMountedImage(mountPoint, image, app);
    } catch (const ExternalBenchmarkLocatorError& error) {
        failure = message(error);
    } catch (const DiskImageError& error) {
        failure = LocalizedMessage("External.ImageFailed", error.reason);
    } catch (const std::exception& error) {
        failure = LocalizedMessage("External.ImageFailed", std::string(error.what()));
    }
    if (!self) co_return;
    if (installation) {
        setInstallation(app, *installation);
        setFoundAutomatically(app, false);
    } else {
        setChooseError(app, std::move(failure));
    }
    setPreparing(app, false);
}

QCoro::Task<fs::path> ExternalBenchmarkRunner::mount(fs::path image) {
    const QPointer<ExternalBenchmarkRunner> self(this);
    // The start-up clean-up works in the same folder: it goes first.
    if (leftovers_.isRunning()) {
        QFuture<void> cleaning = leftovers_;
        co_await cleaning;
        if (!self) throw CancellationError();
    }
    const auto images = configuration_.images;
    if (!images) throw DiskImageError(std::generic_category().message(EPERM));
    const std::string key = imageKey(image);
    // A folder left where the volume was (ejected meanwhile) is no mount: attach again.
    if (const auto known = mounts_.find(key); known != mounts_.end() && images->isMounted(known->second.mountPoint)) {
        // A copy: QCoro moves from a non-const lvalue that is co_returned.
        const fs::path mountPoint = known->second.mountPoint;
        co_return mountPoint;
    }
    auto attaching = images->attach(image);
    const AttachedImage attached = co_await attaching;
    if (!self) {
        if (!attached.wasAlreadyMounted) images->detach(attached.mountPoint);
        throw CancellationError();
    }
    mounts_[key] = Mount{attached.mountPoint, !attached.wasAlreadyMounted};
    co_return attached.mountPoint;
}

void ExternalBenchmarkRunner::detachDiskImages() {
    const auto mounts = std::exchange(mounts_, {});
    if (!configuration_.images) return;
    for (const auto& [image, mount] : mounts)
        if (mount.isOurs) configuration_.images->detach(mount.mountPoint);
}

// ---- runs ----

void ExternalBenchmarkRunner::begin(std::vector<ExternalBenchmarkPlan::Item> plan, bool thenZantiva) {
    const auto host = host_.lock();
    if (!host || plan.empty() || !beginRun()) return;
    // Start-up recovery yields: its page read ends and its entry stays pending.
    recoveryStop_.request_stop();
    const auto steps = std::ranges::count_if(
        plan, [](const ExternalBenchmarkPlan::Item& item) { return std::holds_alternative<ExternalBenchmarkStep>(item); });
    assignObserved(this, wasCancelled_, false, &ExternalBenchmarkRunner::wasCancelledChanged);
    assignObserved(this, csvWritten_, false, &ExternalBenchmarkRunner::csvWrittenChanged);
    assignObserved(this, problems_, std::vector<Problem>{}, &ExternalBenchmarkRunner::problemsChanged);
    assignObserved(this, console_, std::vector<ConsoleLine>{}, &ExternalBenchmarkRunner::consoleChanged);
    assignObserved(this, scoredApps_, std::vector<App>{}, &ExternalBenchmarkRunner::scoredAppsChanged);
    setStatus(std::nullopt);
    setFraction(std::nullopt);
    assignObserved(this, stepIndex_, 0, &ExternalBenchmarkRunner::stepIndexChanged);
    assignObserved(this, stepCount_, static_cast<int>(steps), &ExternalBenchmarkRunner::stepCountChanged);
    host->setStatus(std::nullopt);
    host->setScreen(AppScreen::external);
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
        if (isReady(app)) ready.push_back(app);
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
    recoveryStop_.request_stop();
    detachDiskImages();
}

QCoro::Task<> ExternalBenchmarkRunner::execute(std::vector<ExternalBenchmarkPlan::Item> plan, bool thenZantiva,
                                               std::stop_token stop) {
    const QPointer<ExternalBenchmarkRunner> self(this);
    const auto hold = configuration_.activity->begin("Zantiva external benchmark",
                                                     {.keepSystemAwake = true, .keepDisplayAwake = true});
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
    const RestClock clock = configuration_.clock;
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
    const bool isGeekbench = step.app == App::geekbench;
    setCurrentStep(step);
    setStepStartedAt(now());
    setFraction(isGeekbench ? std::optional(0.0) : std::nullopt);
    setStatus(LocalizedMessage("ExtRun.Starting"));

    const auto found = installations_.find(step.app);
    if (found == installations_.end() || !found->second.isAvailable()) {
        addProblem(step, LocalizedMessage("External.Moved"));
        co_return;
    }
    const ExternalBenchmarkInstallation installation = found->second;
    fs::path program = installation.resolvedExecutable();
    if (const auto image = installation.resolvedDiskImage()) {
        setStatus(LocalizedMessage("External.OpeningImage"));
        std::optional<LocalizedMessage> failure;
        try {
            auto mounting = mount(*image);
            const fs::path mountPoint = co_await mounting;
            program = mountPoint / installation.executablePath;
        } catch (const DiskImageError& error) {
            failure = LocalizedMessage("External.ImageFailed", error.reason);
        } catch (const std::exception& error) {
            failure = LocalizedMessage("External.ImageFailed", std::string(error.what()));
        }
        if (!self) co_return;
        if (failure) {
            addProblem(step, std::move(*failure));
            co_return;
        }
        setStepStartedAt(now());
        setStatus(LocalizedMessage("ExtRun.Starting"));
    }
    appendConsole("\u25B8 " + program.string());

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
        if (self) self->appendConsole(line);
    };
    const bool gpu = step.kind == ExternalTestKind::gpu;
    std::optional<ExternalBenchmarkResult> measured;
    bool cancelled = false;
    std::optional<ExternalBenchmarkError> toolError;
    std::optional<std::string> otherError;
    try {
        if (isGeekbench) {
            auto running = configuration_.service.runGeekbench(installation, program, gpu, progress, console, stop);
            GeekbenchRunOutcome outcome = co_await running;
            if (!self) co_return;
            auto reading = geekbenchScores(std::move(outcome), gpu, stop);
            measured = co_await reading;
        } else {
            auto running = configuration_.service.runCinebench(installation, program, step.kind, progress, console, stop);
            const double score = co_await running;
            measured.emplace();
            takeMeasured(*measured, {score, score, score}, step);
        }
    } catch (const CancellationError&) {
        cancelled = true;
    } catch (const ExternalBenchmarkError& error) {
        toolError = error;
    } catch (const std::exception& error) {
        otherError = error.what();
    }
    if (!self) co_return;
    flushConsole(); // all the tool printed, before the outcome

    if (measured) {
        // Into the scores as they are now: a page read at start-up may have added some
        // while the tool ran.
        const auto current = scores_.find(step.app);
        ExternalBenchmarkResult result = current != scores_.end() ? current->second : ExternalBenchmarkResult{};
        takeMeasured(result, *measured, step);
        result.recordedAt = now();
        const bool stored = configuration_.store->setResult(result, step.app);
        setScore(step.app, result);
        if (std::ranges::find(scoredApps_, step.app) == scoredApps_.end()) {
            auto apps = scoredApps_;
            apps.push_back(step.app);
            assignObserved(this, scoredApps_, std::move(apps), &ExternalBenchmarkRunner::scoredAppsChanged);
        }
        setFraction(1.0);
        if (stored) {
            setStatus(LocalizedMessage("ExtRun.Done"));
        } else {
            // Shown and exported now, but lost at the next start (a full disk, say): not done.
            const LocalizedMessage failure("ExtRun.StoreFailed", configuration_.store->file().value_or("").string());
            setStatus(failure);
            addProblem(step, failure);
        }
    } else if (cancelled) {
        setStatus(LocalizedMessage("ExtRun.Cancelled"));
    } else if (toolError) {
        switch (toolError->kind()) {
        case ExternalBenchmarkError::Kind::geekbenchScoreUnreadable:
            setStatus(LocalizedMessage("ExtRun.GeekbenchSaved"));
            break;
        case ExternalBenchmarkError::Kind::geekbenchUploadFailed:
            setStatus(LocalizedMessage("ExtRun.GeekbenchUploadFailed"));
            break;
        default: setStatus(LocalizedMessage("ExtRun.ErrorBox.Title")); break;
        }
        addProblem(step, message(*toolError));
    } else {
        const LocalizedMessage failure("ExtRun.Error", otherError.value_or(""));
        setStatus(failure);
        addProblem(step, failure);
    }
}

QCoro::Task<ExternalBenchmarkResult> ExternalBenchmarkRunner::geekbenchScores(GeekbenchRunOutcome outcome, bool isGPU,
                                                                              std::stop_token stop) {
    if (const auto* printed = std::get_if<ExternalBenchmarkResult>(&outcome)) co_return *printed;
    const std::string url = std::get<GeekbenchUpload>(outcome).url;
    const QPointer<ExternalBenchmarkRunner> self(this);
    const auto store = configuration_.store;
    setFraction(1.0);
    setStatus(LocalizedMessage("ExtRun.ReadingGeekbenchScore"));
    std::optional<ExternalBenchmarkResult> read;
    bool cancelled = false;
    if (const auto reader = this->reader()) {
        const auto needsUser = [self] {
            if (self) self->setStatus(LocalizedMessage("ExtRun.GeekbenchVerify.Status"));
        };
        try {
            auto reading = reader->read(QString::fromStdString(url), isGPU, true, needsUser, stop);
            read = co_await reading;
        } catch (const CancellationError&) {
            cancelled = true;
        } catch (const std::exception& error) {
            log::error(category, "couldn't read " + url + ": " + error.what());
        }
    }
    if (read) co_return *read;
    // Whatever kept the page from being read, a stop included, its address is kept and the
    // next start reads it: the measured run is not lost.
    store->addPending(PendingGeekbenchResult{url, isGPU, now()}, App::geekbench);
    if (cancelled) throw CancellationError();
    throw ExternalBenchmarkError::geekbenchScoreUnreadable(url, isGPU);
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

std::shared_ptr<GeekbenchScoreReading> ExternalBenchmarkRunner::reader() {
    if (!reader_ && configuration_.readerFactory) reader_ = configuration_.readerFactory();
    return reader_;
}

// ---- console, CSV and messages ----

void ExternalBenchmarkRunner::appendConsole(std::string text) {
    // A tool prints in bursts: they reach the console, and its observers, in one change each
    // (at most consoleLimit lines, so that an observer following the ids misses none).
    pendingConsole_.push_back(ConsoleLine{nextLineID_++, std::move(text)});
    if (pendingConsole_.size() >= consoleLimit)
        flushConsole();
    else if (pendingConsole_.size() == 1)
        QTimer::singleShot(0, this, &ExternalBenchmarkRunner::flushConsole);
}

void ExternalBenchmarkRunner::flushConsole() {
    if (pendingConsole_.empty()) return;
    const std::size_t total = console_.size() + pendingConsole_.size();
    if (total > consoleLimit)
        console_.erase(console_.begin(), console_.begin() + static_cast<std::ptrdiff_t>(total - consoleLimit));
    console_.insert(console_.end(), std::make_move_iterator(pendingConsole_.begin()),
                    std::make_move_iterator(pendingConsole_.end()));
    pendingConsole_.clear();
    emit consoleChanged();
}

bool ExternalBenchmarkRunner::writeCSV() {
    std::map<App, ExternalBenchmarkResult> results;
    for (const auto& [app, result] : scores_)
        if (result.hasAnyScore()) results.emplace(app, result);
    std::optional<std::string> geekbenchVersion;
    if (const auto geekbench = installations_.find(App::geekbench); geekbench != installations_.end())
        geekbenchVersion = geekbench->second.version;
    const auto host = host_.lock();
    const ExternalCsvSources sources = host ? host->csvSources() : ExternalCsvSources{};
    const std::string text =
        ExternalBenchmarkCSV::text(results, geekbenchVersion, sources.report, sources.storage, sources.specs, now());
    const bool written = configuration_.csvFile && ExternalBenchmarkCSV::write(text, *configuration_.csvFile);
    assignObserved(this, csvWritten_, written, &ExternalBenchmarkRunner::csvWrittenChanged);
    return written;
}

void ExternalBenchmarkRunner::openCSV() {
    const auto host = host_.lock();
    if (!host) return;
    const auto& file = configuration_.csvFile;
    const std::string path = file ? file->string() : ExternalBenchmarkCSV::fileName;
    // A file written before the latest scores would lack them: with scores it is written anew.
    const bool hasScores = std::ranges::any_of(scores_, [](const auto& entry) { return entry.second.hasAnyScore(); });
    if (hasScores && !writeCSV()) return host->setStatus(LocalizedMessage("Main.CsvWriteFailed", path));
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

LocalizedMessage ExternalBenchmarkRunner::message(const ExternalBenchmarkLocatorError& error) {
    const std::string expected(displayName(error.expected()));
    switch (error.kind()) {
    case ExternalBenchmarkLocatorError::Kind::notThisApp:
        return LocalizedMessage("External.NotThisApp", error.text(), expected);
    case ExternalBenchmarkLocatorError::Kind::wrongVersion:
        return LocalizedMessage("External.WrongVersion", error.text(), expected);
    case ExternalBenchmarkLocatorError::Kind::noCommandLineTool:
        return LocalizedMessage("External.NoCommandLineTool", error.text());
    case ExternalBenchmarkLocatorError::Kind::notExecutable:
        return LocalizedMessage("External.NotExecutable", error.text());
    case ExternalBenchmarkLocatorError::Kind::notOnDiskImage:
        return LocalizedMessage("External.NotOnImage", error.text(), expected);
    }
    return LocalizedMessage("External.NotExecutable", error.text());
}

LocalizedMessage ExternalBenchmarkRunner::message(const ExternalBenchmarkError& error) {
    switch (error.kind()) {
    case ExternalBenchmarkError::Kind::couldNotLaunch:
        return LocalizedMessage("ExtRun.CouldNotLaunch", error.name(), error.reason());
    case ExternalBenchmarkError::Kind::exited:
        return LocalizedMessage("ExtRun.Exited", error.name(), error.code(), error.output());
    case ExternalBenchmarkError::Kind::noScore: return LocalizedMessage("ExtRun.NoScoreLine", error.name(), error.output());
    case ExternalBenchmarkError::Kind::unsupportedSystem:
        return LocalizedMessage("ExtRun.UnsupportedSystem", error.name(), QSysInfo::prettyProductName().toStdString());
    case ExternalBenchmarkError::Kind::geekbenchUploadFailed:
        return LocalizedMessage("ExtRun.GeekbenchUploadFailed.Body", error.detail());
    case ExternalBenchmarkError::Kind::geekbenchScoreUnreadable:
        return LocalizedMessage("ExtRun.GeekbenchSaved.Body", error.url());
    }
    return LocalizedMessage("ExtRun.Error", std::string(error.what()));
}

// ---- observed setters ----

void ExternalBenchmarkRunner::addProblem(std::optional<ExternalBenchmarkStep> step, LocalizedMessage message) {
    auto problems = problems_;
    problems.push_back(Problem{QUuid::createUuid(), step, std::move(message)});
    assignObserved(this, problems_, std::move(problems), &ExternalBenchmarkRunner::problemsChanged);
}

void ExternalBenchmarkRunner::setInstallation(App app, const ExternalBenchmarkInstallation& installation) {
    configuration_.store->setInstallation(installation, app);
    auto installations = installations_;
    installations.insert_or_assign(app, installation);
    assignObserved(this, installations_, std::move(installations), &ExternalBenchmarkRunner::installationsChanged);
}

void ExternalBenchmarkRunner::setScore(App app, const ExternalBenchmarkResult& result) {
    auto scores = scores_;
    scores.insert_or_assign(app, result);
    assignObserved(this, scores_, std::move(scores), &ExternalBenchmarkRunner::scoresChanged);
}

void ExternalBenchmarkRunner::setChooseError(App app, std::optional<LocalizedMessage> message) {
    auto errors = chooseError_;
    if (message)
        errors.insert_or_assign(app, std::move(*message));
    else
        errors.erase(app);
    assignObserved(this, chooseError_, std::move(errors), &ExternalBenchmarkRunner::chooseErrorChanged);
}

void ExternalBenchmarkRunner::setPreparing(App app, bool preparing) {
    auto apps = preparing_;
    if (preparing)
        apps.insert(app);
    else
        apps.erase(app);
    assignObserved(this, preparing_, std::move(apps), &ExternalBenchmarkRunner::preparingChanged);
}

void ExternalBenchmarkRunner::setFoundAutomatically(App app, bool found) {
    auto apps = foundAutomatically_;
    if (found)
        apps.insert(app);
    else
        apps.erase(app);
    assignObserved(this, foundAutomatically_, std::move(apps), &ExternalBenchmarkRunner::foundAutomaticallyChanged);
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

void ExternalBenchmarkRunner::setStepStartedAt(std::optional<Date> date) {
    assignObserved(this, stepStartedAt_, date, &ExternalBenchmarkRunner::stepStartedAtChanged);
}

void ExternalBenchmarkRunner::setCooldown(std::optional<Cooldown> cooldown) {
    assignObserved(this, cooldown_, cooldown, &ExternalBenchmarkRunner::cooldownChanged);
}

} // namespace zantiva
