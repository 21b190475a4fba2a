#pragma once

#include <QCoro/QCoroTask>
#include <QFuture>
#include <QUrl>
#include <QUuid>

#include "Runners/Runner.h"

// moc cannot read the C++20 concepts these headers hold, and needs none of them.
#ifndef Q_MOC_RUN
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stop_token>
#include <string>
#include <variant>
#include <vector>
#include "External/DiskImageMounting.h"
#include "External/ExternalBenchmarkError.h"
#include "External/ExternalBenchmarkLocatorError.h"
#include "External/ExternalBenchmarkPlan.h"
#include "External/ExternalBenchmarkService.h"
#include "External/ExternalBenchmarkStore.h"
#include "Localization/Loc.h"
#include "Localization/LocalizedMessage.h"
#include "Model/Date.h"
#include "Platform/ProcessActivity.h"
#include "Runners/ExternalRunnerHost.h"
#include "Runners/GeekbenchScoreReading.h"
#include "Runners/UrlOpener.h"
#endif

namespace zantiva {

// The clock of the rest between two Cinebench versions: monotonic time and the wait
// between two looks at it. Tests drive both.
struct RestClock {
    std::function<std::chrono::steady_clock::time_point()> now;
    std::function<QCoro::Task<>(std::chrono::milliseconds)> sleep;

    // The machine's monotonic clock and a timer.
    static RestClock steady();
};

// What the outside-benchmark runner works with.
struct ExternalRunnerConfiguration {
    std::shared_ptr<ExternalBenchmarkStore> store; // required
    ExternalBenchmarkService service;
    // Makes the result-page reader when a page is first to be read; empty: there is no
    // reader, and an uploaded result's page stays pending.
    std::function<std::unique_ptr<GeekbenchScoreReading>()> readerFactory;
    std::optional<std::filesystem::path> csvFile; // absent (no home folder): it can't be written
    std::vector<std::filesystem::path> searchDirectories;
    std::chrono::seconds cooldown{300};
    std::shared_ptr<DiskImageMounting> images; // absent: disk images can't be opened
    RestClock clock = RestClock::steady();
    // Opens the CSV file in the desktop's application for it.
    UrlOpener openURL;
    std::shared_ptr<ProcessActivity> activity = noProcessActivity();
};

// Drives the outside benchmark applications: where each one lives (found, chosen, or on a
// disk image that it opens read-only), their last scores, and a run of a plan of their
// tools with rests between the Cinebench versions, its console, status and problems, and
// the CSV export. Every getter has a …Changed signal that fires only on a real change.
// Main thread only.
class ExternalBenchmarkRunner : public Runner {
    Q_OBJECT

public:
    using App = ExternalBenchmarkApp;

    // A failed step of the current run; `step` is absent for a failure outside one.
    struct Problem {
        QUuid id;
        std::optional<ExternalBenchmarkStep> step;
        LocalizedMessage message;
        bool operator==(const Problem&) const = default;
    };
    // One output line of a tool; ids run on for the life of the runner.
    struct ConsoleLine {
        int id = 0;
        std::string text;
        bool operator==(const ConsoleLine&) const = default;
    };
    // The run screen's status line: a message, or a tool's own line shown as it stands.
    using Status = std::variant<LocalizedMessage, std::string>;
    // The rest in progress before an application's steps.
    struct Cooldown {
        App before = App::cinebench2026;
        int remainingSeconds = 0;
        bool operator==(const Cooldown&) const = default;
    };

    static constexpr std::size_t consoleLimit = 2000;

    // gate: shared with the test-suite and storage runners; a private one when absent.
    // Shows the stored installations and scores at once.
    explicit ExternalBenchmarkRunner(ExternalRunnerConfiguration configuration, std::shared_ptr<RunGate> gate = nullptr,
                                     QObject* parent = nullptr);
    // Stops a run and detaches the images this runner attached.
    ~ExternalBenchmarkRunner() override;

