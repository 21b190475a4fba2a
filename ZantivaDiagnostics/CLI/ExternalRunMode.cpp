#include "CLI/ExternalRunMode.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QEventLoop>

#include "App/AppFolder.h"
#include "App/QuitSignals.h"
#include "CLI/ModeApplication.h"
#include "CLI/ProgressLine.h"
#include "CLI/ResultLines.h"
#include "External/ExternalBenchmarkCSV.h"
#include "External/ExternalBenchmarkLocator.h"
#include "External/LoopImageMounter.h"
#include "External/ProcessLauncher.h"
#include "ExternalRun/ExternalBenchmarkRunner.h"
#include "ExternalRun/PageReaderProcess.h"
#include "Model/ResultStore.h"
#include "Probes/SystemProbe.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using App = ExternalBenchmarkApp;

// The command line runs no suite after the tools (--cpu and --gpu do that) and has no
// screen or status line; the CSV file carries the app's last stored results.
class CommandLineHost final : public ExternalRunnerHost {
public:
    explicit CommandLineHost(std::optional<fs::path> folder) : results_(std::move(folder)) {}

    void setStatus(std::optional<LocalizedMessage>) override {}
    void tellSave(SavedRecord, const SaveResult&) override {}
    ExternalCsvSources csvSources() const override {
        return {results_.loadReport(), results_.loadStorageResult(), SystemProbe::readSpecs()};
    }
    void startPerformanceSuite(std::function<void()>) override {}

private:
    ResultStore results_;
};

// A message on one line: the lines of a multi-line text joined by blanks.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

std::string statusText(const ExternalBenchmarkRunner::Status& status, const Loc& loc) {
    if (const auto* message = std::get_if<LocalizedMessage>(&status)) return loc.resolve(*message);
    return std::get<std::string>(status);
}

// Prints a line when a step ends, and the scores it measured; shows the run's progress on
// the terminal meanwhile.
class StepLines {
public:
    StepLines(const ExternalBenchmarkRunner& runner, CliContext& context, bool withProgress)
        : runner_(runner), context_(context),
          progress_(context.err, context.errIsTerminal && withProgress, context.errColumns) {}

    // A step ends when the next item begins or the run ends.
    void observe() {
        QObject::connect(&runner_, &ExternalBenchmarkRunner::currentStepChanged, [this] {
            end();
            if (runner_.currentStep()) begin(*runner_.currentStep());
        });
        QObject::connect(&runner_, &ExternalBenchmarkRunner::cooldownChanged, [this] { showProgress(); });
        QObject::connect(&runner_, &ExternalBenchmarkRunner::statusChanged, [this] {
            if (runner_.status() && step_) last_ = runner_.status();
            showProgress();
        });
        QObject::connect(&runner_, &ExternalBenchmarkRunner::fractionChanged, [this] { showProgress(); });
    }

    // Steps that did not score in the end: cancelled, or ended with a problem other than an
    // upload whose page is read later, unless a later step's save wrote their scores.
    int failures() const { return failures_; }

private:
    void begin(const ExternalBenchmarkStep& step) {
        step_ = step;
        title_ = "step " + std::to_string(runner_.stepIndex()) + "/" + std::to_string(runner_.stepCount()) + ": " +
                 runner_.label(step, context_.loc);
        problemsBefore_ = runner_.problems().size();
        last_.reset();
    }

