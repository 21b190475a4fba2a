#include "Results/StorageBinding.h"

#include "LocalizedViews/LocNotifier.h"
#include "Results/StorageScreen.h"
#include "Runners/StorageRunner.h"

namespace zantiva {

StorageScreenState storageScreenState(const StorageRunner& storage) {
    return {
        .isRunning = storage.isRunning(),
        .progress = storage.progress(),
        .run = storage.run(),
        .runsPerTest = storage.runsPerTest(),
        .isSettling = storage.isSettling(),
        .result = storage.result(),
        .failure = storage.failure(),
    };
}

void bindStorageScreen(StorageScreen& screen, StorageRunner& storage, LocNotifier& loc,
                       ScreenSwitch goTo) {
    const auto refresh = [&screen, &storage, &loc] {
        screen.show(StoragePresenter::present(storageScreenState(storage), loc.loc()));
    };
    for (const auto changed : {&StorageRunner::progressChanged, &StorageRunner::runChanged,
                               &StorageRunner::isSettlingChanged, &StorageRunner::resultChanged,
                               &StorageRunner::failureChanged})
        QObject::connect(&storage, changed, &screen, refresh);
    QObject::connect(&storage, &Runner::isRunningChanged, &screen, refresh);
    loc.bind(&screen, refresh);

    QObject::connect(&screen, &StorageScreen::backRequested, &screen,
                     [goTo = std::move(goTo)] { goTo(AppScreen::dashboard); });
    QObject::connect(&screen, &StorageScreen::stopRequested, &storage, [&storage] { storage.stop(); });
}

} // namespace zantiva
