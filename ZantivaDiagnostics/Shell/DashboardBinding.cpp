#include "Shell/DashboardBinding.h"

#include "App/AppModel.h"
#include "Dashboard/DashboardScreen.h"
#include "LocalizedViews/LocNotifier.h"
#include "Model/BenchmarkScoring.h"

namespace zantiva {
namespace {

DashboardState dashboardState(AppModel& model) {
    const std::string running = model.updateChecker().currentVersion.description();
    DashboardState state{
        .resumable = model.resumable(),
        .device = {.specs = model.specs(),
                   .hasResults = model.hasResults(),
                   .grade = BenchmarkScoring::deviceGrade(model.report())},
        .launcher = {.isRunBusy = model.runGate().isBusy(),
                     .hasSpecs = model.specs().has_value(),
                     .durationMinutes = model.suite().durationMinutes(),
                     .bypassPeripherals = model.suite().bypassPeripherals()},
        .runningVersion = running,
    };
    if (const auto& offer = model.update())
        state.update = UpdateNoticeState{.offeredVersion = offer->version.description(),
                                         .runningVersion = running,
                                         .isDirectDownload = offer->isDirectDownload,
                                         .released = offer->released,
                                         .fileSizeBytes = offer->fileSizeBytes,
                                         .notes = offer->notes(model.loc().language())};
    return state;
}

SpecsPanel::Histories histories(const LiveTelemetry& telemetry) {
    return {{SpecsChart::cpu, telemetry.cpuHistory()},
            {SpecsChart::memory, telemetry.ramHistory()},
            {SpecsChart::gpu, telemetry.gpuHistory()}};
}

} // namespace

void bindDashboard(DashboardScreen& screen, AppModel& model, LocNotifier& loc, FolderChooser chooseFolder) {
    const auto present = [&screen, &model, &loc] {
        screen.show(DashboardPresenter::present(dashboardState(model), loc.loc()));
    };
    QObject::connect(&loc, &LocNotifier::languageChanged, &screen, present);
    for (const auto changed : {&AppModel::updateChanged, &AppModel::resumableChanged, &AppModel::specsChanged,
                               &AppModel::reportChanged})
        QObject::connect(&model, changed, &screen, present);
    QObject::connect(&model.runGate(), &RunGate::busyChanged, &screen, present);
    QObject::connect(&model.suite(), &TestSuiteRunner::durationMinutesChanged, &screen, present);
    QObject::connect(&model.suite(), &TestSuiteRunner::bypassPeripheralsChanged, &screen, present);
    present();

    const auto showSpecs = [&screen, &model] { screen.showSpecs(model.specs()); };
    QObject::connect(&model, &AppModel::specsChanged, &screen, showSpecs);
    showSpecs();
    LiveTelemetry& telemetry = model.telemetry();
    const auto showTelemetry = [&screen, &telemetry] { screen.showTelemetry(telemetry.latest()); };
    QObject::connect(&telemetry, &LiveTelemetry::latestChanged, &screen, showTelemetry);
    showTelemetry();
    const auto showHistories = [&screen, &telemetry] { screen.showHistories(histories(telemetry)); };
    for (const auto changed :
         {&LiveTelemetry::cpuHistoryChanged, &LiveTelemetry::ramHistoryChanged, &LiveTelemetry::gpuHistoryChanged})
        QObject::connect(&telemetry, changed, &screen, showHistories);
    showHistories();

    QObject::connect(&screen, &DashboardScreen::runRequested, &model,
                     [&model](const std::vector<TestModule>& plan) { model.suite().start(plan); });
    QObject::connect(&screen, &DashboardScreen::storageTestRequested, &model,
                     [&model, chooseFolder = std::move(chooseFolder)] {
                         if (const auto folder = chooseFolder()) model.storage().start(*folder);
                     });
    QObject::connect(&screen, &DashboardScreen::durationChosen, &model,
                     [&model](int minutes) { model.suite().setDurationMinutes(minutes); });
    QObject::connect(&screen, &DashboardScreen::bypassChosen, &model,
                     [&model](bool bypass) { model.suite().setBypassPeripherals(bypass); });
    QObject::connect(&screen, &DashboardScreen::washerRequested, &model,
                     [&model] { model.setWasherSetupVisible(true); });
    QObject::connect(&screen, &DashboardScreen::resumeRequested, &model, [&model] {
        if (!model.resumable()) return;
        const BenchmarkSession session = *model.resumable();
        model.suite().resume(session);
    });
    QObject::connect(&screen, &DashboardScreen::discardRequested, &model, [&model] {
        // Only the run it offered: another window may have saved a run of its own since.
        std::optional<std::string> offered;
        if (const auto& session = model.resumable()) offered = session->sessionID;
        model.setResumable(std::nullopt);
        if (offered) model.store().clearSession(offered);
    });
    QObject::connect(&screen, &DashboardScreen::gradeRequested, &model, [&model] { model.setScreen(AppScreen::result); });
    QObject::connect(&screen, &DashboardScreen::updateGetRequested, &model, &AppModel::openUpdateDownload);
    QObject::connect(&screen, &DashboardScreen::updateLaterRequested, &model, &AppModel::dismissUpdate);
}

} // namespace zantiva