    // The model link, held weakly; from now on quitting the application stops a run and
    // detaches the images.
    void attach(std::weak_ptr<ExternalRunnerHost> host);

    // ---- state the views read ----
    const std::map<App, ExternalBenchmarkInstallation>& installations() const { return installations_; }
    const std::map<App, ExternalBenchmarkResult>& scores() const { return scores_; }
    // Applications whose installation discovery found (the card's badge).
    const std::set<App>& foundAutomatically() const { return foundAutomatically_; }
    // Why the last choice of an application failed.
    const std::map<App, LocalizedMessage>& chooseError() const { return chooseError_; }
    // Applications whose disk image is being opened.
    const std::set<App>& preparing() const { return preparing_; }
    // While an image is being opened no other choice starts (preparingChanged).
    bool isPreparing() const { return !preparing_.empty(); }
    bool isExpanded() const { return isExpanded_; }
    const std::optional<ExternalBenchmarkStep>& currentStep() const { return currentStep_; }
    const std::optional<Cooldown>& cooldown() const { return cooldown_; }
    const std::optional<Status>& status() const { return status_; }
    // The current step's progress 0...1; absent: indeterminate.
    const std::optional<double>& fraction() const { return fraction_; }
    const std::optional<Date>& stepStartedAt() const { return stepStartedAt_; }
    // From 1 for the plan's first test step; rests are not counted.
    int stepIndex() const { return stepIndex_; }
    int stepCount() const { return stepCount_; }
    // Oldest first, at most consoleLimit lines.
    const std::vector<ConsoleLine>& console() const { return console_; }
    // Applications that scored in the current run, in the order they did.
    const std::vector<App>& scoredApps() const { return scoredApps_; }
    const std::vector<Problem>& problems() const { return problems_; }
    bool wasCancelled() const { return wasCancelled_; }
    // The CSV file was written during this run.
    bool csvWritten() const { return csvWritten_; }

    // Installed where it can run now, and not being prepared.
    bool isReady(App app) const;
    // A model is attached and no run of any runner is in progress (canStartChanged).
    bool canStart() const;
    // "Geekbench 6.3.0 — GPU" in the Loc's language.
    std::string label(const ExternalBenchmarkStep& step, const Loc& loc) const;

    void setExpanded(bool expanded);

    // ---- discovery and choice ----
    // Start-up, once: detaches what an earlier run left attached, moves older records of
    // programs on an image to the disk-image form, then searches the folders. A usable
    // installation is never replaced by one found.
    QCoro::Task<> discover();
    // Start-up, after discover(): reads the pages of uploads whose scores were not read
    // during their run. Stops when a run begins; an entry not read stays pending.
    QCoro::Task<> recoverPendingResults();
    // The card's choice of a program, folder or disk image; an image is opened in the
    // background. Ignored while an image is being prepared.
    void choose(const std::filesystem::path& chosen, App app);
    QCoro::Task<> chooseDiskImage(std::filesystem::path image, App app);
    // Detaches the images this runner attached; images that were mounted before stay.
    void detachDiskImages();

    // ---- runs ----
    // Runs the plan unless a run is in progress, no model is attached or the plan is
    // empty. A full run (thenZantiva) writes the CSV file and starts the app's own
    // performance suite afterwards, unless it was stopped.
    void begin(std::vector<ExternalBenchmarkPlan::Item> plan, bool thenZantiva);
    // Every step of one application.
    void runAll(App app);
    // Every ready application's steps with rests, then the performance suite; without a
    // ready application the card opens and the status line says so.
    void runFullPerformance();
    // The step in progress is stopped (its tool's process group killed), no later item runs.
    void stop();
    // Ends the rest in progress within one look at the clock.
    void skipCooldown();
    // Quitting: stops a run, killing its tool at once, then detaches the images.
    void shutDown();

