#pragma once

#include <QCoro/QCoroTask>
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
#include <stop_token>
#include <string>
#include <variant>
#include <vector>
#include "External/DiskImageMounting.h"
#include "External/ExternalBenchmarkError.h"
#include "External/ExternalBenchmarkPlan.h"
#include "External/ExternalBenchmarkService.h"
#include "External/ExternalBenchmarkStore.h"
#include "ExternalRun/ExternalInstallations.h"
#include "ExternalRun/ExternalRunnerHost.h"
#include "ExternalRun/ExternalScores.h"
#include "ExternalRun/ToolConsole.h"
#include "ExternalRun/UrlOpener.h"
#include "Localization/Loc.h"
#include "Localization/LocalizedMessage.h"
#include "PageReader/GeekbenchScoreReading.h"
#include "Platform/ProcessActivity.h"
#endif

namespace zantiva {

// The run's clock: monotonic time, which a step's elapsed time and the rest between two
// Cinebench versions are read on (a wall clock set forward or back changes neither), and the
// wait between two looks at it. Tests drive both.
struct RunClock {
    std::function<std::chrono::steady_clock::time_point()> now;
    std::function<QCoro::Task<>(std::chrono::milliseconds)> sleep;

    // The machine's monotonic clock and a timer.
    static RunClock steady();
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
    RunClock clock = RunClock::steady();
    // Opens the CSV file in the desktop's application for it.
    UrlOpener openURL;
    std::shared_ptr<ProcessActivity> activity = noProcessActivity();
};

// Drives the outside benchmark applications: what is installed and scored (installations()
// and the scores, each kept by a part of its own), and a run of a plan of their tools with
// rests between the Cinebench versions, its console, status and problems, and the CSV export.
// Every getter has a …Changed signal that fires only on a real change. Main thread only.
class ExternalBenchmarkRunner : public Runner {
    Q_OBJECT

public:
    using App = ExternalBenchmarkApp;

    // A failed step of the current run; `step` is absent for a failure outside one. A step
    // whose scores couldn't be saved stops being one when a later step's save writes them.
    struct Problem {
        QUuid id;
        std::optional<ExternalBenchmarkStep> step;
        LocalizedMessage message;
        bool operator==(const Problem&) const = default;
    };
    using ConsoleLine = ToolConsole::Line;
    // The run screen's status line: a message, or a tool's own line shown as it stands.
    using Status = std::variant<LocalizedMessage, std::string>;
    // The rest in progress before an application's steps.
    struct Cooldown {
        App before = App::cinebench2026;
        int remainingSeconds = 0;
        bool operator==(const Cooldown&) const = default;
    };

    static constexpr std::size_t consoleLimit = ToolConsole::limit;

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
    ExternalInstallations& installations() { return installations_; }
    const ExternalInstallations& installations() const { return installations_; }
    const std::map<App, ExternalBenchmarkResult>& scores() const { return scores_.all(); }
    bool isExpanded() const { return isExpanded_; }
    const std::optional<ExternalBenchmarkStep>& currentStep() const { return currentStep_; }
    const std::optional<Cooldown>& cooldown() const { return cooldown_; }
    const std::optional<Status>& status() const { return status_; }
    // The current step's progress 0...1; absent: indeterminate.
    const std::optional<double>& fraction() const { return fraction_; }
    const std::optional<std::chrono::steady_clock::time_point>& stepStartedAt() const { return stepStartedAt_; }
    // The time on the run's clock, to read stepStartedAt against.
    std::chrono::steady_clock::time_point now() const { return configuration_.clock.now(); }
    // From 1 for the plan's first test step; rests are not counted.
    int stepIndex() const { return stepIndex_; }
    int stepCount() const { return stepCount_; }
    // Oldest first, at most consoleLimit lines.
    const std::vector<ConsoleLine>& console() const { return console_.lines(); }
    // Applications that scored in the current run, in the order they did.
    const std::vector<App>& scoredApps() const { return scoredApps_; }
    const std::vector<Problem>& problems() const { return problems_; }
    bool wasCancelled() const { return wasCancelled_; }
    // The CSV file was written during this run.
    bool csvWritten() const { return csvWritten_; }

    // A model is attached and no run of any runner is in progress (canStartChanged).
    bool canStart() const;
    // "Geekbench 6.3.0 — GPU" in the Loc's language.
    std::string label(const ExternalBenchmarkStep& step, const Loc& loc) const;

    void setExpanded(bool expanded);

    // Start-up, after discovering the installations: reads the pages of uploads whose scores were not read
    // during their run. Stops when a run begins; an entry not read stays pending.
    QCoro::Task<> recoverPendingResults();

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
    void scoresChanged();
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
    // How a tool's run ended: the scores it measured, or why there are none.
    struct ToolOutcome {
        std::optional<ExternalBenchmarkResult> measured;
        bool cancelled = false;
        std::optional<ExternalBenchmarkError> toolError;
        std::optional<std::string> otherError;
    };

    QCoro::Task<> execute(std::vector<ExternalBenchmarkPlan::Item> plan, bool thenZantiva, std::stop_token stop);
    QCoro::Task<> rest(App before, std::stop_token stop);
    QCoro::Task<> runStep(ExternalBenchmarkStep step, std::stop_token stop);
    // The program to start, on its image once that is mounted; absent after a problem or a stop.
    QCoro::Task<std::optional<std::filesystem::path>> resolveProgram(ExternalBenchmarkStep step,
                                                                     ExternalBenchmarkInstallation installation,
                                                                     std::stop_token stop);
    QCoro::Task<ToolOutcome> runTool(ExternalBenchmarkStep step, ExternalBenchmarkInstallation installation,
                                     std::filesystem::path program, std::stop_token stop);
    void recordOutcome(const ExternalBenchmarkStep& step, const ToolOutcome& outcome);
    void recordScores(const ExternalBenchmarkStep& step, const ExternalBenchmarkResult& measured);
    QCoro::Task<ExternalBenchmarkResult> geekbenchScores(GeekbenchRunOutcome outcome, bool isGPU, std::stop_token stop);
    void finish(bool thenZantiva);
    QCoro::Task<> openWrittenCSV(QUrl address, std::string path);
    void addProblem(std::optional<ExternalBenchmarkStep> step, LocalizedMessage message);
    // The problems of this run's steps whose scores weren't saved, of these applications.
    void dropStoreFailures(const std::vector<App>& savedLate);
    void setStatus(std::optional<Status> status);
    void setFraction(std::optional<double> fraction);
    void setCurrentStep(std::optional<ExternalBenchmarkStep> step);
    void setStepStartedAt(std::optional<std::chrono::steady_clock::time_point> time);
    void setCooldown(std::optional<Cooldown> cooldown);

    ExternalRunnerConfiguration configuration_;
    std::weak_ptr<ExternalRunnerHost> host_;
    std::stop_source runStop_;
    bool skipCooldownRequested_ = false;

    ExternalInstallations installations_;
    ExternalScores scores_;
    bool isExpanded_ = false;
    std::optional<ExternalBenchmarkStep> currentStep_;
    std::optional<Cooldown> cooldown_;
    std::optional<Status> status_;
    std::optional<double> fraction_;
    std::optional<std::chrono::steady_clock::time_point> stepStartedAt_;
    int stepIndex_ = 0;
    int stepCount_ = 0;
    ToolConsole console_;
    std::vector<App> scoredApps_;
    std::vector<Problem> problems_;
    bool wasCancelled_ = false;
    bool csvWritten_ = false;
};

} // namespace zantiva
