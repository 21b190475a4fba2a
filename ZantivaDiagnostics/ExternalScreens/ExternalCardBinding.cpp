#include "ExternalScreens/ExternalCardBinding.h"

#include "ExternalRun/ExternalBenchmarkRunner.h"
#include "ExternalScreens/ExternalBenchmarksCard.h"
#include "LocalizedViews/LocNotifier.h"

namespace zantiva {

ExternalCardState externalCardState(const ExternalBenchmarkRunner& runner) {
    using App = ExternalBenchmarkApp;
    const ExternalInstallations& installations = runner.installations();
    ExternalCardState state{.isExpanded = runner.isExpanded(),
                            .canStart = runner.canStart(),
                            .isRunning = runner.isRunning(),
                            .apps = {}};
    for (const App app : {App::geekbench, App::cinebench2024, App::cinebench2026}) {
        ExternalAppCardState entry{.app = app, .name = std::string(displayName(app))};
        if (const auto found = installations.all().find(app); found != installations.all().end()) {
            const ExternalBenchmarkInstallation& installation = found->second;
            entry.name = installation.displayName();
            entry.path = installation.diskImagePath.value_or(installation.bundlePath.value_or(installation.executablePath));
            entry.isAvailable = installation.isAvailable();
            entry.isOnImage = installation.diskImagePath.has_value();
        }
        entry.isFoundAutomatically = installations.foundAutomatically().contains(app);
        entry.isPreparing = installations.preparing().contains(app);
        if (const auto error = installations.chooseError().find(app); error != installations.chooseError().end())
            entry.chooseError = error->second;
        if (const auto result = runner.scores().find(app); result != runner.scores().end()) entry.result = result->second;
        state.apps.push_back(std::move(entry));
    }
    return state;
}

void bindExternalCard(ExternalBenchmarksCard& card, ExternalBenchmarkRunner& runner, LocNotifier& loc,
                      ExternalAppChooser chooseApp) {
    const auto present = [&card, &runner, &loc] {
        card.show(ExternalCardPresenter::present(externalCardState(runner), loc.loc()));
    };
    using Runner = ExternalBenchmarkRunner;
    for (const auto changed : {&Runner::scoresChanged, &Runner::isExpandedChanged, &Runner::canStartChanged})
        QObject::connect(&runner, changed, &card, present);
    for (const auto changed : {&ExternalInstallations::installationsChanged, &ExternalInstallations::foundAutomaticallyChanged,
                               &ExternalInstallations::chooseErrorChanged, &ExternalInstallations::preparingChanged})
        QObject::connect(&runner.installations(), changed, &card, present);
    QObject::connect(&runner, &zantiva::Runner::isRunningChanged, &card, present);
    loc.bind(&card, present);

    QObject::connect(&card, &ExternalBenchmarksCard::expandRequested, &runner, &Runner::setExpanded);
    QObject::connect(&card, &ExternalBenchmarksCard::chooseRequested, &runner,
                     [&runner, chooseApp = std::move(chooseApp)](ExternalBenchmarkApp app) {
                         // The dialog is modal: the runner may have started something meanwhile.
                         const auto chosen = chooseApp(app);
                         if (chosen && !runner.isRunning()) runner.installations().choose(*chosen, app);
                     });
    QObject::connect(&card, &ExternalBenchmarksCard::stepRequested, &runner, [&runner](ExternalBenchmarkStep step) {
        runner.begin({step}, false);
    });
    QObject::connect(&card, &ExternalBenchmarksCard::runAllRequested, &runner, &Runner::runAll);
    QObject::connect(&card, &ExternalBenchmarksCard::fullPerformanceRequested, &runner, &Runner::runFullPerformance);
    QObject::connect(&card, &ExternalBenchmarksCard::openCsvRequested, &runner, &Runner::openCSV);
}

} // namespace zantiva