    void end() {
        if (!step_) return;
        const ExternalBenchmarkStep step = *std::exchange(step_, std::nullopt);
        progress_.clear();
        // A problem carries the tool's last lines, which may hold anything a program can
        // print: every line is escaped, as the other modes' values are.
        auto& out = context_.out;
        if (runner_.problems().size() > problemsBefore_) {
            const LocalizedMessage& message = runner_.problems().back().message;
            if (message.key() == "ExtRun.GeekbenchSaved.Body") {
                out << lineText(title_ + ": pending " + message.arguments().front()) << '\n';
                return;
            }
            ++failures_;
            out << lineText(title_ + ": problem: " + oneLine(context_.loc.resolve(message))) << '\n';
            if (message.key() == "ExtRun.StoreFailed") notSaved_.push_back({step, runner_.problems().back().id});
        } else if (const LocalizedMessage* done = doneMessage()) {
            out << lineText(title_ + ": done") << '\n';
            printScores(step);
            // Scores that an earlier step printed as not saved were stored with this one's.
            if (done->key() == "ExtRun.DoneSavedLate") {
                out << lineText("saved late: " + context_.loc.f("ExtRun.SavedLate", done->arguments().front())) << '\n';
                printSavedLate();
            }
        } else {
            ++failures_;
            out << lineText(title_ + ": cancelled") << '\n';
        }
    }

    // The step's last status when it scored and its scores were stored.
    const LocalizedMessage* doneMessage() const {
        const auto* message = last_ ? std::get_if<LocalizedMessage>(&*last_) : nullptr;
        return message && (message->key() == "ExtRun.Done" || message->key() == "ExtRun.DoneSavedLate") ? message
                                                                                                          : nullptr;
    }

    // The steps told as not saved whose problem the runner dropped, their scores being saved
    // since: they scored, and their score lines follow.
    void printSavedLate() {
        for (auto entry = notSaved_.begin(); entry != notSaved_.end();) {
            const QUuid problem = entry->second;
            if (std::ranges::any_of(runner_.problems(), [&](const auto& p) { return p.id == problem; })) {
                ++entry;
                continue;
            }
            printScores(entry->first);
            --failures_;
            entry = notSaved_.erase(entry);
        }
    }

    void printScores(const ExternalBenchmarkStep& step) {
        const auto result = runner_.scores().find(step.app);
        if (result == runner_.scores().end()) return;
        const std::string app(rawValue(step.app));
        const auto print = [&](std::string_view field, const std::optional<double>& score) {
            if (score) context_.out << app << '.' << field << ": " << posixNumber(*score) << '\n';
        };
        const bool geekbenchCpu = step.app == App::geekbench && step.kind != ExternalTestKind::gpu;
        if (step.kind == ExternalTestKind::cpuSingleCore || geekbenchCpu)
            print("singleCoreScore", result->second.singleCoreScore);
        if (step.kind == ExternalTestKind::cpuMultiCore || geekbenchCpu)
            print("multiCoreScore", result->second.multiCoreScore);
        if (step.kind == ExternalTestKind::gpu) print("gpuScore", result->second.gpuScore);
    }

    void showProgress() {
        const Loc& loc = context_.loc;
        if (const auto& cooldown = runner_.cooldown()) {
            progress_.update(loc.f("ExtRun.CooldownStep", std::string(displayName(cooldown->before))) + " · " +
                             loc.f("ExtRun.CooldownRemaining", std::to_string(cooldown->remainingSeconds) + " s"));
            return;
        }
        if (!step_) return;
        std::string text = title_;
        if (runner_.status()) text += " · " + statusText(*runner_.status(), loc);
        if (runner_.fraction()) text += " (" + std::to_string(static_cast<int>(*runner_.fraction() * 100)) + "%)";
        progress_.update(lineText(text)); // the status may be a tool's line
    }

    const ExternalBenchmarkRunner& runner_;
    CliContext& context_;
    ProgressLine progress_;
    std::optional<ExternalBenchmarkStep> step_;
    std::string title_;
    std::size_t problemsBefore_ = 0;
    std::optional<ExternalBenchmarkRunner::Status> last_;
    int failures_ = 0;
    std::vector<std::pair<ExternalBenchmarkStep, QUuid>> notSaved_; // with the problem that told it
};

// The tools' output as it comes, on standard error, escaped as the step lines are: a tool
// may print anything, terminal control sequences included.
void passOutput(const ExternalBenchmarkRunner& runner, std::ostream& err) {
    auto printed = std::make_shared<int>(-1);
    QObject::connect(&runner, &ExternalBenchmarkRunner::consoleChanged, [&runner, &err, printed] {
        for (const ExternalBenchmarkRunner::ConsoleLine& line : runner.console()) {
            if (line.id <= *printed) continue;
            err << lineText(line.text) << '\n';
            *printed = line.id;
        }
        err.flush();
    });
}