    // ---- CSV ----
    // Writes the file now; csvWritten is its result.
    bool writeCSV();
    // Writes the file anew when there are scores, then opens it; a failure goes to the
    // status line.
    void openCSV();

signals:
    void installationsChanged();
    void scoresChanged();
    void foundAutomaticallyChanged();
    void chooseErrorChanged();
    void preparingChanged();
    void isExpandedChanged();
    void currentStepChanged();
    void cooldownChanged();
    void statusChanged();
    void fractionChanged();
    void stepStartedAtChanged();
    void stepIndexChanged();
    void stepCountChanged();
    void consoleChanged();
    void scoredAppsChanged();
    void problemsChanged();
    void wasCancelledChanged();
    void csvWrittenChanged();
    void canStartChanged();

private:
    struct Mount {
        std::filesystem::path mountPoint;
        bool isOurs = false; // attached here, so detached here
    };

    QCoro::Task<std::filesystem::path> mount(std::filesystem::path image);
    QCoro::Task<> execute(std::vector<ExternalBenchmarkPlan::Item> plan, bool thenZantiva, std::stop_token stop);
    QCoro::Task<> rest(App before, std::stop_token stop);
    QCoro::Task<> runStep(ExternalBenchmarkStep step, std::stop_token stop);
    QCoro::Task<ExternalBenchmarkResult> geekbenchScores(GeekbenchRunOutcome outcome, bool isGPU, std::stop_token stop);
    void finish(bool thenZantiva);
    QCoro::Task<> openWrittenCSV(QUrl address, std::string path);
    std::shared_ptr<GeekbenchScoreReading> reader();
    void appendConsole(std::string text);
    void flushConsole();
    void addProblem(std::optional<ExternalBenchmarkStep> step, LocalizedMessage message);
    void setInstallation(App app, const ExternalBenchmarkInstallation& installation);
    void setScore(App app, const ExternalBenchmarkResult& result);
    void setChooseError(App app, std::optional<LocalizedMessage> message);
    void setPreparing(App app, bool preparing);
    void setFoundAutomatically(App app, bool found);
    void setStatus(std::optional<Status> status);
    void setFraction(std::optional<double> fraction);
    void setCurrentStep(std::optional<ExternalBenchmarkStep> step);
    void setStepStartedAt(std::optional<Date> date);
    void setCooldown(std::optional<Cooldown> cooldown);
    static LocalizedMessage message(const ExternalBenchmarkLocatorError& error);
    static LocalizedMessage message(const ExternalBenchmarkError& error);

    ExternalRunnerConfiguration configuration_;
    std::shared_ptr<RunGate> gate_;
    std::weak_ptr<ExternalRunnerHost> host_;
    std::shared_ptr<GeekbenchScoreReading> reader_;
    std::map<std::string, Mount> mounts_; // by the image's absolute, normalised path
    QFuture<void> leftovers_;             // the start-up detach of an earlier run's images
    std::stop_source runStop_;
    std::stop_source recoveryStop_;
    bool skipCooldownRequested_ = false;
    int nextLineID_ = 0;

    std::map<App, ExternalBenchmarkInstallation> installations_;
    std::map<App, ExternalBenchmarkResult> scores_;
    std::set<App> foundAutomatically_;
    std::map<App, LocalizedMessage> chooseError_;
    std::set<App> preparing_;
    bool isExpanded_ = false;
    std::optional<ExternalBenchmarkStep> currentStep_;
    std::optional<Cooldown> cooldown_;
    std::optional<Status> status_;
    std::optional<double> fraction_;
    std::optional<Date> stepStartedAt_;
    int stepIndex_ = 0;
    int stepCount_ = 0;
    std::vector<ConsoleLine> console_;
    std::vector<ConsoleLine> pendingConsole_; // appended, not yet in the console
    std::vector<App> scoredApps_;
    std::vector<Problem> problems_;
    bool wasCancelled_ = false;
    bool csvWritten_ = false;
};

} // namespace zantiva
