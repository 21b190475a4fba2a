#include "Results/ResultBinding.h"

#include "App/AppModel.h"
#include "LocalizedViews/LocNotifier.h"
#include "Results/ResultScreen.h"

namespace zantiva {

ResultScreenState resultScreenState(AppModel& model) {
    return {
        .report = model.report(),
        .plan = model.suite().plan(),
        .failures = model.suite().failures(),
        .storageResult = model.storage().result(),
        .isStorageRunning = model.storage().isRunning(),
    };
}

void bindResultScreen(ResultScreen& screen, AppModel& model, LocNotifier& loc) {
    const auto refresh = [&screen, &model, &loc] {
        screen.show(ResultPresenter::present(resultScreenState(model), loc.loc()));
    };
    QObject::connect(&model, &AppModel::reportChanged, &screen, refresh);
    QObject::connect(&model.suite(), &TestSuiteRunner::planChanged, &screen, refresh);
    QObject::connect(&model.suite(), &TestSuiteRunner::failuresChanged, &screen, refresh);
    QObject::connect(&model.storage(), &StorageRunner::resultChanged, &screen, refresh);
    QObject::connect(&model.storage(), &Runner::isRunningChanged, &screen, refresh);
    loc.bind(&screen, refresh);

    QObject::connect(&screen, &ResultScreen::backRequested, &model, [&model] { model.setScreen(AppScreen::dashboard); });
    QObject::connect(&screen, &ResultScreen::storageRequested, &model, [&model] { model.setScreen(AppScreen::storage); });
}

} // namespace zantiva
