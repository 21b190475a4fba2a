#include "Samples/ExternalSamples.h"

#include <QVBoxLayout>
#include <chrono>
#include <cmath>

#include "ExternalScreens/ExternalBenchmarksCard.h"
#include "ExternalScreens/ExternalRunScreen.h"
#include "LocalizedViews/LocNotifier.h"
#include "Results/ResultScreen.h"

namespace zantiva::ExternalSamples {

namespace {

using App = ExternalBenchmarkApp;
using Kind = ExternalTestKind;

// Step labels as the runner makes them.
std::string label(const std::string& app, const std::string& kind) { return app + " \u2014 " + kind; }

ExternalCardState cardState(bool expanded) {
    ExternalCardState state{.isExpanded = expanded, .canStart = true, .isRunning = false, .apps = {}};
    state.apps.push_back({.app = App::geekbench,
                          .name = "Geekbench 6.3.0",
                          .path = "/opt/Geekbench-6.3.0-Linux",
                          .isAvailable = true,
                          .isFoundAutomatically = true,
                          .result = ExternalBenchmarkResult{.singleCoreScore = 2712.4, .multiCoreScore = 14235.8}});
    state.apps.push_back({.app = App::cinebench2024,
                          .name = "Cinebench 2024",
                          .isPreparing = true,
                          .chooseError = LocalizedMessage("External.WrongVersion", "2026", "2024")});
    state.apps.push_back({.app = App::cinebench2026,
                          .name = "Cinebench 2026",
                          .path = "/home/sara/Applications/cinebench-2026.squashfs",
                          .isAvailable = true,
                          .isOnImage = true,
                          .result = ExternalBenchmarkResult{.gpuScore = 41877}});
    return state;
}

std::vector<double> curve(double base, double swing, double period) {
    std::vector<double> values;
    for (int i = 0; i < 75; ++i) values.push_back(base + swing * std::sin(i / period));
    return values;
}

ExternalRunState runningState() {
    using namespace std::chrono;
    ExternalRunState state;
    state.isRunning = true;
    state.stepIndex = 4;
    state.stepCount = 7;
    state.currentStep = ExternalBenchmarkStep{App::cinebench2024, Kind::cpuMultiCore};
    state.now = steady_clock::now();
    state.stepStartedAt = state.now - seconds(372);
    state.status = std::string("Running multi-core render, pass 1 of 1");
    state.latest.cpuLoadPercent = 99.4;
    state.latest.cpuTemperatureCelsius = 93.2;
    state.cpuHistory = curve(92, 6, 3);
    state.gpuHistory = curve(4, 2, 5);
    state.historyCapacity = 90;
    state.console = {{1, "Geekbench 6.3.0 : https://www.geekbench.com/"},
                     {2, "Uploading results to the Geekbench Browser. This could take a minute or two"},
                     {3, "  https://browser.geekbench.com/v6/cpu/4815162"},
                     {4, "Running single-core render"},
                     {5, "CB 121.4 (0.00)"},
                     {6, "Running multi-core render, pass 1 of 1"}};
    return state;
}

// A run screen showing the state through the presenter in the language of the moment; the
// step labels follow the language too.
std::unique_ptr<QWidget> runScreen(LocNotifier& loc, std::function<ExternalRunState(const Loc&)> state) {
    auto screen = std::make_unique<ExternalRunScreen>();
    loc.bind(screen.get(), [shown = screen.get(), &loc, state] {
        shown->show(ExternalRunPresenter::present(state(loc.loc()), loc.loc()));
    });
    return screen;
}

ExternalRunState finishedState(const Loc& loc) {
    ExternalRunState state = runningState();
    state.isRunning = false;
    state.currentStep.reset();
    state.scored = {{App::geekbench, "Geekbench 6.3.0", {.singleCoreScore = 2712.4, .multiCoreScore = 14235.8}},
                    {App::cinebench2024, "Cinebench 2024", {.singleCoreScore = 121.4, .multiCoreScore = 1398.2}}};
    state.problems = {
        {label("Geekbench 6.3.0", loc["Dashboard.External.Gpu"]),
         LocalizedMessage("ExtRun.GeekbenchSaved.Body", "https://browser.geekbench.com/v6/compute/2345678")},
        {label("Cinebench 2026", loc["Dashboard.External.CpuSingle"]),
         LocalizedMessage("ExtRun.Exited", "Cinebench 2026", "139", "Segmentation fault (core dumped)")},
    };
    state.csvWritten = true;
    return state;
}

} // namespace

std::unique_ptr<QWidget> card(LocNotifier& loc) {
    auto sample = std::make_unique<QWidget>();
    auto* shown = new ExternalBenchmarksCard;
    loc.bind(shown, [shown, &loc] { shown->show(ExternalCardPresenter::present(cardState(true), loc.loc())); });
    auto* layout = new QVBoxLayout(sample.get());
    layout->setContentsMargins(28, 28, 28, 28);
    layout->addWidget(shown);
    layout->addStretch();
    return sample;
}

void showFoldedCard(ExternalBenchmarksCard& card, LocNotifier& loc) {
    ExternalBenchmarksCard* shown = &card;
    loc.bind(shown, [shown, &loc] { shown->show(ExternalCardPresenter::present(cardState(false), loc.loc())); });
}

std::unique_ptr<QWidget> running(LocNotifier& loc) {
    return runScreen(loc, [](const Loc& loc) {
        ExternalRunState state = runningState();
        state.currentStepLabel = label("Cinebench 2024", loc["Dashboard.External.CpuMulti"]);
        return state;
    });
}

std::unique_ptr<QWidget> cooldown(LocNotifier& loc) {
    return runScreen(loc, [](const Loc&) {
        ExternalRunState state = runningState();
        state.stepIndex = 5;
        state.currentStep.reset();
        state.stepStartedAt.reset();
        state.cooldown = ExternalRunState::Rest{"Cinebench 2026", 247};
        state.status = LocalizedMessage("ExtRun.CooldownStatus");
        // The load fell when the last step ended.
        state.cpuHistory.clear();
        for (int i = 0; i < 75; ++i) state.cpuHistory.push_back(i < 40 ? 95 + 3 * std::sin(i / 3.0) : 3 + 2 * std::sin(i / 2.0));
        state.latest.cpuLoadPercent = 3.1;
        state.latest.cpuTemperatureCelsius = 51.6;
        state.latest.gpuLoadPercent = 0;
        state.latest.gpuTemperatureCelsius = 44;
        return state;
    });
}

std::unique_ptr<QWidget> finished(LocNotifier& loc) { return runScreen(loc, finishedState); }

std::unique_ptr<QWidget> results(LocNotifier& loc) {
    auto screen = std::make_unique<ResultScreen>();
    loc.bind(screen.get(), [shown = screen.get(), &loc] {
        const ExternalRunState run = finishedState(loc.loc());
        ResultScreenState state{.externalProblems = run.problems, .externalScores = run.scored};
        state.externalScores.push_back({App::cinebench2026, "Cinebench 2026", {.gpuScore = 41877}});
        shown->show(ResultPresenter::present(state, loc.loc()));
    });
    return screen;
}

} // namespace zantiva::ExternalSamples
