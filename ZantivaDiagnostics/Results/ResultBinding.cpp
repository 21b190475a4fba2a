#include "Results/ResultBinding.h"

#include "ExternalRun/ExternalBenchmarkRunner.h"
#include "Feeds/ReportFeed.h"
#include "LocalizedViews/LocNotifier.h"
#include "Results/ResultScreen.h"
#include "Runners/StorageRunner.h"
#include "Runners/TestSuiteRunner.h"

namespace zantiva {

ResultScreenState resultScreenState(const ResultSources& sources, const Loc& loc) {
    const ExternalBenchmarkRunner& external = sources.external;
    ResultScreenState state{
        .report = sources.report.report(),
        .plan = sources.suite.plan(),
        .failures = sources.suite.failures(),
        .storageResult = sources.storage.result(),
        .isStorageRunning = sources.storage.isRunning(),
        .externalProblems = {},
        .externalScores = {},
    };
    for (const auto& problem : external.problems())
        state.externalProblems.push_back(
            {problem.step ? std::optional(external.label(*problem.step, loc)) : std::nullopt, problem.message});
    for (const auto& [app, result] : external.scores()) {
        const auto installed = external.installations().all().find(app);
        state.externalScores.push_back(
            {app, installed != external.installations().all().end() ? installed->second.displayName() : std::string(displayName(app)),
             result});
    }
    return state;
}

void bindResultScreen(ResultScreen& screen, ResultSources sources, LocNotifier& loc,
                      ScreenSwitch goTo) {
    const auto refresh = [&screen, sources, &loc] {
        screen.show(ResultPresenter::present(resultScreenState(sources, loc.loc()), loc.loc()));
    };
    sources.report.watchReport(&screen, refresh);
    QObject::connect(&sources.suite, &TestSuiteRunner::planChanged, &screen, refresh);
    QObject::connect(&sources.suite, &TestSuiteRunner::failuresChanged, &screen, refresh);
    QObject::connect(&sources.storage, &StorageRunner::resultChanged, &screen, refresh);
    QObject::connect(&sources.storage, &Runner::isRunningChanged, &screen, refresh);
    for (const auto changed : {&ExternalBenchmarkRunner::problemsChanged, &ExternalBenchmarkRunner::scoresChanged})
        QObject::connect(&sources.external, changed, &screen, refresh);
    QObject::connect(&sources.external.installations(), &ExternalInstallations::installationsChanged, &screen, refresh);
    loc.bind(&screen, refresh);

    QObject::connect(&screen, &ResultScreen::backRequested, &screen, [goTo] { goTo(AppScreen::dashboard); });
    QObject::connect(&screen, &ResultScreen::storageRequested, &screen, [goTo] { goTo(AppScreen::storage); });
}

} // namespace zantiva
