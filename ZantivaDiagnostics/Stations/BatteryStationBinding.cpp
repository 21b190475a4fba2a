#include "Stations/BatteryStationBinding.h"

#include "LocalizedViews/LocNotifier.h"
#include "Runners/TestSuiteRunner.h"

namespace zantiva {

void bindBatteryStation(BatteryStation& page, const TestSuiteRunner& runner, LocNotifier& loc) {
    const auto refresh = [&page, &runner, &loc] {
        page.show(BatteryStationPresenter::present({runner.batteryLive()}, loc.loc()));
    };
    QObject::connect(&runner, &TestSuiteRunner::batteryLiveChanged, &page, refresh);
    loc.bind(&page, refresh);
}

} // namespace zantiva