std::vector<ExternalBenchmarkPlan::Item> planOf(const ExternalBenchmarkRunner& runner, std::optional<App> app) {
    std::vector<ExternalBenchmarkPlan::Item> plan;
    if (app) {
        for (const ExternalBenchmarkStep& step : ExternalBenchmarkPlan::steps(*app)) plan.emplace_back(step);
        return plan;
    }
    std::vector<App> ready;
    for (const App candidate : allCases<App>())
        if (runner.installations().isReady(candidate)) ready.push_back(candidate);
    return ExternalBenchmarkPlan::fullRun(ready);
}

} // namespace

int runExternalRunMode(const CommandLine& commandLine, CliContext& context) {
    std::optional<App> app;
    if (const auto word = commandLine.value("--external-run")) {
        app = fromRaw<App>(*word);
        if (!app) return printFailure(context.out, "unknown application " + *word +
                                                       " (geekbench, cinebench2024 or cinebench2026)");
    }
    // The tools, the disk images, the result-page reader and the signals need Qt's event loop.
    const auto application = makeModeApplication();

    const AppFolder appFolder = openAppFolderWithNotice();
    const auto& folder = appFolder.path;
    ExternalRunnerConfiguration configuration;
    configuration.store = std::make_shared<ExternalBenchmarkStore>(folder);
    configuration.service = ExternalBenchmarkService{.launcher = std::make_shared<ProcessLauncher>()};
    configuration.readerFactory = PageReaderProcess::factory(context.loc);
    if (folder) configuration.csvFile = *folder / ExternalBenchmarkCSV::fileName;
    configuration.searchDirectories = ExternalBenchmarkLocator::defaultSearchDirectories();
    if (commandLine.has("--short")) configuration.cooldown = std::chrono::seconds(0);
    configuration.images = std::make_shared<LoopImageMounter>();
    configuration.activity = context.activity;
    ExternalBenchmarkRunner runner(std::move(configuration));
    const auto host = std::make_shared<CommandLineHost>(folder);
    runner.attach(host);

    // A signal stops the tool (its whole process group) first; the run then ends as a
    // stopped one and the images are detached below.
    bool stopped = false;
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, [&] {
        stopped = true;
        runner.stop();
    });

    QCoro::waitFor(runner.installations().discover());
    if (stopped) return printFailure(context.out, "stopped");
    if (app ? !runner.installations().all().contains(*app) : planOf(runner, app).empty())
        return printFailure(context.out, context.loc.t("Main.ExternalMissing"));

    // Before the first step, which would only say that its scores couldn't be saved.
    if (appFolder.notice) printLine(context.out, "notice", context.loc.resolve(*appFolder.notice));
    StepLines lines(runner, context, !commandLine.has("--verbose"));
    lines.observe();
    if (commandLine.has("--verbose")) passOutput(runner, context.err);
    QEventLoop loop;
    QObject::connect(&runner, &ExternalBenchmarkRunner::isRunningChanged, &loop, [&] {
        if (!runner.isRunning()) loop.quit();
    });
    runner.begin(planOf(runner, app), false);
    if (runner.isRunning()) loop.exec();
    runner.installations().detachDiskImages();

    if (stopped || runner.wasCancelled()) return printFailure(context.out, "stopped");
    const std::string csv = folder ? (*folder / ExternalBenchmarkCSV::fileName).string() : ExternalBenchmarkCSV::fileName;
    if (!runner.writeCSV()) return printFailure(context.out, context.loc.f("Main.CsvWriteFailed", csv));
    printLine(context.out, "csv", csv);
    if (lines.failures() > 0)
        return printFailure(context.out, std::to_string(lines.failures()) + " of " +
                                             std::to_string(runner.stepCount()) + " steps did not score");
    return 0;
}

} // namespace zantiva
