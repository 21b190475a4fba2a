#include "Stations/SuiteScreenBinding.h"

#include "LocalizedViews/LocNotifier.h"
#include "Runners/TestSuiteRunner.h"
#include "Stations/StationViewBinding.h"

namespace zantiva {

void bindSuiteScreen(SuiteScreen& screen, TestSuiteRunner& runner, const SpecsFeed& specs, LocNotifier& loc) {
    const auto refresh = [&screen, &runner, &loc] {
        const SuiteState state{
            .plan = runner.plan(),
            .statuses = runner.statuses(),
            .failures = runner.failures(),
            .current = runner.current(),
            .notice = runner.notice(),
            .wasResumed = runner.wasResumed(),
            .isReadingDrives = runner.isReadingDrives(),
            .isRunning = runner.isRunning(),
        };
        screen.show(SuitePresenter::present(state, loc.loc()));
    };
    for (const auto changed : {&TestSuiteRunner::planChanged, &TestSuiteRunner::statusesChanged,
                               &TestSuiteRunner::failuresChanged, &TestSuiteRunner::currentChanged,
                               &TestSuiteRunner::noticeChanged, &TestSuiteRunner::wasResumedChanged,
                               &TestSuiteRunner::isReadingDrivesChanged})
        QObject::connect(&runner, changed, &screen, refresh);
    QObject::connect(&runner, &Runner::isRunningChanged, &screen, refresh);
    loc.bind(&screen, refresh);

    // Every module gets a card of its own: nothing of one page outlives its module.
    const auto replaceStation = [&screen, &runner, &specs, &loc] {
        if (!runner.current()) return screen.setStation(nullptr);
        auto* station = new StationView;
        bindStationView(*station, *runner.current(), runner, specs, loc);
        screen.setStation(station);
    };
    QObject::connect(&runner, &TestSuiteRunner::currentChanged, &screen, replaceStation);
    replaceStation();
    QObject::connect(&screen, &SuiteScreen::stopConfirmed, &runner, [&runner] { runner.stop(); });
}

} // namespace zantiva
