#include "Stations/InputStationBinding.h"

#include "LocalizedViews/LocNotifier.h"
#include "Runners/TestSuiteRunner.h"
#include "Stations/InputCheck.h"

namespace zantiva {

void bindInputStation(InputStation& page, TestSuiteRunner& runner, LocNotifier& loc) {
    auto* check = new InputCheck(&page);
    const auto refresh = [&page, check, &loc] { page.show(InputStationPresenter::present(check->state(), loc.loc())); };
    QObject::connect(check, &InputCheck::stateChanged, &page, refresh);
    loc.bind(&page, refresh);

    QObject::connect(&page, &InputStation::typedChanged, check, &InputCheck::setTyped);
    QObject::connect(&page, &InputStation::nextPressed, check, &InputCheck::beginKeySweep);
    QObject::connect(&page, &InputStation::finishPressed, check, &InputCheck::finishKeySweep);
    QObject::connect(&page, &InputStation::touchpadMoved, check, &InputCheck::noteMove);
    QObject::connect(&page, &InputStation::touchpadClicked, check, &InputCheck::noteClick);
    // The touchpad is shown to the user, not reported: the outcome is the keys and the verdict.
    const auto finish = [check, &runner](bool passed) {
        check->stopWatching();
        runner.complete(StationOutcome::input(check->keyResult(), passed));
    };
    QObject::connect(&page, &InputStation::continuePressed, check, [finish] { finish(true); });
    QObject::connect(&page, &InputStation::issuePressed, check, [finish] { finish(false); });
}

} // namespace zantiva
