#include "Results/ResultBinding.h"

#include "App/AppModel.h"
#include "LocalizedViews/LocNotifier.h"
#include "Results/ResultScreen.h"

namespace zantiva {

ResultScreenState resultScreenState(AppModel& model, const Loc& loc) {
    const ExternalBenchmarkRunner& external = model.external();
    ResultScreenState state{
        .report = model.report(),
        .plan = model.suite().plan(),
        .failures = model.suite().failures(),
        .storageResult = model.storage().result(),
        .isStorageRunning = model.storage().isRunning(),
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

void bindResultScreen(ResultScreen& screen, AppModel& model, LocNotifier& loc) {
    const auto refresh = [&screen, &model, &loc] {
        screen.show(ResultPresenter::present(resultScreenState(model, loc.loc()), loc.loc()));
    };
    QObject::connect(&model, &AppModel::reportChanged, &screen, refresh);
    QObject::connect(&model.suite(), &TestSuiteRunner::planChanged, &screen, refresh);
    QObject::connect(&model.suite(), &TestSuiteRunner::failuresChanged, &screen, refresh);
    QObject::connect(&model.storage(), &StorageRunner::resultChanged, &screen, refresh);
    QObject::connect(&model.storage(), &Runner::isRunningChanged, &screen, refresh);
    for (const auto changed : {&ExternalBenchmarkRunner::problemsChanged, &ExternalBenchmarkRunner::scoresChanged})
        QObject::connect(&model.external(), changed, &screen, refresh);
    QObject::connect(&model.external().installations(), &ExternalInstallations::installationsChanged, &screen, refresh);
    loc.bind(&screen, refresh);

    QObject::connect(&screen, &ResultScreen::backRequested, &model, [&model] { model.setScreen(AppScreen::dashboard); });
    QObject::connect(&screen, &ResultScreen::storageRequested, &model, [&model] { model.setScreen(AppScreen::storage); });
}

} // namespace zantiva
