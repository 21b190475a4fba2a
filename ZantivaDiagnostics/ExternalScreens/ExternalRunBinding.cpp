#include "ExternalScreens/ExternalRunBinding.h"

#include <QTimer>

#include "ExternalRun/ExternalBenchmarkRunner.h"
#include "ExternalScreens/ExternalRunScreen.h"
#include "Feeds/LiveTelemetryFeed.h"
#include "LocalizedViews/LocNotifier.h"

namespace zantiva {

namespace {

std::string shownName(const ExternalBenchmarkRunner& runner, ExternalBenchmarkApp app) {
    const auto found = runner.installations().all().find(app);
    return found != runner.installations().all().end() ? found->second.displayName() : std::string(displayName(app));
}

} // namespace

ExternalRunState externalRunState(const ExternalBenchmarkRunner& runner, const LiveTelemetryFeed& telemetry,
                                  const Loc& loc) {
    ExternalRunState state{
        .isRunning = runner.isRunning(),
        .stepIndex = runner.stepIndex(),
        .stepCount = runner.stepCount(),
        .currentStep = runner.currentStep(),
        .currentStepLabel = std::nullopt,
        .cooldown = std::nullopt,
        .fraction = runner.fraction(),
        .stepStartedAt = runner.stepStartedAt(),
        .now = runner.now(),
        .status = runner.status(),
        .scored = {},
        .problems = {},
        .wasCancelled = runner.wasCancelled(),
        .csvWritten = runner.csvWritten(),
        .console = {},
        .latest = telemetry.latest(),
        .cpuHistory = telemetry.cpuHistory().values(),
        .gpuHistory = telemetry.gpuHistory().values(),
        .historyCapacity = telemetry.cpuHistory().capacity(),
    };
    if (runner.currentStep()) state.currentStepLabel = runner.label(*runner.currentStep(), loc);
    if (const auto& rest = runner.cooldown())
        state.cooldown = ExternalRunState::Rest{std::string(displayName(rest->before)), rest->remainingSeconds};
    for (const auto app : runner.scoredApps()) {
        const auto result = runner.scores().find(app);
        state.scored.push_back({app, shownName(runner, app),
                                result != runner.scores().end() ? result->second : ExternalBenchmarkResult{}});
    }
    for (const auto& problem : runner.problems())
        state.problems.push_back(
            {problem.step ? std::optional(runner.label(*problem.step, loc)) : std::nullopt, problem.message});
    state.console.reserve(runner.console().size());
    for (const auto& line : runner.console()) state.console.push_back({line.id, line.text});
    return state;
}

void bindExternalRunScreen(ExternalRunScreen& screen, ExternalBenchmarkRunner& runner, const LiveTelemetryFeed& telemetry,
                           LocNotifier& loc, ScreenSwitch goTo) {
    const auto present = [&screen, &runner, &telemetry, &loc] {
        const auto state = externalRunState(runner, telemetry, loc.loc());
        screen.show(ExternalRunPresenter::present(state, loc.loc()));
    };
    using Runner = ExternalBenchmarkRunner;
    for (const auto changed :
         {&Runner::scoresChanged, &Runner::currentStepChanged, &Runner::cooldownChanged,
          &Runner::statusChanged, &Runner::fractionChanged, &Runner::stepStartedAtChanged, &Runner::stepIndexChanged,
          &Runner::stepCountChanged, &Runner::consoleChanged, &Runner::scoredAppsChanged, &Runner::problemsChanged,
          &Runner::wasCancelledChanged, &Runner::csvWrittenChanged})
        QObject::connect(&runner, changed, &screen, present);
    QObject::connect(&runner.installations(), &ExternalInstallations::installationsChanged, &screen, present);
    telemetry.watchReadings(&screen, present);
    // The elapsed time of a step without progress moves on by itself.
    auto* ticks = new QTimer(&screen);
    ticks->setInterval(1000);
    QObject::connect(ticks, &QTimer::timeout, &screen, present);
    const auto running = [&runner, ticks, present] {
        if (runner.isRunning())
            ticks->start();
        else
            ticks->stop();
        present();
    };
    QObject::connect(&runner, &zantiva::Runner::isRunningChanged, &screen, running);
    loc.bind(&screen, running);

    QObject::connect(&screen, &ExternalRunScreen::stopRequested, &runner, &Runner::stop);
    QObject::connect(&screen, &ExternalRunScreen::skipCooldownRequested, &runner, &Runner::skipCooldown);
    QObject::connect(&screen, &ExternalRunScreen::openCsvRequested, &runner, &Runner::openCSV);
    QObject::connect(&screen, &ExternalRunScreen::backRequested, &screen,
                     [goTo = std::move(goTo)] { goTo(AppScreen::dashboard); });
}

} // namespace zantiva
